#pragma once
#include "platform/shell.h"

class CWin32Shell : public IShell {
  public:
    int Open(const std::wstring& text, int showCommand) override;
    bool ExpandEnvironment(const std::wstring& text, std::wstring& expanded) override;
};
