// A careless host: pages that cannot be moved, ids that are not open, a
// read-only page, a second JP_init and a reload while the launcher still has
// work, an aborted job that held its pages. Every page JP_SendData accepted
// reaches the launcher or goes with its job's abort, every page it refused
// stays with the host, and nothing is left behind that nobody will delete.
#include <string>
#include <vector>

#include "end_to_end_fixture.h"
#include "win32_shared/kernel_handles_win32.h"

namespace {

// Windows error codes the refusal lines carry.
const int kFileNotFound = 2;
const int kAccessDenied = 5;
const int kSharingViolation = 32;
const int kInvalidName = 123;
const int kNameTooLong = 206;

class CarelessHost : public EndToEndTest {
protected:
    std::vector<std::string> DataFiles() const { return FilesIn(m_dataDir + "\\Data"); }

    // A line of the debug log, which keeps the first 269 characters of a text.
    bool Logged(int number, const std::string& text) const
    {
        const std::string kept = text.substr(0, 269);
        for (const LogLine& line : LogLines())
            if (line.number == number && line.text == kept)
                return true;
        return false;
    }
};

// Each refused page: what JP_SendData is given, and the line that must name
// it with its code. Nothing of any of them moves, and the job goes on.
TEST_F(CarelessHost, PagesThatCannotBeMovedAndIdsNotOpenAreRefusedAndStayWithTheHost)
{
    SetDoubleOption("KESTRO_DOUBLE_DELETE_PRINTED", "1");
    LoadAndInit();
    const int removed = StartJob();
    ASSERT_EQ(m_endJob(removed), 1);
    const int id = StartJob();

    const std::string folder = HostPath("folder.bmp");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string locked = HostPath("locked.bmp");
    WriteWhole(locked, "held by another program");
    KernelHandle lock(CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(lock);
    // Fits the host's folder, not the data folder, whose path is longer.
    const size_t room = 259 - (m_hostDir.size() + 1);
    const std::string longName = std::string(room - 4, 'n') + ".bmp";
    const std::string longPath = HostPath(longName);
    WriteWhole(longPath, "long name");
    ASSERT_GT(DataPath(longName).size(), 259u);

    struct Refusal {
        std::string path;
        int code;
        std::string reason;
    } refusals[] = {
        {HostPath("gone.bmp"), kFileNotFound, "cannot be opened for reading"},
        {folder, kAccessDenied, "cannot be opened for reading"},
        {locked, kSharingViolation, "cannot be opened for reading"},
        {"CON", kInvalidName, "a device name, not a file"},
        {"NUL", kInvalidName, "a device name, not a file"},
        {HostPath("COM1.bmp"), kInvalidName, "a device name, not a file"},
        {longPath, kNameTooLong, "path in the data folder too long"},
    };
    for (const Refusal& refusal : refusals) {
        EXPECT_EQ(m_sendData(id, refusal.path.c_str()), 0) << refusal.path;
        EXPECT_TRUE(Logged(refusal.code,
                           "<<Error>> page file not moved (" + refusal.reason + "): " + refusal.path))
            << refusal.path;
    }
    lock.Reset();

    // Ids that are not open are refused before anything moves.
    const std::string kept = HostPath("kept.bmp");
    WriteWhole(kept, "the host's page");
    for (int badId : {-1, 256, 77, removed})
        EXPECT_EQ(m_sendData(badId, kept.c_str()), 0) << badId;
    EXPECT_EQ(ReadShared(kept), "the host's page");
    EXPECT_EQ(ReadShared(locked), "held by another program");
    EXPECT_TRUE(PathExists(longPath));
    EXPECT_TRUE(DataFiles().empty());

    // A read-only page is moved like any other; in the data folder it is the
    // launcher's to delete. The job's first accepted page is its page 1.
    const std::string readOnly = HostPath("read-only.bmp");
    WriteWhole(readOnly, "read-only page");
    ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(m_sendData(id, readOnly.c_str()), 1);
    EXPECT_FALSE(PathExists(readOnly));
    ASSERT_EQ(m_endJob(id), 1);
    const LauncherRecord record = Unload();
    EXPECT_EQ(Sequence(record), (Lines{"SUSPEND", "RESUME",
                                       "PRINT " + std::to_string(id) + ",1: read-only.bmp",
                                       "SUSPEND", "DELETE"}));
    EXPECT_TRUE(DataFiles().empty());
    EXPECT_TRUE(TakeBoxes().empty());
}

// A second JP_init while a job is open and its groups wait in the launcher:
// the job, its id sequence and the launcher go on, and no waiting page goes.
TEST_F(CarelessHost, SecondInitKeepsTheOpenJobTheLauncherAndTheWaitingPages)
{
    LoadAndInit();
    const int id = StartJob();
    ASSERT_TRUE(Send(id, "a.tif"));
    ASSERT_TRUE(Send(id, "b.tif"));
    ASSERT_EQ(m_init("E2E host again"), 1);
    EXPECT_EQ(DataFiles(), (Lines{"a.tif", "b.tif"}));
    ASSERT_TRUE(Send(id, "c.tif"));
    const int next = StartJob();
    EXPECT_EQ(next, id + 1);
    ASSERT_EQ(m_endJob(id), 1);
    ASSERT_EQ(m_endJob(next), 1);

    const LauncherRecord record = Unload();
    EXPECT_EQ(record.processes.size(), 1u);
    EXPECT_EQ(Sequence(record), (Lines{"PRINT 1,1: a.tif", "PRINT 1,2: b.tif", "PRINT 1,3: c.tif",
                                       "SUSPEND", "DELETE"}));
    EXPECT_EQ(DataFiles(), (Lines{"a.tif", "b.tif", "c.tif"}));
}

// Unloaded and loaded again while the first launcher still has groups: the
// new JP_init keeps their pages, and the new library's first job takes an id
// under which nothing waits, so no waiting hand-off file is overwritten.
TEST_F(CarelessHost, ReloadKeepsWaitingGroupsAndNeverReusesTheirNames)
{
    LoadAndInit();
    ASSERT_EQ(StartJob(2), 1);
    ASSERT_TRUE(Send(1, "first.tif"));
    ASSERT_EQ(m_endJob(1), 1);
    Unload();
    const std::string pageList = ReadShared(HandoffPath(1, 1));
    const std::string settings = ReadShared(HandoffPath(1, 0));

    LoadAndInit();
    EXPECT_EQ(DataFiles(), Lines{"first.tif"});
    const int id = StartJob();
    EXPECT_EQ(id, 2);
    EXPECT_TRUE(Logged(1000, "  ID=1 skipped: a group of a job with this id still waits"));
    ASSERT_TRUE(Send(id, "second.tif"));
    ASSERT_EQ(m_endJob(id), 1);
    EXPECT_EQ(ReadShared(HandoffPath(1, 1)), pageList);
    EXPECT_EQ(ReadShared(HandoffPath(1, 0)), settings);
    const LauncherRecord record = Unload();
    EXPECT_EQ(record.processes.size(), 2u);
    EXPECT_EQ(Sequence(record), (Lines{"PRINT 1,1: first.tif", "SUSPEND", "DELETE",
                                       "PRINT 2,1: second.tif", "SUSPEND", "DELETE"}));
}

// Every JP_init starts the ids at 1. A settings file left by a launcher that
// printed everything is overwritten; open jobs that never handed a group
// over take theirs along when the library is unloaded.
TEST_F(CarelessHost, EveryInitStartsIdsAtOne)
{
    SetDoubleOption("KESTRO_DOUBLE_DELETE_PRINTED", "1");
    LoadAndInit();
    for (int expected : {1, 2}) {
        ASSERT_EQ(StartJob(), expected);
        ASSERT_TRUE(Send(expected, "page" + std::to_string(expected) + ".tif"));
        ASSERT_EQ(m_endJob(expected), 1);
    }
    WaitForMessages(5);  // SUSPEND after each job's PRINT, the last one too
    ASSERT_TRUE(PathExists(HandoffPath(1, 0)));
    EXPECT_TRUE(ReleasedGroups().empty());
    ASSERT_EQ(m_init("E2E host again"), 1);
    ASSERT_EQ(StartJob(3), 1);
    EXPECT_NE(ReadShared(HandoffPath(1, 0)).find("Copies=3"), std::string::npos);

    // Unloaded with two jobs open that handed nothing over.
    ASSERT_EQ(StartJob(), 2);
    Unload();
    EXPECT_FALSE(PathExists(HandoffPath(1, 0)));
    EXPECT_FALSE(PathExists(HandoffPath(2, 0)));
    LoadAndInit();
    EXPECT_EQ(StartJob(), 1);
}

// Another host process of the same user shares the data folder: its JP_init
// deletes what nobody holds, never a page this process still holds.
TEST_F(CarelessHost, AnotherHostsInitLeavesThePagesThisOneHolds)
{
    PrintSettingsFile afterTheJob;
    afterTheJob.printAfterReceivedAllData = 1;
    WriteSettings(afterTheJob);
    LoadAndInit();
    const int id = StartJob();
    ASSERT_TRUE(Send(id, "held1.tif"));
    ASSERT_TRUE(Send(id, "held2.tif"));
    WriteWhole(DataPath("stray.tif"), "left from before");
    EXPECT_EQ(RunOtherHost("\"# another scanning program starts\""), 0u);
    EXPECT_EQ(DataFiles(), (Lines{"held1.tif", "held2.tif"}));
    ASSERT_EQ(m_endJob(id), 1);
    EXPECT_EQ(Sequence(Unload()), (Lines{"PRINT " + std::to_string(id) + ",1: held1.tif held2.tif",
                                         "SUSPEND", "DELETE"}));
}

// A data folder value that is not absolute counts as missing: the library
// starts and prints, but refuses pages rather than put them somewhere else.
TEST_F(CarelessHost, WithoutAnAbsoluteDataFolderPagesAreRefusedAndNothingIsMadeElsewhere)
{
    for (const char* value : {"Data", "\\KestroData"}) {
        ASSERT_TRUE(SetRegistryValue("System Directory", value));
        LoadAndInit();
        const int id = StartJob();
        const std::string page = HostPath("page.bmp");
        WriteWhole(page, "the host's page");
        EXPECT_EQ(m_sendData(id, page.c_str()), 0) << value;
        EXPECT_EQ(ReadShared(page), "the host's page");
        EXPECT_TRUE(Logged(3, "<<Error>> page file not moved (no data folder was read by JP_init): " +
                                  page));
        EXPECT_FALSE(PathExists(m_hostDir + "\\Data"));
        EXPECT_FALSE(PathExists("\\KestroData"));
        ASSERT_EQ(m_endJob(id), 1);
        Unload();
    }
}

// Aborted jobs whose pages never reached the launcher leave no settings
// file: the current one printing in pairs, and one that waited its turn.
TEST_F(CarelessHost, AbortedJobsThatHandedNothingOverLeaveNoSettingsFile)
{
    PrintSettingsFile pairs;
    pairs.nup = 1;
    WriteSettings(pairs);
    LoadAndInit();
    const int current = StartJob();
    const int waiting = StartJob();
    ASSERT_TRUE(Send(current, "c1.tif"));
    ASSERT_TRUE(Send(waiting, "w1.tif"));
    ASSERT_TRUE(PathExists(HandoffPath(waiting, 0)));
    ASSERT_EQ(m_abortJob(waiting), 1);
    ASSERT_EQ(m_abortJob(current), 1);
    EXPECT_EQ(ReleasedGroups(), Lines{});
    EXPECT_FALSE(PathExists(HandoffPath(current, 0)));
    EXPECT_FALSE(PathExists(HandoffPath(waiting, 0)));
    EXPECT_TRUE(DataFiles().empty());
    EXPECT_EQ(Sequence(Unload()), (Lines{"SUSPEND", "DELETE"}));
}

}  // namespace
