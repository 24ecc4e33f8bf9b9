// The whole system on one job: a user chooses a printer, the orientation and
// the layout options in the real Tessary.exe and presses OK; the host sends
// a page through the real jobport.dll; the real KESTRO.EXE prints it on
// Wine's PostScript driver. The job's settings hand-off file carries what
// was saved, and the printed sheet shows it: the chosen printer (not the
// default) with the chosen orientation, the page at full size in the
// chosen corner with its frame.
#include <windows.h>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "end_to_end_fixture.h"
#include "launcher_print/rendered_pages.h"
#include "launcher_print/test_pages.h"
#include "printer_setup.h"
#include "resources/dialog_ids.h"
#include "settings_program/remote_dialog.h"
#include "watched_program.h"

namespace {

const char kDefaultPrinter[] = "E2E default printer";
const char kChosenPrinter[] = "E2E chosen printer";
const char kLauncherWindowClass[] = "KestroLauncherWindow";
const double kRenderDpi = 50;

std::string ProgramFile(const char* name)
{
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string program(path, n < sizeof path ? n : 0);
    return program.substr(0, program.find_last_of('\\') + 1) + name;
}

bool Near(double a, double b) { return a - b < 0.06 && b - a < 0.06; }

std::string BoxText(const InchBox& box)
{
    return "(" + std::to_string(box.left) + ", " + std::to_string(box.top) + ")-(" +
           std::to_string(box.right) + ", " + std::to_string(box.bottom) + ")";
}

class SettingsToPaper : public EndToEndTest {
protected:
    void SetUp() override
    {
        EndToEndTest::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        // One installation: the real launcher beside the settings program,
        // whose "Tessary.cfg" names the print guard they share.
        ASSERT_TRUE(CopyFileA(ProgramFile("KESTRO.exe").c_str(),
                              (m_installDir + "\\KESTRO.EXE").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(ProgramFile("Tessary.exe").c_str(), TessaryPath().c_str(), FALSE));
        const std::string config = m_installDir + "\\Tessary.cfg";
        ASSERT_TRUE(CopyFileA(ProgramFile("Tessary.cfg").c_str(), config.c_str(), FALSE));
        const std::string guard = "E2EPrintGuard_" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(WritePrivateProfileStringA("Event Information", "EventName", guard.c_str(),
                                               config.c_str()));

        m_defaultOutput = m_root + "\\default printer.ps";
        m_chosenOutput = m_root + "\\chosen printer.ps";
        UseDefaultPrinterOnPort(kDefaultPrinter, UnixPath(m_defaultOutput).c_str());
        std::string error;
        ASSERT_TRUE(
            wine_printers::AddPrinterOnPort(kChosenPrinter, UnixPath(m_chosenOutput), error))
            << error;
    }

    void TearDown() override
    {
        m_tessary.reset();  // ends it if a test gave up on it
        if (HasFailure())
            std::cout << "Launcher log:\n" << ReadShared(m_logDir + "\\KESTROlauncher.log");
        EndToEndTest::TearDown();
    }

    std::string TessaryPath() const { return m_installDir + "\\Tessary.exe"; }

    // Starts Tessary.exe with its boxes watched and returns its dialog.
    HWND OpenSettings()
    {
        m_tessary = std::make_unique<WatchedProgram>(TessaryPath(), m_installDir);
        if (!m_tessary->Started())
            return nullptr;
        HWND dialog = nullptr;
        WaitUntil([&] {
            for (HWND window : VisibleDialogs(m_tessary->Id()))
                dialog = GetDlgItem(window, IDC_HORIZONTAL_LIST) ? window : dialog;
            return dialog != nullptr;
        });
        return dialog;
    }

    // The launcher the library started; 0 when none runs.
    static DWORD LauncherProcess()
    {
        DWORD process = 0;
        if (const HWND window = FindWindowA(kLauncherWindowClass, nullptr))
            GetWindowThreadProcessId(window, &process);
        return process;
    }

    std::string m_defaultOutput, m_chosenOutput;
    std::unique_ptr<WatchedProgram> m_tessary;
};

TEST_F(SettingsToPaper, OptionsSavedInTheDialogReachTheJobAndTheChosenPrinterPrintsThem)
{
    // Stored before: nothing the dialog is about to choose.
    PrintSettingsFile before;
    before.printPos = 0;
    before.printSize = 0;
    before.autoRotate = 0;
    before.autoPaperChange = 3;
    WriteSettings(before);

    const HWND dialog = OpenSettings();
    ASSERT_TRUE(dialog) << "no settings dialog appeared";
    ASSERT_TRUE(ChoosePrinterAndOrientation(dialog, kChosenPrinter, true))
        << "the dialog does not show the printer and orientation";
    const auto chooseItem = [dialog](int list, size_t item) {
        dialog::Choose(dialog, list, dialog::ComboItems(dialog, list).at(item));
    };
    chooseItem(IDC_HORIZONTAL_LIST, 2);  // right
    chooseItem(IDC_VERTICAL_LIST, 2);    // bottom
    chooseItem(IDC_PRINT_SIZE_LIST, 1);  // full size
    dialog::Click(dialog, IDC_ONE_JOB_N_PAGE);
    dialog::Click(dialog, IDC_SORT_PRINT);
    dialog::Click(dialog, IDC_FRAME_PRINTING);
    ASSERT_TRUE(WaitUntil([&] { return dialog::IsChecked(dialog, IDC_FRAME_PRINTING); }))
        << "the dialog does not show the choice";
    dialog::Click(dialog, IDOK);
    ASSERT_EQ(WaitForSingleObject(m_tessary->Process(), kProgramWaitMs), WAIT_OBJECT_0)
        << "OK did not end Tessary.exe";
    EXPECT_TRUE(m_tessary->TakeBoxes().empty());

    LoadAndInit();
    const int id = StartJob(1);
    ASSERT_EQ(id, 1);
    // Right/bottom, sorted, full size (which brings rotation), frame; the
    // keys the dialog leaves alone as they were.
    EXPECT_EQ(ReadShared(HandoffPath(id, 0)),
              "[Number of Copies]\r\nCopies=1\r\n[Print Setting]\r\nPrintPosSetting=8\r\n"
              "SortSetting=1\r\nPrintSizeSetting=1\r\nNupPrintSetting=0\r\n"
              "PageFramePrintSetting=1\r\nAutoRotatePrintSetting=1\r\nAutoPaperChange=3\r\n");

    // A blank page of two inches by one: only its frame prints.
    const std::string page = HostPath("scan 01.bmp");
    ASSERT_TRUE(WriteBmpPage(page, 200, 100, 100, NoInk));
    ASSERT_EQ(m_sendData(id, page.c_str()), 1);
    ASSERT_EQ(m_endJob(id), 1);
    const DWORD launcher = LauncherProcess();
    ASSERT_NE(launcher, 0u);
    EXPECT_TRUE(WaitUntil([&] { return !PathExists(HandoffPath(id, 1)); }))
        << "the launcher did not print the job";
    m_library.Close();  // the launcher is told to end
    ASSERT_TRUE(WaitForProcessEnd(launcher, kProgramWaitMs));
    EXPECT_TRUE(TakeBoxes().empty());

    EXPECT_FALSE(PathExists(m_defaultOutput)) << "the default printer printed";
    std::vector<RenderedPage> sheets;
    std::string error;
    ASSERT_TRUE(RenderPostScript(m_chosenOutput, kRenderDpi, sheets, error)) << error;
    ASSERT_EQ(sheets.size(), 1u);
    InchBox ink;
    ASSERT_TRUE(sheets[0].InkBox(ink)) << "no frame printed";
    // Wine's driver turns a landscape sheet a quarter turn onto the portrait
    // paper: the landscape sheet's bottom-right corner is the paper's
    // top-right, and the two-by-one page stands one inch wide, two high.
    const InchBox area = PrinterPrintableArea(kChosenPrinter);
    EXPECT_TRUE(Near(ink.right, area.right) && Near(ink.top, area.top) &&
                Near(ink.Width(), 1) && Near(ink.Height(), 2))
        << "frame at " << BoxText(ink) << ", printable area " << BoxText(area);
    EXPECT_FALSE(sheets[0].IsInk((ink.left + ink.right) / 2, (ink.top + ink.bottom) / 2))
        << "a frame, not a filled box";
}

}  // namespace
