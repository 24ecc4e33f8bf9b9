#include "data_folder.h"

#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "jobport_readers/bounded_text.h"
#include "jobport_readers/config_record.h"
#include "jobs/waiting_handoff_files.h"
#include "shared_formats/installation_files.h"

namespace {

using HeldFiles = std::vector<std::pair<std::string, std::unique_ptr<HeldFile>>>;

// Holds every file of the folder that this process's jobs do not hold.
class FileHolder : public DirectoryEntryVisitor {
public:
    FileHolder(const char* folder, FileSystem& files, const std::set<std::string>& held,
               HeldFiles& holding)
        : m_folder(folder), m_files(files), m_held(held), m_holding(holding)
    {
    }

    void Visit(const char* name, bool isDirectory) override
    {
        if (isDirectory)
            return;
        // Held by full path, so nothing depends on the current directory.
        char path[kPathBufferSize];
        if (!JoinPath(path, sizeof path, m_folder, name) || m_held.count(PathKey(path)) != 0)
            return;
        std::unique_ptr<HeldFile> file = m_files.HoldAlone(path);
        if (file)
            m_holding.emplace_back(path, std::move(file));
    }

private:
    const char* m_folder;
    FileSystem& m_files;
    const std::set<std::string>& m_held;
    HeldFiles& m_holding;
};

}  // namespace

void EmptyDataFolder(const char* dataDir, FileSystem& files, const std::set<std::string>& held,
                     const char* tempDir)
{
    char folder[kPathBufferSize];
    char pattern[kPathBufferSize];
    if (!dataDir || dataDir[0] == '\0' ||
        !JoinPath(folder, sizeof folder, dataDir, kDataFolderName) ||
        !JoinPath(pattern, sizeof pattern, folder, "*.*"))
        return;

    char saved[kPathBufferSize];
    const bool haveSaved = files.CurrentDir(saved, sizeof saved);
    try {
        HeldFiles holding;
        FileHolder holder(folder, files, held, holding);
        files.ListEntries(pattern, holder);
        // A page handed over before it was held is named by a page list now.
        std::set<std::string> waiting;
        AddPagesOfWaitingHandoffFiles(files, tempDir, waiting);
        for (auto& file : holding) {
            if (waiting.count(PathKey(file.first)) == 0)
                file.second->Remove();
        }
    } catch (const std::bad_alloc&) {
        // Out of memory: what is not deleted stays, as a file in use would.
    }
    if (haveSaved)
        files.ChangeDir(saved);
}
