// Starting and leaving the real Tessary.exe: one instance at a time, the
// print guard held by another program at start and at OK, and the three
// ways out that save nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "shared_formats/print_guard_name.h"
#include "tessary_fixture.h"

namespace {

const int kLandscape = 1057;
const int kHorizontalList = 11014;

using TessaryStartupTest = TessaryTest;

TEST_F(TessaryStartupTest, SecondInstanceEndsSilentlyAndLeavesTheFirstAsItWas)
{
    DWORD first = 0;
    const HWND dialog = OpenDialog(&first);
    ASSERT_TRUE(dialog);
    dialog::Choose(dialog, kHorizontalList, ConfigText("HorizontalCmbRight"));
    const std::string placed = dialog::WindowRectText(dialog);

    const DWORD second = Start();
    EXPECT_TRUE(WaitForEnd(second));
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_TRUE(IsRunning(first));
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(dialog::WindowRectText(dialog), placed);
    EXPECT_EQ(dialog::ComboSelection(dialog, kHorizontalList), ConfigText("HorizontalCmbRight"));
    EXPECT_EQ(VisibleDialogs(first), std::vector<HWND>({dialog}));

    dialog::Click(dialog, IDCANCEL);
    EXPECT_TRUE(WaitForEnd(first));
    EXPECT_TRUE(DataFiles().empty());
}

TEST_F(TessaryStartupTest, PrintGuardHeldElsewhereKeepsTheFilesUntouched)
{
    KernelHandle guard = HoldPrintGuard();
    ASSERT_TRUE(guard);

    // At start: the message, no dialog, the program ends.
    DWORD process = Start();
    std::vector<SeenBox> boxes = WaitForBoxes(1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, ConfigText("DlgTitle"));
    EXPECT_EQ(boxes[0].text, ConfigText("TessPrinttingMsg"));
    EXPECT_EQ(std::string(BoxIconName(boxes[0].icon)), BoxIconName(BoxIcon::Exclamation));
    EXPECT_TRUE(WaitForEnd(process));
    EXPECT_TRUE(DataFiles().empty());

    // At OK: the message with a stop icon, the dialog stays with the choice.
    SetEvent(guard.Get());
    const HWND dialog = OpenDialog(&process);
    ASSERT_TRUE(dialog);
    ResetEvent(guard.Get());
    ChoosePrinter(dialog, kPrinterB, true);
    dialog::Click(dialog, IDOK);
    boxes = WaitForBoxes(1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, ConfigText("DlgTitle"));
    EXPECT_EQ(boxes[0].text, ConfigText("TessPrinttingMsg"));
    EXPECT_EQ(std::string(BoxIconName(boxes[0].icon)), BoxIconName(BoxIcon::Stop));
    EXPECT_TRUE(IsRunning(process));
    // The closed box may still be on screen for a moment.
    EXPECT_TRUE(WaitUntil(
        [&] { return VisibleDialogs(process) == std::vector<HWND>({dialog}); }));
    EXPECT_TRUE(dialog::IsChecked(dialog, kLandscape));
    EXPECT_TRUE(DataFiles().empty());

    // Printing has finished: OK saves what was chosen.
    SetEvent(guard.Get());
    dialog::Click(dialog, IDOK);
    EXPECT_TRUE(WaitForEnd(process));
    EXPECT_EQ(Setting("Printer Infomation", "SelectPrinterName"), kPrinterB);
    EXPECT_EQ(DevModeFile(0).Orientation(), static_cast<unsigned>(DMORIENT_LANDSCAPE));
    EXPECT_TRUE(TakeBoxes().empty());
}

// The guard's name is judged as the launcher judges it: the longest the
// system takes opens the dialog; one more character is refused before any
// file is read or written, never cut to a name the launcher would not meet.
TEST_F(TessaryStartupTest, PrintGuardNamesTheLauncherRefusesAreRefusedToo)
{
    NamePrintGuard("TessaryLongGuard" + std::string(kMaxPrintGuardNameLength - 16, 'g'));
    DWORD process = 0;
    const HWND dialog = OpenDialog(&process);
    ASSERT_TRUE(dialog);
    dialog::Click(dialog, IDCANCEL);
    EXPECT_TRUE(WaitForEnd(process));

    NamePrintGuard("TessaryLongGuard" + std::string(kMaxPrintGuardNameLength - 15, 'g'));
    process = Start();
    const std::vector<SeenBox> boxes = WaitForBoxes(1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "An error occurred, and no message is available for it.");
    EXPECT_TRUE(WaitForEnd(process));
    EXPECT_TRUE(DataFiles().empty());
}

TEST_F(TessaryStartupTest, CancelEscapeAndTheCloseBoxSaveNothing)
{
    SaveWith(nullptr, false);
    const std::map<std::string, std::string> saved = DataFiles();
    ASSERT_EQ(saved.size(), 3u);
    const std::pair<const char*, std::function<void(HWND)>> ways[] = {
        {"Cancel", [](HWND dialog) { dialog::Click(dialog, IDCANCEL); }},
        {"Escape",
         [](HWND dialog) { PostMessageA(GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"close box", [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.first);
        DWORD process = 0;
        const HWND dialog = OpenDialog(&process);
        ASSERT_TRUE(dialog);
        ChoosePrinter(dialog, kPrinterC, true);
        dialog::Choose(dialog, kHorizontalList, ConfigText("HorizontalCmbRight"));
        way.second(dialog);
        EXPECT_TRUE(WaitForEnd(process));
        EXPECT_TRUE(DataFiles() == saved);
    }
    EXPECT_TRUE(TakeBoxes().empty());
}

}  // namespace
