// Full paths of the hand-off files in the user's temporary folder.
#pragma once
#include <cstdint>
#include <string>

// The hand-off file of (jobId, page); page 0 is the job's settings file.
// Empty when the temporary folder is unknown or the name does not fit.
std::string HandoffPath(uint32_t jobId, uint32_t page);
