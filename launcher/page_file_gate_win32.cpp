#include "page_file_gate_win32.h"

#include <vector>

#include "data_folder_pages.h"
#include "jobport_readers/ansi_code_page.h"
#include "win32_shared/in_use_retry_win32.h"

namespace {

// The final path of an open file or folder, with the letter case of its
// characters made one ("" when the system cannot tell it).
std::wstring FinalPath(HANDLE handle)
{
    std::vector<wchar_t> path(MAX_PATH + 1);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length = GetFinalPathNameByHandleW(
            handle, path.data(), static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0)
            return std::wstring();
        if (length < path.size()) {
            std::wstring text(path.data(), length);
            CharUpperBuffW(&text[0], length);
            return text;
        }
        path.resize(length + 1);  // the length needed, with its terminating zero
    }
    return std::wstring();
}

std::string OpenFailure(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return "the page file does not exist";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "another program holds the page file open (error " + std::to_string(error) + ")";
    case ERROR_ACCESS_DENIED:
        return "the page file may not be read (error 5)";
    default:
        return "the page file cannot be opened (error " + std::to_string(error) + ")";
    }
}

}  // namespace

std::wstring PageFileGate::DataFolderFinalPath(std::string& reason)
{
    const KernelHandle folder(CreateFileA(m_dataFolder.c_str(), FILE_READ_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                          nullptr));
    std::wstring final = folder ? FinalPath(folder.Get()) : std::wstring();
    if (final.empty())
        reason = "the data folder " + m_dataFolder + " cannot be opened (error " +
                 std::to_string(GetLastError()) + ")";
    return final;
}

PageFileGate::Verdict PageFileGate::Open(const std::string& path, KernelHandle& file,
                                         std::string& reason)
{
    file.Close();
    if (m_dataFolder.empty()) {
        reason = "the data folder is not known (registry value \"System Directory\")";
        return Verdict::Foreign;
    }
    if (!IsInDataFolder(path, m_dataFolder, AnsiLeadByteTest())) {
        reason = "it is not a file of the data folder " + m_dataFolder;
        return Verdict::Foreign;
    }
    // A folder is no page (it may be a folder of kept pages): it is neither
    // printed nor moved.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        reason = "it is a folder, not a page file";
        return Verdict::Foreign;
    }
    KernelHandle handle;
    RetryWhileInUse([&] {
        handle.Reset(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                                 nullptr));
        return static_cast<bool>(handle);
    });
    if (!handle) {
        reason = OpenFailure(GetLastError());
        return Verdict::Unreadable;
    }
    const std::wstring folder = DataFolderFinalPath(reason);
    if (folder.empty())
        return Verdict::Foreign;
    const std::wstring final = FinalPath(handle.Get());
    const size_t nameStart = final.find_last_of(L'\\');
    if (final.empty() || nameStart == std::wstring::npos || final.compare(0, nameStart, folder) != 0 ||
        nameStart != folder.size()) {
        reason = "it leads out of the data folder " + m_dataFolder + " (a link or junction)";
        return Verdict::Foreign;
    }
    file = std::move(handle);
    return Verdict::Open;
}
