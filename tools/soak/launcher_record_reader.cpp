#include "launcher_record_reader.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "shared_formats/launcher_messages.h"
#include "win32_shared/kernel_handles_win32.h"

namespace {

const DWORD kChunk = 64 * 1024;

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

}  // namespace

std::vector<LauncherEvent> LauncherRecordReader::ReadNew()
{
    std::vector<LauncherEvent> events;
    // Shared in every way: the launcher double appends while the soak reads.
    const KernelHandle file(CreateFileA(m_path.c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return events;
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(m_offset);
    if (!SetFilePointerEx(file.Get(), position, nullptr, FILE_BEGIN))
        return events;
    std::string chunk(kChunk, '\0');
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), &chunk[0], kChunk, &read, nullptr) || read == 0)
            break;
        m_offset += read;
        size_t begin = 0;
        for (size_t end; (end = chunk.find('\n', begin)) != std::string::npos && end < read;
             begin = end + 1) {
            m_partialLine.append(chunk, begin, end - begin);
            TakeLine(m_partialLine, events);
            m_partialLine.clear();
        }
        m_partialLine.append(chunk, begin, read - begin);
    }
    return events;
}

// True when the line belonged to the print entry being read.
bool LauncherRecordReader::TakePrintLine(const std::string& line, std::vector<LauncherEvent>& events)
{
    bool fileDone = false;
    if (StartsWith(line, "FILE ")) {
        const bool pageList = m_filesSeen++ == 0;
        (pageList ? m_print.pageListRead : m_print.settingsRead) = true;
        m_copy = pageList ? &m_print.pageList : &m_print.settings;
    } else if (StartsWith(line, "NO FILE ")) {
        ++m_filesSeen;
        m_copy = nullptr;
        fileDone = true;
    } else if (StartsWith(line, "| ") && m_copy) {
        m_copy->push_back(line.substr(2));
    } else if (line == "END FILE") {
        m_copy = nullptr;
        fileDone = true;
    } else if (StartsWith(line, "DELETED ")) {
        // Not asked for: the soak deletes what was printed itself.
    } else {
        return false;
    }
    if (fileDone && m_filesSeen == 2) {
        events.push_back(m_print);
        m_inPrint = false;
    }
    return true;
}

void LauncherRecordReader::TakeLine(const std::string& line, std::vector<LauncherEvent>& events)
{
    if (m_inPrint) {
        if (TakePrintLine(line, events))
            return;
        ++m_torn;
        m_inPrint = false;
    }
    LauncherEvent event;
    if (StartsWith(line, "START ")) {
        event.kind = LauncherEvent::Kind::Start;
        event.processId = std::strtoul(line.c_str() + 6, nullptr, 10);
        events.push_back(event);
    } else if (StartsWith(line, "MESSAGE ")) {
        unsigned number = 0;
        std::sscanf(line.c_str() + 8, "%u %lu %lu", &number, &event.wParam, &event.lParam);
        switch (number) {
        case LM_PRINT:
            m_print = event;
            m_print.kind = LauncherEvent::Kind::Print;
            m_inPrint = true;
            m_filesSeen = 0;
            m_copy = nullptr;
            return;
        case LM_SUSPEND: event.kind = LauncherEvent::Kind::Suspend; break;
        case LM_RESUME: event.kind = LauncherEvent::Kind::Resume; break;
        case LM_DELETE: event.kind = LauncherEvent::Kind::Delete; break;
        default: return;
        }
        events.push_back(event);
    } else if (line == "EXIT") {
        event.kind = LauncherEvent::Kind::Exit;
        events.push_back(event);
    }
}
