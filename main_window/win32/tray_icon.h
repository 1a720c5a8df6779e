#pragma once
#include <windows.h>
#include <cstdint>
#include <string>

// The notification-area icon of `hOwner` (icon id 0, callback UM_TRAY_CALLBACK): TRAY_ADD,
// TRAY_REMOVE or TRAY_MODIFY with the attached or detached picture and the tip. Any other
// operation asks nothing of the shell. False when the shell refused.
bool NotifyTrayIcon(HWND hOwner, int32_t operation, bool connected, const std::wstring& tip);

// Tracks sub-menu 0 of `hMenu` at the cursor for `hOwner`, the toggle item showing
// `toggleText`. Nothing happens without a menu.
void TrackTrayMenu(HWND hOwner, HMENU hMenu, const std::wstring& toggleText);

// Sets the text of the item with command `command` anywhere in `hMenu`.
void SetMenuText(HMENU hMenu, UINT command, const std::wstring& text);
