// sample_host.exe: plays the host scanning program. It loads jobport.dll as
// a host does, calls JP_init("SampleHost") and runs a job script (see
// host_script.h): it "scans" each page into a bitmap file in the folder
// "scan" of the current folder, hands the file to the library and prints
// every call with its result. "send" hands over a page file that exists.
//
//   sample_host [--settings FILE] [--answer-boxes] -f SCRIPT
//   sample_host [--settings FILE] [--answer-boxes] "job copies=1 pages=3" end ...
//
//   --settings FILE  the print settings file that "set" lines write
//   --answer-boxes    answer the library's warning boxes with OK and report
//                    them (for a display that nobody watches)
//
// Like every host of the library it must run in the folder that holds
// "KESTRO.cfg". Exit code: 0 when every call returned 1 and no warning box
// was shown, 1 when not, 2 for a wrong command line or script, 3 when the
// library cannot be loaded.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "full_path_win32.h"
#include "host_script.h"
#include "jobport_library.h"
#include "page_image.h"
#include "shared_formats/print_settings_file.h"
#include "tool_main.h"
#include "warning_boxes.h"

namespace {

const char kCaller[] = "SampleHost";
const char kScanFolder[] = "scan";
const int kExitOk = 0;
const int kExitFailed = 1;
const int kExitUsage = 2;
const int kExitNoLibrary = 3;

struct Options {
    std::string settingsFile;
    bool answerBoxes = false;
    std::vector<HostCommand> script;
};

class SampleHost {
public:
    SampleHost(JobportLibrary& library, const Options& options, WarningBoxAnswerer* boxes)
        : m_library(library), m_options(options), m_boxes(boxes)
    {
    }

    // Runs the script to its end; false when a call failed.
    bool Run()
    {
        CreateDirectoryA(kScanFolder, nullptr);
        const int ready = m_library.JP_init(kCaller);
        Result("JP_init(\"" + std::string(kCaller) + "\")", ready);
        if (!ready) {
            std::printf("  the library is not ready: is \"KESTRO.cfg\" in the current folder and "
                        "is the registry set up? The debug log may say more.\n");
            return false;
        }
        for (const HostCommand& command : m_options.script) {
            if (command.kind == HostCommand::Kind::Note) {
                std::printf("%s\n", command.line.c_str());
                continue;
            }
            std::printf("> %s\n", command.line.c_str());
            Do(command);
        }
        return m_failures == 0;
    }

    int Calls() const { return m_calls; }
    int Failures() const { return m_failures; }

private:
    struct OpenJob {
        int id;
        int scanned;
    };

    void Do(const HostCommand& command)
    {
        switch (command.kind) {
        case HostCommand::Kind::Note:
            break;
        case HostCommand::Kind::Job:
            StartJob(command.copies, command.pages, command.dpi);
            break;
        case HostCommand::Kind::Scan:
            if (OpenJob* job = Find(command.jobId))
                Scan(*job, command.pages, command.dpi);
            break;
        case HostCommand::Kind::Send:
            if (OpenJob* job = Find(0))
                Send(*job, command.file);
            break;
        case HostCommand::Kind::End:
        case HostCommand::Kind::Abort:
            Finish(command.jobId, command.kind == HostCommand::Kind::Abort);
            break;
        case HostCommand::Kind::Set:
            SaveSetting(command.key, command.value);
            break;
        }
    }

    void StartJob(unsigned copies, int pages, int dpi)
    {
        int id = 0;
        const int started = m_library.JP_StartJob(&id, copies);
        Result("JP_StartJob(&id, " + std::to_string(copies) + ")", started,
               ", job id " + std::to_string(id));
        if (!started) {
            std::printf("  the job was refused; its pages are not scanned\n");
            return;
        }
        m_open.push_back({id, 0});
        Scan(m_open.back(), pages, dpi);
    }

    void Scan(OpenJob& job, int pages, int dpi)
    {
        for (int i = 0; i < pages; ++i) {
            const int page = ++job.scanned;
            char name[64];
            std::snprintf(name, sizeof name, "%s\\job%d_page%03d.bmp", kScanFolder, job.id, page);
            std::string error;
            if (!WritePageImage(name, job.id, page, dpi, error)) {
                std::printf("  scanning failed: %s\n", error.c_str());
                ++m_failures;
                return;
            }
            const int sent = m_library.JP_SendData(job.id, FullPath(name).c_str());
            Result("JP_SendData(" + std::to_string(job.id) + ", " + name + ")", sent);
        }
    }

    // An existing page file, handed over as it is; the library moves it.
    void Send(OpenJob& job, const std::string& file)
    {
        ++job.scanned;
        const int sent = m_library.JP_SendData(job.id, FullPath(file).c_str());
        Result("JP_SendData(" + std::to_string(job.id) + ", " + file + ")", sent);
    }

