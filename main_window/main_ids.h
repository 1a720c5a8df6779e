#pragma once
#include "ui/timer_ids.h"
#include <cstddef>
#include <cstdint>

// The main window's private messages, commands and registered message names, and the periods of
// its timers: one table for the model, the Win32 window and the tests.

// Window messages, as offsets from WM_USER (0x400).
inline constexpr uint32_t WM_USER_BASE = 0x0400;
inline constexpr uint32_t UM_TRAY_CALLBACK = WM_USER_BASE;
inline constexpr uint32_t UM_STARTUP_DECISION = WM_USER_BASE + 1;
inline constexpr uint32_t UM_NO_CONNECTION = WM_USER_BASE + 3;
inline constexpr uint32_t UM_CHECK_ACCEPTED = WM_USER_BASE + 4;
inline constexpr uint32_t UM_PROGRESS_REFRESH = WM_USER_BASE + 5;

inline constexpr const wchar_t* SHOW_DIALOG_MESSAGE_NAME =
    L"{{4DB4E03B-2ED9-4ac5-8BC5-EED9E910B3C6}}_WM_SHOW_DIALOG_MSG";
inline constexpr const wchar_t* DESTROY_TRAY_ICON_MESSAGE_NAME =
    L"{{4DB4E03B-2ED9-4ac5-8BC5-EED9E910B3C6}}_WM_DESTROY_TRAY_ICON_MSG";

// Periods of the main window's timers (ids in ui/timer_ids.h).
inline constexpr uint32_t ANIMATION_PERIOD_MS = 120;
inline constexpr uint32_t ONLINE_CHECK_DELAY_MS = 500;
inline constexpr uint32_t RETRY_PERIOD_MS = 60000;
// Failed connectivity retries after which a silent start gives up with the notice.
inline constexpr int32_t RETRY_LIMIT = 5;

// Commands: the system menu's About item and the tray menu (menu resource 129).
inline constexpr uint32_t CMD_ABOUT = 16;
inline constexpr uint32_t SC_CLOSE_COMMAND = 0xF060;
inline constexpr uint32_t ID_TRAY_EXIT = 32772;
inline constexpr uint32_t ID_TRAY_LAUNCH = 32773;
inline constexpr uint32_t ID_TRAY_TOGGLE_CHECK = 32775;
inline constexpr uint32_t ID_TRAY_CHECK_FOR_UPDATES = 32777;

// Tray mouse messages in the callback's second parameter, and keys of the window.
inline constexpr uint32_t MOUSE_LBUTTONUP = 0x0202;
inline constexpr uint32_t MOUSE_LBUTTONDBLCLK = 0x0203;
inline constexpr uint32_t MOUSE_RBUTTONUP = 0x0205;
inline constexpr uint32_t KEY_ENTER = 13;
inline constexpr uint32_t KEY_ESCAPE = 27;
inline constexpr uint32_t KEY_F5 = 116;
// The device-change event that starts a presence refresh (DBT_DEVNODES_CHANGED).
inline constexpr uint32_t DEVICE_NODES_CHANGED = 7;
inline constexpr uint32_t DEVICE_CHANGE_PAUSE_MS = 100;

// Operations of UpdateTrayIcon.
inline constexpr int32_t TRAY_ADD = 1;
inline constexpr int32_t TRAY_REMOVE = 0;
inline constexpr int32_t TRAY_MODIFY = -1;
// The tray tip field holds this many characters, the terminator included.
inline constexpr size_t TRAY_TIP_CHARS = 128;
inline constexpr uint32_t TRAY_ADD_RETRY_MS = 1000;
// How often the ending program looks whether its workers have finished.
inline constexpr uint32_t WORKER_POLL_MS = 50;
