#include <utility>

#include "ui/Panelkit.h"

IBitmap::~IBitmap() = default;

XImage::XImage(int32_t width, int32_t height, std::vector<uint8_t> rgba)
    : m_nWidth(width),
      m_nHeight(height),
      m_pixels(std::make_shared<const std::vector<uint8_t>>(std::move(rgba)))
{
}

XImage::XImage(int32_t width, int32_t height, std::shared_ptr<const std::vector<uint8_t>> rgba)
    : m_nWidth(width), m_nHeight(height), m_pixels(std::move(rgba))
{
}

XImage::~XImage() = default;

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

const std::vector<uint8_t>& XImage::GetPixels() const
{
    return *m_pixels;
}
