// The module's window ids, which are also the codes of the events its
// windows report, and the types of those events.
#pragma once

#include <cstdint>

namespace orvane {

constexpr int32_t kTalkWndID = 163;   // the NPC talk window
constexpr int32_t kLogWndID = 172;    // the task log dialog
constexpr int32_t kMenuWndID = 174;   // the first selection menu
constexpr int32_t kMenuWnd2ID = 175;  // the second selection menu
// The description both selection menus are built from.
constexpr int32_t kMenuResID = 230;

// Event types (IWndCallback::OnEvent's second argument).
constexpr int32_t kLinkEvent = 1;    // a link clicked: the value is its number
constexpr int32_t kDeleteEvent = 7;  // a task deletion confirmed: the value is the task id

}  // namespace orvane
