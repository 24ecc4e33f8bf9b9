// The launcher's program path and command line, and the decisions taken
// while it starts: refused whole when they do not fit, never cut.
#include <gtest/gtest.h>

#include <string>

#include "jobport_readers/config_record.h"
#include "jobs/launcher_command_line.h"
#include "jobs/launcher_rules.h"
#include "shared_formats/launcher_messages.h"

namespace {

TEST(LauncherCommandLine, IsProgramPathBlankAndQuotedConfigurationPath)
{
    char line[kLauncherCommandLineSize];
    ASSERT_TRUE(FormLauncherCommandLine("C:\\Kestro", "D:\\scan dir\\KESTRO.cfg", line));
    EXPECT_STREQ(line, "C:\\Kestro\\KESTRO.EXE \"D:\\scan dir\\KESTRO.cfg\"");
    char path[kLauncherProgramPathSize];
    ASSERT_TRUE(FormLauncherProgramPath("C:\\Kestro", path));
    EXPECT_STREQ(path, "C:\\Kestro\\KESTRO.EXE");
}

TEST(LauncherCommandLine, TextsThatDoNotFitAreRefusedWhole)
{
    // 521 characters fit the 522-character buffer, 522 do not.
    const std::string folder(200, 'f');
    const std::string fits(521 - 200 - 14, 'c');  // "\KESTRO.EXE", blank, two quotes
    char line[kLauncherCommandLineSize];
    ASSERT_TRUE(FormLauncherCommandLine(folder.c_str(), fits.c_str(), line));
    EXPECT_EQ(std::string(line).size(), 521u);
    EXPECT_FALSE(FormLauncherCommandLine(folder.c_str(), (fits + "c").c_str(), line));
    EXPECT_STREQ(line, "");
    EXPECT_FALSE(FormLauncherCommandLine(nullptr, "x", line));

    // The program path has to fit MAX_PATH (259 characters).
    char path[kLauncherProgramPathSize];
    EXPECT_TRUE(FormLauncherProgramPath(std::string(248, 'f').c_str(), path));
    EXPECT_FALSE(FormLauncherProgramPath(std::string(249, 'f').c_str(), path));
    EXPECT_STREQ(path, "");
}

TEST(LauncherRules, WindowSearchGetsTheRestOfChildTimeOutOrAFewSeconds)
{
    EXPECT_EQ(WindowSearchTimeLeft(3000, 1000), 2000u);
    EXPECT_EQ(WindowSearchTimeLeft(3000, 3000), 0u);
    EXPECT_EQ(WindowSearchTimeLeft(3000, 4000), 0u);
    EXPECT_EQ(WindowSearchTimeLeft(kNoTimeLimit, 60000), kWindowSearchWithoutLimitMs);
}

TEST(LauncherRules, HelperWindowsAreNotTheLaunchersAndWhatRestartsALauncher)
{
    EXPECT_TRUE(IsSystemHelperWindowClass("IME"));
    EXPECT_TRUE(IsSystemHelperWindowClass("msctfime ui"));
    EXPECT_FALSE(IsSystemHelperWindowClass("IMEX"));
    EXPECT_FALSE(IsSystemHelperWindowClass("KestroWindow"));
    // A print always; suspend and resume only for groups still waiting.
    EXPECT_TRUE(RestartsLauncherWhenGone(LM_PRINT, false));
    EXPECT_TRUE(RestartsLauncherWhenGone(LM_PRINT, true));
    for (uint32_t message : {LM_SUSPEND, LM_RESUME}) {
        EXPECT_FALSE(RestartsLauncherWhenGone(message, false));
        EXPECT_TRUE(RestartsLauncherWhenGone(message, true));
    }
    EXPECT_FALSE(RestartsLauncherWhenGone(LM_DELETE, true));
}

}  // namespace
