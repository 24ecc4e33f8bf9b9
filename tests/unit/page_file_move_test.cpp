// Moving page files into the data folder against an in-memory file system:
// rename or copy, names that collide with waiting pages, path limits,
// separators, and sources that are refused while the host still has them.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "jobport_readers/config_record.h"
#include "jobs/page_file_move.h"

namespace {

class FakePageFiles : public PageFileSystem {
public:
    void CreateFolder(const char* path) override { folders.insert(path); }
    int32_t CheckSource(const char* path) override
    {
        const auto error = sourceErrors.find(path);
        if (error != sourceErrors.end())
            return error->second;
        return files.count(path) != 0 ? 0 : 2;  // ERROR_FILE_NOT_FOUND
    }
    bool Exists(const char* path) override
    {
        return files.count(path) != 0 || folders.count(path) != 0;
    }
    bool Rename(const char* from, const char* to) override
    {
        ops.push_back("rename");
        if (!canRename || files.count(from) == 0 || Exists(to) || undeletable.count(from))
            return false;
        files[to] = files[from];
        files.erase(from);
        return true;
    }
    bool Copy(const char* from, const char* to) override
    {
        ops.push_back("copy");
        if (copyError != 0 || files.count(from) == 0 || Exists(to))
            return false;
        files[to] = files[from];
        return true;
    }
    bool RemoveFile(const char* path) override
    {
        ops.push_back("remove");
        if (undeletable.count(path) == 0 && files.erase(path) == 1)
            return true;
        copyError = 5;  // ERROR_ACCESS_DENIED
        return false;
    }
    int32_t LastError() override { return copyError; }

    std::map<std::string, std::string> files;
    std::set<std::string> folders;
    std::set<std::string> undeletable;
    std::map<std::string, int32_t> sourceErrors;
    int32_t copyError = 0;  // not 0: every copy fails with it
    bool canRename = true;  // false: the data folder is on another volume
    std::vector<std::string> ops;
};

const char kDataDir[] = "C:\\KESTRO";
const char kData[] = "C:\\KESTRO\\Data";

class PageMoveTest : public ::testing::Test {
protected:
    // Moves hostPath; a refusal's line goes to log, its code first.
    bool Move(const std::string& hostPath, const char* dataDir = kDataDir)
    {
        newPath = hostPath;
        PageRefusal refusal;
        if (MovePageFile(fs, dataDir, hostPath, newPath, refusal, &sourceKeptError))
            return true;
        log.push_back(std::to_string(refusal.errorCode) + " " + PageRefusalLine(refusal, hostPath));
        return false;
    }

