#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "host/ReferenceHost.h"
#include "tests/host/EventRecorder.h"

namespace orvane::host {
namespace {

namespace fs = std::filesystem;
using testing::EventRecorder;

constexpr char kGood[] = R"({
  "password": "qmtv",
  "objects": [
    {"id": 1001, "name": "闲聊", "attrs": {"desc": "第一行#第二行", "rect": "20,71,180,93"}},
    {"id": 163, "attrs": {"class": "mainwnd", "maxlen": 1023, "neg": -5, "big": 4294967295,
                          "half": 1.5},
     "children": [
       {"id": 0, "attrs": {"class": "talk"}},
       {"id": 7, "name": "deep", "children": [{"id": 8}]},
       {"id": 2}
     ]},
    {"id": 7, "name": "top"}
  ]
})";

class ScriptLoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // ctest runs each test in its own process, so a per-process counter
        // alone gives every test the same folder: one test removing its file
        // would pull it from under another running beside it.
        std::random_device random;
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() /
                ("orvane-host-test-" + std::string(test->name()) + "-" + std::to_string(random()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Write(const std::string& name, const std::string& contents)
    {
        const fs::path path = m_dir / name;
        std::ofstream(path, std::ios::binary) << contents;
        return path.string();
    }

    EventHub hub;
    EventRecorder recorder{hub};
    ScriptLoader loader{hub};
    fs::path m_dir;
};

TEST_F(ScriptLoaderTest, GoodScriptGivesTheTreeInGbk)
{
    IResScript* script = loader.LoadScript(Write("good.res", kGood).c_str(), 0, "qmtv");
    ASSERT_NE(script, nullptr);
    EXPECT_TRUE(recorder.events.empty());
    EXPECT_EQ(loader.LiveScripts(), 1u);

    IResObject* root = script->GetRoot();
    EXPECT_EQ(root->GetID(), 0);
    EXPECT_EQ(root->GetName(), nullptr);
    EXPECT_EQ(root->GetChildCount(), 3);

    IResObject* task = script->GetEntry(1001);
    ASSERT_NE(task, nullptr);
    EXPECT_STREQ(task->GetName(), "\xCF\xD0\xC1\xC4" /* 闲聊 */);
    EXPECT_STREQ(task->GetAttr("desc"),
                 "\xB5\xDA\xD2\xBB\xD0\xD0#\xB5\xDA\xB6\xFE\xD0\xD0" /* 第一行#第二行 */);
    EXPECT_EQ(task->GetAttr("out"), nullptr);
    EXPECT_EQ(task->GetAttr(nullptr), nullptr);
    EXPECT_EQ(task->GetChildCount(), 0);

    IResObject* wnd = root->GetChildByID(163);
    ASSERT_NE(wnd, nullptr);
    const struct {
        const char* key;
        const char* text;
    } attrs[] = {{"class", "mainwnd"},
                 {"maxlen", "1023"},
                 {"neg", "-5"},
                 {"big", "4294967295"},
                 {"half", "1.5"}};
    for (const auto& a : attrs)
        EXPECT_STREQ(wnd->GetAttr(a.key), a.text) << a.key;

    EXPECT_EQ(wnd->GetChildCount(), 3);
    EXPECT_EQ(wnd->GetChild(-1), nullptr);
    EXPECT_EQ(wnd->GetChild(3), nullptr);
    EXPECT_EQ(wnd->GetChild(2)->GetID(), 2);
    EXPECT_EQ(wnd->GetChildByID(8), nullptr);  // a grandchild, not a child
    EXPECT_EQ(root->GetChildByID(9999), nullptr);

    // Depth-first: the 7 inside 163 comes before the top-level 7.
    ASSERT_NE(script->GetEntry(7), nullptr);
    EXPECT_STREQ(script->GetEntry(7)->GetName(), "deep");
    EXPECT_EQ(script->GetEntry(8)->GetID(), 8);
    EXPECT_EQ(script->GetEntry(12345), nullptr);

    script->Release();
    EXPECT_EQ(loader.LiveScripts(), 0u);
}

TEST_F(ScriptLoaderTest, FaultyScriptsGiveNullAndSayWhatIsWrong)
{
    const std::string deep = [] {
        std::string s = R"({"password": "qmtv", "objects": [)";
        for (int i = 0; i < 70; ++i)
            s += R"({"id": 1, "children": [)";
        for (int i = 0; i < 70; ++i)
            s += "]}";
        return s + "]}";
    }();
    const std::string nested(100000, '[');
    const struct {
        const char* name;
        std::string contents;  // empty: no file at all
        const char* password;
        const char* expected;
    } cases[] = {
        {"missing", "", "qmtv", "file not found"},
        {"malformed", R"({"password": "qmtv", "objects": [)", "qmtv", "malformed JSON"},
        {"not utf8", "{\"password\": \"qmtv\", \"objects\": [{\"id\": 1, \"name\": \"\xFF\"}]}",
         "qmtv", "malformed JSON"},
        {"deep JSON", nested, "qmtv", "malformed JSON"},
        {"top array", R"([1, 2])", "qmtv", "must be a JSON object"},
        {"no password", R"({"objects": []})", "qmtv", "declares no password"},
        {"wrong password", R"({"password": "abcd", "objects": []})", "qmtv", "does not match"},
        {"no password asked", R"({"password": "qmtv", "objects": []})", nullptr, "does not match"},
        {"password number", R"({"password": 1234, "objects": []})", "qmtv",
         "password: must be a string"},
        {"no objects", R"({"password": "qmtv"})", "qmtv", "no \"objects\""},
        {"unknown top key", R"({"password": "qmtv", "objects": [], "objs": []})", "qmtv",
         "unknown top-level key \"objs\""},
        {"id text", R"({"password": "qmtv", "objects": [{"id": "1"}]})", "qmtv",
         "objects[0].id: must be an integer"},
        {"id fraction", R"({"password": "qmtv", "objects": [{"id": 1.5}]})", "qmtv",
         "must be an integer"},
        {"id too big", R"({"password": "qmtv", "objects": [{"id": 2147483648}]})", "qmtv",
         "out of range"},
        {"no id", R"({"password": "qmtv", "objects": [{"name": "x"}]})", "qmtv",
         "objects[0]: has no \"id\""},
        {"children object",
         R"({"password": "qmtv", "objects": [{"id": 1, "children": {"id": 2}}]})", "qmtv",
         "objects[0].children: must be an array"},
        {"child not object", R"({"password": "qmtv", "objects": [{"id": 1, "children": [3]}]})",
         "qmtv", "objects[0].children[0]: must be an object"},
        {"attrs array", R"({"password": "qmtv", "objects": [{"id": 1, "attrs": ["a"]}]})", "qmtv",
         "objects[0].attrs: must be an object"},
        {"attr bool", R"({"password": "qmtv", "objects": [{"id": 1, "attrs": {"visible": true}}]})",
         "qmtv", "objects[0].attrs.visible: must be a string or a number"},
        {"name number", R"({"password": "qmtv", "objects": [{"id": 1, "name": 5}]})", "qmtv",
         "objects[0].name: must be a string"},
        {"misspelt key", R"({"password": "qmtv", "objects": [{"id": 1, "atrs": {}}]})", "qmtv",
         "unknown key \"atrs\""},
        {"not in GBK", R"({"password": "qmtv", "objects": [{"id": 1, "name": "😀"}]})", "qmtv",
         "cannot be converted to GBK"},
        {"zero in text",
         R"({"password": "qmtv", "objects": [{"id": 1, "attrs": {"a": "x\u0000y"}}]})", "qmtv",
         "zero character"},
        {"too deep", deep, "qmtv", "nested more than 64"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        recorder.events.clear();
        const std::string path =
            c.contents.empty() ? (m_dir / "absent.res").string() : Write("bad.res", c.contents);
        EXPECT_EQ(loader.LoadScript(path.c_str(), 0, c.password), nullptr);
        ASSERT_EQ(recorder.events.size(), 1u);
        const HostEvent& ev = recorder.events[0];
        EXPECT_EQ(ev.kind, HostEvent::Kind::LoadFailed);
        EXPECT_NE(ev.text.find(path), std::string::npos) << ev.text;
        EXPECT_NE(ev.text.find(c.expected), std::string::npos) << ev.text;
    }
    EXPECT_EQ(loader.LiveScripts(), 0u);
}

TEST_F(ScriptLoaderTest, FolderAndEmptyPathAreRefused)
{
    EXPECT_EQ(loader.LoadScript(m_dir.string().c_str(), 0, "qmtv"), nullptr);
    EXPECT_EQ(loader.LoadScript("", 0, "qmtv"), nullptr);
    EXPECT_EQ(loader.LoadScript(nullptr, 0, "qmtv"), nullptr);
    const auto failures = recorder.Of(HostEvent::Kind::LoadFailed);
    ASSERT_EQ(failures.size(), 3u);
    EXPECT_NE(failures[0].text.find("folder"), std::string::npos) << failures[0].text;
}

#if !defined(_WIN32)
TEST_F(ScriptLoaderTest, BackslashesInTheModulesPathAreFolderSeparators)
{
    fs::create_directories(m_dir / "scp");
    Write("scp/a.res", R"({"password": "qmtv", "objects": []})");
    const std::string path = m_dir.string() + "\\scp\\a.res";
    IResScript* script = loader.LoadScript(path.c_str(), 0, "qmtv");
    ASSERT_NE(script, nullptr);
    EXPECT_EQ(script->GetRoot()->GetChildCount(), 0);
    script->Release();
}
#endif

TEST_F(ScriptLoaderTest, LeadingByteOrderMarkIsAllowed)
{
    const std::string path =
        Write("bom.res", "\xEF\xBB\xBF{\"password\": \"qmtv\", \"objects\": [{\"id\": 3}]}");
    IResScript* script = loader.LoadScript(path.c_str(), 0, "qmtv");
    ASSERT_NE(script, nullptr);
    EXPECT_NE(script->GetEntry(3), nullptr);
    script->Release();
}

TEST_F(ScriptLoaderTest, ScriptsLiveUntilReleasedOrTheLoaderGoes)
{
    const std::string path = Write("good.res", kGood);
    IResScript* first = loader.LoadScript(path.c_str(), 0, "qmtv");
    IResScript* second = loader.LoadScript(path.c_str(), 0, "qmtv");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(loader.LiveScripts(), 2u);
    first->Release();
    EXPECT_EQ(loader.LiveScripts(), 1u);
    EXPECT_STREQ(second->GetEntry(7)->GetName(), "deep");

    // A loader that goes with scripts still loaded frees them (the leak
    // checker of the sanitizer build would report otherwise).
    EventHub otherHub;
    auto other = std::make_unique<ScriptLoader>(otherHub);
    ASSERT_NE(other->LoadScript(path.c_str(), 0, "qmtv"), nullptr);
    other.reset();
}

}  // namespace
}  // namespace orvane::host

