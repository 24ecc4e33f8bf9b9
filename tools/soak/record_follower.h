// A thread that follows the launcher double's record as it grows and hands
// each complete entry to the ledger, which checks it and deletes what the
// launcher printed.
#pragma once
#include <atomic>
#include <mutex>
#include <thread>

#include "hand_over_ledger.h"
#include "launcher_record_reader.h"
#include "soak_report.h"

class RecordFollower {
public:
    RecordFollower(const std::string& recordFile, HandOverLedger& ledger, SoakReport& report)
        : m_reader(recordFile), m_ledger(ledger), m_report(report)
    {
    }
    ~RecordFollower() { Stop(); }
    RecordFollower(const RecordFollower&) = delete;
    RecordFollower& operator=(const RecordFollower&) = delete;

    void Start();
    // Reads the rest of the record, then ends the thread.
    void Stop();
    // Reads what is new now (also while the thread runs).
    void ReadNow();
    uint64_t RecordBytes() const { return m_bytes; }

private:
    void Run();

    std::mutex m_readLock;
    LauncherRecordReader m_reader;
    HandOverLedger& m_ledger;
    SoakReport& m_report;
    std::atomic<bool> m_stop{false};
    std::atomic<uint64_t> m_bytes{0};
    std::thread m_thread;
};
