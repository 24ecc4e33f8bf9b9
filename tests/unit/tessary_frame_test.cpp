// The settings program's platform-free frame: formatting limits, how errors
// reach a message box, version texts and double-byte path splitting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_exception.h"
#include "app/format_text.h"
#include "app/module_directory.h"
#include "app/version_text.h"
#include "framework/message_box_style.h"
#include "framework/message_presenter.h"

namespace {

// Records the boxes an error would show, in order.
class RecordingPresenter : public MessagePresenter {
public:
    RecordingPresenter() { SetCurrentPresenter(this); }
    ~RecordingPresenter() override { SetCurrentPresenter(nullptr); }
    int ShowMessage(const std::string& text, unsigned style) override
    {
        shown.push_back({text, WithDefaultIcon(style)});
        return 1;
    }
    std::string LoadText(unsigned id) override { return "generic " + std::to_string(id); }

    struct Box {
        std::string text;
        unsigned style;
    };
    std::vector<Box> shown;
};

// Code page 932's lead bytes.
bool IsShiftJisLead(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool NoLeadBytes(unsigned char)
{
    return false;
}

std::string FormattedTextOfLength(size_t length)
{
    return FormatText("%s", std::string(length, 'x').c_str());
}

}  // namespace

TEST(FormatText, FormatsUpToOneByteBelowTheBufferAndThrowsBeyond)
{
    EXPECT_EQ(FormatText("devmode%d.bin", 12), "devmode12.bin");
    EXPECT_EQ(FormatText("%s[%s]", "Lead", "SOFTWARE\\A\\B\\C"), "Lead[SOFTWARE\\A\\B\\C]");
    EXPECT_EQ(FormatText("\\StringFileInfo\\%04x%04x\\FileVersion", 0x411, 1200),
              "\\StringFileInfo\\041104b0\\FileVersion");
    EXPECT_EQ(FormattedTextOfLength(65535).size(), 65535u);

    // Exactly 65,536 bytes leaves no room for the terminator: not fitting.
    for (size_t length : {size_t{65536}, size_t{70000}}) {
        try {
            FormattedTextOfLength(length);
            ADD_FAILURE() << length << " bytes were formatted";
        } catch (CAppException* e) {
            EXPECT_EQ(e->m_strMessage, "_vsntprintf");
            e->Delete();
        }
    }
}

TEST(ErrorDisplay, ShowsTextsBelow512BytesAndTheGenericTextOtherwise)
{
    RecordingPresenter boxes;

    CAppException* fits = new CAppException(std::string(511, 'a'));
    ReportAndDelete(fits, box_style::kIconStop, IDS_INTERNAL_FAILURE);
    CAppException* tooLong = new CAppException(std::string(512, 'b'));
    ReportAndDelete(tooLong, box_style::kOk, IDS_NO_ERROR_MESSAGE);
    // A system text keeps its trailing line break.
    ReportAndDelete(new CAppException("Access is denied.\r\n"), box_style::kOk,
                    IDS_NO_ERROR_MESSAGE);
    // Caught as the framework's base with no text: the generic text.
    CException* plain = new CException();
    ReportAndDelete(plain, box_style::kIconStop, IDS_COMMAND_FAILED);

    ASSERT_EQ(boxes.shown.size(), 4u);
    EXPECT_EQ(boxes.shown[0].text, std::string(511, 'a'));
    EXPECT_EQ(boxes.shown[0].style, box_style::kIconStop);
    EXPECT_EQ(boxes.shown[1].text, "generic " + std::to_string(IDS_NO_ERROR_MESSAGE));
    EXPECT_EQ(boxes.shown[1].style, box_style::kIconExclamation);
    EXPECT_EQ(boxes.shown[2].text, "Access is denied.\r\n");
    EXPECT_EQ(boxes.shown[3].text, "generic " + std::to_string(IDS_COMMAND_FAILED));

    // GetErrorText copies nothing when the text does not fit.
    CAppException five("12345");
    char buffer[6] = "zzzzz";
    EXPECT_FALSE(five.GetErrorText(buffer, 5));
    EXPECT_STREQ(buffer, "zzzzz");
    EXPECT_TRUE(five.GetErrorText(buffer, 6));
    EXPECT_STREQ(buffer, "12345");
}

TEST(ErrorDisplay, EveryPlainBoxGetsTheExclamationIcon)
{
    using namespace box_style;
    for (unsigned buttons : {kOk, kOkCancel, kYesNo, kYesNoCancel})
        EXPECT_EQ(WithDefaultIcon(buttons), buttons | kIconExclamation);
    EXPECT_EQ(WithDefaultIcon(kIconStop), kIconStop);
    EXPECT_EQ(WithDefaultIcon(kIconExclamation | kSystemModal), kIconExclamation | kSystemModal);
    // Abort/Retry/Ignore (2) and Retry/Cancel (5) are left as asked.
    EXPECT_EQ(WithDefaultIcon(2u), 2u);
    EXPECT_EQ(WithDefaultIcon(5u), 5u);
}

TEST(VersionText, CommasBecomeFullStopsAndSpacesGo)
{
    EXPECT_EQ(NormaliseVersionText("1, 0, 3, 0"), "1.0.3.0");
    EXPECT_EQ(NormaliseVersionText("6.1.7600.16385 "), "6.1.7600.16385");
    EXPECT_EQ(NormaliseVersionText(" 2 ,1"), "2.1");
    EXPECT_EQ(NormaliseVersionText(""), "");
}

TEST(ModuleDirectory, LastSeparatorSkipsDoubleByteTrailBytes)
{
    // "C:\表\Tessary.exe" and a folder ending in "表" (0x95 0x5C).
    const std::string inside = "C:\\\x95\x5C\\Tessary.exe";
    const std::string trailing = "C:\\Scans\\\x95\x5C";
    EXPECT_EQ(DirectoryWithSeparator(inside, IsShiftJisLead), "C:\\\x95\x5C\\");
    EXPECT_EQ(DirectoryWithSeparator(trailing, IsShiftJisLead), "C:\\Scans\\");
    // Without double-byte awareness the trail byte would be the separator.
    EXPECT_EQ(DirectoryWithSeparator(trailing, NoLeadBytes), trailing);
    EXPECT_EQ(DirectoryWithSeparator("Tessary.exe", IsShiftJisLead), "");
    // A lead byte at the very end has no trail byte to take.
    EXPECT_EQ(DirectoryWithSeparator("C:\\a\x95", IsShiftJisLead), "C:\\");

    EXPECT_EQ(FileTitle("C:\\Program Files\\Print\\Tessary.exe", IsShiftJisLead), "Tessary");
    EXPECT_EQ(FileTitle("C:\\v1.2\\Tessary", IsShiftJisLead), "Tessary");
    EXPECT_EQ(FileTitle("C:\\\x95\x5C.exe", IsShiftJisLead), "\x95\x5C");
}
