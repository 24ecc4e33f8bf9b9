#include "data_folder.h"

#include "bounded_text.h"
#include "config_record.h"
#include "install_folders.h"
#include "jobs/waiting_handoff_files.h"

namespace {

class FileRemover : public DirectoryEntryVisitor {
public:
    FileRemover(const char* folder, FileSystem& files, const std::set<std::string>& keep)
        : m_folder(folder), m_files(files), m_keep(keep)
    {
    }

    void Visit(const char* name, bool isDirectory) override
    {
        if (isDirectory)
            return;
        // Removed by full path, so nothing depends on the current directory.
        char path[kPathBufferSize];
        if (JoinPath(path, sizeof path, m_folder, name) && m_keep.count(PathKey(path)) == 0)
            m_files.RemoveFile(path);
    }

private:
    const char* m_folder;
    FileSystem& m_files;
    const std::set<std::string>& m_keep;
};

}  // namespace

void EmptyDataFolder(const char* dataDir, FileSystem& files, const std::set<std::string>& keep)
{
    char folder[kPathBufferSize];
    char pattern[kPathBufferSize];
    if (!dataDir || dataDir[0] == '\0' ||
        !JoinPath(folder, sizeof folder, dataDir, kDataFolderName) ||
        !JoinPath(pattern, sizeof pattern, folder, "*.*"))
        return;

    char saved[kPathBufferSize];
    const bool haveSaved = files.CurrentDir(saved, sizeof saved);
    FileRemover remover(folder, files, keep);
    files.ListEntries(pattern, remover);
    if (haveSaved)
        files.ChangeDir(saved);
}
