#pragma once
#include <cstdint>
#include <functional>
#include <string>

// Whether the bytes of a program file may be run.
using ProgramCheck = std::function<bool(const std::string& bytes)>;

enum class RunOutcome {
    FINISHED,    // started and waited for
    REFUSED,     // the check turned the file down; nothing was started
    NOT_STARTED, // the file could not be read or the program not started
};

// Starting other programs.
class IProcesses {
  public:
    virtual ~IProcesses() = default;
    // Runs the program at the full path `program` without a window and waits for its end. The
    // file is opened without write or delete sharing and read through that handle; only when
    // `check` accepts its bytes is the program started, as the application name and, quoted, as
    // the command line's first item followed by `arguments`, while the handle stays open, so
    // that the file checked is the file started. `exitCode` is left unchanged when the code
    // cannot be read.
    virtual RunOutcome RunChecked(const std::wstring& program, const std::wstring& arguments,
                                  const ProgramCheck& check, int32_t& exitCode) = 0;
    // Starts the program without a window and without waiting.
    virtual bool Start(const std::wstring& commandLine) = 0;
    // Starts the program with the given window show command, without waiting.
    virtual bool StartShown(const std::wstring& commandLine, int showCommand) = 0;
};
