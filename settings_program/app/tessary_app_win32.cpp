#include "app/tessary_app_win32.h"

#include <windows.h>

#include <vector>

#include "app/app_exception.h"
#include "app/format_text.h"
#include "app/module_directory.h"
#include "framework/module_path_win32.h"
#include "shared_formats/print_guard_name.h"
#include "win32_shared/registry_key_win32.h"

namespace {

// Every text the program looks up or formats fits this scratch size.
const DWORD kScratchSize = 65536;
// Profile lookups are given one byte less than the scratch buffer.
const DWORD kProfileBufferSize = kScratchSize - 1;

std::string ReadProfileText(const std::string& path, const std::string& section,
                            const std::string& key, const std::string& def)
{
    // Zeroed and a byte larger than the size the call is told, so a text
    // that fills it is still terminated.
    std::vector<char> buffer(kProfileBufferSize + 1, '\0');
    GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer.data(),
                             kProfileBufferSize, path.c_str());
    return buffer.data();
}

// The value's data taken as a zero-terminated text, whatever its type,
// read into a buffer of bufferSize bytes. False when it cannot be read or
// does not fit.
bool QueryRegistryText(const RegistryKeyHandle& key, const std::string& valueName, DWORD bufferSize,
                       std::string& text)
{
    // One zero byte more than the call may fill: a value stored without
    // its terminator still ends inside the buffer.
    std::vector<char> buffer(bufferSize + 1, '\0');
    DWORD size = bufferSize;
    if (!key || RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, nullptr,
                                 reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
        return false;
    text = buffer.data();
    return true;
}

}  // namespace

CTessaryApp& TessaryApp()
{
    return *static_cast<CTessaryApp*>(CAppBase::Current());
}

std::string CTessaryApp::GetModuleDirectory()
{
    if (!m_strModuleDir.empty())
        return m_strModuleDir;
    m_strModuleDir = DirectoryWithSeparator(ModuleFilePath(Instance()), IsAnsiLeadByte);
    return m_strModuleDir;
}

std::string CTessaryApp::GetConfigText(const std::string& section, const std::string& key,
                                       const std::string& def)
{
    return ReadProfileText(GetModuleDirectory() + kTessaryCfgFileName, section, key, def);
}

std::string CTessaryApp::GetSystemDataDirectory()
{
    if (!m_strSystemDir.empty())
        return m_strSystemDir;
    const std::string manufacturer = GetConfigText("Registry", "Manufacturer", "");
    const std::string group = GetConfigText("Registry", "Group", "");
    const std::string name = GetConfigText("Registry", "Name", "");
    const std::string valueName = GetConfigText("Registry", "SystemDirectoryRegistryValueName", "");
    const std::string keyPath = "SOFTWARE\\" + manufacturer + "\\" + group + "\\" + name;

    RegistryKeyHandle key;
    if (!key.Open(HKEY_LOCAL_MACHINE, keyPath.c_str(), KEY_READ))
        ThrowAppError(keyPath);
    std::string value;
    if (!QueryRegistryText(key, valueName, kScratchSize, value))
        ThrowAppError(keyPath + "\\" + valueName);
    // Appended in every case: a value that ends in "\" ends in two.
    m_strSystemDir = value + "\\";
    return m_strSystemDir;
}

std::string CTessaryApp::GetSettingsFilePath()
{
    return GetSystemDataDirectory() + GetConfigText("Registry", "ParameterSaveINIFileName", "");
}

std::string CTessaryApp::GetSetting(const std::string& section, const std::string& key,
                                    const std::string& def)
{
    return ReadProfileText(GetSettingsFilePath(), section, key, def);
}

void CTessaryApp::WriteSetting(const std::string& section, const std::string& key,
                               const std::string& value)
{
    WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                               GetSettingsFilePath().c_str());
}

void CTessaryApp::ThrowAppError(const std::string& detail)
{
    throw new CAppException(
        FormatText("%s[%s]", GetConfigText("Language", "EtcErrMsg", "").c_str(), detail.c_str()));
}
