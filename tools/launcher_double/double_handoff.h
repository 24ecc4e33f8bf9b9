// The hand-off files the library leaves in the temporary folder for the
// launcher: "KST_" + job id ("%2d") + page ("%3d") + ".$$$".
#pragma once
#include <string>
#include <vector>

std::string HandoffPath(unsigned long jobId, unsigned long page);

// The lines of a text file without their line ends; false when it cannot be read.
bool ReadLines(const std::string& path, std::vector<std::string>& lines);
