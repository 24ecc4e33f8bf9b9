// The debug log "KESTROd.LOG" as another process or a crash may leave it:
// any bytes, any length. Writing one line reads the newest record's offset
// back from the header; the line must land on a record of the ring, the
// header must name it, and no other byte of the file may change.
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz_fixtures.h"
#include "setup/clog_file.h"
#include "setup/log_record.h"

namespace {

// One folder for the whole run, removed at exit.
class LogFolder {
public:
    LogFolder()
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && tmp[0] ? tmp : "/tmp") + "/kestro_fuzz_XXXXXX";
        FUZZ_CHECK(mkdtemp(&pattern[0]) != nullptr);
        dir = pattern + "/";
        path = dir + "KESTROd.LOG";
    }
    ~LogFolder()
    {
        std::remove(path.c_str());
        rmdir(dir.c_str());
    }
    std::string dir;
    std::string path;
};

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static LogFolder folder;
    FuzzInput input(data, size);
    // The size limit as the configuration gives it (1 to 1024 KB), and a few
    // values around that range, where the ring is empty or one record.
    const int32_t sizeLimit = static_cast<int32_t>(input.Byte() << 8 | input.Byte()) % 1030 - 2;
    const std::string before = input.Rest();
    {
        std::ofstream out(folder.path, std::ios::binary | std::ios::trunc);
        out.write(before.data(), static_cast<std::streamsize>(before.size()));
    }

    // The header's first line as the log reads it: at most 19 characters.
    std::string firstLine = before.substr(0, kLogHeaderReadChars);
    firstLine = AsCText(firstLine.substr(0, firstLine.find('\n')));
    const int32_t newest = ParseLogHeader(firstLine.c_str());
    FUZZ_CHECK(newest >= 0);

    CLogFile log;
    log.SetLogDir(folder.dir.c_str());
    log.SetLogFileName("KESTROd.LOG");
    log.MakeLogPath();
    log.SetSizeLimit(sizeLimit);
    FUZZ_CHECK(log.WriteLog(12345, "a line written over whatever the file held"));

    const int32_t index = log.RecordIndex();
    const int32_t last = LogRecordCount(sizeLimit);
    FUZZ_CHECK(index == NextLogRecordIndex(newest, last));
    FUZZ_CHECK(index >= 1 && (index <= last || index == 1));

    const std::string after = ReadAll(folder.path);
    const size_t lineAt = static_cast<size_t>(index) * kLogRecordSize;
    FUZZ_CHECK(after.size() == std::max(before.size(), lineAt + kLogRecordSize));
    FUZZ_CHECK(ParseLogHeader(after.substr(0, kLogHeaderReadChars).c_str()) == index);
    FUZZ_CHECK(after.compare(kLogRecordSize - 2, 2, "\r\n") == 0);
    FUZZ_CHECK(after.compare(lineAt + kLogRecordSize - 2, 2, "\r\n") == 0);
    // Bytes outside the header and the new line are as they were; a gap the
    // line's offset opened past the old end reads as zero bytes.
    std::string expected = before;
    expected.resize(after.size(), '\0');
    expected.replace(0, kLogRecordSize, after, 0, kLogRecordSize);
    expected.replace(lineAt, kLogRecordSize, after, lineAt, kLogRecordSize);
    FUZZ_CHECK(after == expected);
    return 0;
}
