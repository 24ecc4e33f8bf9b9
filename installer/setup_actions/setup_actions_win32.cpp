// setup_actions.dll: the actions of the MSI package that Windows Installer
// cannot express by itself, carried in the package's Binary table and run by
// msiexec. They do what the NSIS installer does with folder_guard.exe and
// its own checks, through the same code:
//
//   CheckSetup         (immediate, after CostFinalize) before anything
//                      changes: refuses when a newer version or the NSIS
//                      installer's installation is there, a program holds
//                      a file Setup replaces or deletes, a data folder is
//                      not Setup's own, HOSTDIR is no folder Setup can use
//                      or the settings file SETTINGSFILE is not sound; reads the
//                      files an upgrade keeps; hands each deferred action
//                      what it needs.
//   SecureDataFolders  (deferred, as the system) creates the data folders
//                      with their permissions.
//   InstallSettings    (deferred) writes the checked settings files.
//   RestoreKeptFiles   (deferred, after InstallFiles) puts back the
//                      "KESTRO.cfg" files that were there before.
//   RemoveDataFolders  (deferred, on uninstall) deletes the programs' logs,
//                      with REMOVESETTINGS=1 the stored print settings, and
//                      the folders left empty.
//
// A refusal is an error message (shown, or written to the log of a silent
// installation) and ends the installation with 1603, having changed nothing.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <cwctype>
#include <string>
#include <vector>

#include "action_data.h"
#include "data_folders_win32.h"
#include "deployed_settings_win32.h"
#include "folder_access_win32.h"
#include "win32_shared/kernel_handles_win32.h"
#include "win32_shared/msi_handle_win32.h"

namespace {

std::wstring Wide(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(size > 0 ? size : 0, L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], size);
    return wide;
}

std::string Narrow(const std::wstring& text) { return ToAnsi(text); }

// The installation an action runs in.
class Session {
public:
    explicit Session(MSIHANDLE install) : m_install(install) {}

    std::wstring Property(const wchar_t* name) const
    {
        DWORD size = 0;
        wchar_t empty[1] = {L'\0'};
        if (MsiGetPropertyW(m_install, name, empty, &size) != ERROR_MORE_DATA)
            return std::wstring();
        std::wstring value(size + 1, L'\0');
        size += 1;
        if (MsiGetPropertyW(m_install, name, &value[0], &size) != ERROR_SUCCESS)
            return std::wstring();
        value.resize(size);
        return value;
    }
    void SetProperty(const wchar_t* name, const std::wstring& value) const
    {
        MsiSetPropertyW(m_install, name, value.c_str());
    }
    // A line of the installation's log.
    void Log(const std::string& line) const { Message(INSTALLMESSAGE_INFO, line); }
    // Shown to the user (in a silent installation: written to the log).
    void Refuse(const std::string& text) const { Message(INSTALLMESSAGE_ERROR, text); }
    bool FeatureInstalls(const wchar_t* feature) const
    {
        INSTALLSTATE installed = INSTALLSTATE_UNKNOWN, action = INSTALLSTATE_UNKNOWN;
        return MsiGetFeatureStateW(m_install, feature, &installed, &action) == ERROR_SUCCESS &&
               action == INSTALLSTATE_LOCAL;
    }

private:
    void Message(INSTALLMESSAGE kind, const std::string& text) const
    {
        // The text goes in a field of its own: brackets in it are not formatted.
        const MsiHandle record(MsiCreateRecord(1));
        if (!record)
            return;
        MsiRecordSetStringW(record.Get(), 0, L"[1]");
        MsiRecordSetStringW(record.Get(), 1, Wide(text).c_str());
        MsiProcessMessage(m_install, kind, record.Get());
    }

    MSIHANDLE m_install;  // the installer's, lent to the action: not closed
};

