// Text lookups: the tables first, then the task script; and loading the
// task script itself.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "client/StateView.h"
#include "tests/support/ModuleFixture.h"

namespace orvane::test {
namespace {

// A task script of our own, so the expected texts are known here.
const char kTaskScript[] = R"({
  "password": "qmtv",
  "objects": [
    {"id": 1001, "name": "Old Well", "attrs": {"desc": "Find#the well", "out": "Hello"}},
    {"id": 1002, "name": "Lost Lamp"},
    {"id": 5001, "attrs": {"out": "Thank you"}}
  ]
})";

void WriteFile(const std::filesystem::path& path, const std::string& text)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

class LookupTest : public ModuleFixture {
protected:
    void UseTaskScript(const std::string& text)
    {
        WriteFile(work.Path() / "scp" / "taskClient.res", text);
    }
    static std::string Text(const char* s) { return s != nullptr ? s : "<null>"; }
};

TEST_F(LookupTest, ScriptAnswersWhenTablesAreEmpty)
{
    UseTaskScript(kTaskScript);
    CreateClient();
    ITaskClient* c = helper.GetITaskClient();
    EXPECT_EQ(Text(c->GetTaskName(1001)), "Old Well");
    EXPECT_EQ(Text(c->GetTaskDesc(1001)), "Find#the well");
    EXPECT_EQ(Text(c->GetTalkText(1001)), "Hello");
    EXPECT_EQ(Text(c->GetTaskDesc(1002)), "<null>");  // entry without "desc"
    EXPECT_EQ(Text(c->GetTalkText(5001)), "Thank you");
    EXPECT_EQ(Text(c->GetTaskName(5001)), "<null>");  // entry without a name
    EXPECT_EQ(Text(c->GetTaskName(4242)), "<null>");
    for (int32_t v : {0, 1, -1, 1001})
        EXPECT_EQ(c->ReservedQuery(v), nullptr);
}

TEST_F(LookupTest, TableRecordWinsEvenWhenEmpty)
{
    UseTaskScript(kTaskScript);
    CreateClient();
    StateView::TaskLog(*Client()).Add(1001, "", "story from the server");
    StateView::Sentences(*Client()).Append(1001, "");
    ITaskClient* c = helper.GetITaskClient();
    EXPECT_EQ(Text(c->GetTaskName(1001)), "");
    EXPECT_EQ(Text(c->GetTaskDesc(1001)), "story from the server");
    EXPECT_EQ(Text(c->GetTalkText(1001)), "");
    // Ids the tables do not hold still come from the script.
    EXPECT_EQ(Text(c->GetTaskName(1002)), "Lost Lamp");
}

TEST_F(LookupTest, ScriptThatCannotBeLoadedLeavesTablesOnly)
{
    struct Case {
        const char* name;
        const char* text;  // null: no file at all
    };
    const Case cases[] = {
        {"missing", nullptr},
        {"malformed", "{\"password\": \"qmtv\", \"objects\": [ {\"id\": 1001, "},
        {"wrong password", R"({"password": "abcd", "objects": [{"id": 1001, "name": "X"}]})"},
        {"no password", R"({"objects": [{"id": 1001, "name": "X"}]})"},
    };
    for (const Case& c : cases) {
        ResetModuleState();
        std::filesystem::remove(work.Path() / "scp" / "taskClient.res");
        if (c.text != nullptr)
            UseTaskScript(c.text);
        CreateClient();
        EXPECT_EQ(StateView::TaskScript(*Client()), nullptr) << c.name;
        EXPECT_EQ(helper.GetITaskClient()->GetTaskName(1001), nullptr) << c.name;
        StateView::TaskLog(*Client()).Add(1001, "From table", "");
        EXPECT_EQ(Text(helper.GetITaskClient()->GetTaskName(1001)), "From table") << c.name;
    }
}

TEST_F(LookupTest, ForwardingDoesNothingBeforeTheWindowsExist)
{
    CreateClient();
    ITaskClient* c = helper.GetITaskClient();
    RECT rc{1, 2, 3, 4};
    c->GetTalkWndRect(rc);
    c->GetLogWndRect(rc);
    EXPECT_EQ(rc.left, 1);
    EXPECT_EQ(rc.bottom, 4);
    c->SetTalkWndPos(rc);
    c->SetLogWndPos(rc);
    c->MoveTalkWnd(5, 5);
    c->MoveLogWnd(5, 5);
    c->HideLogWnd();
    EXPECT_TRUE(c->AddTalkLine("line", 3));
    TaskListRecord list{};
    EXPECT_TRUE(c->UpdateTaskList(&list));
    EXPECT_EQ(c->CreateClientTalkWnd(170, nullptr), nullptr);
}

TEST_F(LookupTest, WindowScriptLoadFailureIsRetried)
{
    CreateClient();
    const auto script = work.Path() / "scp" / "Windowtask.res";
    const auto saved = work.Path() / "Windowtask.res.saved";
    std::filesystem::rename(script, saved);
    TakePrints();
    EXPECT_EQ(helper.GetITaskClient()->CreateClientTalkWnd(163, nullptr), nullptr);
    EXPECT_FALSE(helper.GetITaskClient()->CreateClientLogWnd());
    EXPECT_EQ(TakePrints(),
              (std::vector<std::string>{"CTaskClient::CreateClientTalkWnd()   start ",
                                        "CTaskClient::CreateClientLogWnd()  start  ",
                                        "CTaskClient::CreateClientLogWnd() pResScript == NULL "}));
    std::filesystem::rename(saved, script);
    EXPECT_TRUE(helper.GetITaskClient()->CreateClientLogWnd());
    EXPECT_NE(StateView::ResScript(*Client()), nullptr);
}

}  // namespace
}  // namespace orvane::test
