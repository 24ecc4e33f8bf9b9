// The settings program's application object, errors, versions and About
// box on Windows: real "Tessary.cfg" files beside this test program, real
// registry values, real message boxes and a real dialog read by a watcher.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>

#include "app/app_exception.h"
#include "app/file_version.h"
#include "app/tessary_app_win32.h"
#include "app/version_dlg_win32.h"
#include "framework/module_path_win32.h"
#include "installation.h"
#include "message_box_watcher.h"
#include "remote_dialog.h"
#include "resources/dialog_ids.h"

namespace {

// The application object of this test program; each case says what its
// start-up does.
class TestApp : public CTessaryApp {
public:
    std::function<void()> startUp;

protected:
    void InitInstance() override { startUp(); }
};

TestApp theApp;

const char kKeyPath[] = "SOFTWARE\\TessaryTest\\Group\\Name";

std::string ProgramFolder()
{
    const std::string path = ModuleFilePath(nullptr);
    return path.substr(0, path.rfind('\\') + 1);
}

// "Tessary.cfg" beside the test program, removed after each case; the
// application object forgets what it looked up.
class TessaryFrameTest : public ::testing::Test {
protected:
    void SetUp() override { theApp.m_strSystemDir.clear(); }
    void TearDown() override
    {
        DeleteFileA(ConfigPath().c_str());
        theApp.m_strSystemDir.clear();
        theApp.SetTitle("");
    }

    static std::string ConfigPath() { return ProgramFolder() + "Tessary.cfg"; }

    // A text file with the registry section pointing at kKeyPath.
    static void WriteConfig(const std::string& settingsFileName,
                            const std::string& valueName = "Setting Path")
    {
        WriteWhole(ConfigPath(),
                   "[Language]\r\nDlgTitle=Print Settings\r\nEtcErrMsg=Cannot read \r\n"
                   "[Registry]\r\nManufacturer=TessaryTest\r\nGroup=Group\r\nName=Name\r\n"
                   "SystemDirectoryRegistryValueName=" + valueName + "\r\n"
                   "ParameterSaveINIFileName=" + settingsFileName + "\r\n");
    }

