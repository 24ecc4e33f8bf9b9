// benchmark.exe: how many pages a second go through jobport.dll, beside the
// bare platform work a page needs, measured in the same run.
//
//   benchmark --settings FILE --data-folder DIR
//             [--small-pages N] [--large-pages N] [--runs N]
//
// It runs like a host: in an installation's host folder ("KESTRO.cfg"
// there), with the launcher double installed as KESTRO.EXE and told to
// delete what it is handed (KESTRO_DOUBLE_DELETE_PRINTED=1), so that the
// data folder DIR stays small. FILE is the print settings file, which it
// changes between jobs to choose the print method.
//
// For page files of 50 KB and of 20 MB it measures:
//   bare work  per page: move the page file into a folder, write a two-line
//              file, post one message to a window of another thread
//   method 1   one job (JP_StartJob, JP_SendData per page, JP_EndJob) whose
//              pages are handed over one by one as they arrive
//   method 30  one such job whose pages are held and handed over together
//              at its end
// Only those calls are timed; writing each page file before it is sent is
// not: a run's page files are all written, and the file system is given a
// second to settle, before its first timed call.
// Each figure is the median of the runs. Logging is on, as always.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench_host.h"
#include "bench_options.h"
#include "full_path_win32.h"
#include "message_receiver.h"
#include "tool_main.h"
#include "win32_shared/kernel_handles_win32.h"

namespace {

const char kCaller[] = "Benchmark";
const char kScanFolder[] = "bench_scan";
const char kBareFolder[] = "bench_bare";
const DWORD kLauncherCatchUpMs = 120000;
// Time the file system gets, before a timed run, to finish writing back the
// page files just written and the deletions of the run before.
const DWORD kSettleMs = 1000;

struct Options {
    std::string settingsFile;
    std::string dataFolder;
    int smallPages = 400;
    int largePages = 16;
    int runs = 3;
};

class Stopwatch {
public:
    Stopwatch()
    {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        m_frequency = static_cast<double>(frequency.QuadPart);
    }
    void Start() { QueryPerformanceCounter(&m_start); }
    void Stop()
    {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        m_seconds += static_cast<double>(now.QuadPart - m_start.QuadPart) / m_frequency;
    }
    double Seconds() const { return m_seconds; }

private:
    double m_frequency = 1;
    LARGE_INTEGER m_start = {};
    double m_seconds = 0;
};

class StdioFile {
public:
    StdioFile(const char* path, const char* mode) : m_file(std::fopen(path, mode)) {}
    ~StdioFile()
    {
        if (m_file)
            std::fclose(m_file);
    }
    StdioFile(const StdioFile&) = delete;
    StdioFile& operator=(const StdioFile&) = delete;
    FILE* Get() const { return m_file; }
    // Closes the file now; false when the last writes did not reach it.
    bool Close()
    {
        const bool closed = m_file && std::fclose(m_file) == 0;
        m_file = nullptr;
        return closed;
    }

private:
    FILE* m_file;
};

// The page files of one run, each under a name of its own, all written and
// flushed to disk before the run's timed calls: the system writing back the
// benchmark's own page data would otherwise slow the calls it times.
class PageSource {
public:
    explicit PageSource(size_t bytes) : m_content(bytes)
    {
        for (size_t i = 0; i < bytes; ++i)
            m_content[i] = static_cast<char>('A' + i % 26);
        CreateDirectoryA(kScanFolder, nullptr);
    }

    std::vector<std::string> Write(int pages)
    {
        std::vector<std::string> paths;
        for (int i = 0; i < pages; ++i)
            paths.push_back(WriteOne());
        return paths;
    }

private:
    std::string WriteOne()
    {
        char name[64];
        std::snprintf(name, sizeof name, "%s\\page%06d.dat", kScanFolder, ++m_count);
        const std::string path = FullPath(name);
        const KernelHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!file ||
            !WriteFile(file.Get(), m_content.data(), static_cast<DWORD>(m_content.size()),
                       &written, nullptr) ||
            written != m_content.size() || !FlushFileBuffers(file.Get()))
            throw Failure("cannot write the page file " + path);
        return path;
    }

    std::vector<char> m_content;
    int m_count = 0;
};

// One library job: the time of each kind of call, in seconds.
struct JobTimes {
    double start = 0;
    double send = 0;  // all JP_SendData calls together
    double end = 0;
    int pages = 0;

    double PagesPerSecond() const { return pages / (start + send + end); }
};

class Benchmark {
public:
    Benchmark(const Options& options, JobportLibrary& library, WarningBoxAnswerer& boxes)
        : m_options(options), m_library(library), m_boxes(boxes)
    {
        CreateDirectoryA(kBareFolder, nullptr);
    }

