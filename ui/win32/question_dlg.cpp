#include "ui/win32/question_dlg.h"
#include "product_addresses.h"
#include "res/resource.h"
#include "ui/dialog_layout.h"
#include "ui/win32/ui_resources.h"

static std::wstring LoadOptional(uint16_t language, uint16_t id) {
    return id ? LoadText(language, id) : std::wstring();
}

CQuestionDlg::CQuestionDlg(uint16_t language, int32_t rtl, uint16_t titleId, uint16_t firstLineId,
                           uint16_t secondLineId, uint16_t leftKeyId, uint16_t rightKeyId,
                           uint16_t linkTextId, uint16_t linkAddressId, HWND hParent)
    : CAppDialog(IDD_QUESTION, hParent, true),
      m_strTitle(FormatText(LoadText(language, titleId), {MODEL_NAME})),
      m_strFirstLine(LoadText(language, firstLineId)),
      m_strSecondLine(LoadText(language, secondLineId)),
      m_strLeftKey(LoadOptional(language, leftKeyId)),
      m_strRightKey(LoadOptional(language, rightKeyId)),
      m_strLinkText(LoadOptional(language, linkTextId)),
      m_strLinkAddress(LoadOptional(language, linkAddressId)), m_wLanguage(language),
      m_bRightToLeft(rtl) {}

CQuestionDlg::CQuestionDlg(uint16_t language, int32_t rtl, const wchar_t* title,
                           const wchar_t* firstLine, const wchar_t* secondLine,
                           const wchar_t* leftKey, const wchar_t* rightKey, const wchar_t* linkText,
                           const wchar_t* linkAddress, HWND hParent)
    : CAppDialog(IDD_QUESTION, hParent, true),
      m_strTitle(ResolveTextArgument(ProgramCatalogue(), title)),
      m_strFirstLine(ResolveTextArgument(ProgramCatalogue(), firstLine)),
      m_strSecondLine(ResolveTextArgument(ProgramCatalogue(), secondLine)),
      m_strLeftKey(ResolveTextArgument(ProgramCatalogue(), leftKey)),
      m_strRightKey(ResolveTextArgument(ProgramCatalogue(), rightKey)),
      m_strLinkText(ResolveTextArgument(ProgramCatalogue(), linkText)),
      m_strLinkAddress(ResolveTextArgument(ProgramCatalogue(), linkAddress)), m_wLanguage(language),
      m_bRightToLeft(rtl) {}

COldModelQuestionDlg::COldModelQuestionDlg(uint16_t language, int32_t rtl, const wchar_t* title,
                                           const wchar_t* firstLine, const wchar_t* secondLine,
                                           const wchar_t* leftKey, const wchar_t* rightKey,
                                           const wchar_t* linkText, const wchar_t* linkAddress,
                                           int32_t linkX, int32_t linkY, HWND hParent)
    : CQuestionDlg(language, rtl, title, firstLine, secondLine, leftKey, rightKey, linkText,
                   linkAddress, hParent) {
    m_nLinkX = linkX;
    m_nLinkY = linkY;
}

void CQuestionDlg::DoDataExchange() {
    m_btnYes.Bind(m_hWnd, IDOK);
    m_btnCancel.Bind(m_hWnd, IDCANCEL);
    m_link.Bind(m_hWnd, IDC_LINK);
}

COLORREF CQuestionDlg::StaticTextColour(HWND hControl) const {
    const int id = GetDlgCtrlID(hControl);
    if (id == IDC_LEFT_KEY || id == IDC_RIGHT_KEY)
        return COLOUR_KEY_TEXT;
    return CAppDialog::StaticTextColour(hControl);
}

SIZE CQuestionDlg::SetAndMeasure(int id, const std::wstring& text) const {
    SetItemText(id, text);
    return MeasureControlText(GetDlgItem(m_hWnd, id), text);
}

