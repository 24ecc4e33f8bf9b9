// What a soak run saw, shared by all of its threads: counters by name,
// violations of the host's invariant, and the figures for the summary.
// Every member is safe to call from any thread. The other host processes of
// a run save theirs to a file, which host 1 merges into its own.
#pragma once
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

class SoakReport {
public:
    // Adds n to counter `name` ("fault: launcher killed mid-job", ...).
    void Count(const std::string& name, uint64_t n = 1);
    uint64_t Counter(const std::string& name) const;
    std::map<std::string, uint64_t> Counters() const;

    // A broken invariant; the first ones are printed at once and kept whole.
    void Violation(const std::string& text);
    uint64_t Violations() const;
    std::vector<std::string> FirstViolations() const;

    // Violations are printed as "VIOLATION (label): ..." once a label is set.
    void SetLabel(const std::string& label);
    // Writes the counters and violations to path; false when not all was written.
    bool SaveTo(const std::string& path) const;
    // Adds the counters and violations saved in path, each violation led by
    // "label: "; false when the file is missing or not one SaveTo wrote.
    bool MergeFrom(const std::string& path, const std::string& label);

private:
    mutable std::mutex m_lock;
    std::map<std::string, uint64_t> m_counters;
    uint64_t m_violations = 0;
    std::vector<std::string> m_first;
    std::string m_label;
};