std::wstring WithoutTrailingSlash(std::wstring folder)
{
    while (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/'))
        folder.pop_back();
    return folder;
}

bool SameFolder(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// "C:\..." or "\\server\share\...".
bool IsAbsoluteFolder(const std::wstring& folder)
{
    const bool drive = folder.size() >= 3 && std::iswalpha(folder[0]) && folder[1] == L':' && folder[2] == L'\\';
    const bool share = folder.size() >= 5 && folder.compare(0, 2, L"\\\\") == 0 &&
                       folder.find(L'\\', 2) != std::wstring::npos;
    return drive || share;
}

// Opening for writing fails with a sharing or lock violation only while a
// process holds the file.
bool IsHeld(const std::wstring& path)
{
    const KernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
    const DWORD error = file ? 0 : GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// Refuses (true) when a program holds one of files in folder (host: only
// the files that also go to the host folder).
bool RefuseHeldFiles(const Session& session, const std::vector<ListedFile>& files,
                     const std::wstring& folder, bool host)
{
    if (folder.empty())
        return false;
    for (const ListedFile& file : files) {
        if (file.heldBy.empty() || (host && !file.host))
            continue;
        const std::wstring path = folder + L"\\" + Wide(file.name);
        if (IsHeld(path)) {
            session.Refuse(Narrow(path) + " is in use by " + file.heldBy +
                           ". Close it, then run Setup again. Nothing was changed.");
            return true;
        }
    }
    return false;
}

// The data folders of the product: CommonAppDataFolder and DataFolderPath.
bool PlanDataFolders(const ActionData& data, std::vector<Place>* places)
{
    return PlanPlaces(Wide(data.Get("base")), Wide(data.Get("product")), places);
}

// Reads a file an upgrade keeps, at most 64 KB; false when it is not there.
bool ReadKept(const std::wstring& path, std::vector<uint8_t>& bytes)
{
    const KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size;
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > 64 * 1024)
        return false;
    bytes.assign(static_cast<size_t>(size.QuadPart), 0);
    DWORD read = 0;
    return bytes.empty() || (ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                      &read, nullptr) &&
                             read == bytes.size());
}

UINT CheckUninstall(const Session& session, const std::vector<ListedFile>& files, ActionData& data)
{
    const std::wstring programFolder = WithoutTrailingSlash(session.Property(L"INSTALLDIR"));
    const std::wstring hostFolder = WithoutTrailingSlash(session.Property(L"REMEMBERED_HOSTDIR"));
    if (RefuseHeldFiles(session, files, programFolder, false) ||
        RefuseHeldFiles(session, files, hostFolder, true))
        return ERROR_INSTALL_FAILURE;
    data.Set("settings", session.Property(L"REMOVESETTINGS") == L"1" ? "1" : "");
    session.SetProperty(L"RemoveDataFolders", Wide(data.Encode()));
    return ERROR_SUCCESS;
}

UINT CheckInstall(const Session& session, const std::vector<ListedFile>& files, ActionData& data)
{
    if (!session.Property(L"NEWER_VERSION_FOUND").empty()) {
        session.Refuse("A newer version of Quillmate is installed on this computer. Nothing was changed.");
        return ERROR_INSTALL_FAILURE;
    }
    if (!session.Property(L"NSIS_UNINSTALLER").empty()) {
        session.Refuse("Quillmate is installed on this computer by its setup program "
                       "(Quillmate-<version>-setup.exe), which also upgrades it. To use this package "
                       "instead, first uninstall Quillmate (the installed programs list, or "
                       "Uninstall.exe /S in its program folder). Nothing was changed.");
        return ERROR_INSTALL_FAILURE;
    }
    const std::wstring programFolder = WithoutTrailingSlash(session.Property(L"INSTALLDIR"));
    const bool hasHost = session.FeatureInstalls(L"HostFiles");
    const std::wstring hostFolder =
        hasHost ? WithoutTrailingSlash(session.Property(L"HOSTDIR")) : std::wstring();
    if (hasHost && (!IsAbsoluteFolder(hostFolder) || SameFolder(hostFolder, programFolder))) {
        session.Refuse("HOSTDIR=\"" + Narrow(hostFolder) + "\" is not a folder Setup can use for " +
                       "the scanning program: give a full path such as C:\\Scan Host, other than " +
                       "the program folder. Nothing was changed.");
        return ERROR_INSTALL_FAILURE;
    }
    // The folders of this installation and of the one it replaces.
    const std::wstring previousProgram = WithoutTrailingSlash(session.Property(L"REMEMBERED_INSTALLDIR"));
    const std::wstring previousHost = WithoutTrailingSlash(session.Property(L"REMEMBERED_HOSTDIR"));
    if (RefuseHeldFiles(session, files, programFolder, false) ||
        RefuseHeldFiles(session, files, hostFolder, true) ||
        RefuseHeldFiles(session, files, previousProgram, false) ||
        RefuseHeldFiles(session, files, previousHost, true))
        return ERROR_INSTALL_FAILURE;

    std::vector<Place> places;
    if (!PlanDataFolders(data, &places)) {
        session.Refuse("The package names no data folder Setup can use.");
        return ERROR_INSTALL_FAILURE;
    }
    std::string said;
    const int checked = CheckPlaces(places, AdministratorSid(),
                                    [&](const std::string& line) { said += line + "\r\n"; });
    if (checked != kGuardDone) {
        session.Refuse("Setup cannot use the folders for logs, print settings and pages:\r\n\r\n" + said);
        return ERROR_INSTALL_FAILURE;
    }

    ActionData settings = data;
    const std::wstring settingsFile = session.Property(L"SETTINGSFILE");
    if (!settingsFile.empty()) {
        const SettingsBundle bundle = ReadDeployedSettings(settingsFile);
        if (!bundle.Sound()) {
            session.Refuse("The print settings file " + Narrow(settingsFile) +
                           " cannot be installed: " + bundle.problem + ". Nothing was changed.");
            return ERROR_INSTALL_FAILURE;
        }
        for (std::size_t i = 0; i < bundle.files.size(); ++i) {
            settings.Set("file" + std::to_string(i) + ".name", bundle.files[i].name);
            settings.SetBytes("file" + std::to_string(i) + ".bytes", bundle.files[i].bytes);
        }
        settings.Set("replace", session.Property(L"REPLACESETTINGS") == L"1" ? "1" : "");
        session.Log("Sound: the print settings file " + Narrow(settingsFile));
    }

    ActionData kept;
    int keptCount = 0;
    for (const ListedFile& file : files) {
        if (!file.keep)
            continue;
        for (int inHost = 0; inHost < 2; ++inHost) {
            const std::wstring& folder = inHost ? hostFolder : programFolder;
            std::vector<uint8_t> bytes;
            if (folder.empty() || (inHost && !file.host) ||
                !ReadKept(folder + L"\\" + Wide(file.name), bytes))
                continue;
            const std::string field = "kept" + std::to_string(keptCount++);
            kept.Set(field + ".path", Narrow(folder + L"\\" + Wide(file.name)));
            kept.SetBytes(field + ".bytes", bytes);
        }
    }

    session.SetProperty(L"PROGRAM_FOLDER_VALUE", programFolder);
    session.SetProperty(L"HOST_FOLDER_VALUE", hostFolder);
    session.SetProperty(L"SecureDataFolders", Wide(data.Encode()));
    session.SetProperty(L"InstallSettings", Wide(settings.Encode()));
    session.SetProperty(L"RestoreKeptFiles", Wide(kept.Encode()));
    return ERROR_SUCCESS;
}

// The text a deferred action was handed; false (with an error) when it is no such text.
bool HandedData(const Session& session, ActionData* data)
{
    if (data->Decode(Narrow(session.Property(L"CustomActionData"))))
        return true;
    session.Refuse("Setup's own data for this step is damaged.");
    return false;
}

template <typename Action>
UINT Guarded(MSIHANDLE install, Action action)
{
    const Session session(install);
    try {
        return action(session);
    } catch (...) {
        session.Refuse("Setup ran out of memory.");
        return ERROR_INSTALL_FAILURE;
    }
}

}  // namespace

