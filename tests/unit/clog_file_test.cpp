// The debug log file, byte for byte, with a fixed clock.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "fake_diagnostics.h"
#include "setup/clog_file.h"

namespace {

std::string Spaces(size_t n) { return std::string(n, ' '); }

// A whole log line as it must appear on disk.
std::string ExpectedLine(const std::string& stamp, const std::string& number,
                         const std::string& text)
{
    std::string record = stamp + number + " " + text;
    record += Spaces(297 - record.size()) + " \r\n";
    return record;
}

std::string ExpectedHeader(long offset)
{
    const std::string digits = std::to_string(offset);
    return digits + Spaces(298 - digits.size()) + "\r\n";
}

class LogFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/clogtestXXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = std::string(pattern) + "/";
        m_path = m_dir + "KESTROd.LOG";
        Point(m_log);
    }
    void TearDown() override
    {
        std::remove(m_path.c_str());
        std::remove(m_dir.c_str());
    }

    void Point(CLogFile& log)
    {
        log.SetLogDir(m_dir.c_str());
        log.SetLogFileName("KESTROd.LOG");
        log.MakeLogPath();
    }

    std::string File() const
    {
        std::ifstream in(m_path, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }
    std::string Record(size_t index) const { return File().substr(index * 300, 300); }

    void WriteFile(const std::string& content) const
    {
        std::ofstream out(m_path, std::ios::binary);
        out << content;
    }

    FakeDiagnostics m_platform;
    CLogFile m_log;
    std::string m_dir;
    std::string m_path;
};

const char kStamp[] = "26/12/08 23:45:06.789 ";

TEST_F(LogFileTest, FirstLineOfAFreshFileGoesToRecordOne)
{
    ASSERT_TRUE(m_log.WriteLog(1020, "------------------------------JP_Init(Scan) was Called"));
    const std::string file = File();
    ASSERT_EQ(file.size(), 600u);
    EXPECT_EQ(file.substr(0, 300), ExpectedHeader(300));
    EXPECT_EQ(file.substr(300), ExpectedLine(kStamp, " 1020",
                                             "------------------------------JP_Init(Scan) was Called"));
    EXPECT_EQ(m_log.RecordIndex(), 1);
}

TEST_F(LogFileTest, NumberColumnIsFiveCharactersCutNotWidened)
{
    ASSERT_TRUE(m_log.WriteLog(0, "zero"));
    ASSERT_TRUE(m_log.WriteLog(255000, "job 255"));
    ASSERT_TRUE(m_log.WriteLog(-5, "negative"));
    ASSERT_TRUE(m_log.WriteLog(-2147483647 - 1, "lowest"));
    EXPECT_EQ(Record(1), ExpectedLine(kStamp, "    0", "zero"));
    EXPECT_EQ(Record(2), ExpectedLine(kStamp, "25500", "job 255"));
    EXPECT_EQ(Record(3), ExpectedLine(kStamp, "   -5", "negative"));
    EXPECT_EQ(Record(4), ExpectedLine(kStamp, "-2147", "lowest"));
}

TEST_F(LogFileTest, LongTextIsCutAt269CharactersAndTheLineEndStays)
{
    const std::string text(300, 'x');
    ASSERT_TRUE(m_log.WriteLog(1, text.c_str()));
    EXPECT_EQ(Record(1), ExpectedLine(kStamp, "    1", text.substr(0, 269)));
    EXPECT_EQ(File().size(), 600u);
}

TEST_F(LogFileTest, TwoDigitYearAndZeroPaddedFields)
{
    m_platform.now = LocalTime{1999, 1, 2, 3, 4, 5, 6};
    ASSERT_TRUE(m_log.WriteLog(0, "a"));
    m_platform.now = LocalTime{2004, 4, 16, 1, 47, 45, 123};
    ASSERT_TRUE(m_log.WriteLog(0, "b"));
    EXPECT_EQ(Record(1).substr(0, 22), "99/01/02 03:04:05.006 ");
    EXPECT_EQ(Record(2).substr(0, 22), "04/04/16 01:47:45.123 ");
}

TEST_F(LogFileTest, RingWrapsAfterTheLastRecordAndNeverGrows)
{
    m_log.SetSizeLimit(2);  // N = (1 * 1024) / 300 = 3
    for (const char* text : {"one", "two", "three", "four"})
        ASSERT_TRUE(m_log.WriteLog(0, text));
    EXPECT_EQ(File().size(), 4u * 300u);
    EXPECT_EQ(Record(0), ExpectedHeader(300));
    EXPECT_EQ(Record(1), ExpectedLine(kStamp, "    0", "four"));
    EXPECT_EQ(Record(3), ExpectedLine(kStamp, "    0", "three"));
}

TEST_F(LogFileTest, DefaultLimitWrapsAfterRecord3491)
{
    const std::string last = ExpectedLine(kStamp, "    0", "last");
    std::string file = ExpectedHeader(3491 * 300) + std::string(3490 * 300, '.') + last;
    WriteFile(file);
    ASSERT_TRUE(m_log.WriteLog(0, "wrapped"));
    const std::string after = File();
    EXPECT_EQ(after.size(), 1047600u);
    EXPECT_EQ(after.substr(300, 300), ExpectedLine(kStamp, "    0", "wrapped"));
    EXPECT_EQ(after.substr(3491 * 300), last);
}

TEST_F(LogFileTest, SizeLimitOfOneOverwritesRecordOne)
{
    m_log.SetSizeLimit(1);
    ASSERT_TRUE(m_log.WriteLog(0, "first"));
    ASSERT_TRUE(m_log.WriteLog(0, "second"));
    EXPECT_EQ(File().size(), 600u);
    EXPECT_EQ(Record(1), ExpectedLine(kStamp, "    0", "second"));
}

