#include "platform/win32/window_thread_call.h"
#include "platform/win32/window.h"

static UINT CallMessage() {
    static const UINT message = RegisteredMessage(L"Quillmate.WindowThreadCall");
    return message;
}

// Any process can send a registered message; only a sender that knows this value of our
// process carries a call object, so a stray message never makes us follow a foreign pointer.
static WPARAM CallCookie() {
    static const WPARAM cookie = reinterpret_cast<WPARAM>(&CallMessage) ^
                                 (static_cast<WPARAM>(GetCurrentProcessId()) << 7) ^
                                 static_cast<WPARAM>(GetTickCount());
    return cookie;
}

void CWindowThreadCall::Run(HWND hWnd, const std::function<void()>& work) {
    if (!hWnd || GetWindowThreadProcessId(hWnd, nullptr) == GetCurrentThreadId()) {
        work();
        return;
    }
    // The sender waits until the window's thread has run the work; the object on this stack
    // outlives the call.
    SendMessageW(hWnd, CallMessage(), CallCookie(), reinterpret_cast<LPARAM>(&work));
}

bool CWindowThreadCall::Answer(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == 0 || message != CallMessage())
        return false;
    if (wParam == CallCookie() && lParam && (InSendMessageEx(nullptr) & ISMEX_SEND))
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
    return true;
}
