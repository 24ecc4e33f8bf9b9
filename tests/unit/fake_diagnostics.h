// A DiagnosticsPlatform for native tests: a settable clock, a small string
// table and a record of every box shown.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "setup/diagnostics_platform.h"

struct ShownBox {
    std::string text;
    std::string caption;
    unsigned style;
};

class FakeDiagnostics : public DiagnosticsPlatform {
public:
    FakeDiagnostics() { SetDiagnosticsPlatform(this); }
    ~FakeDiagnostics() override { SetDiagnosticsPlatform(nullptr); }

    LocalTime Now() override { return now; }
    uint32_t LastError() override { return lastError; }
    bool LoadText(const char*, unsigned id, char* buf, size_t size, uint32_t* error) override
    {
        const auto it = strings.find(id);
        if (it == strings.end()) {
            *error = loadError;
            return false;
        }
        std::string s = it->second.substr(0, size - 1);
        s.copy(buf, s.size());
        buf[s.size()] = '\0';
        return true;
    }
    void ShowBox(const char* text, const char* caption, unsigned style) override
    {
        boxes.push_back({text, caption, style});
    }

    LocalTime now{2026, 12, 8, 23, 45, 6, 789};
    uint32_t lastError = 0;
    uint32_t loadError = kErrorResourceNameNotFound;
    std::map<unsigned, std::string> strings;
    std::vector<ShownBox> boxes;
};
