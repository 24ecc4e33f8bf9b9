// print_benchmark.exe: how fast the real launcher prints scanned pages,
// beside the bare work of printing them (bare_print.exe), measured in the
// same run on the same printer.
//
//   print_benchmark --settings FILE --log-folder DIR --printer NAME
//                   --colour PAGE --black-white PAGE [--runs N] [--job-pages N]
//
// It runs like a host in an installation's host folder ("KESTRO.cfg" there)
// with the real KESTRO.EXE installed, which prints on the default printer
// NAME. FILE is the print settings file, which it changes between jobs;
// DIR holds the library's debug log and the launcher's log. For each kind
// of job (one colour page, one black-and-white page, two colour pages on
// one sheet, a job of colour pages each printed as it arrives) it times:
//   pages a second  from the library's first LM_PRINT post (debug log) to
//                   the launcher's last EndDoc returning (launcher log)
//   first page out  from the first LM_PRINT post to the EndDoc of the
//                   document holding page 1
//   peak memory     the launcher's private memory, in a run of its own so
//                   that sampling it does not slow the timed runs
// and the same for bare_print.exe printing the same pages: from StartDoc to
// EndDoc returning, a document per sheet the launcher prints. Each figure is
// the median of the runs.
#include <windows.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "bench_host.h"
#include "bench_options.h"
#include "full_path_win32.h"
#include "log_moments.h"
#include "process_memory.h"
#include "shared_formats/installation_files.h"
#include "started_program_win32.h"
#include "tool_main.h"
#include "win32_shared/com_ref_win32.h"
#include "win32_shared/kernel_handles_win32.h"

namespace {

const char kCaller[] = "Print benchmark";
const char kScanFolder[] = "print_bench_scan";
const char kLauncherWindowClass[] = "KestroLauncherWindow";
const DWORD kJobTimeoutMs = 600000;

struct Options {
    std::string settingsFile;
    std::string logFolder;
    std::string printer;
    std::string colourPage;
    std::string blackWhitePage;
    int runs = 5;
    int jobPages = 20;
};

double Megabytes(uint64_t bytes) { return bytes / (1024.0 * 1024.0); }

// The bytes of a page decoded as the launcher holds it: one bit a pixel when
// the file stores it so, else 24 bits; rows padded to four bytes.
uint64_t DecodedPageBytes(const std::string& path)
{
    ComRef<IWICImagingFactory> factory;
    ComRef<IWICBitmapDecoder> decoder;
    ComRef<IWICBitmapFrameDecode> frame;
    UINT width = 0, height = 0;
    WICPixelFormatGUID format = {};
    std::wstring wide(path.begin(), path.end());
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Out()))) &&
        SUCCEEDED(factory->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, decoder.Out())) &&
        SUCCEEDED(decoder->GetFrame(0, frame.Out())) && SUCCEEDED(frame->GetSize(&width, &height)))
        frame->GetPixelFormat(&format);
    const bool oneBit = IsEqualGUID(format, GUID_WICPixelFormatBlackWhite) ||
                        IsEqualGUID(format, GUID_WICPixelFormat1bppIndexed);
    const uint64_t rowBytes = oneBit ? (width + 31) / 32 * 4 : (width * 3 + 3) & ~3u;
    return rowBytes * height;
}

// One kind of job and what its figures came to.
struct Kind {
    Kind(std::string kindName, std::vector<std::string> jobPages, int nupSetting,
         std::vector<std::string> barePages, int documents)
        : name(std::move(kindName)),
          pages(std::move(jobPages)),
          nup(nupSetting),
          sheet(std::move(barePages)),
          bareDocuments(documents)
    {
    }

    std::string name;
    std::vector<std::string> pages;  // the job's pages, in order
    int nup;                          // "NupPrintSetting"
    std::vector<std::string> sheet;   // the pages of one bare document
    int bareDocuments;                // bare documents a run

    std::vector<double> perSecond[2];  // launcher, bare
    std::vector<double> firstOutMs[2];
    uint64_t peak[2] = {};
    uint64_t launcherIdle = 0;
    // Where the launcher's time goes, a document: read, printer, decode,
    // resample, drawing, EndDoc, the rest.
    std::vector<double> parts[7];
};

class PrintBenchmark {
public:
    PrintBenchmark(const Options& options, JobportLibrary& library, WarningBoxAnswerer& boxes)
        : m_options(options),
          m_library(library),
          m_boxes(boxes),
          m_debugLog(options.logFolder + "\\" + kDebugLogFileName),
          m_launcherLog(options.logFolder + "\\" + kLauncherLogFileName)
    {
        CreateDirectoryA(kScanFolder, nullptr);
    }

