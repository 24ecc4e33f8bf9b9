#include "soak_report.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "installation.h"

namespace {

const size_t kViolationsKept = 30;
const char kSavedHeader[] = "soak report 1";

// One line each: a text with a line break would end its entry early.
std::string OneLine(std::string text)
{
    for (char& c : text)
        if (c == '\r' || c == '\n')
            c = ' ';
    return text;
}

}  // namespace

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
        if (m_label.empty())
            std::printf("VIOLATION: %s\n", text.c_str());
        else
            std::printf("VIOLATION (%s): %s\n", m_label.c_str(), text.c_str());
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

void SoakReport::SetLabel(const std::string& label)
{
    const std::lock_guard<std::mutex> hold(m_lock);
    m_label = label;
}

bool SoakReport::SaveTo(const std::string& path) const
{
    std::string text = std::string(kSavedHeader) + "\n";
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        text += "violations " + std::to_string(m_violations) + "\n";
        for (const std::string& violation : m_first)
            text += "violation " + OneLine(violation) + "\n";
        for (const auto& counter : m_counters)
            text += "count " + std::to_string(counter.second) + " " + OneLine(counter.first) + "\n";
    }
    return WriteWhole(path, text);
}

bool SoakReport::MergeFrom(const std::string& path, const std::string& label)
{
    std::istringstream lines(ReadShared(path));
    std::string line;
    if (!std::getline(lines, line) || line != kSavedHeader)
        return false;
    uint64_t total = 0;
    std::vector<std::string> first;
    std::map<std::string, uint64_t> counters;
    while (std::getline(lines, line)) {
        const size_t blank = line.find(' ');
        const std::string kind = line.substr(0, blank);
        const std::string rest = blank == std::string::npos ? std::string() : line.substr(blank + 1);
        char* end = nullptr;
        const uint64_t number = std::strtoull(rest.c_str(), &end, 10);
        if (kind == "violations" && end != rest.c_str() && *end == '\0')
            total = number;
        else if (kind == "violation")
            first.push_back(rest);
        else if (kind == "count" && end != rest.c_str() && *end == ' ')
            counters[end + 1] += number;
        else
            return false;
    }
    // Already printed by the process that saw them: kept for the summary only.
    const std::lock_guard<std::mutex> hold(m_lock);
    for (const std::string& violation : first)
        if (m_first.size() < kViolationsKept)
            m_first.push_back(label + ": " + violation);
    m_violations += total > first.size() ? total : first.size();
    for (const auto& counter : counters)
        m_counters[counter.first] += counter.second;
    return true;
}
