#pragma once
#include <windows.h>

// A thread running one function with one argument (a window or the application object). The
// object deletes itself when the function returns, so whoever keeps its pointer in a slot must
// clear the slot from within the function, as its last action.
class CWorkerThread {
  public:
    using Procedure = DWORD (*)(void* argument);

    // Starts the thread; null when it cannot be started. A given slot is filled before the
    // thread runs, so the thread may clear it at its end.
    static CWorkerThread* Start(Procedure procedure, void* argument,
                                CWorkerThread** slot = nullptr);

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadId = 0;

  private:
    CWorkerThread(Procedure procedure, void* argument)
        : m_pProcedure(procedure), m_pArgument(argument) {}
    ~CWorkerThread();
    static DWORD WINAPI Run(void* self);

    Procedure m_pProcedure;
    void* m_pArgument;
};
