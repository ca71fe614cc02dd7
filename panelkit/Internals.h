// The toolkit's own state behind its classes. Panelkit.h keeps it out of the
// layouts that the module and the game client share, which hold no
// standard-library type: a client built with another C++ library (MSVC's)
// lays those classes out the same way. Internal to the toolkit.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "panelkit/TalkLine.h"
#include "ui/Panelkit.h"

struct XWindowData {
    std::vector<XWindow*> children;
    std::string text;
};

struct XSignalData {
    std::vector<BasicConnection0*> connections;
};

struct XItemContainerData {
    std::vector<XTalkLine> lines;
    std::string pressedUrl;
};

struct XDesktopData {
    // Top-level windows in the order they were added (the children are the
    // stacking order, bottom first).
    std::vector<XWindow*> addOrder;
};

struct XImageData {
    // The pixels never change once decoded: bitmaps of one picture share them.
    std::shared_ptr<const std::vector<uint8_t>> rgba;
};

struct XCanvasData {
    std::vector<XDrawItem> items;
    std::vector<std::unique_ptr<std::string>> texts;  // the items' texts, kept in place
};

struct XImageLoaderData {
    std::string base;
};

struct XScrollBarData {
    // The bar's pictures, made for its current size and kept until the next
    // picture of it is taken.
    std::unique_ptr<IBitmap> track;
    std::unique_ptr<IBitmap> thumb;
    std::unique_ptr<IBitmap> up;
    std::unique_ptr<IBitmap> down;
};

namespace panelkit {

// A bitmap over pixels that other bitmaps may share.
XImage* MakeSharedImage(int32_t width, int32_t height,
                        std::shared_ptr<const std::vector<uint8_t>> rgba);

}  // namespace panelkit
