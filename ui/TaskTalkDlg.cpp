#include "ui/TaskTalkDlg.h"

#include "ui/TalkText.h"

// Placeholder until the talk window work lands.
CTaskTalkDlg::CTaskTalkDlg()
    : m_pCloseWnd(nullptr), m_pPanelBtn1(nullptr), m_pPanelBtn2(nullptr), m_pTalk(nullptr),
      m_bPinned(0), m_bHideGuard(0), m_pTaskPanel(nullptr), m_pTaskPanelText(nullptr), m_nWndID(0),
      m_pSequencer(nullptr), m_nHeight(0), m_pWndCallback(nullptr), m_pImgTop(nullptr),
      m_pImgMid(nullptr), m_pImgBottom(nullptr)
{
}
CTaskTalkDlg::~CTaskTalkDlg() = default;
int32_t CTaskTalkDlg::IsTransparent()
{
    return 0;
}
void CTaskTalkDlg::SetVisible(BOOL show)
{
    XWindow::SetVisible(show);
}
BOOL CTaskTalkDlg::OnMouseDown(uint32_t a, uint32_t b, POINT pt)
{
    return XWindow::OnMouseDown(a, b, pt);
}
BOOL CTaskTalkDlg::OnMouseMove(uint32_t a, uint32_t b, POINT pt)
{
    return XMainWnd::OnMouseMove(a, b, pt);
}
BOOL CTaskTalkDlg::OnAccelKey(uint32_t, uint32_t)
{
    return TRUE;
}
void CTaskTalkDlg::OnEraseBkgnd(ICanvas*, RECT&) {}
bool CTaskTalkDlg::OnCommand(int32_t, const void*, int32_t)
{
    return false;
}
void CTaskTalkDlg::OnTimer(int32_t) {}
XWindow* CTaskTalkDlg::Create(IResObject*, int32_t id, IWndCallback* callback)
{
    m_nWndID = id;
    m_pWndCallback = callback;
    return this;
}
void CTaskTalkDlg::SetSequencer(CTaskTalkSequencer* sequencer)
{
    m_pSequencer = sequencer;
}
void CTaskTalkDlg::SetCallback(IWndCallback* callback)
{
    if (callback != nullptr)
        m_pWndCallback = callback;
}
void CTaskTalkDlg::AppendLine(const char*, int32_t) {}
void CTaskTalkDlg::ClearText() {}
void CTaskTalkDlg::SetPinned(int32_t pinned)
{
    m_bPinned = pinned;
}
void CTaskTalkDlg::Hide() {}
bool CTaskTalkDlg::LoadImages()
{
    return true;
}
void CTaskTalkDlg::OnPanelToggle() {}
void CTaskTalkDlg::PlaceTaskPanel() {}
void CTaskTalkDlg::DetachClient(IWndCallback* clientCallback)
{
    if (m_pWndCallback == clientCallback)
        m_pWndCallback = nullptr;
    m_pSequencer = nullptr;
}
void CTaskTalkDlg::StartHideGuardTimer() {}
