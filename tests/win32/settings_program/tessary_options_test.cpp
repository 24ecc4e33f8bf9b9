// The layout options of the real Tessary.exe as a user meets them: what a
// stored "KESTROst.ini" shows when the dialog opens, the notices and their
// order as the first-copy and sorting choices are clicked, the copy-order
// icons, the preview picture on the screen, AutoRotate under full size, and
// what OK and Cancel leave in the file.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "preview_picture.h"
#include "resources/dialog_ids.h"
#include "tessary_fixture.h"

namespace {

using Texts = std::vector<std::string>;

const char* const kNoticeKeys[] = {"NupPrintMsg", "OneJobOnePageMsg", "SortPrintMsg"};

class TessaryOptionsTest : public TessaryTest {
protected:
    static bool Visible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)); }

    // Which copy-order icons show: "sorted", "unsorted" or "mixed".
    static std::string IconGroup(HWND dialog)
    {
        const bool unsorted = Visible(dialog, IDC_UNSORTED_PAGE1) &&
                              Visible(dialog, IDC_UNSORTED_PAGE2) &&
                              Visible(dialog, IDC_UNSORTED_PAGE3);
        const bool sorted = Visible(dialog, IDC_SORTED_SET1) && Visible(dialog, IDC_SORTED_SET2);
        const bool anyUnsorted = Visible(dialog, IDC_UNSORTED_PAGE1) ||
                                 Visible(dialog, IDC_UNSORTED_PAGE2) ||
                                 Visible(dialog, IDC_UNSORTED_PAGE3);
        const bool anySorted = Visible(dialog, IDC_SORTED_SET1) || Visible(dialog, IDC_SORTED_SET2);
        if (sorted && !anyUnsorted)
            return "sorted";
        if (unsorted && !anySorted)
            return "unsorted";
        return "mixed";
    }

    // The first-copy choice, sorting and the icons, as one line.
    static std::string CopyChoices(HWND dialog)
    {
        std::string text;
        if (dialog::IsChecked(dialog, IDC_ONE_JOB_ONE_PAGE))
            text += "while scanned, ";
        if (dialog::IsChecked(dialog, IDC_ONE_JOB_N_PAGE))
            text += "after the job, ";
        text += dialog::IsChecked(dialog, IDC_SORT_PRINT) ? "sorted" : "not sorted";
        return text + ", icons " + IconGroup(dialog);
    }

    static std::string AutoRotateState(HWND dialog)
    {
        return std::string(dialog::IsChecked(dialog, IDC_AUTO_ROTATE) ? "checked" : "clear") +
               (IsWindowEnabled(GetDlgItem(dialog, IDC_AUTO_ROTATE)) ? ", enabled" : ", disabled");
    }

    // Waits (bounded) until the dialog shows `expected` copy choices.
    static void ExpectCopyChoices(HWND dialog, const std::string& expected)
    {
        EXPECT_TRUE(WaitUntil([&] { return CopyChoices(dialog) == expected; }))
            << CopyChoices(dialog) << ", expected " << expected;
    }

    // Waits for `count` boxes; each must show the dialog's title and the
    // exclamation icon. Returns the key of [Language] each box showed.
    Texts Notices(size_t count)
    {
        Texts keys;
        for (const SeenBox& box : WaitForBoxes(count)) {
            EXPECT_EQ(box.caption, ConfigText("DlgTitle"));
            EXPECT_STREQ(BoxIconName(box.icon), BoxIconName(BoxIcon::Exclamation));
            std::string key = "\"" + box.text + "\"";
            for (const char* notice : kNoticeKeys)
                key = box.text == ConfigText(notice) ? notice : key;
            keys.push_back(key);
        }
        return keys;
    }

    // The picture the dialog shows, waited for until it is `id`.
    void ExpectPreview(const PreviewPictures& pictures, HWND dialog, int id)
    {
        const HWND preview = GetDlgItem(dialog, IDC_PREVIEW);
        EXPECT_TRUE(WaitUntil([&] { return pictures.Shown(preview) == id; }))
            << "shows picture " << pictures.Shown(preview) << ", expected " << id;
    }

    // OK ends the program having shown no further box.
    void PressOk(DWORD process, HWND dialog)
    {
        dialog::Click(dialog, IDOK);
        ASSERT_TRUE(WaitForEnd(process)) << "OK did not end the program";
        EXPECT_TRUE(TakeBoxes().empty());
    }
};

