// dialog_driver.exe: drives a dialog of another program through its real
// windows and messages, as a user's clicks and choices would, and reads
// back what the dialog shows. Runs in two parts, so that a screenshot can
// be taken while the dialog is open:
//
//   dialog_driver open PROGRAM CONTROL WINDOW_FILE
//       starts PROGRAM, waits for its dialog (a visible top-level "#32770"
//       of the process holding control id CONTROL) and writes
//       "PROCESS CONTROL LEFT TOP WIDTH HEIGHT" (the dialog's window on the
//       screen) to WINDOW_FILE
//   dialog_driver box PROCESS WINDOW_FILE
//       waits (up to 120 s, while the process runs) for a message box of
//       process PROCESS (a program this driver did not start, such as the
//       launcher), prints its caption and text, writes its window to
//       WINDOW_FILE as "open" does and leaves it open; exit code 1 when the
//       process ended or showed no box
//   dialog_driver answer WINDOW_FILE
//       answers that box with OK and waits until it is gone
//   dialog_driver drive WINDOW_FILE STEP...
//       finds that dialog again and runs the steps in order:
//         choose ID TEXT   select the item TEXT of list ID and tell the dialog
//         check ID         click check box ID unless it is checked
//         uncheck ID       click check box ID if it is checked
//         click ID         click button ID
//         show ID          print what control ID shows
//         wait-end         wait for the program to end
//       choose, check and uncheck read the control back afterwards. While
//       the dialog is open WINDOW_FILE is written again with its window.
//
// Every message box the program shows meanwhile is printed and answered
// with OK. Every wait is bounded. Exit code: 0 when every step did what it
// says, 1 when one did not (the reason is printed), 2 for a wrong command
// line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "driven_program.h"
#include "notice_closer.h"
#include "remote_controls.h"
#include "tool_main.h"

