// Whole-file reads and writes for the program's data files. Every failure
// throws new CFileException with the cause the system reported and the
// path as given (the callers pass full paths).
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/file_exception.h"

// The cause a Win32 error code of a file operation stands for.
CFileException::Cause FileErrorCause(DWORD win32ErrorCode);

// Every byte of the file, opened read-only while others may read it too.
std::vector<uint8_t> ReadWholeFile(const std::string& path);

// Every byte of the file when it holds at most limit bytes, opened as
// ReadWholeFile opens it. Its size is taken first: of a larger file nothing
// is read and the answer is false.
bool ReadFileUpTo(const std::string& path, size_t limit, std::vector<uint8_t>& bytes);

// Creates the file or cuts it to nothing, then writes exactly size bytes.
void WriteWholeFile(const std::string& path, const uint8_t* data, size_t size);
