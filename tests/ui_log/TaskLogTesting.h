// Shared helpers of the task log tests: a module fixture with the task log
// dialog open, and builders for the bytes the server and the file carry.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <list>
#include <string>
#include <vector>

#include "client/StateView.h"
#include "panelkit/Views.h"
#include "tests/support/ModuleFixture.h"
#include "ui/StoryTalk.h"
#include "ui/TaskLinkButton.h"
#include "ui/TaskLogDlg.h"

namespace orvane::test {

// Appends v as a little-endian number of the given width.
inline void PutLE(std::vector<uint8_t>& out, int32_t v, int width)
{
    for (int i = 0; i < width; ++i)
        out.push_back(static_cast<uint8_t>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF));
}

struct TaskText {
    int32_t id;
    std::string name;
    std::string story;
};

// Message 91: the task list, then a whole-list (kind 2) block naming tasks.
inline std::vector<uint8_t> TaskLogMessage(const std::vector<int32_t>& ids,
                                           const std::vector<TaskText>& tasks)
{
    std::vector<uint8_t> msg;
    PutLE(msg, static_cast<int32_t>(ids.size()), 4);
    for (size_t i = 0; i < 10; ++i)
        PutLE(msg, i < ids.size() ? ids[i] : 0, 4);
    std::string text;
    std::vector<uint8_t> index;
    for (const TaskText& task : tasks) {
        PutLE(index, task.id, 4);
        PutLE(index, static_cast<int32_t>(text.size()), 2);
        text += task.name + '\0';
        PutLE(index, static_cast<int32_t>(text.size()), 2);
        text += task.story + '\0';
    }
    PutLE(msg, 10, 2);
    PutLE(msg, static_cast<int32_t>(index.size()), 2);
    PutLE(msg, static_cast<int32_t>(tasks.size()), 2);
    PutLE(msg, static_cast<int32_t>(text.size()), 2);
    PutLE(msg, 2, 2);
    msg.insert(msg.end(), index.begin(), index.end());
    msg.insert(msg.end(), text.begin(), text.end());
    return msg;
}

inline std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline POINT Centre(XWindow* wnd)
{
    RECT rc;
    wnd->GetWindowRect(rc);
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

// A left click at the window's centre, as the player's mouse gives it.
inline void ClickCentre(XWindow* wnd)
{
    XDesktop::GetInstance()->Click(Centre(wnd));
}

inline std::string Link(int32_t id, const std::string& text)
{
    return "<link url=\"" + std::to_string(id) + "\" underline=\"0\">" + text + "</link>";
}

const char kNoTaskCaption[] =
    "\xC4\xFA\xCF\xD6\xD4\xDA\xC3\xBB\xD3\xD0\xC8\xCE\xCE\xF1"; /* 您现在没有任务 */
const char kNoTaskStory[] = "\xCF\xD6\xD4\xDA\xC3\xBB\xD3\xD0\xC8\xCE\xCE\xF1"; /* 现在没有任务 */

class TaskLogFixture : public ModuleFixture {
protected:
    // Creates the client and its task log dialog from the sample game.
    CTaskLogDlg* OpenLog()
    {
        CreateClient();
        EXPECT_TRUE(Client()->CreateClientLogWnd());
        return StateView::LogDlg(*Client());
    }
    // Tasks 11, 12, ... named "T11", ... with stories "s11", ...
    void AddTasks(std::initializer_list<int32_t> ids)
    {
        for (int32_t id : ids) {
            const std::string n = std::to_string(id);
            StateView::TaskLog(*Client()).Add(id, ("T" + n).c_str(), ("s" + n).c_str());
        }
    }
    TaskListRecord Update(std::vector<int32_t> ids, int32_t count = -1)
    {
        TaskListRecord list{};
        list.nCount = count >= 0 ? count : static_cast<int32_t>(ids.size());
        for (size_t i = 0; i < ids.size() && i < 10; ++i)
            list.nTaskID[i] = ids[i];
        Client()->UpdateTaskList(&list);
        return list;
    }
    std::vector<CTaskLinkButton*> Buttons(CTaskLogDlg* dlg)
    {
        const std::list<CTaskLinkButton*>& buttons = StateView::TaskButtons(*dlg);
        return {buttons.begin(), buttons.end()};
    }
    // Captions of the visible link buttons, in order.
    std::vector<std::string> Shown(CTaskLogDlg* dlg)
    {
        std::vector<std::string> out;
        for (CTaskLinkButton* button : StateView::TaskButtons(*dlg))
            if (button->IsVisible())
                out.push_back(button->GetCaption());
        return out;
    }
    std::vector<std::string> Story(CTaskLogDlg* dlg)
    {
        std::vector<std::string> out;
        XItemContainer* items = StateView::Story(*dlg)->GetItemContainer();
        for (int32_t i = 0; i < items->GetLineCount(); ++i)
            out.push_back(panelkit::LineOf(items, i)->markup);
        return out;
    }
    std::filesystem::path LogFile() { return work.Path() / "TaskLog.txt"; }
};

}  // namespace orvane::test
