// The print guard between KESTRO.EXE and the settings program: with a
// "Tessary.cfg" beside KESTRO.EXE naming the event, the launcher reads the
// stored printer only while the guard is free, leaves it free after each
// read, and while the test holds the guard it waits up to the bound that
// "PrintGuardWaitMs" in "KESTRO.cfg" sets, then prints on the choice it read
// last or, before its first read, on the default printer.
#include <windows.h>

#include "print_fixture.h"
#include "win32_shared/kernel_handles_win32.h"

namespace {

const char kGuardName[] = "KestroPrintTestGuard";

class LauncherPrintGuard : public LauncherPrintTest {
protected:
    explicit LauncherPrintGuard(const char* waitMs) : m_waitMs(waitMs) {}

    void SetUp() override
    {
        // The test plays the settings program: its event exists and is free
        // before the launcher starts.
        m_guard.Reset(CreateEventA(nullptr, TRUE, TRUE, kGuardName));
        ASSERT_TRUE(m_guard) << GetLastError();
        ASSERT_TRUE(WritePrivateProfileStringA("Event Information", "EventName", kGuardName,
                                               TessaryCfg().c_str()));
        ASSERT_TRUE(WritePrivateProfileStringA("Spool Information", "PrintGuardWaitMs", m_waitMs,
                                               ConfigFile().c_str()));
        LauncherPrintTest::SetUp();
    }

    void TearDown() override
    {
        if (m_guard)
            SetEvent(m_guard.Get());  // a launcher still waiting ends at once
        LauncherPrintTest::TearDown();
        DeleteFileA(TessaryCfg().c_str());
        WritePrivateProfileStringA("Spool Information", "PrintGuardWaitMs", nullptr,
                                   ConfigFile().c_str());
    }

    static std::string TessaryCfg() { return InstallFolder() + "\\Tessary.cfg"; }

    static void StoreChoice(const char* printer)
    {
        const std::string ini = SettingsFolder() + "\\KESTROst.ini";
        WritePrivateProfileStringA("Printer Infomation", "SelectPrinterName", printer, ini.c_str());
        WritePrivateProfileStringA("Printer Infomation", "SelectPrinterNo", "1", ini.c_str());
    }

    bool GuardIsFree() const { return WaitForSingleObject(m_guard.Get(), 0) == WAIT_OBJECT_0; }

    bool Logged(const std::string& text) const
    {
        return LogOfThisTest().find(text) != std::string::npos;
    }

    // Prints a one-page group of job 90 and tells which printer took it.
    std::string PrintedOn(unsigned firstPage)
    {
        const std::string name = "guarded" + std::to_string(firstPage) + ".bmp";
        const std::string page = WritePage(name, 50, 50, AllInk);
        if (!PrintGroup(90, firstPage, {page}))
            return "nothing printed";
        if (Exists(Output()) == Exists(SecondOutput()))
            return "both or neither";
        return Exists(Output()) ? kDefaultPrinter : kSecondPrinter;
    }

    KernelHandle m_guard;

private:
    const char* m_waitMs;
};

class LauncherPrintShortGuardBound : public LauncherPrintGuard {
protected:
    LauncherPrintShortGuardBound() : LauncherPrintGuard("300") {}
};

class LauncherPrintLongGuardBound : public LauncherPrintGuard {
protected:
    LauncherPrintLongGuardBound() : LauncherPrintGuard("60000") {}
};

TEST_F(LauncherPrintShortGuardBound, BusyGuardGivesTheDefaultPrinterThenTheChoiceReadLast)
{
    WriteJobSettings(90, JobOptions());
    StoreChoice(kSecondPrinter);

    // Held by the settings program before the launcher ever read the store.
    ASSERT_TRUE(ResetEvent(m_guard.Get()));
    EXPECT_EQ(PrintedOn(1), kDefaultPrinter);
    EXPECT_TRUE(Logged("busy for 300 ms: no printer choice was read yet, the default printer"));
    EXPECT_FALSE(GuardIsFree()) << "the launcher sets free only a guard it holds";

    ASSERT_TRUE(SetEvent(m_guard.Get()));
    EXPECT_EQ(PrintedOn(2), kSecondPrinter);
    EXPECT_TRUE(GuardIsFree()) << "free again after the launcher's read";

    // Held while the settings program writes another choice: the launcher
    // keeps to the one it read, and takes the new one once the guard is free.
    ASSERT_TRUE(ResetEvent(m_guard.Get()));
    StoreChoice(kDefaultPrinter);
    EXPECT_EQ(PrintedOn(3), kSecondPrinter);
    EXPECT_TRUE(Logged(std::string("the printer choice read last is used (\"") + kSecondPrinter));
    ASSERT_TRUE(SetEvent(m_guard.Get()));
    EXPECT_EQ(PrintedOn(4), kDefaultPrinter);
    EXPECT_TRUE(GuardIsFree());
}

TEST_F(LauncherPrintLongGuardBound, AGuardFreedWithinTheBoundIsWaitedForAndTheStoredPrinterUsed)
{
    EXPECT_TRUE(Logged(std::string("print guard \"") + kGuardName + "\", waited for up to 60000"));
    WriteJobSettings(91, JobOptions());
    StoreChoice(kSecondPrinter);
    ASSERT_TRUE(ResetEvent(m_guard.Get()));
    const std::string list = WritePageList(91, 1, {WritePage("waited.bmp", 50, 50, AllInk)});
    Post(kPrint, 91, 1);

    const DWORD start = GetTickCount();
    while (!Logged("waiting up to 60000 ms") && GetTickCount() - start < 30000)
        Sleep(20);
    ASSERT_TRUE(Logged("waiting up to 60000 ms"));
    EXPECT_TRUE(Exists(list)) << "nothing is printed while the guard is held";

    ASSERT_TRUE(SetEvent(m_guard.Get()));
    ASSERT_TRUE(WaitUntilGone(list));
    EXPECT_TRUE(Exists(SecondOutput()) && !Exists(Output())) << "the stored printer";
    EXPECT_TRUE(GuardIsFree());
    EXPECT_FALSE(Logged("stayed busy"));
}

}  // namespace
