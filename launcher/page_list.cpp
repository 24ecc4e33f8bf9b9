#include "page_list.h"

#include <cstdlib>
#include <sstream>

namespace {

std::string WithoutLineEnd(std::string line)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
    return line;
}

bool IsBlank(const std::string& line) { return line.find_first_not_of(" \t") == std::string::npos; }

}  // namespace

bool ParsePageList(const std::string& text, std::vector<std::string>& pages, std::string& reason)
{
    pages.clear();
    std::istringstream in(text);
    std::string line;
    std::getline(in, line);
    line = WithoutLineEnd(line);
    char* end = nullptr;
    const long count = std::strtol(line.c_str(), &end, 10);
    if (line.empty() || end == line.c_str() || !IsBlank(end) || count < 1) {
        reason = "its first line \"" + line + "\" is not a page count";
        return false;
    }
    std::vector<std::string> paths;
    while (std::getline(in, line)) {
        line = WithoutLineEnd(line);
        if (!IsBlank(line))
            paths.push_back(line);
    }
    if (paths.size() != static_cast<size_t>(count)) {
        reason = "it announces " + std::to_string(count) + " page(s) but names " +
                 std::to_string(paths.size());
        return false;
    }
    pages.swap(paths);
    return true;
}