    // The first job starts the launcher; it is not part of any figure.
    void WarmUp()
    {
        Kind warm("warm-up", {m_options.colourPage}, 0, {}, 0);
        LauncherRun(warm, false);
        DWORD processId = 0;
        const HWND window = FindWindowA(kLauncherWindowClass, nullptr);
        if (window)
            GetWindowThreadProcessId(window, &processId);
        const DWORD access = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE;
        m_launcher.Reset(processId ? OpenProcess(access, FALSE, processId) : nullptr);
        if (!m_launcher)
            throw Failure("the launcher's process cannot be found (is KESTRO.EXE the real launcher?)");
    }

    // One job through the library and the launcher; with `sampled`, the
    // launcher's memory is sampled and nothing is timed.
    void LauncherRun(Kind& kind, bool sampled)
    {
        ChoosePrintMethod(m_options.settingsFile, false, kind.nup);
        std::vector<std::string> pages;
        for (const std::string& page : kind.pages)
            pages.push_back(CopyToScanFolder(page));
        const uint64_t logStart = FileSize(m_launcherLog);
        std::unique_ptr<PeakMemorySampler> sampler;
        if (sampled) {
            kind.launcherIdle = PrivateBytesOf(m_launcher.Get());
            sampler.reset(new PeakMemorySampler(m_launcher.Get()));
        }

        int id = 0;
        CheckCall(m_boxes, "JP_StartJob", m_library.JP_StartJob(&id, 1));
        for (const std::string& page : pages)
            CheckCall(m_boxes, "JP_SendData", m_library.JP_SendData(id, page.c_str()));
        CheckCall(m_boxes, "JP_EndJob", m_library.JP_EndJob(id));
        const std::string log = WaitUntilJobEnded(id, logStart);
        if (sampler) {
            kind.peak[0] = (std::max)(kind.peak[0], sampler->Stop());
            return;
        }
        if (!kind.bareDocuments)
            return;
        Measure(kind, id, log);
    }

