// The talk control's vertical scroll bar. It keeps the content and viewport
// heights and a position; moving the position scrolls the owning talk
// control's lines. It draws itself from pictures it makes for its size: an
// arrow at each end, the track between them and the thumb on it.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "panelkit/Internals.h"
#include "ui/Panelkit.h"

namespace {

constexpr int32_t kDefaultWidth = 16;
constexpr int32_t kDefaultRow = 16;
constexpr int32_t kMinThumb = 12;
constexpr int32_t kGutter = 4;

struct Colour {
    uint8_t r, g, b, a;
};

constexpr Colour kTrack{22, 15, 10, 230};
constexpr Colour kTrackRim{110, 82, 38, 255};
constexpr Colour kButton{54, 38, 24, 255};
constexpr Colour kGold{214, 176, 90, 255};
constexpr Colour kDimGold{112, 92, 58, 255};
constexpr Colour kThumbDark{128, 94, 42, 255};
constexpr Colour kThumbLight{200, 160, 82, 255};

class Canvas {
public:
    Canvas(int32_t w, int32_t h, Colour fill)
        : m_w(std::max(w, 1)), m_h(std::max(h, 1)), m_px(static_cast<size_t>(m_w) * m_h * 4)
    {
        Fill(0, 0, m_w, m_h, fill);
    }
    void Fill(int32_t l, int32_t t, int32_t r, int32_t b, Colour c)
    {
        for (int32_t y = std::max(t, 0); y < std::min(b, m_h); ++y)
            for (int32_t x = std::max(l, 0); x < std::min(r, m_w); ++x)
                Set(x, y, c);
    }
    void Rim(Colour c)
    {
        Fill(0, 0, m_w, 1, c);
        Fill(0, m_h - 1, m_w, m_h, c);
        Fill(0, 0, 1, m_h, c);
        Fill(m_w - 1, 0, m_w, m_h, c);
    }
    void Set(int32_t x, int32_t y, Colour c)
    {
        uint8_t* p = &m_px[(static_cast<size_t>(y) * m_w + x) * 4];
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
        p[3] = c.a;
    }
    // A triangle pointing up or down, centred in the picture.
    void Arrow(bool up, Colour c)
    {
        const int32_t half = std::max(m_w / 4, 2);
        const int32_t top = (m_h - half) / 2;
        for (int32_t row = 0; row < half; ++row) {
            const int32_t span = up ? row : half - 1 - row;
            Fill(m_w / 2 - span - 1, top + row, m_w / 2 + span + 1, top + row + 1, c);
        }
    }
    std::unique_ptr<IBitmap> Image()
    {
        return std::unique_ptr<IBitmap>(panelkit::MakeSharedImage(
            m_w, m_h, std::make_shared<const std::vector<uint8_t>>(std::move(m_px))));
    }
    int32_t Width() const { return m_w; }
    int32_t Height() const { return m_h; }

private:
    int32_t m_w;
    int32_t m_h;
    std::vector<uint8_t> m_px;
};

Colour Mix(Colour a, Colour b, int32_t num, int32_t den)
{
    auto m = [&](uint8_t x, uint8_t y) {
        return static_cast<uint8_t>(x + (static_cast<int32_t>(y) - x) * num / std::max(den, 1));
    };
    return Colour{m(a.r, b.r), m(a.g, b.g), m(a.b, b.b), 255};
}

XItemContainer* OwnersLines(XScrollBar* bar)
{
    XTalk* talk = dynamic_cast<XTalk*>(bar->GetParent());
    if (talk == nullptr || talk->GetScrollBar() != bar)
        return nullptr;
    return talk->GetItemContainer();
}

}  // namespace

XScrollBar::XScrollBar(XWindow* parent)
    : XWindow(parent),
      m_size{kDefaultWidth, 0},
      m_nContent(0),
      m_nView(0),
      m_nPos(0),
      m_nRefreshCount(0),
      m_nDragGrab(-1),
      m_pBarData(new XScrollBarData())
{
}

XScrollBar::~XScrollBar()
{
    delete m_pBarData;
}

void XScrollBar::GetSize(SIZE& size)
{
    size = m_size;
}

