#include "clog_file.h"

#include <cstdio>
#include <cstring>

#include "diagnostics_platform.h"
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

bool EndsWithSeparator(const char* text)
{
    const size_t n = std::strlen(text);
    return n > 0 && (text[n - 1] == '\\' || text[n - 1] == '/');
}

// Owns a stdio stream for the length of one step.
class File {
public:
    File(const char* path, const char* mode) : m_f(std::fopen(path, mode)) {}
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

// Every open is two steps: create the file if missing (append, close), then
// open it for update. Binary mode: CR LF are written by us, so a record is
// 300 bytes whatever the C library does with line ends.
bool CreateIfMissing(const char* path)
{
    if (path[0] == '\0')
        return false;
    File create(path, "ab");
    return static_cast<bool>(create);
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

int32_t CLogFile::ReadNewestIndex() const
{
    File f(m_path, "rb");
    if (!f)
        return 0;
    char line[kLogHeaderReadChars + 1] = {};
    if (!std::fgets(line, sizeof line, f.get()))
        return 0;
    return ParseLogHeader(line);
}

bool CLogFile::WriteRecord(int32_t index, const char* record)
{
    if (!CreateIfMissing(m_path))
        return false;
    File f(m_path, "r+b");
    if (!f)
        return false;
    const long offset = static_cast<long>(index) * static_cast<long>(kLogRecordSize);
    if (std::fseek(f.get(), offset, SEEK_SET) != 0)
        return false;
    if (std::fwrite(record, 1, kLogRecordSize, f.get()) != kLogRecordSize)
        return false;
    return f.Close();
}

bool CLogFile::WriteLog(int32_t number, const char* text)
{
    if (!CreateIfMissing(m_path))
        return false;
    const int32_t newest = ReadNewestIndex();
    const int32_t index = NextLogRecordIndex(newest, LogRecordCount(m_sizeLimit));

    char record[kLogRecordSize];
    FormatLogHeader(record, index);
    if (!WriteRecord(0, record))
        return false;

    FormatLogLine(record, Diagnostics().Now(), number, text);
    if (!WriteRecord(index, record))
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
