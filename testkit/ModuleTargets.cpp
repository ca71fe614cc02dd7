#include "testkit/ModuleTargets.h"

#include <list>

#include "client/StateView.h"
#include "client/TaskClient.h"
#include "panelkit/Views.h"
#include "ui/StoryTalk.h"
#include "ui/TalkText.h"
#include "ui/TaskLinkButton.h"
#include "ui/TaskLogDlg.h"
#include "ui/TaskTalkDlg.h"

namespace orvane::fuzz {

std::vector<XWindow*> TopLevelWindows()
{
    return panelkit::TopLevelWindows();
}

POINT Centre(XWindow* wnd)
{
    RECT rc{};
    wnd->GetWindowRect(rc);
    return POINT{rc.left + (rc.right - rc.left) / 2, rc.top + (rc.bottom - rc.top) / 2};
}

CTaskLogDlg* LogDialog()
{
    for (XWindow* wnd : panelkit::TopLevelWindows(CTaskClient::kLogWndID))
        if (auto* dlg = dynamic_cast<CTaskLogDlg*>(wnd))
            return dlg;
    return nullptr;
}

std::optional<POINT> LinkPoint(uint8_t n)
{
    std::vector<POINT> points;
    const std::vector<XWindow*> windows = TopLevelWindows();
    for (XWindow* wnd : windows) {
        auto* dlg = dynamic_cast<CTaskTalkDlg*>(wnd);
        CTalkText* talk = dlg != nullptr ? StateView::Talk(*dlg) : nullptr;
        if (talk == nullptr || !dlg->IsVisible())
            continue;
        XItemContainer* items = talk->GetItemContainer();
        for (int32_t i = 0; i < items->GetLineCount(); ++i) {
            const std::optional<XTalkLine> line = panelkit::LineOf(items, i);
            for (const XTalkPiece& piece : line->pieces) {
                const auto f = static_cast<size_t>(piece.fragment);
                if (f < line->fragments.size() && line->fragments[f].isLink)
                    points.push_back(POINT{piece.rect.left + 1, piece.rect.top + 1});
            }
        }
    }
    // Then the controls that close a window or toggle the task panel.
    for (XWindow* wnd : windows) {
        auto* dlg = dynamic_cast<CTaskTalkDlg*>(wnd);
        if (dlg == nullptr || !dlg->IsVisible())
            continue;
        for (XWindow* control :
             {StateView::CloseWnd(*dlg), StateView::PanelBtn1(*dlg), StateView::PanelBtn2(*dlg)})
            if (control != nullptr && control->IsVisible())
                points.push_back(Centre(control));
    }
    if (points.empty())
        return std::nullopt;
    return points[n % points.size()];
}

XWindow* LogControl(CTaskLogDlg* dlg, uint8_t n)
{
    const std::list<CTaskLinkButton*>& buttons = StateView::TaskButtons(*dlg);
    std::vector<XWindow*> controls(buttons.begin(), buttons.end());
    for (XWindow* wnd : {StateView::Page1Btn(*dlg), StateView::Page2Btn(*dlg),
                         StateView::DeleteBtn(*dlg), StateView::CloseBtn(*dlg),
                         StateView::NoteWnd(*dlg), static_cast<XWindow*>(StateView::Story(*dlg))})
        if (wnd != nullptr)
            controls.push_back(wnd);
    return controls.empty() ? nullptr : controls[n % controls.size()];
}

XWindow* NoteWindow(CTaskLogDlg* dlg)
{
    return dlg != nullptr ? StateView::NoteWnd(*dlg) : nullptr;
}

}  // namespace orvane::fuzz