void CQuestionDlg::MeasureLink(QuestionMeasures& m) const {
    HWND hLink = GetDlgItem(m_hWnd, IDC_LINK);
    const std::wstring text = m_strLinkText.empty() ? GetText(hLink) : m_strLinkText;
    const SIZE line = MeasureControlText(hLink, text);
    const SIZE wrapped = MeasureControlText(hLink, text, m.clientWidth - 2 * QUESTION_LINK_MARGIN);
    m.linkText = {line.cx, line.cy};
    m.linkWrapped = {wrapped.cx, wrapped.cy};
}

void CQuestionDlg::Place(int id, const Rect& rc, bool show) const {
    SetWindowPos(GetDlgItem(m_hWnd, id), nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

BOOL CQuestionDlg::OnInitDialog() {
    SetWindowIcon();
    SetText(m_hWnd, m_strTitle);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    RECT window{};
    GetWindowRect(m_hWnd, &window);
    ApplyRightToLeft(m_bRightToLeft != 0);

    QuestionMeasures m;
    const SIZE first = SetAndMeasure(IDC_TEXT, m_strFirstLine);
    const SIZE second = SetAndMeasure(IDC_SECOND_LINE, m_strSecondLine);
    m.firstLine = {first.cx, first.cy};
    m.secondLine = {second.cx, second.cy};
    m.hasKeys = !m_strLeftKey.empty();
    if (m.hasKeys) {
        const SIZE left = SetAndMeasure(IDC_LEFT_KEY, m_strLeftKey);
        const SIZE right = SetAndMeasure(IDC_RIGHT_KEY, m_strRightKey);
        m.leftKey = {left.cx, left.cy};
        m.rightKey = {right.cx, right.cy};
        RECT plus{};
        GetWindowRect(GetDlgItem(m_hWnd, IDC_PLUS_SIGN), &plus);
        m.plusSign = {plus.right - plus.left, plus.bottom - plus.top};
    }
    m.linkX = m_nLinkX;
    m.linkY = m_nLinkY;
    m.initialClientHeight = client.bottom;
    m.clientWidth = QUESTION_WINDOW_WIDTH - (window.right - window.left - client.right);
    MeasureLink(m);
    const QuestionLayout layout = LayoutQuestion(m);

    Place(IDC_TEXT, layout.firstLine, true);
    Place(IDC_SECOND_LINE, layout.secondLine, true);
    Place(IDC_LEFT_KEY, layout.leftKey, m.hasKeys);
    Place(IDC_PLUS_SIGN, layout.plusSign, m.hasKeys);
    Place(IDC_RIGHT_KEY, layout.rightKey, m.hasKeys);
    if (m.hasKeys && m_bRightToLeft) {
        ::AddExStyle(GetDlgItem(m_hWnd, IDC_LEFT_KEY), RTL_CONTROL_STYLE);
        ::AddExStyle(GetDlgItem(m_hWnd, IDC_RIGHT_KEY), RTL_CONTROL_STYLE);
    }
    ShowPicture(IDC_PICTURE, IDB_QUESTION, layout.picture.left, layout.picture.top);

    SetupButton(m_btnYes, layout.yes.left, layout.yes.top);
    m_btnYes.LoadCaption(m_wLanguage, MSG_YES);
    m_btnYes.SetTooltip(m_wLanguage, MSG_YES);
    SetupButton(m_btnCancel, layout.cancel.left, layout.cancel.top);
    m_btnCancel.LoadCaption(m_wLanguage, MSG_CANCEL);
    m_btnCancel.SetTooltip(m_wLanguage, MSG_CANCEL);

    // Placed by the layout, which knows the window's width; fitting would keep only the left edge.
    m_link.SetFitToText(false);
    m_link.SetBackground(COLOUR_BACKGROUND);
    if (!m_strLinkText.empty())
        m_link.SetLinkText(m_strLinkText);
    m_link.SetAddress(m_strLinkAddress.empty() ? L"" QM_SUPPORT_ADDRESS_TEXT : m_strLinkAddress);
    m_link.MoveTo(layout.link.left, layout.link.top, layout.link.Width(), layout.link.Height());

    SetWindowPos(m_hWnd, nullptr, 0, 0, layout.window.width, layout.window.height,
                 SWP_NOMOVE | SWP_NOZORDER);
    return TRUE;
}
