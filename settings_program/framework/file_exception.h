// A file that could not be opened, read or written. Its text is the
// framework's file-error text for the cause with the file's full path in
// it, so the user sees which file failed and why.
#pragma once
#include <string>

#include "framework/cexception.h"

class CFileException : public CException {
public:
    enum Cause {
        generic,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        sharingViolation,
        diskFull,
        endOfFile,
        lockViolation,
    };

    CFileException(Cause cause, const std::string& fileName);

    const char* GetRuntimeClassName() const override { return "CFileException"; }
    // The text of the cause (IDS_FILE_*) with the path in place of its %s;
    // copied only when it fits with its terminator. False, with nothing
    // copied, also when the program has no text for the cause.
    bool GetErrorText(char* buffer, unsigned size, unsigned* helpContext = nullptr) const override;

    Cause m_cause;
    std::string m_strFileName;  // full path
};

// The string id of the text for cause.
unsigned FileErrorTextId(CFileException::Cause cause);

// textFormat with its first "%s" replaced by path. Nothing else of either
// is interpreted: a path may hold '%' like any other character.
std::string InsertFileName(const std::string& textFormat, const std::string& path);
