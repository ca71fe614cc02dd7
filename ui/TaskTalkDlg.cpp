#include "ui/TaskTalkDlg.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "client/ModuleState.h"
#include "client/TaskClient.h"
#include "platform/Format.h"
#include "tasks/TaskTalkSequencer.h"
#include "ui/Connection0.h"
#include "ui/TalkText.h"

namespace {

const char kImgTopPath[] = "task\\BakTaskDlgShang_1.bmp";
const char kImgMidPath[] = "task\\BakTaskDlgZhong.bmp";
const char kImgBottomPath[] = "task\\BakTaskDlgXia.bmp";
const char kChatText[] = "\xCF\xD0\xC1\xC4"; /* 闲聊 */
const char kLinkOpenFormat[] = "<link url=\"%d\" underline=\"0\">";
const char kLinkClose[] = "</link>";

constexpr int32_t kGuardTimerID = 0;
constexpr int32_t kCloseID = 1;
constexpr int32_t kPanelBtn1ID = 2;
constexpr int32_t kPanelBtn2ID = 3;
constexpr int32_t kPanelTextMaxLen = 1024;
// Panel texts up to this many bytes are the chat placeholder, not a task.
constexpr size_t kPanelPlaceholderBytes = 10;
// The background is this many middle tiles high until the content needs more.
constexpr int32_t kDefaultMiddleTiles = 6;
// Top image drawn with its transparency, the tiles and the bottom opaque.
constexpr int32_t kDrawTopFlag = 4;
constexpr int32_t kDrawTileFlag = 0;
// Shown windows are centred on the 800 x 600 screen, 120 pixels higher.
constexpr int32_t kScreenCentreX = 400;
constexpr int32_t kScreenCentreY = 300;
constexpr int32_t kCentreLift = 120;

// A missing image counts as 0 x 0.
int32_t ImageWidth(IBitmap* image)
{
    return image != nullptr ? std::max<int32_t>(image->GetWidth(), 0) : 0;
}

int32_t ImageHeight(IBitmap* image)
{
    return image != nullptr ? std::max<int32_t>(image->GetHeight(), 0) : 0;
}

void FreeImages(IBitmap*& top, IBitmap*& mid, IBitmap*& bottom)
{
    for (IBitmap** image : {&top, &mid, &bottom}) {
        CImageLoader::GetInstance()->FreeImage(*image);
        *image = nullptr;
    }
}

ITimerService* HostTimers()
{
    return orvane::g_pGlobalClient != nullptr ? orvane::g_pGlobalClient->m_pTimerService : nullptr;
}

// How far below top the window's children reach; 0 when none lies below it.
int64_t ChildrenExtent(XWindow* wnd, int32_t top)
{
    int64_t extent = 0;
    const int32_t count = wnd->GetChildCount();
    for (int32_t i = 0; i < count; ++i) {
        XWindow* child = wnd->GetChild(i);
        if (child == nullptr)
            continue;
        RECT rc{};
        child->GetWindowRect(rc);
        extent = std::max<int64_t>(extent, int64_t{rc.bottom} - top);
    }
    return extent;
}

int32_t ContentHeight(CTalkText* talk)
{
    XItemContainer* items = talk != nullptr ? talk->GetItemContainer() : nullptr;
    return items != nullptr ? items->GetMaxHeight() : 0;
}

// The task panel: a plain main window on the desktop that tells its talk
// window when the toolkit ends it, so the talk window never reaches a
// panel that is gone.
class CTaskPanelWnd final : public XMainWnd {
public:
    explicit CTaskPanelWnd(CTaskTalkDlg* owner) : XMainWnd(XDesktop::GetInstance()), m_pOwner(owner)
    {
    }
    ~CTaskPanelWnd() override
    {
        if (m_pOwner != nullptr) {
            m_pOwner->m_pTaskPanel = nullptr;
            m_pOwner->m_pTaskPanelText = nullptr;
        }
    }

    CTaskTalkDlg* m_pOwner;
};

}  // namespace

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
      m_bGuardTimerArmed(false)
{
}

