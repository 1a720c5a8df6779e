// Placing, filling and setting up the controls once the window exists.
#include "ui/message_ids.h"
#include "main_window/win32/main_dialog.h"
#include "main_window/win32/tray_icon.h"
#include "product_addresses.h"
#include "res/resource.h"
#include "ui/dialog_layout.h"
#include "ui/win32/ui_resources.h"

namespace {

struct TextSource {
    int id;
    uint16_t messageId;
};
// Texts the controls show as they are, in the window's language.
constexpr TextSource PLAIN_TEXTS[] = {{IDC_DEVICE_CAPTION, 103},    {IDC_F5_HINT, 156},
                                      {IDC_OPERATION_WARNING, 108}, {IDC_REPAIR_CONNECT, 194},
                                      {IDC_REPAIR_KEY, 195},        {IDC_REPAIR_TAIL, 196},
                                      {IDC_REPAIR_RELEASE, 197},    {IDC_REPAIR_RECONNECT, 199}};

struct PictureSource {
    int id;
    UINT bitmapId;
};
// Index order of m_bmpPictures.
constexpr PictureSource PICTURES[] = {{IDC_LOGO, IDB_LOGO},
                                      {IDC_DEVICE_PICTURE, IDB_DEVICE_SMALL},
                                      {IDC_PROGRESS_PICTURE, IDB_PROGRESS},
                                      {IDC_KEY_PICTURE, IDB_PLUS_SIGN}};
constexpr size_t KEY_PICTURE_INDEX = 3;

Size ToSize(SIZE size) {
    return {size.cx, size.cy};
}

void PlaceAt(HWND hControl, const Rect& rc, UINT show = 0) {
    SetWindowPos(hControl, nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | show);
}

void SetImage(HWND hPicture, HBITMAP hBitmap) {
    SendMessageW(hPicture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap));
}

void SetUpTab(CImageButton& button, uint16_t language, uint16_t captionId) {
    button.SetImageCount(1);
    button.SetPushMode(false);
    button.SetImage(IDB_TAB_STRIP, COLOUR_BLACK);
    button.SetFontSize(BUTTON_FONT_POINTS);
    const Rect& rc = BUTTON_CAPTION_RECT;
    button.SetTextRect(rc.left, rc.top, rc.right, rc.bottom);
    button.SetTextColors(COLOUR_BLACK, COLOUR_BLACK, COLOUR_BLACK, COLOUR_TAB_DISABLED);
    button.LoadCaption(language, captionId);
    button.SetTooltip(language, captionId);
}

void SetUpPush(CImageButton& button, uint16_t language, uint16_t captionId) {
    button.SetImageCount(1);
    button.SetPushMode(true);
    button.SetImage(IDB_BUTTON_STRIP, COLOUR_PURE_RED);
    button.SetFontSize(BUTTON_FONT_POINTS);
    const Rect& rc = BUTTON_CAPTION_RECT;
    button.SetTextRect(rc.left, rc.top, rc.right, rc.bottom);
    button.LoadCaption(language, captionId);
    button.SetTooltip(language, captionId);
}
} // namespace

void CMainDialog::LayoutControls() {
    if (m_bRightToLeft)
        AddExStyle(MIRROR_DIALOG_STYLE);
    SetText(m_hWnd, ProgramCatalogue().Title(m_wLanguage));
    SizeAndCentre();
    FillTexts();
    SetUpPictures();
    SetUpButtons();
    PlaceControls(MeasureRepairTexts());
    for (const TextRoom& text : FITTED_TEXTS)
        FitText(text);
    PlaceAt(Item(IDC_DEVICE_LIST), DeviceListBeside(FitText(CAPTION_ROOM)));
    m_link.SetBackground(COLOUR_BACKGROUND);
    m_link.SetAddress(L"" QM_SUPPORT_ADDRESS_TEXT);
    m_link.SetFitToText(false);
    m_link.LoadLinkText(m_wLanguage, 142);
    m_link.FitAndCentre({LINK_AREA.left, LINK_AREA.top, LINK_AREA.right, LINK_AREA.bottom});
    LoadTrayMenu();
}

void CMainDialog::SizeAndCentre() const {
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(m_hWnd, nullptr, 0, 0, MAIN_CLIENT_SIZE.width, MAIN_CLIENT_SIZE.height,
                 flags | SWP_NOMOVE);
    RECT window{};
    RECT client{};
    GetWindowRect(m_hWnd, &window);
    GetClientRect(m_hWnd, &client);
    const Size size = WindowSizeForClient({window.right - window.left, window.bottom - window.top},
                                          {client.right, client.bottom}, MAIN_CLIENT_SIZE);
    SetWindowPos(m_hWnd, nullptr, CentredOnScreen(GetSystemMetrics(SM_CXSCREEN), size.width),
                 CentredOnScreen(GetSystemMetrics(SM_CYSCREEN), size.height), size.width,
                 size.height, flags);
}

