#include "platform/win32/worker_thread.h"

bool CWorkerThread::Start(Procedure procedure, void* argument, CWorkerThread** slot,
                          CScopedHandle* thread) {
    CWorkerThread* worker = new CWorkerThread(procedure, argument);
    // Suspended: the handle and the slot are settled before the thread can end and free the
    // object.
    HANDLE hThread =
        CreateThread(nullptr, 0, &CWorkerThread::Run, worker, CREATE_SUSPENDED, nullptr);
    if (!hThread) {
        delete worker;
        return false;
    }
    if (thread)
        thread->Reset(hThread);
    else
        worker->m_hThread.Reset(hThread);
    if (slot)
        *slot = worker;
    ResumeThread(hThread);
    return true;
}

DWORD WINAPI CWorkerThread::Run(void* self) {
    CWorkerThread* worker = static_cast<CWorkerThread*>(self);
    const DWORD result = worker->m_pProcedure(worker->m_pArgument);
    delete worker;
    return result;
}
