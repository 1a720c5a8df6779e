#include "main_window/main_layout.h"
#include "res/resource.h"
#include "ui/dialog_layout.h"
#include <algorithm>

namespace {
constexpr int32_t REPAIR_X = 40;
constexpr int32_t REPAIR_TITLE_Y = 190;
constexpr int32_t REPAIR_ROW_Y = 220;
constexpr int32_t REPAIR_RECONNECT_Y = 310;
constexpr int32_t KEY_GAP = 5;
constexpr int32_t DOT_X = 99;
constexpr int32_t DOT_STEP = 25;
constexpr int32_t DOT_Y = 235;
constexpr Size DOT_SIZE{16, 16};
constexpr int32_t DEVICE_LIST_X = 132;
constexpr int32_t DEVICE_LIST_Y = 78;
constexpr int32_t DEVICE_LIST_GAP = 5;
constexpr Size DEVICE_LIST_SIZE{183, 21};

ControlPlacement Place(int id, Rect rect, bool visible = true, bool enabled = true) {
    return {id, rect, visible, enabled};
}

// The repair instructions: a title, one row of "connect while pressing [key picture] key",
// the optional tail, then the release text; the reconnect note sits at a fixed row.
void FlowRepairTexts(const RepairTextMeasures& m, std::vector<ControlPlacement>& out) {
    const Size& pic = m.keyPicture;
    out.push_back(
        Place(IDC_REPAIR_TITLE, MakeRect(REPAIR_X, REPAIR_TITLE_Y, m.title.width, m.title.height)));
    const Rect connect = MakeRect(REPAIR_X, REPAIR_ROW_Y, m.connect.width, m.connect.height);
    out.push_back(Place(IDC_REPAIR_CONNECT, connect));
    const Rect picture = MakeRect(connect.right + KEY_GAP, REPAIR_ROW_Y, pic.width, pic.height);
    out.push_back(Place(IDC_KEY_PICTURE, picture, false));
    const Rect key = MakeRect(picture.right + KEY_GAP, REPAIR_ROW_Y, m.key.width, m.key.height);
    out.push_back(Place(IDC_REPAIR_KEY, key));
    int32_t row = std::max({connect.bottom, picture.bottom, key.bottom});
    if (m.tailShown) {
        out.push_back(Place(IDC_REPAIR_TAIL, MakeRect(REPAIR_X, row, m.tail.width, m.tail.height)));
        row += m.tail.height;
    } else {
        // A single blank takes no row and is never shown.
        out.push_back(Place(IDC_REPAIR_TAIL, MakeRect(REPAIR_X, row, 0, 0), false));
    }
    out.push_back(
        Place(IDC_REPAIR_RELEASE, MakeRect(REPAIR_X, row, REPAIR_WRAP_WIDTH, m.release.height)));
    out.push_back(Place(
        IDC_REPAIR_RECONNECT,
        MakeRect(REPAIR_X, REPAIR_RECONNECT_Y, REPAIR_WRAP_WIDTH, m.reconnect.height), false));
}
} // namespace

std::vector<ControlPlacement> LayoutMainWindow(const RepairTextMeasures& m) {
    std::vector<ControlPlacement> out{
        Place(IDC_LOGO, MakeRect(264, 30, 103, 20)),
        Place(IDC_DEVICE_PICTURE, MakeRect(39, 81, 10, 14)),
        Place(IDC_DEVICE_CAPTION, CAPTION_ROOM.place),
        Place(IDC_DEVICE_LIST, DeviceListBeside(CAPTION_ROOM.place), true, false),
        Place(IDC_F5_HINT, F5_HINT_ROOM.place),
        Place(IDC_UPDATE_TAB, MakeRect(33, 140, 90, 21)),
        Place(IDC_REPAIR_TAB, MakeRect(124, 140, 90, 21), true, false),
        Place(IDC_STATUS, STATUS_ROOM.place),
    };
    for (int i = 0; i < DOT_COUNT; ++i) {
        out.push_back(Place(IDC_DOT_FIRST + i, MakeRect(DOT_X + DOT_STEP * i, DOT_Y, DOT_SIZE.width,
                                                        DOT_SIZE.height)));
    }
    out.push_back(Place(IDC_ACTION, MakeRect(275, 254, 90, 23), true, false));
    out.push_back(Place(IDC_LINK, LINK_AREA));
    // Shown only while an operation runs, and the repair page's note never.
    out.push_back(Place(IDC_PROGRESS_PICTURE, MakeRect(51, 310, 2, 13), false, false));
    out.push_back(Place(IDC_OPERATION_WARNING, WARNING_ROOM.place, false, false));
    out.push_back(Place(IDC_REPAIR_NOTE, MakeRect(70, 220, 260, 100), false, false));
    FlowRepairTexts(m, out);
    out.push_back(Place(IDC_CLOSE, MakeRect(275, 377, 90, 23)));
    return out;
}

Rect DeviceListBeside(const Rect& caption) {
    return MakeRect(std::max(DEVICE_LIST_X, caption.right + DEVICE_LIST_GAP), DEVICE_LIST_Y,
                    DEVICE_LIST_SIZE.width, DEVICE_LIST_SIZE.height);
}

bool IsSingleBlank(const std::wstring& text) {
    return text == L" ";
}

std::wstring RepairNoteText(const std::wstring& first, const std::wstring& second,
                            const std::wstring& third) {
    return first + L"\r\n(" + second + L")\r\n" + third;
}

uint32_t MirrorStyle(int id) {
    switch (id) {
    case IDC_DEVICE_CAPTION:
    case IDC_F5_HINT:
    case IDC_STATUS:
    case IDC_OPERATION_WARNING:
    case IDC_REPAIR_NOTE:
    case IDC_REPAIR_TITLE:
    case IDC_REPAIR_CONNECT:
    case IDC_REPAIR_KEY:
    case IDC_REPAIR_RELEASE:
    case IDC_REPAIR_RECONNECT:
    case IDC_REPAIR_TAIL:
        return MIRROR_DIALOG_STYLE;
    case IDC_DEVICE_LIST:
        return MIRROR_COMBO_STYLE;
    default:
        return 0;
    }
}

Size WindowSizeForClient(Size window, Size client, Size wanted) {
    return {window.width + wanted.width - client.width,
            window.height + wanted.height - client.height};
}

int32_t CentredOnScreen(int32_t screen, int32_t window) {
    return screen / 2 - window / 2;
}

int32_t BelowScreenTop(const Rect& window, int32_t fullScreenHeight) {
    return window.bottom + fullScreenHeight - window.top;
}

int32_t IconOrigin(int32_t client, int32_t icon) {
    return (client - icon + 1) / 2;
}

uint32_t StaticTextColour(int id, uint32_t appText) {
    switch (id) {
    case IDC_OPERATION_WARNING:
        return COLOUR_WARNING_TEXT;
    case IDC_DEVICE_CAPTION:
        return COLOUR_CAPTION;
    case IDC_REPAIR_CONNECT:
    case IDC_REPAIR_KEY:
    case IDC_REPAIR_TAIL:
    case IDC_REPAIR_RELEASE:
        return COLOUR_KEY_TEXT;
    default:
        return appText;
    }
}

bool IsOnPanel(int id) {
    return id == IDC_DEVICE_CAPTION;
}
