#pragma once
#include <windows.h>

// Owns one handle of a kind and closes it when it goes; one holder per kind of handle.
template <typename T, auto Close> class CScoped {
  public:
    CScoped() = default;
    explicit CScoped(T handle) : m_h(handle) {}
    ~CScoped() { Reset(); }
    CScoped(const CScoped&) = delete;
    CScoped& operator=(const CScoped&) = delete;

    T Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }
    void Reset(T handle = nullptr) {
        if (m_h)
            Close(m_h);
        m_h = handle;
    }
    // For functions that hand out a new handle through a pointer.
    T* Receive() {
        Reset();
        return &m_h;
    }

  private:
    T m_h = nullptr;
};

using CScopedHandle = CScoped<HANDLE, CloseHandle>;
using CScopedKey = CScoped<HKEY, RegCloseKey>;
using CScopedLibrary = CScoped<HMODULE, FreeLibrary>;
using CScopedGdiObject = CScoped<HGDIOBJ, DeleteObject>;
