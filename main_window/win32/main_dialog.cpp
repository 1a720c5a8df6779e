#include "main_window/win32/main_dialog.h"
#include "main_window/main_ids.h"
#include "platform/win32/window_thread_call.h"
#include "res/resource.h"
#include "ui/win32/ui_resources.h"
#include <atomic>

// The download progress sink reports through a plain function; it reaches the one main
// window of the process through this handle.
static std::atomic<HWND> s_hProgressWindow{nullptr};

static void SendProgressRefresh(int32_t percent) {
    if (HWND hWnd = s_hProgressWindow.load())
        SendMessageW(hWnd, UM_PROGRESS_REFRESH, 0, percent);
}

// An elevated program hears the shell's restart only when it lets the message in; the filter
// exists from Windows 7 on and is looked up so that older systems still start the program.
static void AllowShellMessage(HWND hWnd, UINT message) {
    using Filter = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    HMODULE hUser = GetModuleHandleW(L"user32.dll");
    FARPROC proc = hUser ? GetProcAddress(hUser, "ChangeWindowMessageFilterEx") : nullptr;
    if (proc && message)
        reinterpret_cast<Filter>(reinterpret_cast<void*>(proc))(hWnd, message, 1 /* allow */,
                                                                nullptr);
}

CMainDialog::CMainDialog(Platform& platform, IAutoPlayControl& app, int32_t winMe,
                         uint16_t language, int32_t rightToLeft)
    : CDialog(IDD_QUILLMATE_DIALOG, nullptr), m_wLanguage(language), m_bRightToLeft(rightToLeft),
      m_hIcon(LoadProgramIcon(IDI_APPLICATION_ICON)),
      m_nShowDialogMessage(RegisteredMessage(SHOW_DIALOG_MESSAGE_NAME)),
      m_nDestroyTrayIconMessage(RegisteredMessage(DESTROY_TRAY_ICON_MESSAGE_NAME)),
      m_nTaskbarCreatedMessage(RegisteredMessage(L"TaskbarCreated")),
      m_hbrPanel(CreateSolidBrush(COLOUR_PANEL)),
      m_model(platform, *this, app, winMe, language, rightToLeft) {}

CMainDialog::~CMainDialog() {
    m_model.WaitForWorkers();
}

void CMainDialog::DoDataExchange() {
    m_btnUpdateTab.Bind(m_hWnd, IDC_UPDATE_TAB);
    m_btnRepairTab.Bind(m_hWnd, IDC_REPAIR_TAB);
    m_btnAction.Bind(m_hWnd, IDC_ACTION);
    m_btnClose.Bind(m_hWnd, IDC_CLOSE);
    m_link.Bind(m_hWnd, IDC_LINK);
}

BOOL CMainDialog::OnInitDialog() {
    AddAboutItem();
    SetIcons(m_hIcon);
    LayoutControls();
    MoveBelowScreen();
    AllowShellMessage(m_hWnd, m_nTaskbarCreatedMessage);
    s_hProgressWindow = m_hWnd;
    m_model.OnInitDialog();
    return TRUE;
}

bool CMainDialog::PreTranslateMessage(MSG& msg) {
    if (msg.message == UM_STARTUP_DECISION && msg.hwnd == m_hWnd)
        m_model.OnStartupDecision();
    else if (msg.message == WM_KEYDOWN && m_model.OnKeyDown(static_cast<uint32_t>(msg.wParam)))
        return false; // dispatched untranslated: the dialog's own keys never see it
    return CDialog::PreTranslateMessage(msg);
}

LRESULT CMainDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (CWindowThreadCall::Answer(message, wParam, lParam) || OnOwnMessage(message, wParam, lParam))
        return 0;
    switch (message) {
    case WM_ERASEBKGND:
        EraseBackground(reinterpret_cast<HDC>(wParam));
        return TRUE;
    case WM_PAINT:
        if (!IsIconic(m_hWnd))
            break;
        PaintMinimised();
        return 0;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_hIcon);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORDLG:
        return AnswerColour(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_TIMER:
        m_model.OnTimer(static_cast<uint32_t>(wParam));
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && OnCommand(LOWORD(wParam)))
            return 0;
        break;
    case WM_SYSCOMMAND:
        if (m_model.OnSysCommand(static_cast<uint32_t>(wParam)))
            return 0;
        break;
    case WM_DEVICECHANGE:
        m_model.OnDeviceChange(static_cast<uint32_t>(wParam));
        return TRUE;
    case WM_CLOSE:
        // Another program's close request hides the window like the close box does.
        m_model.OnSysCommand(SC_CLOSE_COMMAND);
        return 0;
    case WM_DESTROY:
        s_hProgressWindow = nullptr;
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

bool CMainDialog::OnCommand(UINT id) {
    switch (id) {
    case IDC_UPDATE_TAB:
        m_model.OnUpdateTab();
        return true;
    case IDC_REPAIR_TAB:
        m_model.OnRepairTab();
        return true;
    case IDC_ACTION:
        m_model.OnActionButton();
        return true;
    case IDC_CLOSE:
        SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_CLOSE_COMMAND, 0);
        return true;
    case ID_TRAY_CHECK_FOR_UPDATES:
    case ID_TRAY_TOGGLE_CHECK:
    case ID_TRAY_LAUNCH:
    case ID_TRAY_EXIT:
        m_model.OnCommand(id);
        return true;
    default:
        return false;
    }
}

// The private and registered messages. The first private ones share their numbers with the
// dialog manager's default-button messages, so none of them may reach the default procedure.
bool CMainDialog::OnOwnMessage(UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case UM_TRAY_CALLBACK:
        m_model.OnTrayCallback(static_cast<uint32_t>(lParam));
        return true;
    case UM_STARTUP_DECISION: // acted on when it was taken from the queue
        return true;
    case UM_NO_CONNECTION:
        m_model.OnNoConnection();
        return true;
    case UM_CHECK_ACCEPTED:
        m_model.OnCheckAccepted();
        return true;
    case UM_PROGRESS_REFRESH:
        // The flows drive the controls themselves; answering at once lets the sink's thread
        // go on while this one keeps pumping.
        return true;
    }
    if (message == 0)
        return false;
    if (message == m_nShowDialogMessage) {
        m_model.OnShowDialogMessage();
        return true;
    }
    if (message == m_nDestroyTrayIconMessage) {
        m_model.OnDestroyTrayIconMessage();
        return true;
    }
    if (message == m_nTaskbarCreatedMessage) {
        // The shell restarted and forgot every icon.
        if (m_model.m_bTrayIconShown)
            m_model.UpdateTrayIcon(TRAY_ADD);
        return true;
    }
    return false;
}

CImageButton* CMainDialog::ButtonOf(int id) {
    switch (id) {
    case IDC_UPDATE_TAB:
        return &m_btnUpdateTab;
    case IDC_REPAIR_TAB:
        return &m_btnRepairTab;
    case IDC_ACTION:
        return &m_btnAction;
    case IDC_CLOSE:
        return &m_btnClose;
    default:
        return nullptr;
    }
}

void CMainDialog::OnUiThread(const std::function<void()>& work) {
    CWindowThreadCall::Run(m_hWnd, work);
}

std::wstring CMainDialog::Text(uint16_t id) const {
    return LoadText(m_wLanguage, id);
}

CDownloadCallback::NotifyFunction CMainDialog::ProgressNotification() {
    return &SendProgressRefresh;
}
