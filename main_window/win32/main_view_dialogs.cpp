// The view's modal dialogs, start screen and workers. A dialog asked for by a worker runs on
// the window's thread in a nested modal loop while the worker waits for its answer.
#include "main_window/win32/main_dialog.h"
#include "online/win32/callout_dlg.h"
#include "platform/win32/worker_thread.h"
#include "res/resource.h"
#include "ui/start_screen_options.h"
#include "ui/win32/about_dlg.h"
#include "ui/win32/message_dlg.h"
#include "ui/win32/question_dlg.h"
#include "ui/win32/start_screen.h"
#include <memory>

namespace {
constexpr DWORD START_SCREEN_STYLE =
    START_FADE_IN | START_FADE_OUT | START_DROP_SHADOW | START_CENTRE;
constexpr short START_TRANSPARENT[] = {255, 0, 0};
constexpr int START_FONT_TENTHS = 100;
constexpr int START_FONT_BOLD = 1;
constexpr RECT START_LABEL_RECT{227, 197, 420, 213};
constexpr COLORREF START_LABEL_COLOUR = RGB(64, 182, 243);
constexpr UINT START_LABEL_SINGLE_LINE = 0x25;

// Only OK or Yes is consent; a dialog that could not be created is not.
int Answer(INT_PTR result) {
    return result == IDOK ? IDOK : IDCANCEL;
}

// A worker's function and where its thread object goes.
struct WorkerCall {
    std::function<void()> work;
    WorkerSlot* slot;
    CWorkerThread* thread = nullptr;
};

DWORD RunWorkerCall(void* argument) {
    const std::unique_ptr<WorkerCall> call(static_cast<WorkerCall*>(argument));
    // The thread object was filled in before this thread was let run.
    call->slot->store(call->thread);
    call->work();
    return 0;
}
} // namespace

int CMainDialog::RunMessage(const MessageArgs& args) {
    int result = IDCANCEL;
    OnUiThread([&, this] {
        auto dialog = std::make_unique<CMessageDlg>(m_wLanguage, m_bRightToLeft, args.title.c_str(),
                                                    args.text.c_str(), args.pictureKind,
                                                    args.owned ? m_hWnd : nullptr);
        result = Answer(dialog->DoModal());
    });
    return result;
}

int CMainDialog::RunQuestion(const QuestionArgs& args) {
    int result = IDCANCEL;
    OnUiThread([&, this] {
        std::unique_ptr<CQuestionDlg> dialog;
        if (args.linkX || args.linkY) {
            dialog = std::make_unique<COldModelQuestionDlg>(
                m_wLanguage, m_bRightToLeft, args.title.c_str(), args.firstLine.c_str(),
                args.secondLine.c_str(), args.leftKey.c_str(), args.rightKey.c_str(),
                args.linkText.c_str(), args.linkAddress.c_str(), args.linkX, args.linkY, m_hWnd);
        } else {
            dialog = std::make_unique<CQuestionDlg>(
                m_wLanguage, m_bRightToLeft, args.title.c_str(), args.firstLine.c_str(),
                args.secondLine.c_str(), args.leftKey.c_str(), args.rightKey.c_str(),
                args.linkText.c_str(), args.linkAddress.c_str(), m_hWnd);
        }
        result = Answer(dialog->DoModal());
    });
    return result;
}

bool CMainDialog::RunCallout() {
    bool accepted = false;
    OnUiThread([&, this] {
        auto callout = std::make_unique<CCallOutDlg>(m_wLanguage, m_bRightToLeft, m_hWnd);
        m_pNotice = callout.get();
        callout->DoModal();
        m_pNotice = nullptr;
        accepted = callout->m_bAccepted != 0;
    });
    return accepted;
}

void CMainDialog::RunPopup(uint16_t messageId) {
    OnUiThread([=, this] {
        auto popup = std::make_unique<CPopUpDlg>(m_wLanguage, messageId, m_bRightToLeft, m_hWnd);
        m_pNotice = popup.get();
        popup->DoModal();
        m_pNotice = nullptr;
    });
}

void CMainDialog::RunAbout() {
    OnUiThread([this] { std::make_unique<CAboutDlg>(m_wLanguage)->DoModal(); });
}

void CMainDialog::ShowStartScreen(bool ownClass) {
    OnUiThread([=, this] {
        if (m_pStartScreen)
            return;
        // The screen deletes itself once its window is gone.
        CStartScreen* screen = CStartScreen::Create(m_hWnd, L"", 0, START_SCREEN_STYLE, ownClass);
        if (!screen)
            return;
        screen->SetPicture(IDB_START_SCREEN, START_TRANSPARENT[0], START_TRANSPARENT[1],
                           START_TRANSPARENT[2]);
        screen->SetLabelFont(L"Arial", START_FONT_TENTHS, START_FONT_BOLD);
        screen->SetLabelRect(START_LABEL_RECT);
        screen->SetLabelColour(START_LABEL_COLOUR);
        screen->SetLabelFormat(START_LABEL_SINGLE_LINE);
        screen->Show();
        m_pStartScreen = screen;
    });
}

void CMainDialog::SetStartScreenLabel(const std::wstring& text) {
    OnUiThread([&, this] {
        if (m_pStartScreen)
            m_pStartScreen->SetLabel(text);
    });
}

void CMainDialog::HideStartScreen() {
    OnUiThread([this] {
        if (m_pStartScreen)
            m_pStartScreen->Hide();
        m_pStartScreen = nullptr;
    });
}

bool CMainDialog::StartWorker(WorkerSlot& slot, std::function<void()> work) {
    auto* call = new WorkerCall{std::move(work), &slot};
    // Busy from this moment: the starter's next busy test must already see the work.
    slot.store(call);
    // Only the null test of the result: a started thread may have ended and freed its object.
    if (!CWorkerThread::Start(&RunWorkerCall, call, &call->thread)) {
        slot.store(nullptr);
        delete call;
        return false;
    }
    return true;
}
