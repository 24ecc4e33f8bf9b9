// Shared set-up of the launcher's print tests. Once per program: two Wine
// printers on Wine's PostScript driver whose ports are files (the first is
// the default), a registry key naming the settings, log, data and
// installation folders, and a "KESTRO.cfg" that points at it. Per test: KESTRO.EXE started as the
// library starts it, from a folder with a blank in its name, and ended with
// LM_DELETE afterwards. Helpers write page files and hand-off files, post
// groups, wait (bounded) for the launcher to delete what it printed, and
// render what the printer received with Ghostscript.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <ios>
#include <string>
#include <vector>

#include "rendered_pages.h"
#include "test_pages.h"
#include "win32_shared/kernel_handles_win32.h"

const UINT kPrint = 1125;
const UINT kSuspend = 1126;
const UINT kDelete = 1128;

// The seven print settings and copies of a job's settings file.
struct JobOptions {
    int copies = 1;
    int position = 4;
    int sort = 0;
    int size = 1;
    int nup = 0;
    int frame = 0;
    int rotate = 0;
};

class LauncherPrintTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // The default printer's and the second printer's output files.
    static std::string Output();
    static std::string SecondOutput();
    static const char kDefaultPrinter[];
    static const char kSecondPrinter[];
    static std::string SettingsFolder();
    // The data folder the registry names (the launcher prints only from
    // there), and the folder that holds it, "KESTRO.cfg" and the others.
    static std::string DataFolder();
    static std::string RootFolder();
    // KESTRO.EXE's folder, and the "KESTRO.cfg" it is started with.
    static std::string InstallFolder();
    static std::string ConfigFile();

    static std::string HandoffPath(unsigned jobId, unsigned page);
    void WriteJobSettings(unsigned jobId, const JobOptions& options);
    // A page file in the data folder; 100 dpi unless said otherwise.
    std::string WritePage(const std::string& name, int width, int height, const InkPattern& ink,
                          int dpi = 100);
    std::string WritePageList(unsigned jobId, unsigned firstPage,
                              const std::vector<std::string>& pages);

    // Starts KESTRO.EXE as the library does and finds its window (SetUp
    // does; a test that ended the launcher starts the next one).
    void StartLauncher();
    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Posts LM_PRINT for a group whose files are written and waits until the
    // launcher has deleted its page list (printed). Deletes the output first.
    ::testing::AssertionResult PrintGroup(unsigned jobId, unsigned firstPage,
                                          const std::vector<std::string>& pages);
    static bool WaitUntilGone(const std::string& path);
    static bool Exists(const std::string& path);

    // What the launcher logged since this test began.
    std::string LogOfThisTest() const;

    // What a printer received, rendered at 50 dpi.
    std::vector<RenderedPage> Printed(const std::string& output = Output());
    // The printable area of the default printer, in inches from the paper's corner.
    static InchBox PrintableArea();

    DWORD m_processId = 0;
    KernelHandle m_process;
    HWND m_window = nullptr;

private:
    std::vector<std::string> m_written;
    std::streamoff m_logStart = 0;
};

// The bounding box `box` lies within `tolerance` inches of the expected edges.
::testing::AssertionResult BoxNear(const InchBox& box, double left, double top, double right,
                                   double bottom, double tolerance = 0.06);
