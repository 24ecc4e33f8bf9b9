// JP_init as a host calls it: the DLL loaded by name, its key and values in
// HKEY_LOCAL_MACHINE, "KESTRO.cfg" in the current folder, and the logs and
// data folder checked on disk. Each test leaves registry and files as found.
#include <windows.h>
#include "test_folders.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "win32_shared/loaded_module_win32.h"
#include "win32_shared/registry_key_win32.h"

namespace {

const char* const kKeyChain[] = {"SOFTWARE\\TRVX", "SOFTWARE\\TRVX\\Corvane-Suite",
                                 "SOFTWARE\\TRVX\\Corvane-Suite\\QuillmateInitTest"};
const char* const kTestKey = kKeyChain[2];

bool KeyExists(const char* subKey)
{
    return RegistryKeyHandle().Open(HKEY_LOCAL_MACHINE, subKey, KEY_READ);
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

void WriteAll(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}


// A log record from column 22 on: number cut to five columns, text, CR LF.
std::string RecordAfterStamp(int number, const std::string& text)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%5d ", number);
    std::string record = std::string(digits, 5) + " " + text;
    record.resize(275, ' ');
    return record + " \r\n";
}

class JpInitWineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char buffer[MAX_PATH];
        ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, buffer), 0u);
        m_savedDir = buffer;
        ASSERT_GT(GetTempPathA(MAX_PATH, buffer), 0u);
        static int counter = 0;
        m_root = std::string(buffer) + "jpinit_" + std::to_string(GetCurrentProcessId()) + "_" +
                 std::to_string(++counter);
        for (const char* sub : {"", "\\host", "\\logs", "\\ini", "\\sys", "\\sys\\Data",
                                "\\sys\\Data\\keep"})
            ASSERT_TRUE(CreateDirectoryA((m_root + sub).c_str(), nullptr)) << sub;
        WriteAll(m_root + "\\sys\\Data\\old.tmp", "page");
        WriteAll(m_root + "\\sys\\Data\\keep\\inner.tmp", "kept");
        WriteCfg("");

        ASSERT_FALSE(KeyExists(kTestKey));
        for (const char* key : kKeyChain)
            m_created.push_back(!KeyExists(key));
        RegistryKeyHandle key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kTestKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                                  key.Receive(), nullptr), ERROR_SUCCESS);
        SetValue("Debug Log Path", m_root + "\\logs");
        SetValue("Directory Path", m_root);
        SetValue("Setting Path", m_root + "\\ini");
        SetValue("System Directory", m_root + "\\sys");

        ASSERT_TRUE(SetCurrentDirectoryA((m_root + "\\host").c_str()));
        m_dll.Reset(LoadLibraryA("jobport.dll"));
        ASSERT_TRUE(m_dll) << GetLastError();
        m_init = reinterpret_cast<int(__stdcall*)(const char*)>(
            reinterpret_cast<void*>(GetProcAddress(m_dll.Get(), "JP_init")));
        ASSERT_NE(m_init, nullptr);
    }

    void TearDown() override
    {
        m_dll.Close();
        SetCurrentDirectoryA(m_savedDir.c_str());
        for (size_t i = m_created.size(); i-- > 0;)
            if (m_created[i])
                RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKeyChain[i]);
        RemoveTree(m_root);
        EXPECT_FALSE(KeyExists(kTestKey));
        EXPECT_FALSE(Exists(m_root));
    }

    // "KESTRO.cfg" naming the test's own key, followed by `more`.
    void WriteCfg(const std::string& more)
    {
        WriteAll(m_root + "\\host\\KESTRO.cfg",
                 "[Registry for Velora]\r\nProductName=QuillmateInitTest\r\n" + more);
    }

    void SetValue(const char* name, const std::string& text)
    {
        RegistryKeyHandle key;
        ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, kTestKey, KEY_WRITE));
        EXPECT_EQ(RegSetValueExA(key.Get(), name, 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(text.c_str()),
                                 static_cast<DWORD>(text.size() + 1)), ERROR_SUCCESS);
    }

    std::string DebugLog() const { return ReadAll(m_root + "\\logs\\KESTROd.LOG"); }
    bool ErrorLogExists() const { return Exists(m_root + "\\logs\\KESTROe.log"); }
    bool DataFileKept() const { return Exists(m_root + "\\sys\\Data\\old.tmp"); }

    // The log holds just the closing line, in record 1.
    void ExpectOnlyOkLine() const
    {
        const std::string log = DebugLog();
        ASSERT_EQ(log.size(), 600u);
        EXPECT_EQ(log.substr(0, 300), "300" + std::string(295, ' ') + "\r\n");
        EXPECT_EQ(log.substr(322), RecordAfterStamp(1020, " OK JP_Init"));
    }

    std::string m_savedDir, m_root;
    std::vector<bool> m_created;
    LoadedModule m_dll;
    int(__stdcall* m_init)(const char*) = nullptr;
};

