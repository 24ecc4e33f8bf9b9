#include "waiting_handoff_files.h"

#include <cstdio>
#include <string>
#include <vector>

#include "ansi_paths/ansi_path_normal.h"
#include "jobport_readers/ansi_code_page.h"
#include "shared_formats/handoff_file_name.h"

namespace {

const char kHandoffPattern[] = "KST_*.$$$";

// The hand-off files in a listing, by bare name: of every job, or only the
// page lists of one job.
class HandoffFileCollector : public DirectoryEntryVisitor {
public:
    explicit HandoffFileCollector(uint32_t onlyJobId) : m_onlyJobId(onlyJobId) {}

    void Visit(const char* name, bool isDirectory) override
    {
        uint32_t jobId = 0;
        uint32_t page = 0;
        if (isDirectory || !ParseHandoffFileName(name, &jobId, &page))
            return;
        if (m_onlyJobId == 0 || (jobId == m_onlyJobId && page >= 1))
            names.push_back(name);
    }

    std::vector<std::string> names;

private:
    uint32_t m_onlyJobId;
};

std::vector<std::string> HandoffFiles(FileSystem& files, const std::string& tempDir,
                                      const std::string& pattern, uint32_t onlyJobId)
{
    HandoffFileCollector collector(onlyJobId);
    files.ListEntries((tempDir + pattern).c_str(), collector);
    return collector.names;
}

}  // namespace

bool PageListsWait(FileSystem& files, const char* tempDir, uint32_t jobId)
{
    if (!tempDir || tempDir[0] == '\0' || jobId == 0)
        return false;
    // The listing is narrowed to the id's columns; "KST_12*" also lists job
    // 123's files, which the names read back tell apart.
    char idColumns[16];
    const int length = std::snprintf(idColumns, sizeof idColumns, "KST_%2u*.$$$",
                                     static_cast<unsigned>(jobId));
    if (length <= 0 || static_cast<size_t>(length) >= sizeof idColumns)
        return false;
    return !HandoffFiles(files, tempDir, idColumns, jobId).empty();
}

void AddPagesOfWaitingHandoffFiles(FileSystem& files, const char* tempDir,
                                   std::set<std::string>& paths)
{
    if (!tempDir || tempDir[0] == '\0')
        return;
    for (const std::string& name : HandoffFiles(files, tempDir, kHandoffPattern, 0)) {
        std::string text;
        if (!files.ReadText((tempDir + name).c_str(), text))
            continue;
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos)
                end = text.size();
            size_t lineEnd = end;
            if (lineEnd > start && text[lineEnd - 1] == '\r')
                --lineEnd;
            if (lineEnd > start)
                paths.insert(PathKey(text.substr(start, lineEnd - start)));
            start = end + 1;
        }
    }
}

std::string PathKey(const std::string& path)
{
    // Spelled as Windows resolves it ("C:\\X\\\\Data\\.\\p.tif" is
    // "C:\\X\\Data\\p.tif"); a path that resolves to nothing stays as written.
    const LeadByteTest isLeadByte = AnsiLeadByteTest();
    std::string key;
    if (!NormalisePath(path, isLeadByte, key))
        key = path;
    for (size_t i = 0; i < key.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(key[i]);
        if (isLeadByte && isLeadByte(c) && i + 1 < key.size())
            ++i;  // a trail byte is no letter
        else if (c >= 'A' && c <= 'Z')
            key[i] = static_cast<char>(c - 'A' + 'a');
    }
    return key;
}
