#include "command_line.h"

#include <cctype>

namespace {

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string Lowered(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::string ConfigPathFromCommandLine(const std::string& commandLine)
{
    const std::string line = Trimmed(commandLine);
    if (line.size() >= 2 && line.back() == '"') {
        const size_t open = line.rfind('"', line.size() - 2);
        if (open == 0)
            return std::string();  // the whole line is the quoted program path
        if (open != std::string::npos)
            return line.substr(open + 1, line.size() - open - 2);
    }
    // An unquoted configuration path after the program path.
    std::string rest;
    if (!line.empty() && line[0] == '"') {
        const size_t close = line.find('"', 1);
        if (close != std::string::npos)
            rest = line.substr(close + 1);
    } else {
        const size_t exe = Lowered(line).find(".exe");
        if (exe != std::string::npos)
            rest = line.substr(exe + 4);
    }
    return Trimmed(rest);
}
