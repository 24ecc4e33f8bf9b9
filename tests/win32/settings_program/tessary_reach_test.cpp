// The real Tessary.exe as a Windows 10 user of today meets it: by keyboard
// alone (tab order, access keys, Enter, arrow keys in radio groups), through
// a screen reader (the names of the preview picture and copy-order icons),
// at the display scales 100 % to 200 % (pictures that grow with the dialog,
// nothing overlapping), and in Japanese.
// The program runs with code page 932 (LC_ALL=ja_JP.UTF-8 under Wine), so
// the Japanese texts travel as the program reads them.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "dialog/picture_names.h"
#include "resources/dialog_ids.h"
#include "template_layout.h"
#include "tessary_fixture.h"
#include "win32_shared/registry_key_win32.h"

namespace {

// The window with the keyboard focus in the dialog's thread.
HWND FocusOf(HWND dialog)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) ? info.hwndFocus : nullptr;
}

int FocusId(HWND dialog)
{
    const HWND focus = FocusOf(dialog);
    // A combo box's focus may sit in its edit part.
    return focus && GetParent(focus) != dialog && GetParent(GetParent(focus)) == dialog
               ? GetDlgCtrlID(GetParent(focus))
               : (focus ? GetDlgCtrlID(focus) : 0);
}

// A key press as the dialog's message loop receives it: at the focus.
void Press(HWND dialog, UINT key)
{
    const HWND focus = FocusOf(dialog);
    PostMessageW(focus ? focus : dialog, WM_KEYDOWN, key, 1);
    PostMessageW(focus ? focus : dialog, WM_KEYUP, key, 0xC0000001);
}

// Alt and a letter.
void PressAlt(HWND dialog, char letter)
{
    const HWND focus = FocusOf(dialog);
    PostMessageW(focus ? focus : dialog, WM_SYSCHAR, static_cast<WPARAM>(letter), 1 << 29);
}

// The id a radio button's group is known by: its first button.
int GroupId(int id)
{
    return id == IDC_LANDSCAPE ? IDC_PORTRAIT : id == IDC_ONE_JOB_N_PAGE ? IDC_ONE_JOB_ONE_PAGE : id;
}

// Tab stops in reading order: the system's part, then the program's.
const std::vector<int> kTabOrder = {
    IDC_PRINTER_LIST,    IDC_PRINTER_PROPERTIES, IDC_PAPER_SIZE_LIST, IDC_PAPER_SOURCE_LIST,
    IDC_PORTRAIT,        IDC_ONE_JOB_ONE_PAGE,   IDC_SORT_PRINT,      IDC_HORIZONTAL_LIST,
    IDC_VERTICAL_LIST,   IDC_PRINT_SIZE_LIST,    IDC_FRAME_PRINTING,  IDC_AUTO_ROTATE,
    IDC_SETUP_OK,        IDC_SETUP_CANCEL,       IDC_HELP_BUTTON,
};

// Controls with a text of their own, and the control an access key of
// theirs reaches (a label names the list after it).
const std::map<int, int> kKeyTargets = {
    {IDC_PRINTER_NAME_LABEL, IDC_PRINTER_LIST}, {IDC_PRINTER_PROPERTIES, IDC_PRINTER_PROPERTIES},
    {IDC_PAPER_SIZE_LABEL, IDC_PAPER_SIZE_LIST}, {IDC_PAPER_SOURCE_LABEL, IDC_PAPER_SOURCE_LIST},
    {IDC_PORTRAIT, IDC_PORTRAIT}, {IDC_LANDSCAPE, IDC_LANDSCAPE},
    {IDC_ONE_JOB_ONE_PAGE, IDC_ONE_JOB_ONE_PAGE}, {IDC_ONE_JOB_N_PAGE, IDC_ONE_JOB_N_PAGE},
    {IDC_SORT_PRINT, IDC_SORT_PRINT}, {IDC_HORIZONTAL_LABEL, IDC_HORIZONTAL_LIST},
    {IDC_VERTICAL_LABEL, IDC_VERTICAL_LIST}, {IDC_PRINT_SIZE_LABEL, IDC_PRINT_SIZE_LIST},
    {IDC_FRAME_PRINTING, IDC_FRAME_PRINTING}, {IDC_AUTO_ROTATE, IDC_AUTO_ROTATE},
    {IDC_SETUP_OK, IDC_SETUP_OK}, {IDC_SETUP_CANCEL, IDC_SETUP_CANCEL},
    {IDC_HELP_BUTTON, IDC_HELP_BUTTON},
};

// Keys whose control opens a window of its own when pressed (the driver's
// settings, help): checked for uniqueness, not pressed.
const std::set<int> kNotPressed = {IDC_PRINTER_PROPERTIES, IDC_HELP_BUTTON, IDC_SETUP_OK,
                                   IDC_SETUP_CANCEL, IDC_SORT_PRINT, IDC_ONE_JOB_ONE_PAGE,
                                   IDC_FRAME_PRINTING, IDC_AUTO_ROTATE};