    // Runs a start-up through the application's own error handling and
    // returns the boxes it showed.
    static std::vector<SeenBox> RunStartUp(std::function<void()> startUp)
    {
        MessageBoxWatcher watcher;
        theApp.startUp = [startUp] {
            theApp.SetTitle(theApp.GetConfigText("Language", "DlgTitle", ""));
            startUp();
        };
        theApp.Run(GetModuleHandleA(nullptr));
        // A box is closed before Run returns; give the watcher its last look.
        return watcher.Take();
    }
};

TEST_F(TessaryFrameTest, DataDirectoryAndSettingsFileComeFromTheRegistry)
{
    ScopedFolder data("C:\\tessary-frame-data");
    ScopedRegistryKey key(kKeyPath);
    ASSERT_TRUE(data.Created() && key.Ready());
    WriteConfig("KESTROst.ini");

    key.SetString("Setting Path", data.Path());
    EXPECT_EQ(theApp.GetSystemDataDirectory(), data.Path() + "\\");
    EXPECT_EQ(theApp.GetSettingsFilePath(), data.Path() + "\\KESTROst.ini");
    theApp.WriteSetting("Print Setting", "SortSetting", "1");
    EXPECT_EQ(theApp.GetSetting("Print Setting", "SortSetting", ""), "1");
    EXPECT_NE(ReadShared(data.Path() + "\\KESTROst.ini").find("SortSetting=1"), std::string::npos);
    // An absent key gives the default, which the printer slots rely on.
    EXPECT_EQ(theApp.GetSetting("Printer Infomation", "devmode0", "\xFF"), "\xFF");

    // The directory is read once a run: a changed value is not seen.
    key.SetString("Setting Path", "C:\\elsewhere");
    EXPECT_EQ(theApp.GetSystemDataDirectory(), data.Path() + "\\");

    // A value that ends in a backslash ends in two.
    theApp.m_strSystemDir.clear();
    key.SetString("Setting Path", data.Path() + "\\");
    EXPECT_EQ(theApp.GetSettingsFilePath(), data.Path() + "\\\\KESTROst.ini");
    EXPECT_EQ(theApp.GetSetting("Print Setting", "SortSetting", ""), "1");
}

TEST_F(TessaryFrameTest, EmptySettingsFileNameNamesTheDirectoryItself)
{
    ScopedFolder data("C:\\tessary-frame-data");
    ScopedRegistryKey key(kKeyPath);
    ASSERT_TRUE(data.Created() && key.Ready());
    key.SetString("Setting Path", data.Path());
    WriteConfig("");

    EXPECT_EQ(theApp.GetSettingsFilePath(), data.Path() + "\\");
    theApp.WriteSetting("Print Setting", "SortSetting", "1");  // fails unnoticed
    EXPECT_EQ(theApp.GetSetting("Print Setting", "SortSetting", "none"), "none");
}

TEST_F(TessaryFrameTest, RegistryFailuresAreShownWithTheKeyPathInBrackets)
{
    WriteConfig("KESTROst.ini", "Missing Value");
    std::vector<SeenBox> boxes = RunStartUp([] { theApp.GetSettingsFilePath(); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Print Settings");
    EXPECT_EQ(boxes[0].text, std::string("Cannot read[") + kKeyPath + "]");

    ScopedRegistryKey key(kKeyPath);
    ASSERT_TRUE(key.Ready());
    boxes = RunStartUp([] { theApp.GetSettingsFilePath(); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, std::string("Cannot read[") + kKeyPath + "\\Missing Value]");
}

TEST_F(TessaryFrameTest, MissingTextFileGivesEmptyTextsAndNoCrash)
{
    EXPECT_EQ(theApp.GetConfigText("Language", "DlgTitle", ""), "");
    const std::vector<SeenBox> boxes = RunStartUp([] { theApp.GetSystemDataDirectory(); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "");
    // The key path is made of empty names; no lead text stands before it.
    EXPECT_EQ(boxes[0].text.rfind("[SOFTWARE\\\\\\", 0), 0u) << boxes[0].text;
    EXPECT_EQ(boxes[0].text.back(), ']');
}

TEST_F(TessaryFrameTest, ErrorsFromSystemCodesKeepTheSystemText)
{
    CAppException denied(static_cast<uint32_t>(ERROR_ACCESS_DENIED));
    ASSERT_GE(denied.m_strMessage.size(), 2u);
    EXPECT_EQ(denied.m_strMessage.substr(denied.m_strMessage.size() - 2), "\r\n");
    EXPECT_EQ(CAppException(0xDEADBEEFu).m_strMessage, "");
}

TEST_F(TessaryFrameTest, FileVersionsAreReadFromTheFirstTranslation)
{
    const std::string folder = ProgramFolder();
    EXPECT_EQ(GetFileVersionString(folder + "..\\out\\Tessary.exe"), "1.0.3.0");
    EXPECT_EQ(GetFileVersionString(folder + "version_probe.dll"), "2.5.0.1");
    // A file without a version resource, and a missing file.
    WriteWhole(ConfigPath(), "[Language]\r\n");
    EXPECT_EQ(GetFileVersionString(ConfigPath()), "");
    EXPECT_EQ(GetFileVersionString(folder + "no-such-file.dll"), "");
}

TEST_F(TessaryFrameTest, AboutBoxShowsItsTextsInTheGuiFont)
{
    WriteWhole(ConfigPath(),
               "[Language]\r\nVersionDlgTitle=About Print Settings\r\n"
               "Version=Print Settings 1.0.3.0\r\nVersionCopyRight=Copyright (C) 2026\r\n"
               "VersionCopyRightLead=Prints scanned pages.\r\n");
    struct Seen {
        std::string title, version, copyRight, lead;
        bool guiFont = true;
        RECT client = {};
        RECT expected = {0, 0, 310, 125};
    } seen;
    auto text = [](HWND window) {
        char buffer[256] = {};
        GetWindowTextA(window, buffer, sizeof buffer);
        return std::string(buffer);
    };
    std::thread watcher([&] {
        HWND box = nullptr;
        WaitUntil([&box] {
            for (HWND dialog : VisibleDialogs(GetCurrentProcessId()))
                box = GetDlgItem(dialog, IDC_VERSION_TEXT) ? dialog : box;
            return box != nullptr;
        });
        if (!box)
            return;
        seen.title = text(box);
        seen.version = text(GetDlgItem(box, IDC_VERSION_TEXT));
        seen.copyRight = text(GetDlgItem(box, IDC_VERSION_COPYRIGHT));
        seen.lead = text(GetDlgItem(box, IDC_VERSION_COPYRIGHT_LEAD));
        const HGDIOBJ gui = GetStockObject(DEFAULT_GUI_FONT);
        for (int id : {IDC_VERSION_TEXT, IDC_VERSION_COPYRIGHT, IDC_VERSION_COPYRIGHT_LEAD}) {
            const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(GetDlgItem(box, id), WM_GETFONT, 0, 0));
            EXPECT_EQ(font, gui) << "control " << id;
            seen.guiFont = seen.guiFont && font == gui;
        }
        GetClientRect(box, &seen.client);
        MapDialogRect(box, &seen.expected);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    CVersionDlg about;
    const INT_PTR result = about.DoModal();
    watcher.join();

    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(seen.title, "About Print Settings");
    EXPECT_EQ(seen.version, "Print Settings 1.0.3.0");
    EXPECT_EQ(seen.copyRight, "Copyright (C) 2026");
    EXPECT_EQ(seen.lead, "Prints scanned pages.");
    EXPECT_TRUE(seen.guiFont);
    // The template's 310 x 125 dialog units, in the template's own font.
    EXPECT_EQ(seen.client.right, seen.expected.right);
    EXPECT_EQ(seen.client.bottom, seen.expected.bottom);
}

}  // namespace
