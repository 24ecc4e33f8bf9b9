#include "deployed_settings_win32.h"

#include <windows.h>

#include "folder_access_win32.h"
#include "shared_formats/installation_files.h"
#include "win32_shared/ansi_lead_byte_win32.h"
#include "win32_shared/kernel_handles_win32.h"

namespace {

std::string ErrorText(DWORD error) { return "(error " + std::to_string(error) + ")"; }

bool IsMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// The whole file, at most limit bytes.
bool ReadBounded(const std::wstring& path, size_t limit, std::vector<uint8_t>& bytes, bool* missing,
                 std::string* reason)
{
    *missing = false;
    const KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        *missing = IsMissing(error);
        *reason = "cannot be read " + ErrorText(error);
        return false;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size)) {
        *reason = "cannot be read " + ErrorText(GetLastError());
        return false;
    }
    if (size.QuadPart > static_cast<LONGLONG>(limit)) {
        *reason = "is larger than " + std::to_string(limit) + " bytes";
        return false;
    }
    bytes.assign(static_cast<size_t>(size.QuadPart), 0);
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size())) {
        *reason = "cannot be read whole";
        return false;
    }
    return true;
}

std::wstring FolderOf(const std::wstring& path)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

// Writes bytes under a fresh name in folder, then moves it over name.
DWORD WriteReplacing(const std::wstring& folder, const std::wstring& name,
                     const std::vector<uint8_t>& bytes)
{
    const std::wstring target = folder + L"\\" + name;
    std::wstring temporary;
    KernelHandle file;
    for (unsigned attempt = 0; attempt < 100 && !file; ++attempt) {
        temporary = folder + L"\\~setup" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                    std::to_wstring(attempt) + L".tmp";
        // CREATE_NEW never opens what stands under the name, a link included.
        file = KernelHandle(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file && GetLastError() != ERROR_FILE_EXISTS)
            return GetLastError();
    }
    if (!file)
        return ERROR_FILE_EXISTS;
    DWORD written = 0;
    const bool whole = bytes.empty() || (WriteFile(file.Get(), bytes.data(),
                                                   static_cast<DWORD>(bytes.size()), &written,
                                                   nullptr) &&
                                         written == bytes.size());
    const DWORD writeError = whole ? 0 : GetLastError();
    file = KernelHandle();
    if (!whole) {
        DeleteFileW(temporary.c_str());
        return writeError ? writeError : ERROR_WRITE_FAULT;
    }
    // Replacing a name replaces the entry, never what a link there points to.
    if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        const DWORD error = GetLastError();
        DeleteFileW(temporary.c_str());
        return error;
    }
    return 0;
}

}  // namespace

SettingsBundle ReadDeployedSettings(const std::wstring& path)
{
    std::vector<uint8_t> text;
    bool missing = false;
    std::string reason;
    if (!ReadBounded(path, kMaxSettingsFileSize, text, &missing, &reason)) {
        SettingsBundle unreadable;
        unreadable.problem = missing ? "it does not exist" : "it " + reason;
        return unreadable;
    }
    const std::wstring folder = FolderOf(path);
    return CheckSettingsBundle(text, [&folder](const std::string& name, size_t limit,
                                               std::vector<uint8_t>& bytes, bool* isMissing,
                                               std::string* why) {
        return ReadBounded(folder + L"\\" + FromAscii(name), limit, bytes, isMissing, why);
    }, IsAnsiLeadByte);
}

SettingsWrite WriteDeployedSettings(const std::wstring& folder, const SettingsBundle& bundle,
                                    bool replace, const Say& say)
{
    const std::string label = ToAnsi(folder);
    const std::wstring stationFile = folder + L"\\" + FromAscii(kSettingFileName);
    if (!replace && GetFileAttributesW(stationFile.c_str()) != INVALID_FILE_ATTRIBUTES) {
        say("Kept the station's own print settings in " + label + ".");
        return SettingsWrite::KeptStations;
    }
    if (replace) {
        const Deletions deletions = DeleteProgramFiles(folder, ProgramFiles::StoredSettings);
        for (const std::wstring& name : deletions.deleted)
            say("Deleted: " + label + "\\" + ToAnsi(name));
        if (!deletions.skipped.empty()) {
            say(label + "\\" + ToAnsi(deletions.skipped.front()) + " cannot be replaced.");
            return SettingsWrite::Failed;
        }
    }
    for (const BundleFile& file : bundle.files) {
        const DWORD error = WriteReplacing(folder, FromAscii(file.name), file.bytes);
        if (error) {
            say(label + "\\" + file.name + " cannot be written " + ErrorText(error) + ".");
            return SettingsWrite::Failed;
        }
        say("Installed: " + label + "\\" + file.name);
    }
    return SettingsWrite::Written;
}
