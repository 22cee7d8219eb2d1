#pragma once

// RAII owners for GDI resources. An object is always selected out of a DC
// before it is deleted (Selection restores the previous one first), so the
// process's GDI object count stays flat however often a control repaints.

#include "win/Handles.h"

#include <windows.h>

#include <utility>

namespace klarvo {

namespace handle_traits {
template <typename H> struct Gdi {
    using Handle = H;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
} // namespace handle_traits

// A GDI object (pen, brush, font, bitmap, region) deleted with DeleteObject.
template <typename H> using GdiObject = UniqueHandle<handle_traits::Gdi<H>>;

using PenHandle = GdiObject<HPEN>;
using BrushHandle = GdiObject<HBRUSH>;
using FontHandle = GdiObject<HFONT>;
using BitmapHandle = GdiObject<HBITMAP>;
using RegionHandle = GdiObject<HRGN>;

// A window's DC from GetDC (the screen's for no window), released with
// ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDc() { Reset(); }
    WindowDc(WindowDc&& o) noexcept : hwnd_(o.hwnd_), dc_(std::exchange(o.dc_, nullptr)) {}
    WindowDc& operator=(WindowDc&& o) noexcept
    {
        if (this != &o) {
            Reset();
            hwnd_ = o.hwnd_;
            dc_ = std::exchange(o.dc_, nullptr);
        }
        return *this;
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

private:
    void Reset()
    {
        if (dc_) {
            ReleaseDC(hwnd_, std::exchange(dc_, nullptr));
        }
    }

    HWND hwnd_;
    HDC dc_;
};

namespace handle_traits {
struct MemoryDc {
    using Handle = HDC;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DeleteDC(h); }
};
} // namespace handle_traits

// A memory DC from CreateCompatibleDC, deleted with DeleteDC.
class MemoryDc : public UniqueHandle<handle_traits::MemoryDc> {
public:
    explicit MemoryDc(HDC compatibleWith = nullptr) : UniqueHandle(CreateCompatibleDC(compatibleWith)) {}
};

// Selects an object into a DC and puts the previous one back on destruction.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    ~Selection()
    {
        if (old_) {
            SelectObject(dc_, old_);
        }
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// SaveDC / RestoreDC around a block.
class SavedDc {
public:
    explicit SavedDc(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
    ~SavedDc()
    {
        if (id_) {
            RestoreDC(dc_, id_);
        }
    }
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;

private:
    HDC dc_;
    int id_;
};

// Live GDI objects of this process, for leak checks.
DWORD GdiObjectCount();

} // namespace klarvo
