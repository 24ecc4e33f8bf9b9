// Owners of GDI objects, icons and device contexts (unique_handle_win32.h),
// and the scopes of a window's device context, a selection and a painting:
// each gives back what it holds when it goes out of scope, also on an early
// return or an exception.
#pragma once
#include <windows.h>

#include "win32_shared/unique_handle_win32.h"

// A GDI object this program created (a bitmap, a font), deleted with
// DeleteObject. Never for stock objects or objects a window still shows.
template <typename T>
struct GdiObjectTraits : NullIsEmpty<T> {
    static bool Free(T object) { return DeleteObject(object) != FALSE; }
};
using BitmapHandle = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using FontHandle = UniqueHandle<GdiObjectTraits<HFONT>>;

// An icon this program created (CreateIconIndirect, LoadImage with a size),
// destroyed with DestroyIcon. Never for an icon from LoadIcon: that one is
// the system's shared copy.
struct IconHandleTraits : NullIsEmpty<HICON> {
    static bool Free(Handle icon) { return DestroyIcon(icon) != FALSE; }
};
using IconHandle = UniqueHandle<IconHandleTraits>;

// A device context this program created (CreateDC, CreateCompatibleDC; a
// memory device context like the screen's: CreateCompatibleDC(nullptr)),
// deleted with DeleteDC unless handed on.
struct CreatedDcTraits : NullIsEmpty<HDC> {
    static bool Free(Handle dc) { return DeleteDC(dc) != FALSE; }
};
using CreatedDc = UniqueHandle<CreatedDcTraits>;

// The device context of a window's client area (GetDC; a null window: the
// screen's), released with ReleaseDC to the same window.
class WindowDc {
public:
    explicit WindowDc(HWND window) : m_window(window), m_dc(GetDC(window)) {}
    ~WindowDc()
    {
        if (m_dc)
            ReleaseDC(m_window, m_dc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC Get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HWND m_window;
    HDC m_dc;
};

// An object selected into a device context; the one it replaced comes back
// at Restore() or at the end of the scope, so that the object can be
// deleted afterwards (declare the selection after the object's owner). A
// null object (a creation that failed) is not selected: the device context
// keeps what it has.
class ObjectSelection {
public:
    ObjectSelection(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(Select(dc, object)) {}
    ~ObjectSelection() { Restore(); }
    ObjectSelection(const ObjectSelection&) = delete;
    ObjectSelection& operator=(const ObjectSelection&) = delete;

    // False when the selection failed.
    explicit operator bool() const { return m_previous != nullptr; }
    void Restore()
    {
        if (m_previous)
            SelectObject(m_dc, m_previous);
        m_previous = nullptr;
    }

private:
    // The object replaced; null when nothing was selected (SelectObject
    // answers null, or HGDI_ERROR, when it fails).
    static HGDIOBJ Select(HDC dc, HGDIOBJ object)
    {
        const HGDIOBJ previous = object ? SelectObject(dc, object) : nullptr;
        return previous == HGDI_ERROR ? nullptr : previous;
    }

    HDC m_dc;
    HGDIOBJ m_previous;
};

// Painting a window in answer to WM_PAINT: BeginPaint, then EndPaint.
class PaintDc {
public:
    explicit PaintDc(HWND window) : m_window(window), m_dc(BeginPaint(window, &m_paint)) {}
    ~PaintDc() { EndPaint(m_window, &m_paint); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;

    HDC Get() const { return m_dc; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint;
    HDC m_dc;
};
