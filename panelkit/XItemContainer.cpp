// Lays out the lines of a talk control. Lines are stacked from the top of
// the container, each line's fragments flow left to right, and with
// auto-wrap on a row ends where the common line-breaking rules allow
// (panelkit/LineBreak.h) before the maximum width. Rows are as high as the
// container font's text height (16 for the default 12-pixel font).
// Positions are desktop coordinates, shifted up by the scroll offset.
// Links, their clicks and drawing are in XItemContainerLinks.cpp.
#include <algorithm>

#include "panelkit/Internals.h"
#include "panelkit/LineBreak.h"
#include "panelkit/LinkMarkup.h"
#include "panelkit/TextUtil.h"
#include "ui/Panelkit.h"

namespace {

// A new width or view height changes what the owning talk control's scroll
// bar shows; the bar reads both afresh when refreshed.
void RefreshOwnerBar(XItemContainer* items)
{
    XTalk* talk = dynamic_cast<XTalk*>(items->GetParent());
    if (talk != nullptr && talk->GetItemContainer() == items && talk->GetScrollBar() != nullptr)
        talk->GetScrollBar()->Refresh();
}

int32_t CharWidth(ITTFont* font, const char* text, size_t length)
{
    char buffer[3] = {0, 0, 0};
    for (size_t i = 0; i < length && i < 2; ++i)
        buffer[i] = text[i];
    return font->GetTextWidth(buffer);
}

// The characters of all fragments of a line in one run, so that the rules
// of where a row may end see across a link's edge. Two allocations a line,
// whatever its length or its rows.
void MeasureUnits(const XTalkLine& line, ITTFont* font, std::vector<panelkit::TextUnit>& units)
{
    size_t bytes = 0;
    for (const XTalkFragment& fragment : line.fragments)
        bytes += fragment.text.size();
    units.reserve(bytes);
    for (size_t f = 0; f < line.fragments.size(); ++f) {
        const std::string& text = line.fragments[f].text;
        for (size_t pos = 0; pos < text.size();) {
            const size_t step = panelkit::GbkCharLength(text.c_str(), text.size(), pos);
            units.push_back({CharWidth(font, text.c_str() + pos, step),
                             panelkit::ClassOf(text.c_str() + pos, step),
                             static_cast<uint8_t>(step), static_cast<uint32_t>(f),
                             static_cast<uint32_t>(pos)});
            pos += step;
        }
    }
}

// The rectangle around a fragment's pieces, from firstPiece to the line's last.
RECT BoundPieces(const XTalkLine& line, size_t firstPiece)
{
    RECT rect = line.pieces[firstPiece].rect;
    for (size_t p = firstPiece + 1; p < line.pieces.size(); ++p) {
        const RECT& r = line.pieces[p].rect;
        rect.left = std::min(rect.left, r.left);
        rect.right = std::max(rect.right, r.right);
        rect.bottom = std::max(rect.bottom, r.bottom);
    }
    return rect;
}

}  // namespace

XItemContainer::XItemContainer(XWindow* parent)
    : XWindow(parent),
      m_pItemData(new XItemContainerData()),
      m_bAutoWrap(0),
      m_nMaxWidth(0),
      m_nViewHeight(0),
      m_nContentHeight(0),
      m_nScroll(0),
      m_nTotalRows(0),
      m_pLayoutFont(nullptr),
      m_bLinkPressed(false),
      m_nPressedLine(-1),
      m_nPressedFragment(-1)
{
}

XItemContainer::~XItemContainer()
{
    delete m_pItemData;
}

void XItemContainer::SetAutoWrap(int32_t wrap)
{
    m_bAutoWrap = wrap;
    Layout();
}

int32_t XItemContainer::GetAutoWrap()
{
    return m_bAutoWrap;
}

void XItemContainer::SetMaxWidth(int32_t width)
{
    m_nMaxWidth = width;
    Layout();
    RefreshOwnerBar(this);
}

