#include "cannot_print_text.h"

namespace {

const size_t kMostFilesNamed = 10;

}  // namespace

std::string CannotPrintText(const std::string& message, uint32_t jobId, uint32_t firstPage,
                            const GroupFailure& failure)
{
    std::string text = message.empty() ? std::string("Cannot print.") : message;
    text += "\n\n";
    text += failure.files.size() == 1 ? "File: " : "Files:";
    for (size_t i = 0; i < failure.files.size() && i < kMostFilesNamed; ++i)
        text += (failure.files.size() == 1 ? "" : "\n    ") + failure.files[i];
    if (failure.files.size() > kMostFilesNamed)
        text += "\n    (and " + std::to_string(failure.files.size() - kMostFilesNamed) + " more)";
    text += "\nReason: " + failure.reason + ".\n\n";
    text += "Job " + std::to_string(jobId) + ", group from page " + std::to_string(firstPage) +
            ": nothing of it was printed and its files were kept.";
    return text;
}
