// The main function of a console tool: its lines unbuffered, so that they
// appear in order also when the output goes to a file or a pipe, and an
// exception that reaches it turned into one line of output and an exit code.
#pragma once
#include <cstdio>
#include <exception>

// Runs work() and returns what it returns; when it throws, prints
// "<lead>: <what the exception says>" (`unexpected` for one that says
// nothing) and returns `failed`.
template <typename Work>
int RunTool(const char* lead, const char* unexpected, int failed, Work work)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    try {
        return work();
    } catch (const std::exception& e) {
        std::printf("%s: %s\n", lead, e.what());
    } catch (...) {
        std::printf("%s: %s\n", lead, unexpected);
    }
    return failed;
}
