// No window event allocates: the global allocation functions of this test
// program count while an event is handled. They forward to malloc and free,
// so they work the same under AddressSanitizer, which then still checks the
// memory behind them.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "client/StateView.h"
#include "net/FunctionTasks.h"
#include "net/TaskWndCallback.h"
#include "tasks/TaskTalkSequencer.h"
#include "tests/net/NetTestSupport.h"
#include "tests/support/ModuleFixture.h"

namespace {

using orvane::StateView;

std::atomic<bool> g_bCounting{false};
std::atomic<int> g_nAllocations{0};

void* CountedAlloc(std::size_t size)
{
    if (g_bCounting.load(std::memory_order_relaxed))
        g_nAllocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size != 0 ? size : 1);
}

// Counts the allocations made while f runs.
template <typename F>
int CountAllocations(F&& f)
{
    g_nAllocations = 0;
    g_bCounting = true;
    f();
    g_bCounting = false;
    return g_nAllocations.load();
}

}  // namespace

// These replacements hand out malloc memory and take it back with free, which
// the compiler cannot see across the pair.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t size)
{
    if (void* p = CountedAlloc(size))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size)
{
    return ::operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return CountedAlloc(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return CountedAlloc(size);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}

namespace {

class NoAllocationTest : public orvane::test::ModuleFixture {
protected:
    void SetUp() override
    {
        ModuleFixture::SetUp();
        // The task name of the function task comes from the task script.
        orvane::test::WriteTaskScript(
            work.Path(), R"([{"id": 16777216, "name": "Show", "attrs": {"function": "sysA"}}])");
        CreateClient();
        // The reference host's own services allocate as they record; these
        // stand-ins do not, so every allocation counted is the module's.
        host.Client()->m_pNetSender = &sender;
        host.Client()->m_pTimerService = &timers;
    }

    orvane::test::FixedSender sender;
    orvane::test::FixedTimers timers;
};

TEST_F(NoAllocationTest, CounterSeesAllocations)
{
    static void* volatile kept = nullptr;
    EXPECT_EQ(CountAllocations([] { kept = ::operator new(16); }), 1);
    ::operator delete(kept);
}

TEST_F(NoAllocationTest, NoEventAllocates)
{
    enum class Net { WithSender, NoSender };
    struct Case {
        const char* name;
        int32_t talkState;
        Net net;
        int32_t code, type, value;
        int32_t packets;  // how many reach the sender
    };
    const Case cases[] = {
        {"menu pick", TALK_AWAIT_CHOICE, Net::WithSender, 163, 1, 102, 0},
        {"talk answer", TALK_IDLE, Net::WithSender, 163, 1, 5, 1},
        {"talk answer without a sender", TALK_IDLE, Net::NoSender, 163, 1, 5, 0},
        {"task delete", TALK_IDLE, Net::WithSender, 172, 7, 1234, 1},
        {"task delete without a sender", TALK_IDLE, Net::NoSender, 172, 7, 1234, 0},
        {"function task call", TALK_IDLE, Net::WithSender, 172, 7, 16777216, 1},
        {"function task call without a sender", TALK_IDLE, Net::NoSender, 172, 7, 16777216, 0},
        {"function task not listed", TALK_IDLE, Net::WithSender, 172, 7, 16777215, 0},
        {"other event", TALK_IDLE, Net::WithSender, 172, 3, 0, 0},
    };
    ASSERT_EQ(orvane::g_FunctionTasks[0].nID, 16777216);
    IWndCallback* callback = Client()->WindowCallback();
    CTaskTalkSequencer* seq = StateView::Sequencer(*Client());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.Client()->m_pNetSender = c.net == Net::WithSender ? &sender : nullptr;
        seq->SetState(c.talkState);
        sender.count = 0;
        const int allocations =
            CountAllocations([&] { callback->OnEvent(c.code, c.type, c.value, 0); });
        EXPECT_EQ(allocations, 0);
        EXPECT_EQ(sender.count, c.packets);
    }
    EXPECT_EQ(timers.sets, 1);  // the menu pick armed the step timer
    // The function task call carried the script's name for the task.
    host.Client()->m_pNetSender = &sender;
    callback->OnEvent(172, 7, 16777216, 0);
    EXPECT_EQ(sender.lastLength, 60 + 4 + 4);
}

// The table with all ten entries in use, none of them the task.
TEST_F(NoAllocationTest, FullTableDoesNotAllocate)
{
    for (int i = 0; i < kFunctionTaskCount; ++i)
        orvane::g_FunctionTasks[i].nID = 16777300 + i;
    bool result = true;
    EXPECT_EQ(CountAllocations(
                  [&] { result = Client()->WindowCallback()->OnEvent(172, 7, 16777216, 0); }),
              0);
    EXPECT_FALSE(result);
}

}  // namespace