namespace {

const int kExitOk = 0;
const int kExitFailed = 1;
const int kExitUsage = 2;

struct WindowRecord {
    DWORD processId = 0;
    int controlId = 0;
    RECT window = {};
};

bool ToNumber(const std::string& text, long& number)
{
    char* end = nullptr;
    number = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && number > 0;
}

bool WriteRecord(const std::string& path, DWORD processId, int controlId, HWND dialog)
{
    RECT window = {};
    if (!GetWindowRect(dialog, &window))
        return false;
    std::ofstream file(path, std::ios::trunc);
    file << processId << ' ' << controlId << ' ' << window.left << ' ' << window.top << ' '
         << window.right - window.left << ' ' << window.bottom - window.top << '\n';
    file.close();
    return !file.fail();
}

bool ReadRecord(const std::string& path, WindowRecord& record)
{
    std::ifstream file(path);
    unsigned long processId = 0;
    file >> processId >> record.controlId;
    record.processId = processId;
    return file && processId != 0;
}

int Failed(const std::string& reason)
{
    std::printf("dialog driver: %s\n", reason.c_str());
    return kExitFailed;
}

void PrintNotices(NoticeCloser& notices)
{
    for (const std::string& box : notices.Take())
        std::printf("  message box %s (answered with OK)\n", box.c_str());
}

int Open(const std::string& program, const std::string& control, const std::string& recordPath)
{
    long controlId = 0;
    if (!ToNumber(control, controlId))
        return kExitUsage;
    DrivenProgram driven;
    std::string error;
    if (!driven.Start(program, error))
        return Failed(error);
    NoticeCloser notices(driven.Id());
    const HWND dialog = driven.WaitForDialog(static_cast<int>(controlId));
    PrintNotices(notices);
    if (!dialog)
        return Failed(driven.IsRunning() ? "no dialog with control " + control + " appeared within " +
                                               std::to_string(kProgramWaitMs) + " ms"
                                         : "the program ended without showing its dialog");
    if (!WriteRecord(recordPath, driven.Id(), static_cast<int>(controlId), dialog))
        return Failed("cannot write " + recordPath);
    std::printf("dialog \"%s\" of process %lu is open\n", remote::Text(dialog).c_str(),
                static_cast<unsigned long>(driven.Id()));
    return kExitOk;
}

// Runs one step that starts at words[i]; advances i past it. False with
// the reason when the step failed.
bool RunStep(const std::vector<std::string>& words, size_t& i, HWND dialog,
             const DrivenProgram& driven, std::string& error)
{
    const std::string verb = words[i++];
    if (verb == "wait-end") {
        DWORD exitCode = 0;
        if (!driven.WaitForEnd(exitCode)) {
            error = "the program did not end within " + std::to_string(kProgramWaitMs) + " ms";
            return false;
        }
        std::printf("the program ended (exit code %lu)\n", static_cast<unsigned long>(exitCode));
        return true;
    }
    if (verb != "choose" && verb != "check" && verb != "uncheck" && verb != "click" &&
        verb != "show") {
        error = "unknown step \"" + verb + "\" (choose, check, uncheck, click, show, wait-end)";
        return false;
    }
    long id = 0;
    if (i >= words.size() || !ToNumber(words[i++], id)) {
        error = "\"" + verb + "\" needs a control id";
        return false;
    }
    const int control = static_cast<int>(id);
    const std::string label = remote::Label(dialog, control);
    std::string wanted;
    if (verb == "choose") {
        if (i >= words.size()) {
            error = "\"choose\" needs a control id and an item";
            return false;
        }
        wanted = words[i++];
        if (!remote::Choose(dialog, control, wanted, error))
            return false;
        std::printf("%s: chose \"%s\"\n", label.c_str(), wanted.c_str());
    } else if (verb == "check" || verb == "uncheck") {
        wanted = verb == "check" ? "checked" : "not checked";
        const std::string before = remote::State(dialog, control);
        if (!remote::SetChecked(dialog, control, verb == "check", error))
            return false;
        std::printf("%s: %s\n", label.c_str(),
                    before == wanted ? ("was " + wanted + " already").c_str() : "clicked");
    } else if (verb == "click") {
        if (!remote::Click(dialog, control, error))
            return false;
        std::printf("%s: clicked\n", label.c_str());
    } else {
        std::printf("%s = %s\n", label.c_str(), remote::State(dialog, control).c_str());
    }
    if (!wanted.empty()) {
        // Greyed or not, the control must now show what was wanted.
        std::string state = remote::State(dialog, control);
        const size_t greyed = state.find(" (greyed)");
        if (greyed != std::string::npos)
            state.erase(greyed);
        if (state != wanted) {
            error = "\"" + label + "\" reads back as \"" + state + "\", not \"" + wanted + "\"";
            return false;
        }
    }
    return true;
}

int Drive(const std::string& recordPath, const std::vector<std::string>& steps)
{
    WindowRecord record;
    if (!ReadRecord(recordPath, record))
        return Failed("cannot read the dialog's process and control from " + recordPath);
    DrivenProgram driven;
    std::string error;
    if (!driven.Open(record.processId) || !driven.IsRunning())
        return Failed("process " + std::to_string(record.processId) + " is not running");
    NoticeCloser notices(driven.Id());
    const HWND dialog = driven.WaitForDialog(record.controlId);
    if (!dialog)
        return Failed("the program shows no dialog with control " +
                      std::to_string(record.controlId));
    for (size_t i = 0; i < steps.size();) {
        const bool done = RunStep(steps, i, dialog, driven, error);
        PrintNotices(notices);
        if (!done)
            return Failed(error);
    }
    if (IsWindow(dialog) && IsWindowVisible(dialog) &&
        !WriteRecord(recordPath, record.processId, record.controlId, dialog))
        return Failed("cannot write " + recordPath);
    return kExitOk;
}

// Id of the static control that holds a message box's text.
const int kBoxTextId = 0xFFFF;
// Bound of the wait for a box: a launcher shows it once its job's pages are printed.
const int kBoxWaitRounds = 6;

int Box(const std::string& process, const std::string& recordPath)
{
    long processId = 0;
    if (!ToNumber(process, processId))
        return kExitUsage;
    DrivenProgram driven;
    if (!driven.Open(static_cast<DWORD>(processId)) || !driven.IsRunning())
        return Failed("process " + process + " is not running");
    HWND box = nullptr;
    for (int round = 0; round < kBoxWaitRounds && !box && driven.IsRunning(); ++round)
        box = driven.WaitForDialog(kBoxTextId);
    if (!box)
        return Failed(driven.IsRunning() ? "process " + process + " shows no message box"
                                         : "process " + process + " ended without a message box");
    if (!WriteRecord(recordPath, driven.Id(), kBoxTextId, box))
        return Failed("cannot write " + recordPath);
    std::printf("message box \"%s\":\n%s\n", remote::Text(box).c_str(),
                remote::Text(GetDlgItem(box, kBoxTextId)).c_str());
    return kExitOk;
}

int Answer(const std::string& recordPath)
{
    WindowRecord record;
    if (!ReadRecord(recordPath, record))
        return Failed("cannot read the box's process from " + recordPath);
    DrivenProgram driven;
    if (!driven.Open(record.processId))
        return Failed("process " + std::to_string(record.processId) + " is not running");
    const HWND box = driven.WaitForDialog(record.controlId);
    if (!box)
        return Failed("the box is no longer open");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    const DWORD start = GetTickCount();
    while (IsWindow(box) && IsWindowVisible(box)) {
        if (GetTickCount() - start > kProgramWaitMs)
            return Failed("the box did not close");
        Sleep(20);
    }
    std::printf("answered with OK\n");
    return kExitOk;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: dialog_driver open PROGRAM CONTROL WINDOW_FILE\n"
                 "       dialog_driver box PROCESS WINDOW_FILE\n"
                 "       dialog_driver answer WINDOW_FILE\n"
                 "       dialog_driver drive WINDOW_FILE STEP...\n"
                 "steps: choose ID TEXT | check ID | uncheck ID | click ID | show ID | wait-end\n");
    return kExitUsage;
}

int Run(int argc, char** argv)
{
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.size() == 4 && words[0] == "open") {
        const int status = Open(words[1], words[2], words[3]);
        return status == kExitUsage ? Usage() : status;
    }
    if (words.size() == 3 && words[0] == "box") {
        const int status = Box(words[1], words[2]);
        return status == kExitUsage ? Usage() : status;
    }
    if (words.size() == 2 && words[0] == "answer")
        return Answer(words[1]);
    if (words.size() >= 3 && words[0] == "drive")
        return Drive(words[1], std::vector<std::string>(words.begin() + 2, words.end()));
    return Usage();
}

}  // namespace

int main(int argc, char** argv)
{
    return RunTool("dialog driver", "unexpected failure", kExitFailed, [&] { return Run(argc, argv); });
}
