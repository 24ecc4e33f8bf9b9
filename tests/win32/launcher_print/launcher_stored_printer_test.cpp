// The stored printer and device mode, which any user can write, as KESTRO.EXE
// trusts them: a name that is not one of the user's printers is never opened
// (the default printer prints), one that is, in any letter case, prints; a
// device-mode file is read only up to 64 KiB, and only a whole one that
// names the printer brings more than its public settings.
#include <windows.h>
#include <winspool.h>

#include <cstring>

#include "installation.h"
#include "print_fixture.h"
#include "win32_shared/spooler_handles_win32.h"

namespace {

class LauncherStoredPrinter : public LauncherPrintTest {
protected:
    static std::string DevModeFile() { return SettingsFolder() + "\\devmode4.bin"; }

    static void Store(const std::string& name)
    {
        const std::string ini = SettingsFolder() + "\\KESTROst.ini";
        WritePrivateProfileStringA("Printer Infomation", "SelectPrinterName", name.c_str(), ini.c_str());
        WritePrivateProfileStringA("Printer Infomation", "SelectPrinterNo", "4", ini.c_str());
    }

    // The second printer's device mode from its driver, with orientation.
    static std::string DevMode(short orientation)
    {
        PrinterHandle printer;
        char* name = const_cast<char*>(kSecondPrinter);
        if (!OpenPrinterA(name, printer.Receive(), nullptr))
            return std::string();
        std::string bytes(4096, '\0');
        DEVMODEA* mode = reinterpret_cast<DEVMODEA*>(&bytes[0]);
        const bool got =
            DocumentPropertiesA(nullptr, printer.Get(), name, nullptr, nullptr, 0) <= 4096 &&
            DocumentPropertiesA(nullptr, printer.Get(), name, mode, nullptr, DM_OUT_BUFFER) == IDOK;
        mode->dmOrientation = orientation;
        mode->dmFields |= DM_ORIENTATION;
        return got ? bytes.substr(0, size_t(mode->dmSize) + mode->dmDriverExtra) : std::string();
    }

    // Prints a bar two inches wide and tells on which printer and how: Wine's
    // driver prints landscape sheets turned, so there the bar stands upright.
    std::string PrintedOn(unsigned jobId)
    {
        WriteJobSettings(jobId, JobOptions());
        const std::string page = WritePage("bar" + std::to_string(jobId) + ".bmp", 200, 50, AllInk);
        if (!PrintGroup(jobId, 1, {page}) || Exists(Output()) == Exists(SecondOutput()))
            return "not printed once";
        const bool second = Exists(SecondOutput());
        const std::vector<RenderedPage> sheets = Printed(second ? SecondOutput() : Output());
        InchBox ink;
        if (sheets.size() != 1 || !sheets[0].InkBox(ink))
            return "not one sheet with ink";
        return std::string(second ? "second" : "default") +
               (ink.Height() > ink.Width() ? ", landscape" : ", portrait");
    }

    bool Logged(const std::string& text) const { return LogOfThisTest().find(text) != std::string::npos; }
};

TEST_F(LauncherStoredPrinter, OnlyTheUsersOwnPrintersAreOpenedAndOnlyTheirOwnDeviceModesUsedWhole)
{
    const std::string landscape = DevMode(DMORIENT_LANDSCAPE);
    ASSERT_GE(landscape.size(), 156u);
    ASSERT_TRUE(WriteWhole(DevModeFile(), landscape));

    // Wine opens a printer of this machine by its network name, which the
    // user's printer list does not hold: opening the stored name would
    // print on the second printer.
    char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = sizeof computer;
    ASSERT_TRUE(GetComputerNameA(computer, &length));
    const std::string networkName = std::string("\\\\") + computer + "\\" + kSecondPrinter;
    PrinterHandle opened;
    ASSERT_TRUE(OpenPrinterA(const_cast<char*>(networkName.c_str()), opened.Receive(), nullptr));
    opened.Close();
    unsigned jobId = 100;
    for (const std::string& stored : {networkName, std::string("\\\\kestro-no-such-host.invalid\\share")}) {
        Store(stored);
        EXPECT_EQ(PrintedOn(jobId++), "default, portrait") << stored;
        EXPECT_TRUE(Logged("\"" + stored + "\" is not one of this user's printers")) << stored;
    }
    EXPECT_FALSE(Logged("OpenPrinter")) << "no stored name reached OpenPrinter";

    // One of the user's printers, in any letter case. Too large to be read (a
    // sparse file of 1.5 GB): the printer's defaults. (This comes first: Wine's
    // driver keeps what a merge brought as its defaults for the process.)
    Store("kestro SECOND Printer");
    ASSERT_TRUE(WriteStretched(DevModeFile(), landscape, 1536LL << 20));
    EXPECT_EQ(PrintedOn(102), "second, portrait");
    EXPECT_TRUE(Logged("devmode4.bin is not used (it is larger than 64 KiB)"));
    // Its own whole device mode: all of it.
    ASSERT_TRUE(WriteWhole(DevModeFile(), landscape));
    EXPECT_EQ(PrintedOn(103), "second, landscape");
    EXPECT_FALSE(Logged("devmode4.bin: ")) << "nothing left out";
    // Another printer's (a portrait one here): its public settings only.
    std::string foreign = DevMode(DMORIENT_PORTRAIT);
    foreign.replace(0, 32, std::string(kDefaultPrinter).append(32 - strlen(kDefaultPrinter), '\0'));
    ASSERT_TRUE(WriteWhole(DevModeFile(), foreign));
    EXPECT_EQ(PrintedOn(104), "second, portrait");
    EXPECT_TRUE(Logged("devmode4.bin: it names another printer: only its public settings"));
    DeleteFileA(DevModeFile().c_str());
}

}  // namespace
