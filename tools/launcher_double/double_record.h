// The record file of the launcher double: entries are appended, each in one
// write, so a test that reads the file while the double runs sees whole entries.
#pragma once
#include <string>

// Appends text (which ends with "\n") to the file; false when it cannot.
bool AppendRecord(const std::string& path, const std::string& text);
