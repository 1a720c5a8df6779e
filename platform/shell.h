#pragma once
#include <string>

class IShell {
  public:
    virtual ~IShell() = default;
    // Performs the verb "open" on the text; a result above 32 means success.
    virtual int Open(const std::wstring& text, int showCommand) = 0;
    // Replaces environment references (%NAME%) by their values.
    virtual bool ExpandEnvironment(const std::wstring& text, std::wstring& expanded) = 0;
};
