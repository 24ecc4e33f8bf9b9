// The printer store on Windows: real printers of the Wine prefix, a real
// data folder named by the registry, the real print settings file, real
// message boxes read by a watcher, and the print-setup dialog's record as
// the settings dialog holds it.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/app_exception.h"
#include "app/printer_store_win32.h"
#include "app/tessary_app_win32.h"
#include "framework/file_exception.h"
#include "framework/module_path_win32.h"
#include "framework/print_setup_dialog_win32.h"
#include "installation.h"
#include "message_box_watcher.h"
#include "printer_setup.h"
#include "printer_state.h"
#include "win32_shared/spooler_handles_win32.h"

namespace {

using Bytes = std::vector<uint8_t>;

const char kKeyPath[] = "SOFTWARE\\TessaryStoreTest\\Group\\Name";
const char kDataFolder[] = "C:\\tessary-store-data";
const char kTitle[] = "Print Settings";
const char kNoPrinterText[] = "No printer is installed.";
const char kDriverChangedText[] = "The printer driver has changed.";
const char kPrinterGoneText[] = "The printer chosen earlier no longer exists.";
const char kPrinterA[] = "Store printer A";
const char kPrinterB[] = "Store printer B";
const char kPrinterC[] = "Store printer C";
// Nothing is printed here: any port but "FILE:" will do.
const char kPort[] = "/dev/null";

CTessaryApp& App()
{
    return TessaryApp();
}

std::string ProgramFolder()
{
    const std::string path = ModuleFilePath(nullptr);
    return path.substr(0, path.rfind('\\') + 1);
}

Bytes ToBytes(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

Bytes FileBytes(const std::string& path)
{
    return ToBytes(ReadShared(path));
}

void WriteBytes(const std::string& path, const Bytes& bytes)
{
    WriteWhole(path, std::string(bytes.begin(), bytes.end()));
}

uint16_t WordAt(const Bytes& bytes, size_t at)
{
    return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

void PutWord(Bytes& bytes, size_t at, uint16_t value)
{
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

// dmSize + dmDriverExtra of a device mode held in bytes.
size_t DevModeLength(const Bytes& devMode)
{
    return size_t(WordAt(devMode, 36)) + WordAt(devMode, 38);
}

Bytes BlockBytes(HGLOBAL block)
{
    Bytes bytes;
    const void* data = block ? GlobalLock(block) : nullptr;
    if (data) {
        bytes.assign(static_cast<const uint8_t*>(data),
                     static_cast<const uint8_t*>(data) + GlobalSize(block));
        GlobalUnlock(block);
    }
    return bytes;
}

// The dialog's device mode: its dmSize + dmDriverExtra bytes.
Bytes DialogDevMode(const CPrintSetupDialog& dialog)
{
    Bytes bytes = BlockBytes(dialog.DevMode());
    if (bytes.size() >= 40 && DevModeLength(bytes) <= bytes.size())
        bytes.resize(DevModeLength(bytes));
    return bytes;
}

std::string DevNamesEntry(const Bytes& devNames, size_t offsetWord)
{
    return reinterpret_cast<const char*>(devNames.data()) + WordAt(devNames, offsetWord);
}

// The printer's own default device mode, as the spooler describes it.
Bytes PrinterDevMode(const std::string& name)
{
    PrinterHandle printer;
    if (!OpenPrinterA(const_cast<char*>(name.c_str()), printer.Receive(), nullptr))
        return Bytes();
    DWORD needed = 0;
    GetPrinterA(printer.Get(), 2, nullptr, 0, &needed);
    Bytes details(needed ? needed : 1);
    Bytes devMode;
    if (GetPrinterA(printer.Get(), 2, details.data(), needed, &needed)) {
        const PRINTER_INFO_2A* info = reinterpret_cast<const PRINTER_INFO_2A*>(details.data());
        const uint8_t* at = reinterpret_cast<const uint8_t*>(info->pDevMode);
        if (at)
            devMode.assign(at, at + info->pDevMode->dmSize + info->pDevMode->dmDriverExtra);
    }
    return devMode;
}

void SetOrientation(CPrintSetupDialog& dialog, short orientation)
{
    DEVMODEA* devMode = static_cast<DEVMODEA*>(GlobalLock(dialog.DevMode()));
    ASSERT_NE(devMode, nullptr);
    devMode->dmFields |= DM_ORIENTATION;
    devMode->dmOrientation = orientation;
    GlobalUnlock(dialog.DevMode());
}

// Real printers A and B on Wine's PostScript driver, A the default; a data
// folder named by the registry value the texts file points at.
class PrinterStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(CAppBase::Current(), nullptr) << "the test program has no application object";
        App().m_strSystemDir.clear();
        App().SetTitle(kTitle);
        m_data = std::make_unique<ScopedFolder>(kDataFolder);
        m_key = std::make_unique<ScopedRegistryKey>(kKeyPath);
        ASSERT_TRUE(m_data->Created() && m_key->Ready());
        ASSERT_TRUE(m_key->SetString("System Directory", kDataFolder));
        WriteWhole(ConfigPath(),
                   std::string("[Language]\r\n") + "DlgTitle=" + kTitle + "\r\n" +
                       "NoPrinterMsg=" + kNoPrinterText + "\r\n" +
                       "DifferentPrinterVersion=" + kDriverChangedText + "\r\n" +
                       "DeletePrinterMsg=" + kPrinterGoneText + "\r\n" +
                       "[Registry]\r\nManufacturer=TessaryStoreTest\r\nGroup=Group\r\n"
                       "Name=Name\r\nSystemDirectoryRegistryValueName=System Directory\r\n"
                       "ParameterSaveINIFileName=KESTROst.ini\r\n");
        std::string error;
        for (const char* name : {kPrinterA, kPrinterB})
            ASSERT_TRUE(wine_printers::AddPrinterOnPort(name, kPort, error)) << error;
        ASSERT_TRUE(wine_printers::MakeDefaultPrinter(kPrinterA, error)) << error;
    }

    void TearDown() override
    {
        // Drops the cached settings file before its folder goes.
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, SettingsPath().c_str());
        DeleteFileA(ConfigPath().c_str());
        App().m_strSystemDir.clear();
        App().SetTitle("");
    }

    static std::string ConfigPath() { return ProgramFolder() + "Tessary.cfg"; }
    static std::string DataPath(const std::string& name) { return std::string(kDataFolder) + "\\" + name; }
    static std::string SettingsPath() { return DataPath("KESTROst.ini"); }

    static std::string Setting(const std::string& key)
    {
        return App().GetSetting("Printer Infomation", key, "<absent>");
    }

    // The dialog record on printer name, as the print-setup dialog fills it.
    static void SelectPrinter(CPrintSetupDialog& dialog, const char* name)
    {
        std::string error;
        ASSERT_TRUE(wine_printers::MakeDefaultPrinter(name, error)) << error;
        dialog.ReplaceDevMode(nullptr);
        dialog.ReplaceDevNames(nullptr);
        ASSERT_TRUE(dialog.SelectDefaultPrinter());
        ASSERT_EQ(DevNamesEntry(BlockBytes(dialog.DevNames()), 2), name);
    }

    static void SavePrinter(const char* name, short orientation = DMORIENT_PORTRAIT)
    {
        CPrintSetupDialog dialog(0, nullptr);
        ASSERT_NO_FATAL_FAILURE(SelectPrinter(dialog, name));
        ASSERT_NO_FATAL_FAILURE(SetOrientation(dialog, orientation));
        SaveSelectedPrinter(dialog);
    }

    // Runs the start's step on a dialog on the default printer A; returns
    // the boxes it showed.
    static std::vector<SeenBox> Load(CPrintSetupDialog& dialog)
    {
        MessageBoxWatcher watcher;
        EXPECT_TRUE(dialog.SelectDefaultPrinter());
        LoadStoredPrinter(dialog);
        return watcher.Take();
    }

    wine_printers::ScopedPrinterState m_printers;  // put back after each case
    std::unique_ptr<ScopedFolder> m_data;
    std::unique_ptr<ScopedRegistryKey> m_key;
};

TEST_F(PrinterStoreTest, SavesGiveEachPrinterItsOwnSlot)
{
    // First save: slot 0, its two files and four keys, in this order.
    CPrintSetupDialog dialog(0, nullptr);
    ASSERT_NO_FATAL_FAILURE(SelectPrinter(dialog, kPrinterA));
    const Bytes chosenA = DialogDevMode(dialog);
    const Bytes namesA = BlockBytes(dialog.DevNames());
    SaveSelectedPrinter(dialog);

    const Bytes storedA = FileBytes(DataPath("devmode0.bin"));
    ASSERT_GE(storedA.size(), 40u);
    EXPECT_EQ(storedA.size(), DevModeLength(storedA));
    EXPECT_EQ(storedA, chosenA);

    // The device names byte for byte: offsets 8, 8 + driver + 2, device
    // offset + device + 2, flag 0; each name followed by two zeros.
    const std::string driver = DevNamesEntry(namesA, 0);
    const std::string port = DevNamesEntry(namesA, 4);
    EXPECT_EQ(port, kPort);
    Bytes expectedNames(8, 0);
    PutWord(expectedNames, 0, 8);
    PutWord(expectedNames, 2, static_cast<uint16_t>(8 + driver.size() + 2));
    PutWord(expectedNames, 4, static_cast<uint16_t>(8 + driver.size() + 2 + strlen(kPrinterA) + 2));
    for (const std::string& name : {driver, std::string(kPrinterA), port}) {
        expectedNames.insert(expectedNames.end(), name.begin(), name.end());
        expectedNames.insert(expectedNames.end(), 2, 0);
    }
    EXPECT_EQ(FileBytes(DataPath("devname0.bin")), expectedNames);
    EXPECT_EQ(expectedNames.size(), 14 + driver.size() + strlen(kPrinterA) + port.size());

    const std::string version = GetDriverVersion(kPrinterA);
    EXPECT_EQ(ReadShared(SettingsPath()),
              std::string("[Printer Infomation]\r\nSelectPrinterName=") + kPrinterA +
                  "\r\nSelectPrinterNo=0\r\ndevmode0=" + kPrinterA + "\r\nversion0=" + version +
                  "\r\n");

    // B gets the next slot; A keeps slot 0 and its files are replaced.
    ASSERT_NO_FATAL_FAILURE(SavePrinter(kPrinterB));
    EXPECT_EQ(Setting("SelectPrinterName"), kPrinterB);
    EXPECT_EQ(Setting("SelectPrinterNo"), "1");
    EXPECT_EQ(Setting("devmode1"), kPrinterB);
    EXPECT_EQ(Setting("version1"), GetDriverVersion(kPrinterB));
    const Bytes storedB = FileBytes(DataPath("devmode1.bin"));
    EXPECT_EQ(DevModeLength(storedB), storedB.size());
    EXPECT_EQ(DevNamesEntry(FileBytes(DataPath("devname1.bin")), 2), kPrinterB);

    ASSERT_NO_FATAL_FAILURE(SavePrinter(kPrinterA, DMORIENT_LANDSCAPE));
    EXPECT_EQ(Setting("SelectPrinterName"), kPrinterA);
    EXPECT_EQ(Setting("SelectPrinterNo"), "0");
    EXPECT_EQ(Setting("devmode0"), kPrinterA);
    EXPECT_EQ(Setting("devmode1"), kPrinterB);
    EXPECT_EQ(Setting("devmode2"), "<absent>");
    const Bytes againA = FileBytes(DataPath("devmode0.bin"));
    ASSERT_EQ(againA.size(), storedA.size());
    EXPECT_EQ(reinterpret_cast<const DEVMODEA*>(againA.data())->dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(FileBytes(DataPath("devmode1.bin")), storedB);
}

TEST_F(PrinterStoreTest, StartSelectsTheStoredPrinterWithItsStoredDeviceMode)
{
    ASSERT_NO_FATAL_FAILURE(SavePrinter(kPrinterB, DMORIENT_LANDSCAPE));
    Bytes stored = FileBytes(DataPath("devmode0.bin"));
    ASSERT_GE(stored.size(), 40u);
    // Bytes past the header's length are never handed on; a slot number
    // that is not a number reads slot 0.
    Bytes padded = stored;
    padded.insert(padded.end(), 16, 0xAB);
    WriteBytes(DataPath("devmode0.bin"), padded);
    App().WriteSetting("Printer Infomation", "SelectPrinterNo", "slot");

    CPrintSetupDialog dialog(0, nullptr);
    ASSERT_NO_FATAL_FAILURE(SelectPrinter(dialog, kPrinterA));
    const std::vector<SeenBox> boxes = Load(dialog);
    EXPECT_TRUE(boxes.empty());

    const Bytes devMode = BlockBytes(dialog.DevMode());
    ASSERT_GE(devMode.size(), stored.size());
    EXPECT_EQ(Bytes(devMode.begin(), devMode.begin() + stored.size()), stored);
    EXPECT_EQ(Bytes(devMode.begin() + stored.size(), devMode.end()),
              Bytes(devMode.size() - stored.size(), 0));
    EXPECT_EQ(reinterpret_cast<const DEVMODEA*>(devMode.data())->dmOrientation, DMORIENT_LANDSCAPE);

    // Only the device is named: its name at byte 8, the other offsets 0.
    Bytes expectedNames = {0, 0, 8, 0, 0, 0, 0, 0};
    expectedNames.insert(expectedNames.end(), kPrinterB, kPrinterB + strlen(kPrinterB) + 1);
    const Bytes names = BlockBytes(dialog.DevNames());
    ASSERT_GE(names.size(), expectedNames.size());
    EXPECT_EQ(Bytes(names.begin(), names.begin() + expectedNames.size()), expectedNames);
    EXPECT_NE(dialog.DC(), nullptr);

    // Nothing was written: the file keeps its extra bytes.
    EXPECT_EQ(FileBytes(DataPath("devmode0.bin")), padded);
}

TEST_F(PrinterStoreTest, VanishedPrinterIsForgottenAndItsSlotGoesToTheNextNewPrinter)
{
    ASSERT_NO_FATAL_FAILURE(SavePrinter(kPrinterA));
    CPrintSetupDialog onB(0, nullptr);
    ASSERT_NO_FATAL_FAILURE(SelectPrinter(onB, kPrinterB));
    SaveSelectedPrinter(onB);
    ASSERT_EQ(Setting("SelectPrinterNo"), "1");
    std::string error;
    ASSERT_TRUE(wine_printers::RemovePrinter(kPrinterB, error)) << error;
    ASSERT_TRUE(wine_printers::MakeDefaultPrinter(kPrinterA, error)) << error;

    // Saving a printer that is gone fails with the system's text and
    // writes nothing.
    const std::string settingsBefore = ReadShared(SettingsPath());
    try {
        SaveSelectedPrinter(onB);
        ADD_FAILURE() << "a printer that is gone was saved";
    } catch (CAppException* e) {
        EXPECT_EQ(e->m_strMessage, CAppException(ERROR_INVALID_PRINTER_NAME).m_strMessage);
        EXPECT_FALSE(e->m_strMessage.empty());
        e->Delete();
    }
    EXPECT_EQ(ReadShared(SettingsPath()), settingsBefore);

    // The next start forgets it and keeps the default printer.
    CPrintSetupDialog dialog(0, nullptr);
    ASSERT_TRUE(dialog.SelectDefaultPrinter());
    const HGLOBAL defaultDevMode = dialog.DevMode();
    const HGLOBAL defaultDevNames = dialog.DevNames();
    const std::vector<SeenBox> boxes = Load(dialog);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, kTitle);
    EXPECT_EQ(boxes[0].text, kPrinterGoneText);
    EXPECT_EQ(dialog.DevMode(), defaultDevMode);
    EXPECT_EQ(dialog.DevNames(), defaultDevNames);
    EXPECT_EQ(DevNamesEntry(BlockBytes(dialog.DevNames()), 2), kPrinterA);

    EXPECT_FALSE(PathExists(DataPath("devmode1.bin")));
    EXPECT_FALSE(PathExists(DataPath("devname1.bin")));
    EXPECT_TRUE(PathExists(DataPath("devmode0.bin")));
    for (const char* key : {"SelectPrinterName", "SelectPrinterNo", "devmode1", "version1"})
        EXPECT_EQ(Setting(key), "") << key;
    EXPECT_EQ(Setting("devmode0"), kPrinterA);

    // Nothing selected now: a second start changes nothing.
    const std::string settingsForgotten = ReadShared(SettingsPath());
    EXPECT_TRUE(Load(dialog).empty());
    EXPECT_EQ(ReadShared(SettingsPath()), settingsForgotten);

    // A new printer takes the emptied slot.
    ASSERT_TRUE(wine_printers::AddPrinterOnPort(kPrinterC, kPort, error)) << error;
    ASSERT_NO_FATAL_FAILURE(SavePrinter(kPrinterC));
    EXPECT_EQ(Setting("SelectPrinterNo"), "1");
    EXPECT_EQ(Setting("devmode1"), kPrinterC);
    EXPECT_TRUE(PathExists(DataPath("devmode1.bin")));
}

TEST_F(PrinterStoreTest, DriverChangeReplacesTheStoredDeviceModeByThePrintersOwn)
{
    const Bytes printerDevMode = PrinterDevMode(kPrinterA);
    ASSERT_GE(printerDevMode.size(), 40u);
    const uint16_t publicSize = WordAt(printerDevMode, 36);
    const uint16_t privateSize = WordAt(printerDevMode, 38);
    const std::string version = GetDriverVersion(kPrinterA);

    struct Change {
        const char* what;
        void (*apply)(Bytes& file, std::string& versionText);
    };
    const Change changes[] = {
        {"another version text", [](Bytes&, std::string& v) { v += ".1"; }},
        {"empty file", [](Bytes& f, std::string&) { f.clear(); }},
        {"file shorter than the header", [](Bytes& f, std::string&) { f.resize(30); }},
        {"file shorter than the public part", [](Bytes& f, std::string&) { f.resize(60); }},
        {"private part cut short", [](Bytes& f, std::string&) { f.resize(f.size() - 1); }},
        {"another private size", [](Bytes& f, std::string&) {
             PutWord(f, 38, static_cast<uint16_t>(WordAt(f, 38) + 4));
             f.insert(f.end(), 4, 0);
         }},
        {"file larger than 64 KiB", [](Bytes& f, std::string&) { f.resize(65537); }},
        {"another printer's device mode", [](Bytes& f, std::string&) {
             std::fill(f.begin(), f.begin() + 32, 0);
             std::copy(kPrinterB, kPrinterB + strlen(kPrinterB), f.begin());
         }},
        {"device name not ended", [](Bytes& f, std::string&) { std::fill(f.begin(), f.begin() + 32, 'S'); }},
        {"public size out of range", [](Bytes& f, std::string&) {
             PutWord(f, 36, 2000);
             f.resize(2000 + WordAt(f, 38));
         }},
        {"private size too large", [](Bytes& f, std::string&) {
             PutWord(f, 38, 65000);
             f.resize(WordAt(f, 36) + 65000);
         }},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        // A landscape device mode stored, then damaged or outdated.
        ASSERT_NO_FATAL_FAILURE(SavePrinter(kPrinterA, DMORIENT_LANDSCAPE));
        Bytes file = FileBytes(DataPath("devmode0.bin"));
        std::string versionText = version;
        change.apply(file, versionText);
        WriteBytes(DataPath("devmode0.bin"), file);
        App().WriteSetting("Printer Infomation", "version0", versionText);

        CPrintSetupDialog dialog(0, nullptr);
        const std::vector<SeenBox> boxes = Load(dialog);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, kTitle);
        EXPECT_EQ(boxes[0].text, kDriverChangedText);

        EXPECT_EQ(FileBytes(DataPath("devmode0.bin")), printerDevMode);
        EXPECT_EQ(Setting("version0"), version);
        EXPECT_EQ(DialogDevMode(dialog), printerDevMode);
        EXPECT_EQ(DevNamesEntry(BlockBytes(dialog.DevNames()), 2), kPrinterA);
        EXPECT_NE(dialog.DC(), nullptr);
    }

