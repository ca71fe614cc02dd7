// The task log dialog's task list: the ten link buttons, which task each
// shows, which story goes with an update, and the two pages.
#include <algorithm>
#include <array>
#include <list>

#include "client/Contain.h"
#include "client/TaskClient.h"
#include "ui/Connection0.h"
#include "ui/OwnedWindow.h"
#include "ui/StoryTalk.h"
#include "ui/TaskLinkButton.h"
#include "ui/TaskLogDlg.h"

namespace {

// Link-button layout, relative to the dialog's top edge: the buttons shown
// lie between kShownTop and kShownBottom; a page is five buttons.
constexpr int32_t kButtonStep = 26, kButtonHeight = 22, kFirstButtonTop = 71;
constexpr int32_t kShownTop = 60, kShownBottom = 210, kPageShift = 5 * kButtonStep;

constexpr int32_t kMaxListed = 10;

const char kNoTaskCaption[] =
    "\xC4\xFA\xCF\xD6\xD4\xDA\xC3\xBB\xD3\xD0\xC8\xCE\xCE\xF1"; /* 您现在没有任务 */
const char kNoTaskStory[] = "\xCF\xD6\xD4\xDA\xC3\xBB\xD3\xD0\xC8\xCE\xCE\xF1"; /* 现在没有任务 */

// A count outside 0..10 from the server never reaches past the ten ids.
int32_t ListedCount(const TaskListRecord& list)
{
    return std::clamp<int32_t>(list.nCount, 0, kMaxListed);
}

}  // namespace

void CTaskLogDlg::CreateTaskButtons()
{
    if (m_pResObject == nullptr || m_pHelper == nullptr)
        return;
    IResObject* pattern = m_pResObject->GetChild(kButtonTemplateChild);
    RECT rc{};
    // All ten or none: until the last is made, a failure ends the buttons
    // made so far, and the next update builds them again.
    std::array<orvane::OwnedWindow<CTaskLinkButton>, kTaskButtonCount> buttons;
    std::list<CTaskLinkButton*> made;
    for (int32_t i = 0; i < kTaskButtonCount; ++i) {
        buttons[i] = orvane::OwnedWindow<CTaskLinkButton>(this, new CTaskLinkButton(this));
        if (!AddTaskButton(buttons[i].get(), pattern, i, rc, made))
            buttons[i].End();  // not adopted by the dialog
    }
    for (orvane::OwnedWindow<CTaskLinkButton>& button : buttons)
        button.Keep();
    m_TaskBtnList.splice(m_TaskBtnList.end(), made);
    m_bButtonsCreated = true;
}

bool CTaskLogDlg::AddTaskButton(CTaskLinkButton* button, IResObject* pattern, int32_t index,
                                RECT& rc, std::list<CTaskLinkButton*>& made)
{
    button->SetTaskID(0);
    button->SetHoverImage(m_pSelectImage);
    if (m_pHelper->CreateXWindow(this, pattern, m_nLastChildID + index, button) == nullptr)
        return false;
    button->SetCaption(kNoTaskCaption);
    ConnectClick(button, this, &CTaskLogDlg::OnTaskButton);
    const bool first = made.empty();
    made.push_back(button);
    if (first) {
        button->GetWindowRect(rc);
        button->SetVisible(TRUE);
    } else {
        rc.top += kButtonStep;
        rc.bottom = rc.top + kButtonHeight;
        button->SetWindowPos(rc);
        button->SetVisible(FALSE);
    }
    return true;
}

// ---------------------------------------------------------------------------
// Updates

bool CTaskLogDlg::UpdateTaskList(TaskListRecord* list)
{
    if (list == nullptr)
        return true;
    if (!m_bButtonsCreated)
        CreateTaskButtons();
    int32_t shown = PickShownTask(*list);
    if (PackTaskList(list))
        shown = 0;
    else
        FillTaskButtons(*list);

    ClearStory();
    const char* name = shown != 0 && m_pClient != nullptr ? m_pClient->GetTaskName(shown) : nullptr;
    if (name != nullptr && name[0] != '\0')
        AddStoryText(m_pClient->GetTaskDesc(shown), shown);
    else
        AddStoryText(kNoTaskStory, 0);

    // Keep the page the player was on, laid out for the new buttons.
    if (m_nPage == 0 || m_nPage == 1)
        LayOutPage(1);
    else if (m_nPage == 2)
        LayOutPage(2);
    return true;
}

