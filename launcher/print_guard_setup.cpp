#include "print_guard_setup.h"

#include "jobport_readers/config_reader.h"

namespace {

const char kUnguarded[] = ": the stored printer is read without the print guard";

}  // namespace

uint32_t ReadPrintGuardWaitMs(const char* cfgPath, ProfileReader& profile)
{
    const int32_t stored = profile.ReadInt(cfgPath, kCfgSpoolSection, "PrintGuardWaitMs",
                                           static_cast<int32_t>(kDefaultPrintGuardWaitMs));
    const uint32_t value = static_cast<uint32_t>(stored);
    return value > kMaxPrintGuardWaitMs ? kMaxPrintGuardWaitMs : value;
}

PrintGuardName ReadPrintGuardName(const std::string& tessaryCfg, bool found,
                                  ProfileReader& profile)
{
    PrintGuardName guard;
    if (!found) {
        guard.note = "\"" + tessaryCfg + "\" not found" + kUnguarded;
        return guard;
    }
    // One character more than a name may have, so a longer one shows.
    char name[kMaxPrintGuardNameLength + 2];
    const size_t length = profile.ReadString(tessaryCfg.c_str(), kPrintGuardSection,
                                             kPrintGuardKey, "", name, sizeof name);
    switch (JudgePrintGuardName(length)) {
    case PrintGuardNameState::Missing:
        guard.note = "\"" + tessaryCfg + "\" names no \"EventName\"" + kUnguarded;
        break;
    case PrintGuardNameState::TooLong:
        guard.note = "the \"EventName\" in \"" + tessaryCfg + "\" is too long" + kUnguarded;
        break;
    case PrintGuardNameState::Usable:
        guard.name.assign(name, length);
        break;
    }
    return guard;
}