    // A file of 1.5 GB (sparse) is not read: its size alone makes it a
    // driver change.
    ASSERT_NO_FATAL_FAILURE(SavePrinter(kPrinterA, DMORIENT_LANDSCAPE));
    ASSERT_TRUE(WriteStretched(DataPath("devmode0.bin"), "", 1536LL << 20));
    CPrintSetupDialog onLarge(0, nullptr);
    const std::vector<SeenBox> boxes = Load(onLarge);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kDriverChangedText);
    EXPECT_EQ(FileBytes(DataPath("devmode0.bin")), printerDevMode);
    EXPECT_EQ(DialogDevMode(onLarge), printerDevMode);

    // A save whose device mode has another private size than the printer's
    // writes the length it had, under the printer's size: the next start
    // finds the file short and takes the printer's own device mode.
    CPrintSetupDialog dialog(0, nullptr);
    ASSERT_NO_FATAL_FAILURE(SelectPrinter(dialog, kPrinterA));
    DEVMODEA* chosen = static_cast<DEVMODEA*>(GlobalLock(dialog.DevMode()));
    ASSERT_NE(chosen, nullptr);
    chosen->dmDriverExtra = static_cast<WORD>(privateSize == 0 ? 0 : privateSize - 1);
    GlobalUnlock(dialog.DevMode());
    SaveSelectedPrinter(dialog);
    EXPECT_EQ(WordAt(DialogDevMode(dialog), 38), privateSize);
    const Bytes shortFile = FileBytes(DataPath("devmode0.bin"));
    if (privateSize > 0) {
        EXPECT_EQ(shortFile.size(), size_t(publicSize) + privateSize - 1);
        EXPECT_EQ(WordAt(shortFile, 38), privateSize);
        CPrintSetupDialog next(0, nullptr);
        const std::vector<SeenBox> boxes = Load(next);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, kDriverChangedText);
        EXPECT_EQ(FileBytes(DataPath("devmode0.bin")), printerDevMode);
    }
}

