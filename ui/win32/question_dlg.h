#pragma once
#include "ui/dialog_layout.h"
#include "ui/win32/app_dialog.h"
#include "ui/win32/image_button.h"
#include "ui/win32/x_hyperlink.h"
#include <string>

// A question with up to four text lines, Yes and Cancel and a link, sized to its texts. Enter
// and Escape do nothing; Yes ends it with 1, Cancel and the title bar with 2.
class CQuestionDlg : public CAppDialog {
  public:
    CQuestionDlg(uint16_t language, int32_t rtl, uint16_t titleId, uint16_t firstLineId,
                 uint16_t secondLineId, uint16_t leftKeyId, uint16_t rightKeyId,
                 uint16_t linkTextId, uint16_t linkAddressId, HWND hParent);
    // Text arguments may be message ids below 65536 (default language) or null (empty).
    CQuestionDlg(uint16_t language, int32_t rtl, const wchar_t* title, const wchar_t* firstLine,
                 const wchar_t* secondLine, const wchar_t* leftKey, const wchar_t* rightKey,
                 const wchar_t* linkText, const wchar_t* linkAddress, HWND hParent);

  protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    COLORREF StaticTextColour(HWND hControl) const override;

    int32_t m_nLinkX = 0; // 0 = not given: placed by the layout
    int32_t m_nLinkY = 0;

  private:
    SIZE SetAndMeasure(int id, const std::wstring& text) const;
    void MeasureLink(QuestionMeasures& m) const;
    void Place(int id, const Rect& rc, bool show) const;

    CImageButton m_btnYes;
    CImageButton m_btnCancel;
    CXHyperLink m_link;
    std::wstring m_strTitle;
    std::wstring m_strFirstLine;
    std::wstring m_strSecondLine;
    std::wstring m_strLeftKey;
    std::wstring m_strRightKey;
    std::wstring m_strLinkText;
    std::wstring m_strLinkAddress;
    uint16_t m_wLanguage;
    int32_t m_bRightToLeft;
};

// A question dialog whose link sits where the caller says.
class COldModelQuestionDlg : public CQuestionDlg {
  public:
    COldModelQuestionDlg(uint16_t language, int32_t rtl, const wchar_t* title,
                         const wchar_t* firstLine, const wchar_t* secondLine,
                         const wchar_t* leftKey, const wchar_t* rightKey, const wchar_t* linkText,
                         const wchar_t* linkAddress, int32_t linkX, int32_t linkY, HWND hParent);
};
