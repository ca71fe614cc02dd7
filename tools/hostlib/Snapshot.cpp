// A picture of the desktop for the snapshot op. The toolkit draws onto a
// recording canvas; this replays what it recorded onto pixels: bitmaps from
// their own pixels, texts through the toolkit's text painter in the text's
// colour (underlined when drawn so), and on request a thin frame around every
// visible window.
#include <algorithm>
#include <cstdio>

#include "host/FileSystem.h"
#include "panelkit/TextPainter.h"
#include "panelkit/Views.h"
#include "tools/hostlib/DesktopPicture.h"
#include "tools/hostlib/Pixels.h"
#include "tools/hostlib/Session.h"
#include "ui/Panelkit.h"

#if defined(__GNUC__) || defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#endif
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include "stb_image_write.h"
#if defined(__GNUC__) || defined(__clang__)
#pragma GCC diagnostic pop
#endif

namespace orvane::hostprog {

namespace {

void DrawBitmap(Pixels& px, const panelkit::DrawnItem& item)
{
    auto* image = dynamic_cast<XImage*>(item.bitmap);
    if (image == nullptr)
        return;
    const std::vector<uint8_t> src = panelkit::PixelsOf(*image);
    const int32_t w = image->GetWidth();
    const int32_t h = image->GetHeight();
    if (w <= 0 || h <= 0 || src.size() < static_cast<size_t>(w) * static_cast<size_t>(h) * 4)
        return;
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            const uint8_t* s =
                &src[(static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)) *
                     4];
            px.Blend(item.x + x, item.y + y, Rgb{s[0], s[1], s[2]}, s[3]);
        }
    }
}

void DrawText(Pixels& px, const panelkit::DrawnItem& item)
{
    PaintGbk(px, item.font, item.x, item.y, item.text.c_str(), FromWPixel(item.color), item.clip,
             (item.flag & panelkit::kDrawUnderline) != 0);
}

void DrawFrames(Pixels& px, XWindow* wnd, int depth)
{
    if (!wnd->IsVisible() || depth > 64)
        return;
    RECT rc{};
    wnd->GetWindowRect(rc);
    if (depth == 0)
        px.Frame(rc, Rgb{230, 230, 230});
    else
        px.Frame(rc, Rgb{120, 160, 220});
    for (int32_t i = 0; i < wnd->GetChildCount(); ++i)
        DrawFrames(px, wnd->GetChild(i), depth + 1);
}

std::string SnapshotPath(const std::string& path, const std::string& workDir)
{
    for (const char* prefix : {"$WORKDIR/", "$WORKDIR\\"}) {
        if (path.rfind(prefix, 0) == 0)
            return host::files::Join(workDir, path.substr(9));
    }
    return path;
}

}  // namespace

DesktopPicture DrawDesktop(bool frames, TextLayer texts)
{
    XDesktop* desktop = XDesktop::GetInstance();
    RECT area{};
    desktop->GetWindowRect(area);
    Pixels px = Pixels::Filled(area.right - area.left, area.bottom - area.top, Rgb{40, 44, 52});
    // Bottom to top, as the windows are stacked.
    for (int32_t i = 0; i < desktop->GetChildCount(); ++i) {
        XWindow* wnd = desktop->GetChild(i);
        if (!wnd->IsVisible())
            continue;
        // Each window is opaque, so the stacking shows.
        RECT rc{};
        wnd->GetWindowRect(rc);
        px.Fill(rc, Rgb{58, 62, 72}, area);
        XRecordingCanvas canvas;
        wnd->Paint(&canvas);
        for (const panelkit::DrawnItem& item : panelkit::DrawnItems(canvas)) {
            if (!item.isText)
                DrawBitmap(px, item);
            else if (texts == TextLayer::Drawn)
                DrawText(px, item);
        }
        if (frames)
            DrawFrames(px, wnd, 0);
    }
    return px;
}

bool WritePicture(const DesktopPicture& picture, const std::string& path)
{
    // Encoded in memory and written through the host's file operations,
    // which take any path the file system does.
    std::vector<uint8_t> png;
    auto append = [](void* context, void* data, int size) {
        auto* out = static_cast<std::vector<uint8_t>*>(context);
        const auto* bytes = static_cast<const uint8_t*>(data);
        out->insert(out->end(), bytes, bytes + size);
    };
    const bool encoded = stbi_write_png_to_func(append, &png, picture.width, picture.height, 4,
                                                picture.rgba.data(), picture.width * 4) != 0;
    if (!encoded)
        return false;
    std::FILE* file = host::files::Open(path, "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}

void Session::RunSnapshot(const Op& op)
{
    const DesktopPicture picture = DrawDesktop(m_pictures.frames);
    if (!WritePicture(picture, SnapshotPath(op.path, m_workDir)))
        throw LineFault{"the picture cannot be written to " + op.path};
    Event ev;
    ev["ev"] = "snapshot";
    ev["path"] = op.path;
    ev["width"] = picture.width;
    ev["height"] = picture.height;
    Emit(ev);
}

void Session::SnapshotIfChanged(int32_t line)
{
    if (m_pictures.snapshotDir.empty())
        return;
    DesktopPicture picture = DrawDesktop(m_pictures.frames);
    if (picture.rgba == m_lastPicture)
        return;
    char name[48];
    std::snprintf(name, sizeof name, "%04d-line%d.png", ++m_snapshotCount, line);
    const std::string& dir = m_pictures.snapshotDir;
    host::files::MakeFolders(dir);
    if (!WritePicture(picture, host::files::Join(dir, name)))
        throw LineFault{std::string("the picture cannot be written to ") + dir + "/" + name};
    m_lastPicture = std::move(picture.rgba);
}

}  // namespace orvane::hostprog
