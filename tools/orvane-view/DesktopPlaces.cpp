#include "tools/orvane-view/DesktopPlaces.h"

#include "panelkit/Views.h"
#include "tools/hostlib/WindowDump.h"
#include "ui/Panelkit.h"

namespace orvane::view {

namespace {

constexpr int32_t kLogWnd = 172;
constexpr int32_t kNoteWnd = 4;

std::string Span(const RECT& rc)
{
    return "(" + std::to_string(rc.left) + "," + std::to_string(rc.top) + ")-(" +
           std::to_string(rc.right) + "," + std::to_string(rc.bottom) + ")";
}

// The shown windows of the module that hold a text control, bottom first.
std::vector<XWindow*> TextWindows()
{
    std::vector<XWindow*> found;
    for (XWindow* wnd : panelkit::TopLevelWindows()) {
        const int32_t id = wnd->GetID();
        if (wnd->IsVisible() && (id == 163 || id == 174 || id == 175 || id == kLogWnd) &&
            hostprog::TextControl(wnd) != nullptr)
            found.push_back(wnd);
    }
    return found;
}

}  // namespace

std::vector<std::string> ClickablePlaces()
{
    std::vector<std::string> places;
    for (XWindow* wnd : TextWindows()) {
        const std::string of = " of window " + std::to_string(wnd->GetID());
        XTalk* talk = hostprog::TextControl(wnd);
        XItemContainer* items = talk->GetItemContainer();
        RECT view{};
        items->GetWindowRect(view);
        for (int32_t i = 0; i < items->GetLineCount(); ++i) {
            const std::optional<XTalkLine> found = panelkit::LineOf(items, i);
            if (!found)
                continue;
            const XTalkLine& line = *found;
            const int64_t link = hostprog::LinkValue(line);
            int32_t x = 0;
            int32_t y = 0;
            if (link == 0 || !hostprog::LinkPoint(line, x, y))
                continue;
            const RECT& first = line.pieces.front().rect;
            RECT at = first;
            for (const XTalkPiece& piece : line.pieces)
                if (piece.rect.top == first.top && line.fragments[piece.fragment].isLink)
                    at.right = piece.rect.right;
            const std::string where = y < view.top       ? "above the visible part"
                                      : y >= view.bottom ? "below the visible part"
                                                         : "at " + Span(at);
            places.push_back("link " + std::to_string(link) + of + " " + where);
        }
        if (XScrollBar* bar = talk->GetScrollBar(); bar != nullptr && bar->CanScroll()) {
            RECT rc{};
            bar->GetWindowRect(rc);
            places.push_back("scroll bar" + of + " at " + Span(rc) + ", its thumb at " +
                             Span(bar->GetThumbRect()));
        }
        if (wnd->GetID() == kLogWnd) {
            if (XWindow* note = wnd->FindWindowByID(kNoteWnd)) {
                RECT rc{};
                note->GetWindowRect(rc);
                places.push_back("note box" + of + " at " + Span(rc));
            }
        }
    }
    return places;
}

bool OverLink(int32_t x, int32_t y)
{
    XDesktop* desktop = XDesktop::GetInstance();
    const POINT pt{x, y};
    XWindow* top = desktop->TopLevelAt(pt);
    auto* items = dynamic_cast<XItemContainer*>(top != nullptr ? top->HitTest(pt) : nullptr);
    return panelkit::LinkAt(items, pt).has_value();
}

}  // namespace orvane::view
