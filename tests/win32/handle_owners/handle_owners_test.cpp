// The shared owners on real objects: what an owner held is gone after it,
// a move hands it on without closing it, and a Reset with the handle already
// held keeps it (the print dialog may answer with the block it was given).
#include <windows.h>
#include <msiquery.h>

#include <gtest/gtest.h>

#include <utility>

#include "win32_shared/gdi_handles_win32.h"
#include "win32_shared/global_memory_win32.h"
#include "win32_shared/kernel_handles_win32.h"
#include "win32_shared/msi_handle_win32.h"
#include "win32_shared/registry_key_win32.h"

namespace {

const char kEventName[] = "KestroHandleOwnersTestEvent";

// True while some handle keeps the named event alive.
bool EventExists()
{
    const HANDLE opened = OpenEventA(SYNCHRONIZE, FALSE, kEventName);
    if (!opened)
        return false;
    CloseHandle(opened);
    return true;
}

TEST(HandleOwners, KernelHandleClosesOnceAfterMovesAndResets)
{
    {
        KernelHandle first(CreateEventA(nullptr, TRUE, FALSE, kEventName));
        ASSERT_TRUE(first);
        KernelHandle second(std::move(first));
        EXPECT_FALSE(first);
        KernelHandle third;
        third = std::move(second);
        KernelHandle& same = third;
        third = std::move(same);  // a move onto itself keeps the handle
        EXPECT_TRUE(EventExists());
        EXPECT_TRUE(third.Close());
        EXPECT_FALSE(EventExists());
        EXPECT_TRUE(third.Close());  // closing an empty owner is no failure

        third.Reset(CreateEventA(nullptr, TRUE, FALSE, kEventName));
        EXPECT_TRUE(EventExists());
        const HANDLE released = third.Release();
        EXPECT_FALSE(third);
        CloseHandle(released);
        third.Reset(CreateEventA(nullptr, TRUE, FALSE, kEventName));
    }
    EXPECT_FALSE(EventExists());
    // What CreateFile gives on failure counts as empty and is never closed.
    KernelHandle missing(CreateFileA("C:\\no-such-folder\\no-such-file", GENERIC_READ, 0, nullptr,
                                     OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(missing);
    EXPECT_TRUE(missing.Close());
}

TEST(HandleOwners, GlobalBlockKeepsTheBlockItIsGivenAgain)
{
    GlobalBlock block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 64));
    ASSERT_TRUE(block);
    block.Reset(block.Get());
    EXPECT_EQ(GlobalSize(block.Get()), 64u);
    {
        const GlobalLockScope lock(block.Get());
        ASSERT_NE(lock.Data(), nullptr);
        EXPECT_EQ(GlobalFlags(block.Get()) & GMEM_LOCKCOUNT, 1u);
    }
    EXPECT_EQ(GlobalFlags(block.Get()) & GMEM_LOCKCOUNT, 0u);
    GlobalBlock taker(std::move(block));
    EXPECT_FALSE(block);
    EXPECT_EQ(GlobalSize(taker.Get()), 64u);
}

TEST(HandleOwners, GdiOwnersGiveBackObjectsAndSelections)
{
    HBITMAP bitmap = nullptr;
    HFONT font = nullptr;
    {
        const WindowDc screen(nullptr);
        ASSERT_TRUE(screen);
        CreatedDc memory(CreateCompatibleDC(screen.Get()));
        ASSERT_TRUE(memory);
        BitmapHandle picture(CreateCompatibleBitmap(screen.Get(), 8, 8));
        bitmap = picture.Get();
        picture.Reset(bitmap);  // the same bitmap again: kept
        EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
        FontHandle created(CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                       "Arial"));
        font = created.Get();
        const HGDIOBJ before = GetCurrentObject(memory.Get(), OBJ_FONT);
        {
            const ObjectSelection selection(memory.Get(), font);
            ASSERT_TRUE(selection);
            EXPECT_EQ(GetCurrentObject(memory.Get(), OBJ_FONT), font);
        }
        EXPECT_EQ(GetCurrentObject(memory.Get(), OBJ_FONT), before);
        {
            // A font whose creation failed: nothing is selected or restored.
            const ObjectSelection none(memory.Get(), nullptr);
            EXPECT_FALSE(none);
            EXPECT_EQ(GetCurrentObject(memory.Get(), OBJ_FONT), before);
        }
        EXPECT_EQ(GetCurrentObject(memory.Get(), OBJ_FONT), before);
        CreatedDc other(std::move(memory));
        EXPECT_EQ(GetObjectType(other.Get()), static_cast<DWORD>(OBJ_MEMDC));
    }
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    EXPECT_EQ(GetObjectType(font), 0u);
}

TEST(HandleOwners, MsiHandleClosesARecordOnce)
{
    MsiHandle record(MsiCreateRecord(2));
    ASSERT_TRUE(record);
    const MSIHANDLE held = record.Get();
    EXPECT_EQ(MsiRecordGetFieldCount(held), 2u);
    MsiHandle taker(std::move(record));
    EXPECT_FALSE(record);
    EXPECT_TRUE(taker.Close());
    EXPECT_EQ(MsiRecordGetFieldCount(held), static_cast<UINT>(-1));  // no longer a record
    EXPECT_TRUE(taker.Close());
}

TEST(HandleOwners, RegistryKeyOpensClosesAndAnswersForAMissingKey)
{
    RegistryKeyHandle key;
    EXPECT_FALSE(key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\KestroNoSuchKey\\Anywhere", KEY_READ));
    EXPECT_FALSE(key);
    ASSERT_TRUE(key.Open(HKEY_LOCAL_MACHINE, "SOFTWARE", KEY_READ));
    EXPECT_TRUE(key);
    EXPECT_TRUE(key.Close());
    EXPECT_FALSE(key);
    EXPECT_TRUE(key.Close());
}

}  // namespace
