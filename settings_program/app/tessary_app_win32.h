// The settings program's application object: the texts of "Tessary.cfg"
// beside the program, the data directory the registry names, and the shared
// print settings file in it. The program's start-up (InitInstance) belongs
// to the entry layer (entry/tessary_main_win32.cpp), which alone knows the
// settings dialog; this layer does not.
#pragma once
#include <string>

#include "framework/app_base_win32.h"

class CTessaryApp : public CAppBase {
public:
    CTessaryApp() = default;

    // Directory of the program file, ending in "\".
    std::string GetModuleDirectory();
    // Text of key in section of "Tessary.cfg"; def when it is missing.
    std::string GetConfigText(const std::string& section, const std::string& key,
                              const std::string& def);
    // The data directory from the registry value named in "Tessary.cfg",
    // ending in "\". A key or value that cannot be read throws.
    std::string GetSystemDataDirectory();
    // The data directory + "ParameterSaveINIFileName".
    std::string GetSettingsFilePath();
    // Text of key in section of the print settings file; def when absent.
    std::string GetSetting(const std::string& section, const std::string& key,
                           const std::string& def);
    // Writes key = value; the file's own failures go unnoticed.
    void WriteSetting(const std::string& section, const std::string& key, const std::string& value);
    // Throws CAppException with the "EtcErrMsg" text followed by [detail].
    [[noreturn]] void ThrowAppError(const std::string& detail);

    std::string m_strModuleDir;  // empty: not looked up yet
    std::string m_strSystemDir;  // empty: not looked up yet
};

// The program's one application object.
CTessaryApp& TessaryApp();
