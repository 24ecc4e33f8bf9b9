// The page-list hand-off file of a group: a line with the number of pages,
// then the full path of each page file, in page order.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

// The library writes at most 999 pages of at most 259 characters to a list;
// a file larger than this was not written by it and is not read at all.
const size_t kMostPageListBytes = 1024 * 1024;

// Parses the file's text (lines end with CR LF or LF): every line after the
// count line that is not blank names a page, in order; a first line that is
// no count but a path names the first page. Pages are printed from what the
// file names even when it was not written completely: `problem` then says
// how it differs from its count line (empty when it matches). False, with
// `problem` saying why, when the file names no page at all.
bool ParsePageList(const std::string& text, std::vector<std::string>& pages, std::string& problem);
