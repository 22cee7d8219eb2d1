#pragma once

// Move-only owners for the handles both programs open and must give back:
// each kind is closed by its own call, exactly once, however the scope ends.

#include <windows.h>

#include <utility>

namespace klarvo {

// Traits name the handle type, the value that means "nothing owned" and the
// call that gives a handle back.
template <typename Traits> class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : h_(h) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Traits::Empty())) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept
    {
        if (this != &o) {
            Reset(std::exchange(o.h_, Traits::Empty()));
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::Empty(); }
    // Gives up ownership (for example to SetWindowRgn, which takes it over).
    Handle Release() { return std::exchange(h_, Traits::Empty()); }
    void Reset(Handle h = Traits::Empty())
    {
        const Handle old = std::exchange(h_, h);
        if (old != Traits::Empty()) {
            Traits::Close(old);
        }
    }
    // For calls that hand the handle out through a pointer (RegOpenKeyExA):
    // whatever was owned is closed first.
    Handle* Receive()
    {
        Reset();
        return &h_;
    }

private:
    Handle h_ = Traits::Empty();
};

namespace handle_traits {

// Threads, processes, events, mutexes: nullptr when the call failed.
struct Kernel {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { CloseHandle(h); }
};

// CreateFileA fails with INVALID_HANDLE_VALUE instead.
struct File {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};

// A directory search is no kernel object: CloseHandle would leave it open.
struct Find {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};

struct RegistryKey {
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};

// A menu nobody attached to a window.
struct Menu {
    using Handle = HMENU;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DestroyMenu(h); }
};

struct Icon {
    using Handle = HICON;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DestroyIcon(h); }
};

// Memory of GlobalAlloc, for the calls that take an HGLOBAL.
struct GlobalMemory {
    using Handle = HGLOBAL;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { GlobalFree(h); }
};

} // namespace handle_traits

using KernelHandle = UniqueHandle<handle_traits::Kernel>;
using FileHandle = UniqueHandle<handle_traits::File>;
using FindHandle = UniqueHandle<handle_traits::Find>;
using RegistryKey = UniqueHandle<handle_traits::RegistryKey>;
using MenuHandle = UniqueHandle<handle_traits::Menu>;
using IconHandle = UniqueHandle<handle_traits::Icon>;
using GlobalMemory = UniqueHandle<handle_traits::GlobalMemory>;

} // namespace klarvo
