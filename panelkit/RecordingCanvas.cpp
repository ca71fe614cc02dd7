// The headless canvas: it keeps what was drawn so that tests and the host's
// dumps can read it back.
#include "panelkit/Internals.h"
#include "ui/Panelkit.h"

ICanvas::~ICanvas() = default;

XRecordingCanvas::XRecordingCanvas() : m_pData(new XCanvasData()) {}

XRecordingCanvas::~XRecordingCanvas()
{
    delete m_pData;
}

void XRecordingCanvas::DrawString(ITTFont* font, int32_t x, int32_t y, const char* text,
                                  WPixel color, const RECT* clip, int32_t flag)
{
    // The text is kept in a string of its own, which never moves.
    m_pData->texts.push_back(std::make_unique<std::string>(text != nullptr ? text : ""));
    XDrawItem item{};
    item.isText = TRUE;
    item.x = x;
    item.y = y;
    item.text = m_pData->texts.back()->c_str();
    item.color = color;
    if (clip != nullptr)
        item.clip = *clip;
    item.bitmap = nullptr;
    item.flag = flag;
    item.font = font;
    m_pData->items.push_back(item);
}

void XRecordingCanvas::DrawBitmap(IBitmap* bitmap, int32_t x, int32_t y, int32_t flag)
{
    // Nothing to record for a missing picture.
    if (bitmap == nullptr)
        return;
    XDrawItem item{};
    item.isText = FALSE;
    item.x = x;
    item.y = y;
    item.text = "";
    item.color = 0;
    item.bitmap = bitmap;
    item.width = bitmap->GetWidth();
    item.height = bitmap->GetHeight();
    item.flag = flag;
    item.font = nullptr;
    m_pData->items.push_back(item);
}

int32_t XRecordingCanvas::GetItemCount() const
{
    return static_cast<int32_t>(m_pData->items.size());
}

BOOL XRecordingCanvas::GetItem(int32_t index, XDrawItem& item) const
{
    if (index < 0 || index >= GetItemCount())
        return FALSE;
    item = m_pData->items[static_cast<size_t>(index)];
    return TRUE;
}

void XRecordingCanvas::Clear()
{
    m_pData->items.clear();
    m_pData->texts.clear();
}
