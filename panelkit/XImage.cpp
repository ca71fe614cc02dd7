#include <cstring>
#include <utility>

#include "panelkit/Internals.h"
#include "ui/Panelkit.h"

IBitmap::~IBitmap() = default;

XImage::XImage(int32_t width, int32_t height, const uint8_t* rgba)
    : m_nWidth(width), m_nHeight(height), m_pData(new XImageData())
{
    const size_t bytes =
        width > 0 && height > 0 ? static_cast<size_t>(width) * static_cast<size_t>(height) * 4 : 0;
    std::vector<uint8_t> pixels(bytes);
    if (bytes > 0 && rgba != nullptr)
        std::memcpy(pixels.data(), rgba, bytes);
    m_pData->rgba = std::make_shared<const std::vector<uint8_t>>(std::move(pixels));
}

XImage::XImage(int32_t width, int32_t height, XImageData* data)
    : m_nWidth(width), m_nHeight(height), m_pData(data)
{
}

XImage::~XImage()
{
    delete m_pData;
}

int32_t XImage::GetWidth()
{
    return m_nWidth;
}

int32_t XImage::GetHeight()
{
    return m_nHeight;
}

void XImage::Draw(ICanvas* canvas, int32_t x, int32_t y, int32_t flag)
{
    if (canvas != nullptr)
        canvas->DrawBitmap(this, x, y, flag);
}

const uint8_t* XImage::GetPixels() const
{
    return m_pData->rgba->data();
}

XImage* panelkit::MakeSharedImage(int32_t width, int32_t height,
                                  std::shared_ptr<const std::vector<uint8_t>> rgba)
{
    auto data = std::make_unique<XImageData>();
    data->rgba = std::move(rgba);
    XImage* image = new XImage(width, height, data.get());
    data.release();
    return image;
}
