// Hand-off files in the real temporary folder: page-list bytes on disk, the
// settings file as the profile functions write it, deleting, and a file
// another program holds locked.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "jobport_readers/config_record.h"
#include "jobport_readers/temp_folder_win32.h"
#include "jobs/handoff_file_system_win32.h"
#include "jobs/handoff_files.h"
#include "scratch_folder.h"
#include "setup/clog_file.h"
#include "setup/diagnostics_win32.h"
#include "shared_formats/handoff_file_name.h"
#include "win32_shared/kernel_handles_win32.h"

namespace {

// Ids no other test of this program uses; their ids are never open, so the
// error reporter shows no box.
const uint32_t kJob = 201;

class HandoffFilesWin32Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallWin32Diagnostics();
        ASSERT_TRUE(ReadTempFolder(m_temp, sizeof m_temp));
        ASSERT_EQ(m_temp[std::strlen(m_temp) - 1], '\\');
    }
    void TearDown() override
    {
        for (uint32_t page : {0u, 1u, 7u})
            DeleteFileA(Name(page).c_str());
    }

    std::string Name(uint32_t page) const
    {
        char name[kPathBufferSize];
        return HandoffFileName(m_temp, kJob, page, name, sizeof name) ? name : "";
    }

    char m_temp[kPathBufferSize];
    HandoffFileSystem& m_files = Win32HandoffFileSystem();
};

TEST_F(HandoffFilesWin32Test, PageListBytesOnDiskAndDeletion)
{
    EXPECT_EQ(Name(7), std::string(m_temp) + "KST_201  7.$$$");
    // A longer file left from before is emptied by the count line.
    ASSERT_TRUE(WriteWholeFile(Name(7), std::string(500, 'z')));

    const std::vector<std::string> paths = {"C:\\KESTRO\\Data\\scan.bmp",
                                            "C:\\KESTRO\\Data\\scan(2).bmp"};
    ASSERT_TRUE(WritePageListFile(m_files, m_temp, kJob, 7, paths));
    EXPECT_EQ(ReadWholeFile(Name(7)),
              "2\r\nC:\\KESTRO\\Data\\scan.bmp\r\nC:\\KESTRO\\Data\\scan(2).bmp\r\n");

    DeleteHandoffFile(m_files, m_temp, kJob, 7);
    EXPECT_FALSE(FileExists(Name(7)));
    DeleteHandoffFile(m_files, m_temp, kJob, 7);  // missing: no error
}

TEST_F(HandoffFilesWin32Test, SettingsFileAsTheProfileFunctionsWriteIt)
{
    PrintSettings settings;
    settings.PrintPosSetting = 5;
    settings.SortSetting = 1;
    settings.PrintSizeSetting = 1;
    settings.NupPrintSetting = 2;
    settings.PageFramePrintSetting = 0;
    settings.AutoRotatePrintSetting = 1;
    settings.AutoPaperChange = 44;
    ASSERT_TRUE(WriteJobSettingsFile(m_files, m_temp, kJob, 12, settings));

    const std::string name = Name(0);
    EXPECT_EQ(ReadWholeFile(name),
              "[Number of Copies]\r\n"
              "Copies=12\r\n"
              "[Print Setting]\r\n"
              "PrintPosSetting=5\r\n"
              "SortSetting=1\r\n"
              "PrintSizeSetting=1\r\n"
              "NupPrintSetting=2\r\n"
              "PageFramePrintSetting=0\r\n"
              "AutoRotatePrintSetting=1\r\n"
              "AutoPaperChange=44\r\n");

    const struct {
        const char* section;
        const char* key;
        UINT value;
    } expected[] = {{"Number of Copies", "Copies", 12},     {"Print Setting", "PrintPosSetting", 5},
                    {"Print Setting", "SortSetting", 1},     {"Print Setting", "PrintSizeSetting", 1},
                    {"Print Setting", "NupPrintSetting", 2},
                    {"Print Setting", "PageFramePrintSetting", 0},
                    {"Print Setting", "AutoRotatePrintSetting", 1},
                    {"Print Setting", "AutoPaperChange", 44}};
    for (const auto& e : expected)
        EXPECT_EQ(GetPrivateProfileIntA(e.section, e.key, 999, name.c_str()), e.value) << e.key;
}

TEST_F(HandoffFilesWin32Test, FileHeldLockedCannotBeOpenedAndTheSystemReasonIsKept)
{
    const std::string name = Name(1);
    KernelHandle lock(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(lock);
    const bool written = WriteHandoffLine(m_files, m_temp, kJob, 1, "1", false);
    lock.Reset();

    EXPECT_FALSE(written);
    EXPECT_EQ(gLog.LastErrorNumber(), 33);
    EXPECT_EQ(gLog.LastSystemError(), static_cast<uint32_t>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(ReadWholeFile(name), "");
}

}  // namespace
