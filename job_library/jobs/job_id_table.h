// Job ids issued to the host: 1..255, wrapping to 1, with an open flag per id.
#pragma once
#include <cstdint>

class JobIdTable {
public:
    static const uint32_t kMaxId = 255;

    JobIdTable() { ResetJobIds(); }

    // Issues the id after the last one (1 follows 255).
    uint32_t NextJobId();
    // Stores n as the current id; anything above 255 wraps to 1.
    void SetCurrentJob(uint32_t n);
    uint32_t CurrentJob() const { return m_current; }
    uint32_t LastJobId() const { return m_last; }
    bool IsCurrentJob(uint32_t id) const { return id == m_current; }

    // Ids outside 1..255 are never open; setting them does nothing.
    bool IsOpen(uint32_t id) const;
    void SetOpen(uint32_t id, bool open);

    void ResetJobIds();
    // Issues 1 next again, keeping the current id and the open flags of the
    // jobs that are still in the table.
    void RestartIdSequence() { m_last = 0; }

    // The id that follows id in issuing order.
    static uint32_t IdAfter(uint32_t id) { return id >= kMaxId ? 1 : id + 1; }

private:
    uint32_t m_last = 0;
    uint32_t m_current = 1;
    int32_t m_open[kMaxId + 1] = {};
};

extern JobIdTable gJobIdTable;
