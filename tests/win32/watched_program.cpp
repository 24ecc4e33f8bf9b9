#include "watched_program.h"

namespace {

const DWORD kEndWaitMs = 20000;

}  // namespace

WatchedProgram::WatchedProgram(const std::string& program, const std::string& folder)
    : m_started(StartProcess(program.c_str(), "\"" + program + "\"", CREATE_SUSPENDED,
                             folder.c_str()))
{
    if (!Started())
        return;
    m_boxes = std::make_unique<MessageBoxWatcher>(m_started.id);
    ResumeThread(m_started.thread.Get());
}

WatchedProgram::~WatchedProgram()
{
    // Still running only when a test gave up on it.
    if (Started() && WaitForSingleObject(Process(), 0) != WAIT_OBJECT_0) {
        TerminateProcess(Process(), 99);
        WaitForSingleObject(Process(), kEndWaitMs);
    }
}

std::vector<SeenBox> WatchedProgram::TakeBoxes()
{
    return m_boxes ? m_boxes->Take() : std::vector<SeenBox>();
}
