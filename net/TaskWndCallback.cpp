#include "net/TaskWndCallback.h"

#include <cstdint>
#include <limits>

#include "client/Contain.h"
#include "client/TaskClient.h"
#include "net/FunctionTasks.h"
#include "net/PacketBuffer.h"
#include "net/PacketFraming.h"
#include "tasks/TaskTalkSequencer.h"

namespace {

constexpr uint16_t kReplyMainType = 5;
constexpr uint16_t kTalkAnswerSubType = 87;
constexpr uint16_t kTaskDeleteSubType = 92;
constexpr int32_t kReplyBufferSize = 256;

// The page a menu link stands for. A value whose page index would not fit in
// 32 bits gives -1, which the sequencer's range check refuses.
int32_t MenuPage(int32_t linkValue)
{
    const int64_t page = int64_t{linkValue} - CTaskTalkSequencer::kMenuLinkBase;
    return page < std::numeric_limits<int32_t>::min() ? -1 : static_cast<int32_t>(page);
}

}  // namespace

CTaskWndCallback::CTaskWndCallback(CTaskClient* client) : m_pClient(client) {}

CTaskWndCallback::~CTaskWndCallback() = default;

bool CTaskWndCallback::OnEvent(int32_t code, int32_t type, int32_t value, int32_t)
{
    return orvane::Contain("CTaskWndCallback::OnEvent()", false, [&]() -> bool {
        if (type == orvane::kLinkEvent && code == orvane::kTalkWndID)
            return OnTalkLink(value);
        if (type == orvane::kDeleteEvent && code == orvane::kLogWndID)
            return OnTaskDelete(value);
        return true;
    });
}

CTaskTalkSequencer* CTaskWndCallback::Sequencer() const
{
    return m_pClient != nullptr ? m_pClient->TalkSequencer() : nullptr;
}

bool CTaskWndCallback::OnTalkLink(int32_t value)
{
    CTaskTalkSequencer* sequencer = Sequencer();
    // Without a sequencer there is no conversation (and no reply key) to
    // answer: nothing is sent.
    if (sequencer == nullptr)
        return false;
    if (sequencer->AwaitingChoice()) {
        // A pick from the local task menu: show that page after the step delay.
        sequencer->SetState(TALK_SHOW_CURRENT);
        sequencer->SetCurrentPage(MenuPage(value));
        sequencer->StartStepTimer();
        return true;
    }

    uint8_t storage[kReplyBufferSize] = {};
    CPacketBuffer buf(storage, kReplyBufferSize);
    orvane::WritePacketHeader(buf, kReplyMainType, kTalkAnswerSubType);
    const std::span<const uint8_t, 8> key = sequencer->ReplyKey();
    buf.Write(key.data(), static_cast<int32_t>(key.size()));
    orvane::WriteI32LE(buf, value);
    return orvane::SendToServer(storage, buf.GetLength());
}

bool CTaskWndCallback::OnTaskDelete(int32_t taskID)
{
    if (taskID >= kFunctionTaskID)
        return OnFunctionTaskDelete(taskID);

    uint8_t storage[kReplyBufferSize] = {};
    CPacketBuffer buf(storage, kReplyBufferSize);
    orvane::WritePacketHeader(buf, kReplyMainType, kTaskDeleteSubType);
    orvane::WriteI32LE(buf, taskID);
    return orvane::SendToServer(storage, buf.GetLength());
}

bool CTaskWndCallback::OnFunctionTaskDelete(int32_t taskID)
{
    const FunctionTaskEntry* entry = nullptr;
    switch (orvane::FindFunctionTask(taskID, &entry)) {
        case orvane::FunctionTaskMatch::NotListed:
            return true;
        case orvane::FunctionTaskMatch::TableFull:
            return false;
        case orvane::FunctionTaskMatch::Found:
            break;
    }
    const char* taskName = m_pClient != nullptr ? m_pClient->GetTaskName(taskID) : nullptr;
    // The call goes out whether or not a sender takes it; the event is handled.
    orvane::SendFunctionTaskCall(*entry, taskName);
    return true;
}
