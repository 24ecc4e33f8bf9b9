// A program started with its message boxes watched from its first
// instruction: it starts suspended and runs once the watcher is on, so that
// no box is missed. One that still runs when its owner goes is ended.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "message_box_watcher.h"
#include "started_process.h"

class WatchedProgram {
public:
    // Starts program (a whole path) with folder as its current folder.
    WatchedProgram(const std::string& program, const std::string& folder);
    ~WatchedProgram();
    WatchedProgram(const WatchedProgram&) = delete;
    WatchedProgram& operator=(const WatchedProgram&) = delete;

    bool Started() const { return static_cast<bool>(m_started); }
    DWORD Id() const { return m_started.id; }
    HANDLE Process() const { return m_started.process.Get(); }
    // The boxes seen and closed so far (see MessageBoxWatcher::Take); none
    // when the program did not start.
    std::vector<SeenBox> TakeBoxes();

private:
    StartedProcess m_started;
    std::unique_ptr<MessageBoxWatcher> m_boxes;  // stops before the handles close
};
