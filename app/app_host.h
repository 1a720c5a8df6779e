#pragma once
#include <cstdint>

class IAutoPlayControl;

struct MainWindowArgs {
    int32_t winMe = 0;
    uint16_t language = 0;
    int32_t rightToLeft = 0;
    int32_t silent = 0;
};

// The windowing side of start-up and shutdown, in the order start-up asks for it.
class IAppHost {
  public:
    virtual ~IAppHost() = default;
    // Common controls and the dialog framework.
    virtual void InitialiseControls() = 0;
    // The colours and background brush every dialog paints with.
    virtual void SetColours(uint32_t text, uint32_t background) = 0;
    // A message dialog with the title and the warning picture, without owner.
    virtual void ShowWarning(uint16_t language, int32_t rightToLeft, uint16_t messageId) = 0;
    // Starts the hot-plug watcher; false when it could not be started.
    virtual bool StartHotplugWatcher() = 0;
    // Signals the watcher to stop and waits up to `milliseconds` for its thread to end.
    virtual void StopHotplugWatcher(uint32_t milliseconds) = 0;
    virtual void InitialiseCom() = 0;
    virtual void ReleaseCom() = 0;
    virtual void CreateMainWindow(IAutoPlayControl& app, const MainWindowArgs& args) = 0;
    // Runs the main window modally until it ends.
    virtual void RunMainWindow() = 0;
    virtual void DestroyMainWindow() = 0;
    // Handles what is still queued for the thread; a quit message is put back and ends it.
    virtual void DrainMessageQueue() = 0;
};
