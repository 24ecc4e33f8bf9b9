#include "launcher_rules.h"

#include <cctype>

#include "jobport_readers/config_record.h"
#include "shared_formats/launcher_messages.h"

uint32_t WindowSearchTimeLeft(uint32_t childTimeOut, uint32_t elapsedMs)
{
    if (childTimeOut == kNoTimeLimit)
        return kWindowSearchWithoutLimitMs;
    return childTimeOut > elapsedMs ? childTimeOut - elapsedMs : 0;
}

namespace {

// Window class names compare without regard to case.
bool SameClassName(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b)
        if (std::tolower(static_cast<unsigned char>(*a)) !=
            std::tolower(static_cast<unsigned char>(*b)))
            return false;
    return *a == *b;
}

}  // namespace

bool IsSystemHelperWindowClass(const char* className)
{
    return className && (SameClassName(className, "IME") || SameClassName(className, "MSCTFIME UI"));
}

bool RestartsLauncherWhenGone(uint32_t message, bool groupsWait)
{
    if (message == LM_PRINT)
        return true;
    return groupsWait && (message == LM_SUSPEND || message == LM_RESUME);
}