void XScrollBar::SetSize(const SIZE& size)
{
    m_size.cx = std::max<int32_t>(size.cx, 0);
    m_size.cy = std::max<int32_t>(size.cy, 0);
    InvalidRect(nullptr);
}

void XScrollBar::Refresh()
{
    ++m_nRefreshCount;
    // A talk control's bar follows its lines: the content and view heights
    // are read afresh, so a control laid out anew needs nothing else.
    if (XItemContainer* items = OwnersLines(this)) {
        m_nContent = std::max<int32_t>(items->GetContentHeight(), 0);
        m_nView = std::max<int32_t>(items->GetViewHeight(), 0);
    }
    SetPosition(m_nPos);
}

void XScrollBar::SetRange(int32_t contentHeight, int32_t viewHeight)
{
    m_nContent = std::max<int32_t>(contentHeight, 0);
    m_nView = std::max<int32_t>(viewHeight, 0);
    const int32_t maxPos = std::max<int32_t>(m_nContent - m_nView, 0);
    if (m_nPos > maxPos)
        SetPosition(maxPos);
    InvalidRect(nullptr);
}

int32_t XScrollBar::GetPosition()
{
    return m_nPos;
}

void XScrollBar::SetPosition(int32_t pos)
{
    const int32_t maxPos = std::max<int32_t>(m_nContent - m_nView, 0);
    m_nPos = std::clamp<int32_t>(pos, 0, maxPos);
    if (XItemContainer* items = OwnersLines(this))
        items->SetScrollOffset(m_nPos);
    InvalidRect(nullptr);
}

BOOL XScrollBar::CanScroll()
{
    return m_nContent > m_nView && m_nView > 0 ? TRUE : FALSE;
}

int32_t XScrollBar::RowStep()
{
    XItemContainer* items = OwnersLines(this);
    return items != nullptr ? std::max<int32_t>(items->GetRowHeight(), 1) : kDefaultRow;
}

void XScrollBar::ScrollRows(int32_t rows)
{
    const int64_t target = int64_t{m_nPos} + int64_t{rows} * RowStep();
    SetPosition(static_cast<int32_t>(std::clamp<int64_t>(target, 0, INT32_MAX)));
}

int32_t XScrollBar::ArrowHeight()
{
    // Arrows only where they leave a track at least as long as both.
    const int32_t width = m_rcWindow.right - m_rcWindow.left;
    const int32_t height = m_rcWindow.bottom - m_rcWindow.top;
    return width > 0 && height >= 4 * width ? width : 0;
}

RECT XScrollBar::TrackRect()
{
    const int32_t arrow = ArrowHeight();
    return RECT{m_rcWindow.left, m_rcWindow.top + arrow, m_rcWindow.right,
                m_rcWindow.bottom - arrow};
}

RECT XScrollBar::GetThumbRect()
{
    const RECT track = TrackRect();
    const int64_t length = track.bottom - track.top;
    if (!CanScroll() || length <= 0)
        return RECT{track.left, track.top, track.left, track.top};
    const int64_t thumb =
        std::min<int64_t>(std::max<int64_t>(length * m_nView / m_nContent, kMinThumb), length);
    const int64_t maxPos = m_nContent - m_nView;
    const int64_t top = track.top + (length - thumb) * m_nPos / maxPos;
    return RECT{track.left, static_cast<int32_t>(top), track.right,
                static_cast<int32_t>(top + thumb)};
}

BOOL XScrollBar::OnMouseDown(uint32_t a, uint32_t b, POINT pt)
{
    if (a != 1)
        return XWindow::OnMouseDown(a, b, pt);
    // The bar keeps the button until it is released, so a drag may leave it.
    GetDesktop()->SetCaptureWindow(this);
    m_nDragGrab = -1;
    if (!CanScroll())
        return TRUE;
    const int32_t arrow = ArrowHeight();
    const RECT thumb = GetThumbRect();
    const int32_t page = std::max(m_nView - RowStep(), RowStep());
    if (arrow > 0 && pt.y < m_rcWindow.top + arrow)
        ScrollRows(-1);
    else if (arrow > 0 && pt.y >= m_rcWindow.bottom - arrow)
        ScrollRows(1);
    else if (pt.y < thumb.top)
        SetPosition(m_nPos - page);
    else if (pt.y >= thumb.bottom)
        SetPosition(m_nPos + page);
    else
        m_nDragGrab = pt.y - thumb.top;
    return TRUE;
}

