// The real Tessary.exe, driven from outside as a user would: each test gets
// an installation of its own (the program copied into a scratch folder with
// a "Tessary.cfg" the test writes, the registry value naming a scratch data
// folder, three printers of the Wine prefix with A as the default), starts
// the program, finds its dialog, reads and changes controls through window
// messages, and reads back the files the program wrote. Message boxes are
// recorded and closed by a watcher. Everything is put back afterwards and
// no Tessary.exe is left running.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "installation.h"
#include "message_box_watcher.h"
#include "printer_state.h"
#include "remote_dialog.h"
#include "watched_program.h"
#include "win32_shared/kernel_handles_win32.h"

extern const char kPrinterA[];
extern const char kPrinterB[];
extern const char kPrinterC[];
extern const char kPrinterPort[];

// A stored device mode: DEVMODEA's bytes (dmSize at 36, dmDriverExtra at
// 38, dmFields at 40, dmOrientation at 44).
struct StoredDevMode {
    std::string bytes;
    std::string DeviceName() const;
    unsigned Word(size_t offset) const;
    unsigned long Fields() const;
    unsigned Orientation() const { return Word(44); }
    size_t HeaderLength() const { return Word(36) + Word(38); }
};

// Controls labelled by a text of section [Language], by id.
inline const std::pair<int, const char*> kLanguageLabels[] = {
    {1075, "PrinterGroupName"},  {1093, "PrinterName"},      {1025, "PrinterPropertyBtn"},
    {1095, "PrinterState"},      {1094, "PrinterKind"},      {1097, "PrinterPlace"},
    {1096, "PrinterComment"},    {1073, "PaperGroupName"},   {1089, "PaperSizeName"},
    {1090, "PapaerTrayName"},    {1072, "PrintOrientation"}, {1056, "PrintPortrait"},
    {1057, "PrintLandScape"},    {11010, "FirstCopyGroupName"}, {11008, "OneJobOnePage"},
    {11009, "OneJobNPage"},      {11001, "SortPrintChkBox"}, {11011, "HorizontalCmbName"},
    {11012, "VerticalCmbName"},  {11013, "PrintSizeCmbName"}, {11006, "FramePrinting"},
    {11007, "AutoRotate"},       {1, "PrinterOKBtn"},        {2, "PrinterCancelBtn"},
    {11017, "PrinterHelpBtn"},
};

class TessaryTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // "Tessary.cfg": the shipped file with keys of [Language] replaced (a
    // null value drops the key) and an event name of this test's own.
    void WriteConfig(const std::map<std::string, const char*>& language = {});
    // The same from the shipped Japanese file (ja\Tessary.cfg, code page 932).
    void WriteJapaneseConfig();
    // A text of [Language] as the last WriteConfig wrote it ("" when dropped).
    std::string ConfigText(const std::string& key) const;

    // Starts Tessary.exe; its message boxes are recorded from the start.
    DWORD Start();
    // The program's first visible "#32770" holding controlId; null when
    // none appears in time or the program ends.
    HWND WaitForWindow(DWORD process, int controlId);
    // Start() and its settings dialog, found by the horizontal-position list.
    HWND OpenDialog(DWORD* process = nullptr);
    bool WaitForEnd(DWORD process);
    bool IsRunning(DWORD process) const;
    // Waits until `count` boxes were seen in all; returns every box seen.
    std::vector<SeenBox> WaitForBoxes(size_t count);
    // The boxes seen so far that no WaitForBoxes returned yet.
    std::vector<SeenBox> TakeBoxes();

    // Files of the data folder, by name, with their bytes.
    std::map<std::string, std::string> DataFiles() const;
    std::string DataPath(const std::string& name) const { return m_dataDir + "\\" + name; }
    std::string SettingsPath() const { return DataPath("KESTROst.ini"); }
    // The lines of a section of the settings file, in file order.
    std::vector<std::string> SectionLines(const std::string& section) const;
    std::string Setting(const std::string& section, const std::string& key) const;
    StoredDevMode DevModeFile(int slot) const;

    // One whole run: the dialog opens, the printer (null: the one shown)
    // and the orientation are chosen, OK saves and the program ends.
    void SaveWith(const char* printer, bool landscape);
    // Chooses printer and orientation as a user would and waits until the
    // dialog shows them.
    static void ChoosePrinter(HWND dialog, const char* printer, bool landscape);

    // The print guard held reset by the test, as a printing program would.
    KernelHandle HoldPrintGuard() const;
    // Names the print guard `name` in the program's "Tessary.cfg".
    void NamePrintGuard(const std::string& name)
    {
        m_eventName = name;
        WriteConfig();
    }

    std::string m_programPath;

private:
    const WatchedProgram* FindRun(DWORD process) const;
    void WriteConfigFrom(const char* shippedName, const std::map<std::string, const char*>& language);

    wine_printers::ScopedPrinterState m_printers;
    std::unique_ptr<ScopedFolder> m_folder;
    std::unique_ptr<ScopedRegistryKey> m_key;
    std::string m_installDir, m_dataDir, m_eventName;
    std::vector<std::pair<std::string, std::string>> m_language;
    std::vector<std::unique_ptr<WatchedProgram>> m_runs;
    std::vector<SeenBox> m_pendingBoxes;
};
