// The classes of a talk page, by which the sequencer decides what to show.
// A task page with one linked option, or with no options, belongs to none
// of them.
#pragma once

#include "tasks/TaskRecords.h"

namespace orvane {

inline bool IsChatPage(const TaskTalkPage& page)
{
    return page.nTaskID == 0;
}

inline bool IsOpenChatPage(const TaskTalkPage& page)
{
    return IsChatPage(page) && page.nOptionCount > 0;
}

// One line of text that offers no choice.
inline bool IsNarrationPage(const TaskTalkPage& page)
{
    return page.nTaskID != 0 && page.nOptionCount == 1 && page.options[0].nLink == 0;
}

inline bool IsChoicePage(const TaskTalkPage& page)
{
    return page.nTaskID != 0 && page.nOptionCount > 1;
}

// A page that waits for the player's answer.
inline bool IsOfferPage(const TaskTalkPage& page)
{
    return IsOpenChatPage(page) || IsChoicePage(page);
}

}  // namespace orvane
