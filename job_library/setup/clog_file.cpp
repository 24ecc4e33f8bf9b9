#include "clog_file.h"

#include <cstdio>
#include <cstring>

#include "diagnostics_platform.h"
#include "jobport_readers/bounded_text.h"
#include "log_record.h"

const char kLibraryModuleName[] = "jobport.DLL";

CLogFile gLog;

namespace {

const char kDefaultLogFileName[] = "KESTROd.LOG";
const size_t kStringBufferSize = 276;

// Copies text into a fixed field; an overlong text leaves the field empty.
bool CopyField(char* field, size_t size, const char* text)
{
    const size_t n = text ? strnlen(text, size) : 0;
    if (n >= size) {
        field[0] = '\0';
        return false;
    }
    std::memcpy(field, text, n);
    field[n] = '\0';
    return true;
}

// Owns a stdio stream for the length of one step.
class File {
public:
    explicit File(std::FILE* f) : m_f(f) {}
    ~File()
    {
        if (m_f)
            std::fclose(m_f);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    std::FILE* get() const { return m_f; }
    explicit operator bool() const { return m_f != nullptr; }
    // Flushes and closes; false when the data did not reach the file.
    bool Close()
    {
        const bool ok = std::fclose(m_f) == 0;
        m_f = nullptr;
        return ok;
    }

private:
    std::FILE* m_f;
};

// Opens the log for update, creating it when missing. Binary mode: CR LF
// are written by us, so a record is 300 bytes whatever the C library does
// with line ends. Creating takes a second open only the first time.
std::FILE* OpenForUpdate(const char* path)
{
    if (path[0] == '\0')
        return nullptr;
    if (std::FILE* f = std::fopen(path, "r+b"))
        return f;
    if (std::FILE* created = std::fopen(path, "ab"))
        std::fclose(created);
    return std::fopen(path, "r+b");
}

// Reads the offset of the newest line from the header; 0 for an empty file
// or a header that cannot be read.
int32_t ReadNewestIndex(std::FILE* f)
{
    char line[kLogHeaderReadChars + 1] = {};
    if (std::fseek(f, 0, SEEK_SET) != 0 || !std::fgets(line, sizeof line, f))
        return 0;
    return ParseLogHeader(line);
}

bool WriteRecordAt(std::FILE* f, int32_t index, const char* record)
{
    const long offset = static_cast<long>(index) * static_cast<long>(kLogRecordSize);
    return std::fseek(f, offset, SEEK_SET) == 0 &&
           std::fwrite(record, 1, kLogRecordSize, f) == kLogRecordSize;
}

}  // namespace

CLogFile::CLogFile()
{
    m_directory[0] = '\0';
    m_path[0] = '\0';
    CopyField(m_fileName, sizeof m_fileName, kDefaultLogFileName);
}

void CLogFile::SetLogDir(const char* directory)
{
    CopyField(m_directory, sizeof m_directory, directory);
}

void CLogFile::SetLogFileName(const char* name)
{
    CopyField(m_fileName, sizeof m_fileName, name);
}

void CLogFile::MakeLogPath()
{
    m_path[0] = '\0';
    if (m_directory[0] == '\0' || m_fileName[0] == '\0')
        return;
    const char* format = EndsWithSeparator(m_directory) ? "%s%s" : "%s\\%s";
    const int n = std::snprintf(m_path, sizeof m_path, format, m_directory, m_fileName);
    if (n < 0 || static_cast<size_t>(n) >= sizeof m_path)
        m_path[0] = '\0';
}

bool CLogFile::GetLogPath(char* buffer, size_t size) const
{
    return CopyField(buffer, size, m_path);
}

bool CLogFile::GetLogDir(char* buffer, size_t size) const
{
    return CopyField(buffer, size, m_directory);
}

bool CLogFile::WriteLog(int32_t number, const char* text)
{
    // One open a line: header read, header and line written, then closed, so
    // the line is on disk when this returns and no handle outlives it.
    File f(OpenForUpdate(m_path));
    if (!f)
        return false;
    const int32_t newest = ReadNewestIndex(f.get());
    const int32_t index = NextLogRecordIndex(newest, LogRecordCount(m_sizeLimit));

    char record[kLogRecordSize];
    FormatLogHeader(record, index);
    if (!WriteRecordAt(f.get(), 0, record))
        return false;
    FormatLogLine(record, Diagnostics().Now(), number, text);
    if (!WriteRecordAt(f.get(), index, record) || !f.Close())
        return false;
    m_recordIndex = index;
    return true;
}

bool CLogFile::WriteLogMessage(int32_t number, unsigned id, const char* moduleName)
{
    char text[kStringBufferSize];
    uint32_t error = 0;
    if (Diagnostics().LoadText(moduleName, id, text, sizeof text, &error))
        return WriteLog(number, text);
    if (error == kErrorResourceNameNotFound)
        return WriteLog(static_cast<int32_t>(id), "<SYSTEM ERROR> No string resource");
    return WriteLog(static_cast<int32_t>(error), "<SYSTEM ERROR> LoadString Error");
}

void CLogFile::SaveLastError(int32_t errorNumber)
{
    m_lastErrorNumber = errorNumber;
    m_lastSystemError = Diagnostics().LastError();
}
