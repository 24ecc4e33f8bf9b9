#include "bench_host.h"

#include <windows.h>

#include <algorithm>

#include "shared_formats/print_settings_file.h"

void LoadAndInit(JobportLibrary& library, const char* caller)
{
    std::string error;
    if (!library.Load("jobport.dll", error))
        throw Failure(error);
    if (library.JP_init(caller) != 1)
        throw Failure("JP_init returned 0 (is \"KESTRO.cfg\" in the current folder?)");
}

void ChoosePrintMethod(const std::string& settingsFile, bool holdToEnd, int nup)
{
    const char* file = settingsFile.c_str();
    if (!WritePrivateProfileStringA(kPrintAfterReceivedAllData.section,
                                    kPrintAfterReceivedAllData.key, holdToEnd ? "1" : "0", file) ||
        !WritePrivateProfileStringA(kNupPrintSetting.section, kNupPrintSetting.key,
                                    std::to_string(nup).c_str(), file))
        throw Failure("cannot write the print settings file " + settingsFile);
}

void CheckCall(WarningBoxAnswerer& boxes, const char* call, int result)
{
    std::string shown;
    for (const WarningBox& box : boxes.Take())
        shown += "; warning box \"" + box.caption + "\": " + box.text;
    if (result != 1 || !shown.empty())
        throw Failure(std::string(call) + " returned " + std::to_string(result) + shown +
                      " (see the debug log)");
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}