    // Pages per second of the bare work, one run.
    double BareWork(PageSource& source, int pages)
    {
        // Made at first use, when the library has loaded every DLL it needs.
        if (!m_receiver)
            m_receiver.reset(new MessageReceiver);
        if (!m_receiver->Window())
            throw Failure("cannot create the window that receives the bare work's messages");
        const std::vector<std::string> paths = source.Write(pages);
        Sleep(kSettleMs);
        Stopwatch watch;
        for (int i = 1; i <= pages; ++i) {
            const std::string& page = paths[i - 1];
            const std::string moved = FullPath(std::string(kBareFolder) + page.substr(page.rfind('\\')));
            const std::string list = FullPath(std::string(kBareFolder) + "\\list.txt");
            watch.Start();
            const bool ok = MoveFileExA(page.c_str(), moved.c_str(), 0) &&
                            WriteTwoLines(list, moved) &&
                            PostMessageA(m_receiver->Window(), WM_APP, 1, i);
            watch.Stop();
            if (!ok)
                throw Failure("the bare work failed for " + page + " (Windows error " +
                              std::to_string(GetLastError()) + ")");
            DeleteFileA(moved.c_str());
            DeleteFileA(list.c_str());
        }
        return pages / watch.Seconds();
    }

    // One job through the library, one run.
    JobTimes LibraryJob(PageSource& source, int pages, bool holdToEnd)
    {
        // Print method 30 when the whole job is held, else 1 (one page a sheet).
        ChoosePrintMethod(m_options.settingsFile, holdToEnd, 0);
        const std::vector<std::string> paths = source.Write(pages);
        Sleep(kSettleMs);
        Stopwatch start, send, end;
        int id = 0;
        start.Start();
        const int started = m_library.JP_StartJob(&id, 1);
        start.Stop();
        CheckCall(m_boxes, "JP_StartJob", started);
        for (const std::string& page : paths) {
            send.Start();
            const int sent = m_library.JP_SendData(id, page.c_str());
            send.Stop();
            CheckCall(m_boxes, "JP_SendData", sent);
        }
        end.Start();
        const int ended = m_library.JP_EndJob(id);
        end.Stop();
        CheckCall(m_boxes, "JP_EndJob", ended);
        WaitForLauncher();
        JobTimes times;
        times.start = start.Seconds();
        times.send = send.Seconds();
        times.end = end.Seconds();
        times.pages = pages;
        return times;
    }

private:
    static bool WriteTwoLines(const std::string& path, const std::string& page)
    {
        StdioFile file(path.c_str(), "w");
        const bool written = file.Get() && std::fprintf(file.Get(), "1\n%s\n", page.c_str()) > 0;
        return file.Close() && written;
    }

    // The launcher double deletes each group it is handed; the next run
    // starts when the data folder is empty again.
    void WaitForLauncher()
    {
        const DWORD start = GetTickCount();
        while (!DataFolderEmpty()) {
            if (GetTickCount() - start > kLauncherCatchUpMs)
                throw Failure("the launcher did not delete the pages it was handed within " +
                              std::to_string(kLauncherCatchUpMs / 1000) + " s (is it the launcher "
                              "double with KESTRO_DOUBLE_DELETE_PRINTED=1?)");
            Sleep(10);
        }
    }

    bool DataFolderEmpty() const
    {
        WIN32_FIND_DATAA found;
        const FindHandle search(FindFirstFileA((m_options.dataFolder + "\\*").c_str(), &found));
        if (!search)
            return true;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                return false;
        } while (FindNextFileA(search.Get(), &found));
        return true;
    }

    const Options& m_options;
    JobportLibrary& m_library;
    WarningBoxAnswerer& m_boxes;
    std::unique_ptr<MessageReceiver> m_receiver;
};

// The medians of one page size's runs.
struct Row {
    const char* size;
    int pages;
    double bare;  // pages per second
    double perSecond[2];  // method 1, method 30: pages per second of the whole job
    double startMs[2];
    double sendMs[2];  // a JP_SendData call
    double endMs[2];
};

Row Summarise(const char* size, int pages, const std::vector<double>& bare,
              const std::vector<JobTimes> (&jobs)[2])
{
    Row row = {size, pages, Median(bare), {}, {}, {}, {}};
    for (int m = 0; m < 2; ++m) {
        std::vector<double> perSecond, start, send, end;
        for (const JobTimes& job : jobs[m]) {
            perSecond.push_back(job.PagesPerSecond());
            start.push_back(job.start * 1000);
            send.push_back(job.send * 1000 / job.pages);
            end.push_back(job.end * 1000);
        }
        row.perSecond[m] = Median(perSecond);
        row.startMs[m] = Median(start);
        row.sendMs[m] = Median(send);
        row.endMs[m] = Median(end);
    }
    return row;
}

