#include "handoff_files.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "jobport_readers/config_record.h"
#include "shared_formats/handoff_file_name.h"

namespace {

const char kLineEnd[] = "\r\n";

// Writes text with every "\n" and the end of the line as CR LF, the way a
// text-mode stream writes it, so the file reads the same everywhere.
bool WriteLine(HandoffFile& file, const char* text)
{
    const char* segment = text;
    for (const char* lf = std::strchr(segment, '\n'); lf; lf = std::strchr(segment, '\n')) {
        const size_t length = static_cast<size_t>(lf - segment);
        if (!file.Write(segment, length) || !file.Write(kLineEnd, 2))
            return false;
        segment = lf + 1;
    }
    return file.Write(segment, std::strlen(segment)) && file.Write(kLineEnd, 2);
}

// Writes the lines to the hand-off file of (jobId, page), emptied first
// unless append, in one open: the file is closed before anything is
// reported, as the report may show a box and wait for the user.
bool WriteHandoffLines(HandoffFileSystem& files, const char* tempDir, uint32_t jobId,
                       uint32_t page, const char* const* lines, size_t count, bool append)
{
    char name[kPathBufferSize];
    if (!HandoffFileName(tempDir, jobId, page, name, sizeof name)) {
        files.ReportError(kErrorHandoffName, jobId);
        return false;
    }
    std::unique_ptr<HandoffFile> file = files.OpenForWriting(name, append);
    if (!file) {
        files.ReportError(kErrorHandoffOpen, jobId);
        return false;
    }
    bool written = true;
    for (size_t i = 0; i < count && written; ++i)
        written = WriteLine(*file, lines[i] ? lines[i] : "");
    const bool closed = file->Close();
    file.reset();
    if (!written || !closed) {
        files.ReportError(kErrorHandoffWrite, jobId);
        return false;
    }
    return true;
}

}  // namespace

bool WriteHandoffLine(HandoffFileSystem& files, const char* tempDir, uint32_t jobId,
                      uint32_t page, const char* text, bool append)
{
    return WriteHandoffLines(files, tempDir, jobId, page, &text, 1, append);
}

bool WritePageListFile(HandoffFileSystem& files, const char* tempDir, uint32_t jobId,
                       uint32_t firstPage, const std::vector<std::string>& paths)
{
    for (const std::string& path : paths) {
        if (path.size() >= kPathBufferSize) {
            files.ReportError(kErrorHandoffWrite, jobId);
            return false;
        }
    }
    char count[16];
    std::snprintf(count, sizeof count, "%u", static_cast<unsigned>(paths.size()));
    std::vector<const char*> lines;
    try {
        lines.reserve(paths.size() + 1);
    } catch (const std::bad_alloc&) {
        files.ReportError(kErrorHandoffWrite, jobId);
        return false;
    }
    lines.push_back(count);
    for (const std::string& path : paths)
        lines.push_back(path.c_str());
    // The same bytes as a count line and one appended line per path, in one open.
    return WriteHandoffLines(files, tempDir, jobId, firstPage, lines.data(), lines.size(), false);
}

bool WriteJobSettingsFile(HandoffFileSystem& files, const char* tempDir, uint32_t jobId,
                          uint32_t copies, const PrintSettings& settings)
{
    char name[kPathBufferSize];
    if (!HandoffFileName(tempDir, jobId, 0, name, sizeof name)) {
        files.ReportError(kErrorHandoffName, jobId);
        return false;
    }
    char value[16];
    uint32_t error = 0;
    std::snprintf(value, sizeof value, "%u", static_cast<unsigned>(copies));
    files.WriteProfileValue(name, kCopiesSection, kCopiesKey, value, &error);

    for (size_t i = 0; i < kPrintSettingFieldCount; ++i) {
        const PrintSettingField& field = kPrintSettingFields[i];
        std::snprintf(value, sizeof value, "%u", static_cast<unsigned>(settings.*field.value));
        error = 0;
        const bool written = files.WriteProfileValue(name, field.key->section, field.key->key,
                                                     value, &error);
        // The first key tells whether the file can be written at all; a
        // failure the system gives no reason for does not stop the job.
        if (i == 0 && !written && error != 0) {
            files.ReportError(kErrorPrintSettings, jobId);
            return false;
        }
    }
    return true;
}

void DeleteHandoffFile(HandoffFileSystem& files, const char* tempDir, uint32_t jobId,
                       uint32_t page)
{
    char name[kPathBufferSize];
    if (HandoffFileName(tempDir, jobId, page, name, sizeof name))
        files.RemoveFile(name);
}
