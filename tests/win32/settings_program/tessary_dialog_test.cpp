// The settings dialog of the real Tessary.exe: every text from
// "Tessary.cfg" in its control, the layout the template gives it or, when a
// text overflows, the same layout widened by one factor, the system-menu
// entry and the About box.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "template_layout.h"
#include "tessary_fixture.h"
#include "win32_shared/gdi_handles_win32.h"

namespace {

using Texts = std::vector<std::string>;


// The three option lists and the keys of their items, in list order.
const std::pair<int, std::vector<const char*>> kLists[] = {
    {11014, {"HorizontalCmbLeft", "HorizontalCmbCenter", "HorizontalCmbRight"}},
    {11015, {"VerticalCmbTop", "VerticalCmbCenter", "VerticalCmbBottom"}},
    {11016, {"PrintSizeCmbFit", "PrintSizeCmbFull"}},
};

// Pictures and icons: moved with the layout, their width kept.
const std::set<int> kKeepWidth = {1084, 11003, 11004, 11005, 11024, 11025};
// The preview picture takes the size of the picture it shows whenever that
// changes, which the dialog does after its layout is done.
const int kPreview = 11002;

const int kAboutText = 11020;

// Width of a text in the GUI font, measured as the program measures it.
int GuiTextWidth(const std::string& text)
{
    const CreatedDc dc(CreateCompatibleDC(nullptr));
    const ObjectSelection font(dc.Get(), GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent = {};
    GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
    return extent.cx;
}

class TessaryDialogTest : public TessaryTest {
protected:
    void ExpectTextsOfConfig(HWND dialog)
    {
        EXPECT_EQ(dialog::Text(dialog), ConfigText("DlgTitle"));
        for (const auto& label : kLanguageLabels)
            EXPECT_EQ(dialog::Text(dialog, label.first), ConfigText(label.second))
                << "control " << label.first;
        for (const auto& list : kLists) {
            Texts expected;
            for (const char* key : list.second)
                expected.push_back(ConfigText(key));
            EXPECT_EQ(dialog::ComboItems(dialog, list.first), expected) << "list " << list.first;
        }
    }

    // Every left and right edge multiplied by factor and truncated (pictures
    // keep their width), heights and tops kept, the dialog centred.
    static void ExpectWidenedBy(double factor, const TemplateLayout& layout, HWND dialog)
    {
        for (const auto& control : layout.controls) {
            const RECT& old = control.second;
            RECT expected = old;
            expected.left = static_cast<int>(old.left * factor);
            expected.right = kKeepWidth.count(control.first) || control.first == kPreview
                                 ? expected.left + (old.right - old.left)
                                 : static_cast<int>(old.right * factor);
            EXPECT_EQ(dialog::RectText(dialog::ControlRect(dialog, control.first)),
                      dialog::RectText(expected))
                << "control " << control.first;
        }
        const int width = static_cast<int>(layout.dialog.right * factor) -
                          static_cast<int>(layout.dialog.left * factor);
        const int height = layout.dialog.bottom - layout.dialog.top;
        const int left = (GetSystemMetrics(SM_CXFULLSCREEN) - width) / 2;
        const int top = (GetSystemMetrics(SM_CYFULLSCREEN) - height) / 2;
        EXPECT_EQ(dialog::WindowRectText(dialog),
                  dialog::RectText({left, top, left + width, top + height}));
    }

    // Chooses the last entry of the system menu with the keyboard.
    static void ChooseLastSystemMenuEntry(DWORD process, HWND dialog)
    {
        PostMessageA(dialog, WM_SYSCOMMAND, SC_KEYMENU, ' ');
        HWND menu = nullptr;
        ASSERT_TRUE(WaitUntil([&] {
            menu = nullptr;
            while ((menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) != nullptr) {
                DWORD owner = 0;
                GetWindowThreadProcessId(menu, &owner);
                if (owner == process && IsWindowVisible(menu))
                    return true;
            }
            return false;
        })) << "the system menu did not open";
        // From the first entry round to the last.
        PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    }
};

TEST_F(TessaryDialogTest, ShippedTextsFillTheDialogLaidOutAsTheTemplateSays)
{
    TemplateLayout layout;
    ASSERT_TRUE(ReadTemplateLayout(m_programPath, layout));
    DWORD process = 0;
    const HWND dialog = OpenDialog(&process);
    ASSERT_TRUE(dialog);

    ExpectTextsOfConfig(dialog);
    EXPECT_EQ(dialog::ComboItems(dialog, 1136), Texts({kPrinterA, kPrinterB, kPrinterC}));
    EXPECT_EQ(dialog::ComboSelection(dialog, 1136), kPrinterA);
    // Every text fits: nothing moved.
    EXPECT_EQ(dialog::WindowRectText(dialog), dialog::RectText(layout.dialog));
    for (const auto& control : layout.controls)
        EXPECT_EQ(dialog::RectText(dialog::ControlRect(dialog, control.first)),
                  dialog::RectText(control.second))
            << "control " << control.first;

    // The system menu's last entry opens the About box with the texts of
    // the file; closing it leaves the dialog open.
    ChooseLastSystemMenuEntry(process, dialog);
    const HWND about = WaitForWindow(process, kAboutText);
    ASSERT_TRUE(about);
    EXPECT_EQ(dialog::Text(about), ConfigText("VersionDlgTitle"));
    EXPECT_EQ(dialog::Text(about, kAboutText), ConfigText("Version"));
    EXPECT_EQ(dialog::Text(about, 11021), ConfigText("VersionCopyRight"));
    EXPECT_EQ(dialog::Text(about, 11022), ConfigText("VersionCopyRightLead"));
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
    EXPECT_TRUE(IsWindowVisible(dialog));

    dialog::Click(dialog, IDCANCEL);
    EXPECT_TRUE(WaitForEnd(process));
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_TRUE(DataFiles().empty());
}

TEST_F(TessaryDialogTest, MissingTextsLeaveEmptyTextsAndListItemsAndNoMenuEntry)
{
    WriteConfig({{"OneJobNPage", nullptr}, {"PrinterComment", nullptr},
                 {"HorizontalCmbCenter", nullptr}, {"VerticalCmbTop", nullptr},
                 {"VerticalCmbBottom", nullptr}, {"PrintSizeCmbFull", nullptr},
                 {"VersionMenuTitle", ""}});
    DWORD process = 0;
    const HWND dialog = OpenDialog(&process);
    ASSERT_TRUE(dialog);

    ExpectTextsOfConfig(dialog);
    EXPECT_EQ(dialog::Text(dialog, 11009), "");
    EXPECT_EQ(dialog::ComboItems(dialog, 11014), Texts({"Left", "", "Right"}));
    EXPECT_EQ(dialog::ComboItems(dialog, 11015), Texts({"", "Middle", ""}));
    EXPECT_EQ(dialog::ComboItems(dialog, 11016), Texts({"Fit to the page", ""}));

    // Without the program's entry the menu ends with the system's own last
    // entry (Wine's About box; Close on Windows), never the program's box.
    ChooseLastSystemMenuEntry(process, dialog);
    HWND other = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND window : VisibleDialogs(process))
            other = window != dialog ? window : other;
        return other || !IsRunning(process);
    }));
    EXPECT_FALSE(other && GetDlgItem(other, kAboutText)) << "the About box opened";
    if (other) {
        PostMessageA(other, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(other); }));
        dialog::Click(dialog, IDCANCEL);
    }
    EXPECT_TRUE(WaitForEnd(process));
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_TRUE(DataFiles().empty());
}

