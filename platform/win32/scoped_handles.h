#pragma once
#include <windows.h>

// Owners of one Windows handle each, released when the owner ends: one kind per release
// function, shared by every window, control and port.
template <class Handle, class Traits> class CScoped {
  public:
    CScoped() = default;
    explicit CScoped(Handle handle) : m_h(handle) {}
    ~CScoped() { Reset(); }
    CScoped(const CScoped&) = delete;
    CScoped& operator=(const CScoped&) = delete;
    CScoped(CScoped&& other) noexcept : m_h(other.Release()) {}
    CScoped& operator=(CScoped&& other) noexcept {
        Reset(other.Release());
        return *this;
    }

    Handle Get() const { return m_h; }
    explicit operator bool() const { return Traits::IsValid(m_h); }
    // Releases the handle held so far and keeps `handle` instead.
    void Reset(Handle handle = Traits::Invalid()) {
        if (Traits::IsValid(m_h))
            Traits::Close(m_h);
        m_h = handle;
    }
    // Gives the handle up without releasing it.
    Handle Release() {
        const Handle handle = m_h;
        m_h = Traits::Invalid();
        return handle;
    }

  private:
    Handle m_h = Traits::Invalid();
};

template <class Object> struct GdiObjectTraits {
    static Object Invalid() { return nullptr; }
    static bool IsValid(Object object) { return object != nullptr; }
    static void Close(Object object) { DeleteObject(object); }
};

struct MemoryDcTraits {
    static HDC Invalid() { return nullptr; }
    static bool IsValid(HDC hDC) { return hDC != nullptr; }
    static void Close(HDC hDC) { DeleteDC(hDC); }
};

// Kernel objects: threads, processes, events, mutexes, files. Functions that fail with
// INVALID_HANDLE_VALUE and those that fail with null both leave an empty holder.
struct KernelHandleTraits {
    static HANDLE Invalid() { return nullptr; }
    static bool IsValid(HANDLE handle) {
        return handle != nullptr && handle != INVALID_HANDLE_VALUE;
    }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};

struct RegistryKeyTraits {
    static HKEY Invalid() { return nullptr; }
    static bool IsValid(HKEY hKey) { return hKey != nullptr; }
    static void Close(HKEY hKey) { RegCloseKey(hKey); }
};

template <class Object> using CScopedGdiObject = CScoped<Object, GdiObjectTraits<Object>>;
using CScopedMemoryDC = CScoped<HDC, MemoryDcTraits>;
using CScopedHandle = CScoped<HANDLE, KernelHandleTraits>;
using CScopedKey = CScoped<HKEY, RegistryKeyTraits>;
