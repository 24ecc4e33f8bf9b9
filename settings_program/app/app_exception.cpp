#include "app/app_exception.h"

#include <cstring>

CAppException::CAppException(const std::string& message) : m_strMessage(message) {}

bool CAppException::GetErrorText(char* buffer, unsigned size, unsigned*) const
{
    if (!buffer || m_strMessage.size() >= size)
        return false;
    std::memcpy(buffer, m_strMessage.c_str(), m_strMessage.size() + 1);
    return true;
}