// The display scale every new process of the prefix reads.
class LogPixels {
public:
    explicit LogPixels(DWORD dpi)
    {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, m_key.Receive(), nullptr);
        DWORD size = sizeof m_old;
        m_had = RegQueryValueExA(m_key.Get(), "LogPixels", nullptr, nullptr,
                                 reinterpret_cast<BYTE*>(&m_old), &size) == ERROR_SUCCESS;
        RegSetValueExA(m_key.Get(), "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                       sizeof dpi);
    }
    ~LogPixels()
    {
        if (m_had)
            RegSetValueExA(m_key.Get(), "LogPixels", 0, REG_DWORD,
                           reinterpret_cast<const BYTE*>(&m_old), sizeof m_old);
        else
            RegDeleteValueA(m_key.Get(), "LogPixels");
    }
    LogPixels(const LogPixels&) = delete;
    LogPixels& operator=(const LogPixels&) = delete;

private:
    RegistryKeyHandle m_key;
    DWORD m_old = 0;
    bool m_had = false;
};

RECT ClientRect(HWND window)
{
    RECT rect = {};
    GetClientRect(window, &rect);
    return rect;
}

bool Overlap(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Contains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

bool IsGroupBox(HWND control)
{
    return (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX &&
           SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_STATIC;
}

// What one opening of the dialog shows, in pixels.
struct Measured {
    double previewShare = 0;  // preview picture's height / dialog client height
    double iconShare = 0;     // copy-order icon's height / dialog client height
    bool sortedIconsShown = false;
    std::set<std::pair<int, int>> overlaps;  // visible controls that overlap, not nested
};

class TessaryReachTest : public TessaryTest {
protected:
    // Every visible control of the dialog, measured.
    static Measured Measure(HWND dialog)
    {
        Measured m;
        const double height = ClientRect(dialog).bottom;
        m.previewShare = dialog::ControlRect(dialog, IDC_PREVIEW).bottom / height -
                         dialog::ControlRect(dialog, IDC_PREVIEW).top / height;
        const RECT icon = dialog::ControlRect(dialog, IDC_UNSORTED_PAGE1);
        m.iconShare = (icon.bottom - icon.top) / height;
        m.sortedIconsShown = IsWindowVisible(GetDlgItem(dialog, IDC_SORTED_SET1)) != FALSE;
        std::vector<std::pair<int, HWND>> controls;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (IsWindowVisible(child))
                controls.emplace_back(GetDlgCtrlID(child), child);
        for (size_t i = 0; i < controls.size(); ++i) {
            const RECT a = dialog::ControlRect(dialog, controls[i].first);
            for (size_t j = i + 1; j < controls.size(); ++j) {
                const RECT b = dialog::ControlRect(dialog, controls[j].first);
                const bool nested = (IsGroupBox(controls[i].second) && Contains(a, b)) ||
                                    (IsGroupBox(controls[j].second) && Contains(b, a));
                if (Overlap(a, b) && !nested)
                    m.overlaps.insert(std::minmax(controls[i].first, controls[j].first));
            }
        }
        return m;
    }

    // Opens the dialog at a display scale, with unsorted or sorted copies
    // stored (each shows its own group of copy-order icons).
    Measured OpenAndMeasure(DWORD dpi, bool sorted)
    {
        const LogPixels scale(dpi);
        EXPECT_TRUE(WriteWhole(SettingsPath(),
                               sorted ? "[Velora Config]\r\nPrintAfterReceivedAllData=1\r\n"
                                        "[Print Setting]\r\nSortSetting=1\r\n"
                                      : "[Print Setting]\r\nSortSetting=0\r\n"));
        DWORD process = 0;
        const HWND dialog = OpenDialog(&process);
        if (!dialog)
            return Measured();
        const Measured m = Measure(dialog);
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(WaitForEnd(process));
        return m;
    }
};

TEST_F(TessaryReachTest, KeyboardAloneReachesEveryControlOnceAndScreenReadersHearThePictures)
{
    DWORD process = 0;
    const HWND dialog = OpenDialog(&process);
    ASSERT_TRUE(dialog);

    // Tab from the first stop round to it again: each stop once, in order.
    std::vector<int> visited;
    ASSERT_TRUE(WaitUntil([&] { return FocusId(dialog) != 0; }));
    for (size_t step = 0; step < 2 * kTabOrder.size(); ++step) {
        const int now = GroupId(FocusId(dialog));
        if (!visited.empty() && now == visited.front())
            break;
        visited.push_back(now);
        Press(dialog, VK_TAB);
        WaitUntil([&] { return GroupId(FocusId(dialog)) != now; }, 2000);
    }
    std::rotate(visited.begin(), std::find(visited.begin(), visited.end(), kTabOrder.front()),
                visited.end());
    EXPECT_EQ(visited, kTabOrder);

    // Every access key once in the dialog, each on a control the focus reaches.
    std::map<char, int> keys;
    for (const auto& entry : kKeyTargets) {
        const char key = AccessKeyOf(dialog::Text(dialog, entry.first));
        if (!key)
            continue;
        EXPECT_EQ(keys.count(key), 0u) << "access key " << key << " of " << entry.first
                                        << " is also " << keys[key] << "'s";
        keys[key] = entry.first;
    }
    EXPECT_GE(keys.size(), 15u);
    for (const auto& key : keys) {
        if (kNotPressed.count(key.second))
            continue;
        PressAlt(dialog, key.first);
        const int target = kKeyTargets.at(key.second);
        EXPECT_TRUE(WaitUntil([&] { return FocusId(dialog) == target; }, 5000))
            << "Alt+" << key.first << " went to " << FocusId(dialog) << ", not " << target;
    }

    // The arrow keys move inside the orientation group. (The pictures'
    // names for screen readers are their window texts, which Wine's static
    // control does not keep for a picture: not checked here.)
    PressAlt(dialog, AccessKeyOf(ConfigText("PrintPortrait")));
    // Portrait is checked from the start: wait for the focus too, else the
    // arrow may reach the control that had it before.
    ASSERT_TRUE(WaitUntil(
        [&] { return dialog::IsChecked(dialog, IDC_PORTRAIT) && FocusId(dialog) == IDC_PORTRAIT; }));
    Press(dialog, VK_DOWN);
    EXPECT_TRUE(WaitUntil([&] {
        return dialog::IsChecked(dialog, IDC_LANDSCAPE) && FocusId(dialog) == IDC_LANDSCAPE;
    })) << "the arrow key stays in the orientation group";

    // Enter is OK: the choice is stored and the program ends.
    Press(dialog, VK_RETURN);
    EXPECT_TRUE(WaitForEnd(process));
    EXPECT_EQ(DevModeFile(0).Orientation(), 2u);  // DMORIENT_LANDSCAPE
    EXPECT_EQ(Setting("Print Setting", "PrintPosSetting"), "0");
    TakeBoxes();
}

TEST_F(TessaryReachTest, AtEveryDisplayScaleThePicturesGrowWithTheDialogAndNothingOverlaps)
{
    const Measured at100 = OpenAndMeasure(96, false);
    ASSERT_GT(at100.previewShare, 0.0);
    for (DWORD dpi : {96u, 120u, 144u, 192u}) {
        for (bool sorted : {false, true}) {
            SCOPED_TRACE(std::to_string(dpi) + " dpi, " + (sorted ? "sorted" : "unsorted"));
            const Measured m = dpi == 96 && !sorted ? at100 : OpenAndMeasure(dpi, sorted);
            EXPECT_EQ(m.sortedIconsShown, sorted);
            EXPECT_NEAR(m.previewShare / at100.previewShare, 1.0, 0.05);
            // Icons drawn at the dialog's scale, not the system's icon size.
            EXPECT_NEAR(m.iconShare / at100.iconShare, 1.0, 0.05);
            // No visible control overlaps another but its group box (the
            // two groups of copy-order icons share one place, and only one
            // of them is shown).
            for (const auto& pair : m.overlaps)
                ADD_FAILURE() << pair.first << " overlaps " << pair.second;
        }
    }
}

TEST_F(TessaryReachTest, JapaneseTextsShowByteForByteAndWidenTheDialogUpToItsLimit)
{
    TemplateLayout layout;
    ASSERT_TRUE(ReadTemplateLayout(m_programPath, layout));
    ASSERT_EQ(GetACP(), 932u) << "run with LC_ALL=ja_JP.UTF-8";
    WriteJapaneseConfig();
    DWORD process = 0;
    const HWND dialog = OpenDialog(&process);
    ASSERT_TRUE(dialog);
    // Every text as the file holds it, in code page 932.
    EXPECT_EQ(dialog::Text(dialog), ConfigText("DlgTitle"));
    for (const auto& label : kLanguageLabels) {
        ASSERT_FALSE(ConfigText(label.second).empty()) << label.second;
        EXPECT_EQ(dialog::Text(dialog, label.first), ConfigText(label.second)) << label.second;
    }
    EXPECT_EQ(dialog::ComboItems(dialog, IDC_HORIZONTAL_LIST),
              (std::vector<std::string>{ConfigText("HorizontalCmbLeft"), ConfigText("HorizontalCmbCenter"),
                                        ConfigText("HorizontalCmbRight")}));
    EXPECT_EQ(dialog::ComboItems(dialog, IDC_PRINT_SIZE_LIST),
              (std::vector<std::string>{ConfigText("PrintSizeCmbFit"), ConfigText("PrintSizeCmbFull")}));
    // The About box's version text names the product version, as the English one.
    EXPECT_NE(ConfigText("Version").find("1.0.3.0"), std::string::npos);

    // The Japanese texts need more room than the template's: the dialog is
    // widened by one factor, up to 640 pixels.
    RECT window = {};
    GetWindowRect(dialog, &window);
    EXPECT_GT(window.right - window.left, layout.dialog.right - layout.dialog.left);
    EXPECT_LE(window.right - window.left, 641);
    EXPECT_EQ(Measure(dialog).overlaps, (std::set<std::pair<int, int>>{}));
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitForEnd(process));
    EXPECT_TRUE(TakeBoxes().empty());
}

}  // namespace
