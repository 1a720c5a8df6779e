#pragma once
#include <cstddef> // main_ids.h uses size_t
#include "main_window/main_ids.h"
#include "res/resource.h"
#include "ui/geometry.h"
#include <cstdint>
#include <string>
#include <vector>

// The main window's fixed geometry: where each control sits, how the repair instructions flow
// from their measured texts, which controls mirror for right-to-left languages, the painted
// panel and frames, and the colours of the static texts. Pixels in client coordinates.

inline constexpr Size MAIN_CLIENT_SIZE{398, 412};
// Word-wrapped repair texts are measured, and placed, at this width.
inline constexpr int32_t REPAIR_WRAP_WIDTH = 320;

// Sizes of the measured texts as their controls show them (frame included) and of the key
// picture. `tailShown` is false when the tail text is a single blank and so takes no row.
struct RepairTextMeasures {
    Size title;      // 1030
    Size connect;    // 1031
    Size keyPicture; // 1029
    Size key;        // 1032
    Size tail;       // 1035
    bool tailShown = false;
    Size release;   // 1033, measured at REPAIR_WRAP_WIDTH
    Size reconnect; // 1034, measured at REPAIR_WRAP_WIDTH
};

struct ControlPlacement {
    int id = 0;
    Rect rect;
    bool visible = true;
    bool enabled = true;
};

// A text that may need more than its place in a longer language, and the room it may take.
struct TextRoom {
    int id;
    Rect place;
    Rect room;
};
// The device caption on the header panel, on one line if it can, before the device list.
inline constexpr TextRoom CAPTION_ROOM{
    IDC_DEVICE_CAPTION, MakeRect(59, 81, 68, 15), {59, 75, 180, 101}};
// Between the header panel and the tabs, within the outer frame.
inline constexpr TextRoom F5_HINT_ROOM{
    IDC_F5_HINT, MakeRect(35, 115, 310, 16), {35, 103, 362, 139}};
// Above the progress dots, within the inner frame.
inline constexpr TextRoom STATUS_ROOM{IDC_STATUS, MakeRect(51, 165, 280, 55), {51, 163, 361, 234}};
// Below the link, within the inner frame.
inline constexpr TextRoom WARNING_ROOM{
    IDC_OPERATION_WARNING, MakeRect(61, 310, 300, 30), {61, 310, 361, 352}};
// The fixed texts fitted (FitTextInRoom) besides the caption once the window's texts are in;
// the status text is fitted whenever it changes.
inline constexpr TextRoom FITTED_TEXTS[] = {F5_HINT_ROOM, WARNING_ROOM};
// The support link is wrapped to this area's width and centred on it.
inline constexpr Rect LINK_AREA{35, 290, 360, 305};

// The device list keeps its size and its place unless the caption before it grew into it.
Rect DeviceListBeside(const Rect& caption);

// Every control the layout places, in placing order. The repair tail is left out when it takes
// no row.
std::vector<ControlPlacement> LayoutMainWindow(const RepairTextMeasures& measures);

// A language whose tail text is one blank has nothing after the key picture.
bool IsSingleBlank(const std::wstring& text);
// The repair note: the three messages with the middle one in brackets on its own line.
std::wstring RepairNoteText(const std::wstring& first, const std::wstring& second,
                            const std::wstring& third);

// Extended styles a control gains in a right-to-left window (0 = keeps its styles).
inline constexpr uint32_t MIRROR_DIALOG_STYLE = 0x00502000;
inline constexpr uint32_t MIRROR_COMBO_STYLE = 0x00103000;
uint32_t MirrorStyle(int id);

// The outer window size that gives the client area `wanted`, from a window of size `window`
// whose client area came out as `client`.
Size WindowSizeForClient(Size window, Size client, Size wanted);
// Origin of a window centred on the full-screen area, by halves of each.
int32_t CentredOnScreen(int32_t screen, int32_t window);
// Top edge that puts a window below the visible screen, keeping its size.
int32_t BelowScreenTop(const Rect& window, int32_t fullScreenHeight);
// Origin of the icon painted in the middle of a minimised window.
int32_t IconOrigin(int32_t client, int32_t icon);

// Painting.
inline constexpr uint32_t COLOUR_PANEL = 0xBDB0A2;        // RGB(162, 176, 189)
inline constexpr uint32_t COLOUR_CAPTION = 0x68574E;      // RGB(78, 87, 104)
inline constexpr uint32_t COLOUR_FRAME = 0x9D886D;        // RGB(109, 136, 157)
inline constexpr uint32_t COLOUR_WARNING_TEXT = 0xFF5A00; // RGB(0, 90, 255)
inline constexpr uint32_t COLOUR_TAB_DISABLED = 0xA0A0A0; // RGB(160, 160, 160)
inline constexpr Rect HEADER_PANEL{22, 74, 376, 102};
struct Point {
    int32_t x = 0;
    int32_t y = 0;
};
// The outer frame is open at the top; the inner frame is closed.
inline constexpr Point OUTER_FRAME[] = {{22, 102}, {22, 360}, {375, 360}, {375, 102}};
inline constexpr Point INNER_FRAME[] = {{29, 160}, {29, 353}, {369, 353}, {369, 160}, {29, 160}};

// Text colour of static control `id`; `appText` for the ordinary texts.
uint32_t StaticTextColour(int id, uint32_t appText);
// The device caption sits on the header panel and gets the panel's brush.
bool IsOnPanel(int id);

// The tray menu's items with the messages of their texts, in menu order.
struct TrayMenuText {
    uint32_t command;
    uint16_t messageId;
};
inline constexpr TrayMenuText TRAY_MENU_TEXTS[] = {{ID_TRAY_CHECK_FOR_UPDATES, 205},
                                                   {ID_TRAY_TOGGLE_CHECK, 206},
                                                   {ID_TRAY_LAUNCH, 154},
                                                   {ID_TRAY_EXIT, 176}};
