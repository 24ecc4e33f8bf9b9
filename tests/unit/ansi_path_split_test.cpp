// Path separators in double-byte code pages: the splitter on its own, then
// every place of the library and the launcher that looks for a separator in
// a host, registry or configuration path, with code page 932's lead bytes.
// "表" is 0x95 0x5C: its trail byte is the backslash code.
#include <gtest/gtest.h>

#include <string>

#include "ansi_paths/ansi_path_split.h"
#include "fake_setup_platform.h"
#include "jobport_readers/ansi_code_page.h"
#include "jobport_readers/bounded_text.h"
#include "jobs/page_file_move.h"
#include "launcher/launcher_setup.h"

namespace {

bool IsCodePage932Lead(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool SingleByte(unsigned char) { return false; }

// "表", "ページ" (0x83 0x79 0x81 0x5B 0x83 0x57) and "データ" in code page 932.
const std::string kHyo = "\x95\x5C";
const std::string kPage = "\x83\x79\x81\x5B\x83\x57";
const std::string kData = "\x83\x66\x81\x5B\x83\x5E";

// Installs code page 932's test for one test and puts the default back.
class CodePage932 : public ::testing::Test {
protected:
    CodePage932() { SetAnsiLeadByteTest(IsCodePage932Lead); }
    ~CodePage932() override { SetAnsiLeadByteTest(nullptr); }
};

size_t Last(const std::string& path, const char* separators = kBackslashOrSlash)
{
    return EndOfLastSeparator(path, separators, IsCodePage932Lead);
}

size_t Trimmed(const std::string& path)
{
    return LengthWithoutTrailingSeparators(path, kBackslashOrSlash, IsCodePage932Lead);
}

}  // namespace

TEST(AnsiPathSplit, TrailBytesAreNeverSeparators)
{
    const std::string folder = "C:\\" + kData + kHyo;  // C:\データ表
    const std::string page = folder + "\\" + kPage + kHyo;

    EXPECT_EQ(Last(page), folder.size() + 1);
    EXPECT_EQ(Last(folder), 3u);
    EXPECT_EQ(Last(kHyo), 0u);
    EXPECT_EQ(Last("C:/scan\\a/b.bmp"), 10u);
    EXPECT_EQ(Last("C:/scan\\a/b.bmp", kBackslash), 8u);
    EXPECT_EQ(Last(""), 0u);
    // Read byte by byte, the trail byte would be the last separator.
    EXPECT_EQ(EndOfLastSeparator(page, kBackslashOrSlash, SingleByte), page.size());
    // A lead byte at the very end stands alone; two lead bytes in a row are
    // one character.
    EXPECT_EQ(Last("C:\\a\x95"), 3u);
    EXPECT_EQ(Last("C:\\\x81\x81\\x"), 6u);

    EXPECT_EQ(Trimmed(folder), folder.size());
    EXPECT_EQ(Trimmed(folder + "\\/\\"), folder.size());
    EXPECT_EQ(Trimmed("\\\\"), 0u);
    EXPECT_EQ(Trimmed("C:\\Scans\\"), 8u);
    EXPECT_FALSE(EndsWithSeparator(folder, kBackslashOrSlash, IsCodePage932Lead));
    EXPECT_TRUE(EndsWithSeparator(folder + "\\", kBackslashOrSlash, IsCodePage932Lead));
    EXPECT_TRUE(EndsWithSeparator(folder, kBackslashOrSlash, SingleByte));
    EXPECT_FALSE(EndsWithSeparator("", kBackslashOrSlash, IsCodePage932Lead));
}

TEST_F(CodePage932, PageFileNamesKeepTheirLastCharacter)
{
    const std::string folder = "C:\\" + kData + kHyo;
    EXPECT_EQ(PageFileName(folder + "\\" + kPage + kHyo), kPage + kHyo);
    EXPECT_EQ(PageFileName(folder + "/" + kHyo + ".tif"), kHyo + ".tif");
    EXPECT_EQ(PageFileName(kHyo), kHyo);
    EXPECT_EQ(PageFileName(folder + "\\"), "");

    // Without the code page's test the name would be cut after its trail byte.
    SetAnsiLeadByteTest(nullptr);
    EXPECT_EQ(PageFileName(folder + "\\" + kPage + kHyo), "");
}

TEST_F(CodePage932, FoldersEndingInATrailByteGetTheirSeparator)
{
    const std::string folder = "C:\\" + kData + kHyo;
    char out[64];

    EXPECT_FALSE(EndsWithSeparator(folder.c_str()));
    EXPECT_TRUE(EndsWithSeparator((folder + "/").c_str()));
    EXPECT_FALSE(EndsWithSeparator(nullptr));

    ASSERT_TRUE(JoinPath(out, sizeof out, folder.c_str(), "KESTROst.ini"));
    EXPECT_EQ(std::string(out), folder + "\\KESTROst.ini");
    ASSERT_TRUE(JoinPath(out, sizeof out, (folder + "\\").c_str(), "KESTROst.ini"));
    EXPECT_EQ(std::string(out), folder + "\\KESTROst.ini");
    ASSERT_TRUE(WithTrailingSeparator(out, sizeof out, folder.c_str()));
    EXPECT_EQ(std::string(out), folder + "\\");
    // The added separator counts against the buffer as before.
    EXPECT_FALSE(WithTrailingSeparator(out, folder.size() + 1, folder.c_str()));
    EXPECT_EQ(std::string(out), "");
}

TEST_F(CodePage932, LauncherFoldersFromTheRegistryKeepTheirLastCharacter)
{
    const char cfg[] = "C:\\host\\KESTRO.cfg";
    FakeProfile profile;
    FakeRegistry registry;
    profile.Set(cfg, "Registry for Velora", "Manufacturer", "Other");
    const std::string key = "SOFTWARE\\Other\\Corvane-Suite\\Quillmate";
    const std::string settings = "E:\\" + kData + kHyo;
    const std::string logs = "E:\\" + kHyo;
    registry.SetText(key, "Setting Path", settings + "\\\\");
    registry.SetText(key, "Debug Log Path", logs);
    registry.SetText(key, "System Directory", logs + "\\");

    const LauncherSetup setup = ReadLauncherSetup(cfg, profile, registry);
    EXPECT_EQ(setup.settingsFolder, settings);
    EXPECT_EQ(setup.SettingsFile(), settings + "\\KESTROst.ini");
    EXPECT_EQ(setup.logFolder, logs);
    EXPECT_EQ(setup.dataFolder, logs + "\\Data");
    EXPECT_TRUE(setup.notes.empty());

    // A data folder that is no absolute path is none: no page is taken from it.
    registry.SetText(key, "System Directory", kData);
    EXPECT_EQ(ReadLauncherSetup(cfg, profile, registry).dataFolder, "");
}
