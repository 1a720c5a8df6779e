#pragma once
#include <cstdint>

// Timer ids of the program's windows, in one table; ids need only differ per window.
inline constexpr uint32_t LINK_LEAVE_TIMER = 100;   // the hyperlink's leave poll
inline constexpr uint32_t TIMER_ANIMATION = 100;    // the main window's progress dots
inline constexpr uint32_t TIMER_ONLINE_CHECK = 101; // its background check after a silent start
inline constexpr uint32_t TIMER_RETRY = 1026;       // its connectivity retry
inline constexpr uint32_t TIMER_SLIDE_IN = 102;     // the callout's and popup's slide-in step
inline constexpr uint32_t TIMER_HOLD = 103;         // their display time
inline constexpr uint32_t TIMER_SLIDE_OUT = 104;    // their slide-out step
