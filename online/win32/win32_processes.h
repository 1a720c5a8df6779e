#pragma once
#include "platform/processes.h"

class CWin32Processes : public IProcesses {
  public:
    RunOutcome RunChecked(const std::wstring& program, const std::wstring& arguments,
                          const ProgramCheck& check, int32_t& exitCode) override;
    bool Start(const std::wstring& commandLine) override;
    bool StartShown(const std::wstring& commandLine, int showCommand) override;
};
