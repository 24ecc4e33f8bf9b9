// Page paths as a host passes them to JP_SendData: any length, "\" or "/"
// or neither, trailing dots and blanks, device names, double-byte text in
// code page 932 (whose trail bytes may be "\"). A page is moved whole into
// the data folder under a free name, or refused with nothing changed.
#include <string>

#include "fuzz_fixtures.h"
#include "jobport_readers/ansi_code_page.h"
#include "jobs/page_file_move.h"

namespace {

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

void CheckNames(const std::string& path, unsigned attempt)
{
    const std::string name = PageFileName(path);
    FUZZ_CHECK(name.size() <= path.size());
    FUZZ_CHECK(path.compare(path.size() - name.size(), name.size(), name) == 0);
    // The name holds no separator that the folder part does not end with.
    FUZZ_CHECK(PageFileName(name) == name);

    const std::string numbered = NumberedFileName(name, attempt);
    if (attempt <= 1) {
        FUZZ_CHECK(numbered == name);
    } else {
        const std::string mark = "(" + std::to_string(attempt) + ")";
        FUZZ_CHECK(numbered.size() == name.size() + mark.size());
        FUZZ_CHECK(numbered.find(mark) != std::string::npos);
    }
    FUZZ_CHECK(IsDeviceName(name) == IsDeviceName(Upper(name)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const uint8_t mode = input.Byte();
    const unsigned attempt = input.Word() % 12000;
    const unsigned takenNames = input.Byte() % 8;
    SetAnsiLeadByteTest((mode & 1) ? IsCodePage932Lead : nullptr);
    const std::string dataDir = input.Text(300);
    const std::string hostPath = AsCText(input.Rest());

    CheckNames(hostPath, attempt);

    MemoryPageFiles files;
    files.canRename = (mode & 2) == 0;
    // Pages already waiting under the name and its first numbered names.
    const std::string folder = DataFolderPath(dataDir.c_str());
    const std::string name = PageFileName(hostPath);
    for (unsigned n = 1; n <= takenNames; ++n)
        files.files[folder + "\\" + NumberedFileName(name, n)] = "waiting";
    if ((mode & 4) == 0)
        files.files[hostPath] = "page";
    const auto filesBefore = files.files;
    // The host may name a page that waits in the data folder itself.
    const auto source = files.files.find(hostPath);
    const std::string content = source != files.files.end() ? source->second : "";

    std::string newPath = "unchanged";
    PageRefusal refusal;
    if (MovePageFile(files, dataDir.c_str(), hostPath, newPath, refusal)) {
        FUZZ_CHECK(newPath.size() < 260);
        FUZZ_CHECK(newPath.compare(0, folder.size() + 1, folder + "\\") == 0);
        FUZZ_CHECK(filesBefore.count(newPath) == 0);
        FUZZ_CHECK(files.files[newPath] == content);
        FUZZ_CHECK(files.files.count(hostPath) == 0);
        FUZZ_CHECK(files.files.size() == filesBefore.size());
        FUZZ_CHECK(!IsDeviceName(name) && !name.empty());
    } else {
        FUZZ_CHECK(newPath == "unchanged");
        FUZZ_CHECK(files.files == filesBefore);
        FUZZ_CHECK(refusal.reason && refusal.reason[0] != '\0');
        const std::string line = PageRefusalLine(refusal, hostPath);
        FUZZ_CHECK(line.find(hostPath) != std::string::npos);
    }
    SetAnsiLeadByteTest(nullptr);
    return 0;
}
