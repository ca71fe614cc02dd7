// Warnings of what the player will miss, as notes for the readable
// transcript and orvane-inspect's report: answers without text, a sentence
// block where the module does not read it, lines below the visible part of
// a window, a task list whose count leaves out its newest task. They are
// worked out from the message's bytes, the client's text lookups (an
// ITaskClient call, as a game client makes) and the toolkit's own layout:
// nothing reaches into the module.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

class ITaskClient;
class XTalk;
class XWindow;

namespace orvane::hostprog {

// Every warning text starts with this.
inline constexpr const char* kWarning = "Warning: ";

// A message 87 just delivered: answers whose text is missing or empty, and
// a talk-sentence block placed straight after the used pages.
std::vector<std::string> TalkMessageWarnings(std::span<const uint8_t> message, ITaskClient* client);

// A message 91 just delivered: a count below 0, above 10, or that leaves
// out non-zero ids. shownStory: the task whose story the task log shows
// afterwards (0: none), when the task log exists.
std::vector<std::string> TaskLogWarnings(std::span<const uint8_t> message,
                                         std::optional<int32_t> shownStory);

// The task whose story the task log's story control shows: the link value
// of its first line (0 when it shows no task's story).
int32_t ShownStoryTask(XWindow* logDlg);

// Rows of a text control below its visible part, measured on the toolkit's
// layout as the player first sees it (scrolled to the top); nullopt when all
// are in view. what names the window ("the NPC talk window 163").
std::optional<std::string> BelowTheViewWarning(XTalk* talk, const std::string& what);

// Tells each text control's warning once for what it shows: a control that
// shows other lines is judged again.
class ViewWatch {
public:
    // The warnings for the visible controls of these windows that are new.
    std::vector<std::string> Check(const std::vector<std::pair<XWindow*, std::string>>& windows);

private:
    std::map<XTalk*, std::string> m_told;  // control -> what it showed when judged
};

}  // namespace orvane::hostprog
