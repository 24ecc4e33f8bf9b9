// What OK stores and what the next start of the real Tessary.exe makes of
// it: printer slots with their device-mode and device-names files and the
// keys of "Printer Infomation", a stored printer that is gone, a changed
// driver, and no printer at all.
#include <windows.h>

#include <commdlg.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "printer_setup.h"
#include "tessary_fixture.h"
#include "win32_shared/global_memory_win32.h"

namespace {

using Texts = std::vector<std::string>;

const char kSection[] = "Printer Infomation";
const int kPrinterList = 1136;
const int kPortrait = 1056;
const int kLandscape = 1057;

std::string Slot(const char* prefix, int slot, const char* suffix = "")
{
    return prefix + std::to_string(slot) + suffix;
}

// A device-names block: three offsets and a zero word, then each name with
// its terminating zero and one more zero byte.
std::string DevNamesBlock(const std::string& driver, const std::string& device,
                          const std::string& port)
{
    const size_t deviceOffset = 8 + driver.size() + 2;
    const size_t portOffset = deviceOffset + device.size() + 2;
    const unsigned words[] = {8, static_cast<unsigned>(deviceOffset),
                              static_cast<unsigned>(portOffset), 0};
    std::string block;
    for (unsigned word : words) {
        block += static_cast<char>(word & 0xFF);
        block += static_cast<char>(word >> 8);
    }
    for (const std::string* name : {&driver, &device, &port})
        block += *name + std::string(2, '\0');
    return block;
}

// The driver name the common dialog gives the default printer.
std::string DefaultDriverName()
{
    PRINTDLGA query = {};
    query.lStructSize = sizeof query;
    query.Flags = PD_RETURNDEFAULT;
    if (!PrintDlgA(&query))
        return std::string();
    const GlobalBlock devMode(query.hDevMode);
    const GlobalBlock devNames(query.hDevNames);
    const GlobalLockScope lock(devNames.Get());
    const DEVNAMES* names = static_cast<const DEVNAMES*>(lock.Data());
    return names ? reinterpret_cast<const char*>(names) + names->wDriverOffset : std::string();
}

class TessaryPrintersTest : public TessaryTest {
protected:
    void SetUp() override
    {
        TessaryTest::SetUp();
        m_driver = DefaultDriverName();
    }

    // Slot `slot` holds printer's files with this orientation.
    void ExpectSlot(int slot, const char* printer, short orientation)
    {
        const StoredDevMode devMode = DevModeFile(slot);
        EXPECT_GT(devMode.bytes.size(), 44u + 2u);
        EXPECT_EQ(devMode.bytes.size(), devMode.HeaderLength());
        EXPECT_EQ(devMode.DeviceName(), printer);
        EXPECT_TRUE(devMode.Fields() & DM_ORIENTATION);
        EXPECT_EQ(devMode.Orientation(), static_cast<unsigned>(orientation)) << printer;
        EXPECT_EQ(ReadShared(DataPath(Slot("devname", slot, ".bin"))),
                  DevNamesBlock(m_driver, printer, kPrinterPort));
        EXPECT_EQ(Setting(kSection, Slot("devmode", slot)), printer);
    }

