// What the installation says about the print guard: the event's name, from
// "Tessary.cfg" beside the launcher (the settings program's own file, so both
// programs meet on one name), and how long the launcher waits for the guard,
// from "KESTRO.cfg".
#pragma once
#include <cstdint>
#include <string>

#include "jobport_readers/profile_reader.h"
#include "shared_formats/print_guard_name.h"

const uint32_t kDefaultPrintGuardWaitMs = 10000;
const uint32_t kMaxPrintGuardWaitMs = 60000;

// "PrintGuardWaitMs" of section "Spool Information" in the file at cfgPath,
// in milliseconds: absent gives the default; a number above the maximum, or
// a negative one (compared as unsigned), gives the maximum; 0 means not to
// wait at all.
uint32_t ReadPrintGuardWaitMs(const char* cfgPath, ProfileReader& profile);

struct PrintGuardName {
    std::string name;  // empty: the stored printer is read without a guard
    std::string note;  // why there is no guard, for the log; empty when there is one
};

// Key "EventName" of section "Event Information" in the file at tessaryCfg;
// found tells whether that file exists (the profile functions cannot tell a
// missing file from a missing key). A name JudgePrintGuardName finds missing
// or too long counts as none.
PrintGuardName ReadPrintGuardName(const std::string& tessaryCfg, bool found,
                                  ProfileReader& profile);
