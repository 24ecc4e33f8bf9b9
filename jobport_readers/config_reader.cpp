#include "config_reader.h"

#include <cstring>

namespace {

const char kCannotPrintDefault[] = "Cannot Print by Velora";

const uint32_t kMaxJobs = 99;
const uint32_t kMaxCopies = 999;
const uint32_t kMaxPages = 999;
const uint32_t kMaxLogSizeKb = 1024;

}  // namespace

uint32_t ClampLimit(int32_t value, uint32_t maximum)
{
    const uint32_t v = static_cast<uint32_t>(value);
    if (v > maximum)
        return maximum;
    return v == 0 ? 1 : v;
}

uint32_t ChildTimeOutValue(int32_t value)
{
    return value == 0 ? kNoTimeLimit : static_cast<uint32_t>(value);
}

void ReadConfig(const char* cfgPath, ConfigRecord& record, ProfileReader& profile)
{
    auto number = [&](const char* key, int32_t def) {
        return profile.ReadInt(cfgPath, kCfgConfigSection, key, def);
    };
    record.DisplayTaskBarIcon = number("DisplayTaskBarIcon", 0);
    record.RemainScanedDataOnPC = number("RemainScanedDataOnPC", 0);
    record.ChildTimeOut = ChildTimeOutValue(number("ChildTimeOut", -1));
    record.CopiesLimit = ClampLimit(number("CopiesLimit", 999), kMaxCopies);
    record.JobLimit = ClampLimit(number("JobLimit", 99), kMaxJobs);
    record.PagesLimit = ClampLimit(number("PagesLimit", 999), kMaxPages);
    record.LogSizeLimit = ClampLimit(number("LogSizeLimit", 1024), kMaxLogSizeKb);
    record.b2ndJobPrintbyMethod = number("b2ndJobPrintbyMethod", 1);

    uint32_t flags = 0;
    if (number("DoNotPrintOutIfPortIsFILE", 1) != 0)
        flags |= kCheckPortIsFile;
    if (number("DoNotPrintOutIfPrnIsNOTAVAILABLE", 1) != 0)
        flags |= kCheckPrinterNotAvailable;
    record.PrintOutCheckFlags = flags;

    auto message = [&](const char* key, const char* def, char* field) {
        ReadProfileText(profile, cfgPath, kCfgMessageSection, key, def, field, kMessageBufferSize);
    };
    message("CannotPrintTitle", "Velora Error", record.CannotPrintTitle);
    message("CannotPrintMsg", kCannotPrintDefault, record.CannotPrintMsg);
    message("CannotPrintMsg_1", kCannotPrintDefault, record.CannotPrintMsg_1);
    message("CannotPrintMsg_2", kCannotPrintDefault, record.CannotPrintMsg_2);
    message("CannotPrintMsg_3", kCannotPrintDefault, record.CannotPrintMsg_3);

    ReadProfileText(profile, cfgPath, kCfgSpoolSection, "AppName", "Quillmate", record.AppName,
                    sizeof record.AppName);
    ReadProfileText(profile, cfgPath, kCfgSpoolSection, "FileName", "Data of Quillmate",
                    record.FileName, sizeof record.FileName);
}

bool MakeSubKey(const char* cfgPath, ProfileReader& profile, char* out, size_t size)
{
    const struct {
        const char* key;
        const char* def;
    } kParts[] = {{"SubRoot", "SOFTWARE"},
                  {"Manufacturer", "TRVX"},
                  {"ProductFamily", "Corvane-Suite"},
                  {"ProductName", "Quillmate"}};

    if (size == 0)
        return false;
    out[0] = '\0';
    size_t length = 0;
    for (const auto& part : kParts) {
        char text[kPathBufferSize];
        ReadProfileText(profile, cfgPath, kCfgRegistrySection, part.key, part.def, text,
                        sizeof text);
        const size_t partLength = std::strlen(text);
        const size_t separator = length > 0 ? 1 : 0;
        if (length + separator + partLength >= size) {
            out[0] = '\0';
            return false;
        }
        if (separator)
            out[length++] = '\\';
        std::memcpy(out + length, text, partLength + 1);
        length += partLength;
    }
    return true;
}

void ReadRegistryValueNames(const char* cfgPath, ProfileReader& profile,
                            RegistryValueNames& names)
{
    auto name = [&](const char* key, const char* def, char* out) {
        ReadProfileText(profile, cfgPath, kCfgRegistrySection, key, def, out, kPathBufferSize);
    };
    name("Value4instal", "Directory Path", names.installDir);
    name("Value4Log", "Debug Log Path", names.logDir);
    name("Value4ini", "Setting Path", names.iniDir);
    name("Value4data", "System Directory", names.dataDir);
}
