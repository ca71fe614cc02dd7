#include <algorithm>
#include <limits>

#include "host/ReferenceHost.h"

namespace orvane::host {

namespace {

bool Matches(int32_t id, ITimerSink* target, int32_t otherId, ITimerSink* otherTarget)
{
    return id == otherId && target == otherTarget;
}

}  // namespace

int32_t VirtualTimerService::SinkNumber(ITimerSink* target)
{
    if (!target)
        return 0;
    auto it = m_sinkNumbers.find(target);
    if (it != m_sinkNumbers.end())
        return it->second;
    const int32_t number = m_nextSink++;
    m_sinkNumbers.emplace(target, number);
    return number;
}

void VirtualTimerService::ForgetIdleTargets()
{
    std::erase_if(m_sinkNumbers, [this](const auto& entry) {
        return std::none_of(m_timers.begin(), m_timers.end(),
                            [&](const Timer& t) { return t.target == entry.first; });
    });
}

void VirtualTimerService::SetTimer(int32_t id, ITimerSink* target, int32_t ms)
{
    HostEvent ev{};
    ev.kind = HostEvent::Kind::TimerSet;
    ev.timerId = id;
    ev.sink = SinkNumber(target);
    ev.ms = ms;
    m_hub.Emit(ev);
    if (!target)
        return;  // nothing could be called when it fell due
    // A period below 1 ms would let Advance fire the timer forever.
    const int32_t period = std::max<int32_t>(ms, 1);
    const int64_t due = m_now + period;
    for (Timer& t : m_timers) {
        if (Matches(t.id, t.target, id, target)) {
            t.period = period;
            t.due = due;
            t.order = m_nextOrder++;
            return;
        }
    }
    m_timers.push_back({id, target, period, due, m_nextOrder++});
}

void VirtualTimerService::KillTimer(int32_t id, ITimerSink* target)
{
    // The timer goes even when reporting the kill fails: its target may be
    // about to be freed.
    struct Erase {
        VirtualTimerService& self;
        int32_t id;
        ITimerSink* target;
        ~Erase()
        {
            std::erase_if(self.m_timers,
                          [&](const Timer& t) { return Matches(t.id, t.target, id, target); });
        }
    } erase{*this, id, target};
    HostEvent ev{};
    ev.kind = HostEvent::Kind::TimerKill;
    ev.timerId = id;
    ev.sink = SinkNumber(target);
    m_hub.Emit(ev);
}

void VirtualTimerService::Advance(int64_t ms)
{
    // Nested calls from inside OnTimer would move the clock backwards when
    // they return; the outer Advance already covers their time.
    if (ms <= 0 || m_bAdvancing)
        return;
    struct AdvancingFlag {
        bool& flag;
        explicit AdvancingFlag(bool& f) : flag(f) { flag = true; }
        ~AdvancingFlag() { flag = false; }
    } advancing(m_bAdvancing);
    const int64_t end = ms > std::numeric_limits<int64_t>::max() - m_now
                            ? std::numeric_limits<int64_t>::max()
                            : m_now + ms;
    while (true) {
        // Look the next timer up afresh each time: the last OnTimer may have
        // set or killed any of them.
        auto next = m_timers.end();
        for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
            if (it->due > end)
                continue;
            if (next == m_timers.end() || it->due < next->due ||
                (it->due == next->due && it->order < next->order))
                next = it;
        }
        if (next == m_timers.end())
            break;
        m_now = next->due;
        const int32_t id = next->id;
        ITimerSink* target = next->target;
        // Stays armed for its next period unless the target kills or re-arms it.
        next->due += next->period;
        HostEvent ev{};
        ev.kind = HostEvent::Kind::TimerFire;
        ev.timerId = id;
        ev.sink = SinkNumber(target);
        m_hub.Emit(ev);
        target->OnTimer(id);
    }
    m_now = end;
}

bool VirtualTimerService::IsArmed(int32_t id, ITimerSink* target) const
{
    return std::any_of(m_timers.begin(), m_timers.end(),
                       [&](const Timer& t) { return Matches(t.id, t.target, id, target); });
}

size_t VirtualTimerService::ArmedCount() const
{
    return m_timers.size();
}

std::optional<int64_t> VirtualTimerService::NextDue() const
{
    const auto earlier = [](const Timer& a, const Timer& b) { return a.due < b.due; };
    const auto first = std::min_element(m_timers.begin(), m_timers.end(), earlier);
    if (first == m_timers.end())
        return std::nullopt;
    return first->due;
}

}  // namespace orvane::host
