#pragma once
#include "platform/processes.h"

class CWin32Processes : public IProcesses {
  public:
    bool Run(const std::wstring& commandLine, int32_t& exitCode) override;
    bool Start(const std::wstring& commandLine) override;
    bool StartShown(const std::wstring& commandLine, int showCommand) override;
};
