#include "platform/win32/worker_thread.h"

CWorkerThread* CWorkerThread::Start(Procedure procedure, void* argument, CWorkerThread** slot) {
    CWorkerThread* thread = new CWorkerThread(procedure, argument);
    // Suspended: the handle and the slot are filled before the thread can end and free the object.
    thread->m_hThread = CreateThread(nullptr, 0, &CWorkerThread::Run, thread, CREATE_SUSPENDED,
                                     &thread->m_nThreadId);
    if (!thread->m_hThread) {
        delete thread;
        return nullptr;
    }
    if (slot)
        *slot = thread;
    ResumeThread(thread->m_hThread);
    return thread;
}

CWorkerThread::~CWorkerThread() {
    if (m_hThread)
        CloseHandle(m_hThread);
}

DWORD WINAPI CWorkerThread::Run(void* self) {
    CWorkerThread* thread = static_cast<CWorkerThread*>(self);
    const DWORD result = thread->m_pProcedure(thread->m_pArgument);
    delete thread;
    return result;
}
