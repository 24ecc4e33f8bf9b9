#include "page_file_move.h"

#include <cstdio>
#include <new>

#include "../setup/config_record.h"
#include "log_text.h"

namespace {

// Windows error codes the refusal lines carry, as the system itself would
// give them for such a name.
const int32_t kErrorFileExists = 80;             // ERROR_FILE_EXISTS
const int32_t kErrorInvalidName = 123;           // ERROR_INVALID_NAME
const int32_t kErrorFilenameExcedRange = 206;    // ERROR_FILENAME_EXCED_RANGE

const size_t kMaxPathLength = kPathBufferSize - 1;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

void LogRefusal(PageFileSystem& files, int32_t number, const char* reason,
                const std::string& hostPath)
{
    files.WriteLog(number, FormatLogText("<<Error>> page file not moved (%s): %s", reason,
                                         hostPath.c_str())
                               .c_str());
}

// Moves source to destination, which was free a moment ago. Renaming is
// tried first: on the same volume it leaves the same files as copying and
// deleting, at the cost of a rename.
enum class MoveResult { Moved, NameTaken, Failed };

MoveResult MoveTo(PageFileSystem& files, const char* source, const char* destination)
{
    if (files.Rename(source, destination))
        return MoveResult::Moved;
    if (files.Copy(source, destination)) {
        // A source that cannot be deleted stays; the page is in the data
        // folder all the same.
        files.RemoveFile(source);
        return MoveResult::Moved;
    }
    // Another page may have taken the name since it was tested.
    return files.Exists(destination) ? MoveResult::NameTaken : MoveResult::Failed;
}

bool MoveIntoFolder(PageFileSystem& files, const char* dataDir, const std::string& hostPath,
                    std::string& newPath)
{
    if (hostPath.size() > kMaxPathLength) {
        LogRefusal(files, kErrorFilenameExcedRange, "path too long", hostPath);
        return false;
    }
    const std::string fileName = PageFileName(hostPath);
    if (fileName.empty()) {
        LogRefusal(files, kErrorInvalidName, "no file name", hostPath);
        return false;
    }
    const std::string folder = DataFolderPath(dataDir);
    files.CreateFolder(folder.c_str());

    for (unsigned attempt = 1; attempt <= kMaxPageNameAttempts; ++attempt) {
        const std::string destination = folder + "\\" + NumberedFileName(fileName, attempt);
        if (destination.size() > kMaxPathLength) {
            LogRefusal(files, kErrorFilenameExcedRange, "path in the data folder too long",
                       hostPath);
            return false;
        }
        if (files.Exists(destination.c_str()))
            continue;
        switch (MoveTo(files, hostPath.c_str(), destination.c_str())) {
        case MoveResult::Moved:
            newPath = destination;
            return true;
        case MoveResult::NameTaken:
            continue;
        case MoveResult::Failed:
            newPath = destination;
            return false;
        }
    }
    LogRefusal(files, kErrorFileExists, "no free name in the data folder", hostPath);
    return false;
}

}  // namespace

std::string PageFileName(const std::string& path)
{
    for (size_t i = path.size(); i > 0; --i) {
        if (IsSeparator(path[i - 1]))
            return path.substr(i);
    }
    return path;
}

std::string NumberedFileName(const std::string& fileName, unsigned attempt)
{
    if (attempt <= 1)
        return fileName;
    const size_t dot = fileName.rfind('.');
    const size_t stemEnd = (dot == std::string::npos || dot == 0) ? fileName.size() : dot;
    char number[16];
    std::snprintf(number, sizeof number, "(%u)", attempt);
    return fileName.substr(0, stemEnd) + number + fileName.substr(stemEnd);
}

std::string DataFolderPath(const char* dataDir)
{
    return std::string(dataDir ? dataDir : "") + "\\Data";
}

bool MovePageFile(PageFileSystem& files, const char* dataDir, const std::string& hostPath,
                  std::string& newPath)
{
    try {
        // Room for any destination up front: storing it after the move cannot fail.
        newPath.reserve(kPathBufferSize);
        return MoveIntoFolder(files, dataDir, hostPath, newPath);
    } catch (const std::bad_alloc&) {
        // Out of memory before anything was moved: the page stays where it is.
        return false;
    }
}
