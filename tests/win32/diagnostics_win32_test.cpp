// The debug log and error reporter on Windows: the real DLL's string table,
// real files and real message boxes, read and closed by a watcher.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "jobs/job_id_table.h"
#include "message_box_watcher.h"
#include "setup/clog_file.h"
#include "setup/diagnostics_platform.h"
#include "setup/diagnostics_win32.h"
#include "setup/error_reporter.h"
#include "setup/library_config.h"
#include "win32_shared/loaded_module_win32.h"

namespace {

const struct {
    unsigned id;
    const char* text;
} kMessageTable[] = {
    {1, " <<Error>> fail Creatproc(kestro.exe)"},
    {2, "<<Error>>copies limit overflow"},
    {3, "<<Error>>Job limit overflow"},
    {4, "<<Error>>cannot alloc memory"},
    {5, "<<SYSTEM Error>>>cannot read Print Setting"},
    {6, "<<Error>>Fail Logging"},
    {7, " <<Error>> fail Creatproc(kestro.exe) timeout"},
    {8, "<<Error>>cannot alloc memory at JobTable"},
    {9, "<<Error>>cannot alloc memory at NewTail"},
    {10, "<<Error>>cannot alloc memory at StartJob"},
    {11, "<<Error>>cannnot hold datafilename in memory"},
    {12, "<<Error>>cannot use shared file"},
    {13, "<<SYSTEM Error>>System Error"},
    {14, "<<Error>>cannot alloc memory at commandline"},
    {15, "<<SYSTEM Error>>Illegal ID"},
    {16, "<<SYSTEM Error>>Something wrong at JobTable"},
    {17, "<<SYSTEM Error>>Illegal Print Method"},
    {18, "<<Error>>pages limit overflow"},
    {19, "<<SYSTEM Error>>No data in DataTable"},
    {20, "<<SYSTEM Error>>Undefined ErrorNo."},
    {21, "<<Error>>CFG file is not found"},
    {22, "<<SYSTEM Error>>KESTRO was NOT created"},
    {23, "<<SYSTEM Error>>cannot make shared filename"},
    {24, "<<SYSTEM Error>>cannot read shared file"},
    {25, "<<Error>>cannot write shared file"},
    {26, "<<SYSTEM Error>>System Error at PrintOutHoldedData"},
    {27, "<<Error>>cannot delete data file"},
    {28, "<<SYSTEM Error>>System Error PostMessage [::PostMessage Failed]"},
    {29, "<<SYSTEM Error>>System Error PostMessage  [gFlag illegal]"},
    {30, "Create() Success"},
    {31, "<<Error>>DID NOT printout : No Printer available"},
    {32, "<<Error>>DID NOT printout : GlobalAlloc() failed"},
    {33, "<<Error>>DID NOT printout : OpenPrinter() failed"},
    {34, "<<Error>>DID NOT printout : PrintDlg() failed"},
    {35, "<<Error>>DID NOT printout : GetPrinter() failed"},
    {36, "<<Error>>DID NOT printout : Get PRINTER_INFO_2 failed(Gunlock()failed)"},
    {37, "<<Error>>DID NOT printout : Printer port was set to FILE:"},
    {39, "<<Error>>DID NOT printout : Printer was NOTAVAILABLE"},
};

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

// The number and text columns of the record that the header points at.
struct NewestLine {
    std::string number;
    std::string text;
};

NewestLine ReadNewestLine(const std::string& path)
{
    const std::string file = ReadFile(path);
    const size_t offset = std::strtoul(file.c_str(), nullptr, 10);
    EXPECT_GE(file.size(), offset + 300) << path;
    if (file.size() < offset + 300)
        return {};
    const std::string record = file.substr(offset, 300);
    EXPECT_EQ(record.substr(297), " \r\n");
    std::string text = record.substr(28, 269);
    text.erase(text.find_last_not_of(' ') + 1);
    return {record.substr(22, 5), text};
}

// Loads the real DLL (for its string table), points the debug log at a
// fresh folder and installs the Win32 platform.
class WindowsDiagnostics : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dll.Reset(LoadLibraryA("jobport.dll"));
        ASSERT_TRUE(m_dll) << GetLastError();
        InstallWin32Diagnostics();

        char temp[MAX_PATH];
        ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
        m_dir = std::string(temp) + "diagnostics_test\\";
        CreateDirectoryA(m_dir.c_str(), nullptr);
        m_logPath = m_dir + "KESTROd.LOG";
        DeleteFileA(m_logPath.c_str());
        gLog.SetLogDir(m_dir.c_str());
        gLog.SetLogFileName("KESTROd.LOG");
        gLog.MakeLogPath();

        gJobIdTable.ResetJobIds();
        lstrcpyA(gConfig.CannotPrintTitle, "Title of the boxes");
        lstrcpyA(gConfig.CannotPrintMsg, "General text");
        lstrcpyA(gConfig.CannotPrintMsg_1, "Port text");
        lstrcpyA(gConfig.CannotPrintMsg_2, "Not available text");
    }
    void TearDown() override
    {
        DeleteFileA(m_logPath.c_str());
        RemoveDirectoryA(m_dir.c_str());
        m_dll.Close();
    }

    // Reports an error and waits until its box, if any, has been seen.
    std::vector<SeenBox> Report(int32_t error, uint32_t job)
    {
        ReportError(error, job);  // returns once the watcher closed the box
        return m_watcher.Take();
    }

    LoadedModule m_dll;
    std::string m_dir;
    std::string m_logPath;
    MessageBoxWatcher m_watcher;
};

