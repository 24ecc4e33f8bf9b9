#include "log_moments.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "shared_formats/launcher_messages.h"

namespace {

const size_t kRecordSize = 300;
const size_t kTextColumn = 28;

// Days from 2000-01-01 to the date (proleptic Gregorian calendar).
int64_t DaysFrom2000(int year, int month, int day)
{
    year -= month <= 2;
    const int64_t era = year / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 730425;
}

LogMoment Moment(int year, int month, int day, int hour, int minute, int second, int milli)
{
    return ((DaysFrom2000(year, month, day) * 24 + hour) * 60 + minute) * 60000LL +
           second * 1000LL + milli;
}

// The number after `label`, looked for from `from` on.
double MsAfter(const std::string& line, const char* label, size_t from)
{
    const size_t at = from == std::string::npos ? from : line.find(label, from);
    return at == std::string::npos ? 0 : std::atof(line.c_str() + at + std::strlen(label));
}

}  // namespace

std::map<std::pair<int, int>, LogMoment> PrintPosts(const std::string& debugLogPath)
{
    std::map<std::pair<int, int>, LogMoment> posts;
    const std::string log = ReadFrom(debugLogPath, 0);
    for (size_t offset = kRecordSize; offset + kRecordSize <= log.size(); offset += kRecordSize) {
        const std::string record = log.substr(offset, kRecordSize);
        const size_t call = record.find("PostMessage(", kTextColumn);
        int year, month, day, hour, minute, second, milli;
        unsigned window;
        int message, job, page;
        if (call == std::string::npos ||
            std::sscanf(record.c_str(), "%d/%d/%d %d:%d:%d.%d", &year, &month, &day, &hour,
                        &minute, &second, &milli) != 7 ||
            std::sscanf(record.c_str() + call, "PostMessage(%x,%d,%d,%d)", &window, &message, &job,
                        &page) != 4 ||
            static_cast<uint32_t>(message) != LM_PRINT)
            continue;
        const LogMoment at = Moment(2000 + year, month, day, hour, minute, second, milli);
        LogMoment& kept = posts[std::make_pair(job, page)];
        if (at > kept)
            kept = at;
    }
    return posts;
}

std::vector<EndDocLine> EndDocLines(const std::string& launcherLog)
{
    std::vector<EndDocLine> lines;
    std::istringstream text(launcherLog);
    std::string line;
    const char key[] = "EndDoc returned for job ";
    while (std::getline(text, line)) {
        const size_t at = line.find(key);
        int year, month, day, hour, minute, second, milli;
        if (at == std::string::npos ||
            std::sscanf(line.c_str(), "%d/%d/%d %d:%d:%d.%d", &year, &month, &day, &hour, &minute,
                        &second, &milli) != 7)
            continue;
        EndDocLine entry;
        entry.at = Moment(year, month, day, hour, minute, second, milli);
        std::istringstream groups(line.substr(at + sizeof key - 1));
        std::string word;
        groups >> entry.job >> word;  // "group(s)"
        while (groups >> word && word.back() != ':')
            entry.groups.push_back(std::atoi(word.c_str()));
        entry.groups.push_back(std::atoi(word.c_str()));
        const size_t sides = line.rfind(" side(s)");
        const size_t before = sides == std::string::npos ? std::string::npos : line.rfind(' ', sides - 1);
        entry.sides = before == std::string::npos ? 0 : std::atoi(line.c_str() + before + 1);
        // The times follow the sides, after the document's name.
        entry.readMs = MsAfter(line, "; read ", sides);
        entry.printerMs = MsAfter(line, ", printer ", sides);
        entry.decodeMs = MsAfter(line, ", decode ", sides);
        entry.resampleMs = MsAfter(line, ", resample ", sides);
        entry.drawingMs = MsAfter(line, ", drawing ", sides);
        entry.endDocMs = MsAfter(line, ", EndDoc ", sides);
        lines.push_back(entry);
    }
    return lines;
}

std::string ReadFrom(const std::string& path, uint64_t offset)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    if (!file)
        return std::string();
    file.seekg(static_cast<std::streamoff>(offset));
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

uint64_t FileSize(const std::string& path)
{
    std::ifstream file(path.c_str(), std::ios::binary | std::ios::ate);
    return file ? static_cast<uint64_t>(file.tellg()) : 0;
}
