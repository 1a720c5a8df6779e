#pragma once
#include "online/download_callback.h"
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

// A worker slot: the running worker's thread object, or null when no such work runs. Set by
// the starter before the thread runs and cleared by the worker as its last action, on another
// thread than the one that tests it.
using WorkerSlot = std::atomic<void*>;

// A message dialog built from texts (title, text, picture kind of ui/dialog_layout.h).
struct MessageArgs {
    std::wstring title;
    std::wstring text;
    int32_t pictureKind = 0;
    bool owned = true; // false: no owner window
};

// A question dialog built from texts. A link position of (0, 0) lets the dialog place the link.
struct QuestionArgs {
    std::wstring title;
    std::wstring firstLine;
    std::wstring secondLine;
    std::wstring leftKey;
    std::wstring rightKey;
    std::wstring linkText;
    std::wstring linkAddress;
    int32_t linkX = 0;
    int32_t linkY = 0;
};

// The application object's part that the main window switches.
class IAutoPlayControl {
  public:
    virtual ~IAutoPlayControl() = default;
    virtual void StartAutoPlayReject() = 0;
    virtual void StopAutoPlayReject() = 0;
};

// Everything the main window's flows do to the real window. Any thread may call it: the Win32
// implementation runs each call on the window's thread and returns when it is done, so a call
// from a worker waits while a dialog it opened is shown. Control ids are those of
// res/resource.h.
class IMainView {
  public:
    virtual ~IMainView() = default;

    // Controls.
    virtual void ShowControl(int id, bool show) = 0;
    virtual void EnableControl(int id, bool enable) = 0;
    virtual void SetControlText(int id, const std::wstring& text) = 0;
    virtual void RepaintControl(int id) = 0;
    virtual void SetCheck(int id, bool checked) = 0;
    virtual bool IsChecked(int id) = 0;
    // Caption and tooltip of an image button, from the catalogue in the window's language.
    virtual void SetButtonCaption(int id, uint16_t messageId) = 0;
    // Dot 0..7 lit or dim.
    virtual void SetDot(int index, bool lit) = 0;
    // Resets the device list; a non-empty entry is added and selected.
    virtual void SetDeviceList(const std::wstring& entry) = 0;

    // The window.
    virtual void RepaintWindow() = 0;
    // Tool-window style (no taskbar button) and hidden, without moving, sizing or reordering.
    virtual void HideIntoTray() = 0;
    // Application-window style, centred on the full-screen area, topmost in z-order, shown.
    virtual void ShowCentred() = 0;
    virtual void BringToFront() = 0;
    virtual void EnableSystemClose(bool enable) = 0;
    // Tray menu items Check For Updates and Launch.
    virtual void EnableTrayItems(bool enable) = 0;
    // Ends the modal run with the cancel result.
    virtual void EndModal() = 0;
    virtual uintptr_t WindowHandle() = 0;

    // Timers and messages to the window itself.
    virtual void StartTimer(uint32_t id, uint32_t milliseconds) = 0;
    virtual void StopTimer(uint32_t id) = 0;
    virtual void PostToSelf(uint32_t message) = 0;
    // The progress sink's notification: sends the progress refresh to the main window.
    virtual CDownloadCallback::NotifyFunction ProgressNotification() = 0;

    // The notification-area icon: `operation` TRAY_ADD, TRAY_REMOVE or TRAY_MODIFY with icon 156
    // (connected) or 157 and the tip. False when the shell refused.
    virtual bool NotifyTrayIcon(int32_t operation, bool connected, const std::wstring& tip) = 0;
    // Tracks the tray menu at the cursor, item 32775 showing `toggleText`.
    virtual void TrackTrayMenu(const std::wstring& toggleText) = 0;

    // Modal dialogs; results are 1 (OK or Yes) or 2.
    virtual int RunMessage(const MessageArgs& args) = 0;
    virtual int RunQuestion(const QuestionArgs& args) = 0;
    // The update callout; true when the user took up the offer.
    virtual bool RunCallout() = 0;
    virtual void RunPopup(uint16_t messageId) = 0;
    virtual void RunAbout() = 0;

    // The start screen over the window (created without its own window class on Windows Me).
    virtual void ShowStartScreen(bool ownClass) = 0;
    virtual void SetStartScreenLabel(const std::wstring& text) = 0;
    virtual void HideStartScreen() = 0;

    // Runs `work` on a new thread; the thread object goes into `slot` before it runs. False
    // when no thread could be started (the slot stays empty).
    virtual bool StartWorker(WorkerSlot& slot, std::function<void()> work) = 0;
};
