// The text of the box that tells the user a group was not printed.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct GroupFailure {
    std::vector<std::string> files;  // the file(s) concerned: a page file, the page list, or
                                     // every page file of the group for a printer failure
    std::string reason;
};

// The configured message, then the file(s) and the reason, then which group
// it was and that its files were kept. At most ten files are named.
std::string CannotPrintText(const std::string& message, uint32_t jobId, uint32_t firstPage,
                            const GroupFailure& failure);
