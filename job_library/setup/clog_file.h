// The debug log "KESTROd.LOG" (one object per process, gLog). The file is
// opened only while a line is written; the newest record is read back from
// the header before every line, so a restarted host continues the ring.
#pragma once
#include <cstddef>
#include <cstdint>

#include "jobport_readers/config_record.h"

// The library's own module name, for its string table.
extern const char kLibraryModuleName[];

class CLogFile {
public:
    static const int32_t kDefaultSizeLimit = 1024;

    CLogFile();

    // Copy the text into the field; the path is not rebuilt. A text that does
    // not fit leaves the field empty, so no line can go to a wrong place.
    void SetLogDir(const char* directory);
    void SetLogFileName(const char* name);
    void SetSizeLimit(int32_t kilobytes) { m_sizeLimit = kilobytes; }
    int32_t SizeLimit() const { return m_sizeLimit; }

    // Joins directory and file name; a result that does not fit leaves the
    // path empty, and writing then fails.
    void MakeLogPath();

    // Copy out into a 260-byte buffer; false (and an empty buffer) when the
    // buffer is smaller than the text.
    bool GetLogPath(char* buffer, size_t size) const;
    bool GetLogDir(char* buffer, size_t size) const;
    const char* LogPath() const { return m_path; }

    // Writes one line; false when the file cannot be opened (the line is lost).
    bool WriteLog(int32_t number, const char* text);
    // Writes string `id` of the module's table; on a failed load one of the
    // two "<SYSTEM ERROR>" lines instead.
    bool WriteLogMessage(int32_t number, unsigned id, const char* moduleName);

    // Stores the error number and captures the Windows last-error code.
    void SaveLastError(int32_t errorNumber);
    int32_t LastErrorNumber() const { return m_lastErrorNumber; }
    uint32_t LastSystemError() const { return m_lastSystemError; }

    int32_t RecordIndex() const { return m_recordIndex; }

private:
    char m_directory[kPathBufferSize];
    char m_fileName[kPathBufferSize];
    char m_path[kPathBufferSize];
    int32_t m_recordIndex = 0;
    int32_t m_sizeLimit = kDefaultSizeLimit;
    int32_t m_lastErrorNumber = 0;
    uint32_t m_lastSystemError = 0;
};

extern CLogFile gLog;

// Shorthand for gLog.WriteLog.
inline bool WriteLog(int32_t number, const char* text) { return gLog.WriteLog(number, text); }
