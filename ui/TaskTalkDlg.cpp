#include "ui/TaskTalkDlg.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "client/Contain.h"
#include "client/HostServices.h"
#include "client/ModuleState.h"
#include "client/TaskClient.h"
#include "platform/Win32.h"
#include "tasks/MessageFormats.h"
#include "tasks/TaskTalkSequencer.h"
#include "ui/Connection0.h"
#include "ui/LinkLine.h"
#include "ui/OwnedWindow.h"
#include "ui/TalkText.h"

namespace {

const char kImgTopPath[] = "task\\BakTaskDlgShang_1.bmp";
const char kImgMidPath[] = "task\\BakTaskDlgZhong.bmp";
const char kImgBottomPath[] = "task\\BakTaskDlgXia.bmp";

constexpr int32_t kGuardTimerID = 0;
constexpr int32_t kCloseID = 1;
constexpr int32_t kPanelBtn1ID = 2;
constexpr int32_t kPanelBtn2ID = 3;
constexpr int32_t kPanelTextMaxLen = 1024;
// Panel texts up to this many bytes are the chat placeholder, not a task.
constexpr size_t kPanelPlaceholderBytes = 10;

void FreeImages(IBitmap*& top, IBitmap*& mid, IBitmap*& bottom)
{
    for (IBitmap** image : {&top, &mid, &bottom}) {
        CImageLoader::GetInstance()->FreeImage(*image);
        *image = nullptr;
    }
}

}  // namespace

// A plain main window on the desktop that tells its talk window when the
// toolkit ends it, so the talk window never reaches a panel that is gone.
class CTaskTalkDlg::CTaskPanelWnd final : public XMainWnd {
public:
    explicit CTaskPanelWnd(CTaskTalkDlg* owner) : XMainWnd(XDesktop::GetInstance()), m_pOwner(owner)
    {
    }
    ~CTaskPanelWnd() override
    {
        if (m_pOwner != nullptr)
            m_pOwner->OnTaskPanelGone();
    }
    // The talk window is going first: the panel reports to nobody.
    void Disown() { m_pOwner = nullptr; }

private:
    CTaskTalkDlg* m_pOwner;
};

CTaskTalkDlg::CTaskTalkDlg()
    : m_pCloseWnd(nullptr),
      m_pPanelBtn1(nullptr),
      m_pPanelBtn2(nullptr),
      m_pTalk(nullptr),
      m_bPinned(0),
      m_bHideGuard(0),
      m_pTaskPanel(nullptr),
      m_pTaskPanelText(nullptr),
      m_nWndID(0),
      m_pSequencer(nullptr),
      m_nHeight(0),
      m_pWndCallback(nullptr),
      m_pImgTop(nullptr),
      m_pImgMid(nullptr),
      m_pImgBottom(nullptr),
      m_bGuardTimerArmed(false),
      m_bDetached(false)
{
}

CTaskTalkDlg::~CTaskTalkDlg()
{
    orvane::Contain("CTaskTalkDlg::~CTaskTalkDlg()", [&] { KillHideGuardTimer(); });
    // The panel stays on the desktop; it must neither show on its own nor
    // report back to this window.
    if (m_pTaskPanel != nullptr) {
        static_cast<CTaskPanelWnd*>(m_pTaskPanel)->Disown();
        m_pTaskPanel->XWindow::SetVisible(FALSE);
    }
    FreeImages(m_pImgTop, m_pImgMid, m_pImgBottom);
    if (orvane::g_pTaskClient != nullptr)
        orvane::g_pTaskClient->OnWindowDestroyed(this);
}

