// What the benchmark reads from the two logs, with their time stamps: when
// the library posted LM_PRINT for a group (the debug log "KESTROd.LOG") and
// when the launcher's EndDoc returned for a document and where its time
// went ("KESTROlauncher.log"). Both stamp their lines with the local time
// to the millisecond.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

// Milliseconds of local time since 2000-01-01.
using LogMoment = int64_t;

// The moment each group's LM_PRINT was posted, by (job id, first page); of
// several posts of one group, the last. Reads every record of the ring.
std::map<std::pair<int, int>, LogMoment> PrintPosts(const std::string& debugLogPath);

// One "EndDoc returned for job J group(s) ...; read .. ms, printer .. ms,
// decode .. ms, resample .. ms, drawing .. ms, EndDoc .. ms" line of the
// launcher log.
struct EndDocLine {
    LogMoment at = 0;
    int job = 0;
    std::vector<int> groups;
    int sides = 0;
    double readMs = 0;
    double printerMs = 0;
    double decodeMs = 0;
    double resampleMs = 0;
    double drawingMs = 0;
    double endDocMs = 0;
};

// The EndDoc lines of the log's text.
std::vector<EndDocLine> EndDocLines(const std::string& launcherLog);

// The file from byte `offset` on (empty when it cannot be read).
std::string ReadFrom(const std::string& path, uint64_t offset);
uint64_t FileSize(const std::string& path);
