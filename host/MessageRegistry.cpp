#include <algorithm>

#include "host/ReferenceHost.h"

namespace orvane::host {

void MessageRegistry::Register(int32_t msgId, CMsgDelegate* delegate)
{
    HostEvent ev{};
    ev.kind = HostEvent::Kind::Register;
    ev.msgId = msgId;
    m_hub.Emit(ev);
    if (delegate)
        m_entries.push_back({msgId, delegate, m_nextSerial++});
}

void MessageRegistry::Unregister(int32_t msgId, CMsgDelegate* delegate)
{
    // Every registration of the pair goes, even when reporting it fails:
    // after Unregister nothing more may reach the delegate, which its owner
    // is then free to delete.
    struct Erase {
        std::vector<Entry>& entries;
        int32_t msgId;
        CMsgDelegate* delegate;
        ~Erase()
        {
            std::erase_if(entries, [&](const Entry& e) {
                return e.msgId == msgId && e.delegate == delegate;
            });
        }
    } erase{m_entries, msgId, delegate};
    HostEvent ev{};
    ev.kind = HostEvent::Kind::Unregister;
    ev.msgId = msgId;
    m_hub.Emit(ev);
}

bool MessageRegistry::IsRegistered(uint64_t serial) const
{
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&](const Entry& e) { return e.serial == serial; });
}

void MessageRegistry::Deliver(int32_t msgId, const uint8_t* bytes, uint32_t length, int32_t extra)
{
    // Delegates may register and unregister while they run, so walk a copy
    // and check each registration is still there before calling it.
    std::vector<Entry> due;
    for (const Entry& e : m_entries) {
        if (e.msgId == msgId)
            due.push_back(e);
    }
    for (const Entry& e : due) {
        if (IsRegistered(e.serial))
            e.delegate->Invoke(bytes, length, extra);
    }
}

size_t MessageRegistry::CountFor(int32_t msgId) const
{
    return static_cast<size_t>(std::count_if(m_entries.begin(), m_entries.end(),
                                             [&](const Entry& e) { return e.msgId == msgId; }));
}

}  // namespace orvane::host
