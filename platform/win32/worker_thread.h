#pragma once
#include "platform/win32/scoped_handles.h"
#include <windows.h>

// A thread running one function with one argument (a window or the application object). The
// object deletes itself when the function returns, so whoever keeps its pointer in a slot must
// clear the slot from within the function, as its last action.
class CWorkerThread {
  public:
    using Procedure = DWORD (*)(void* argument);

    // Starts the thread; false when it cannot be started. The object may be gone as soon as the
    // thread has run, even before Start returns, so no pointer to it is handed back: a given
    // slot is filled before the thread runs (the thread clears it at its end), and a given
    // holder receives the thread's handle, valid until the holder releases it, for whoever must
    // wait for the thread's end.
    static bool Start(Procedure procedure, void* argument, CWorkerThread** slot = nullptr,
                      CScopedHandle* thread = nullptr);

  private:
    CWorkerThread(Procedure procedure, void* argument)
        : m_pProcedure(procedure), m_pArgument(argument) {}
    ~CWorkerThread() = default;
    static DWORD WINAPI Run(void* self);

    Procedure m_pProcedure;
    void* m_pArgument;
    CScopedHandle m_hThread; // unless a holder took it
};
