// The toolkit's plain accessors as standard containers, for our own host
// programs and tests. Everything here is inline: the containers are built on
// the caller's side, and none crosses the toolkit's DLL boundary.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "panelkit/TalkLine.h"
#include "ui/Panelkit.h"

namespace panelkit {

// The top-level windows with that id, oldest first.
inline std::vector<XWindow*> TopLevelWindows(int32_t id)
{
    std::vector<XWindow*> found;
    XDesktop* desktop = XDesktop::GetInstance();
    for (int32_t nth = 0; XWindow* wnd = desktop->FindTopLevel(id, nth); ++nth)
        found.push_back(wnd);
    return found;
}

// Every top-level window, in the order of XDesktop::GetWindowAt.
inline std::vector<XWindow*> TopLevelWindows()
{
    std::vector<XWindow*> all;
    XDesktop* desktop = XDesktop::GetInstance();
    for (int32_t i = 0; XWindow* wnd = desktop->GetWindowAt(i); ++i)
        all.push_back(wnd);
    return all;
}

inline XTalkFragment FragmentOf(const XTalkFragmentInfo& info)
{
    return XTalkFragment{info.text, info.isLink != FALSE, info.url, info.rect};
}

// A line of a talk control's container; nullopt when index is out of range.
inline std::optional<XTalkLine> LineOf(XItemContainer* items, int32_t index)
{
    XTalkLineInfo info{};
    if (items == nullptr || !items->GetLineInfo(index, info))
        return std::nullopt;
    XTalkLine line{info.markup, {}, info.rect, info.rows, {}};
    for (int32_t i = 0; i < info.fragments; ++i) {
        XTalkFragmentInfo fragment{};
        items->GetFragmentInfo(index, i, fragment);
        line.fragments.push_back(FragmentOf(fragment));
    }
    for (int32_t i = 0; i < info.pieces; ++i) {
        XTalkPieceInfo piece{};
        items->GetPieceInfo(index, i, piece);
        line.pieces.push_back(XTalkPiece{piece.fragment, piece.begin, piece.length, piece.rect});
    }
    return line;
}

// The link under the point, or nullopt.
inline std::optional<XTalkFragment> LinkAt(XItemContainer* items, POINT pt)
{
    XTalkFragmentInfo info{};
    if (items == nullptr || !items->LinkAt(pt, info))
        return std::nullopt;
    return FragmentOf(info);
}

// What was drawn on a recording canvas, with the texts as strings.
struct DrawnItem {
    bool isText;
    int32_t x;
    int32_t y;
    std::string text;
    WPixel color;
    RECT clip;
    IBitmap* bitmap;
    int32_t width;
    int32_t height;
    int32_t flag;
    ITTFont* font;
};

inline std::vector<DrawnItem> DrawnItems(const XRecordingCanvas& canvas)
{
    std::vector<DrawnItem> items;
    XDrawItem item{};
    for (int32_t i = 0; canvas.GetItem(i, item); ++i)
        items.push_back(DrawnItem{item.isText != FALSE, item.x, item.y, item.text, item.color,
                                  item.clip, item.bitmap, item.width, item.height, item.flag,
                                  item.font});
    return items;
}

// A bitmap's pixels, 4 bytes each.
inline std::vector<uint8_t> PixelsOf(const XImage& image)
{
    XImage& bitmap = const_cast<XImage&>(image);
    const uint8_t* pixels = image.GetPixels();
    const size_t bytes =
        static_cast<size_t>(bitmap.GetWidth()) * static_cast<size_t>(bitmap.GetHeight()) * 4;
    return std::vector<uint8_t>(pixels, pixels + bytes);
}

}  // namespace panelkit