TEST_F(TessaryOptionsTest, StoredOptionsAreShownWithoutNoticeAndOkWritesThemBack)
{
    WriteWhole(SettingsPath(),
               "[Velora Config]\r\nPrintAfterReceivedAllData=1\r\n"
               "[Print Setting]\r\nSortSetting=2\r\nPrintPosSetting=7\r\nPrintSizeSetting=1\r\n"
               "NupPrintSetting=2\r\nPageFramePrintSetting=1\r\nAutoRotatePrintSetting=0\r\n"
               "AutoPaperChange=1\r\n");
    const PreviewPictures pictures(m_programPath);
    ASSERT_TRUE(pictures.Loaded());
    DWORD process = 0;
    const HWND dialog = OpenDialog(&process);
    ASSERT_TRUE(dialog);

    // Right and middle, full size, portrait (the default printer's).
    ExpectPreview(pictures, dialog, 12014);
    EXPECT_EQ(CopyChoices(dialog), "after the job, sorted, icons sorted");
    EXPECT_EQ(dialog::ComboSelection(dialog, IDC_HORIZONTAL_LIST),
              ConfigText("HorizontalCmbRight"));
    EXPECT_EQ(dialog::ComboSelection(dialog, IDC_VERTICAL_LIST), ConfigText("VerticalCmbCenter"));
    EXPECT_EQ(dialog::ComboSelection(dialog, IDC_PRINT_SIZE_LIST), ConfigText("PrintSizeCmbFull"));
    EXPECT_TRUE(dialog::IsChecked(dialog, IDC_FRAME_PRINTING));
    // Full size goes with rotation, whatever the file said.
    EXPECT_EQ(AutoRotateState(dialog), "checked, disabled");
    EXPECT_TRUE(TakeBoxes().empty()) << "a notice while loading";

    PressOk(process, dialog);
    EXPECT_EQ(SectionLines("Velora Config"), Texts({"PrintAfterReceivedAllData=1"}));
    // Written in place; the keys the dialog does not own kept as they were.
    EXPECT_EQ(SectionLines("Print Setting"),
              Texts({"SortSetting=1", "PrintPosSetting=7", "PrintSizeSetting=1",
                     "NupPrintSetting=2", "PageFramePrintSetting=1", "AutoRotatePrintSetting=1",
                     "AutoPaperChange=1"}));
}

TEST_F(TessaryOptionsTest, EachClickShowsItsNoticesInOrderAndSortingNeverMeetsPrintingWhileScanned)
{
    // Both chosen, as only a stored file can have them.
    WriteWhole(SettingsPath(),
               "[Velora Config]\r\nPrintAfterReceivedAllData=0\r\n"
               "[Print Setting]\r\nSortSetting=1\r\n");
    DWORD process = 0;
    const HWND dialog = OpenDialog(&process);
    ASSERT_TRUE(dialog);
    ExpectCopyChoices(dialog, "while scanned, sorted, icons sorted");
    EXPECT_TRUE(TakeBoxes().empty()) << "a notice while loading";

    // The sort box toggles itself off; the first copy still moves on.
    dialog::Click(dialog, IDC_SORT_PRINT);
    EXPECT_EQ(Notices(1), Texts({"SortPrintMsg"}));
    ExpectCopyChoices(dialog, "after the job, not sorted, icons unsorted");

    dialog::Click(dialog, IDC_ONE_JOB_ONE_PAGE);
    EXPECT_EQ(Notices(1), Texts({"NupPrintMsg"}));
    ExpectCopyChoices(dialog, "while scanned, not sorted, icons unsorted");

    dialog::Click(dialog, IDC_SORT_PRINT);
    EXPECT_EQ(Notices(1), Texts({"SortPrintMsg"}));
    ExpectCopyChoices(dialog, "after the job, sorted, icons sorted");

    dialog::Click(dialog, IDC_ONE_JOB_ONE_PAGE);
    EXPECT_EQ(Notices(2), Texts({"NupPrintMsg", "OneJobOnePageMsg"}));
    ExpectCopyChoices(dialog, "while scanned, not sorted, icons unsorted");

    // Chosen already: the notice again, nothing else.
    dialog::Click(dialog, IDC_ONE_JOB_ONE_PAGE);
    EXPECT_EQ(Notices(1), Texts({"NupPrintMsg"}));
    dialog::Click(dialog, IDC_ONE_JOB_N_PAGE);
    ExpectCopyChoices(dialog, "after the job, not sorted, icons unsorted");
    dialog::Click(dialog, IDC_SORT_PRINT);
    ExpectCopyChoices(dialog, "after the job, sorted, icons sorted");

    PressOk(process, dialog);
    EXPECT_EQ(SectionLines("Velora Config"), Texts({"PrintAfterReceivedAllData=1"}));
    // Keys new to the file follow in the order they were written.
    EXPECT_EQ(SectionLines("Print Setting"),
              Texts({"SortSetting=1", "PrintPosSetting=0", "PrintSizeSetting=0",
                     "PageFramePrintSetting=0", "AutoRotatePrintSetting=0"}));
}