void CTaskLogDlg::LayOutPage(int32_t page)
{
    // The second page is the first shifted: the first is laid out either way.
    orvane::Contain("CTaskLogDlg::ShowPage1()", [&] {
        m_nPage = 1;
        LayoutTaskButtons(0);
    });
    if (page == 2)
        orvane::Contain("CTaskLogDlg::ShowPage2()", [&] {
            m_nPage = 2;
            LayoutTaskButtons(kPageShift);
        });
}

int32_t CTaskLogDlg::PickShownTask(const TaskListRecord& list)
{
    TaskListRecord copy = list;
    const int32_t n = ListedCount(copy);
    int32_t result = 0;
    for (CTaskLinkButton* button : m_TaskBtnList) {
        const int32_t id = button->GetTaskID();
        for (int32_t k = 0; k < n; ++k) {
            if (copy.nTaskID[k] == id) {
                copy.nTaskID[k] = 0;
                if (id != 0)
                    result = id;
            }
        }
    }
    // An id no button shows yet wins over one already shown.
    for (int32_t k = 0; k < n; ++k)
        if (copy.nTaskID[k] != 0)
            result = copy.nTaskID[k];
    return result;
}

bool CTaskLogDlg::PackTaskList(TaskListRecord* list)
{
    TaskListRecord packed{};
    int32_t count = 0;
    for (int32_t id : list->nTaskID)
        if (id != 0)
            packed.nTaskID[count++] = id;
    packed.nCount = count;
    *list = packed;
    if (count != 0)
        return false;
    ShowNoTask();
    return true;
}

void CTaskLogDlg::ShowNoTask()
{
    bool first = true;
    for (CTaskLinkButton* button : m_TaskBtnList) {
        button->SetTaskID(0);
        button->SetCaption(first ? kNoTaskCaption : "");
        button->SetVisible(first ? TRUE : FALSE);
        first = false;
    }
}

void CTaskLogDlg::FillTaskButtons(const TaskListRecord& list)
{
    const int32_t n = ListedCount(list);
    int32_t k = 0;
    for (CTaskLinkButton* button : m_TaskBtnList) {
        const char* name = nullptr;
        for (; k < n; ++k) {
            if (list.nTaskID[k] == 0 || m_pClient == nullptr)
                continue;
            name = m_pClient->GetTaskName(list.nTaskID[k]);
            if (name != nullptr && name[0] != '\0')
                break;
        }
        if (k >= n) {
            button->SetTaskID(0);
            button->SetCaption("");
            button->SetVisible(FALSE);
            continue;
        }
        button->SetTaskID(list.nTaskID[k]);
        button->SetCaption(name);
        button->SetVisible(TRUE);
        ++k;
    }
}

// ---------------------------------------------------------------------------
// Pages

void CTaskLogDlg::LayoutTaskButtons(int32_t shift)
{
    RECT dlg;
    GetWindowRect(dlg);
    int32_t offset = 0;
    bool first = true;
    for (CTaskLinkButton* button : m_TaskBtnList) {
        RECT rc;
        if (shift == 0) {
            button->GetWindowRect(rc);
            rc.top = dlg.top + kFirstButtonTop + offset;
            rc.bottom = rc.top + kButtonHeight;
            button->SetWindowPos(rc);
            offset += kButtonStep;
        } else {
            button->MoveWindow(0, -shift);
            button->GetWindowRect(rc);
        }
        const bool inView = rc.bottom <= dlg.top + kShownBottom && rc.top >= dlg.top + kShownTop;
        // The first page keeps its first button even without a task.
        const bool wanted = button->GetTaskID() != 0 || (shift == 0 && first);
        button->SetVisible(inView && wanted ? TRUE : FALSE);
        first = false;
    }
    InvalidRect(nullptr);
}

void CTaskLogDlg::ShowPage1()
{
    orvane::Contain("CTaskLogDlg::ShowPage1()", [&] {
        if (m_nPage == 0 || m_nPage == 1)
            return;
        m_nPage = 1;
        LayoutTaskButtons(0);
    });
}

void CTaskLogDlg::ShowPage2()
{
    orvane::Contain("CTaskLogDlg::ShowPage2()", [&] {
        if (m_nPage == 2)
            return;
        m_nPage = 2;
        LayoutTaskButtons(kPageShift);
    });
}