void PrintTables(const std::vector<Row>& rows, int runs)
{
    std::printf("\nPages per second, median of %d runs (a job: JP_StartJob, JP_SendData per page,\n"
                "JP_EndJob; only the calls are timed)\n\n", runs);
    std::printf("%-9s %9s %10s   %9s %6s   %9s %6s\n", "page file", "pages/job", "bare work",
                "method 1", "ratio", "method 30", "ratio");
    for (const Row& row : rows)
        std::printf("%-9s %9d %10.1f   %9.1f %5.1fx   %9.1f %5.1fx\n", row.size, row.pages,
                    row.bare, row.perSecond[0], row.bare / row.perSecond[0], row.perSecond[1],
                    row.bare / row.perSecond[1]);
    std::printf("\nratio: the bare work's pages per second divided by the library's: how many\n"
                "times the bare work a page costs when it goes through jobport.dll.\n");

    std::printf("\nWhere a job's time goes, milliseconds (medians)\n\n");
    std::printf("%-9s %-9s %11s %15s %10s\n", "page file", "method", "JP_StartJob",
                "JP_SendData/page", "JP_EndJob");
    for (const Row& row : rows)
        for (int m = 0; m < 2; ++m)
            std::printf("%-9s %-9s %11.2f %15.2f %10.2f\n", m == 0 ? row.size : "",
                        m == 0 ? "1" : "30", row.startMs[m], row.sendMs[m], row.endMs[m]);
    std::printf("\nThe bare work of a page took %.2f ms (50 KB) and %.2f ms (20 MB).\n"
                "Method 30 hands a job's pages over in JP_EndJob, and keeps them in the data\n"
                "folder until then: under Wine a new file name costs more to look up the more\n"
                "files its folder holds, so JP_SendData slows as the folder fills.\n",
                1000 / rows[0].bare, 1000 / rows[1].bare);
}

int Run(const Options& options)
{
    WarningBoxAnswerer boxes;
    if (!boxes.Hooked())
        throw Failure("cannot watch for warning boxes");
    JobportLibrary library;
    LoadAndInit(library, kCaller);

    Benchmark benchmark(options, library, boxes);
    // The first job starts the launcher; that is not part of any figure.
    {
        PageSource warmUp(1024);
        benchmark.LibraryJob(warmUp, 2, false);
    }

    struct Size {
        const char* name;
        size_t bytes;
        int pages;
    };
    const Size sizes[] = {{"50 KB", 50 * 1024, options.smallPages},
                          {"20 MB", 20 * 1024 * 1024, options.largePages}};
    std::vector<Row> rows;
    for (const Size& size : sizes) {
        PageSource source(size.bytes);
        std::vector<double> bare;
        std::vector<JobTimes> jobs[2];
        for (int run = 1; run <= options.runs; ++run) {
            std::printf("%s pages, run %d of %d: bare work, method 1, method 30\n", size.name, run,
                        options.runs);
            bare.push_back(benchmark.BareWork(source, size.pages));
            jobs[0].push_back(benchmark.LibraryJob(source, size.pages, false));
            jobs[1].push_back(benchmark.LibraryJob(source, size.pages, true));
        }
        rows.push_back(Summarise(size.name, size.pages, bare, jobs));
    }
    PrintTables(rows, options.runs);
    return 0;
}

bool ReadOptions(int argc, char** argv, Options& options)
{
    return ReadNamedOptions(argc, argv,
                            {{"--settings", PathOption(options.settingsFile)},
                             {"--data-folder", PathOption(options.dataFolder)},
                             {"--small-pages", CountOption(1, 999, options.smallPages)},
                             {"--large-pages", CountOption(1, 999, options.largePages)},
                             {"--runs", CountOption(1, 99, options.runs)}}) &&
           !options.settingsFile.empty() && !options.dataFolder.empty();
}

}  // namespace

int main(int argc, char** argv)
{
    return RunTool("BENCHMARK FAILED", "unexpected error", 1, [&] {
        Options options;
        if (!ReadOptions(argc, argv, options)) {
            std::fprintf(stderr, "usage: benchmark --settings FILE --data-folder DIR "
                                 "[--small-pages N] [--large-pages N] [--runs N]\n"
                                 "       (pages at most 999, the library's page limit per job)\n");
            return 2;
        }
        return Run(options);
    });
}
