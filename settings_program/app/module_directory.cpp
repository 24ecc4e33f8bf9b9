#include "app/module_directory.h"

std::string DirectoryWithSeparator(const std::string& path, LeadByteTest isLeadByte)
{
    size_t end = 0;  // one past the last separator; 0: none seen
    for (size_t at = 0; at < path.size(); ++at) {
        const unsigned char byte = static_cast<unsigned char>(path[at]);
        if (isLeadByte(byte) && at + 1 < path.size()) {
            ++at;  // the trail byte is part of the character, whatever its value
            continue;
        }
        if (byte == '\\')
            end = at + 1;
    }
    return path.substr(0, end);
}

std::string FileTitle(const std::string& path, LeadByteTest isLeadByte)
{
    const std::string name = path.substr(DirectoryWithSeparator(path, isLeadByte).size());
    // A "." is a single-byte character: no trail byte equals it.
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}
