#include "app/module_directory.h"

std::string DirectoryWithSeparator(const std::string& path, LeadByteTest isLeadByte)
{
    return path.substr(0, EndOfLastSeparator(path, kBackslash, isLeadByte));
}

std::string FileTitle(const std::string& path, LeadByteTest isLeadByte)
{
    const std::string name = path.substr(DirectoryWithSeparator(path, isLeadByte).size());
    // A "." is a single-byte character: no trail byte equals it.
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}
