#include "host_script.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

bool ToNumber(const std::string& text, long low, long high, long& number)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    number = std::strtol(text.c_str(), &end, 10);
    return errno == 0 && *end == '\0' && number >= low && number <= high;
}

// Applies one NAME=VALUE argument to the command; `allowed` lists the names
// the command takes.
bool ApplyArgument(const std::string& word, const std::string& allowed, HostCommand& command,
                   std::string& error)
{
    const size_t equals = word.find('=');
    const std::string name = word.substr(0, equals);
    const std::string value = equals == std::string::npos ? std::string() : word.substr(equals + 1);
    if (equals == std::string::npos || (" " + allowed + " ").find(" " + name + " ") == std::string::npos) {
        error = "unexpected \"" + word + "\" (this command takes: " + allowed + ")";
        return false;
    }
    long number = 0;
    if (!ToNumber(value, 0, 9999, number)) {
        error = "\"" + word + "\": the value must be a number from 0 to 9999";
        return false;
    }
    if (name == "dpi" && number == 0) {
        error = "\"" + word + "\": the resolution must be at least 1 dpi";
        return false;
    }
    if (name == "copies")
        command.copies = static_cast<unsigned>(number);
    else if (name == "pages")
        command.pages = static_cast<int>(number);
    else if (name == "dpi")
        command.dpi = static_cast<int>(number);
    else
        command.jobId = static_cast<int>(number);
    return true;
}

}  // namespace

bool ParseScriptLine(const std::string& line, std::vector<HostCommand>& script, std::string& error)
{
    std::istringstream words(line);
    std::string verb;
    if (!(words >> verb))
        return true;

    HostCommand command;
    command.line = line.substr(line.find_first_not_of(" \t"));
    command.line.erase(command.line.find_last_not_of(" \t\r") + 1);
    if (verb[0] == '#') {
        command.kind = HostCommand::Kind::Note;
        script.push_back(command);
        return true;
    }
    std::string allowed;
    if (verb == "job") {
        command.kind = HostCommand::Kind::Job;
        allowed = "copies pages dpi";
    } else if (verb == "scan") {
        command.kind = HostCommand::Kind::Scan;
        allowed = "pages job dpi";
    } else if (verb == "end" || verb == "abort") {
        command.kind = verb == "end" ? HostCommand::Kind::End : HostCommand::Kind::Abort;
        allowed = "job";
    } else if (verb == "set") {
        command.kind = HostCommand::Kind::Set;
    } else if (verb == "send") {
        command.kind = HostCommand::Kind::Send;
        command.file = command.line.substr(verb.size());
        command.file.erase(0, command.file.find_first_not_of(" \t"));
        if (command.file.empty()) {
            error = "send takes the path of a page file";
            return false;
        }
        script.push_back(command);
        return true;
    } else {
        error = "unknown command \"" + verb + "\" (job, scan, send, end, abort, set)";
        return false;
    }

    std::string word;
    while (words >> word) {
        if (command.kind == HostCommand::Kind::Set) {
            const size_t equals = word.find('=');
            if (!command.key.empty() || equals == std::string::npos || equals == 0) {
                error = "set takes one KEY=VALUE";
                return false;
            }
            command.key = word.substr(0, equals);
            command.value = word.substr(equals + 1);
        } else if (!ApplyArgument(word, allowed, command, error)) {
            return false;
        }
    }
    if (command.kind == HostCommand::Kind::Set && command.key.empty()) {
        error = "set takes one KEY=VALUE";
        return false;
    }
    script.push_back(command);
    return true;
}

bool ReadScriptFile(const std::string& path, std::vector<HostCommand>& script, std::string& error)
{
    std::ifstream file(path);
    if (!file) {
        error = "cannot read " + path;
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!ParseScriptLine(line, script, error)) {
            error = path + " line " + std::to_string(number) + ": " + error;
            return false;
        }
    }
    return true;
}
