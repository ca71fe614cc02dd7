// The NPC talk window's layout and toolkit events: the background drawn
// from three images, centring, the task panel above the window, the mouse
// and the accelerator key.
#include <algorithm>
#include <climits>

#include "client/Contain.h"
#include "ui/TalkText.h"
#include "ui/TaskTalkDlg.h"

namespace {

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

}  // namespace

void CTaskTalkDlg::CentreOnScreen()
{
    const int32_t content = ContentHeight(m_pTalk);
    const int32_t width = ImageWidth(m_pImgTop);
    RECT rc{};
    GetWindowRect(rc);
    MoveWindow(kScreenCentreX - width / 2 - rc.left,
               kScreenCentreY - content / 2 - kCentreLift - rc.top);
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
    orvane::Contain("CTaskTalkDlg::OnPanelToggle()", [&] {
        PlaceTaskPanel();
        if (m_pTaskPanel == nullptr)
            return;
        const BOOL show = m_pTaskPanel->IsVisible() ? FALSE : TRUE;
        m_pTaskPanel->SetVisible(show);
        if (m_pTaskPanelText != nullptr)
            m_pTaskPanelText->SetVisible(show);
    });
}

// ---------------------------------------------------------------------------
// Toolkit overrides

int32_t CTaskTalkDlg::IsTransparent()
{
    return 0;
}

void CTaskTalkDlg::OnEraseBkgnd(ICanvas* canvas, RECT&)
{
    orvane::Contain("CTaskTalkDlg::OnEraseBkgnd()", [&] {
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
            height =
                mid > 0 ? content - content % mid - mid + top + bottom : content + top + bottom;
            height = std::min<int64_t>(height, INT32_MAX - int64_t{rc.top});
            m_nHeight = static_cast<int32_t>(height);
        }
        // Without middle tiles nothing gives the window a height of its own;
        // it still covers its children, so the talk control's links stay
        // inside it and can be clicked.
        if (mid == 0)
            height = std::max(height, std::min<int64_t>(ChildrenExtent(this, rc.top),
                                                        INT32_MAX - int64_t{rc.top}));
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
    });
}

BOOL CTaskTalkDlg::OnMouseMove(uint32_t a, uint32_t b, POINT pt)
{
    return orvane::Contain("CTaskTalkDlg::OnMouseMove()", FALSE, [&]() -> BOOL {
        const BOOL result = XMainWnd::OnMouseMove(a, b, pt);
        // The panel follows the window while it is dragged.
        if (m_nWndID == kTalkWndID && a == 1)
            PlaceTaskPanel();
        return result;
    });
}

BOOL CTaskTalkDlg::OnMouseDown(uint32_t a, uint32_t b, POINT pt)
{
    return orvane::Contain("CTaskTalkDlg::OnMouseDown()", FALSE, [&]() -> BOOL {
        XWindow* target = GetMouseMove();
        if (target != nullptr && target != this && !target->IsMainWindow() && target->IsEnabled() &&
            target->GetMainWnd() == this)
            return target->OnMouseDown(a, b, pt);
        return XWindow::OnMouseDown(a, b, pt);
    });
}

BOOL CTaskTalkDlg::OnAccelKey(uint32_t, uint32_t)
{
    return orvane::Contain("CTaskTalkDlg::OnAccelKey()", FALSE, [&]() -> BOOL {
        SetVisible(IsVisible() ? FALSE : TRUE);
        InvalidRect(nullptr);
        return TRUE;
    });
}
