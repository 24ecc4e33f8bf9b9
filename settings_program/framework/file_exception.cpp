#include "framework/file_exception.h"

#include <cstring>

#include "framework/framework_text_ids.h"
#include "framework/message_presenter.h"

CFileException::CFileException(Cause cause, const std::string& fileName)
    : m_cause(cause), m_strFileName(fileName)
{
}

unsigned FileErrorTextId(CFileException::Cause cause)
{
    switch (cause) {
    case CFileException::fileNotFound: return IDS_FILE_NOT_FOUND;
    case CFileException::badPath: return IDS_FILE_BAD_PATH;
    case CFileException::tooManyOpenFiles: return IDS_FILE_TOO_MANY_OPEN;
    case CFileException::accessDenied: return IDS_FILE_ACCESS_DENIED;
    case CFileException::sharingViolation: return IDS_FILE_SHARING_VIOLATION;
    case CFileException::diskFull: return IDS_FILE_DISK_FULL;
    case CFileException::endOfFile: return IDS_FILE_END_OF_FILE;
    case CFileException::lockViolation: return IDS_FILE_LOCK_VIOLATION;
    case CFileException::generic: break;
    }
    return IDS_FILE_GENERIC;
}

std::string InsertFileName(const std::string& textFormat, const std::string& path)
{
    const size_t at = textFormat.find("%s");
    if (at == std::string::npos)
        return textFormat;
    std::string text = textFormat;
    text.replace(at, 2, path);
    return text;
}

bool CFileException::GetErrorText(char* buffer, unsigned size, unsigned*) const
{
    MessagePresenter* presenter = CurrentPresenter();
    const std::string textFormat = presenter ? presenter->LoadText(FileErrorTextId(m_cause)) : "";
    if (!buffer || textFormat.empty())
        return false;
    const std::string text = InsertFileName(textFormat, m_strFileName);
    if (text.size() >= size)
        return false;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return true;
}