namespace orvane::host {
namespace {

// With a memo the file is read once: a later load gives its own copy of the
// same tree even after the file changed or went; a failed load is not kept.
TEST_F(ScriptLoaderTest, ParsedScriptsAreCopiedNotReread)
{
    ParsedScripts memo;
    loader.UseParsedScripts(&memo);
    const std::string path = Write("good.res", kGood);
    IResScript* first = loader.LoadScript(path.c_str(), 0, "qmtv");
    ASSERT_NE(first, nullptr);
    fs::remove(path);
    IResScript* second = loader.LoadScript(path.c_str(), 0, "qmtv");
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second->GetRoot(), first->GetRoot());
    first->Release();
    IResObject* deep = second->GetEntry(8);
    ASSERT_NE(deep, nullptr);
    EXPECT_EQ(second->GetEntry(7)->GetName(), std::string("deep"));
    EXPECT_STREQ(second->GetEntry(163)->GetAttr("maxlen"), "1023");
    EXPECT_EQ(second->GetRoot()->GetChildCount(), 3);
    second->Release();
    EXPECT_EQ(memo.Size(), 1u);

    // Another password is another script; a missing one fails every time.
    EXPECT_EQ(loader.LoadScript(path.c_str(), 0, "other"), nullptr);
    EXPECT_EQ(loader.LoadScript(path.c_str(), 0, nullptr), nullptr);
    EXPECT_EQ(memo.Size(), 1u);
    EXPECT_EQ(recorder.events.size(), 2u);
}

}  // namespace
}  // namespace orvane::host