    FakePageFiles fs;
    int32_t sourceKeptError = -1;
    std::string newPath;
    std::vector<std::string> log;
};

TEST_F(PageMoveTest, RenamesIntoTheDataFolderWhenItCan)
{
    fs.files["C:\\scan\\p1.bmp"] = "page one";
    ASSERT_TRUE(Move("C:\\scan\\p1.bmp"));
    EXPECT_EQ(newPath, "C:\\KESTRO\\Data\\p1.bmp");
    EXPECT_EQ(fs.files, (std::map<std::string, std::string>{{newPath, "page one"}}));
    EXPECT_EQ(fs.ops, (std::vector<std::string>{"rename"}));
    EXPECT_EQ(fs.folders.count(kData), 1u);
}

TEST_F(PageMoveTest, CopiesAndDeletesTheSourceWhenItCannotRename)
{
    fs.canRename = false;
    fs.files["D:\\scan\\p1.bmp"] = "page one";
    ASSERT_TRUE(Move("D:\\scan\\p1.bmp"));
    EXPECT_EQ(newPath, "C:\\KESTRO\\Data\\p1.bmp");
    EXPECT_EQ(fs.files, (std::map<std::string, std::string>{{newPath, "page one"}}));
    EXPECT_EQ(fs.ops, (std::vector<std::string>{"rename", "copy", "remove"}));

    EXPECT_EQ(sourceKeptError, 0);

    // A source that cannot be deleted stays, and the caller learns why; its
    // copy waits in the data folder.
    fs.files["D:\\scan\\p2.bmp"] = "page two";
    fs.undeletable.insert("D:\\scan\\p2.bmp");
    ASSERT_TRUE(Move("D:\\scan\\p2.bmp"));
    EXPECT_EQ(fs.files["C:\\KESTRO\\Data\\p2.bmp"], "page two");
    EXPECT_EQ(fs.files.count("D:\\scan\\p2.bmp"), 1u);
    EXPECT_EQ(sourceKeptError, 5);

    // A drive's root as data directory gives one separator.
    fs.copyError = 0;
    fs.files["D:\\scan\\p3.bmp"] = "page three";
    ASSERT_TRUE(Move("D:\\scan\\p3.bmp", "E:\\"));
    EXPECT_EQ(newPath, "E:\\Data\\p3.bmp");
}

TEST_F(PageMoveTest, SourcesThatCannotBeMovedAreRefusedWithTheirCodeAndStay)
{
    const std::string folder = "C:\\scan\\folder.bmp";
    const std::string locked = "C:\\scan\\locked.bmp";
    fs.folders.insert(folder);
    fs.sourceErrors[folder] = 5;
    fs.files[locked] = "held";
    fs.sourceErrors[locked] = 32;
    fs.files["C:\\scan\\COM1.bmp"] = "a device";
    fs.files["C:\\scan\\ok.bmp"] = "copy fails";
    struct Case {
        std::string path;
        std::string line;
    } cases[] = {
        {"C:\\scan\\gone.bmp", "2 <<Error>> page file not moved (cannot be opened for reading): C:\\scan\\gone.bmp"},
        {folder, "5 <<Error>> page file not moved (cannot be opened for reading): " + folder},
        {locked, "32 <<Error>> page file not moved (cannot be opened for reading): " + locked},
        {"C:\\scan\\COM1.bmp", "123 <<Error>> page file not moved (a device name, not a file): C:\\scan\\COM1.bmp"},
        {"NUL", "123 <<Error>> page file not moved (a device name, not a file): NUL"},
    };
    for (const Case& c : cases) {
        log.clear();
        EXPECT_FALSE(Move(c.path)) << c.path;
        EXPECT_EQ(newPath, c.path);
        EXPECT_EQ(log, std::vector<std::string>{c.line});
    }
    // Without a data folder nothing moves, not even to the drive's root.
    for (const char* noFolder : {"", static_cast<const char*>(nullptr)}) {
        log.clear();
        EXPECT_FALSE(Move("C:\\scan\\ok.bmp", noFolder));
        EXPECT_EQ(log, std::vector<std::string>{"3 <<Error>> page file not moved (no data folder "
                                                "was read by JP_init): C:\\scan\\ok.bmp"});
    }
    // A copy that fails half-way gives the system's code; nothing is left.
    fs.canRename = false;
    fs.copyError = 112;  // ERROR_DISK_FULL
    log.clear();
    EXPECT_FALSE(Move("C:\\scan\\ok.bmp"));
    EXPECT_EQ(log, std::vector<std::string>{
                       "112 <<Error>> page file not moved (cannot be copied into the data "
                       "folder): C:\\scan\\ok.bmp"});
    EXPECT_EQ(fs.files.size(), 3u);  // the sources only
    EXPECT_EQ(fs.files.count("C:\\scan\\ok.bmp"), 1u);
}

TEST(DeviceNameTest, TheBaseNameDecidesInAnyCase)
{
    for (const char* name : {"CON", "nul", "Aux.txt", "PRN.bmp.tif", "COM1.bmp", "lpt9",
                             "LPT3 .txt", "conout$", "CONIN$.x"})
        EXPECT_TRUE(IsDeviceName(name)) << name;
    for (const char* name : {"CONSOLE.bmp", "COM0.bmp", "COM10", "LPT", "xNUL", "NUL_1.bmp",
                             ".CON", "scan.CON"})
        EXPECT_FALSE(IsDeviceName(name)) << name;
}

TEST_F(PageMoveTest, TakenNameGivesTheNextFreeNumberedNameAndKeepsBothPages)
{
    fs.files["C:\\KESTRO\\Data\\scan.bmp"] = "first";
    fs.files["C:\\KESTRO\\Data\\scan(2).bmp"] = "second";
    fs.files["C:\\host\\scan.bmp"] = "third";
    ASSERT_TRUE(Move("C:\\host\\scan.bmp"));
    EXPECT_EQ(newPath, "C:\\KESTRO\\Data\\scan(3).bmp");
    EXPECT_EQ(fs.files["C:\\KESTRO\\Data\\scan.bmp"], "first");
    EXPECT_EQ(fs.files["C:\\KESTRO\\Data\\scan(2).bmp"], "second");
    EXPECT_EQ(fs.files["C:\\KESTRO\\Data\\scan(3).bmp"], "third");
    EXPECT_EQ(fs.files.count("C:\\host\\scan.bmp"), 0u);

    // The same through the copy.
    fs.canRename = false;
    fs.files["D:\\host\\scan.bmp"] = "fourth";
    ASSERT_TRUE(Move("D:\\host\\scan.bmp"));
    EXPECT_EQ(newPath, "C:\\KESTRO\\Data\\scan(4).bmp");
    EXPECT_EQ(fs.files["C:\\KESTRO\\Data\\scan(3).bmp"], "third");
}

TEST(NumberedFileNameTest, NumberGoesBeforeTheLastExtension)
{
    EXPECT_EQ(NumberedFileName("scan.bmp", 1), "scan.bmp");
    EXPECT_EQ(NumberedFileName("scan.bmp", 2), "scan(2).bmp");
    EXPECT_EQ(NumberedFileName("scan.bmp", 9999), "scan(9999).bmp");
    EXPECT_EQ(NumberedFileName("page", 2), "page(2)");
    EXPECT_EQ(NumberedFileName("a.b.tif", 3), "a.b(3).tif");
    EXPECT_EQ(NumberedFileName(".bmp", 2), ".bmp(2)");
    EXPECT_EQ(NumberedFileName("end.", 2), "end(2).");
}

TEST_F(PageMoveTest, SlashAndBackslashBothSeparateTheFileName)
{
    const char* paths[] = {"C:/scan/a.bmp", "C:\\scan/b.bmp", "C:/scan\\c.bmp",
                           "\\\\srv\\share/d.bmp"};
    for (const char* path : paths) {
        fs.files[path] = path;
        ASSERT_TRUE(Move(path)) << path;
        EXPECT_EQ(newPath, std::string(kData) + "\\" + PageFileName(path)) << path;
        EXPECT_EQ(PageFileName(path).size(), 5u) << path;
    }
    EXPECT_EQ(PageFileName("noseparator.bmp"), "noseparator.bmp");

    // A path without a separator is a file in the host's current folder.
    fs.files["rel.bmp"] = "relative";
    ASSERT_TRUE(Move("rel.bmp"));
    EXPECT_EQ(newPath, "C:\\KESTRO\\Data\\rel.bmp");
}

TEST_F(PageMoveTest, PathsThatDoNotFitArePutInTheLogAndNothingMoves)
{
    // Longest host path accepted: 259 characters.
    const std::string longest = "C:\\" + std::string(kPathBufferSize - 9, 'h') + "\\a.bm";
    ASSERT_EQ(longest.size(), kPathBufferSize - 1);
    fs.files[longest] = "fits";
    EXPECT_TRUE(Move(longest));
    EXPECT_TRUE(log.empty());

    const std::string tooLong = longest + "p";
    fs.files[tooLong] = "too long";
    EXPECT_FALSE(Move(tooLong));
    EXPECT_EQ(newPath, tooLong);
    EXPECT_EQ(fs.files[tooLong], "too long");
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].rfind("206 <<Error>> page file not moved (path too long): C:\\hhh", 0), 0u);

    // A name that fits the host folder but not the data folder.
    const std::string longName = "C:\\" + std::string(kPathBufferSize - 8, 'n');
    fs.files[longName] = "long name";
    EXPECT_FALSE(Move(longName));
    EXPECT_EQ(newPath, longName);
    EXPECT_EQ(fs.files[longName], "long name");
    EXPECT_EQ(log.size(), 2u);

    // A path that ends in a separator names no file.
    EXPECT_FALSE(Move("C:\\scan\\"));
    EXPECT_EQ(newPath, "C:\\scan\\");
    EXPECT_EQ(log.size(), 3u);
}

TEST_F(PageMoveTest, TakenNameWithNoRoomForANumberIsRefusedNotReplaced)
{
    // "Data\" + name is exactly 259 characters: "(2)" does not fit.
    const std::string name(kPathBufferSize - 1 - sizeof kData, 'x');
    const std::string waiting = std::string(kData) + "\\" + name;
    ASSERT_EQ(waiting.size(), kPathBufferSize - 1);
    fs.files[waiting] = "waiting";
    fs.files["C:\\h\\" + name] = "new";
    EXPECT_FALSE(Move("C:\\h\\" + name));
    EXPECT_EQ(newPath, "C:\\h\\" + name);
    EXPECT_EQ(fs.files[waiting], "waiting");
    EXPECT_EQ(fs.files["C:\\h\\" + name], "new");
    EXPECT_EQ(log.size(), 1u);
}

}  // namespace