void CMainDialog::FillTexts() const {
    for (const TextSource& text : PLAIN_TEXTS)
        SetText(Item(text.id), Text(text.messageId));
    SetText(Item(IDC_STATUS), L"");
    SetText(Item(IDC_REPAIR_NOTE), RepairNoteText(Text(182), Text(183), Text(184)));
    SetText(Item(IDC_REPAIR_TITLE), FormatText(Text(193), {MODEL_NAME}));
}

RepairTextMeasures CMainDialog::MeasureRepairTexts() const {
    auto measure = [this](int id, int wrapWidth = 0) {
        HWND hControl = Item(id);
        return ToSize(MeasureControlText(hControl, GetText(hControl), wrapWidth));
    };
    RepairTextMeasures m;
    m.title = measure(IDC_REPAIR_TITLE);
    m.connect = measure(IDC_REPAIR_CONNECT);
    m.key = measure(IDC_REPAIR_KEY);
    m.tail = measure(IDC_REPAIR_TAIL);
    m.tailShown = !IsSingleBlank(GetText(Item(IDC_REPAIR_TAIL)));
    m.release = measure(IDC_REPAIR_RELEASE, REPAIR_WRAP_WIDTH);
    m.reconnect = measure(IDC_REPAIR_RECONNECT, REPAIR_WRAP_WIDTH);
    BITMAP key{};
    if (HBITMAP hKey = m_bmpPictures[KEY_PICTURE_INDEX].Get())
        GetObjectW(hKey, sizeof key, &key);
    m.keyPicture = {key.bmWidth, key.bmHeight};
    return m;
}

Rect CMainDialog::FitText(const TextRoom& text) const {
    HWND hControl = Item(text.id);
    const std::wstring content = GetText(hControl);
    const Rect fitted = FitTextInRoom(
        text.place, text.room, ToSize(MeasureControlText(hControl, content, text.place.Width())),
        ToSize(MeasureControlText(hControl, content, text.room.right - text.place.left)));
    PlaceAt(hControl, fitted);
    return fitted;
}

void CMainDialog::PlaceControls(const RepairTextMeasures& measures) {
    for (const ControlPlacement& p : LayoutMainWindow(measures)) {
        HWND hControl = Item(p.id);
        PlaceAt(hControl, p.rect, p.visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
        EnableControl(p.id, p.enabled);
        if (m_bRightToLeft && MirrorStyle(p.id))
            ::AddExStyle(hControl, MirrorStyle(p.id));
    }
}

void CMainDialog::SetUpPictures() {
    m_bmpDotOn.Reset(LoadProgramBitmap(IDB_DOT_ON));
    m_bmpDotOff.Reset(LoadProgramBitmap(IDB_DOT_OFF));
    for (size_t i = 0; i < std::size(PICTURES); ++i) {
        m_bmpPictures[i].Reset(LoadProgramBitmap(PICTURES[i].bitmapId));
        SetImage(Item(PICTURES[i].id), m_bmpPictures[i].Get());
    }
    for (int i = 0; i < DOT_COUNT; ++i)
        SetImage(Item(IDC_DOT_FIRST + i), m_bmpDotOff.Get());
}

void CMainDialog::SetUpButtons() {
    SetUpTab(m_btnUpdateTab, m_wLanguage, 104);
    SetUpTab(m_btnRepairTab, m_wLanguage, 105);
    m_btnUpdateTab.SetCheck(true);
    SetUpPush(m_btnAction, m_wLanguage, 104);
    SetUpPush(m_btnClose, m_wLanguage, 106);
}

void CMainDialog::LoadTrayMenu() {
    m_trayMenu.Reset(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU)));
    for (const TrayMenuText& item : TRAY_MENU_TEXTS)
        SetMenuText(m_trayMenu.Get(), item.command, Text(item.messageId));
}

void CMainDialog::AddAboutItem() const {
    HMENU hSystemMenu = GetSystemMenu(m_hWnd, FALSE);
    const std::wstring text = FormatText(Text(MSG_ABOUT_ITEM), {MODEL_NAME});
    if (!hSystemMenu || text.empty())
        return;
    AppendMenuW(hSystemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(hSystemMenu, MF_STRING, CMD_ABOUT, text.c_str());
}

void CMainDialog::MoveBelowScreen() const {
    RECT rc{};
    GetWindowRect(m_hWnd, &rc);
    const int top =
        BelowScreenTop({rc.left, rc.top, rc.right, rc.bottom}, GetSystemMetrics(SM_CYFULLSCREEN));
    SetWindowPos(m_hWnd, nullptr, rc.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