TEST_F(WindowsDiagnostics, StringTableOfTheDllHoldsEveryMessageExactly)
{
    for (const auto& entry : kMessageTable) {
        char text[276];
        uint32_t error = 0;
        ASSERT_TRUE(Diagnostics().LoadText(kLibraryModuleName, entry.id, text, sizeof text, &error))
            << "id " << entry.id << " error " << error;
        EXPECT_STREQ(text, entry.text) << "id " << entry.id;
    }
    char text[276];
    uint32_t error = 0;
    EXPECT_FALSE(Diagnostics().LoadText(kLibraryModuleName, 38, text, sizeof text, &error));
    EXPECT_EQ(error, kErrorResourceNameNotFound);
}

TEST_F(WindowsDiagnostics, WriteLogMessageWritesTheTableTextOrTheFallbackLine)
{
    ASSERT_TRUE(gLog.WriteLogMessage(1020, 29, kLibraryModuleName));
    NewestLine line = ReadNewestLine(m_logPath);
    EXPECT_EQ(line.number, " 1020");
    EXPECT_EQ(line.text, "<<SYSTEM Error>>System Error PostMessage  [gFlag illegal]");

    ASSERT_TRUE(gLog.WriteLogMessage(1020, 38, kLibraryModuleName));
    line = ReadNewestLine(m_logPath);
    EXPECT_EQ(line.number, "   38");
    EXPECT_EQ(line.text, "<SYSTEM ERROR> No string resource");

    // A module that is not loaded: the line carries the Windows error code.
    ASSERT_TRUE(gLog.WriteLogMessage(1020, 1, "notloaded.DLL"));
    line = ReadNewestLine(m_logPath);
    EXPECT_EQ(line.number, "  126");  // ERROR_MOD_NOT_FOUND
    EXPECT_EQ(line.text, "<SYSTEM ERROR> LoadString Error");

    EXPECT_EQ(ReadFile(m_logPath).size(), 4u * 300u);
}

TEST_F(WindowsDiagnostics, ErrorLineCarriesTheCapturedWindowsCode)
{
    SetLastError(ERROR_ACCESS_DENIED);
    const std::vector<SeenBox> boxes = Report(9, 3);
    EXPECT_TRUE(boxes.empty());
    const NewestLine line = ReadNewestLine(m_logPath);
    EXPECT_EQ(line.number, "    5");
    EXPECT_EQ(line.text, "<<SYSTEM Error>>System Error PostMessage [::PostMessage Failed]");
    EXPECT_EQ(gLog.LastErrorNumber(), 9);
}

TEST_F(WindowsDiagnostics, GeneralBoxIsShownOncePerJobAndClosesTheId)
{
    gJobIdTable.SetOpen(7, true);
    std::vector<SeenBox> boxes = Report(5, 7);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Title of the boxes");
    EXPECT_EQ(boxes[0].text, "General text");
    EXPECT_FALSE(gJobIdTable.IsOpen(7));
    EXPECT_EQ(ReadNewestLine(m_logPath).text, "<<SYSTEM Error>>Something wrong at JobTable");

    // A second error of the closed job writes its line but shows no box.
    boxes = Report(31, 7);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(ReadNewestLine(m_logPath).text, "<<Error>>cannot use shared file");

    // Errors without a job always show the general box.
    EXPECT_EQ(Report(20, 0).size(), 1u);
    EXPECT_EQ(Report(20, 0).size(), 1u);
}

TEST_F(WindowsDiagnostics, PortAndNotAvailableBoxesReplaceTheGeneralBox)
{
    gJobIdTable.SetOpen(4, true);
    std::vector<SeenBox> boxes = Report(70, 4);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Port text");
    EXPECT_EQ(boxes[0].caption, "Title of the boxes");
    EXPECT_FALSE(gJobIdTable.IsOpen(4));
    EXPECT_EQ(ReadNewestLine(m_logPath).text,
              "<<Error>>DID NOT printout : Printer port was set to FILE:");

    // Shown even for a job that is already closed.
    boxes = Report(71, 4);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Not available text");
}

TEST_F(WindowsDiagnostics, ErrorsThatDoNotStopTheJobShowNothingAndKeepItOpen)
{
    for (int32_t error : {9, 15, 37, 99}) {
        gJobIdTable.SetOpen(12, true);
        EXPECT_TRUE(Report(error, 12).empty()) << error;
        EXPECT_TRUE(gJobIdTable.IsOpen(12)) << error;
    }
}

TEST_F(WindowsDiagnostics, HandingOverFailuresWriteNoLineButStopTheJob)
{
    ASSERT_TRUE(gLog.WriteLog(0, "before"));
    for (int32_t error : {50, 51, 52}) {
        gJobIdTable.SetOpen(2, true);
        EXPECT_EQ(Report(error, 2).size(), 1u) << error;
        EXPECT_FALSE(gJobIdTable.IsOpen(2));
    }
    EXPECT_EQ(ReadNewestLine(m_logPath).text, "before");

    // Unknown numbers, 0 included, are logged as undefined and stop the job.
    gJobIdTable.SetOpen(2, true);
    EXPECT_EQ(Report(0, 2).size(), 1u);
    EXPECT_EQ(ReadNewestLine(m_logPath).text, "<<SYSTEM Error>>Undefined ErrorNo.");
}

}  // namespace
