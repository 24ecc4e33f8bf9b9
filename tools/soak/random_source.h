// A small seeded generator (splitmix64): the same seed gives the same
// choices on every machine, so a failing run can be replayed.
#pragma once
#include <cstdint>

class RandomSource {
public:
    explicit RandomSource(uint64_t seed) : m_state(seed) {}

    uint64_t Next()
    {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A number in [0, n); 0 when n is 0.
    uint32_t Below(uint32_t n) { return n == 0 ? 0 : static_cast<uint32_t>(Next() % n); }
    // A number in [low, high].
    uint32_t Between(uint32_t low, uint32_t high) { return low + Below(high - low + 1); }
    // True in `percent` of the calls (tenths of a percent: 15 = 1.5 %).
    bool PerMille(uint32_t perMille) { return Below(1000) < perMille; }

private:
    uint64_t m_state;
};