    void Finish(int jobId, bool abort)
    {
        OpenJob* job = Find(jobId);
        if (!job)
            return;
        const int id = job->id;
        m_open.erase(m_open.begin() + (job - m_open.data()));
        if (abort)
            Result("JP_AbortJob(" + std::to_string(id) + ")", m_library.JP_AbortJob(id));
        else
            Result("JP_EndJob(" + std::to_string(id) + ")", m_library.JP_EndJob(id));
    }

    // Stands in for the user saving a choice in the settings program: the
    // library reads the file again at the next JP_StartJob.
    void SaveSetting(const std::string& key, const std::string& value)
    {
        if (m_options.settingsFile.empty()) {
            std::printf("  no print settings file given (--settings)\n");
            ++m_failures;
            return;
        }
        const char* section = key == kPrintAfterReceivedAllData.key ? kVeloraConfigSection
                                                                    : kPrintSettingSection;
        const bool saved = WritePrivateProfileStringA(section, key.c_str(), value.c_str(),
                                                      m_options.settingsFile.c_str()) != FALSE;
        std::printf("  [%s] %s=%s %s\n", section, key.c_str(), value.c_str(),
                    saved ? "saved" : "NOT saved");
        if (!saved)
            ++m_failures;
    }

    // The open job of that id, or the newest open job for id 0.
    OpenJob* Find(int jobId)
    {
        for (size_t i = m_open.size(); i-- > 0;)
            if (jobId == 0 || m_open[i].id == jobId)
                return &m_open[i];
        std::printf("  no open job%s\n",
                    jobId == 0 ? "" : (" with id " + std::to_string(jobId)).c_str());
        ++m_failures;
        return nullptr;
    }

    void Result(const std::string& call, int result, const std::string& more = std::string())
    {
        ++m_calls;
        std::printf("  %s = %d%s\n", call.c_str(), result, more.c_str());
        if (result != 1)
            ++m_failures;
        if (!m_boxes)
            return;
        for (const WarningBox& box : m_boxes->Take()) {
            std::printf("  warning box \"%s\": \"%s\" (answered with OK)\n", box.caption.c_str(),
                        box.text.c_str());
            ++m_failures;
        }
    }

    JobportLibrary& m_library;
    const Options& m_options;
    WarningBoxAnswerer* m_boxes;
    std::vector<OpenJob> m_open;
    int m_calls = 0;
    int m_failures = 0;
};

int Usage(const std::string& problem)
{
    std::fprintf(stderr,
                 "sample_host: %s\n"
                 "usage: sample_host [--settings FILE] [--answer-boxes] -f SCRIPT\n"
                 "       sample_host [--settings FILE] [--answer-boxes] COMMAND...\n"
                 "commands: job [copies=N] [pages=N] [dpi=N] | scan pages=N [job=ID] [dpi=N] |\n"
                 "          send FILE | end [job=ID] | abort [job=ID] | set KEY=VALUE\n",
                 problem.c_str());
    return kExitUsage;
}

bool ReadOptions(int argc, char** argv, Options& options, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--settings" && i + 1 < argc) {
            options.settingsFile = FullPath(argv[++i]);
        } else if (argument == "--answer-boxes") {
            options.answerBoxes = true;
        } else if (argument == "-f" && i + 1 < argc) {
            if (!ReadScriptFile(argv[++i], options.script, error))
                return false;
        } else if (!ParseScriptLine(argument, options.script, error)) {
            return false;
        }
    }
    if (options.script.empty()) {
        error = "no commands";
        return false;
    }
    return true;
}

int Run(int argc, char** argv)
{
    Options options;
    std::string error;
    if (!ReadOptions(argc, argv, options, error))
        return Usage(error);

    // Declared before the library, so boxes are still answered while it unloads.
    std::unique_ptr<WarningBoxAnswerer> boxes;
    if (options.answerBoxes) {
        boxes.reset(new WarningBoxAnswerer);
        if (!boxes->Hooked()) {
            std::printf("sample host: cannot watch for warning boxes (Windows error %lu)\n",
                        GetLastError());
            return kExitFailed;
        }
    }

    JobportLibrary library;
    if (!library.Load("jobport.dll", error)) {
        std::printf("sample host: %s\n", error.c_str());
        return kExitNoLibrary;
    }
    std::printf("jobport.dll loaded from %s\n", library.Path().c_str());
    SampleHost host(library, options, boxes.get());
    const bool ok = host.Run();
    library.Unload();
    std::printf("jobport.dll unloaded\n");
    if (ok)
        std::printf("sample host: %d calls, every one returned 1\n", host.Calls());
    else
        std::printf("sample host: %d calls; %d failures (calls that returned 0, warning boxes, "
                    "steps that could not be done)\n",
                    host.Calls(), host.Failures());
    return ok ? kExitOk : kExitFailed;
}

}  // namespace

int main(int argc, char** argv)
{
    return RunTool("sample host", "unexpected failure", kExitFailed, [&] { return Run(argc, argv); });
}
