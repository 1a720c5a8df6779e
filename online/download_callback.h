#pragma once
#include <cstdint>

// The progress sink of file downloads: turns (bytes so far, total) into a percentage for the
// owner's notification function. One object, owned by the main window, serves every model.
class CDownloadCallback {
  public:
    using NotifyFunction = void (*)(int32_t percent);

    explicit CDownloadCallback(NotifyFunction notify = nullptr) : notifyFunction(notify) {}

    void SetNotifyFunction(NotifyFunction notify) { notifyFunction = notify; }
    // Without a total (0) nothing is reported.
    void OnProgress(uint64_t progress, uint64_t progressMax);

  private:
    NotifyFunction notifyFunction;
};
