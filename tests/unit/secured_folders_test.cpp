// The permissions Setup gives the product's folders, read from their SDDL
// text ACE by ACE and played through Windows' access rules for three
// people: an administrator, Alice who creates a file, and Bob, another user.
// Also which folders Setup may take, and which files the uninstaller deletes.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "folder_verdict.h"
#include "secured_folders.h"

namespace {

// File and folder rights (winnt.h).
const uint32_t kList = 0x1, kAddFile = 0x2, kAddFolder = 0x4, kWriteEa = 0x10, kTraverse = 0x20,
               kDeleteChild = 0x40, kWriteAttributes = 0x100, kDelete = 0x10000,
               kReadControl = 0x20000, kWriteDac = 0x40000, kWriteOwner = 0x80000;
const uint32_t kReadData = 0x1, kWriteData = 0x2, kAppendData = 0x4;
const uint32_t kFullControl = 0x1F01FF;
const uint32_t kChangeFolder = kAddFolder | kWriteEa | kDeleteChild | kWriteAttributes | kDelete |
                               kWriteDac | kWriteOwner;

struct Ace {
    std::string flags;  // "OI", "CI", "IO" in any order
    uint32_t rights;
    std::string trustee;
    bool Has(const char* flag) const { return flags.find(flag) != std::string::npos; }
};

struct Dacl {
    bool parsed = false;
    bool isProtected = false;
    std::vector<Ace> aces;
};

// Reads "D:P(A;OICI;FA;;;SY)(A;;0x1200ab;;;BU)": allow ACEs only, rights as
// FA or hexadecimal; anything else leaves parsed false.
Dacl ParseDacl(const std::string& sddl)
{
    Dacl dacl;
    if (sddl.compare(0, 2, "D:") != 0)
        return dacl;
    std::size_t at = 2;
    dacl.isProtected = sddl.compare(at, 1, "P") == 0;
    at += dacl.isProtected ? 1 : 0;
    while (at < sddl.size()) {
        const std::size_t end = sddl.find(')', at);
        if (sddl[at] != '(' || end == std::string::npos)
            return dacl;
        std::vector<std::string> fields(1);
        for (const char c : sddl.substr(at + 1, end - at - 1)) {
            if (c == ';')
                fields.emplace_back();
            else
                fields.back().push_back(c);
        }
        if (fields.size() != 6 || fields[0] != "A" || !fields[3].empty() || !fields[4].empty())
            return dacl;
        for (std::size_t flag = 0; flag < fields[1].size(); flag += 2)
            if (std::set<std::string>{"OI", "CI", "IO"}.count(fields[1].substr(flag, 2)) == 0)
                return dacl;
        uint32_t rights = 0;
        if (fields[2] == "FA")
            rights = kFullControl;
        else if (fields[2].compare(0, 2, "0x") == 0)
            rights = static_cast<uint32_t>(std::stoul(fields[2], nullptr, 16));
        else
            return dacl;
        dacl.aces.push_back({fields[1], rights, fields[5]});
        at = end + 1;
    }
    dacl.parsed = true;
    return dacl;
}

// Someone's rights: the SIDs in their token ("alice" stands for Alice's own).
using Token = std::set<std::string>;
const Token kAdmin = {"admin", "BA", "BU"};
const Token kAlice = {"alice", "BU"};
const Token kBob = {"bob", "BU"};

// Rights on the folder itself, owned by the Administrators as Setup creates it.
uint32_t FolderRights(const Dacl& dacl, const Token& token)
{
    uint32_t rights = token.count("BA") ? kReadControl | kWriteDac : 0;  // the owner's own
    for (const Ace& ace : dacl.aces)
        if (!ace.Has("IO") && token.count(ace.trustee))
            rights |= ace.rights;
    return rights;
}

// Rights on a file (or, with folder, a sub-folder) that creator made inside.
uint32_t ChildRights(const Dacl& dacl, const std::string& creator, const Token& token,
                     bool folder = false)
{
    uint32_t rights = token.count(creator) ? kReadControl | kWriteDac : 0;
    for (const Ace& ace : dacl.aces) {
        const std::string trustee = ace.trustee == "CO" ? creator : ace.trustee;
        if (ace.Has(folder ? "CI" : "OI") && token.count(trustee))
            rights |= ace.rights;
    }
    return rights;
}

bool All(uint32_t rights, uint32_t wanted) { return (rights & wanted) == wanted; }

TEST(SecuredFolders, EachFolderAllowsWhatItsUseNeedsAndNothingMore)
{
    const std::map<std::string, Dacl> folders = [] {
        std::map<std::string, Dacl> byName;
        for (std::size_t i = 0; i < kSecuredFolderCount; ++i)
            byName[kSecuredFolders[i].name] = ParseDacl(kSecuredFolders[i].sddl);
        return byName;
    }();
    ASSERT_EQ(folders.size(), 5u);
    const std::vector<std::string> readOnly = {"", "System"};
    const std::vector<std::string> shared = {"Settings", "Logs"};
    const std::vector<std::string> private_ = {"System\\Data"};

    for (const auto& [name, dacl] : folders) {
        SCOPED_TRACE("folder \"" + name + "\"");
        ASSERT_TRUE(dacl.parsed);
        EXPECT_TRUE(dacl.isProtected) << "nothing is inherited from the folders above";
        for (const Ace& ace : dacl.aces)
            EXPECT_TRUE(std::set<std::string>({"SY", "BA", "BU", "CO"}).count(ace.trustee)) << ace.trustee;
        // Administrators and SYSTEM keep full control of everything.
        for (const char* keeper : {"SY", "BA"}) {
            const Token token = {keeper};
            EXPECT_EQ(FolderRights(dacl, token), kFullControl) << keeper;
            EXPECT_EQ(ChildRights(dacl, "alice", token), kFullControl) << keeper;
            EXPECT_EQ(ChildRights(dacl, "alice", token, true), kFullControl) << keeper;
        }
        // A user reaches through and may never change, delete, rename or
        // replace the folder, nor add a sub-folder (a junction) to it, but
        // for a folder of kept pages of the user's own in the data folder.
        const uint32_t user = FolderRights(dacl, kBob);
        const uint32_t userMayAdd = name == "System\\Data" ? kAddFolder : 0;
        EXPECT_TRUE(All(user, kTraverse | kList | userMayAdd));
        EXPECT_EQ(user & kChangeFolder & ~userMayAdd, 0u) << std::hex << user;
        EXPECT_EQ(FolderRights(dacl, kAdmin), kFullControl);
    }
    for (const std::string& name : readOnly)
        EXPECT_EQ(FolderRights(folders.at(name), kBob) & kAddFile, 0u) << name;
    for (const std::string& name : shared) {
        SCOPED_TRACE(name);
        const Dacl& dacl = folders.at(name);
        // Whoever comes first creates the shared file; every user then reads,
        // writes, replaces and deletes it, but cannot take it over.
        EXPECT_TRUE(All(FolderRights(dacl, kBob), kAddFile));
        const uint32_t other = ChildRights(dacl, "alice", kBob);
        EXPECT_TRUE(All(other, kReadData | kWriteData | kAppendData | kDelete)) << std::hex << other;
        EXPECT_EQ(other & (kWriteDac | kWriteOwner), 0u);
    }
    for (const std::string& name : private_) {
        SCOPED_TRACE(name);
        const Dacl& dacl = folders.at(name);
        // The system's temporary folder: a user adds pages and lists the
        // folder; a page is its creator's alone.
        EXPECT_TRUE(All(FolderRights(dacl, kBob), kAddFile | kList));
        EXPECT_EQ(ChildRights(dacl, "alice", kAlice), kFullControl);
        EXPECT_EQ(ChildRights(dacl, "alice", kBob), 0u) << "Bob cannot open, change or delete it";
        EXPECT_EQ(ChildRights(dacl, "alice", kAlice, true), kFullControl);
        EXPECT_EQ(ChildRights(dacl, "alice", kBob, true), 0u) << "nor enter Alice's folder";
    }
    // Nobody may delete a folder through the folder above it either.
    for (std::size_t i = 0; i < kSecuredFolderCount; ++i) {
        const std::string name = kSecuredFolders[i].name;
        const std::size_t cut = name.rfind('\\');
        const std::string parent = name.empty() ? "" : cut == std::string::npos ? "" : name.substr(0, cut);
        if (!name.empty()) {
            EXPECT_EQ(FolderRights(folders.at(parent), kBob) & kDeleteChild, 0u) << name;
            bool parentFirst = false;
            for (std::size_t j = 0; j < i; ++j)
                parentFirst |= parent == kSecuredFolders[j].name;
            EXPECT_TRUE(parentFirst) << name << " is created after its parent";
        }
    }
}

TEST(SecuredFolders, SetupTakesOnlyRealFoldersOfTrustedOwners)
{
    const std::string setupUser = "S-1-5-21-7-7-7-500";
    struct Case {
        FoundFolder found;
        FolderVerdict verdict;
    } cases[] = {
        {{false, false, false, ""}, FolderVerdict::Missing},
        {{true, true, false, "S-1-5-18"}, FolderVerdict::Trusted},
        {{true, true, false, "S-1-5-32-544"}, FolderVerdict::Trusted},
        {{true, true, false, "S-1-5-80-956008885-3425870976-2408532539-1979893520-3020367474"},
         FolderVerdict::Trusted},
        {{true, true, false, setupUser}, FolderVerdict::Trusted},
        {{true, true, true, "S-1-5-32-544"}, FolderVerdict::Link},
        {{true, false, false, "S-1-5-32-544"}, FolderVerdict::NotAFolder},
        {{true, true, false, "S-1-5-21-7-7-7-1001"}, FolderVerdict::ForeignOwner},
        {{true, true, false, "S-1-5-32-545"}, FolderVerdict::ForeignOwner},
        {{true, true, false, ""}, FolderVerdict::ForeignOwner},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(JudgeFolder(c.found, setupUser), c.verdict) << c.found.ownerSid;
        const bool refused = c.verdict != FolderVerdict::Missing && c.verdict != FolderVerdict::Trusted;
        EXPECT_EQ(RefusalReason(c.verdict, "PC\\bob").empty(), !refused);
    }
    EXPECT_NE(RefusalReason(FolderVerdict::ForeignOwner, "PC\\bob").find("PC\\bob"), std::string::npos);
}

TEST(SecuredFolders, UninstallDeletesOnlyWhatTheProgramsWrite)
{
    for (const char* name : {"KESTROd.LOG", "kestrod.log", "KESTROe.log", "KESTROlauncher.log",
                             "KESTROlauncher.old"})
        EXPECT_TRUE(IsProgramFile(ProgramFiles::Logs, name)) << name;
    for (const char* name : {"KESTROst.ini", "devmode0.bin", "DEVNAME12.BIN", "devmode123456789.bin"})
        EXPECT_TRUE(IsProgramFile(ProgramFiles::StoredSettings, name)) << name;
    for (const char* name : {"other.log", "KESTROd.LOG.lnk", "KESTROd.LO", "KESTROst.ini", ""})
        EXPECT_FALSE(IsProgramFile(ProgramFiles::Logs, name)) << name;
    for (const char* name : {"devmode.bin", "devmodeX.bin", "devmode-1.bin", "devmode1.bin.lnk",
                             "devmode1234567890.bin", "devmode1.binx", "devname1", "KESTROd.LOG"})
        EXPECT_FALSE(IsProgramFile(ProgramFiles::StoredSettings, name)) << name;
    EXPECT_FALSE(IsProgramFile(ProgramFiles::None, "KESTROst.ini"));
}

}  // namespace
