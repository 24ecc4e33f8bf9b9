// The DLL as a host sees it: loaded by name, exports resolved by plain names.
#include <windows.h>

#include <gtest/gtest.h>

#include "jobport.h"
#include "win32_shared/loaded_module_win32.h"

namespace {

struct JobportDll {
    const LoadedModule loaded{LoadLibraryA("jobport.dll")};
    const HMODULE module = loaded.Get();
};

}  // namespace

TEST(DllExports, EveryExportResolvesByItsPlainName)
{
    JobportDll dll;
    ASSERT_NE(dll.module, nullptr) << "LoadLibrary failed: " << GetLastError();
    for (const char* name : {"JP_init", "JP_StartJob", "JP_SendData", "JP_EndJob", "JP_AbortJob"})
        EXPECT_NE(GetProcAddress(dll.module, name), nullptr) << name;
    // No decorated duplicates next to the plain names.
    for (const char* name : {"JP_init@4", "_JP_init@4", "JP_StartJob@8"})
        EXPECT_EQ(GetProcAddress(dll.module, name), nullptr) << name;
}

TEST(DllExports, ExportsCalledThroughGetProcAddressUseStdcall)
{
    JobportDll dll;
    ASSERT_NE(dll.module, nullptr);
    typedef int(__stdcall * EndJobFn)(int);
    EndJobFn endJob = reinterpret_cast<EndJobFn>(
        reinterpret_cast<void*>(GetProcAddress(dll.module, "JP_EndJob")));
    ASSERT_NE(endJob, nullptr);
    // Id 0 is refused at once. A wrong calling convention would leave the
    // stack unbalanced and corrupt the locals checked below.
    volatile int guard = 0x5A5A5A5A;
    for (int i = 0; i < 1000; ++i)
        EXPECT_EQ(endJob(0), 0);
    EXPECT_EQ(guard, 0x5A5A5A5A);
}

TEST(DllExports, CopyAssignmentOfTheExportedClassCopiesItsMember)
{
    CJOBPORT_DLL source;
    source.m_nValue = 42;
    CJOBPORT_DLL target;
    CJOBPORT_DLL& result = (target = source);
    EXPECT_EQ(target.m_nValue, 42);
    EXPECT_EQ(&result, &target);
}
