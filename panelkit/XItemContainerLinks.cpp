// The links of a talk control's container: the one under a point or the
// mouse, a press and release on one (a click hands its url to the talk
// control), and drawing the lines with their links in the link colours.
#include <string>

#include "panelkit/Internals.h"
#include "panelkit/TextPainter.h"
#include "panelkit/TextUtil.h"
#include "panelkit/WindowState.h"
#include "ui/Panelkit.h"

namespace {

// Links are drawn in yellow (RGB 5-6-5, panelkit::kLinkColor) so that they
// stand out from the text, and underlined; the one under the mouse in the
// hover colour.
using panelkit::kLinkColor;
using panelkit::kLinkHoverColor;

bool Intersects(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

bool XItemContainer::FindLink(POINT pt, int32_t& line, int32_t& fragment)
{
    // Only the visible part of the container takes clicks.
    if (!panelkit::RectContains(m_rcWindow, pt))
        return false;
    for (size_t l = 0; l < m_pItemData->lines.size(); ++l) {
        const XTalkLine& current = m_pItemData->lines[l];
        for (const XTalkPiece& piece : current.pieces) {
            const XTalkFragment& owner = current.fragments[static_cast<size_t>(piece.fragment)];
            if (owner.isLink && panelkit::RectContains(piece.rect, pt)) {
                line = static_cast<int32_t>(l);
                fragment = piece.fragment;
                return true;
            }
        }
    }
    return false;
}

bool XItemContainer::FindHoveredLink(int32_t& line, int32_t& fragment)
{
    XDesktop* desktop = GetDesktop();
    if (desktop->GetMouseWindow() != this || !panelkit::AcceptsInput(this))
        return false;
    return FindLink(desktop->GetLastMousePoint(), line, fragment);
}

BOOL XItemContainer::HoveredLink(XTalkFragmentInfo& info)
{
    int32_t line = -1;
    int32_t fragment = -1;
    if (!FindHoveredLink(line, fragment))
        return FALSE;
    return GetFragmentInfo(line, fragment, info);
}

BOOL XItemContainer::LinkAt(POINT pt, XTalkFragmentInfo& info)
{
    int32_t line = -1;
    int32_t fragment = -1;
    if (!FindLink(pt, line, fragment))
        return FALSE;
    return GetFragmentInfo(line, fragment, info);
}

BOOL XItemContainer::OnMouseDown(uint32_t a, uint32_t b, POINT pt)
{
    if (a != 1)
        return XWindow::OnMouseDown(a, b, pt);
    m_bLinkPressed = FindLink(pt, m_nPressedLine, m_nPressedFragment);
    m_pItemData->pressedUrl.clear();
    if (m_bLinkPressed) {
        m_pItemData->pressedUrl = m_pItemData->lines[static_cast<size_t>(m_nPressedLine)]
                                      .fragments[static_cast<size_t>(m_nPressedFragment)]
                                      .url;
    }
    GetDesktop()->SetCaptureWindow(this);
    return TRUE;
}

BOOL XItemContainer::OnMouseUp(uint32_t a, uint32_t b, POINT pt)
{
    if (a != 1 || !m_bLinkPressed)
        return XWindow::OnMouseUp(a, b, pt);
    m_bLinkPressed = false;
    int32_t line = -1;
    int32_t fragment = -1;
    if (!panelkit::AcceptsInput(this) || !FindLink(pt, line, fragment) || line != m_nPressedLine ||
        fragment != m_nPressedFragment)
        return FALSE;
    XTalk* talk = dynamic_cast<XTalk*>(GetParent());
    if (talk == nullptr)
        return FALSE;
    // The handler may end the whole window: keep the url on the stack and
    // touch nothing of this container afterwards.
    const std::string url = m_pItemData->pressedUrl;
    talk->OnTaskTextClick(url.c_str());
    return TRUE;
}

void XItemContainer::OnDraw(ICanvas* canvas, RECT& rc)
{
    if (canvas == nullptr)
        return;
    ITTFont* font = GetFont();
    RECT clip = m_rcWindow;
    int32_t hoveredLine = -1;
    int32_t hoveredFragment = -1;
    const XTalkFragment* hovered = nullptr;
    if (FindHoveredLink(hoveredLine, hoveredFragment))
        hovered = &m_pItemData->lines[static_cast<size_t>(hoveredLine)]
                       .fragments[static_cast<size_t>(hoveredFragment)];
    for (const XTalkLine& line : m_pItemData->lines) {
        for (const XTalkPiece& piece : line.pieces) {
            if (!Intersects(piece.rect, clip))
                continue;
            const XTalkFragment& owner = line.fragments[static_cast<size_t>(piece.fragment)];
            const std::string text = line.PieceText(piece);
            if (!owner.isLink) {
                canvas->DrawString(font, piece.rect.left, piece.rect.top, text.c_str(),
                                   GetForeColor(), &clip, 1);
                continue;
            }
            canvas->DrawString(font, piece.rect.left, piece.rect.top, text.c_str(),
                               &owner == hovered ? kLinkHoverColor : kLinkColor, &clip,
                               1 | panelkit::kDrawUnderline);
        }
    }
    XWindow::OnDraw(canvas, rc);
}
