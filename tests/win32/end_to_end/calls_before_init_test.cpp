// A host that calls the job functions before JP_init has succeeded: every
// call fails and leaves no trace (no moved page, no folder, no log file, no
// launcher, no box); once JP_init succeeds the same calls work.
#include <string>
#include <vector>

#include "end_to_end_fixture.h"

namespace {

std::string DriveRootOfCurrentFolder()
{
    char folder[MAX_PATH];
    const DWORD n = GetCurrentDirectoryA(sizeof folder, folder);
    return n >= 3 && n < sizeof folder ? std::string(folder, 3) : std::string();
}

using CallsBeforeInit = EndToEndTest;

TEST_F(CallsBeforeInit, FailWithoutATraceUntilJPInitSucceeds)
{
    const std::string driveData = DriveRootOfCurrentFolder() + "Data";
    ASSERT_EQ(driveData.size(), 7u) << driveData;
    // Should an earlier run have left the folder, the page must at least not be in it.
    const bool driveDataExisted = PathExists(driveData);
    const std::string page = HostPath("early page.tif");
    WriteWhole(page, "early page");

    // Every export fails, and so does everything after a JP_init that failed
    // (no "KESTRO.cfg" in the host's folder).
    ASSERT_NO_FATAL_FAILURE(Load());
    const std::string config = HostPath("KESTRO.cfg");
    const std::string configAside = m_root + "\\KESTRO.cfg aside";
    for (int attempt = 0; attempt < 2; ++attempt) {
        SCOPED_TRACE(attempt == 0 ? "before JP_init" : "after a JP_init that failed");
        if (attempt == 1) {
            ASSERT_TRUE(MoveFileA(config.c_str(), configAside.c_str()));
            EXPECT_EQ(m_init("E2E host"), 0);
            ASSERT_TRUE(MoveFileA(configAside.c_str(), config.c_str()));
        }
        int id = -1;
        EXPECT_EQ(m_startJob(&id, 1), 0);
        EXPECT_EQ(id, 0);
        EXPECT_EQ(m_startJob(nullptr, 1), 0);
        for (int job : {0, 1, 2}) {
            EXPECT_EQ(m_sendData(job, page.c_str()), 0) << job;
            EXPECT_EQ(m_endJob(job), 0) << job;
            EXPECT_EQ(m_abortJob(job), 0) << job;
        }

        EXPECT_EQ(ReadShared(page), "early page");
        EXPECT_EQ(FilesIn(m_hostDir, true), (Lines{"KESTRO.cfg", "early page.tif"}));
        EXPECT_EQ(PathExists(driveData), driveDataExisted) << driveData;
        EXPECT_FALSE(PathExists(driveData + "\\early page.tif"));
        EXPECT_TRUE(FilesIn(m_dataDir, true).empty());
        EXPECT_TRUE(FilesIn(m_logDir, true).empty());
        EXPECT_TRUE(FilesIn(m_tempDir, true).empty());
        EXPECT_TRUE(Record().processes.empty()) << "a launcher was started";
        EXPECT_TRUE(TakeBoxes().empty());
    }

    // Once JP_init has succeeded, the same page goes the usual way.
    ASSERT_EQ(m_init("E2E host"), 1);
    const int id = StartJob();
    ASSERT_EQ(id, 1);
    ASSERT_EQ(m_sendData(id, page.c_str()), 1);
    ASSERT_EQ(m_endJob(id), 1);
    EXPECT_FALSE(PathExists(page));
    EXPECT_EQ(ReadShared(DataPath("early page.tif")), "early page");
    EXPECT_EQ(Sequence(Unload()), (Lines{"PRINT 1,1: early page.tif", "SUSPEND", "DELETE"}));
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_EQ(PathExists(driveData), driveDataExisted) << driveData;
}

}  // namespace
