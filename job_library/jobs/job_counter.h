// gJobCnt: how many jobs the job table holds.
#pragma once
#include <cstdint>

class JobCounter {
public:
    // Adds one unless the count is already at or above limit.
    bool IncrementWithLimit(uint32_t limit);
    // Takes one away unless the count is 0.
    bool Decrement();
    uint32_t Count() const { return m_count; }
    void Reset() { m_count = 0; }

private:
    uint32_t m_count = 0;
};

extern JobCounter gJobCnt;