TEST_F(PrinterStoreTest, OnlyOneOfTheUsersPrintersIsOpenedByTheNameTheSystemLists)
{
    // Wine opens a printer of this machine by its network name, which the
    // user's printer list does not hold: opening the stored name would
    // select printer B.
    char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = sizeof computer;
    ASSERT_TRUE(GetComputerNameA(computer, &length));
    const std::string networkName = std::string("\\\\") + computer + "\\" + kPrinterB;
    PrinterHandle opened;
    ASSERT_TRUE(OpenPrinterA(const_cast<char*>(networkName.c_str()), opened.Receive(), nullptr));
    opened.Close();
    for (const std::string& stored : {networkName, std::string("\\\\kestro-no-such-host.invalid\\share")}) {
        SCOPED_TRACE(stored);
        ASSERT_NO_FATAL_FAILURE(SavePrinter(kPrinterB));
        App().WriteSetting("Printer Infomation", "SelectPrinterName", stored);
        CPrintSetupDialog dialog(0, nullptr);
        ASSERT_NO_FATAL_FAILURE(SelectPrinter(dialog, kPrinterA));  // the default
        const std::vector<SeenBox> boxes = Load(dialog);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, kPrinterGoneText);
        EXPECT_EQ(DevNamesEntry(BlockBytes(dialog.DevNames()), 2), kPrinterA);
        EXPECT_FALSE(PathExists(DataPath("devmode0.bin")) || PathExists(DataPath("devname0.bin")));
        EXPECT_EQ(Setting("SelectPrinterName") + Setting("devmode0"), "");
    }

    // The user's own printer in capitals, and one whose name is too long for
    // a device mode's name field: selected with their device modes, under
    // the names the system lists.
    const std::string longName = "Store printer with a name longer than thirty-one bytes";
    std::string error;
    ASSERT_TRUE(wine_printers::AddPrinterOnPort(longName, kPort, error)) << error;
    for (const std::string& printer : {std::string(kPrinterB), longName}) {
        ASSERT_NO_FATAL_FAILURE(SavePrinter(printer.c_str(), DMORIENT_LANDSCAPE));
        std::string capitals = printer;
        App().WriteSetting("Printer Infomation", "SelectPrinterName", CharUpperA(&capitals[0]));
        CPrintSetupDialog dialog(0, nullptr);
        ASSERT_NO_FATAL_FAILURE(SelectPrinter(dialog, kPrinterA));
        EXPECT_TRUE(Load(dialog).empty()) << printer;
        EXPECT_EQ(DevNamesEntry(BlockBytes(dialog.DevNames()), 2), printer);
        const Bytes devMode = DialogDevMode(dialog);
        ASSERT_GE(devMode.size(), 156u);
        EXPECT_EQ(reinterpret_cast<const DEVMODEA*>(devMode.data())->dmOrientation, DMORIENT_LANDSCAPE);
    }
}