BOOL XScrollBar::OnMouseMove(uint32_t a, uint32_t, POINT pt)
{
    if (a != 1 || m_nDragGrab < 0 || !CanScroll())
        return FALSE;
    const RECT track = TrackRect();
    const RECT thumb = GetThumbRect();
    const int64_t travel = (track.bottom - track.top) - (thumb.bottom - thumb.top);
    if (travel <= 0)
        return TRUE;
    const int64_t maxPos = m_nContent - m_nView;
    const int64_t offset = std::clamp<int64_t>(int64_t{pt.y} - m_nDragGrab - track.top, 0, travel);
    // The thumb follows the mouse; the text moves by whole rows, and all the
    // way to its end when the thumb is there.
    const int64_t step = RowStep();
    int64_t pos = (offset * maxPos + travel / 2) / travel;
    pos = offset == travel ? maxPos : (pos + step / 2) / step * step;
    SetPosition(static_cast<int32_t>(std::min(pos, maxPos)));
    return TRUE;
}

BOOL XScrollBar::OnMouseUp(uint32_t a, uint32_t b, POINT pt)
{
    if (a == 1)
        m_nDragGrab = -1;
    return XWindow::OnMouseUp(a, b, pt);
}

void XScrollBar::OnDraw(ICanvas* canvas, RECT& rc)
{
    const RECT track = TrackRect();
    // A gutter on the side of the lines keeps them off the bar; the whole
    // rectangle still takes the mouse.
    const int32_t full = m_rcWindow.right - m_rcWindow.left;
    const int32_t gutter = full > 3 * kGutter ? kGutter : 0;
    XItemContainer* items = OwnersLines(this);
    const bool linesRight = items != nullptr && items->m_rcWindow.left >= m_rcWindow.right;
    const int32_t left = m_rcWindow.left + (linesRight ? 0 : gutter);
    const int32_t width = full - gutter;
    if (canvas == nullptr || width <= 0 || track.bottom <= track.top) {
        XWindow::OnDraw(canvas, rc);
        return;
    }
    const bool live = CanScroll() != FALSE;
    Canvas trackPicture(width, track.bottom - track.top, kTrack);
    trackPicture.Fill(0, 0, 1, trackPicture.Height(), kTrackRim);
    trackPicture.Fill(width - 1, 0, width, trackPicture.Height(), kTrackRim);
    m_pBarData->track = trackPicture.Image();
    m_pBarData->track->Draw(canvas, left, track.top, 0);
    if (const int32_t arrow = ArrowHeight(); arrow > 0) {
        for (bool up : {true, false}) {
            Canvas button(width, arrow, kButton);
            button.Rim(kTrackRim);
            button.Arrow(up, live ? kGold : kDimGold);
            std::unique_ptr<IBitmap>& image = up ? m_pBarData->up : m_pBarData->down;
            image = button.Image();
            image->Draw(canvas, left, up ? m_rcWindow.top : m_rcWindow.bottom - arrow, 0);
        }
    }
    if (live) {
        const RECT thumb = GetThumbRect();
        Canvas picture(width, thumb.bottom - thumb.top, kThumbLight);
        for (int32_t x = 0; x < picture.Width(); ++x)
            picture.Fill(x, 0, x + 1, picture.Height(), Mix(kThumbLight, kThumbDark, x, width));
        picture.Rim(kThumbDark);
        const int32_t mid = picture.Height() / 2;
        for (int32_t dy : {-3, 0, 3})
            picture.Fill(3, mid + dy, width - 3, mid + dy + 1, kTrackRim);
        m_pBarData->thumb = picture.Image();
        m_pBarData->thumb->Draw(canvas, left, thumb.top, 0);
    }
    XWindow::OnDraw(canvas, rc);
}

const char* XScrollBar::GetClassName()
{
    return "scrollbar";
}