TEST_F(TessaryDialogTest, OverflowingTextsWidenTheLayoutByTheLargestRatioUpTo640Pixels)
{
    TemplateLayout layout;
    ASSERT_TRUE(ReadTemplateLayout(m_programPath, layout));
    const char* longest = "&While the pages are scanned, as they arrive";
    const char* longer = "&Rotate pages automatically to fit the paper size";
    // Ratios of text width + margin (20) to the control's client width.
    const double ratio = (GuiTextWidth(longest) + 20.0) / layout.clientWidths[11008];
    const double smaller = (GuiTextWidth(longer) + 20.0) / layout.clientWidths[11007];
    const double limit = 640.0 / (layout.dialog.right - layout.dialog.left);
    // Texts chosen for this: both overflow, within the width limit.
    ASSERT_LT(1.0, smaller);
    ASSERT_LT(smaller, ratio);
    ASSERT_LT(ratio, limit);

    WriteConfig({{"OneJobOnePage", longest}, {"AutoRotate", longer}});
    DWORD process = 0;
    HWND dialog = OpenDialog(&process);
    ASSERT_TRUE(dialog);
    ExpectTextsOfConfig(dialog);
    ExpectWidenedBy(ratio, layout, dialog);
    // The close box ends the program.
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitForEnd(process));

    // A text far too long: the dialog ends up 640 pixels wide.
    const std::string tooLong = std::string(longest) + ", one by one, page after page";
    ASSERT_LT(limit, (GuiTextWidth(tooLong) + 20.0) / layout.clientWidths[11008]);
    WriteConfig({{"OneJobOnePage", tooLong.c_str()}});
    dialog = OpenDialog(&process);
    ASSERT_TRUE(dialog);
    ExpectWidenedBy(limit, layout, dialog);
    RECT widened = {};
    GetWindowRect(dialog, &widened);
    EXPECT_NEAR(widened.right - widened.left, 640, 1);
    // Escape ends it.
    PostMessageA(GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitForEnd(process));
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_TRUE(DataFiles().empty());
}

}  // namespace