int32_t XItemContainer::GetMaxWidth()
{
    return m_nMaxWidth;
}

void XItemContainer::SetMaxHeight(int32_t height)
{
    m_nViewHeight = std::max<int32_t>(height, 0);
    InvalidRect(nullptr);
    RefreshOwnerBar(this);
}

int32_t XItemContainer::GetMaxHeight()
{
    return m_nViewHeight > 0 ? std::min(m_nContentHeight, m_nViewHeight) : m_nContentHeight;
}

int32_t XItemContainer::GetContentHeight()
{
    return m_nContentHeight;
}

int32_t XItemContainer::GetRowHeight()
{
    return RowHeight();
}

int32_t XItemContainer::GetScrollOffset()
{
    return m_nScroll;
}

int32_t XItemContainer::GetViewHeight()
{
    return m_nViewHeight;
}

void XItemContainer::AddLine(const char* markup)
{
    if (markup == nullptr)
        return;
    XTalkLine line{};
    line.markup = markup;
    line.fragments = panelkit::ParseLinkMarkup(line.markup);
    line.rows = 1;
    m_pItemData->lines.push_back(std::move(line));
    // Only the new line needs a place, unless the font changed since the
    // others were laid out.
    if (m_pLayoutFont != GetFont()) {
        Layout();
        return;
    }
    LayoutLine(GetLineCount() - 1);
    InvalidRect(nullptr);
}

void XItemContainer::Clear()
{
    m_pItemData->lines.clear();
    m_nScroll = 0;
    m_bLinkPressed = false;
    Layout();
}

int32_t XItemContainer::GetLineCount()
{
    return static_cast<int32_t>(m_pItemData->lines.size());
}

namespace {

void FragmentInfo(const XTalkFragment& fragment, XTalkFragmentInfo& info)
{
    info.text = fragment.text.c_str();
    info.isLink = fragment.isLink ? TRUE : FALSE;
    info.url = fragment.url.c_str();
    info.rect = fragment.rect;
}

}  // namespace

BOOL XItemContainer::GetLineInfo(int32_t line, XTalkLineInfo& info)
{
    if (line < 0 || line >= GetLineCount())
        return FALSE;
    const XTalkLine& current = m_pItemData->lines[static_cast<size_t>(line)];
    info.markup = current.markup.c_str();
    info.rect = current.rect;
    info.rows = current.rows;
    info.fragments = static_cast<int32_t>(current.fragments.size());
    info.pieces = static_cast<int32_t>(current.pieces.size());
    return TRUE;
}

BOOL XItemContainer::GetFragmentInfo(int32_t line, int32_t fragment, XTalkFragmentInfo& info)
{
    if (line < 0 || line >= GetLineCount())
        return FALSE;
    const XTalkLine& current = m_pItemData->lines[static_cast<size_t>(line)];
    if (fragment < 0 || static_cast<size_t>(fragment) >= current.fragments.size())
        return FALSE;
    FragmentInfo(current.fragments[static_cast<size_t>(fragment)], info);
    return TRUE;
}

BOOL XItemContainer::GetPieceInfo(int32_t line, int32_t piece, XTalkPieceInfo& info)
{
    if (line < 0 || line >= GetLineCount())
        return FALSE;
    const XTalkLine& current = m_pItemData->lines[static_cast<size_t>(line)];
    if (piece < 0 || static_cast<size_t>(piece) >= current.pieces.size())
        return FALSE;
    const XTalkPiece& found = current.pieces[static_cast<size_t>(piece)];
    info = XTalkPieceInfo{found.fragment, found.begin, found.length, found.rect};
    return TRUE;
}

int32_t XItemContainer::RowHeight()
{
    ITTFont* font = GetFont();
    return font->GetTextHeight() > 0 ? font->GetTextHeight() : 16;
}

