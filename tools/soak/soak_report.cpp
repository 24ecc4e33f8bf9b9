#include "soak_report.h"

#include <cstdio>

namespace {
const size_t kViolationsKept = 30;
}

void SoakReport::Count(const std::string& name, uint64_t n)
{
    const std::lock_guard<std::mutex> hold(m_lock);
    m_counters[name] += n;
}

uint64_t SoakReport::Counter(const std::string& name) const
{
    const std::lock_guard<std::mutex> hold(m_lock);
    const auto found = m_counters.find(name);
    return found == m_counters.end() ? 0 : found->second;
}

std::map<std::string, uint64_t> SoakReport::Counters() const
{
    const std::lock_guard<std::mutex> hold(m_lock);
    return m_counters;
}

void SoakReport::Violation(const std::string& text)
{
    const std::lock_guard<std::mutex> hold(m_lock);
    if (++m_violations <= kViolationsKept) {
        m_first.push_back(text);
        std::printf("VIOLATION: %s\n", text.c_str());
        std::fflush(stdout);
    }
}

uint64_t SoakReport::Violations() const
{
    const std::lock_guard<std::mutex> hold(m_lock);
    return m_violations;
}

std::vector<std::string> SoakReport::FirstViolations() const
{
    const std::lock_guard<std::mutex> hold(m_lock);
    return m_first;
}
