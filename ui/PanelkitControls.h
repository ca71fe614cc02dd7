// The toolkit's compound controls: the scroll bar, the talk control and
// the item container that lays out its lines.
// Included by ui/Panelkit.h, the one header to include; the rules written
// there hold here: no inline code, no standard-library type.
#pragma once

#include <cstdint>

#include "platform/Win32.h"
#include "ui/PanelkitApi.h"
#include "ui/PanelkitWindow.h"

struct XItemContainerData;
struct XScrollBarData;

// ---------------------------------------------------------------------------
// Controls

// A vertical scroll bar: an arrow at each end, a track and a thumb whose
// place and length show which part of the content is in view. A press on
// an arrow moves one row, on the track beside the thumb one view (less a
// row), and the thumb follows a drag; the desktop's wheel moves three rows a
// notch.
class PANELKIT_API XScrollBar : public XWindow {
public:
    explicit XScrollBar(XWindow* parent);
    ~XScrollBar() override;
    // The bar's size in pixels (width cx, height cy); 16 wide by default.
    void GetSize(SIZE& size);
    void SetSize(const SIZE& size);
    // Recomputes the thumb from the content and viewport heights.
    void Refresh();
    void SetRange(int32_t contentHeight, int32_t viewHeight);
    int32_t GetPosition();
    void SetPosition(int32_t pos);
    // Moves by rows rows (negative: up) of the owning control's text.
    void ScrollRows(int32_t rows);
    // Whether there is more content than view, so the bar can move it.
    BOOL CanScroll();
    // The thumb's rectangle in desktop coordinates; empty when the bar
    // cannot scroll.
    RECT GetThumbRect();
    BOOL OnMouseDown(uint32_t a, uint32_t b, POINT pt) override;
    BOOL OnMouseMove(uint32_t a, uint32_t b, POINT pt) override;
    BOOL OnMouseUp(uint32_t a, uint32_t b, POINT pt) override;
    void OnDraw(ICanvas* canvas, RECT& rc) override;
    const char* GetClassName() override;

private:
    SIZE m_size;
    int32_t m_nContent;
    int32_t m_nView;
    int32_t m_nPos;
    int32_t m_nRefreshCount;
    int32_t m_nDragGrab;  // where the thumb was taken, from its top; -1: no drag
    // The bar's pictures, made for its current size and kept until the next
    // picture of it is taken.
    XScrollBarData* m_pBarData;
    int32_t RowStep();
    int32_t ArrowHeight();
    RECT TrackRect();
};

// A laid-out line of a talk control as plain data. Texts point into the
// container and stay valid until it changes.
struct XTalkLineInfo {
    const char* markup;  // the line as added
    RECT rect;
    int32_t rows;       // after wrapping
    int32_t fragments;  // plain texts and links
    int32_t pieces;     // the parts of fragments on each row
};

struct XTalkFragmentInfo {
    const char* text;
    BOOL isLink;
    const char* url;  // links only; "" otherwise
    RECT rect;        // bounds all of its pieces, desktop coordinates
};

// The part of a fragment that landed on one row after wrapping.
struct XTalkPieceInfo {
    int32_t fragment;  // index into the line's fragments
    int32_t begin;     // where its bytes start in that fragment's text
    int32_t length;
    RECT rect;  // desktop coordinates
};

// Lays out the lines of a talk control: wrapping, content height.
class PANELKIT_API XItemContainer : public XWindow {
public:
    explicit XItemContainer(XWindow* parent);
    ~XItemContainer() override;
    void SetAutoWrap(int32_t wrap);
    int32_t GetAutoWrap();
    void SetMaxWidth(int32_t width);
    int32_t GetMaxWidth();
    // Sets the height of the visible area; 0 or less: no limit.
    void SetMaxHeight(int32_t height);
    // The height the lines take on screen: every row of every line, but no
    // more than the visible area when it is limited. What lies below it is
    // reached through the scroll bar.
    int32_t GetMaxHeight();
    // The height of every row of every line, visible or not.
    int32_t GetContentHeight();
    int32_t GetViewHeight();
    // The height of one row: the font's text height.
    int32_t GetRowHeight();
    int32_t GetScrollOffset();
    void AddLine(const char* markup);
    void Clear();
    int32_t GetLineCount();
    // A line, one of its fragments, one of its pieces; false when an index is
    // out of range.
    BOOL GetLineInfo(int32_t line, XTalkLineInfo& info);
    BOOL GetFragmentInfo(int32_t line, int32_t fragment, XTalkFragmentInfo& info);
    BOOL GetPieceInfo(int32_t line, int32_t piece, XTalkPieceInfo& info);
    // Lays the lines out again from the current rectangle and width.
    void Layout();
    void SetScrollOffset(int32_t offset);
    void SetWindowPos(RECT& rc) override;
    void MoveWindow(int32_t dx, int32_t dy) override;
    BOOL OnMouseDown(uint32_t a, uint32_t b, POINT pt) override;
    BOOL OnMouseUp(uint32_t a, uint32_t b, POINT pt) override;
    void OnDraw(ICanvas* canvas, RECT& rc) override;
    const char* GetClassName() override;
    // The link under the point; false when there is none.
    BOOL LinkAt(POINT pt, XTalkFragmentInfo& info);
    // The link under the mouse, drawn in the hover colour; false when none.
    BOOL HoveredLink(XTalkFragmentInfo& info);

private:
    XItemContainerData* m_pItemData;  // the lines, the pressed link's url
    int32_t m_bAutoWrap;
    int32_t m_nMaxWidth;
    int32_t m_nViewHeight;
    int32_t m_nContentHeight;
    int32_t m_nScroll;
    int64_t m_nTotalRows;    // rows laid out so far
    ITTFont* m_pLayoutFont;  // the font those rows were measured with
    bool m_bLinkPressed;
    int32_t m_nPressedLine;
    int32_t m_nPressedFragment;
    // The (line, fragment) of the link under the point; false when none.
    bool FindLink(POINT pt, int32_t& line, int32_t& fragment);
    // The (line, fragment) of the link under the mouse; false when none.
    bool FindHoveredLink(int32_t& line, int32_t& fragment);
    int32_t RowHeight();
    // Places one line (of m_pItemData's) below the rows laid out so far.
    void LayoutLine(int32_t index);
};

// A rich-text control: lines with link markup, an item container and a
// scroll bar. Link markup: <link url="N" underline="0">text</link>.
class PANELKIT_API XTalk : public XWindow {
public:
    explicit XTalk(XWindow* parent);
    ~XTalk() override;
    // Appends one rich-text line.
    void AddLine(const char* markup);
    void Clear();
    XItemContainer* GetItemContainer();
    // The scroll bar, or null when the control has none.
    XScrollBar* GetScrollBar();
    // Called with the link's url text when a link is clicked.
    virtual void OnTaskTextClick(const char* url);
    void SetWindowPos(RECT& rc) override;
    const char* GetClassName() override;
    // Ends the scroll bar (a description with "scrollbar": "0"); the item
    // container then takes the whole control.
    void RemoveScrollBar();

protected:
    XItemContainer* m_pItems;
    XScrollBar* m_pScrollBar;

private:
    void SyncScrollBar();
};
