#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "host/ReferenceHost.h"
#include "tests/host/EventRecorder.h"

namespace orvane::host {
namespace {

using testing::EventRecorder;

// (sink index, timer id, virtual time) of one OnTimer call.
using Fire = std::tuple<int, int32_t, int64_t>;

struct Sink : ITimerSink {
    Sink(int index, VirtualTimerService& timers, std::vector<Fire>& log)
        : m_index(index), m_timers(timers), m_log(log)
    {
    }
    void OnTimer(int32_t id) override
    {
        m_log.emplace_back(m_index, id, m_timers.Now());
        if (onTimer)
            onTimer(id);
    }
    std::function<void(int32_t)> onTimer;

private:
    int m_index;
    VirtualTimerService& m_timers;
    std::vector<Fire>& m_log;
};

class TimerServiceTest : public ::testing::Test {
protected:
    EventHub hub;
    EventRecorder recorder{hub};
    VirtualTimerService timers{hub};
    std::vector<Fire> fired;
    Sink a{0, timers, fired};
    Sink b{1, timers, fired};
};

enum class Op { Set, Kill, Advance };
struct Step {
    Op op;
    int sink;
    int32_t id;
    int64_t ms;
};
struct ScheduleCase {
    const char* name;
    std::vector<Step> steps;
    std::vector<Fire> expected;
};

TEST_F(TimerServiceTest, FiresInDueOrder)
{
    const ScheduleCase cases[] = {
        {"periodic until killed",
         {{Op::Set, 0, 0, 500}, {Op::Advance, 0, 0, 1200}},
         {{0, 0, 500}, {0, 0, 1000}}},
        {"ties go in arming order",
         {{Op::Set, 1, 0, 100}, {Op::Set, 0, 0, 100}, {Op::Advance, 0, 0, 100}},
         {{1, 0, 100}, {0, 0, 100}}},
        {"earliest due first; a periodic timer keeps its arming order",
         {{Op::Set, 0, 1, 300},
          {Op::Set, 0, 2, 100},
          {Op::Set, 1, 3, 200},
          {Op::Advance, 0, 0, 300}},
         {{0, 2, 100}, {0, 2, 200}, {1, 3, 200}, {0, 1, 300}, {0, 2, 300}}},
        {"re-arming starts a new period",
         {{Op::Set, 0, 0, 500},
          {Op::Advance, 0, 0, 400},
          {Op::Set, 0, 0, 500},
          {Op::Advance, 0, 0, 899}},
         {{0, 0, 900}}},
        {"re-arming takes the new period",
         {{Op::Set, 0, 0, 500}, {Op::Set, 0, 0, 200}, {Op::Advance, 0, 0, 450}},
         {{0, 0, 200}, {0, 0, 400}}},
        {"kill cancels",
         {{Op::Set, 0, 0, 500},
          {Op::Advance, 0, 0, 300},
          {Op::Kill, 0, 0, 0},
          {Op::Advance, 0, 0, 2000}},
         {}},
        {"same id, other target is another timer",
         {{Op::Set, 0, 0, 100},
          {Op::Set, 1, 0, 150},
          {Op::Kill, 0, 0, 0},
          {Op::Advance, 0, 0, 150}},
         {{1, 0, 150}}},
        {"a period below 1 ms counts as 1 ms",
         {{Op::Set, 0, 0, 0}, {Op::Advance, 0, 0, 2}},
         {{0, 0, 1}, {0, 0, 2}}},
        {"nothing before the period has passed",
         {{Op::Set, 0, 0, 1000}, {Op::Advance, 0, 0, 999}},
         {}},
    };
    for (const ScheduleCase& c : cases) {
        SCOPED_TRACE(c.name);
        EventHub localHub;
        VirtualTimerService local(localHub);
        std::vector<Fire> log;
        Sink s0(0, local, log), s1(1, local, log);
        Sink* targets[] = {&s0, &s1};
        for (const Step& step : c.steps) {
            if (step.op == Op::Set)
                local.SetTimer(step.id, targets[step.sink], static_cast<int32_t>(step.ms));
            else if (step.op == Op::Kill)
                local.KillTimer(step.id, targets[step.sink]);
            else
                local.Advance(step.ms);
        }
        EXPECT_EQ(log, c.expected);
    }
}

// What the viewer's step to the next timer relies on.
TEST_F(TimerServiceTest, NextDueIsTheEarliestArmedTimer)
{
    struct DueCase {
        const char* name;
        std::vector<Step> steps;
        std::optional<int64_t> due;
    };
    const DueCase cases[] = {
        {"nothing armed", {}, std::nullopt},
        {"the earlier of two", {{Op::Set, 0, 1, 500}, {Op::Set, 1, 2, 200}}, 200},
        {"a periodic timer after it fired", {{Op::Set, 0, 0, 300}, {Op::Advance, 0, 0, 400}}, 600},
        {"a killed timer is not due",
         {{Op::Set, 0, 1, 100}, {Op::Set, 0, 2, 700}, {Op::Kill, 0, 1, 0}},
         700},
        {"the last one killed", {{Op::Set, 0, 1, 100}, {Op::Kill, 0, 1, 0}}, std::nullopt},
    };
    for (const DueCase& c : cases) {
        SCOPED_TRACE(c.name);
        EventHub localHub;
        VirtualTimerService local(localHub);
        std::vector<Fire> log;
        Sink s0(0, local, log), s1(1, local, log);
        Sink* targets[] = {&s0, &s1};
        for (const Step& step : c.steps) {
            if (step.op == Op::Set)
                local.SetTimer(step.id, targets[step.sink], static_cast<int32_t>(step.ms));
            else if (step.op == Op::Kill)
                local.KillTimer(step.id, targets[step.sink]);
            else
                local.Advance(step.ms);
        }
        EXPECT_EQ(local.NextDue(), c.due);
    }
}

TEST_F(TimerServiceTest, ReportsCallsWithSinkNumbersByFirstAppearance)
{
    timers.KillTimer(0, &b);  // a kill is an appearance too
    timers.SetTimer(0, &a, 1000);
    timers.SetTimer(0, &b, 500);
    timers.Advance(500);
    ASSERT_EQ(recorder.events.size(), 4u);
    const auto& ev = recorder.events;
    EXPECT_EQ(ev[0].kind, HostEvent::Kind::TimerKill);
    EXPECT_EQ(ev[0].sink, 1);
    EXPECT_EQ(ev[1].kind, HostEvent::Kind::TimerSet);
    EXPECT_EQ(ev[1].sink, 2);
    EXPECT_EQ(ev[1].ms, 1000);
    EXPECT_EQ(ev[2].sink, 1);
    EXPECT_EQ(ev[3].kind, HostEvent::Kind::TimerFire);
    EXPECT_EQ(ev[3].sink, 1);
    EXPECT_EQ(timers.SinkNumber(&a), 2);
}

TEST_F(TimerServiceTest, TargetKillingItselfFiresOnce)
{
    a.onTimer = [&](int32_t id) { timers.KillTimer(id, &a); };
    timers.SetTimer(0, &a, 500);
    timers.Advance(5000);
    EXPECT_EQ(fired, (std::vector<Fire>{{0, 0, 500}}));
    EXPECT_EQ(timers.ArmedCount(), 0u);
    EXPECT_EQ(timers.Now(), 5000);
}

TEST_F(TimerServiceTest, TargetKillingAnotherDueAtTheSameTimeStopsIt)
{
    a.onTimer = [&](int32_t) { timers.KillTimer(0, &b); };
    timers.SetTimer(0, &a, 100);
    timers.SetTimer(0, &b, 100);
    timers.Advance(100);
    EXPECT_EQ(fired, (std::vector<Fire>{{0, 0, 100}}));
    EXPECT_FALSE(timers.IsArmed(0, &b));
}

TEST_F(TimerServiceTest, TimersSetFromInsideOnTimerFallDueInTheSameAdvance)
{
    a.onTimer = [&](int32_t) {
        timers.KillTimer(0, &a);
        timers.SetTimer(7, &b, 50);   // another target
        timers.SetTimer(1, &a, 300);  // itself, another id
    };
    b.onTimer = [&](int32_t id) { timers.KillTimer(id, &b); };
    timers.SetTimer(0, &a, 100);
    timers.Advance(400);
    EXPECT_EQ(fired, (std::vector<Fire>{{0, 0, 100}, {1, 7, 150}, {0, 1, 400}}));
}

TEST_F(TimerServiceTest, TargetReArmingItselfStartsFromTheFiringTime)
{
    a.onTimer = [&](int32_t id) { timers.SetTimer(id, &a, 250); };
    timers.SetTimer(0, &a, 100);
    timers.Advance(600);
    EXPECT_EQ(fired, (std::vector<Fire>{{0, 0, 100}, {0, 0, 350}, {0, 0, 600}}));
}

TEST_F(TimerServiceTest, NullTargetIsReportedButNeverArmed)
{
    timers.SetTimer(0, nullptr, 100);
    timers.Advance(1000);
    EXPECT_EQ(timers.ArmedCount(), 0u);
    ASSERT_EQ(recorder.events.size(), 1u);
    EXPECT_EQ(recorder.events[0].sink, 0);
}

}  // namespace
}  // namespace orvane::host
