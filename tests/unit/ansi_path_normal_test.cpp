// Paths brought to one form and tested for lying inside a folder, from one
// table: each row is a path, the folder, whether the path lies inside it
// and the form the path normalises to ("" when it is refused). Code page
// 932's lead bytes throughout: "表" is 0x95 0x5C, its trail byte the
// backslash code; 0x83 0x41 and 0x83 0x61 are two katakana whose trail bytes
// read as "A" and "a".
#include <gtest/gtest.h>

#include <string>

#include "ansi_paths/ansi_path_normal.h"

namespace {

bool IsCodePage932Lead(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

const std::string kHyo = "\x95\x5C";
const std::string kKataA = "\x83\x41";
const std::string kKataSmall = "\x83\x61";

struct Row {
    std::string path;
    std::string folder;
    bool inside;
    std::string normal;
};

const Row kRows[] = {
    // Spellings of one page in the data folder.
    {"C:\\Kestro\\sys\\Data\\a.bmp", "C:\\Kestro\\sys\\Data", true, "C:\\Kestro\\sys\\Data\\a.bmp"},
    {"c:\\KESTRO\\SYS\\data\\a.bmp", "C:\\Kestro\\sys\\Data\\", true, "C:\\KESTRO\\SYS\\data\\a.bmp"},
    {"C:/Kestro/sys/Data/a.bmp", "C:\\Kestro\\sys\\Data", true, "C:\\Kestro\\sys\\Data\\a.bmp"},
    {"C:\\\\Kestro\\\\\\sys\\Data\\\\a.bmp", "C:/Kestro//sys/Data//", true, "C:\\Kestro\\sys\\Data\\a.bmp"},
    {"C:\\Kestro\\sys\\Other\\..\\Data\\.\\a.bmp", "C:\\Kestro\\sys\\Data", true, "C:\\Kestro\\sys\\Data\\a.bmp"},
    {"C:\\..\\..\\Kestro\\sys\\Data\\a.bmp", "C:\\Kestro\\sys\\Data", true, "C:\\Kestro\\sys\\Data\\a.bmp"},
    {"C:\\Kestro\\sys\\Data. .\\a.bmp. . ", "C:\\Kestro\\sys\\Data", true, "C:\\Kestro\\sys\\Data\\a.bmp"},
    {"\\\\?\\C:\\Kestro\\sys\\Data\\a.bmp", "C:\\Kestro\\sys\\Data", true, "C:\\Kestro\\sys\\Data\\a.bmp"},
    {"C:\\Kestro\\sys\\Data\\sub\\a.bmp", "C:\\Kestro\\sys\\Data", true, "C:\\Kestro\\sys\\Data\\sub\\a.bmp"},
    {"C:\\x.bmp", "C:\\", true, "C:\\x.bmp"},
    // Out of the folder by a segment, a drive, a share or a longer name.
    {"C:\\Kestro\\sys\\Data\\..\\..\\..\\Windows\\win.ini", "C:\\Kestro\\sys\\Data", false, "C:\\Windows\\win.ini"},
    {"C:\\Kestro\\sys\\Data2\\a.bmp", "C:\\Kestro\\sys\\Data", false, "C:\\Kestro\\sys\\Data2\\a.bmp"},
    {"C:\\Kestro\\sys\\Data", "C:\\Kestro\\sys\\Data", false, "C:\\Kestro\\sys\\Data"},
    {"C:\\Kestro\\sys\\Data\\.", "C:\\Kestro\\sys\\Data", false, "C:\\Kestro\\sys\\Data"},
    {"D:\\Kestro\\sys\\Data\\a.bmp", "C:\\Kestro\\sys\\Data", false, "D:\\Kestro\\sys\\Data\\a.bmp"},
    {"\\\\server\\share\\Data\\a.bmp", "C:\\Kestro\\sys\\Data", false, "\\\\server\\share\\Data\\a.bmp"},
    // Shares: the share is the root, ".." never climbs above it.
    {"//SERVER/Share/Data/../../x.bmp", "\\\\server\\share", true, "\\\\SERVER\\Share\\x.bmp"},
    {"\\\\?\\UNC\\server\\share\\Data\\a.bmp", "\\\\server\\share\\Data", true, "\\\\server\\share\\Data\\a.bmp"},
    {"\\\\server\\other\\Data\\a.bmp", "\\\\server\\share\\Data", false, "\\\\server\\other\\Data\\a.bmp"},
    // Literal paths are taken as written: nothing stripped, no "." or "..".
    {"\\\\?\\C:\\Kestro\\sys\\Data.\\a.bmp", "C:\\Kestro\\sys\\Data", false, "\\\\?\\C:\\Kestro\\sys\\Data.\\a.bmp"},
    {"\\\\?\\UNC\\srv\\share\\a.bmp ", "\\\\srv\\share", false, "\\\\?\\UNC\\srv\\share\\a.bmp "},
    {"\\\\?\\C:\\Kestro\\sys\\Data\\..\\x.bmp", "C:\\Kestro\\sys\\Data", false, ""},
    {"\\\\?\\C:/Kestro/sys/Data/a.bmp", "C:\\Kestro\\sys\\Data", false, ""},
    {"\\\\?\\C:\\Kestro\\\\Data\\a.bmp", "C:\\Kestro\\Data", false, ""},
    // Double-byte names: a trail byte 0x5C ends no folder, and no trail byte
    // is taken for a letter of another case.
    {"C:\\" + kHyo + "\\a.bmp", "C:\\" + kHyo, true, "C:\\" + kHyo + "\\a.bmp"},
    {"C:\\x" + kHyo + "a.bmp", "C:\\x\x95", false, "C:\\x" + kHyo + "a.bmp"},
    {"C:\\" + kKataA + "\\a.bmp", "C:\\" + kKataSmall, false, "C:\\" + kKataA + "\\a.bmp"},
    {"C:\\" + kHyo + ". \\" + kHyo + "\\..\\b.bmp", "C:\\" + kHyo, true, "C:\\" + kHyo + "\\b.bmp"},
    // Nothing a page could safely be taken from.
    {"Data\\a.bmp", "C:\\Data", false, ""},
    {"C:Data\\a.bmp", "C:\\Data", false, ""},
    {"\\Data\\a.bmp", "C:\\Data", false, ""},
    {"\\\\.\\C:\\Data\\a.bmp", "C:\\Data", false, ""},
    {"//?/C:/Data/a.bmp", "C:\\Data", false, ""},
    {"\\\\server\\\\share\\a.bmp", "\\\\server", false, ""},
    {"\\\\server.\\share\\a.bmp", "\\\\server", false, ""},
    {"C:\\Data\\CON", "C:\\Data", false, ""},
    {"C:\\Data\\nul .txt", "C:\\Data", false, ""},
    {"C:\\Data\\com7.bmp", "C:\\Data", false, ""},
    {"C:\\Data\\a.bmp:stream", "C:\\Data", false, ""},
    {"C:\\Data\\a?.bmp", "C:\\Data", false, ""},
    {"C:\\Data\\...\\a.bmp", "C:\\Data", false, ""},
    {std::string("C:\\Data\\a\0.bmp", 14), "C:\\Data", false, ""},
    {"C:\\Data\\a\tb.bmp", "C:\\Data", false, ""},
    {"C:\\x\x95", "C:\\", false, ""},
    // A lead byte before "/" makes no character: Windows may split there.
    {"C:\\Data\\\xEA/..\\..\\x.bmp", "C:\\Data", false, ""},
    {"", "C:\\Data", false, ""},
};

TEST(AnsiPathNormal, EveryRowNormalisesAndLiesInsideItsFolderOrNot)
{
    for (const Row& row : kRows) {
        std::string normal = "left from before";
        const bool normalised = NormalisePath(row.path, IsCodePage932Lead, normal);
        EXPECT_EQ(normalised, !row.normal.empty()) << row.path;
        EXPECT_EQ(normal, row.normal) << row.path;
        std::string rest = "left from before";
        EXPECT_EQ(PathIsInsideFolder(row.path, row.folder, IsCodePage932Lead, &rest), row.inside)
            << row.path << " in " << row.folder;
        if (row.inside) {
            // The part below the folder leads back to the same path.
            std::string folder;
            ASSERT_TRUE(NormalisePath(row.folder, IsCodePage932Lead, folder));
            EXPECT_TRUE(SamePath(folder + "\\" + rest, row.path, IsCodePage932Lead)) << rest;
        } else {
            EXPECT_EQ(rest, "");
        }
        // The normal form is its own normal form.
        std::string again;
        if (normalised) {
            EXPECT_TRUE(NormalisePath(normal, IsCodePage932Lead, again)) << normal;
            EXPECT_EQ(again, normal);
        }
    }
}

TEST(AnsiPathNormal, SamePathIgnoresAsciiCaseOnly)
{
    EXPECT_TRUE(SamePath("c:/data/A.BMP", "C:\\Data\\a.bmp", IsCodePage932Lead));
    EXPECT_FALSE(SamePath("C:\\" + kKataA, "C:\\" + kKataSmall, IsCodePage932Lead));
    EXPECT_FALSE(SamePath("C:\\Data\\a.bmp", "C:\\Data\\b.bmp", IsCodePage932Lead));
    EXPECT_FALSE(SamePath("Data\\a.bmp", "Data\\a.bmp", IsCodePage932Lead)) << "relative";
}

}  // namespace