void XItemContainer::Layout()
{
    m_pLayoutFont = GetFont();
    m_nTotalRows = 0;
    m_nContentHeight = 0;
    for (int32_t index = 0; index < GetLineCount(); ++index)
        LayoutLine(index);
    InvalidRect(nullptr);
}

void XItemContainer::LayoutLine(int32_t index)
{
    XTalkLine& line = m_pItemData->lines[static_cast<size_t>(index)];
    ITTFont* font = GetFont();
    const int32_t rowHeight = RowHeight();
    const bool wrap = m_bAutoWrap != 0 && m_nMaxWidth > 0;
    const int32_t left = m_rcWindow.left;
    // Lines stack below the rows laid out so far; coordinates stay in range
    // however many rows there are.
    const int64_t top = int64_t{m_rcWindow.top} - m_nScroll + m_nTotalRows * rowHeight;
    int32_t rowTop = static_cast<int32_t>(std::clamp<int64_t>(top, INT32_MIN / 2, INT32_MAX / 2));
    line.pieces.clear();
    const int32_t lineTop = rowTop;

    std::vector<panelkit::TextUnit> units;
    MeasureUnits(line, font, units);
    std::vector<size_t> starts;
    panelkit::RowStarts(units, wrap ? m_nMaxWidth : 0, starts);

    int32_t x = 0;
    int32_t widest = 0;
    size_t nextRow = 1;
    size_t u = 0;
    for (size_t f = 0; f < line.fragments.size(); ++f) {
        XTalkFragment& fragment = line.fragments[f];
        const size_t firstPiece = line.pieces.size();
        for (; u < units.size() && units[u].piece == f; ++u) {
            if (nextRow < starts.size() && u == starts[nextRow]) {
                ++nextRow;
                x = 0;
                rowTop += rowHeight;
            }
            // Spaces at a row's end hang past its edge and take no room there.
            int32_t width = units[u].width;
            if (wrap && units[u].cls == panelkit::BreakClass::Space)
                width = std::clamp(m_nMaxWidth - x, 0, width);
            if (line.pieces.size() == firstPiece || line.pieces.back().rect.top != rowTop) {
                line.pieces.push_back(
                    XTalkPiece{static_cast<int32_t>(f), static_cast<int32_t>(units[u].begin), 0,
                               RECT{left + x, rowTop, left + x, rowTop + rowHeight}});
            }
            XTalkPiece& piece = line.pieces.back();
            piece.length += static_cast<int32_t>(units[u].length);
            piece.rect.right += width;
            x += width;
            widest = std::max(widest, x);
        }
        if (line.pieces.size() == firstPiece) {
            // Empty text: a zero-width spot where it would have been.
            fragment.rect = RECT{left + x, rowTop, left + x, rowTop + rowHeight};
            continue;
        }
        fragment.rect = BoundPieces(line, firstPiece);
    }
    const int32_t rows = static_cast<int32_t>(starts.size());
    line.rows = rows;
    line.rect = RECT{left, lineTop, left + widest, lineTop + rows * rowHeight};
    m_nTotalRows += rows;
    const int64_t height = m_nTotalRows * rowHeight;
    m_nContentHeight = height > INT32_MAX ? INT32_MAX : static_cast<int32_t>(height);
}

void XItemContainer::SetScrollOffset(int32_t offset)
{
    const int32_t maxOffset = std::max<int32_t>(m_nContentHeight - m_nViewHeight, 0);
    const int32_t scroll = std::clamp<int32_t>(offset, 0, maxOffset);
    // A scroll bar refreshed after every added line keeps its position:
    // nothing moves then.
    if (scroll == m_nScroll)
        return;
    m_nScroll = scroll;
    Layout();
}

void XItemContainer::SetWindowPos(RECT& rc)
{
    XWindow::SetWindowPos(rc);
    Layout();
}

void XItemContainer::MoveWindow(int32_t dx, int32_t dy)
{
    XWindow::MoveWindow(dx, dy);
    Layout();
}

const char* XItemContainer::GetClassName()
{
    return "itemcontainer";
}
