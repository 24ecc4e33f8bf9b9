// Reading "KESTRO.cfg" and the print settings file: defaults, limits and
// texts that do not fit their fields.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "fake_setup_platform.h"
#include "jobport_readers/config_reader.h"
#include "setup/print_setting_reader.h"

namespace {

const char kCfg[] = "C:\\host\\KESTRO.cfg";

TEST(ReadConfig, EmptyFileGivesEveryDefault)
{
    FakeProfile profile;
    ConfigRecord r = {};
    ReadConfig(kCfg, r, profile);
    EXPECT_EQ(r.DisplayTaskBarIcon, 0);
    EXPECT_EQ(r.RemainScanedDataOnPC, 0);
    EXPECT_EQ(r.b2ndJobPrintbyMethod, 1);
    EXPECT_EQ(r.JobLimit, 99u);
    EXPECT_EQ(r.CopiesLimit, 999u);
    EXPECT_EQ(r.PagesLimit, 999u);
    EXPECT_EQ(r.LogSizeLimit, 1024u);
    EXPECT_EQ(r.ChildTimeOut, 0xFFFFFFFFu);
    EXPECT_EQ(r.PrintOutCheckFlags, 6u);
    EXPECT_STREQ(r.CannotPrintTitle, "Velora Error");
    EXPECT_STREQ(r.CannotPrintMsg_3, "Cannot Print by Velora");
    EXPECT_STREQ(r.AppName, "Quillmate");
    EXPECT_STREQ(r.FileName, "Data of Quillmate");
}

TEST(ReadConfig, NumbersAreClampedAsUnsigned)
{
    typedef std::vector<std::pair<const char*, const char*>> Keys;
    const struct {
        Keys keys;
        uint32_t ConfigRecord::*field;
        uint32_t expected;
    } cases[] = {
        {{{"JobLimit", "0"}}, &ConfigRecord::JobLimit, 1},
        {{{"JobLimit", "500"}}, &ConfigRecord::JobLimit, 99},
        {{{"JobLimit", "-3"}}, &ConfigRecord::JobLimit, 99},
        {{{"JobLimit", "7"}}, &ConfigRecord::JobLimit, 7},
        {{{"CopiesLimit", "1000"}}, &ConfigRecord::CopiesLimit, 999},
        {{{"CopiesLimit", "0"}}, &ConfigRecord::CopiesLimit, 1},
        {{{"PagesLimit", "-2147483648"}}, &ConfigRecord::PagesLimit, 999},
        {{{"LogSizeLimit", "1025"}}, &ConfigRecord::LogSizeLimit, 1024},
        {{{"LogSizeLimit", "-1"}}, &ConfigRecord::LogSizeLimit, 1024},
        {{{"ChildTimeOut", "0"}}, &ConfigRecord::ChildTimeOut, 0xFFFFFFFFu},
        {{{"ChildTimeOut", "-2"}}, &ConfigRecord::ChildTimeOut, 0xFFFFFFFEu},
        {{{"ChildTimeOut", "5000"}}, &ConfigRecord::ChildTimeOut, 5000},
        {{{"DoNotPrintOutIfPortIsFILE", "0"}, {"DoNotPrintOutIfPrnIsNOTAVAILABLE", "0"}},
         &ConfigRecord::PrintOutCheckFlags, 0},
        {{{"DoNotPrintOutIfPrnIsNOTAVAILABLE", "0"}}, &ConfigRecord::PrintOutCheckFlags, 2},
        {{{"DoNotPrintOutIfPortIsFILE", "0"}, {"DoNotPrintOutIfPrnIsNOTAVAILABLE", "-5"}},
         &ConfigRecord::PrintOutCheckFlags, 4},
    };
    for (const auto& c : cases) {
        FakeProfile profile;
        for (const auto& key : c.keys)
            profile.Set(kCfg, "Velora Config", key.first, key.second);
        ConfigRecord r = {};
        ReadConfig(kCfg, r, profile);
        EXPECT_EQ(r.*c.field, c.expected) << c.keys[0].first << "=" << c.keys[0].second;
    }
}

TEST(ReadConfig, TextThatDoesNotFitItsFieldTakesTheDefault)
{
    FakeProfile profile;
    profile.Set(kCfg, "Velora Message for Dialog", "CannotPrintTitle", std::string(254, 'a'));
    profile.Set(kCfg, "Velora Message for Dialog", "CannotPrintMsg", std::string(255, 'b'));
    profile.Set(kCfg, "Spool Information", "AppName", std::string(259, 'c'));
    profile.Set(kCfg, "Spool Information", "FileName", std::string(260, 'd'));
    ConfigRecord r = {};
    ReadConfig(kCfg, r, profile);
    EXPECT_EQ(r.CannotPrintTitle, std::string(254, 'a'));
    EXPECT_STREQ(r.CannotPrintMsg, "Cannot Print by Velora");
    EXPECT_EQ(r.AppName, std::string(259, 'c'));
    EXPECT_STREQ(r.FileName, "Data of Quillmate");
}

TEST(MakeSubKey, KeyLongerThanItsBufferIsRefusedNotCut)
{
    FakeProfile profile;
    char key[kPathBufferSize];
    ASSERT_TRUE(MakeSubKey(kCfg, profile, key, sizeof key));
    EXPECT_STREQ(key, "SOFTWARE\\TRVX\\Corvane-Suite\\Quillmate");

    // "SOFTWARE\TRVX\" + 200 + "\" + 44 is 259 characters: it fits, 45 do not.
    profile.Set(kCfg, "Registry for Velora", "ProductFamily", std::string(200, 'f'));
    profile.Set(kCfg, "Registry for Velora", "ProductName", std::string(44, 'n'));
    EXPECT_TRUE(MakeSubKey(kCfg, profile, key, sizeof key));
    profile.Set(kCfg, "Registry for Velora", "ProductName", std::string(45, 'n'));
    EXPECT_FALSE(MakeSubKey(kCfg, profile, key, sizeof key));
    EXPECT_STREQ(key, "");
}

TEST(ReadPrintSetting, DefaultsAndLowEightBits)
{
    const char ini[] = "C:\\ini\\KESTROst.ini";
    FakeProfile profile;
    PrintSettings s;
    ReadPrintSetting(ini, s, profile);
    EXPECT_EQ(std::vector<int>({s.PrintPosSetting, s.SortSetting, s.PrintSizeSetting,
                                s.NupPrintSetting, s.PageFramePrintSetting,
                                s.AutoRotatePrintSetting, s.AutoPaperChange}),
              std::vector<int>({4, 0, 1, 0, 0, 1, 0}));

    profile.Set(ini, "Print Setting", "PrintPosSetting", "300");
    profile.Set(ini, "Print Setting", "NupPrintSetting", "-1");
    profile.Set(ini, "Velora Config", "PrintAfterReceivedAllData", "1");
    ReadPrintSetting(ini, s, profile);
    EXPECT_EQ(s.PrintPosSetting, 44);
    EXPECT_EQ(s.NupPrintSetting, 255);
    EXPECT_EQ(ReadPrintAfterReceivedAllData(ini, profile), 1);

    // Without a settings folder no file is read at all.
    profile.Set("", "Print Setting", "PrintPosSetting", "8");
    ReadPrintSetting("", s, profile);
    EXPECT_EQ(s.PrintPosSetting, 4);
    EXPECT_EQ(ReadPrintAfterReceivedAllData("", profile), 0);
}

}  // namespace
