#pragma once
#include <cstdint>

// The catalogue messages the code names, in one table.
inline constexpr uint16_t MSG_TITLE = 102;
inline constexpr uint16_t MSG_UPDATE_COMPLETED = 111;
inline constexpr uint16_t MSG_UPDATE_AVAILABLE = 112;
inline constexpr uint16_t MSG_INSTALL_NOW = 113;
inline constexpr uint16_t MSG_YES = 130;
inline constexpr uint16_t MSG_CANCEL = 131;
inline constexpr uint16_t MSG_DOWNLOAD_NOW = 145;
inline constexpr uint16_t MSG_IMPORTANT_UPDATE = 166;
inline constexpr uint16_t MSG_PRESS_OK = 177;
inline constexpr uint16_t MSG_NEEDS_ADMINISTRATOR = 189;
inline constexpr uint16_t MSG_UNSUPPORTED_WINDOWS = 190;
inline constexpr uint16_t MSG_RELEASE_KEY = 200;
inline constexpr uint16_t MSG_KEY_IF_HELD = 201;
inline constexpr uint16_t MSG_NO_CONNECTION = 209;
inline constexpr uint16_t MSG_LINK_TEXT = 212;
inline constexpr uint16_t MSG_MEDIA_DOWNLOAD_ADDRESS = 214;
