#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "host/ReferenceHost.h"
#include "tests/host/EventRecorder.h"

namespace orvane::host {
namespace {

using testing::EventRecorder;

class SampleScriptsTest : public ::testing::Test {
protected:
    IResScript* Load(const char* name)
    {
        const std::string path = std::string(ORVANE_SAMPLE_DIR) + "/scp/" + name;
        IResScript* script = loader.LoadScript(path.c_str(), 0, "qmtv");
        for (const HostEvent& ev : recorder.events)
            ADD_FAILURE() << ev.text;
        return script;
    }

    EventHub hub;
    EventRecorder recorder{hub};
    ScriptLoader loader{hub};
};

TEST_F(SampleScriptsTest, TaskScriptHasTasksAndTalkSentences)
{
    IResScript* script = Load("taskClient.res");
    ASSERT_NE(script, nullptr);
    for (int32_t id = 1001; id <= 1008; ++id) {
        IResObject* task = script->GetEntry(id);
        ASSERT_NE(task, nullptr) << id;
        EXPECT_NE(task->GetName(), nullptr) << id;
        ASSERT_NE(task->GetAttr("desc"), nullptr) << id;
        EXPECT_NE(std::string(task->GetAttr("desc")).find('#'), std::string::npos) << id;
    }
    for (int32_t id = 5001; id <= 5020; ++id) {
        ASSERT_NE(script->GetEntry(id), nullptr) << id;
        EXPECT_NE(script->GetEntry(id)->GetAttr("out"), nullptr) << id;
    }
    script->Release();
}

TEST_F(SampleScriptsTest, WindowScriptDescribesTheTaskWindows)
{
    IResScript* script = Load("Windowtask.res");
    ASSERT_NE(script, nullptr);
    IResObject* root = script->GetRoot();

    IResObject* talk = root->GetChildByID(163);
    ASSERT_NE(talk, nullptr);
    ASSERT_EQ(talk->GetChildCount(), 4);
    const char* talkClasses[] = {"talk", "button", "button", "button"};
    for (int32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(talk->GetChild(i)->GetID(), i);
        EXPECT_STREQ(talk->GetChild(i)->GetAttr("class"), talkClasses[i]) << i;
    }
    IResObject* holder = talk->GetChild(3);
    for (const int32_t id : {215, 216}) {
        IResObject* part = holder->GetChildByID(id);
        ASSERT_NE(part, nullptr) << id;
        EXPECT_STREQ(part->GetAttr("template"), "1") << id;
    }
    EXPECT_STREQ(holder->GetChildByID(215)->GetAttr("class"), "mainwnd");
    EXPECT_STREQ(holder->GetChildByID(216)->GetAttr("class"), "edit");

    IResObject* log = root->GetChildByID(172);
    ASSERT_NE(log, nullptr);
    ASSERT_EQ(log->GetChildCount(), 7);
    EXPECT_STREQ(log->GetChild(0)->GetAttr("class"), "talk");
    // The first link button sits 71 pixels below the dialog's top, 22 high.
    EXPECT_STREQ(log->GetChild(1)->GetAttr("rect"), "20,71,180,93");
    EXPECT_STREQ(log->GetChild(4)->GetAttr("class"), "edit");
    EXPECT_STREQ(log->GetChild(4)->GetAttr("maxlen"), "1023");

    IResObject* menu = root->GetChildByID(230);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->GetChildCount(), 2);
    EXPECT_STREQ(menu->GetChild(0)->GetAttr("class"), "talk");
    script->Release();
}

// Width and height from the file headers; both formats are little-endian.
TEST(SampleImagesTest, HaveTheSizesTheWindowsAreLaidOutFor)
{
    const struct {
        const char* name;
        size_t widthAt;  // height follows 4 (BMP) or 2 (TGA) bytes later
        size_t heightAt;
        size_t fieldBytes;
        int32_t width;
        int32_t height;
    } images[] = {
        {"BakTaskDlgShang_1.bmp", 18, 22, 4, 340, 44},
        {"BakTaskDlgZhong.bmp", 18, 22, 4, 340, 20},
        {"BakTaskDlgXia.bmp", 18, 22, 4, 340, 26},
        {"BakTaskSelect.tga", 12, 14, 2, 170, 32},
    };
    for (const auto& image : images) {
        SCOPED_TRACE(image.name);
        std::ifstream in(std::string(ORVANE_SAMPLE_DIR) + "/task/" + image.name, std::ios::binary);
        ASSERT_TRUE(in);
        const std::vector<uint8_t> head((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
        ASSERT_GE(head.size(), 54u);
        auto field = [&](size_t at) {
            int32_t v = 0;
            for (size_t i = 0; i < image.fieldBytes; ++i)
                v |= static_cast<int32_t>(head[at + i]) << (8 * i);
            return v;
        };
        EXPECT_EQ(field(image.widthAt), image.width);
        EXPECT_EQ(field(image.heightAt), image.height);
    }
}

}  // namespace
}  // namespace orvane::host
