// The settings program's one error type: it carries exactly the text the
// user is shown.
#pragma once
#include <cstdint>
#include <string>

#include "framework/cexception.h"

class CAppException : public CException {
public:
    // The text as given.
    explicit CAppException(const std::string& message);
    // The system's message for a Win32 error code, with the line break the
    // system ends it with; empty when the system has no message for it.
    explicit CAppException(uint32_t win32ErrorCode);

    const char* GetRuntimeClassName() const override { return "CAppException"; }
    bool GetErrorText(char* buffer, unsigned size, unsigned* helpContext = nullptr) const override;

    std::string m_strMessage;
};
