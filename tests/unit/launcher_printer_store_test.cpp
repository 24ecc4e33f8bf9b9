// Where the launcher finds the settings folder and the printer chosen in the
// settings program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "launcher/launcher_setup.h"
#include "launcher/stored_choice.h"
#include "launcher/stored_printer.h"
#include "fake_setup_platform.h"

namespace {

const char kCfg[] = "C:\\host\\KESTRO.cfg";

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
    EXPECT_EQ(setup.notes.size(), 2u) << "the log and the data folder values are missing";
    EXPECT_EQ(registry.calls.back(), "close");
    EXPECT_EQ(setup.documentName, "") << "no name set: documents carry only their job's";
    profile.Set(kCfg, "Spool Information", "FileName", "Front desk");
    EXPECT_EQ(ReadLauncherSetup(kCfg, profile, registry).documentName, "Front desk");

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

    // A name too long to be a printer's is not cut into another name.
    profile.Set("st.ini", "Printer Infomation", "SelectPrinterName", std::string(300, 'P'));
    EXPECT_EQ(ReadStoredPrinter("st.ini", profile).name, "");
}

TEST(LauncherStoredPrinter, ADeviceModeFileIsReadOnlyUpToItsBound)
{
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("launcher_devmode_" + std::to_string(getpid()));
    StreamByteFileReader files;
    std::vector<uint8_t> bytes = {1};
    EXPECT_EQ(files.ReadUpTo(path.string(), 100, bytes), ByteFileReader::kUnreadable);
    EXPECT_TRUE(bytes.empty());
    for (const size_t size : {size_t(0), size_t(100), size_t(101)}) {
        std::ofstream(path, std::ios::binary) << std::string(size, 'd');
        const ByteFileReader::Result result = files.ReadUpTo(path.string(), 100, bytes);
        EXPECT_EQ(result, size <= 100 ? ByteFileReader::kRead : ByteFileReader::kTooLarge) << size;
        EXPECT_EQ(bytes.size(), size <= 100 ? size : 0u) << "nothing of a larger file is read";
    }
    std::filesystem::remove(path);
}

}  // namespace
