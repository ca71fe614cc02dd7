// Shared helpers of the task tests: builders for messages 87 and 91 and
// their text blocks, windows that record the commands the observer sends,
// and a fixture running the module on the reference host without scripts,
// so that every text comes from the client's tables.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "client/StateView.h"
#include "client/TaskClient.h"
#include "net/TaskWndCallback.h"
#include "tasks/MessageFormats.h"
#include "tasks/TaskObserver.h"
#include "tasks/TaskTalkSequencer.h"
#include "tests/support/ModuleFixture.h"
#include "ui/TaskLogDlg.h"
#include "ui/TaskTalkDlg.h"

namespace orvane::test {

using Bytes = std::vector<uint8_t>;

inline void PutI16(Bytes& out, int32_t v)
{
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

inline void PutI32(Bytes& out, int32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF));
}

inline Bytes Concat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct WireOption {
    int32_t link;
    int32_t resID;
};

struct WirePage {
    int32_t task;
    std::vector<WireOption> options;  // at most 10 go on the wire
    std::optional<int32_t> count;     // the option count field; default: options.size()
};

constexpr uint8_t kTestKey[8] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};

// The 540-byte fixed part of message 87.
inline Bytes TalkMessage(const std::vector<WirePage>& pages, std::optional<int16_t> pageCount = {})
{
    Bytes out(kTestKey, kTestKey + 8);
    PutI16(out, pageCount.value_or(static_cast<int16_t>(pages.size())));
    PutI16(out, 0);
    for (size_t p = 0; p < kMaxTalkPages; ++p) {
        const WirePage page = p < pages.size() ? pages[p] : WirePage{0, {}, 0};
        PutI32(out, page.task);
        PutI32(out, page.count.value_or(static_cast<int32_t>(page.options.size())));
        for (size_t i = 0; i < kMaxTalkOptions; ++i) {
            const WireOption o = i < page.options.size() ? page.options[i] : WireOption{0, 0};
            PutI32(out, o.link);
            PutI32(out, o.resID);
        }
    }
    return out;
}

// A text block with its header fields open to tampering.
struct BlockSpec {
    int16_t kind = 1;
    int16_t headerSize = 10;
    std::optional<int16_t> indexSize;   // default: index.size()
    std::optional<int16_t> entryCount;  // default: index.size() / 8
    std::optional<int16_t> textSize;    // default: text.size()
    Bytes index;
    Bytes text;

    // Appends a text with its zero byte; returns its offset.
    int32_t AddText(const std::string& s)
    {
        const auto offset = static_cast<int32_t>(text.size());
        text.insert(text.end(), s.begin(), s.end());
        text.push_back(0);
        return offset;
    }
    void AddSentence(int32_t resID, int32_t offset)
    {
        PutI32(index, resID);
        PutI32(index, offset);
    }
    void AddLogEntry(int32_t taskID, int32_t nameOffset, int32_t storyOffset)
    {
        PutI32(index, taskID);
        PutI16(index, nameOffset);
        PutI16(index, storyOffset);
    }
    Bytes Encode() const
    {
        Bytes out;
        PutI16(out, headerSize);
        PutI16(out, indexSize.value_or(static_cast<int16_t>(index.size())));
        PutI16(out, entryCount.value_or(static_cast<int16_t>(index.size() / 8)));
        PutI16(out, textSize.value_or(static_cast<int16_t>(text.size())));
        PutI16(out, kind);
        return Concat(Concat(out, index), text);
    }
};

inline BlockSpec SentenceBlock(const std::vector<std::pair<int32_t, std::string>>& sentences)
{
    BlockSpec b;
    b.kind = kKindTalkSentences;
    for (const auto& [id, text] : sentences)
        b.AddSentence(id, b.AddText(text));
    return b;
}

struct LogEntry {
    int32_t id;
    std::string name;
    std::string story;
};

inline BlockSpec TaskLogBlock(int16_t kind, const std::vector<LogEntry>& entries)
{
    BlockSpec b;
    b.kind = kind;
    for (const LogEntry& e : entries) {
        const int32_t name = b.AddText(e.name);
        b.AddLogEntry(e.id, name, b.AddText(e.story));
    }
    return b;
}

// The 44-byte TaskListRecord of message 91.
inline Bytes TaskListBytes(const std::vector<int32_t>& ids)
{
    Bytes out;
    PutI32(out, static_cast<int32_t>(ids.size()));
    for (size_t i = 0; i < 10; ++i)
        PutI32(out, i < ids.size() ? ids[i] : 0);
    return out;
}

// What the talk window showed: its lines and page text at each show command.
struct TalkScreen {
    std::vector<std::pair<std::string, int32_t>> lines;
    std::string panel;
};

class RecordingTalkDlg : public CTaskTalkDlg {
public:
    struct Command {
        int32_t type;
        std::optional<std::string> text;
        int32_t param;
    };
    bool OnCommand(int32_t type, const void* data, int32_t param) override
    {
        std::optional<std::string> text;
        if (data != nullptr)
            text = static_cast<const char*>(data);
        commands.push_back({type, text, param});
        if (type == kCmdClear)
            current.lines.clear();
        else if (type == kCmdAddLine && text)
            current.lines.emplace_back(*text, param);
        else if (type == kCmdPanelText && text)
            current.panel = *text;
        else if (type == kCmdShow)
            screens.push_back(current);
        return type == kCmdAddLine || type == kCmdShow || type == kCmdClear;
    }
    std::vector<Command> commands;
    TalkScreen current;
    std::vector<TalkScreen> screens;
};

class RecordingLogDlg : public CTaskLogDlg {
public:
    bool OnCommand(int32_t type, const void* data, int32_t param) override
    {
        Bytes bytes;
        if (data != nullptr && param > 0) {
            const auto* p = static_cast<const uint8_t*>(data);
            bytes.assign(p, p + param);
        }
        received.emplace_back(type, std::move(bytes));
        return true;
    }
    std::vector<std::pair<int32_t, Bytes>> received;
};

class TaskMessageTest : public ModuleFixture {
protected:
    void SetUp() override
    {
        ModuleFixture::SetUp();
        if (HasFatalFailure())
            return;
        // Without scripts the lookups answer from the tables alone and the
        // host's OpenClientWnd finds no window description, so the recording
        // windows below are the only windows.
        std::filesystem::remove_all(work.Path() / "scp");
        CreateClient();
        if (HasFatalFailure())
            return;
        StateView::SetTalkDlg(*Client(), talk.get());
        StateView::SetLogDlg(*Client(), logDlg.get());
        Client()->InitTaskObserver();
        TakePrints();
        TakeDebugWrites();
    }

    CTaskTalkSequencer* Seq() { return StateView::Sequencer(*Client()); }
    void DeliverTalk(const Bytes& bytes) { Deliver(CTaskObserver::kTalkMsgID, bytes); }
    void DeliverLog(const Bytes& bytes) { Deliver(CTaskObserver::kLogMsgID, bytes); }
    // Prints equal to line since the last call.
    int CountPrints(const std::string& line)
    {
        const std::vector<std::string> prints = TakePrints();
        return static_cast<int>(std::count(prints.begin(), prints.end(), line));
    }

    // Destroyed after TearDown has closed the client.
    std::unique_ptr<RecordingTalkDlg> talk = std::make_unique<RecordingTalkDlg>();
    std::unique_ptr<RecordingLogDlg> logDlg = std::make_unique<RecordingLogDlg>();
};

}  // namespace orvane::test
