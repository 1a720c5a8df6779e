#include "online/install_lock.h"
#include <algorithm>

std::wstring InstallMutexName(const std::wstring& keyPath) {
    // A backslash would name a namespace in a kernel object name.
    std::wstring name = L"Quillmate install " + keyPath;
    std::replace(name.begin(), name.end(), L'\\', L'/');
    return name;
}

CInstallLock::CInstallLock(INamedMutexes& mutexes, const std::wstring& keyPath)
    : m_mutexes(mutexes), m_hMutex(mutexes.CreateOrOpen(InstallMutexName(keyPath).c_str())) {
    // An abandoned mutex is held as well: its owner ended midway, which the recovery settles.
    // Another copy's install takes seconds; one that holds the lock for minutes has hung, and
    // this install fails rather than wait for ever.
    const MutexWait wait =
        m_hMutex ? m_mutexes.Wait(m_hMutex, INSTALL_LOCK_WAIT_MS) : MutexWait::FAILED;
    m_bHeld = wait == MutexWait::ACQUIRED || wait == MutexWait::ABANDONED;
}

CInstallLock::~CInstallLock() {
    if (m_bHeld)
        m_mutexes.Release(m_hMutex);
    if (m_hMutex)
        m_mutexes.Close(m_hMutex);
}
