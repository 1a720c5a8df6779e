#pragma once
#include <windows.h>
#include <functional>

// Runs work on the thread that owns a window. Called there, the work runs at once; from any
// other thread it travels to the window with one sent message and the caller waits until it
// has run, so no worker ever touches a control itself. When the window is gone the work does
// not run.
class CWindowThreadCall {
  public:
    static void Run(HWND hWnd, const std::function<void()>& work);
    // For the window's procedure: true (and the work done) when `message` carried a call.
    static bool Answer(UINT message, WPARAM wParam, LPARAM lParam);
};
