// The launcher reads the printer stored by the settings program only while it
// holds the print guard, sets the guard free on every path, and prints on
// what it read last (or the default printer) when the guard stays busy.
#include <gtest/gtest.h>

#include <deque>
#include <stdexcept>

#include "launcher/launcher_setup.h"
#include "launcher/print_guard_setup.h"
#include "launcher/stored_choice.h"
#include "fake_setup_platform.h"

namespace {

const char kTessaryCfg[] = "C:\\install\\Tessary.cfg";
const char kSettingsFile[] = "D:\\ini\\KESTROst.ini";
const char kDevMode3[] = "D:\\ini\\devmode3.bin";

using Journal = std::vector<std::string>;

// The settings program's side: its guard (each Hold answers with the next
// planned result, free once the plan runs out), its settings file and its
// device-mode file, journalling every use in order.
class FakeSettingsSide : public FakeProfile, public PrintGuardEvent, public ByteFileReader {
public:
    Journal journal;
    std::deque<Wait> plan;
    bool held = false;
    bool devModeFails = false;

    void Store(const std::string& name)
    {
        Set(kSettingsFile, "Printer Infomation", "SelectPrinterName", name);
        Set(kSettingsFile, "Printer Infomation", "SelectPrinterNo", "3");
    }
    Wait Hold(uint32_t waitMs) override
    {
        journal.push_back("hold " + std::to_string(waitMs));
        const Wait answer = plan.empty() ? kHeld : plan.front();
        if (!plan.empty())
            plan.pop_front();
        held = answer == kHeld;
        return answer;
    }
    void Release() override
    {
        if (held)
            journal.push_back("release");
        held = false;
    }
    size_t ReadString(const char* path, const char* section, const char* key, const char* def,
                      char* buffer, size_t size) override
    {
        journal.push_back(std::string("read ") + key);
        return FakeProfile::ReadString(path, section, key, def, buffer, size);
    }
    Result ReadUpTo(const std::string& path, size_t limit, std::vector<uint8_t>& bytes) override
    {
        journal.push_back("read " + path + " up to " + std::to_string(limit));
        if (devModeFails)
            throw std::runtime_error("disk gone");
        bytes = {7};
        return kRead;
    }
};

class LauncherStoredChoice : public ::testing::Test {
protected:
    StoredChoiceReader Reader(PrintGuardEvent* guard, uint32_t waitMs = 5000,
                              const std::string& folder = "D:\\ini")
    {
        return StoredChoiceReader(folder, guard, waitMs, side, side,
                                  [this](const std::string& line) { log = line; });
    }

