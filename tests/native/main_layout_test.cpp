#include <cstddef> // main_ids.h uses size_t
#include "main_window/main_ids.h"
#include "main_window/main_layout.h"
#include "res/resource.h"
#include "ui/dialog_layout.h"
#include <gtest/gtest.h>
#include <set>

namespace {
// Measures as an 8-point dialog font gives them: 13-pixel lines, a 16-pixel key picture.
RepairTextMeasures Measures(bool tailShown) {
    RepairTextMeasures m;
    m.title = {190, 13};
    m.connect = {150, 13};
    m.keyPicture = {16, 16};
    m.key = {22, 13};
    m.tail = {240, 13};
    m.tailShown = tailShown;
    m.release = {300, 26};
    m.reconnect = {318, 39};
    return m;
}

const ControlPlacement* Find(const std::vector<ControlPlacement>& layout, int id) {
    for (const ControlPlacement& p : layout) {
        if (p.id == id)
            return &p;
    }
    return nullptr;
}

Rect RectOf(const std::vector<ControlPlacement>& layout, int id) {
    const ControlPlacement* p = Find(layout, id);
    EXPECT_NE(p, nullptr) << "control " << id;
    return p ? p->rect : Rect{};
}

TEST(MainLayout, FixedControlsSitWhereTheWindowDrawsAroundThem) {
    const auto layout = LayoutMainWindow(Measures(false));
    const struct {
        int id;
        Rect rect;
    } table[] = {
        {IDC_LOGO, MakeRect(264, 30, 103, 20)},
        {IDC_DEVICE_PICTURE, MakeRect(39, 81, 10, 14)},
        {IDC_DEVICE_CAPTION, MakeRect(59, 81, 68, 15)},
        {IDC_DEVICE_LIST, MakeRect(132, 78, 183, 21)},
        {IDC_F5_HINT, MakeRect(35, 115, 310, 16)},
        {IDC_UPDATE_TAB, MakeRect(33, 140, 90, 21)},
        {IDC_REPAIR_TAB, MakeRect(124, 140, 90, 21)},
        {IDC_STATUS, MakeRect(51, 165, 280, 55)},
        {IDC_DOT_FIRST, MakeRect(99, 235, 16, 16)},
        {IDC_DOT_FIRST + 3, MakeRect(174, 235, 16, 16)},
        {IDC_DOT_LAST, MakeRect(274, 235, 16, 16)},
        {IDC_ACTION, MakeRect(275, 254, 90, 23)},
        {IDC_LINK, Rect{35, 290, 360, 305}},
        {IDC_PROGRESS_PICTURE, MakeRect(51, 310, 2, 13)},
        {IDC_OPERATION_WARNING, MakeRect(61, 310, 300, 30)},
        {IDC_REPAIR_NOTE, MakeRect(70, 220, 260, 100)},
        {IDC_CLOSE, MakeRect(275, 377, 90, 23)},
    };
    for (const auto& row : table)
        EXPECT_EQ(RectOf(layout, row.id), row.rect) << "control " << row.id;
    // Every control is placed once, all inside the client area.
    std::set<int> ids;
    for (const ControlPlacement& p : layout) {
        EXPECT_TRUE(ids.insert(p.id).second) << "control " << p.id;
        EXPECT_GE(p.rect.left, 0);
        EXPECT_LE(p.rect.bottom, MAIN_CLIENT_SIZE.height);
        EXPECT_LE(p.rect.right, MAIN_CLIENT_SIZE.width);
    }
    EXPECT_EQ(ids.size(), 29u); // every control of the window, the blank tail hidden
}

TEST(MainLayout, InitialStatesDisableAndHideTheListedControls) {
    const auto layout = LayoutMainWindow(Measures(true));
    const std::set<int> disabled{IDC_DEVICE_LIST,      IDC_REPAIR_TAB,        IDC_ACTION,
                                 IDC_PROGRESS_PICTURE, IDC_OPERATION_WARNING, IDC_REPAIR_NOTE};
    const std::set<int> hidden{IDC_KEY_PICTURE, IDC_REPAIR_RECONNECT, IDC_PROGRESS_PICTURE,
                               IDC_OPERATION_WARNING, IDC_REPAIR_NOTE};
    for (const ControlPlacement& p : layout) {
        EXPECT_EQ(p.enabled, disabled.count(p.id) == 0) << "control " << p.id;
        EXPECT_EQ(p.visible, hidden.count(p.id) == 0) << "control " << p.id;
    }
}

TEST(MainLayout, RepairRowFollowsTheMeasuredWidths) {
    RepairTextMeasures m = Measures(false);
    const auto layout = LayoutMainWindow(m);
    EXPECT_EQ(RectOf(layout, IDC_REPAIR_TITLE), MakeRect(40, 190, 190, 13));
    EXPECT_EQ(RectOf(layout, IDC_REPAIR_CONNECT), MakeRect(40, 220, 150, 13));
    EXPECT_EQ(RectOf(layout, IDC_KEY_PICTURE), MakeRect(195, 220, 16, 16));
    EXPECT_EQ(RectOf(layout, IDC_REPAIR_KEY), MakeRect(216, 220, 22, 13));

    m.connect.width = 210; // a longer text in another language moves picture and key along
    const auto wider = LayoutMainWindow(m);
    EXPECT_EQ(RectOf(wider, IDC_KEY_PICTURE).left, 255);
    EXPECT_EQ(RectOf(wider, IDC_REPAIR_KEY).left, 276);
}

TEST(MainLayout, BlankTailTakesNoRowAndATextTailPushesTheReleaseTextDown) {
    const auto blank = LayoutMainWindow(Measures(false));
    ASSERT_NE(Find(blank, IDC_REPAIR_TAIL), nullptr);
    EXPECT_FALSE(Find(blank, IDC_REPAIR_TAIL)->visible);
    // The row is as tall as its tallest part, the 16-pixel key picture.
    EXPECT_EQ(RectOf(blank, IDC_REPAIR_RELEASE), MakeRect(40, 236, 320, 26));

    const auto text = LayoutMainWindow(Measures(true));
    EXPECT_EQ(RectOf(text, IDC_REPAIR_TAIL), MakeRect(40, 236, 240, 13));
    EXPECT_EQ(RectOf(text, IDC_REPAIR_RELEASE), MakeRect(40, 249, 320, 26));
    // The reconnect note keeps its row whatever flows above it.
    EXPECT_EQ(RectOf(blank, IDC_REPAIR_RECONNECT), MakeRect(40, 310, 320, 39));
    EXPECT_EQ(RectOf(text, IDC_REPAIR_RECONNECT), MakeRect(40, 310, 320, 39));
}

TEST(MainLayout, ARowOfTallTextsIsAsHighAsItsTallestPart) {
    RepairTextMeasures m = Measures(true);
    m.key.height = 30;
    const auto layout = LayoutMainWindow(m);
    EXPECT_EQ(RectOf(layout, IDC_REPAIR_TAIL).top, 250);
}

TEST(MainLayout, OnlyASingleBlankCountsAsNoTail) {
    EXPECT_TRUE(IsSingleBlank(L" "));
    EXPECT_FALSE(IsSingleBlank(L""));
    EXPECT_FALSE(IsSingleBlank(L"  "));
    EXPECT_FALSE(IsSingleBlank(L"lecteur à l'ordinateur"));
}

TEST(MainLayout, MirroringTouchesTextsAndTheListOnly) {
    const std::set<int> texts{1003, 1005, 1019, 1027, 1028, 1030, 1031, 1032, 1033, 1034, 1035};
    for (int id = IDC_LOGO; id <= IDC_REPAIR_TAIL; ++id) {
        uint32_t expected = texts.count(id) ? 0x00502000u : 0u;
        if (id == IDC_DEVICE_LIST)
            expected = 0x00103000u;
        EXPECT_EQ(MirrorStyle(id), expected) << "control " << id;
    }
}

TEST(MainLayout, ColoursOfTheStaticTexts) {
    const uint32_t appText = 0x123456;
    EXPECT_EQ(StaticTextColour(IDC_OPERATION_WARNING, appText), 0xFF5A00u);
    EXPECT_EQ(StaticTextColour(IDC_DEVICE_CAPTION, appText), 0x68574Eu);
    for (int id : {IDC_REPAIR_CONNECT, IDC_REPAIR_KEY, IDC_REPAIR_TAIL, IDC_REPAIR_RELEASE})
        EXPECT_EQ(StaticTextColour(id, appText), 0x0000F7u) << "control " << id;
    for (int id :
         {IDC_F5_HINT, IDC_STATUS, IDC_REPAIR_TITLE, IDC_REPAIR_RECONNECT, IDC_REPAIR_NOTE})
        EXPECT_EQ(StaticTextColour(id, appText), appText) << "control " << id;
    EXPECT_TRUE(IsOnPanel(IDC_DEVICE_CAPTION));
    EXPECT_FALSE(IsOnPanel(IDC_STATUS));
}

TEST(MainWindowGeometry, ClientAreaComesOutExactly) {
    // A frame of 6 + 6 pixels and a 25-pixel caption.
    EXPECT_EQ(WindowSizeForClient({398, 412}, {386, 381}, MAIN_CLIENT_SIZE), (Size{410, 443}));
    EXPECT_EQ(WindowSizeForClient({410, 443}, {398, 412}, MAIN_CLIENT_SIZE), (Size{410, 443}));
}

TEST(MainWindowGeometry, CentringTakesHalvesOfScreenAndWindow) {
    EXPECT_EQ(CentredOnScreen(1024, 410), 307);
    // Halves, not half of the difference: an odd window on an even screen lands one further.
    EXPECT_EQ(CentredOnScreen(1024, 405), 310);
    EXPECT_EQ(CentredOnScreen(1023, 405), 309);
}

TEST(MainWindowGeometry, BelowTheScreenAndIconInTheMiddle) {
    EXPECT_EQ(BelowScreenTop(Rect{307, 162, 717, 605}, 748), 1191);
    EXPECT_EQ(BelowScreenTop(Rect{0, 0, 410, 443}, 748), 1191);
    EXPECT_EQ(IconOrigin(398, 32), 183);
    EXPECT_EQ(IconOrigin(35, 32), 2);
}

TEST(MainWindowTexts, RepairNoteBracketsItsMiddleLine) {
    EXPECT_EQ(RepairNoteText(L"A", L"B", L"C"), L"A\r\n(B)\r\nC");
}

TEST(MainWindowTexts, TrayMenuCommandsMatchTheMenuResource) {
    // The resource script names the commands with its own defines; both must agree.
    EXPECT_EQ(ID_TRAY_CHECK_FOR_UPDATES, static_cast<uint32_t>(IDM_TRAY_CHECK_FOR_UPDATES));
    EXPECT_EQ(ID_TRAY_TOGGLE_CHECK, static_cast<uint32_t>(IDM_TRAY_TOGGLE_CHECK));
    EXPECT_EQ(ID_TRAY_LAUNCH, static_cast<uint32_t>(IDM_TRAY_LAUNCH));
    EXPECT_EQ(ID_TRAY_EXIT, static_cast<uint32_t>(IDM_TRAY_EXIT));
    const uint16_t messages[] = {205, 206, 154, 176};
    const uint32_t order[] = {32777, 32775, 32773, 32772};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(TRAY_MENU_TEXTS[i].command, order[i]);
        EXPECT_EQ(TRAY_MENU_TEXTS[i].messageId, messages[i]);
    }
}
TEST(MainLayout, FittedTextsStartInTheirPlacesAndTheirRoomsStayInTheFrames) {
    const auto layout = LayoutMainWindow(Measures(false));
    for (const TextRoom& text : {CAPTION_ROOM, F5_HINT_ROOM, STATUS_ROOM, WARNING_ROOM}) {
        EXPECT_EQ(RectOf(layout, text.id), text.place) << "control " << text.id;
        const Rect& room = text.room;
        EXPECT_TRUE(room.left <= text.place.left && room.top <= text.place.top &&
                    room.right >= text.place.right && room.bottom >= text.place.bottom)
            << "control " << text.id;
        EXPECT_GE(room.left, OUTER_FRAME[0].x) << "control " << text.id;
        EXPECT_LE(room.right, OUTER_FRAME[2].x) << "control " << text.id;
    }
    EXPECT_GE(CAPTION_ROOM.room.top, HEADER_PANEL.top);
    EXPECT_LE(CAPTION_ROOM.room.bottom, HEADER_PANEL.bottom);
    EXPECT_LE(WARNING_ROOM.room.bottom, INNER_FRAME[1].y);
    // A caption grown to its room still leaves the device list on the panel.
    const Rect grown{CAPTION_ROOM.place.left, 81, CAPTION_ROOM.room.right, 96};
    EXPECT_LE(DeviceListBeside(grown).right, HEADER_PANEL.right);
}

TEST(MainLayout, DeviceListMovesRightOnlyForALongerCaption) {
    EXPECT_EQ(DeviceListBeside(CAPTION_ROOM.place), MakeRect(132, 78, 183, 21));
    EXPECT_EQ(DeviceListBeside(MakeRect(59, 81, 50, 15)), MakeRect(132, 78, 183, 21));
    EXPECT_EQ(DeviceListBeside(MakeRect(59, 81, 90, 15)), MakeRect(154, 78, 183, 21));
}
} // namespace
