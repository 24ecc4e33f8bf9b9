#include "double_handoff.h"

#include <windows.h>

#include <cstdio>
#include <fstream>

std::string HandoffPath(unsigned long jobId, unsigned long page)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    char name[MAX_PATH + 32];
    std::snprintf(name, sizeof name, "%s%s%2lu%3lu%s", temp, "KST_", jobId, page, ".$$$");
    return name;
}

bool ReadLines(const std::string& path, std::vector<std::string>& lines)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return true;
}
