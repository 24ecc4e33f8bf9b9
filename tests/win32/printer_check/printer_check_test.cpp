// CheckPrinter against the default printer of the Wine prefix. Each test
// starts with no printer and puts the prefix's printers back afterwards.
//
// Wine's spooler reports a status of 0 at level 2 whatever is set, so the
// not-available refusal is tested with the core's scripted spooler only.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "jobport_readers/config_record.h"
#include "printer_state.h"
#include "setup/printer_check.h"
#include "setup/printer_check_win32.h"
#include "win32_shared/spooler_handles_win32.h"

namespace {

const uint32_t kBothChecks = kCheckPortIsFile | kCheckPrinterNotAvailable;
const char kFilePrinter[] = "JP check file printer";
const char kPostScriptPrinter[] = "JP check PostScript printer";
const char kLowerCasePrinter[] = "JP check lower-case port";

class PrinterCheckOnWine : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(wine_printers::RemoveAllPrinters(error)) << error;
    }

    void Add(const char* name, const char* port)
    {
        std::string error;
        ASSERT_TRUE(wine_printers::AddPrinterOnPort(name, port, error)) << error;
    }
    void MakeDefault(const char* name)
    {
        std::string error;
        ASSERT_TRUE(wine_printers::MakeDefaultPrinter(name, error)) << error;
        ASSERT_EQ(wine_printers::DefaultPrinterName(), name);
    }

    wine_printers::ScopedPrinterState m_restore;
};

TEST_F(PrinterCheckOnWine, WithoutPrinterEveryCheckFailsInThePrintDialogButFlagsZeroPass)
{
    for (uint32_t flags : {kCheckPortIsFile, kCheckPrinterNotAvailable, kBothChecks})
        EXPECT_EQ(CheckPrinter(flags), kErrorNoDefaultPrinter) << flags;
    EXPECT_EQ(CheckPrinter(0), 0);
}

TEST_F(PrinterCheckOnWine, FilePortIsRefusedOnlyWhenItsCheckIsOn)
{
    Add(kFilePrinter, "FILE:");
    MakeDefault(kFilePrinter);
    EXPECT_EQ(CheckPrinter(kBothChecks), kErrorPortIsFile);
    EXPECT_EQ(CheckPrinter(kCheckPortIsFile), kErrorPortIsFile);
    // Without value 2 the printer is opened and its data read.
    EXPECT_EQ(CheckPrinter(kCheckPrinterNotAvailable), 0);
    EXPECT_EQ(CheckPrinter(0), 0);
}

TEST_F(PrinterCheckOnWine, TheDefaultPrinterOfTheMomentIsExamined)
{
    Add(kFilePrinter, "FILE:");
    Add(kPostScriptPrinter, "/tmp/jobport-printer-check.ps");
    Add(kLowerCasePrinter, "file:");

    MakeDefault(kPostScriptPrinter);
    EXPECT_EQ(CheckPrinter(kBothChecks), 0);
    MakeDefault(kFilePrinter);
    EXPECT_EQ(CheckPrinter(kBothChecks), kErrorPortIsFile);
    MakeDefault(kLowerCasePrinter);
    EXPECT_EQ(CheckPrinter(kBothChecks), 0);
    MakeDefault(kPostScriptPrinter);
    EXPECT_EQ(CheckPrinter(kBothChecks), 0);
}

// Wine hands out the lowest free printer handle: a printer the check left
// open shows as a higher handle for the next printer opened.
HANDLE NextPrinterHandle(const char* printerName)
{
    PrinterHandle printer;
    PRINTER_DEFAULTSA defaults = {};
    OpenPrinterA(const_cast<char*>(printerName), printer.Receive(), &defaults);
    return printer.Get();  // its value only: closed on the way out
}

// Bytes in use in the process heap, where Wine keeps global memory blocks.
size_t ProcessHeapBytesInUse()
{
    HANDLE heap = GetProcessHeap();
    size_t inUse = 0;
    if (!HeapLock(heap))
        return 0;
    PROCESS_HEAP_ENTRY entry = {};
    while (HeapWalk(heap, &entry)) {
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
            inUse += entry.cbData;
    }
    HeapUnlock(heap);
    return inUse;
}

TEST_F(PrinterCheckOnWine, ChecksGiveBackEveryPrinterHandleAndBlock)
{
    Add(kPostScriptPrinter, "/tmp/jobport-printer-check.ps");
    Add(kFilePrinter, "FILE:");
    const int kRounds = 20;
    auto runChecks = [this] {
        for (int i = 0; i < kRounds; ++i) {
            MakeDefault(i % 2 ? kFilePrinter : kPostScriptPrinter);
            ASSERT_EQ(CheckPrinter(kBothChecks), i % 2 ? kErrorPortIsFile : 0);
        }
    };
    runChecks();  // loads the dialog and spooler modules and fills their caches

    const HANDLE printerBefore = NextPrinterHandle(kPostScriptPrinter);
    ASSERT_NE(printerBefore, nullptr);
    const size_t heapBefore = ProcessHeapBytesInUse();
    ASSERT_GT(heapBefore, 0u);
    runChecks();
    EXPECT_EQ(NextPrinterHandle(kPostScriptPrinter), printerBefore);
    // Each round's dialog blocks and printer data take far more than this.
    EXPECT_LT(ProcessHeapBytesInUse(), heapBefore + 512);
}

}  // namespace
