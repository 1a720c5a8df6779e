#pragma once
// Drives windows of the test's main thread from a second thread, as another program would:
// finds them, reads texts, positions and styles, sends input, and keeps screenshots.
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

// Runs `run` (which opens a modal window) on this thread while `drive` gets the first visible
// top-level window of this thread, on a thread of its own. `drive` gets null when none
// appeared within 5 s; it must end the window. Returns what `run` returned.
INT_PTR RunDriven(const std::function<INT_PTR()>& run, const std::function<void(HWND)>& drive);

std::wstring ItemText(HWND hDialog, int id);
std::wstring WindowTextOf(HWND hWnd);
// Rectangle of a child in its parent's client coordinates.
RECT ItemRect(HWND hDialog, int id);
bool ItemVisible(HWND hDialog, int id);
LONG ExStyle(HWND hWnd);
SIZE WindowSize(HWND hWnd);
// Waits up to 8 s until a window that slides in keeps its size (the callout and popup).
void WaitSizeSettled(HWND hWnd);

// Lets the window's thread handle everything queued so far.
void Settle(HWND hWnd, DWORD milliseconds = 30);
// Presses a button the way a mouse click does.
void Click(HWND hDialog, int id);
void PressKey(HWND hTarget, WORD key);
// Waits until the window is gone; false after `milliseconds`.
bool WaitGone(HWND hWnd, DWORD milliseconds);

// Saves what the screen shows of the window as QM_SCREENSHOT_DIR/name.bmp (when set).
void Screenshot(HWND hWnd, const std::wstring& name);

// Every visible text of the window's controls that is wider than its control, or a control
// that reaches outside the window's client area, or a static text taller than its control: one
// line "id: what" each. Static texts are measured with their own font (wrapped where the
// control wraps), button captions with the 9-point caption font.
std::vector<std::wstring> TextOverflows(HWND hWnd);
// The lines, each on a line of its own and indented, for a failure message.
std::wstring Joined(const std::vector<std::wstring>& lines);
