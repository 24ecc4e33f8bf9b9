// Moving page files into a real data folder: by rename, by copy when the data
// folder is on another volume, next to a waiting page of the same name, and
// from sources that are missing, locked or read-only, with the system's
// reason for each refusal.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "jobs/page_file_move.h"
#include "jobs/page_file_system_win32.h"
#include "scratch_folder.h"
#include "win32_shared/kernel_handles_win32.h"

namespace {

class PageMoveWin32Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(m_host.Path().empty());
        ASSERT_FALSE(m_dataDir.Path().empty());
        m_data = m_dataDir.Path() + "\\Data";
    }

    // A page written by the host.
    std::string HostPage(const std::string& name, const std::string& bytes)
    {
        const std::string path = m_host.Path() + "\\" + name;
        EXPECT_TRUE(WriteWholeFile(path, bytes));
        return path;
    }

    bool Move(const std::string& hostPath, const std::string& dataDir)
    {
        m_newPath = hostPath;
        m_refusal = PageRefusal();
        return MovePageFile(Win32PageFileSystem(), dataDir.c_str(), hostPath, m_newPath,
                            m_refusal);
    }
    bool Move(const std::string& hostPath) { return Move(hostPath, m_dataDir.Path()); }

    ScratchFolder m_host;
    ScratchFolder m_dataDir;
    std::string m_data;
    std::string m_newPath;
    PageRefusal m_refusal;
};

TEST_F(PageMoveWin32Test, PageMovesIntoTheDataFolderWithItsContent)
{
    const std::string source = HostPage("page1.bmp", "BM page one");
    ASSERT_TRUE(Move(source));
    EXPECT_EQ(m_newPath, m_data + "\\page1.bmp");
    EXPECT_FALSE(FileExists(source));
    EXPECT_EQ(ReadWholeFile(m_newPath), "BM page one");

    // Forward slashes separate like backslashes.
    std::string slashed = HostPage("page2.bmp", "BM page two");
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    ASSERT_TRUE(Move(slashed));
    EXPECT_EQ(m_newPath, m_data + "\\page2.bmp");
    EXPECT_EQ(ReadWholeFile(m_newPath), "BM page two");
    EXPECT_FALSE(FileExists(slashed));
}

TEST_F(PageMoveWin32Test, SameNameAsAWaitingPageGetsANumberedNameAndBothStay)
{
    ASSERT_TRUE(Move(HostPage("scan.bmp", "first")));
    ASSERT_TRUE(Move(HostPage("scan.bmp", "second")));
    EXPECT_EQ(m_newPath, m_data + "\\scan(2).bmp");
    ASSERT_TRUE(Move(HostPage("scan.bmp", "third")));
    EXPECT_EQ(m_newPath, m_data + "\\scan(3).bmp");

    EXPECT_EQ(ReadWholeFile(m_data + "\\scan.bmp"), "first");
    EXPECT_EQ(ReadWholeFile(m_data + "\\scan(2).bmp"), "second");
    EXPECT_EQ(ReadWholeFile(m_data + "\\scan(3).bmp"), "third");
    // A name that differs only in case is the same name on Windows.
    ASSERT_TRUE(Move(HostPage("SCAN.BMP", "fourth")));
    EXPECT_EQ(m_newPath, m_data + "\\SCAN(4).BMP");
}

TEST_F(PageMoveWin32Test, MissingSourceOrFolderMovesNothingAndSaysWhy)
{
    ASSERT_TRUE(Move(HostPage("gone.bmp", "waiting")));
    const std::string gone = m_host.Path() + "\\gone.bmp";
    EXPECT_FALSE(Move(gone));
    EXPECT_EQ(m_newPath, gone);
    EXPECT_EQ(m_refusal.errorCode, ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(FileExists(m_data + "\\gone(2).bmp"));
    EXPECT_EQ(ReadWholeFile(m_data + "\\gone.bmp"), "waiting");

    const std::string folder = m_host.Path() + "\\folder.bmp";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    EXPECT_FALSE(Move(folder));
    EXPECT_EQ(m_refusal.errorCode, ERROR_ACCESS_DENIED);
    EXPECT_TRUE(RemoveDirectoryA(folder.c_str()));
}

TEST_F(PageMoveWin32Test, LockedSourceIsCopiedOrLeftAsTheLockAllows)
{
    // Readers that share reading: the page is copied, the source stays.
    const std::string shared = HostPage("shared.bmp", "shared page");
    KernelHandle lock(CreateFileA(shared.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(lock);
    EXPECT_TRUE(Move(shared));
    lock.Reset();
    EXPECT_EQ(m_newPath, m_data + "\\shared.bmp");
    EXPECT_EQ(ReadWholeFile(m_newPath), "shared page");
    EXPECT_EQ(ReadWholeFile(shared), "shared page");

    // Held without any sharing: nothing can be moved; the source stays.
    const std::string exclusive = HostPage("exclusive.bmp", "exclusive page");
    lock.Reset(CreateFileA(exclusive.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(lock);
    EXPECT_FALSE(Move(exclusive));
    lock.Reset();
    EXPECT_EQ(m_refusal.errorCode, ERROR_SHARING_VIOLATION);
    EXPECT_EQ(m_newPath, exclusive);
    EXPECT_FALSE(FileExists(m_data + "\\exclusive.bmp"));
    EXPECT_EQ(ReadWholeFile(exclusive), "exclusive page");
}

// A read-only page leaves the host's folder like any other; in the data
// folder it is writable, for the launcher and JP_init to delete.
TEST_F(PageMoveWin32Test, ReadOnlySourceIsMovedToAWritableFile)
{
    const std::string source = HostPage("readonly.bmp", "read-only page");
    ASSERT_TRUE(SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(Move(source));
    EXPECT_EQ(ReadWholeFile(m_newPath), "read-only page");
    EXPECT_EQ(GetFileAttributesA(m_newPath.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_TRUE(DeleteFileA(m_newPath.c_str()));
    EXPECT_FALSE(FileExists(source));
}

// Z: is the Unix root in Wine; /dev/shm is another file system than the
// prefix's drive C:, so no rename can reach it and the page must be copied.
TEST_F(PageMoveWin32Test, DataFolderOnAnotherVolumeIsReachedByCopying)
{
    const char kOtherVolume[] = "Z:\\dev\\shm";
    if (!FileExists(kOtherVolume))
        GTEST_SKIP() << "no second volume at " << kOtherVolume;
    ScratchFolder otherDataDir(kOtherVolume);
    ASSERT_FALSE(otherDataDir.Path().empty());

    const std::string probe = HostPage("probe.bmp", "probe");
    const std::string probeTarget = otherDataDir.Path() + "\\probe.bmp";
    if (MoveFileExA(probe.c_str(), probeTarget.c_str(), 0))
        GTEST_SKIP() << kOtherVolume << " is reached by a rename: not another volume";
    ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SAME_DEVICE));

    // A read-only source is copied and then deleted all the same.
    const std::string source = HostPage("far.bmp", "far page");
    ASSERT_TRUE(SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(Move(source, otherDataDir.Path()));
    EXPECT_EQ(m_newPath, otherDataDir.Path() + "\\Data\\far.bmp");
    EXPECT_EQ(ReadWholeFile(m_newPath), "far page");
    EXPECT_EQ(GetFileAttributesA(m_newPath.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_FALSE(FileExists(source));
}

}  // namespace
