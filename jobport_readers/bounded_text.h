// Copies and joins of texts into fixed buffers. A result that does not fit
// is never cut: the buffer is left empty and the call reports false.
#pragma once
#include <cstddef>

// Copies text (null counts as empty) into out.
bool CopyText(char* out, size_t size, const char* text);

// True when text ends with a path separator ("\" or "/") in the process's
// ANSI code page (AnsiLeadByteTest): a trail byte is none.
bool EndsWithSeparator(const char* text);

// folder + "\" + name; no second "\" when folder already ends with one.
bool JoinPath(char* out, size_t size, const char* folder, const char* name);

// folder with one trailing "\" (none added when it already has one).
bool WithTrailingSeparator(char* out, size_t size, const char* folder);
