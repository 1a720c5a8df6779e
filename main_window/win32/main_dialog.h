#pragma once
#include "main_window/main_layout.h"
#include "main_window/main_view.h"
#include "main_window/quillmate_dlg.h"
#include "platform/win32/dialog.h"
#include "platform/win32/scoped_handles.h"
#include "ui/win32/image_button.h"
#include "ui/win32/x_hyperlink.h"
#include <string>

struct Platform;
class CStartScreen;
class CCallOutDlg;

// The main window over dialog template 102: it lays itself out, paints its background and
// passes every message to the model, and it is the model's view. Each view call runs on the
// window's own thread; a worker's call waits there until it has run.
class CMainDialog : public CDialog, public IMainView {
  public:
    CMainDialog(Platform& platform, IAutoPlayControl& app, int32_t winMe, uint16_t language,
                int32_t rightToLeft);
    ~CMainDialog() override;

    void SetSilent(int32_t silent) { m_model.SetSilent(silent); }

    bool PreTranslateMessage(MSG& msg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // IMainView (main_view_calls.cpp).
    void ShowControl(int id, bool show) override;
    void EnableControl(int id, bool enable) override;
    void SetControlText(int id, const std::wstring& text) override;
    void RepaintControl(int id) override;
    void SetCheck(int id, bool checked) override;
    bool IsChecked(int id) override;
    void SetButtonCaption(int id, uint16_t messageId) override;
    void SetDot(int index, bool lit) override;
    void SetDeviceList(const std::wstring& entry) override;
    void RepaintWindow() override;
    void HideIntoTray() override;
    void ShowCentred() override;
    void BringToFront() override;
    void EnableSystemClose(bool enable) override;
    void EnableTrayItems(bool enable) override;
    void EndModal() override;
    uintptr_t WindowHandle() override;
    void StartTimer(uint32_t id, uint32_t milliseconds) override;
    void StopTimer(uint32_t id) override;
    void PostToSelf(uint32_t message) override;
    CDownloadCallback::NotifyFunction ProgressNotification() override;
    bool NotifyTrayIcon(int32_t operation, bool connected, const std::wstring& tip) override;
    void TrackTrayMenu(const std::wstring& toggleText) override;
    // Modal dialogs (main_view_dialogs.cpp).
    int RunMessage(const MessageArgs& args) override;
    int RunQuestion(const QuestionArgs& args) override;
    bool RunCallout() override;
    void RunPopup(uint16_t messageId) override;
    void RunAbout() override;
    void ShowStartScreen(bool ownClass) override;
    void SetStartScreenLabel(const std::wstring& text) override;
    void HideStartScreen() override;
    bool StartWorker(WorkerSlot& slot, std::function<void()> work) override;

  protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    // Enter, Escape and the title bar's close never end this dialog; only EndModal does.
    void OnOK() override {}
    void OnCancel() override {}

  private:
    // Layout (main_dialog_layout.cpp).
    void LayoutControls();
    void SizeAndCentre() const;
    void FillTexts() const;
    RepairTextMeasures MeasureRepairTexts() const;
    void PlaceControls(const RepairTextMeasures& measures);
    // Moves a text into its room as far as it needs; returns where it went.
    Rect FitText(const TextRoom& text) const;
    void SetUpPictures();
    void SetUpButtons();
    void LoadTrayMenu();
    void AddAboutItem() const;
    void MoveBelowScreen() const;

    // Painting (main_dialog_paint.cpp).
    void EraseBackground(HDC hDC) const;
    void DrawBackground(HDC hDC, const RECT& client) const;
    LRESULT AnswerColour(UINT message, HDC hDC, HWND hControl) const;
    void PaintMinimised();

    bool OnCommand(UINT id);
    bool OnOwnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    CImageButton* ButtonOf(int id);
    HWND Item(int id) const { return GetDlgItem(m_hWnd, id); }
    void OnUiThread(const std::function<void()>& work);
    std::wstring Text(uint16_t id) const;

    uint16_t m_wLanguage;
    int32_t m_bRightToLeft;
    HICON m_hIcon;
    UINT m_nShowDialogMessage;
    UINT m_nDestroyTrayIconMessage;
    UINT m_nTaskbarCreatedMessage;
    CScopedGdiObject<HBRUSH> m_hbrPanel;
    CScopedGdiObject<HBITMAP> m_bmpDotOn;
    CScopedGdiObject<HBITMAP> m_bmpDotOff;
    CScopedGdiObject<HBITMAP> m_bmpPictures[4];
    CScopedMenu m_trayMenu;
    CImageButton m_btnUpdateTab;
    CImageButton m_btnRepairTab;
    CImageButton m_btnAction;
    CImageButton m_btnClose;
    CXHyperLink m_link;
    CStartScreen* m_pStartScreen = nullptr;
    CCallOutDlg* m_pNotice = nullptr; // the callout or popup while it runs
    // Last, so that it goes first: the model may still reach the view while it ends.
    CQuillmateDlg m_model;
};