    FakeSettingsSide side;
    std::string log;  // the last line logged
};

TEST(LauncherPrintGuardSetup, TheNameComesFromTessaryCfgAndTheBoundFromKestroCfg)
{
    FakeProfile profile;
    EXPECT_NE(ReadPrintGuardName(kTessaryCfg, false, profile).note.find("not found"),
              std::string::npos);
    EXPECT_NE(ReadPrintGuardName(kTessaryCfg, true, profile).note.find("names no \"EventName\""),
              std::string::npos);
    profile.Set(kTessaryCfg, "Event Information", "EventName", std::string(260, 'g'));
    const PrintGuardName tooLong = ReadPrintGuardName(kTessaryCfg, true, profile);
    EXPECT_EQ(tooLong.name, "") << "a name the system would refuse is not cut to fit";
    EXPECT_NE(tooLong.note.find("too long"), std::string::npos);
    profile.Set(kTessaryCfg, "Event Information", "EventName", "KestroPrintGuard");
    const PrintGuardName guard = ReadPrintGuardName(kTessaryCfg, true, profile);
    EXPECT_EQ(guard.name, "KestroPrintGuard");
    EXPECT_EQ(guard.note, "");

    const char kCfg[] = "C:\\host\\KESTRO.cfg";
    FakeRegistry registry;
    EXPECT_EQ(ReadLauncherSetup(kCfg, profile, registry).printGuardWaitMs, 10000u);
    for (const auto& bound : {std::make_pair("2500", 2500u), std::make_pair("0", 0u),
                              std::make_pair("70000", 60000u), std::make_pair("-1", 60000u)}) {
        profile.Set(kCfg, "Spool Information", "PrintGuardWaitMs", bound.first);
        EXPECT_EQ(ReadLauncherSetup(kCfg, profile, registry).printGuardWaitMs, bound.second)
            << bound.first;
    }
}

TEST_F(LauncherStoredChoice, TheStoreIsReadOnlyWhileTheGuardIsHeldAndTheGuardIsFreedOnEveryPath)
{
    side.Store("Office laser");
    StoredChoiceReader reader = Reader(&side);
    StoredChoice choice = reader.Current();
    EXPECT_EQ(side.journal, (Journal{"hold 0", "read SelectPrinterName", "read SelectPrinterNo",
                                     std::string("read ") + kDevMode3 + " up to 65536", "release"}));
    EXPECT_EQ(choice.printer.name, "Office laser");
    EXPECT_EQ(choice.devModeFile, kDevMode3);
    EXPECT_EQ(choice.devMode, std::vector<uint8_t>{7});

    // Busy at first, free within the bound: waited for, then read.
    side.journal.clear();
    side.plan = {PrintGuardEvent::kBusy, PrintGuardEvent::kHeld};
    EXPECT_EQ(reader.Current().printer.name, "Office laser");
    EXPECT_EQ(side.journal[1], "hold 5000");
    EXPECT_EQ(side.journal.back(), "release");
    EXPECT_NE(log.find("waiting up to 5000 ms"), std::string::npos) << log;

    // A read that fails halfway still sets the guard free.
    side.devModeFails = true;
    EXPECT_THROW(reader.Current(), std::runtime_error);
    EXPECT_EQ(side.journal.back(), "release");
    EXPECT_FALSE(side.held);
}

TEST_F(LauncherStoredChoice, AGuardBusyBeyondTheBoundLeavesTheDefaultPrinterThenTheChoiceReadLast)
{
    side.Store("Office laser");
    StoredChoiceReader reader = Reader(&side);
    side.plan = {PrintGuardEvent::kBusy, PrintGuardEvent::kBusy};
    EXPECT_EQ(reader.Current().printer.name, "") << "nothing read yet: the default printer";
    EXPECT_EQ(side.journal, (Journal{"hold 0", "hold 5000"})) << "neither read nor set free";
    EXPECT_NE(log.find("busy for 5000 ms: no printer choice was read yet, the default printer"),
              std::string::npos) << log;

    EXPECT_EQ(reader.Current().printer.name, "Office laser");
    side.Store("Back office");
    side.plan = {PrintGuardEvent::kBusy, PrintGuardEvent::kBusy};
    const StoredChoice last = reader.Current();
    EXPECT_EQ(last.printer.name, "Office laser") << "what was read last, not the files now";
    EXPECT_EQ(last.devMode, std::vector<uint8_t>{7});
    EXPECT_NE(log.find("read last is used (\"Office laser\")"), std::string::npos) << log;

    // Without a guard, or with one that failed, the store is read unguarded;
    // with a bound of 0 a busy guard is not waited for; without a settings
    // folder nothing is read and the guard is not touched.
    side.journal.clear();
    EXPECT_EQ(Reader(nullptr).Current().printer.name, "Back office");
    side.plan = {PrintGuardEvent::kFailed};
    EXPECT_EQ(Reader(&side).Current().printer.name, "Back office");
    side.plan = {PrintGuardEvent::kBusy};
    EXPECT_EQ(Reader(&side, 0).Current().printer.name, "");
    EXPECT_EQ(Reader(&side, 5000, "").Current().printer.name, "");
    EXPECT_EQ(side.journal, (Journal{"read SelectPrinterName", "read SelectPrinterNo",
                                     std::string("read ") + kDevMode3 + " up to 65536", "hold 0",
                                     "read SelectPrinterName", "read SelectPrinterNo",
                                     std::string("read ") + kDevMode3 + " up to 65536", "hold 0"}));
}

}  // namespace
