#pragma once
#include "platform/named_mutex.h"
#include <cstdint>
#include <string>

class INamedMutexes;

// How long an install waits for another one of the same key.
inline constexpr uint32_t INSTALL_LOCK_WAIT_MS = 300000;

// The mutex name that serialises the installs of one registry key, and their recovery, between
// the bindings that share the key (the two Pulo4 bindings) and between copies of the program.
std::wstring InstallMutexName(const std::wstring& keyPath);

// Holds that mutex for one scope.
class CInstallLock {
  public:
    CInstallLock(INamedMutexes& mutexes, const std::wstring& keyPath);
    ~CInstallLock();
    CInstallLock(const CInstallLock&) = delete;
    CInstallLock& operator=(const CInstallLock&) = delete;
    bool Held() const { return m_bHeld; }

  private:
    INamedMutexes& m_mutexes;
    MutexHandle m_hMutex = nullptr;
    bool m_bHeld = false;
};