    // bare_print.exe printing the kind's sheets `runs` times, timed, then
    // once more while its memory is sampled (under Wine each sample stops
    // the process for a moment).
    void BareRuns(Kind& kind, int runs)
    {
        BarePrint(kind, runs, false);
        BarePrint(kind, 1, true);
    }

private:
    void BarePrint(Kind& kind, int runs, bool sampled)
    {
        const int documents = kind.bareDocuments * runs;
        const std::string output = FullPath("bare_print_output.txt");
        std::string commandLine = "bare_print.exe \"" + m_options.printer + "\" " +
                                  std::to_string(documents);
        for (const std::string& page : kind.sheet)
            commandLine += " \"" + page + "\"";
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        const KernelHandle out(CreateFileA(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        STARTUPINFOA startup = {};
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = out.Get();
        startup.hStdError = out.Get();
        const KernelHandle process = out ? StartProgram(nullptr, commandLine, startup, true) : KernelHandle();
        if (!process)
            throw Failure("cannot start " + commandLine);
        std::unique_ptr<PeakMemorySampler> sampler;
        if (sampled)
            sampler.reset(new PeakMemorySampler(process.Get()));
        if (WaitForSingleObject(process.Get(), kJobTimeoutMs) != WAIT_OBJECT_0)
            throw Failure("bare_print.exe did not finish");
        if (sampler)
            kind.peak[1] = sampler->Stop();
        DWORD code = 1;
        GetExitCodeProcess(process.Get(), &code);
        std::ifstream lines(output.c_str());
        std::vector<double> times;
        std::string line;
        while (std::getline(lines, line)) {
            double ms = 0;
            int number = 0;
            if (std::sscanf(line.c_str(), "document %d: %lf ms", &number, &ms) == 2)
                times.push_back(ms);
            else if (code != 0)
                throw Failure("bare_print.exe: " + line);
        }
        if (code != 0 || times.size() != static_cast<size_t>(documents))
            throw Failure("bare_print.exe printed " + std::to_string(times.size()) + " of " +
                          std::to_string(documents) + " documents");
        if (sampled)
            return;
        const int pagesPerDocument = static_cast<int>(kind.pages.size()) / kind.bareDocuments;
        for (int run = 0; run < runs; ++run) {
            double total = 0;
            for (int d = 0; d < kind.bareDocuments; ++d)
                total += times[run * kind.bareDocuments + d];
            kind.perSecond[1].push_back(pagesPerDocument * kind.bareDocuments * 1000.0 / total);
            kind.firstOutMs[1].push_back(times[run * kind.bareDocuments]);
        }
    }

    std::string CopyToScanFolder(const std::string& page)
    {
        const size_t dot = page.rfind('.');
        char name[64];
        std::snprintf(name, sizeof name, "%s\\page%06d", kScanFolder, ++m_copied);
        const std::string path = FullPath(name + page.substr(dot == std::string::npos ? page.size() : dot));
        if (!CopyFileA(page.c_str(), path.c_str(), FALSE))
            throw Failure("cannot copy " + page + " to " + path);
        return path;
    }

    // The launcher log from logStart on, once it says that job `id` ended
    // (after LM_SUSPEND, when all of it was printed).
    std::string WaitUntilJobEnded(int id, uint64_t logStart)
    {
        const std::string ended = "job " + std::to_string(id) + " ended";
        const DWORD start = GetTickCount();
        for (;;) {
            const std::string log = ReadFrom(m_launcherLog, logStart);
            if (log.find(ended) != std::string::npos) {
                if (log.find("not printed") != std::string::npos)
                    throw Failure("the launcher did not print job " + std::to_string(id) +
                                  " (see " + m_launcherLog + ")");
                return log;
            }
            if (GetTickCount() - start > kJobTimeoutMs)
                throw Failure("the launcher did not print job " + std::to_string(id) + " within " +
                              std::to_string(kJobTimeoutMs / 1000) + " s");
            Sleep(20);
        }
    }

    void Measure(Kind& kind, int id, const std::string& log)
    {
        const std::map<std::pair<int, int>, LogMoment> posts = PrintPosts(m_debugLog);
        LogMoment firstPost = 0;
        for (const auto& post : posts)
            if (post.first.first == id && (firstPost == 0 || post.second < firstPost))
                firstPost = post.second;
        LogMoment firstOut = 0, lastOut = 0;
        double parts[6] = {};
        int documents = 0;
        for (const EndDocLine& line : EndDocLines(log)) {
            if (line.job != id)
                continue;
            ++documents;
            if (std::find(line.groups.begin(), line.groups.end(), 1) != line.groups.end())
                firstOut = line.at;
            lastOut = (std::max)(lastOut, line.at);
            const double part[6] = {line.readMs,     line.printerMs, line.decodeMs,
                                    line.resampleMs, line.drawingMs, line.endDocMs};
            for (int p = 0; p < 6; ++p)
                parts[p] += part[p];
        }
        if (firstPost == 0 || firstOut == 0 || lastOut <= firstPost)
            throw Failure("job " + std::to_string(id) + ": no LM_PRINT post in the debug log or no "
                          "EndDoc line in the launcher log");
        const double total = static_cast<double>(lastOut - firstPost);
        kind.perSecond[0].push_back(kind.pages.size() * 1000.0 / total);
        kind.firstOutMs[0].push_back(static_cast<double>(firstOut - firstPost));
        double known = 0;
        for (int p = 0; p < 6; ++p) {
            kind.parts[p].push_back(parts[p] / documents);
            known += parts[p];
        }
        kind.parts[6].push_back((total - known) / documents);
    }

    const Options& m_options;
    JobportLibrary& m_library;
    WarningBoxAnswerer& m_boxes;
    std::string m_debugLog;
    std::string m_launcherLog;
    KernelHandle m_launcher;
    int m_copied = 0;
};

void PrintTables(const std::vector<Kind>& kinds, const Options& options, uint64_t colourPage,
                 uint64_t blackWhitePage)
{
    std::printf("\nKESTRO.EXE beside the bare work, printing on \"%s\"; medians of %d runs\n\n",
                options.printer.c_str(), options.runs);
    std::printf("%-34s %5s | %8s %6s %5s | %8s %6s | %8s %6s\n", "", "", "pages a second", "", "",
                "first page out, ms", "", "peak private MB", "");
    std::printf("%-34s %5s | %8s %6s %5s | %8s %6s | %8s %6s\n", "job", "pages", "launcher",
                "bare", "ratio", "launcher", "bare", "launcher", "bare");
    for (const Kind& kind : kinds) {
        const double launcher = Median(kind.perSecond[0]);
        const double bare = Median(kind.perSecond[1]);
        std::printf("%-34s %5zu | %8.2f %6.2f %4.2fx | %8.0f %6.0f | %8.1f %6.1f\n", kind.name.c_str(),
                    kind.pages.size(), launcher, bare, launcher > 0 ? bare / launcher : 0,
                    Median(kind.firstOutMs[0]), Median(kind.firstOutMs[1]), Megabytes(kind.peak[0]),
                    Megabytes(kind.peak[1]));
    }
    std::printf("\nratio: the bare work's pages a second over the launcher's. One page decoded as\n"
                "the launcher holds it: %.1f MB colour (24 bits a pixel), %.2f MB black and white\n"
                "(one bit). The launcher's private memory between jobs: %.1f MB.\n",
                Megabytes(colourPage), Megabytes(blackWhitePage), Megabytes(kinds[0].launcherIdle));

    std::printf("\nWhere the launcher's time goes, ms a document (medians)\n\n");
    std::printf("%-34s %6s %7s %6s %8s %7s %6s %6s\n", "job", "read", "printer", "decode",
                "resample", "drawing", "EndDoc", "rest");
    for (const Kind& kind : kinds)
        std::printf("%-34s %6.0f %7.0f %6.0f %8.0f %7.0f %6.0f %6.0f\n", kind.name.c_str(),
                    Median(kind.parts[0]), Median(kind.parts[1]), Median(kind.parts[2]),
                    Median(kind.parts[3]), Median(kind.parts[4]), Median(kind.parts[5]),
                    Median(kind.parts[6]));
    std::printf("\nread: the page list, the job's settings, opening and probing the page files;\n"
                "printer: choosing it, its device context and StartDoc; decode: the pages into\n"
                "memory; resample: smooth enlarging; drawing: the images handed to the driver\n"
                "(GDI); EndDoc: the spooler taking the document; rest: the library's post\n"
                "reaching the launcher and, in a job of many documents, a document waiting for\n"
                "the one before.\n");
}

int Run(const Options& options)
{
    WarningBoxAnswerer boxes;
    if (!boxes.Hooked())
        throw Failure("cannot watch for warning boxes");
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        throw Failure("COM cannot be initialised");
    JobportLibrary library;
    LoadAndInit(library, kCaller);

    const std::string colour = options.colourPage;
    const std::string blackWhite = options.blackWhitePage;
    std::vector<Kind> kinds = {
        Kind("300-dpi colour A4 JPEG", {colour}, 0, {colour}, 1),
        Kind("600-dpi black-and-white A4 TIFF G4", {blackWhite}, 0, {blackWhite}, 1),
        Kind("2 a sheet: two 300-dpi colour pages", {colour, colour}, 1, {colour, colour}, 1),
        Kind(std::to_string(options.jobPages) + "-page job of colour pages",
             std::vector<std::string>(options.jobPages, colour), 0, {colour}, options.jobPages),
    };

    PrintBenchmark benchmark(options, library, boxes);
    benchmark.WarmUp();
    for (Kind& kind : kinds) {
        for (int run = 1; run <= options.runs; ++run) {
            std::printf("%s, run %d of %d\n", kind.name.c_str(), run, options.runs);
            benchmark.LauncherRun(kind, false);
        }
        std::printf("%s: the launcher's memory\n", kind.name.c_str());
        benchmark.LauncherRun(kind, true);
        std::printf("%s: the bare work\n", kind.name.c_str());
        benchmark.BareRuns(kind, options.runs);
    }
    PrintTables(kinds, options, DecodedPageBytes(colour), DecodedPageBytes(blackWhite));
    return 0;
}

bool ReadOptions(int argc, char** argv, Options& options)
{
    return ReadNamedOptions(argc, argv,
                            {{"--settings", PathOption(options.settingsFile)},
                             {"--log-folder", PathOption(options.logFolder)},
                             {"--printer", TextOption(options.printer)},
                             {"--colour", PathOption(options.colourPage)},
                             {"--black-white", PathOption(options.blackWhitePage)},
                             {"--runs", CountOption(1, 99, options.runs)},
                             {"--job-pages", CountOption(1, 999, options.jobPages)}}) &&
           !options.settingsFile.empty() && !options.logFolder.empty() && !options.printer.empty() &&
           !options.colourPage.empty() && !options.blackWhitePage.empty();
}

}  // namespace

int main(int argc, char** argv)
{
    return RunTool("BENCHMARK FAILED", "unexpected error", 1, [&] {
        Options options;
        if (!ReadOptions(argc, argv, options)) {
            std::fprintf(stderr, "usage: print_benchmark --settings FILE --log-folder DIR --printer NAME\n"
                                 "       --colour PAGE --black-white PAGE [--runs N] [--job-pages N]\n");
            return 2;
        }
        return Run(options);
    });
}