TEST_F(PrinterStoreTest, UnreadableStoredDeviceModeEndsTheStartWithAFileError)
{
    ASSERT_NO_FATAL_FAILURE(SavePrinter(kPrinterB));
    ASSERT_TRUE(DeleteFileA(DataPath("devmode0.bin").c_str()));
    const std::string settingsBefore = ReadShared(SettingsPath());

    CPrintSetupDialog dialog(0, nullptr);
    ASSERT_NO_FATAL_FAILURE(SelectPrinter(dialog, kPrinterA));
    const HGLOBAL defaultDevMode = dialog.DevMode();
    try {
        Load(dialog);
        ADD_FAILURE() << "a missing device-mode file was not reported";
    } catch (CException* e) {
        CFileException* fileError = dynamic_cast<CFileException*>(e);
        ASSERT_NE(fileError, nullptr) << e->GetRuntimeClassName();
        EXPECT_EQ(fileError->m_cause, CFileException::fileNotFound);
        EXPECT_EQ(fileError->m_strFileName, DataPath("devmode0.bin"));
        char text[512] = {};
        EXPECT_TRUE(e->GetErrorText(text, sizeof text));
        EXPECT_EQ(std::string(text), DataPath("devmode0.bin") + " was not found.");
        e->Delete();
    }
    // The keys stay, the dialog keeps what it had.
    EXPECT_EQ(ReadShared(SettingsPath()), settingsBefore);
    EXPECT_EQ(dialog.DevMode(), defaultDevMode);
}

TEST_F(PrinterStoreTest, NoPrinterAtAllEndsTheStart)
{
    CPrintSetupDialog dialog(0, nullptr);
    ASSERT_TRUE(dialog.SelectDefaultPrinter());
    std::string error;
    ASSERT_TRUE(wine_printers::RemoveAllPrinters(error)) << error;

    MessageBoxWatcher watcher;
    try {
        LoadStoredPrinter(dialog);
        ADD_FAILURE() << "no printer was not reported";
    } catch (CAppException* e) {
        EXPECT_EQ(e->m_strMessage, kNoPrinterText);
        e->Delete();
    }
    EXPECT_TRUE(watcher.Take().empty());
    EXPECT_FALSE(PathExists(SettingsPath()));
}

}  // namespace