TEST_F(TessaryOptionsTest, PreviewFollowsPlaceSizeAndOrientationAndCancelKeepsEveryByte)
{
    WriteWhole(SettingsPath(),
               "; kept as written\r\n[Velora Config]\r\nPrintAfterReceivedAllData=1\r\n\r\n"
               "[Print Setting]\r\nPrintPosSetting=0\r\nPrintSizeSetting=0\r\n"
               "AutoRotatePrintSetting=0\r\nNupPrintSetting=1");
    const std::map<std::string, std::string> before = DataFiles();
    const PreviewPictures pictures(m_programPath);
    ASSERT_TRUE(pictures.Loaded());
    DWORD process = 0;
    const HWND dialog = OpenDialog(&process);
    ASSERT_TRUE(dialog);

    ExpectPreview(pictures, dialog, 12020);  // left, top, fit, portrait
    EXPECT_EQ(AutoRotateState(dialog), "clear, enabled");
    dialog::Choose(dialog, IDC_HORIZONTAL_LIST, ConfigText("HorizontalCmbRight"));
    ExpectPreview(pictures, dialog, 12007);
    dialog::Choose(dialog, IDC_VERTICAL_LIST, ConfigText("VerticalCmbBottom"));
    ExpectPreview(pictures, dialog, 12019);
    dialog::Choose(dialog, IDC_PRINT_SIZE_LIST, ConfigText("PrintSizeCmbFull"));
    ExpectPreview(pictures, dialog, 12003);
    EXPECT_EQ(AutoRotateState(dialog), "checked, disabled");

    // The page lies down; place and size stay.
    dialog::Click(dialog, IDC_LANDSCAPE);
    ExpectPreview(pictures, dialog, 12043);
    EXPECT_EQ(dialog::ComboSelection(dialog, IDC_HORIZONTAL_LIST),
              ConfigText("HorizontalCmbRight"));
    EXPECT_EQ(dialog::ComboSelection(dialog, IDC_VERTICAL_LIST), ConfigText("VerticalCmbBottom"));
    EXPECT_EQ(dialog::ComboSelection(dialog, IDC_PRINT_SIZE_LIST), ConfigText("PrintSizeCmbFull"));

    // Back to fit: AutoRotate available again, still checked.
    dialog::Choose(dialog, IDC_PRINT_SIZE_LIST, ConfigText("PrintSizeCmbFit"));
    ExpectPreview(pictures, dialog, 12042);
    EXPECT_EQ(AutoRotateState(dialog), "checked, enabled");
    dialog::Choose(dialog, IDC_HORIZONTAL_LIST, ConfigText("HorizontalCmbCenter"));
    dialog::Choose(dialog, IDC_VERTICAL_LIST, ConfigText("VerticalCmbCenter"));
    ExpectPreview(pictures, dialog, 12034);
    dialog::Click(dialog, IDC_PORTRAIT);
    ExpectPreview(pictures, dialog, 12011);

    dialog::Click(dialog, IDC_FRAME_PRINTING);
    dialog::Click(dialog, IDC_SORT_PRINT);
    ExpectCopyChoices(dialog, "after the job, sorted, icons sorted");
    dialog::Click(dialog, IDCANCEL);
    ASSERT_TRUE(WaitForEnd(process)) << "Cancel did not end the program";
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_EQ(DataFiles(), before);
}

}  // namespace
