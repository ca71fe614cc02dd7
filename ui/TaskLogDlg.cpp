#include "ui/TaskLogDlg.h"

// Placeholder until the task log work lands.
bool CDeleteConfirm::OnEvent(int32_t, int32_t, int32_t, int32_t)
{
    return true;
}
CTaskLogDlg::CTaskLogDlg()
    : m_pCloseBtn(nullptr), m_pDeleteBtn(nullptr), m_pNoteWnd(nullptr), m_pPage1Btn(nullptr),
      m_pPage2Btn(nullptr), m_pStoryContorl(nullptr), m_pWndCallback(nullptr),
      m_pResObject(nullptr), m_pHelper(nullptr), m_nLastChildID(0), m_pClient(nullptr),
      m_nCurTaskID(0), m_bButtonsCreated(false), m_pSelectImage(nullptr), m_nPage(0)
{
}
CTaskLogDlg::~CTaskLogDlg() = default;
void CTaskLogDlg::Release()
{
    XWindow::Release();
}
BOOL CTaskLogDlg::OnAccelKey(uint32_t, uint32_t)
{
    return TRUE;
}
bool CTaskLogDlg::OnCommand(int32_t, const void*, int32_t)
{
    return false;
}
bool CTaskLogDlg::CreateDlg(CPanelkitHelper*, IResObject* res, int32_t, IWndCallback* callback,
                            CTaskClient* client)
{
    m_pResObject = res;
    m_pWndCallback = callback;
    m_pClient = client;
    return true;
}
bool CTaskLogDlg::UpdateTaskList(TaskListRecord*)
{
    return true;
}
void CTaskLogDlg::ClearStory() {}
void CTaskLogDlg::AddStoryText(const char*, int32_t) {}
void CTaskLogDlg::ShowPage1() {}
void CTaskLogDlg::ShowPage2() {}
void CTaskLogDlg::OnCloseButton() {}
void CTaskLogDlg::OnDeleteButton() {}
void CTaskLogDlg::OnTaskButton() {}
void CTaskLogDlg::DetachClient(IWndCallback* clientCallback)
{
    if (m_pWndCallback == clientCallback)
        m_pWndCallback = nullptr;
    m_pClient = nullptr;
    m_pResObject = nullptr;
}
void CTaskLogDlg::CreateTaskButtons() {}
int32_t CTaskLogDlg::PickShownTask(const TaskListRecord&)
{
    return 0;
}
bool CTaskLogDlg::PackTaskList(TaskListRecord*)
{
    return false;
}
void CTaskLogDlg::ShowNoTask() {}
void CTaskLogDlg::FillTaskButtons(const TaskListRecord&) {}
void CTaskLogDlg::LayoutTaskButtons(int32_t) {}
void CTaskLogDlg::LoadSelectImage() {}
