// The headless canvas: it keeps what was drawn so that tests and the host's
// dumps can read it back.
#include "ui/Panelkit.h"

ICanvas::~ICanvas() = default;

XRecordingCanvas::XRecordingCanvas() = default;

XRecordingCanvas::~XRecordingCanvas() = default;

void XRecordingCanvas::DrawString(ITTFont* font, int32_t x, int32_t y, const char* text,
                                  WPixel color, const RECT* clip, int32_t flag)
{
    Item item{};
    item.isText = true;
    item.x = x;
    item.y = y;
    item.text = text != nullptr ? text : "";
    item.color = color;
    if (clip != nullptr)
        item.clip = *clip;
    item.bitmap = nullptr;
    item.flag = flag;
    item.font = font;
    m_items.push_back(std::move(item));
}

void XRecordingCanvas::DrawBitmap(IBitmap* bitmap, int32_t x, int32_t y, int32_t flag)
{
    // Nothing to record for a missing picture.
    if (bitmap == nullptr)
        return;
    Item item{};
    item.isText = false;
    item.x = x;
    item.y = y;
    item.color = 0;
    item.bitmap = bitmap;
    item.width = bitmap->GetWidth();
    item.height = bitmap->GetHeight();
    item.flag = flag;
    item.font = nullptr;
    m_items.push_back(std::move(item));
}

const std::vector<XRecordingCanvas::Item>& XRecordingCanvas::Items() const
{
    return m_items;
}

void XRecordingCanvas::Clear()
{
    m_items.clear();
}
