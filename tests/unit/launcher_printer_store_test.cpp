// Where the launcher finds the settings folder and the printer chosen in the
// settings program, and how much of a stored device mode it can trust.
#include <gtest/gtest.h>

#include <vector>

#include "../../launcher/launcher_setup.h"
#include "../../launcher/stored_printer.h"
#include "fake_setup_platform.h"

namespace {

const char kCfg[] = "C:\\host\\KESTRO.cfg";

std::vector<uint8_t> DevMode(uint16_t publicSize, uint16_t privateSize, size_t fileSize)
{
    std::vector<uint8_t> bytes(fileSize, 0);
    if (fileSize >= 40) {
        bytes[36] = static_cast<uint8_t>(publicSize);
        bytes[37] = static_cast<uint8_t>(publicSize >> 8);
        bytes[38] = static_cast<uint8_t>(privateSize);
        bytes[39] = static_cast<uint8_t>(privateSize >> 8);
    }
    return bytes;
}

TEST(LauncherSetupReading, FoldersComeFromTheRegistryValuesTheConfigurationNames)
{
    FakeProfile profile;
    FakeRegistry registry;
    profile.Set(kCfg, "Registry for Velora", "Manufacturer", "Other");
    profile.Set(kCfg, "Registry for Velora", "Value4ini", "Ini Folder");
    profile.Set(kCfg, "Velora Message for Dialog", "CannotPrintTitle", "Not printed");
    registry.SetText("SOFTWARE\\Other\\Corvane-Suite\\Quillmate", "Ini Folder", "E:\\ini\\");
    const LauncherSetup setup = ReadLauncherSetup(kCfg, profile, registry);
    EXPECT_EQ(setup.SettingsFile(), "E:\\ini\\KESTROst.ini");
    EXPECT_EQ(setup.cannotPrintTitle, "Not printed");
    EXPECT_EQ(setup.cannotPrintMessage, "Cannot Print by Velora");
    EXPECT_EQ(setup.logFolder, "") << "a missing log value hides nothing else";
    EXPECT_EQ(setup.notes.size(), 1u);
    EXPECT_EQ(registry.calls.back(), "close");

    const LauncherSetup none = ReadLauncherSetup("", profile, registry);
    EXPECT_EQ(none.SettingsFile(), "");
    EXPECT_EQ(none.notes.size(), 2u);
}

TEST(LauncherStoredPrinter, NameAndSlotAreReadAsTheSettingsProgramWritesThem)
{
    FakeProfile profile;
    EXPECT_EQ(ReadStoredPrinter("st.ini", profile).name, "");
    profile.Set("st.ini", "Printer Infomation", "SelectPrinterName", "Office laser");
    profile.Set("st.ini", "Printer Infomation", "SelectPrinterNo", " 12 ");
    const StoredPrinter printer = ReadStoredPrinter("st.ini", profile);
    EXPECT_EQ(printer.name, "Office laser");
    EXPECT_EQ(DevModeFilePath("D:\\ini", printer.slot), "D:\\ini\\devmode12.bin");
    EXPECT_EQ(PlainDecimal("  -3x"), -3);
    EXPECT_EQ(PlainDecimal("slot"), 0);
    EXPECT_EQ(PlainDecimal("99999999999"), 0);
}

TEST(LauncherStoredPrinter, ADeviceModeIsUsedOnlyAsFarAsTheFileHoldsIt)
{
    const std::vector<uint8_t> whole = DevMode(156, 20, 176);
    StoredDevModeParts parts = InspectStoredDevMode(whole.data(), whole.size());
    EXPECT_TRUE(parts.usable);
    EXPECT_EQ(parts.publicSize, 156u);
    EXPECT_EQ(parts.privateSize, 20u);

    // Written with the private size of an older driver: the public part only.
    const std::vector<uint8_t> cut = DevMode(156, 20, 170);
    parts = InspectStoredDevMode(cut.data(), cut.size());
    EXPECT_TRUE(parts.usable);
    EXPECT_EQ(parts.privateSize, 0u);

    for (const std::vector<uint8_t>& bad :
         {DevMode(156, 0, 100), DevMode(40, 0, 156), DevMode(0, 0, 39), std::vector<uint8_t>()})
        EXPECT_FALSE(InspectStoredDevMode(bad.data(), bad.size()).usable) << bad.size();
}

}  // namespace
