// The print settings file "KESTROst.ini" as the soak keeps it: the three
// values that choose a job's print method written before each job, and the
// faults a user or another program can leave in it (missing, garbage, a
// value out of range).
#pragma once
#include <string>

#include "expected_print_method.h"
#include "random_source.h"

class PrintSettingsFile {
public:
    enum class State { Sound, Missing, Garbage, OutOfRange };

    explicit PrintSettingsFile(std::string path) : m_path(std::move(path)) {}

    // Writes every value (the file is sound again); false when it cannot.
    bool WriteWhole(const PrintChoice& choice);
    // Writes the values that choose the print method, those that changed only.
    bool Choose(const PrintChoice& choice);
    // The faults.
    bool Remove();
    bool FillWithGarbage(RandomSource& random);
    bool PutValueOutOfRange();

    State Current() const { return m_state; }

private:
    bool WriteRaw(const std::string& content);

    std::string m_path;
    State m_state = State::Missing;
    PrintChoice m_written;
};