TEST_F(LogFileTest, LoweredLimitRestartsAtOneAndKeepsRecordsBeyondIt)
{
    for (int i = 1; i <= 5; ++i)
        ASSERT_TRUE(m_log.WriteLog(i, "line"));
    const std::string fifth = Record(5);
    m_log.SetSizeLimit(2);  // N = 3, the header points at 5
    ASSERT_TRUE(m_log.WriteLog(0, "after"));
    EXPECT_EQ(File().size(), 6u * 300u);
    EXPECT_EQ(Record(1), ExpectedLine(kStamp, "    0", "after"));
    EXPECT_EQ(Record(5), fifth);
}

TEST_F(LogFileTest, ANewLogObjectContinuesWhereTheHeaderPoints)
{
    ASSERT_TRUE(m_log.WriteLog(0, "a"));
    ASSERT_TRUE(m_log.WriteLog(0, "b"));
    CLogFile restarted;
    Point(restarted);
    ASSERT_TRUE(restarted.WriteLog(0, "c"));
    EXPECT_EQ(Record(3), ExpectedLine(kStamp, "    0", "c"));
    EXPECT_EQ(restarted.RecordIndex(), 3);
}

// Bytes of a long run over several ring wraps, limit changes, a second log
// object and a damaged header, as an FNV-1a hash: the way lines are written
// may change, the file they leave may not.
TEST_F(LogFileTest, ALongRunLeavesTheSameBytesAsEver)
{
    const auto hash = [](const std::string& bytes) {
        uint64_t h = 1469598103934665603ull;
        for (unsigned char c : bytes)
            h = (h ^ c) * 1099511628211ull;
        return h;
    };
    CLogFile second;
    Point(second);
    for (int i = 0; i < 12000; ++i) {
        m_platform.now.millisecond = i % 1000;
        m_platform.now.second = (i / 1000) % 60;
        if (i == 4000)
            m_log.SetSizeLimit(3);
        if (i == 7000)
            WriteFile(File().replace(0, 5, "junk!"));
        CLogFile& log = i % 3 == 0 ? second : m_log;
        ASSERT_TRUE(log.WriteLog(i * 37 % 100000, ("line " + std::to_string(i) +
                                                  std::string(static_cast<size_t>(i % 300), 'x'))
                                                     .c_str()));
    }
    EXPECT_EQ(hash(File()), 16084069663942738713ull) << File().size();
}

TEST_F(LogFileTest, DamagedHeaderRestartsTheRingAtRecordOne)
{
    for (const char* header : {"garbage", "-600", "0", "", "99999999999999999999"}) {
        WriteFile(std::string(header) + "\r\n" + std::string(900, '.'));
        ASSERT_TRUE(m_log.WriteLog(0, "fresh")) << header;
        EXPECT_EQ(Record(0), ExpectedHeader(300)) << header;
        EXPECT_EQ(Record(1), ExpectedLine(kStamp, "    0", "fresh")) << header;
    }
}

TEST_F(LogFileTest, LinesAreLostCleanlyWithoutAUsablePath)
{
    CLogFile unset;  // no directory yet
    EXPECT_FALSE(unset.WriteLog(0, "lost"));

    CLogFile missing;
    missing.SetLogDir((m_dir + "no/such/folder/").c_str());
    missing.MakeLogPath();
    EXPECT_FALSE(missing.WriteLog(0, "lost"));

    // A directory that does not fit its field is not cut to a shorter,
    // different directory: it is refused and nothing is written anywhere.
    const std::string longDir = m_dir + std::string(300, 'd') + "/";
    CLogFile overlong;
    overlong.SetLogDir(longDir.c_str());
    overlong.MakeLogPath();
    EXPECT_STREQ(overlong.LogPath(), "");
    EXPECT_FALSE(overlong.WriteLog(0, "lost"));

    // So is a directory that fits but leaves no room for the file name.
    CLogFile tight;
    tight.SetLogDir((m_dir + std::string(250 - m_dir.size(), 'd') + "/").c_str());
    tight.MakeLogPath();
    EXPECT_STREQ(tight.LogPath(), "");
}

TEST_F(LogFileTest, PathJoinsWithOrWithoutTrailingSeparator)
{
    CLogFile log;
    log.SetLogDir("C:\\Logs");
    log.MakeLogPath();
    EXPECT_STREQ(log.LogPath(), "C:\\Logs\\KESTROd.LOG");
    log.SetLogDir("C:\\Logs\\");
    EXPECT_STREQ(log.LogPath(), "C:\\Logs\\KESTROd.LOG") << "path is rebuilt only by MakeLogPath";
    log.MakeLogPath();
    EXPECT_STREQ(log.LogPath(), "C:\\Logs\\KESTROd.LOG");

    char small[8];
    EXPECT_FALSE(log.GetLogPath(small, sizeof small));
    EXPECT_STREQ(small, "");
    char dir[260];
    ASSERT_TRUE(log.GetLogDir(dir, sizeof dir));
    EXPECT_STREQ(dir, "C:\\Logs\\");
}

TEST_F(LogFileTest, SaveLastErrorCapturesTheSystemCode)
{
    m_platform.lastError = 5;
    m_log.SaveLastError(31);
    EXPECT_EQ(m_log.LastErrorNumber(), 31);
    EXPECT_EQ(m_log.LastSystemError(), 5u);
}

}  // namespace
