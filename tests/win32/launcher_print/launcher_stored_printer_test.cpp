// The stored printer and device mode as KESTRO.EXE trusts them: the settings
// file and "devmode<N>.bin" lie where every user can write. A stored name
// that is not one of the user's printers is never opened (the group goes to
// the default printer), one that is, in any letter case, is printed on; a
// device-mode file is read only up to 64 KiB, and only a whole one that
// names the printer brings its private part.
#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <fstream>
#include <vector>

#include "print_fixture.h"

namespace {

class LauncherStoredPrinter : public LauncherPrintTest {
protected:
    static std::string Ini() { return SettingsFolder() + "\\KESTROst.ini"; }
    static std::string DevModeFile() { return SettingsFolder() + "\\devmode4.bin"; }

    static void Store(const std::string& name)
    {
        WritePrivateProfileStringA("Printer Infomation", "SelectPrinterName", name.c_str(),
                                   Ini().c_str());
        WritePrivateProfileStringA("Printer Infomation", "SelectPrinterNo", "4", Ini().c_str());
    }

    // The second printer's device mode from its driver, turned landscape.
    static std::vector<char> LandscapeDevMode()
    {
        HANDLE printer = nullptr;
        std::vector<char> devMode;
        if (!OpenPrinterA(const_cast<char*>(kSecondPrinter), &printer, nullptr))
            return devMode;
        const LONG size = DocumentPropertiesA(nullptr, printer, const_cast<char*>(kSecondPrinter),
                                              nullptr, nullptr, 0);
        devMode.assign(static_cast<size_t>(size > 0 ? size : 0), 0);
        DEVMODEA* mode = reinterpret_cast<DEVMODEA*>(devMode.data());
        if (devMode.empty() ||
            DocumentPropertiesA(nullptr, printer, const_cast<char*>(kSecondPrinter), mode, nullptr,
                                DM_OUT_BUFFER) != IDOK)
            devMode.clear();
        ClosePrinter(printer);
        if (!devMode.empty()) {
            mode->dmOrientation = DMORIENT_LANDSCAPE;
            mode->dmFields |= DM_ORIENTATION;
            devMode.resize(size_t(mode->dmSize) + mode->dmDriverExtra);
        }
        return devMode;
    }

    static void WriteDevMode(const std::vector<char>& bytes)
    {
        std::ofstream(DevModeFile(), std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    // Prints a group of one bar two inches wide and tells on which printer
    // and how: Wine's driver prints landscape sheets turned on portrait
    // paper, so on a landscape sheet the bar comes out upright.
    std::string PrintedOn(unsigned jobId)
    {
        WriteJobSettings(jobId, JobOptions());
        const std::string page = WritePage("bar" + std::to_string(jobId) + ".bmp", 200, 50, AllInk);
        if (!PrintGroup(jobId, 1, {page}))
            return "nothing printed";
        if (Exists(Output()) == Exists(SecondOutput()))
            return "both or neither";
        const bool second = Exists(SecondOutput());
        const std::vector<RenderedPage> sheets = Printed(second ? SecondOutput() : Output());
        InchBox ink;
        if (sheets.size() != 1 || !sheets[0].InkBox(ink))
            return "not one sheet with ink";
        return std::string(second ? "second" : "default") +
               (ink.Height() > ink.Width() ? ", landscape" : ", portrait");
    }

    bool Logged(const std::string& text) const
    {
        return LogOfThisTest().find(text) != std::string::npos;
    }
};

TEST_F(LauncherStoredPrinter, OnlyTheUsersOwnPrintersAreOpenedAndOnlyTheirOwnDeviceModesUsedWhole)
{
    const std::vector<char> landscape = LandscapeDevMode();
    ASSERT_GE(landscape.size(), 156u);
    WriteDevMode(landscape);

    // Wine opens a printer of this machine by its network name, which the
    // user's printer list does not hold: a launcher that opened the stored
    // name would print on the second printer.
    char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = sizeof computer;
    ASSERT_TRUE(GetComputerNameA(computer, &length));
    const std::string networkName = std::string("\\\\") + computer + "\\" + kSecondPrinter;
    HANDLE opened = nullptr;
    ASSERT_TRUE(OpenPrinterA(const_cast<char*>(networkName.c_str()), &opened, nullptr));
    ClosePrinter(opened);
    Store(networkName);
    EXPECT_EQ(PrintedOn(100), "default, portrait");
    EXPECT_TRUE(Logged("\"" + networkName + "\" is not one of this user's printers"));
    // A server that does not exist is not even tried.
    Store("\\\\kestro-no-such-host.invalid\\share");
    EXPECT_EQ(PrintedOn(101), "default, portrait");
    EXPECT_TRUE(Logged("\"\\\\kestro-no-such-host.invalid\\share\" is not one of this user's"));
    EXPECT_FALSE(Logged("OpenPrinter")) << "no stored name reached OpenPrinter";

    // One of the user's printers, in any letter case. A device mode damaged
    // beyond its public part, or too large to be read (a sparse file of
    // 1.5 GB, which is never read), leaves the printer's defaults. (These
    // come first: Wine's driver keeps what a merge brought as its defaults
    // for the rest of the process.)
    Store("kestro SECOND Printer");
    std::vector<char> outOfRange = landscape;
    outOfRange[36] = 0;
    outOfRange[37] = 8;  // dmSize 2048
    WriteDevMode(outOfRange);
    EXPECT_EQ(PrintedOn(102), "second, portrait");
    EXPECT_TRUE(Logged("devmode4.bin is not used (its public size (dmSize) is out of range)"));
    {
        const HANDLE file = CreateFileA(DevModeFile().c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        LARGE_INTEGER end;
        end.QuadPart = 1536LL << 20;
        const bool large = WriteFile(file, landscape.data(), static_cast<DWORD>(landscape.size()),
                                     &written, nullptr) &&
                           SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
        CloseHandle(file);
        ASSERT_TRUE(large);
    }
    EXPECT_EQ(PrintedOn(103), "second, portrait");
    EXPECT_TRUE(Logged("devmode4.bin is not used (it is larger than 64 KiB)"));

    // Its own whole device mode: all of it.
    WriteDevMode(landscape);
    EXPECT_EQ(PrintedOn(104), "second, landscape");
    EXPECT_FALSE(Logged("devmode4.bin: ")) << "nothing left out";

    // Another printer's device mode (here a portrait one), or one whose
    // private part is cut: its public settings only.
    std::vector<char> foreign = landscape;
    reinterpret_cast<DEVMODEA*>(foreign.data())->dmOrientation = DMORIENT_PORTRAIT;
    std::fill(foreign.begin(), foreign.begin() + 32, '\0');
    std::copy(kDefaultPrinter, kDefaultPrinter + strlen(kDefaultPrinter), foreign.begin());
    WriteDevMode(foreign);
    EXPECT_EQ(PrintedOn(105), "second, portrait");
    EXPECT_TRUE(Logged("devmode4.bin: it names another printer: only its public settings"));
    if (reinterpret_cast<const DEVMODEA*>(landscape.data())->dmDriverExtra > 0) {
        WriteDevMode(std::vector<char>(landscape.begin(), landscape.end() - 1));
        EXPECT_EQ(PrintedOn(106), "second, landscape");
        EXPECT_TRUE(Logged("devmode4.bin: it ends inside its private part: only its public"));
    }
    DeleteFileA(DevModeFile().c_str());
}

}  // namespace