XWindow* CTaskTalkDlg::Create(IResObject* desc, int32_t id, IWndCallback* callback)
{
    CPanelkitHelper helper;
    XDesktop* desktop = GetDesktop();
    SetParent(desktop);
    helper.CreateStockProperty(this, desc, id);
    desktop->AddWindow(this);
    m_nWndID = id;

    orvane::OwnedWindow<CTalkText> talk(this, new CTalkText(this));
    talk->SetOwner(this);
    const int32_t count = desc != nullptr ? desc->GetChildCount() : 0;
    IResObject* last = desc != nullptr ? desc->GetChild(0) : nullptr;
    // The talk control is this window's child even without a description.
    if (helper.CreateXWindow(this, last, 0, talk.get()) == nullptr)
        AddChild(talk.get());
    m_pTalk = talk.Keep();
    for (int32_t i = 1; i < count; ++i) {
        last = desc->GetChild(i);
        helper.CreateXWindow(this, last, i, nullptr);
    }
    m_pCloseWnd = FindWindowByID(kCloseID);

    if (id == kTalkWndID) {
        CreateTaskPanel(helper, last);
        m_pPanelBtn1 = FindWindowByID(kPanelBtn1ID);
        m_pPanelBtn2 = FindWindowByID(kPanelBtn2ID);
        ConnectClick(m_pPanelBtn1, this, &CTaskTalkDlg::OnPanelToggle);
        ConnectClick(m_pPanelBtn2, this, &CTaskTalkDlg::OnPanelToggle);
    }
    m_pTalk->SetMovable(0);
    m_pWndCallback = callback;
    ConnectClick(m_pCloseWnd, this, &CTaskTalkDlg::Hide);
    LoadImages();
    return this;
}

void CTaskTalkDlg::CreateTaskPanel(CPanelkitHelper& helper, IResObject* templates)
{
    IResObject* panelDesc = templates != nullptr ? templates->GetChildByID(kPanelResID) : nullptr;
    IResObject* textDesc =
        templates != nullptr ? templates->GetChildByID(kPanelTextResID) : nullptr;
    XDesktop* desktop = GetDesktop();
    orvane::OwnedWindow<XMainWnd> owned(desktop, new CTaskPanelWnd(this));
    helper.CreateStockProperty(owned.get(), panelDesc, kPanelResID);
    owned->SetParent(desktop);
    desktop->AddWindow(owned.get());
    XMainWnd* panel = owned.Keep();
    m_pTaskPanel = panel;

    helper.CreateXWindow(panel, textDesc, kPanelTextID, nullptr);
    m_pTaskPanelText = dynamic_cast<XEdit*>(panel->FindWindowByID(kPanelTextID));
    if (m_pTaskPanelText != nullptr) {
        m_pTaskPanelText->SetMaxLen(kPanelTextMaxLen);
        m_pTaskPanelText->SetWindowTextA(orvane::kChatText);
    }
    panel->SetVisible(FALSE);
    if (m_pTaskPanelText != nullptr)
        m_pTaskPanelText->SetVisible(FALSE);
    panel->SetActive();
}

