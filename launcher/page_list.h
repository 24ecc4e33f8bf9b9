// The page-list hand-off file of a group: a line with the number of pages,
// then the full path of each page file, in page order.
#pragma once
#include <string>
#include <vector>

// Parses the file's text (lines end with CR LF or LF). False, with `reason`
// saying why, when the count line is not a positive number or the number of
// path lines differs from it: such a file was not written completely, and
// printing part of it would lose pages without a word.
bool ParsePageList(const std::string& text, std::vector<std::string>& pages, std::string& reason);
