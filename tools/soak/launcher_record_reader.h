// Reads the record the launcher double appends to (see the header comment
// of tools/launcher_double/launcher_double.cpp) as it grows: each call
// returns the entries completed since the last one, so a record of a long
// run is read once, piece by piece, and never held whole.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct LauncherEvent {
    enum class Kind { Start, Print, Suspend, Resume, Delete, Exit };
    Kind kind = Kind::Start;
    unsigned long processId = 0;  // Start
    unsigned long wParam = 0;     // Print: job id
    unsigned long lParam = 0;     // Print: first page
    bool pageListRead = false;    // Print: the page list as the double found it
    std::vector<std::string> pageList;
    bool settingsRead = false;    // Print: the job's settings hand-off file
    std::vector<std::string> settings;
};

class LauncherRecordReader {
public:
    explicit LauncherRecordReader(std::string path) : m_path(std::move(path)) {}

    // The entries completed since the last call, in record order.
    std::vector<LauncherEvent> ReadNew();
    // Print entries cut off by the next entry (a launcher ended while
    // writing one); they count as not recorded.
    uint64_t TornEntries() const { return m_torn; }
    uint64_t BytesRead() const { return m_offset; }

private:
    void TakeLine(const std::string& line, std::vector<LauncherEvent>& events);
    bool TakePrintLine(const std::string& line, std::vector<LauncherEvent>& events);

    std::string m_path;
    uint64_t m_offset = 0;
    std::string m_partialLine;
    bool m_inPrint = false;
    int m_filesSeen = 0;
    std::vector<std::string>* m_copy = nullptr;
    LauncherEvent m_print;
    uint64_t m_torn = 0;
};
