#include "main_window/win32/tray_icon.h"
#include <cstddef> // main_ids.h uses size_t
#include "main_window/main_ids.h"
#include "res/resource.h"
#include <shellapi.h>
#include <algorithm>

// The record without the later fields (item GUID, balloon icon): the size every system since
// Windows 2000 accepts, 936 bytes in a 32-bit program.
static constexpr DWORD TRAY_RECORD_SIZE = NOTIFYICONDATAW_V2_SIZE;
#ifndef _WIN64
static_assert(TRAY_RECORD_SIZE == 936, "the Unicode tray record of 32-bit programs is 936 bytes");
#endif
static_assert(sizeof(NOTIFYICONDATAW::szTip) / sizeof(wchar_t) == TRAY_TIP_CHARS);

static bool ShellOperation(int32_t operation, DWORD& message) {
    switch (operation) {
    case TRAY_ADD:
        message = NIM_ADD;
        return true;
    case TRAY_REMOVE:
        message = NIM_DELETE;
        return true;
    case TRAY_MODIFY:
        message = NIM_MODIFY;
        return true;
    default:
        return false;
    }
}

static HICON TrayPicture(bool connected) {
    // The small-icon size of the system, shared: the shell copies the picture, nothing to free.
    return static_cast<HICON>(LoadImageW(
        GetModuleHandleW(nullptr),
        MAKEINTRESOURCEW(connected ? IDI_PLAYER_ATTACHED : IDI_PLAYER_DETACHED), IMAGE_ICON,
        GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

bool NotifyTrayIcon(HWND hOwner, int32_t operation, bool connected, const std::wstring& tip) {
    NOTIFYICONDATAW record{};
    record.cbSize = TRAY_RECORD_SIZE;
    record.hWnd = hOwner;
    record.uID = 0;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = UM_TRAY_CALLBACK;
    record.hIcon = TrayPicture(connected);
    const size_t length = std::min(tip.size(), TRAY_TIP_CHARS - 1);
    std::copy_n(tip.c_str(), length, record.szTip);
    record.szTip[length] = L'\0';
    DWORD message = 0;
    if (!ShellOperation(operation, message))
        return false;
    return Shell_NotifyIconW(message, &record) != FALSE;
}

void SetMenuText(HMENU hMenu, UINT command, const std::wstring& text) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING;
    item.dwTypeData = const_cast<wchar_t*>(text.c_str());
    SetMenuItemInfoW(hMenu, command, FALSE, &item);
}

void TrackTrayMenu(HWND hOwner, HMENU hMenu, const std::wstring& toggleText) {
    if (!hMenu)
        return;
    SetMenuText(hMenu, ID_TRAY_TOGGLE_CHECK, toggleText);
    HMENU hPopup = GetSubMenu(hMenu, 0);
    if (!hPopup)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    SetMenuDefaultItem(hPopup, static_cast<UINT>(-1), TRUE);
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(hOwner);
    // Right-button tracking, the menu's bottom at the cursor and its left edge there too
    // whatever the menu drop alignment says: the taskbar sits at the bottom and the menu must
    // open upwards beside the icon.
    TrackPopupMenu(hPopup, TPM_RIGHTBUTTON | TPM_BOTTOMALIGN | TPM_LEFTALIGN, cursor.x, cursor.y, 0,
                   hOwner, nullptr);
    // The documented way to let the menu's own loop end before the next click.
    PostMessageW(hOwner, WM_NULL, 0, 0);
}