TEST_F(JpInitWineTest, ReadyInstallationWritesTheStartLinesByteForByte)
{
    ASSERT_EQ(m_init("Scan"), 1);

    const std::string log = DebugLog();
    ASSERT_EQ(log.size(), 7u * 300u);
    EXPECT_EQ(log.substr(0, 300), "1800" + std::string(294, ' ') + "\r\n");
    const std::pair<int, std::string> lines[] = {
        {1020, "------------------------------JP_Init(Scan) was Called"},
        {0, std::string("  SubKey:") + kTestKey},
        {0, "  ini file path:" + m_root + "\\ini"},
        {0, "  exe file path:" + m_root},
        {0, "  log file path:" + m_root + "\\logs\\"},
        {1020, " OK JP_Init"}};
    for (size_t i = 0; i < 6; ++i) {
        const std::string record = log.substr((i + 1) * 300, 300);
        const char* shape = "dd/dd/dd dd:dd:dd.ddd ";
        for (size_t c = 0; c < 22; ++c)
            EXPECT_TRUE(shape[c] == 'd' ? isdigit(static_cast<unsigned char>(record[c]))
                                        : record[c] == shape[c]) << record;
        EXPECT_EQ(record.substr(22), RecordAfterStamp(lines[i].first, lines[i].second));
    }
    EXPECT_TRUE(ErrorLogExists());
    EXPECT_EQ(ReadAll(m_root + "\\logs\\KESTROe.log"), "");
    EXPECT_FALSE(DataFileKept());
    EXPECT_TRUE(Exists(m_root + "\\sys\\Data\\keep\\inner.tmp"));
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    EXPECT_EQ(current, m_root + "\\host");
}

TEST_F(JpInitWineTest, WithoutCfgFileOrKeyNothingIsWrittenOrDeleted)
{
    WriteAll(m_root + "\\host\\KESTRO.cfg",
             "[Registry for Velora]\r\nProductName=NoSuchProduct\r\n");
    EXPECT_EQ(m_init("Scan"), 0);
    ASSERT_TRUE(DeleteFileA((m_root + "\\host\\KESTRO.cfg").c_str()));
    EXPECT_EQ(m_init("Scan"), 0);
    EXPECT_FALSE(Exists(m_root + "\\logs\\KESTROd.LOG"));
    EXPECT_FALSE(ErrorLogExists());
    EXPECT_TRUE(DataFileKept());
}

TEST_F(JpInitWineTest, OverlongDataValueCountsAsMissing)
{
    SetValue("System Directory", m_root + "\\sys\\" + std::string(300, 'x'));
    EXPECT_EQ(m_init("Scan"), 1);
    ExpectOnlyOkLine();
    EXPECT_FALSE(ErrorLogExists());
    EXPECT_TRUE(DataFileKept());
}

TEST_F(JpInitWineTest, OverlongCfgTextFallsBackToItsDefault)
{
    // A cut name would name no value; the default names the real one.
    WriteCfg("Value4data=" + std::string(300, 'v') + "\r\n");
    EXPECT_EQ(m_init("Scan"), 1);
    EXPECT_EQ(DebugLog().size(), 7u * 300u);
    EXPECT_FALSE(DataFileKept());
}

TEST_F(JpInitWineTest, LogSizeLimitZeroBecomesOneRecord)
{
    WriteCfg("[Velora Config]\r\nLogSizeLimit=0\r\n");
    EXPECT_EQ(m_init("Scan"), 1);
    ExpectOnlyOkLine();  // all six lines went to record 1
    EXPECT_TRUE(ErrorLogExists());
}

}  // namespace
