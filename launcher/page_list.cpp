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

// A path rather than a damaged count: it holds a folder separator.
bool LooksLikePath(const std::string& line) { return line.find_first_of("\\/") != std::string::npos; }

}  // namespace

bool ParsePageList(const std::string& text, std::vector<std::string>& pages, std::string& problem)
{
    pages.clear();
    problem.clear();
    std::istringstream in(text);
    std::string first;
    std::getline(in, first);
    first = WithoutLineEnd(first);
    char* end = nullptr;
    const long count = std::strtol(first.c_str(), &end, 10);
    const bool isCount = !first.empty() && end != first.c_str() && IsBlank(end) && count >= 1;

    std::vector<std::string> paths;
    if (!isCount && LooksLikePath(first))
        paths.push_back(first);
    std::string line;
    while (std::getline(in, line)) {
        line = WithoutLineEnd(line);
        if (!IsBlank(line))
            paths.push_back(line);
    }
    if (!isCount)
        problem = "its first line is not a page count";
    else if (paths.size() != static_cast<size_t>(count))
        problem = "it announces " + std::to_string(count) + " page(s) but names " +
                  std::to_string(paths.size());
    if (paths.empty()) {
        if (problem.empty())
            problem = "it names no page";
        return false;
    }
    pages.swap(paths);
    return true;
}
