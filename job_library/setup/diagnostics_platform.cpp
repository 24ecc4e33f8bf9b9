#include "diagnostics_platform.h"

#include <chrono>
#include <ctime>

namespace {

// Used before the DLL installs its Win32 implementation, and by native tools:
// the C library clock, no string table, no boxes.
class PortableDiagnostics : public DiagnosticsPlatform {
public:
    LocalTime Now() override
    {
        using namespace std::chrono;
        const system_clock::time_point now = system_clock::now();
        const std::time_t t = system_clock::to_time_t(now);
        std::tm tm = {};
#ifdef _WIN32
        localtime_s(&tm, &t);
#else
        localtime_r(&t, &tm);
#endif
        const long ms = static_cast<long>(
            duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
        return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                         tm.tm_hour,        tm.tm_min,     tm.tm_sec, static_cast<int>(ms)};
    }
    uint32_t LastError() override { return 0; }
    bool LoadText(const char*, unsigned, char* buf, size_t size, uint32_t* error) override
    {
        if (size > 0)
            buf[0] = '\0';
        *error = kErrorResourceNameNotFound;
        return false;
    }
    void ShowBox(const char*, const char*, unsigned) override {}
};

PortableDiagnostics gPortable;
DiagnosticsPlatform* gPlatform = &gPortable;

}  // namespace

DiagnosticsPlatform& Diagnostics() { return *gPlatform; }

void SetDiagnosticsPlatform(DiagnosticsPlatform* p) { gPlatform = p ? p : &gPortable; }