CTaskTalkDlg::~CTaskTalkDlg()
{
    KillHideGuardTimer();
    // The panel stays on the desktop; it must neither show on its own nor
    // report back to this window.
    if (m_pTaskPanel != nullptr) {
        static_cast<CTaskPanelWnd*>(m_pTaskPanel)->m_pOwner = nullptr;
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

    m_pTalk = new CTalkText(this);
    m_pTalk->m_pOwner = this;
    const int32_t count = desc != nullptr ? desc->GetChildCount() : 0;
    IResObject* last = desc != nullptr ? desc->GetChild(0) : nullptr;
    // The talk control is this window's child even without a description.
    if (helper.CreateXWindow(this, last, 0, m_pTalk) == nullptr)
        AddChild(m_pTalk);
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
    XMainWnd* panel = new CTaskPanelWnd(this);
    helper.CreateStockProperty(panel, panelDesc, kPanelResID);
    panel->SetParent(desktop);
    desktop->AddWindow(panel);
    m_pTaskPanel = panel;

    helper.CreateXWindow(panel, textDesc, kPanelTextID, nullptr);
    m_pTaskPanelText = dynamic_cast<XEdit*>(panel->FindWindowByID(kPanelTextID));
    if (m_pTaskPanelText != nullptr) {
        m_pTaskPanelText->SetMaxLen(kPanelTextMaxLen);
        m_pTaskPanelText->SetWindowTextA(kChatText);
    }
    panel->SetVisible(FALSE);
    if (m_pTaskPanelText != nullptr)
        m_pTaskPanelText->SetVisible(FALSE);
    panel->SetActive();
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
    char tag[128];
    orvane::FormatText(tag, sizeof tag, kLinkOpenFormat, static_cast<int>(link));
    std::string line(tag);
    line += text;
    line += kLinkClose;
    m_pTalk->AddLine(line.c_str());
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
    m_bHideGuard = 0;
    SetVisible(FALSE);
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

void CTaskTalkDlg::DetachClient(IWndCallback* clientCallback)
{
    if (m_pWndCallback == clientCallback)
        m_pWndCallback = nullptr;
    m_pSequencer = nullptr;
}

// ---------------------------------------------------------------------------
// Commands and visibility

bool CTaskTalkDlg::OnCommand(int32_t type, const void* data, int32_t param)
{
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
    if (m_bHideGuard != 0 && !show)
        return;
    XWindow::SetVisible(m_bPinned != 0 ? TRUE : show);
    if (m_nWndID == kTalkWndID) {
        if (show)
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

void CTaskTalkDlg::CentreOnScreen()
{
    const int32_t content = ContentHeight(m_pTalk);
    const int32_t width = ImageWidth(m_pImgTop);
    RECT rc{};
    GetWindowRect(rc);
    MoveWindow(kScreenCentreX - width / 2 - rc.left,
               kScreenCentreY - content / 2 - kCentreLift - rc.top);
}

void CTaskTalkDlg::StartHideGuardTimer()
{
    if (m_bHideGuard == 0)
        return;
    if (ITimerService* timers = HostTimers()) {
        timers->SetTimer(kGuardTimerID, this, kHideGuardMs);
        m_bGuardTimerArmed = true;
    }
}

void CTaskTalkDlg::KillHideGuardTimer()
{
    if (!m_bGuardTimerArmed)
        return;
    m_bGuardTimerArmed = false;
    if (ITimerService* timers = HostTimers())
        timers->KillTimer(kGuardTimerID, this);
}

void CTaskTalkDlg::OnTimer(int32_t)
{
    m_bHideGuard = 0;
    m_bGuardTimerArmed = false;
    if (ITimerService* timers = HostTimers())
        timers->KillTimer(kGuardTimerID, this);
}

// ---------------------------------------------------------------------------
// The task panel

void CTaskTalkDlg::PlaceTaskPanel()
{
    if (m_nWndID != kTalkWndID || m_pTaskPanel == nullptr)
        return;
    RECT rc{};
    GetWindowRect(rc);
    RECT panel{rc.left, rc.top - 118, rc.right, rc.top - 3};
    m_pTaskPanel->SetWindowPos(panel);
    if (m_pTaskPanelText != nullptr) {
        RECT text{panel.left + 20, panel.top + 15, panel.right - 28, panel.bottom - 10};
        m_pTaskPanelText->SetWindowPos(text);
    }
}

void CTaskTalkDlg::OnPanelToggle()
{
    PlaceTaskPanel();
    if (m_pTaskPanel == nullptr)
        return;
    const BOOL show = m_pTaskPanel->IsVisible() ? FALSE : TRUE;
    m_pTaskPanel->SetVisible(show);
    if (m_pTaskPanelText != nullptr)
        m_pTaskPanelText->SetVisible(show);
}

// ---------------------------------------------------------------------------
// Toolkit overrides

int32_t CTaskTalkDlg::IsTransparent()
{
    return 0;
}

void CTaskTalkDlg::OnEraseBkgnd(ICanvas* canvas, RECT&)
{
    // 64-bit sums: a text control of any size cannot overflow them.
    const int64_t top = ImageHeight(m_pImgTop);
    const int64_t mid = ImageHeight(m_pImgMid);
    const int64_t bottom = ImageHeight(m_pImgBottom);
    int64_t height = top + bottom + kDefaultMiddleTiles * mid;
    RECT rc{};
    GetWindowRect(rc);
    const int64_t content =
        m_pTalk != nullptr ? std::min(ContentHeight(m_pTalk), m_pTalk->GetHeight()) : 0;
    if (content + top + bottom > height) {
        // Whole tiles, one fewer than fit; without tiles the content itself.
        height = mid > 0 ? content - content % mid - mid + top + bottom : content + top + bottom;
        height = std::min<int64_t>(height, INT32_MAX - int64_t{rc.top});
        m_nHeight = static_cast<int32_t>(height);
    }
    // Without middle tiles nothing gives the window a height of its own;
    // it still covers its children, so the talk control's links stay
    // inside it and can be clicked.
    if (mid == 0)
        height = std::max(height,
                          std::min<int64_t>(ChildrenExtent(this, rc.top), INT32_MAX - int64_t{rc.top}));
    const auto at = [&rc](int64_t y) { return static_cast<int32_t>(rc.top + y); };
    if (canvas != nullptr) {
        if (m_pImgTop != nullptr)
            m_pImgTop->Draw(canvas, rc.left, rc.top, kDrawTopFlag);
        if (m_pImgMid != nullptr && mid > 0) {
            for (int64_t y = top; y <= height - bottom - mid; y += mid)
                m_pImgMid->Draw(canvas, rc.left, at(y), kDrawTileFlag);
        }
        if (m_pImgBottom != nullptr)
            m_pImgBottom->Draw(canvas, rc.left, at(height - bottom), kDrawTileFlag);
    }
    RECT sized{rc.left, rc.top, rc.right, at(height)};
    SetWindowPos(sized);
}

BOOL CTaskTalkDlg::OnMouseMove(uint32_t a, uint32_t b, POINT pt)
{
    const BOOL result = XMainWnd::OnMouseMove(a, b, pt);
    // The panel follows the window while it is dragged.
    if (m_nWndID == kTalkWndID && a == 1)
        PlaceTaskPanel();
    return result;
}

BOOL CTaskTalkDlg::OnMouseDown(uint32_t a, uint32_t b, POINT pt)
{
    XWindow* target = GetMouseMove();
    if (target != nullptr && target != this && !target->IsMainWindow() && target->IsEnabled() &&
        target->GetMainWnd() == this)
        return target->OnMouseDown(a, b, pt);
    return XWindow::OnMouseDown(a, b, pt);
}

BOOL CTaskTalkDlg::OnAccelKey(uint32_t, uint32_t)
{
    SetVisible(IsVisible() ? FALSE : TRUE);
    InvalidRect(nullptr);
    return TRUE;
}
