#pragma once
#include <windows.h>

// One owner per handle kind: the handle is freed when the holder goes, exactly once.
template <typename T, typename Free> class CScopedHolder {
  public:
    explicit CScopedHolder(T handle = nullptr) : m_handle(handle) {}
    ~CScopedHolder() { Reset(); }
    CScopedHolder(const CScopedHolder&) = delete;
    CScopedHolder& operator=(const CScopedHolder&) = delete;

    T Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    void Reset(T handle = nullptr) {
        if (m_handle)
            Free()(m_handle);
        m_handle = handle;
    }

  private:
    T m_handle;
};

struct GdiObjectFree {
    void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct HandleFree {
    void operator()(HANDLE h) const {
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    }
};
struct KeyFree {
    void operator()(HKEY h) const { RegCloseKey(h); }
};
struct MenuFree {
    void operator()(HMENU h) const { DestroyMenu(h); }
};
struct MemoryDcFree {
    void operator()(HDC h) const { DeleteDC(h); }
};

template <typename T = HGDIOBJ> using CScopedGdiObject = CScopedHolder<T, GdiObjectFree>;
using CScopedHandle = CScopedHolder<HANDLE, HandleFree>;
using CScopedKey = CScopedHolder<HKEY, KeyFree>;
using CScopedMenu = CScopedHolder<HMENU, MenuFree>;
using CScopedMemoryDc = CScopedHolder<HDC, MemoryDcFree>;

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
