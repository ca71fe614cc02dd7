#include "tools/hostlib/PlayerNotes.h"

#include <algorithm>
#include <cstddef>

#include "client/ITaskClient.h"
#include "panelkit/Views.h"
#include "tools/hostlib/Messages.h"
#include "tools/hostlib/WindowDump.h"
#include "ui/Panelkit.h"

namespace orvane::hostprog {

namespace {

// Where message 87's page area puts its count and its pages.
constexpr size_t kPageCountAt = kReplyKeySize + offsetof(TaskTalkPageArea, m_nPageCount);
constexpr size_t kPagesAt = kReplyKeySize + offsetof(TaskTalkPageArea, m_Pages);

// Little-endian reads; bytes the message does not hold read as 0, as the
// module reads them.
int32_t I32(std::span<const uint8_t> m, size_t at)
{
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i)
        v |= static_cast<uint32_t>(at + i < m.size() ? m[at + i] : 0) << (8 * i);
    return static_cast<int32_t>(v);
}

int32_t I16(std::span<const uint8_t> m, size_t at)
{
    const uint32_t v = static_cast<uint32_t>(at < m.size() ? m[at] : 0) |
                       static_cast<uint32_t>(at + 1 < m.size() ? m[at + 1] : 0) << 8;
    return static_cast<int16_t>(v);
}

std::string Plural(int64_t n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string List(const std::vector<int32_t>& values)
{
    std::string out;
    for (int32_t v : values)
        out += (out.empty() ? "" : ", ") + std::to_string(v);
    return out;
}

// A talk-sentence block whose header starts at `at` and whose sizes add up
// to the message's end: its entry count and text size.
std::optional<std::pair<int32_t, int32_t>> BlockAt(std::span<const uint8_t> m, size_t at)
{
    if (m.size() < at + kBlockHeaderSize)
        return std::nullopt;
    const int32_t header = I16(m, at);
    const int32_t index = I16(m, at + 2);
    const int32_t text = I16(m, at + 6);
    if (header != kBlockHeaderSize || I16(m, at + 8) != 1 || index < 0 || text < 0 ||
        at + header + static_cast<size_t>(index) + static_cast<size_t>(text) != m.size())
        return std::nullopt;
    return std::pair{index / 8, text};
}

// The offset of sentence resID in the block at byte 540 when that offset is
// its text size (an empty text at the very end of the block).
std::optional<int32_t> OffsetAtTheEnd(std::span<const uint8_t> m, int32_t resID)
{
    const auto block = BlockAt(m, kTalkFixedSize);
    if (!block)
        return std::nullopt;
    const size_t index = kTalkFixedSize + kBlockHeaderSize;
    for (int32_t i = 0; i < block->first; ++i) {
        if (I32(m, index + 8 * static_cast<size_t>(i)) != resID)
            continue;
        const int32_t offset = I32(m, index + 8 * static_cast<size_t>(i) + 4);
        return offset == block->second ? std::optional<int32_t>(offset) : std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::string> TalkMessageWarnings(std::span<const uint8_t> m, ITaskClient* client)
{
    std::vector<std::string> notes;
    if (m.empty())
        return notes;
    const int32_t count = I16(m, kPageCountAt);
    const int32_t pages = std::clamp(count, 0, kMaxTalkPages);
    for (int32_t p = 0; client != nullptr && p < pages; ++p) {
        const size_t page = kPagesAt + sizeof(TaskTalkPage) * static_cast<size_t>(p);
        const int32_t options = std::clamp(I32(m, page + 4), 0, kMaxTalkOptions);
        for (int32_t i = 0; i < options; ++i) {
            const int32_t link = I32(m, page + 8 + 8 * static_cast<size_t>(i));
            const int32_t resID = I32(m, page + 12 + 8 * static_cast<size_t>(i));
            if (link == 0)
                continue;
            const char* text = client->GetTalkText(resID);
            const std::string answer = "page " + std::to_string(p) + "'s answer with link " +
                                       std::to_string(link) + " (sentence " +
                                       std::to_string(resID) + ")";
            if (text == nullptr) {
                notes.push_back(std::string(kWarning) + answer +
                                " has no text: neither the message's sentences nor "
                                "taskClient.res hold it, so the player sees a blank link.");
            } else if (*text == '\0') {
                const std::optional<int32_t> end = OffsetAtTheEnd(m, resID);
                notes.push_back(
                    std::string(kWarning) + answer + " has an empty text" +
                    (end ? " (its offset " + std::to_string(*end) + " equals the block's text size)"
                         : std::string()) +
                    ": it takes no room on the screen, so the player cannot click it.");
            }
        }
    }
    // A block written straight after the pages the message uses, as if the
    // unused page slots were not part of the layout.
    if (count >= 1 && count < kMaxTalkPages) {
        const size_t at = kPagesAt + sizeof(TaskTalkPage) * static_cast<size_t>(count);
        if (const auto block = BlockAt(m, at)) {
            notes.push_back(std::string(kWarning) + "a talk-sentence block (" +
                            Plural(block->first, "entry", "entries") + ", text size " +
                            std::to_string(block->second) + ") starts at byte " +
                            std::to_string(at) + ", straight after the " +
                            Plural(count, "used page", "used pages") +
                            "; the module reads the block only at byte 540, after all six page "
                            "slots, so these sentences are never read and their answers fall back "
                            "to earlier sentences and taskClient.res.");
        }
    }
    return notes;
}

std::vector<std::string> TaskLogWarnings(std::span<const uint8_t> m,
                                         std::optional<int32_t> shownStory)
{
    std::vector<std::string> notes;
    if (m.size() < kTaskListSize)
        return notes;
    const int32_t count = I32(m, 0);
    const int32_t covered = std::clamp(count, 0, kMaxLogIds);
    std::vector<int32_t> ids;
    std::vector<int32_t> left;  // non-zero ids beyond the count
    for (int32_t k = 0; k < kMaxLogIds; ++k) {
        const int32_t id = I32(m, 4 + 4 * static_cast<size_t>(k));
        if (id == 0)
            continue;
        ids.push_back(id);
        if (k >= covered)
            left.push_back(id);
    }
    std::string why;
    if (count > kMaxLogIds)
        why = "is " + std::to_string(count) + ", above 10: the module reads the ten slots";
    else if (count < 0)
        why = "is " + std::to_string(count) +
              ", below 0: the task log picks its story from none "
              "of the " +
              Plural(static_cast<int64_t>(ids.size()), "listed id", "listed ids");
    else if (!left.empty())
        why = "is " + std::to_string(count) + ", but " +
              Plural(static_cast<int64_t>(left.size()), "non-zero id lies", "non-zero ids lie") +
              " beyond the first " + Plural(count, "slot", "slots") + " (" + List(left) +
              "): the task log picks its story from the first " + std::to_string(covered) + " only";
    if (why.empty())
        return notes;
    std::string note = std::string(kWarning) + "the task list's count " + why;
    if (shownStory && !ids.empty() && *shownStory != ids.back()) {
        note += ", so it shows " +
                (*shownStory == 0 ? std::string("no task's story")
                                  : "the story of task " + std::to_string(*shownStory)) +
                ", not that of task " + std::to_string(ids.back()) + ", the last one listed";
    }
    notes.push_back(note + ".");
    return notes;
}

int32_t ShownStoryTask(XWindow* logDlg)
{
    XTalk* story = logDlg != nullptr ? TextControl(logDlg) : nullptr;
    XItemContainer* items = story != nullptr ? story->GetItemContainer() : nullptr;
    if (items == nullptr || items->GetLineCount() == 0)
        return 0;
    const std::optional<XTalkLine> first = panelkit::LineOf(items, 0);
    return first ? static_cast<int32_t>(LinkValue(*first)) : 0;
}

std::optional<std::string> BelowTheViewWarning(XTalk* talk, const std::string& what)
{
    XItemContainer* items = talk != nullptr ? talk->GetItemContainer() : nullptr;
    if (items == nullptr || items->GetViewHeight() <= 0)
        return std::nullopt;
    const int32_t row = std::max<int32_t>(items->GetRowHeight(), 1);
    const int32_t view = items->GetViewHeight();
    const int32_t content = items->GetContentHeight();
    if (content <= view)
        return std::nullopt;
    // Measured from the top of the lines, wherever the control is scrolled.
    XTalkLineInfo first{};
    const int64_t top = items->GetLineInfo(0, first) ? first.rect.top : 0;
    std::vector<int32_t> hidden;  // counted from 1, as a reader counts lines
    std::vector<int32_t> links;
    for (int32_t i = 0; i < items->GetLineCount(); ++i) {
        const std::optional<XTalkLine> line = panelkit::LineOf(items, i);
        if (!line || line->rect.bottom - top <= view)
            continue;
        hidden.push_back(i + 1);
        if (const int64_t link = LinkValue(*line); link != 0)
            links.push_back(static_cast<int32_t>(link));
    }
    if (hidden.empty())
        return std::nullopt;
    const std::string lines = (hidden.size() == 1 ? "line " + std::to_string(hidden.front())
                                                  : "lines " + std::to_string(hidden.front()) +
                                                        " to " + std::to_string(hidden.back())) +
                              " of " + std::to_string(items->GetLineCount());
    return std::string(kWarning) + what + " shows " + std::to_string(view / row) + " of its " +
           std::to_string((content + row - 1) / row) + " rows (" + std::to_string(view) + " of " +
           std::to_string(content) + " pixels): " + lines +
           (links.empty() ? std::string()
                          : " (" + Plural(static_cast<int64_t>(links.size()), "link", "links") +
                                ": " + List(links) + ")") +
           (hidden.size() == 1 ? " lies" : " lie") +
           " below its visible part, and the player reads them only by scrolling.";
}

std::vector<std::string> ViewWatch::Check(
    const std::vector<std::pair<XWindow*, std::string>>& windows)
{
    std::vector<std::string> notes;
    for (const auto& [wnd, what] : windows) {
        XTalk* talk = TextControl(wnd);
        if (talk == nullptr || !wnd->IsVisible())
            continue;
        XItemContainer* items = talk->GetItemContainer();
        std::string shows;
        XTalkLineInfo line{};
        for (int32_t i = 0; items != nullptr && items->GetLineInfo(i, line); ++i)
            shows += std::string(line.markup) + '\n';
        shows += std::to_string(items != nullptr ? items->GetViewHeight() : 0);
        auto [told, fresh] = m_told.try_emplace(talk, shows);
        if (!fresh && told->second == shows)
            continue;
        told->second = shows;
        if (std::optional<std::string> note = BelowTheViewWarning(talk, what))
            notes.push_back(*note);
    }
    return notes;
}

}  // namespace orvane::hostprog
