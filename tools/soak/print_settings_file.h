// The print settings file "KESTROst.ini" as the soak keeps it: the three
// values that choose a job's print method written before each job, and the
// faults a user or another program can leave in it (missing, garbage, a
// value out of range). Every host process of the soak writes it, so its
// state is read from the file itself each time.
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
    // In a sound file: writes those values that choose the print method and
    // differ from what the file holds (another host process may have
    // written others since).
    bool Choose(const PrintChoice& choice);
    // The faults.
    bool Remove();
    bool FillWithGarbage(RandomSource& random);
    bool PutValueOutOfRange();

    // What the file holds now: garbage never holds a section, a sound file
    // never holds the value out of range.
    State Current() const;

private:
    bool WriteRaw(const std::string& content);

    std::string m_path;
};
