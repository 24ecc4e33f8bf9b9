// wine_printers.exe run as a child process, and a page printed through a
// printer it added. The prefix's printers are put back after each test.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installation.h"
#include "printer_setup.h"
#include "printer_state.h"
#include "started_process.h"
#include "win32_shared/gdi_handles_win32.h"
#include "win32_shared/kernel_handles_win32.h"

namespace {

const char kPrinter[] = "JP tool test printer";

struct ToolRun {
    DWORD exitCode;
    std::string output;
};

std::string ToolPath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + "wine_printers.exe";
}

// Runs the tool with `arguments` and collects what it writes to stdout.
ToolRun RunTool(const std::string& arguments)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    KernelHandle readEnd;
    KernelHandle writeEnd;
    if (!CreatePipe(readEnd.Receive(), writeEnd.Receive(), &inherit, 0))
        return {~0u, "CreatePipe failed"};
    SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd.Get();
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    const StartedProcess started =
        StartProcess(nullptr, "\"" + ToolPath() + "\" " + arguments, 0, nullptr, &startup);
    if (!started)
        return {~0u, "CreateProcess failed"};
    writeEnd.Reset();  // the pipe ends when the child's copy closes

    ToolRun run = {~0u, std::string()};
    char buffer[512];
    DWORD got = 0;
    while (ReadFile(readEnd.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
        for (DWORD i = 0; i < got; ++i) {
            if (buffer[i] != '\r')  // text-mode stdout ends lines with CR LF
                run.output += buffer[i];
        }
    }
    run.exitCode = ExitCodeWithin(started, 60000);
    return run;
}

std::string ReadWholeFile(const std::string& path)
{
    const KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    if (!file)
        return std::string();
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    return text;
}

class WinePrintersTool : public ::testing::Test {
protected:
    wine_printers::ScopedPrinterState m_restore;
};

TEST_F(WinePrintersTool, AddListDefaultRemoveAndClear)
{
    const std::string quoted = std::string("\"") + kPrinter + "\"";
    ASSERT_EQ(RunTool("add " + quoted + " /tmp/jp-tool-a.ps --default").exitCode, 0u);
    ASSERT_EQ(RunTool("add \"JP tool second\" FILE:").exitCode, 0u);

    ToolRun list = RunTool("list");
    ASSERT_EQ(list.exitCode, 0u);
    EXPECT_NE(list.output.find(std::string(kPrinter) +
                               "\t/tmp/jp-tool-a.ps\tWine PostScript Driver\t(default)\n"),
              std::string::npos)
        << list.output;
    EXPECT_NE(list.output.find("JP tool second\tFILE:\tWine PostScript Driver\n"),
              std::string::npos)
        << list.output;

    // Adding again replaces the printer's port.
    ASSERT_EQ(RunTool("add " + quoted + " /tmp/jp-tool-b.ps").exitCode, 0u);
    std::vector<wine_printers::PrinterEntry> printers;
    std::string error;
    ASSERT_TRUE(wine_printers::ListPrinters(printers, error)) << error;
    bool found = false;
    for (const auto& printer : printers) {
        if (printer.name == kPrinter) {
            found = true;
            EXPECT_EQ(printer.port, "/tmp/jp-tool-b.ps");
        }
    }
    EXPECT_TRUE(found);

    EXPECT_EQ(RunTool("default \"JP tool second\"").exitCode, 0u);
    EXPECT_EQ(wine_printers::DefaultPrinterName(), "JP tool second");
    EXPECT_EQ(RunTool("default \"JP no such printer\"").exitCode, 1u);

    EXPECT_EQ(RunTool("remove \"JP tool second\"").exitCode, 0u);
    EXPECT_EQ(RunTool("remove \"JP tool second\"").exitCode, 0u);  // already gone
    EXPECT_EQ(RunTool("clear").exitCode, 0u);
    ASSERT_TRUE(wine_printers::ListPrinters(printers, error)) << error;
    EXPECT_TRUE(printers.empty());
    EXPECT_EQ(wine_printers::DefaultPrinterName(), "");

    EXPECT_EQ(RunTool("").exitCode, 2u);
    EXPECT_EQ(RunTool("add only-a-name").exitCode, 2u);
}

TEST_F(WinePrintersTool, PrinterOnAUnixPathWritesEachJobThereAsPostScript)
{
    char temp[MAX_PATH] = {};
    ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
    const std::string output = std::string(temp) + "jp-tool-test-page.ps";
    DeleteFileA(output.c_str());
    const std::string port = UnixPath(output);
    ASSERT_FALSE(port.empty());

    std::string error;
    ASSERT_TRUE(wine_printers::AddPrinterOnPort(kPrinter, port, error)) << error;
    {
        const CreatedDc dc(CreateDCA(nullptr, kPrinter, nullptr, nullptr));
        ASSERT_NE(dc.Get(), nullptr) << "the driver found no PPD";
        DOCINFOA document = {};
        document.cbSize = sizeof document;
        document.lpszDocName = "test page";
        EXPECT_GT(StartDocA(dc.Get(), &document), 0);
        EXPECT_GT(StartPage(dc.Get()), 0);
        EXPECT_TRUE(TextOutA(dc.Get(), 100, 100, "page", 4));
        EXPECT_GT(EndPage(dc.Get()), 0);
        EXPECT_GT(EndDoc(dc.Get()), 0);
    }

    const std::string printed = ReadWholeFile(output);
    EXPECT_EQ(printed.compare(0, 4, "%!PS"), 0) << printed.substr(0, 40);
    EXPECT_NE(printed.find("%%Page: 1"), std::string::npos);
    DeleteFileA(output.c_str());
}

}  // namespace
