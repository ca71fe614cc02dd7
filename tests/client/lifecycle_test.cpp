// The exported helper and the factory: creating, closing and re-creating
// the task client, and where the debug lines go.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "client/DebugLog.h"
#include "client/ModuleState.h"
#include "client/StateView.h"
#include "tests/support/ModuleFixture.h"

namespace orvane::test {
namespace {

using Lines = std::vector<std::string>;

class LifecycleTest : public ModuleFixture {};

TEST_F(LifecycleTest, NoClientBeforeCreate)
{
    EXPECT_EQ(helper.GetITaskClient(), nullptr);
    helper.Close();  // nothing to close
    EXPECT_EQ(helper.GetITaskClient(), nullptr);
    EXPECT_TRUE(TakeDebugWrites().empty());
}

TEST_F(LifecycleTest, FirstCreateLogsToDebugChannelThenToHost)
{
    ASSERT_TRUE(helper.Create(host.Client()));
    EXPECT_EQ(TakeDebugWrites(), (Lines{"CreateTaskClient   0 !", "\r\n",
                                        "CTaskClient  : Initialize .........OK!", "\r\n"}));
    EXPECT_EQ(TakePrints(),
              (Lines{"  m_szWorkPath = " + work.String(), "CTaskClient  Initialize  ----OK",
                     "pTaskClient->initializtion   ...OK!"}));
    EXPECT_EQ(g_pGlobalClient, host.Client());
    EXPECT_EQ(g_pTaskClient, Client());
}

TEST_F(LifecycleTest, CreateCloseCreateGivesFreshClientOnTheAttachedOutput)
{
    ASSERT_TRUE(helper.Create(host.Client()));
    ITaskClient* first = helper.GetITaskClient();
    TakeDebugWrites();
    TakePrints();

    helper.Close();
    EXPECT_EQ(helper.GetITaskClient(), nullptr);
    EXPECT_EQ(g_pTaskClient, nullptr);
    EXPECT_EQ(TakePrints(), (Lines{"CTaskClient::Release   0 !", " CTaskClient  :: Release() "}));
    helper.Close();  // a second Close releases nothing
    EXPECT_TRUE(TakePrints().empty());

    ASSERT_TRUE(helper.Create(host.Client()));
    EXPECT_NE(helper.GetITaskClient(), nullptr);
    (void)first;  // freed: only its identity could be compared, which says nothing
    EXPECT_TRUE(TakeDebugWrites().empty());
    EXPECT_EQ(TakePrints(),
              (Lines{"CreateTaskClient   0 !", "CTaskClient  : Initialize .........OK!",
                     "  m_szWorkPath = " + work.String(), "CTaskClient  Initialize  ----OK",
                     "pTaskClient->initializtion   ...OK!"}));
}

// Slot 16 is the host's to call: a direct Release leaves the helper empty,
// so Close, GetITaskClient and Create never reach the freed client.
TEST_F(LifecycleTest, DirectReleaseClearsTheHelper)
{
    ASSERT_TRUE(helper.Create(host.Client()));
    TakeDebugWrites();
    TakePrints();

    helper.GetITaskClient()->Release();
    EXPECT_EQ(helper.GetITaskClient(), nullptr);
    EXPECT_EQ(g_pTaskClient, nullptr);
    EXPECT_EQ(TakePrints(), (Lines{"CTaskClient::Release   0 !", " CTaskClient  :: Release() "}));
    helper.Close();  // nothing left to release
    EXPECT_TRUE(TakePrints().empty());

    ASSERT_TRUE(helper.Create(host.Client()));
    ASSERT_NE(helper.GetITaskClient(), nullptr);
    EXPECT_EQ(g_pTaskClient, Client());
    EXPECT_EQ(helper.GetITaskClient()->GetTaskName(999999), nullptr);
}

TEST_F(LifecycleTest, SecondCreateMakesNothingAndKeepsTheHost)
{
    ASSERT_TRUE(helper.Create(host.Client()));
    ITaskClient* client = helper.GetITaskClient();
    TakeDebugWrites();
    TakePrints();

    host::ReferenceHost other;
    CTaskClientHelper another;  // class-wide state: any helper object will do
    EXPECT_TRUE(another.Create(other.Client()));
    EXPECT_EQ(another.GetITaskClient(), client);
    EXPECT_EQ(g_pGlobalClient, host.Client());
    EXPECT_TRUE(TakePrints().empty());
    EXPECT_TRUE(other.output.lines.empty());
}

TEST_F(LifecycleTest, HelperObjectsDoNotOwnTheClient)
{
    CreateClient();
    ITaskClient* client = helper.GetITaskClient();
    {
        CTaskClientHelper copy(helper);
        CTaskClientHelper assigned;
        assigned = copy;
        EXPECT_EQ(assigned.GetITaskClient(), client);
    }
    EXPECT_EQ(helper.GetITaskClient(), client);
    EXPECT_EQ(g_pTaskClient, Client());
}

TEST_F(LifecycleTest, NullHostIsRefusedWithoutStoringAnything)
{
    EXPECT_FALSE(helper.Create(nullptr));
    EXPECT_EQ(helper.GetITaskClient(), nullptr);
    EXPECT_EQ(g_pGlobalClient, nullptr);
    EXPECT_EQ(g_pTaskClient, nullptr);
    EXPECT_EQ(TakeDebugWrites(),
              (Lines{"CreateTaskClient   0 !", "\r\n", "CTaskClient  : Initialize .........OK!",
                     "\r\n", "CreateClientThingFactory() catch error\r\n"}));
    // A real host afterwards still gets its client.
    CreateClient();
}

TEST_F(LifecycleTest, HostWithoutLoaderStillGetsAClient)
{
    host.DropLoader();
    EXPECT_TRUE(helper.Create(host.Client()));
    ASSERT_NE(helper.GetITaskClient(), nullptr);
    Lines writes = TakeDebugWrites();
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(writes.back(), "ProcCreateTaskClient() catch error!");
    // No script and empty tables: every lookup is null.
    EXPECT_EQ(helper.GetITaskClient()->GetTaskName(1001), nullptr);
    EXPECT_EQ(helper.GetITaskClient()->GetTaskDesc(1001), nullptr);
    EXPECT_EQ(helper.GetITaskClient()->GetTalkText(5001), nullptr);
}

TEST_F(LifecycleTest, WorkFolderTooLongForItsPathsIsRefused)
{
    struct Case {
        size_t length;
        bool initialised;
    };
    // "\scp\Windowtask.res" adds 19 characters; 240 + 19 + the zero fill 260.
    const Case cases[] = {{240, true}, {241, false}, {259, false}};
    for (const Case& c : cases) {
        ResetModuleState();
        TakeDebugWrites();
        const std::string dir = "/" + std::string(c.length - 1, 'w');
        ASSERT_TRUE(host.SetWorkDir(dir));
        EXPECT_TRUE(helper.Create(host.Client())) << c.length;
        ASSERT_NE(Client(), nullptr);
        EXPECT_EQ(Client()->IsWorkPathSet(), c.initialised) << c.length;
        EXPECT_EQ(StateView::Observer(*Client()) != nullptr, c.initialised) << c.length;
        Lines writes = TakeDebugWrites();
        EXPECT_EQ(!writes.empty() && writes.back() == "ProcCreateTaskClient() catch error!",
                  !c.initialised)
            << c.length;
        // A refused folder never reaches the loader as a cut path.
        EXPECT_EQ(helper.GetITaskClient()->CreateClientTalkWnd(163, nullptr), nullptr);
    }
}

// A work folder text without its zero is refused, reading nothing past the
// host's object: the members after it hold no zero byte either.
TEST_F(LifecycleTest, WorkFolderWithoutItsZeroIsRefused)
{
    auto* bare = static_cast<CGlobalClient*>(::operator new(sizeof(CGlobalClient)));
    std::memset(static_cast<void*>(bare), 'd', sizeof(CGlobalClient));
    bare->m_MsgOutput.m_pOutput = &host.output;
    bare->m_pResLoader = &host.loader;
    bare->m_pTimerService = &host.timers;
    EXPECT_TRUE(helper.Create(bare));
    ASSERT_NE(Client(), nullptr);
    EXPECT_FALSE(Client()->IsWorkPathSet());
    EXPECT_EQ(TakeDebugWrites().back(), "ProcCreateTaskClient() catch error!");
    helper.Close();
    ::operator delete(bare);
}

// A host that made a new CGlobalClient after Close gets the lines on its
// own output, not on that of the host before, which may be gone.
TEST_F(LifecycleTest, ANewHostAfterCloseGetsTheLines)
{
    CreateClient();
    helper.Close();
    EXPECT_EQ(g_pGlobalClient, nullptr);
    TakePrints();
    host::ReferenceHost other;
    ASSERT_TRUE(other.SetWorkDir(work.String()));
    ASSERT_TRUE(helper.Create(other.Client()));
    EXPECT_TRUE(TakePrints().empty());
    EXPECT_EQ(other.output.lines.front(), "CreateTaskClient   0 !");
    helper.Close();
}

TEST_F(LifecycleTest, DebugLineIsCutAt2047Characters)
{
    CreateClient();
    TakePrints();
    const std::string longText(3000, 'x');
    WriteDebugLog(g_LogSink, "%s", longText.c_str());
    Lines prints = TakePrints();
    ASSERT_EQ(prints.size(), 1u);
    EXPECT_EQ(prints[0], std::string(2047, 'x'));
}

TEST_F(LifecycleTest, SinkKeepsTheFirstOutput)
{
    CLogSink sink;
    EXPECT_FALSE(sink.Attach(nullptr));
    EXPECT_TRUE(sink.IsAttached());
    EXPECT_TRUE(sink.Attach(&host.output));
    host::ReferenceHost other;
    EXPECT_TRUE(sink.Attach(&other.output));
    EXPECT_EQ(sink.GetOutput(), &host.output);
}

}  // namespace
}  // namespace orvane::test
