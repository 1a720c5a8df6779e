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
    // For functions that hand out a new handle through a pointer.
    Handle* Receive() {
        Reset();
        return &m_h;
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

// Owners whose empty value is null and whose release is one call.
template <class Handle, auto Free> struct NullHandleTraits {
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle handle) { return handle != nullptr; }
    static void Close(Handle handle) { Free(handle); }
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

template <class Object = HGDIOBJ>
using CScopedGdiObject = CScoped<Object, GdiObjectTraits<Object>>;
using CScopedMemoryDC = CScoped<HDC, MemoryDcTraits>;
using CScopedHandle = CScoped<HANDLE, KernelHandleTraits>;
using CScopedKey = CScoped<HKEY, RegistryKeyTraits>;
using CScopedLibrary = CScoped<HMODULE, NullHandleTraits<HMODULE, FreeLibrary>>;
using CScopedMenu = CScoped<HMENU, NullHandleTraits<HMENU, DestroyMenu>>;

// Selects an object into a device context for one scope.
class CScopedSelect {
  public:
    CScopedSelect(HDC hDC, HGDIOBJ hObject) : m_hDC(hDC), m_hOld(SelectObject(hDC, hObject)) {}
    ~CScopedSelect() { SelectObject(m_hDC, m_hOld); }
    CScopedSelect(const CScopedSelect&) = delete;
    CScopedSelect& operator=(const CScopedSelect&) = delete;

  private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};
