#include "page_file_move.h"

#include <new>

#include "jobport_readers/ansi_code_page.h"
#include "jobport_readers/config_record.h"
#include "log_text.h"

namespace {

// Windows error codes of the refusals the library finds itself, as the
// system would give them for such a name.
const int32_t kErrorPathNotFound = 3;            // ERROR_PATH_NOT_FOUND
const int32_t kErrorFileExists = 80;             // ERROR_FILE_EXISTS
const int32_t kErrorInvalidName = 123;           // ERROR_INVALID_NAME
const int32_t kErrorFilenameExcedRange = 206;    // ERROR_FILENAME_EXCED_RANGE
const int32_t kErrorNotEnoughMemory = 8;         // ERROR_NOT_ENOUGH_MEMORY

const size_t kMaxPathLength = kPathBufferSize - 1;

bool Refuse(PageRefusal& refusal, int32_t errorCode, const char* reason)
{
    refusal.errorCode = errorCode;
    refusal.reason = reason;
    return false;
}

// Moves source to destination, which was free a moment ago. Renaming is
// tried first: on the same volume it leaves the same files as copying and
// deleting, at the cost of a rename.
enum class MoveResult { Moved, NameTaken, Failed };

MoveResult MoveTo(PageFileSystem& files, const char* source, const char* destination,
                  int32_t& sourceKeptError)
{
    if (files.Rename(source, destination))
        return MoveResult::Moved;
    if (files.Copy(source, destination)) {
        // A source that cannot be deleted stays; the page is in the data
        // folder all the same.
        if (!files.RemoveFile(source))
            sourceKeptError = files.LastError();
        return MoveResult::Moved;
    }
    // Another page may have taken the name since it was tested.
    return files.Exists(destination) ? MoveResult::NameTaken : MoveResult::Failed;
}

bool MoveIntoFolder(PageFileSystem& files, const char* dataDir, const std::string& hostPath,
                    std::string& newPath, PageRefusal& refusal, int32_t& sourceKeptError)
{
    // Without the data folder the page would go to "\Data" at the root of
    // the current drive, which any user may have made.
    if (!dataDir || dataDir[0] == '\0')
        return Refuse(refusal, kErrorPathNotFound, "no data folder was read by JP_init");
    if (hostPath.size() > kMaxPathLength)
        return Refuse(refusal, kErrorFilenameExcedRange, "path too long");
    const std::string fileName = PageFileName(hostPath);
    if (fileName.empty())
        return Refuse(refusal, kErrorInvalidName, "no file name");
    if (IsDeviceName(fileName))
        return Refuse(refusal, kErrorInvalidName, "a device name, not a file");
    // A page the launcher could not read would fail its whole group later:
    // it is refused now, while the host still has it.
    const int32_t sourceError = files.CheckSource(hostPath.c_str());
    if (sourceError != 0)
        return Refuse(refusal, sourceError, "cannot be opened for reading");

    const std::string folder = DataFolderPath(dataDir);
    files.CreateFolder(folder.c_str());
    for (unsigned attempt = 1; attempt <= kMaxPageNameAttempts; ++attempt) {
        const std::string destination = folder + "\\" + NumberedFileName(fileName, attempt);
        if (destination.size() > kMaxPathLength)
            return Refuse(refusal, kErrorFilenameExcedRange, "path in the data folder too long");
        if (files.Exists(destination.c_str()))
            continue;
        switch (MoveTo(files, hostPath.c_str(), destination.c_str(), sourceKeptError)) {
        case MoveResult::Moved:
            newPath = destination;
            return true;
        case MoveResult::NameTaken:
            continue;
        case MoveResult::Failed:
            return Refuse(refusal, files.LastError(), "cannot be copied into the data folder");
        }
    }
    return Refuse(refusal, kErrorFileExists, "no free name in the data folder");
}

}  // namespace

bool MovePageFile(PageFileSystem& files, const char* dataDir, const std::string& hostPath,
                  std::string& newPath, PageRefusal& refusal, int32_t* sourceKeptError)
{
    int32_t keptError = 0;
    if (sourceKeptError)
        *sourceKeptError = 0;
    try {
        // Room for any destination up front: storing it after the move cannot fail.
        newPath.reserve(kPathBufferSize);
        const bool moved = MoveIntoFolder(files, dataDir, hostPath, newPath, refusal, keptError);
        if (sourceKeptError)
            *sourceKeptError = keptError;
        return moved;
    } catch (const std::bad_alloc&) {
        // Out of memory before anything was moved: the page stays where it is.
        return Refuse(refusal, kErrorNotEnoughMemory, "out of memory");
    }
}

std::string PageRefusalLine(const PageRefusal& refusal, const std::string& hostPath)
{
    return FormatLogText("<<Error>> page file not moved (%s): %s", refusal.reason,
                         hostPath.c_str());
}
