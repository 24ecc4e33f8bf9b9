// The print guard: a named event the settings program holds reset while it
// reads or writes the print settings file and the device-mode files, and
// the launcher waits for before it reads them. Both programs take its name
// from key "EventName" of section "Event Information" in "Tessary.cfg" (the
// settings program's file, beside both programs) and judge it alike.
#pragma once
#include <cstddef>

constexpr char kTessaryCfgFileName[] = "Tessary.cfg";
constexpr char kPrintGuardSection[] = "Event Information";
constexpr char kPrintGuardKey[] = "EventName";

// The longest name the system accepts for a named object, without
// terminator. Read the name into a buffer one character longer than this
// plus its terminator, so that a longer name shows.
const size_t kMaxPrintGuardNameLength = 259;

enum class PrintGuardNameState {
    Usable,
    Missing,  // empty: nothing to meet on
    TooLong,  // a cut name would guard nothing
};

// What a name of `length` characters read from "EventName" is.
PrintGuardNameState JudgePrintGuardName(size_t length);
