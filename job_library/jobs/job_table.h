// The jobs the engine holds: JobTable (oldest first), one JobRecord per job,
// and each job's DataTable of held page files.
#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <list>
#include <string>

#include "jobport_readers/config_record.h"
#include "print_method.h"
#include "shared_formats/print_settings_file.h"

// The held page files of one job, in arrival order. The read position is
// always the front: a page is dropped from the table as soon as its group has
// been handed to the launcher, so a failure half-way through a print-out
// never hands a page over twice.
class DataTable {
public:
    // Longest path a page may have: it must fit a 260-byte path buffer.
    static const size_t kMaxPathLength = kPathBufferSize - 1;

    static bool IsStorablePath(const std::string& path)
    {
        return !path.empty() && path.size() <= kMaxPathLength;
    }

    // Appends a page; false for a path that IsStorablePath refuses (it is
    // never shortened). Throws std::bad_alloc when memory runs out.
    bool Append(const std::string& path);

    // Held pages from the read position on.
    size_t Held() const { return m_entries.size(); }
    // The held page `offset` places after the read position.
    const std::string& Entry(size_t offset) const { return m_entries[offset]; }
    // Moves the read position past `count` pages (at most all of them).
    void Advance(size_t count);
    void Clear() { m_entries.clear(); }

private:
    std::deque<std::string> m_entries;
};

struct JobRecord {
    JobRecord(uint32_t id, uint32_t copiesAsked) : jobId(id), copies(copiesAsked) {}

    // The job's layout values, or null while none were read.
    const PrintSettings* GetpSetting() const { return hasSettings ? &settings : nullptr; }
    // Pages still held; they are always the last ones received.
    uint32_t HeldPages() const { return static_cast<uint32_t>(dataTable.Held()); }
    uint32_t FirstHeldPage() const { return receivedPages - HeldPages() + 1; }

    uint32_t jobId;
    uint32_t copies;
    PrintSettings settings;
    bool hasSettings = false;
    uint8_t printMethod = PRINT_EACH_PAGE;
    uint32_t receivedPages = 0;
    // A group of it reached the launcher, which then owns its settings file.
    bool groupHandedOver = false;
    bool ended = false;
    DataTable dataTable;
};

class JobTable {
public:
    // First record with this id, searching from the head; null when absent.
    JobRecord* FindJob(uint32_t id);
    JobRecord* Head() { return m_records.empty() ? nullptr : &m_records.front(); }
    JobRecord* Tail() { return m_records.empty() ? nullptr : &m_records.back(); }
    size_t Size() const { return m_records.size(); }
    const std::list<JobRecord>& Records() const { return m_records; }

    // Creates a record at the tail. Throws std::bad_alloc when memory runs
    // out; the table is then unchanged.
    JobRecord& Append(uint32_t id, uint32_t copies);
    // Unlinks and releases the first record with this id.
    bool Remove(uint32_t id);
    void Clear() { m_records.clear(); }

private:
    // A list keeps every record where it is while others come and go.
    std::list<JobRecord> m_records;
};

extern JobTable gJobTable;

// gJobTable.FindJob, as the rest of the library calls it.
inline JobRecord* FindJob(uint32_t id) { return gJobTable.FindJob(id); }