    std::string m_driver;
};

TEST_F(TessaryPrintersTest, EachPrinterKeepsItsSlotWithWhatTheUserChose)
{
    ASSERT_FALSE(m_driver.empty());
    // First OK on the default printer: slot 0, keys in this order.
    SaveWith(nullptr, false);
    const std::string version = Setting(kSection, "version0");
    EXPECT_EQ(SectionLines(kSection),
              Texts({"SelectPrinterName=" + std::string(kPrinterA), "SelectPrinterNo=0",
                     "devmode0=" + std::string(kPrinterA), "version0=" + version}));
    ExpectSlot(0, kPrinterA, DMORIENT_PORTRAIT);
    Texts names;
    for (const auto& file : DataFiles())
        names.push_back(file.first);
    EXPECT_EQ(names, Texts({"KESTROst.ini", "devmode0.bin", "devname0.bin"}));
    const std::string slot0 = DevModeFile(0).bytes;

    // Another printer and the other orientation, chosen in the dialog.
    SaveWith(kPrinterB, true);
    EXPECT_EQ(Setting(kSection, "SelectPrinterName"), kPrinterB);
    EXPECT_EQ(Setting(kSection, "SelectPrinterNo"), "1");
    EXPECT_EQ(Setting(kSection, "version1"), version);
    ExpectSlot(1, kPrinterB, DMORIENT_LANDSCAPE);
    EXPECT_EQ(DevModeFile(0).bytes, slot0);

    // The next start shows B as stored; A again takes slot 0 back.
    DWORD process = 0;
    const HWND dialog = OpenDialog(&process);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog::ComboSelection(dialog, kPrinterList), kPrinterB);
    EXPECT_TRUE(dialog::IsChecked(dialog, kLandscape));
    ChoosePrinter(dialog, kPrinterA, true);
    dialog::Click(dialog, IDOK);
    ASSERT_TRUE(WaitForEnd(process));
    EXPECT_EQ(SectionLines(kSection),
              Texts({"SelectPrinterName=" + std::string(kPrinterA), "SelectPrinterNo=0",
                     "devmode0=" + std::string(kPrinterA), "version0=" + version,
                     "devmode1=" + std::string(kPrinterB), "version1=" + version}));
    ExpectSlot(0, kPrinterA, DMORIENT_LANDSCAPE);
    ExpectSlot(1, kPrinterB, DMORIENT_LANDSCAPE);
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(TessaryPrintersTest, StoredPrinterGoneIsForgottenAndItsSlotReused)
{
    SaveWith(kPrinterB, true);
    std::string error;
    ASSERT_TRUE(wine_printers::RemovePrinter(kPrinterB, error)) << error;

    DWORD process = 0;
    const HWND dialog = OpenDialog(&process);
    ASSERT_TRUE(dialog);
    const std::vector<SeenBox> boxes = WaitForBoxes(1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, ConfigText("DlgTitle"));
    EXPECT_EQ(boxes[0].text, ConfigText("DeletePrinterMsg"));
    EXPECT_EQ(std::string(BoxIconName(boxes[0].icon)), BoxIconName(BoxIcon::Exclamation));
    EXPECT_FALSE(PathExists(DataPath("devmode0.bin")));
    EXPECT_FALSE(PathExists(DataPath("devname0.bin")));
    EXPECT_EQ(SectionLines(kSection),
              Texts({"SelectPrinterName=", "SelectPrinterNo=", "devmode0=", "version0="}));
    EXPECT_EQ(dialog::ComboItems(dialog, kPrinterList), Texts({kPrinterA, kPrinterC}));
    EXPECT_EQ(dialog::ComboSelection(dialog, kPrinterList), kPrinterA);
    EXPECT_TRUE(dialog::IsChecked(dialog, kPortrait));

    // The emptied slot is the next printer's.
    ChoosePrinter(dialog, kPrinterC, false);
    dialog::Click(dialog, IDOK);
    ASSERT_TRUE(WaitForEnd(process));
    EXPECT_EQ(Setting(kSection, "SelectPrinterNo"), "0");
    ExpectSlot(0, kPrinterC, DMORIENT_PORTRAIT);
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(TessaryPrintersTest, ChangedDriverOrCutDeviceModeFileBringsThePrintersOwnSettings)
{
    const std::string changed[] = {"version", "device mode file"};
    for (const std::string& change : changed) {
        SCOPED_TRACE(change);
        SaveWith(nullptr, true);
        const std::string version = Setting(kSection, "version0");
        const size_t length = DevModeFile(0).bytes.size();
        ASSERT_EQ(DevModeFile(0).Orientation(), static_cast<unsigned>(DMORIENT_LANDSCAPE));
        if (change == "version")
            WritePrivateProfileStringA(kSection, "version0", "0.9 (older driver)",
                                       SettingsPath().c_str());
        else  // still a whole header, but shorter than the header says
            WriteWhole(DataPath("devmode0.bin"), DevModeFile(0).bytes.substr(0, 100));

        DWORD process = 0;
        const HWND dialog = OpenDialog(&process);
        ASSERT_TRUE(dialog);
        const std::vector<SeenBox> boxes = WaitForBoxes(1);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, ConfigText("DifferentPrinterVersion"));
        EXPECT_EQ(std::string(BoxIconName(boxes[0].icon)), BoxIconName(BoxIcon::Exclamation));
        // The printer's own default (portrait) replaces the stored landscape.
        EXPECT_EQ(dialog::ComboSelection(dialog, kPrinterList), kPrinterA);
        EXPECT_TRUE(dialog::IsChecked(dialog, kPortrait));
        EXPECT_EQ(DevModeFile(0).bytes.size(), length);
        EXPECT_EQ(DevModeFile(0).Orientation(), static_cast<unsigned>(DMORIENT_PORTRAIT));
        EXPECT_EQ(Setting(kSection, "version0"), version);
        dialog::Click(dialog, IDCANCEL);
        EXPECT_TRUE(WaitForEnd(process));
    }
}

TEST_F(TessaryPrintersTest, NoPrinterAtAllEndsTheProgramWithItsMessage)
{
    std::string error;
    ASSERT_TRUE(wine_printers::RemoveAllPrinters(error)) << error;
    const DWORD process = Start();
    const std::vector<SeenBox> boxes = WaitForBoxes(1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, ConfigText("DlgTitle"));
    EXPECT_EQ(boxes[0].text, ConfigText("NoPrinterMsg"));
    EXPECT_EQ(std::string(BoxIconName(boxes[0].icon)), BoxIconName(BoxIcon::Exclamation));
    // Had the dialog been shown, nobody would have closed it.
    EXPECT_TRUE(WaitForEnd(process));
    EXPECT_TRUE(DataFiles().empty());
}

}  // namespace
