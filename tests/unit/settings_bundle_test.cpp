// Print settings given to Setup: which files it takes as a station's print
// settings (and exactly which bytes it installs), and which it refuses with
// a reason; and the text Setup's MSI actions hand each other.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "action_data.h"
#include "devmode_bytes.h"
#include "settings_bundle.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

// The settings file Print Settings writes, with printer slot 3 chosen.
const char kStationFile[] =
    "[Velora Config]\r\nPrintAfterReceivedAllData=1\r\n"
    "[Print Setting]\r\nSortSetting=0\r\nPrintPosSetting=8\r\nPrintSizeSetting=0\r\n"
    "PageFramePrintSetting=1\r\nAutoRotatePrintSetting=1\r\n"
    "[Printer Infomation]\r\nSelectPrinterName=Office Laser\r\nSelectPrinterNo=3\r\n"
    "devmode3=Office Laser\r\nversion3=6.1\r\n";

struct Folder {
    std::map<std::string, std::vector<uint8_t>> files;
    std::vector<std::string> asked;

    SettingsBundle Check(const std::string& settingsText)
    {
        return CheckSettingsBundle(Bytes(settingsText), [this](const std::string& name, size_t limit,
                                                              std::vector<uint8_t>& bytes,
                                                              bool* missing, std::string* reason) {
            asked.push_back(name);
            const auto found = files.find(name);
            *missing = found == files.end();
            if (*missing)
                return false;
            if (found->second.size() > limit) {
                *reason = "is too large";
                return false;
            }
            bytes = found->second;
            return true;
        }, [](unsigned char) { return false; });
    }
};

}  // namespace

TEST(SettingsBundle, AStationsSettingsAreTakenWithThePrintersFilesAsTheyAre)
{
    Folder folder;
    folder.files["devmode3.bin"] = DevModeBytes(220, 16, 236);
    folder.files["devname3.bin"] = Bytes("names");
    folder.files["devmode1.bin"] = DevModeBytes(220, 0, 220);  // another printer's: not asked for
    const SettingsBundle bundle = folder.Check(kStationFile);
    ASSERT_TRUE(bundle.Sound()) << bundle.problem;
    ASSERT_EQ(bundle.files.size(), 3u);
    EXPECT_EQ(bundle.files[0].name, "KESTROst.ini");
    EXPECT_EQ(bundle.files[0].bytes, Bytes(kStationFile));
    EXPECT_EQ(bundle.files[1].name, "devmode3.bin");
    EXPECT_EQ(bundle.files[1].bytes, folder.files["devmode3.bin"]);
    EXPECT_EQ(bundle.files[2].name, "devname3.bin");
    EXPECT_EQ(folder.asked, (std::vector<std::string>{"devmode3.bin", "devname3.bin"}));

    // Without device names, and with the default printer (no device mode at all).
    folder.files.erase("devname3.bin");
    EXPECT_EQ(folder.Check(kStationFile).files.size(), 2u);
    const SettingsBundle defaultPrinter =
        folder.Check("; by hand\n[Print Setting]\nNupPrintSetting = 2\nAutoPaperChange=-7\n"
                     "[Printer Infomation]\nSelectPrinterName=\n");
    EXPECT_TRUE(defaultPrinter.Sound()) << defaultPrinter.problem;
    EXPECT_EQ(defaultPrinter.files.size(), 1u);
}

TEST(SettingsBundle, EveryUnsoundFileIsRefusedWithItsReason)
{
    const std::string printer = "[Printer Infomation]\nSelectPrinterName=Office Laser\nSelectPrinterNo=3\n";
    const struct {
        std::string text;
        std::vector<uint8_t> devMode;  // devmode3.bin; empty: missing
        const char* reason;
    } cases[] = {
        {"[Print Setting]\nPrintPosSetting=9\n", {}, "\"PrintPosSetting\" in section \"Print Setting\" is 9, outside 0 to 8"},
        {"[Print Setting]\nNupPrintSetting=-1\n", {}, "is -1, outside 0 to 2"},
        {"[Print Setting]\nSortSetting=2\n", {}, "outside 0 to 1"},
        {"[Velora Config]\nPrintAfterReceivedAllData=yes\n", {}, "is \"yes\", not a number"},
        {"[Print Setting]\nPrintSizeSetting=4294967297\n", {}, "not a number"},
        {"[Print Setting]\nPrintSizeSetting=\n", {}, "not a number"},
        {"PK\x03\x04 zipped", {}, "not an INI file: line 1 stands before any section"},
        {"[Print Setting]\nPrintPosSetting=4\njust words\n", {}, "line 3 is neither"},
        {"[]\n", {}, "line 1 starts a section without a name"},
        {std::string("[Print Setting]\nPrintPosSetting=4\0\n", 34), {}, "zero bytes"},
        {"[Velora Config]\nJobLimit=5\n", {}, "holds none of the print settings"},
        {"[Print Setting]\nPrintPosSetting=4\n" + printer, {}, "devmode3.bin of the printer \"Office Laser\" is not beside it"},
        {"[Print Setting]\nPrintPosSetting=4\n" + printer, DevModeBytes(220, 16, 230), "cut short"},
        {"[Print Setting]\nPrintPosSetting=4\n" + printer, std::vector<uint8_t>(kMaxDevModeFileSize + 1),
         "is too large"},
        {"[Print Setting]\nPrintPosSetting=4\n[Printer Infomation]\nSelectPrinterName=X\nSelectPrinterNo=-2\n",
         {}, "has no stored slot number"},
        {std::string(kMaxSettingsFileSize + 1, ';'), {}, "larger than 65536 bytes"},
    };
    for (const auto& c : cases) {
        Folder folder;
        if (!c.devMode.empty())
            folder.files["devmode3.bin"] = c.devMode;
        const SettingsBundle bundle = folder.Check(c.text);
        EXPECT_FALSE(bundle.Sound()) << c.text;
        EXPECT_NE(bundle.problem.find(c.reason), std::string::npos)
            << c.text << "\n  said: " << bundle.problem;
    }
}

TEST(ActionData, FieldsOfAnyBytesPassWholeAndDamagedTextIsRefused)
{
    ActionData data;
    data.Set("base", "C:\\ProgramData");
    data.SetBytes("file0.bytes", {0, 255, ';', '=', '\n'});
    ActionData read;
    ASSERT_TRUE(read.Decode(data.Encode()));
    EXPECT_EQ(read.Get("base"), "C:\\ProgramData");
    EXPECT_EQ(read.GetBytes("file0.bytes"), (std::vector<uint8_t>{0, 255, ';', '=', '\n'}));
    EXPECT_FALSE(read.Has("file1.name"));
    EXPECT_TRUE(read.Decode(""));
    EXPECT_FALSE(read.Has("base"));
    for (const char* damaged : {"base=4", "base=zz", "=41", "a b=41", "base=41;base=41", "base"})
        EXPECT_FALSE(read.Decode(damaged)) << damaged;

    const std::vector<ListedFile> files =
        ParseFileList("jobport.dll|H|the scanning program*Tessary.cfg||*KESTRO.cfg|HK|*");
    ASSERT_EQ(files.size(), 3u);
    EXPECT_TRUE(files[0].host && !files[0].keep && files[0].heldBy == "the scanning program");
    EXPECT_TRUE(!files[1].host && !files[1].keep && files[1].heldBy.empty());
    EXPECT_TRUE(files[2].host && files[2].keep);
}