extern "C" UINT __stdcall CheckSetup(MSIHANDLE install)
{
    return Guarded(install, [](const Session& session) {
        const std::vector<ListedFile> files = ParseFileList(Narrow(session.Property(L"SetupFileList")));
        ActionData data;
        data.Set("base", Narrow(WithoutTrailingSlash(session.Property(L"CommonAppDataFolder"))));
        data.Set("product", Narrow(session.Property(L"DataFolderPath")));
        const std::wstring remove = session.Property(L"REMOVE");
        if (CompareStringOrdinal(remove.c_str(), -1, L"ALL", -1, TRUE) == CSTR_EQUAL)
            return CheckUninstall(session, files, data);
        return CheckInstall(session, files, data);
    });
}

extern "C" UINT __stdcall SecureDataFolders(MSIHANDLE install)
{
    return Guarded(install, [](const Session& session) -> UINT {
        ActionData data;
        std::vector<Place> places;
        if (!HandedData(session, &data) || !PlanDataFolders(data, &places))
            return ERROR_INSTALL_FAILURE;
        std::string said;
        const int result = SecurePlaces(places, AdministratorSid(), [&](const std::string& line) {
            session.Log(line);
            said += line + "\r\n";
        });
        if (result == kGuardDone)
            return ERROR_SUCCESS;
        session.Refuse("Setup could not prepare the folders for logs, print settings and pages:\r\n\r\n" + said);
        return ERROR_INSTALL_FAILURE;
    });
}

