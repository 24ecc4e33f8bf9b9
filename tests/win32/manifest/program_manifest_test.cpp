// The application manifests of Tessary.exe and KESTRO.EXE as Windows reads
// them: resource 1 of type RT_MANIFEST in each built program (loaded as a
// data file, never run), with the execution level, the supported versions
// of Windows, the common controls 6 and the display-scale awareness.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "win32_shared/loaded_module_win32.h"

namespace {

std::string ProgramFolder()
{
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string program(path, n < sizeof path ? n : 0);
    return program.substr(0, program.find_last_of('\\') + 1);
}

// The text of resource 1 of type RT_MANIFEST; empty when there is none.
std::string ManifestOf(const std::string& program)
{
    const LoadedModule loaded(LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    const HMODULE module = loaded.Get();
    if (!module)
        return std::string();
    std::string text;
    const HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    const HGLOBAL data = resource ? LoadResource(module, resource) : nullptr;
    const char* bytes = data ? static_cast<const char*>(LockResource(data)) : nullptr;
    if (bytes)
        text.assign(bytes, SizeofResource(module, resource));
    return text;
}

// The element that starts with `opening` (e.g. "<dpiAware "), up to its end.
std::string Element(const std::string& xml, const std::string& opening)
{
    const size_t start = xml.find(opening);
    if (start == std::string::npos)
        return std::string();
    const size_t end = xml.find('>', start);
    const std::string tag = xml.substr(start, end == std::string::npos ? end : end + 1 - start);
    if (tag.size() >= 2 && tag[tag.size() - 2] == '/')
        return tag;
    const std::string name = opening.substr(1, opening.find_first_of(" >") - 1);
    const size_t close = xml.find("</" + name + ">", start);
    return close == std::string::npos ? tag : xml.substr(start, close + name.size() + 3 - start);
}

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST(ProgramManifest, BothProgramsCarryTheManifestOfAProgramOfToday)
{
    const struct {
        const char* file;
        const char* name;
    } programs[] = {{"Tessary.exe", "TRVX.Quillmate.Tessary"}, {"KESTRO.exe", "TRVX.Quillmate.KESTRO"}};
    for (const auto& program : programs) {
        SCOPED_TRACE(program.file);
        const std::string xml = ManifestOf(ProgramFolder() + program.file);
        ASSERT_FALSE(xml.empty()) << "no manifest resource";
        EXPECT_EQ(xml.compare(0, 5, "<?xml"), 0);
        EXPECT_TRUE(Has(xml, "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">"));
        const std::string identity = Element(xml, "<assemblyIdentity ");
        EXPECT_TRUE(Has(identity, std::string("name=\"") + program.name + "\"")) << identity;
        EXPECT_TRUE(Has(identity, "processorArchitecture=\"x86\"")) << identity;

        EXPECT_TRUE(Has(Element(xml, "<requestedExecutionLevel "),
                        "level=\"asInvoker\" uiAccess=\"false\""));
        const std::string compatibility = Element(xml, "<compatibility ");
        for (const char* windows : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",   // 7
                                    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",   // 8
                                    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",   // 8.1
                                    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})  // 10 and 11
            EXPECT_TRUE(Has(compatibility, std::string("<supportedOS Id=\"") + windows + "\"/>"))
                << windows;

        // Aware of the system's scale, not per monitor; no long paths.
        EXPECT_TRUE(Has(Element(xml, "<dpiAware "), ">true</dpiAware>"));
        EXPECT_TRUE(Has(Element(xml, "<dpiAwareness "), ">system</dpiAwareness>"));
        EXPECT_FALSE(Has(xml, "<longPathAware"));

        const std::string controls = Element(xml, "<dependentAssembly>");
        for (const char* part : {"name=\"Microsoft.Windows.Common-Controls\"", "version=\"6.0.0.0\"",
                                 "processorArchitecture=\"x86\"",
                                 "publicKeyToken=\"6595b64144ccf1df\""})
            EXPECT_TRUE(Has(controls, part)) << part;
    }
}

}  // namespace