void CTaskTalkDlg::OnTaskPanelGone()
{
    m_pTaskPanel = nullptr;
    m_pTaskPanelText = nullptr;
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

void CTaskTalkDlg::AppendLine(const char* text, int32_t link)
{
    if (text == nullptr || m_pTalk == nullptr)
        return;
    if (link == 0) {
        m_pTalk->AddLine(text);
        return;
    }
    m_pTalk->AddLine(orvane::LinkLine(link, text).c_str());
}

void CTaskTalkDlg::ClearText()
{
    if (m_pTalk != nullptr)
        m_pTalk->Clear();
}

void CTaskTalkDlg::SetPinned(int32_t pinned)
{
    m_bPinned = pinned;
}

void CTaskTalkDlg::Hide()
{
    orvane::Contain("CTaskTalkDlg::Hide()", [&] {
        m_bHideGuard = 0;
        SetVisible(FALSE);
    });
}

void CTaskTalkDlg::OnLinkClicked(int32_t number)
{
    // Hide clears the guard first: a clicked link always closes the window.
    Hide();
    IWndCallback* callback = m_pWndCallback;
    if (callback == nullptr) {
        OutputDebugStringA("m_pTaskTalkDlg->m_pWndCallback == NULL");
        return;
    }
    callback->OnEvent(orvane::kTalkWndID, orvane::kLinkEvent, number, 0);
}

bool CTaskTalkDlg::LoadImages()
{
    // Loading again replaces the images rather than leaking them.
    FreeImages(m_pImgTop, m_pImgMid, m_pImgBottom);
    CImageLoader* loader = CImageLoader::GetInstance();
    m_pImgTop = loader->LoadImageA(kImgTopPath);
    m_pImgMid = loader->LoadImageA(kImgMidPath);
    m_pImgBottom = loader->LoadImageA(kImgBottomPath);
    return true;
}

void CTaskTalkDlg::DetachClient()
{
    // Last word with the host: its timer goes now, and no click, hiding or
    // destruction of this window reaches the host again.
    orvane::Contain("CTaskTalkDlg::DetachClient()", [&] { KillHideGuardTimer(); });
    m_bHideGuard = 0;
    m_bDetached = true;
    m_pWndCallback = nullptr;
    m_pSequencer = nullptr;
}

ITimerService* CTaskTalkDlg::Timers() const
{
    return m_bDetached ? nullptr : orvane::HostTimers();
}

// ---------------------------------------------------------------------------
// Commands and visibility

bool CTaskTalkDlg::OnCommand(int32_t type, const void* data, int32_t param)
{
    return orvane::Contain("CTaskTalkDlg::OnCommand()", false, [&]() -> bool {
        const char* text = static_cast<const char*>(data);
        switch (type) {
            case kCmdAddLine:
                AppendLine(text, param);
                return true;
            case kCmdShow:
                SetVisible(TRUE);
                return true;
            case kCmdClear:
                ClearText();
                return true;
            case kCmdPin:
                SetPinned(text != nullptr ? 1 : 0);
                SetPanelText(text);
                return false;
            case kCmdPanelText:
                SetPanelText(text);
                return false;
            default:
                return false;
        }
    });
}

void CTaskTalkDlg::SetPanelText(const char* text)
{
    if (m_pTaskPanelText == nullptr || text == nullptr)
        return;
    m_pTaskPanelText->SetWindowTextA(text);
    m_pTaskPanelText->SetVisible(TRUE);
}

void CTaskTalkDlg::SetVisible(BOOL show)
{
    orvane::Contain("CTaskTalkDlg::SetVisible()", [&] {
        if (m_bHideGuard != 0 && !show)
            return;
        XWindow::SetVisible(m_bPinned != 0 ? TRUE : show);
        if (m_nWndID == kTalkWndID) {
            // A window left behind has no timer to end a guard: it gets none.
            if (show && !m_bDetached)
                m_bHideGuard = 1;
            StartHideGuardTimer();
            UpdateTaskPanel(show);
            PlaceTaskPanel();
            // The next narration page follows the hiding of this one.
            if (!show && m_pSequencer != nullptr)
                m_pSequencer->StartStepTimer();
        }
        if (show) {
            CentreOnScreen();
            // Centring moved this window; the panel goes back above it.
            PlaceTaskPanel();
        }
    });
}

void CTaskTalkDlg::UpdateTaskPanel(BOOL show)
{
    if (m_pTaskPanel == nullptr)
        return;
    const char* text = m_pTaskPanelText != nullptr ? m_pTaskPanelText->GetWindowTextA() : nullptr;
    if (show && text != nullptr) {
        const BOOL taskText = std::strlen(text) > kPanelPlaceholderBytes ? TRUE : FALSE;
        m_pTaskPanel->SetVisible(taskText);
        m_pTaskPanelText->SetVisible(taskText);
        return;
    }
    m_pTaskPanel->SetVisible(FALSE);
}

void CTaskTalkDlg::StartHideGuardTimer()
{
    if (m_bHideGuard == 0)
        return;
    if (ITimerService* timers = Timers()) {
        timers->SetTimer(kGuardTimerID, this, kHideGuardMs);
        m_bGuardTimerArmed = true;
    }
}

void CTaskTalkDlg::KillHideGuardTimer()
{
    if (!m_bGuardTimerArmed)
        return;
    m_bGuardTimerArmed = false;
    if (ITimerService* timers = Timers())
        timers->KillTimer(kGuardTimerID, this);
}

void CTaskTalkDlg::OnTimer(int32_t)
{
    orvane::Contain("CTaskTalkDlg::OnTimer()", [&] {
        m_bHideGuard = 0;
        m_bGuardTimerArmed = false;
        if (ITimerService* timers = Timers())
            timers->KillTimer(kGuardTimerID, this);
    });
}