extern "C" UINT __stdcall InstallSettings(MSIHANDLE install)
{
    return Guarded(install, [](const Session& session) -> UINT {
        ActionData data;
        std::vector<Place> places;
        if (!HandedData(session, &data) || !PlanDataFolders(data, &places))
            return ERROR_INSTALL_FAILURE;
        SettingsBundle bundle;
        for (int i = 0; data.Has("file" + std::to_string(i) + ".name"); ++i)
            bundle.files.push_back({data.Get("file" + std::to_string(i) + ".name"),
                                    data.GetBytes("file" + std::to_string(i) + ".bytes")});
        if (bundle.files.empty())
            return ERROR_SUCCESS;
        const Place* folder = PlaceOf(places, ProgramFiles::StoredSettings);
        const SettingsWrite written = WriteDeployedSettings(
            folder->path, bundle, data.Get("replace") == "1",
            [&session](const std::string& line) { session.Log(line); });
        if (written != SettingsWrite::Failed)
            return ERROR_SUCCESS;
        session.Refuse("Setup could not write the print settings it was given; the log says why.");
        return ERROR_INSTALL_FAILURE;
    });
}

extern "C" UINT __stdcall RestoreKeptFiles(MSIHANDLE install)
{
    return Guarded(install, [](const Session& session) -> UINT {
        ActionData data;
        if (!HandedData(session, &data))
            return ERROR_INSTALL_FAILURE;
        for (int i = 0; data.Has("kept" + std::to_string(i) + ".path"); ++i) {
            const std::string field = "kept" + std::to_string(i);
            const std::wstring path = Wide(data.Get(field + ".path"));
            const std::vector<uint8_t> bytes = data.GetBytes(field + ".bytes");
            const KernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
            DWORD written = 0;
            if (!file || (!bytes.empty() && (!WriteFile(file.Get(), bytes.data(),
                                                        static_cast<DWORD>(bytes.size()), &written,
                                                        nullptr) ||
                                             written != bytes.size()))) {
                session.Refuse("Setup could not keep " + Narrow(path) + " as it was.");
                return ERROR_INSTALL_FAILURE;
            }
            session.Log("Kept as it was: " + Narrow(path));
        }
        return ERROR_SUCCESS;
    });
}

extern "C" UINT __stdcall RemoveDataFolders(MSIHANDLE install)
{
    return Guarded(install, [](const Session& session) -> UINT {
        ActionData data;
        std::vector<Place> places;
        // The uninstallation goes on whatever is found.
        if (HandedData(session, &data) && PlanDataFolders(data, &places))
            RemovePlaces(places, data.Get("settings") == "1", AdministratorSid(),
                         [&session](const std::string& line) { session.Log(line); });
        return ERROR_SUCCESS;
    });
}
