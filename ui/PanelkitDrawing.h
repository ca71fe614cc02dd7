// The toolkit's fonts, images and canvases.
// Included by ui/Panelkit.h, the one header to include; the rules written
// there hold here: no inline code, no standard-library type.
#pragma once

#include <cstdint>

#include "platform/Win32.h"
#include "ui/PanelkitApi.h"

typedef uint16_t WPixel;

class ICanvas;
struct XImageData;
struct XCanvasData;
struct XImageLoaderData;

class PANELKIT_API ITTFont {
public:
    virtual ~ITTFont();
    // Height of one line of text in pixels.
    virtual int32_t GetTextHeight() = 0;
    // Pixel width of a zero-terminated GBK text.
    virtual int32_t GetTextWidth(const char* text) = 0;
};

class PANELKIT_API XFontCreate {
public:
    static XFontCreate* GetInstance();
    // Fonts are cached by face and size and live as long as the toolkit.
    ITTFont* CreateFontA(const char* face, int32_t size, int32_t a, int32_t b, int32_t c, int32_t d,
                         int32_t charset);

private:
    XFontCreate();
};

class PANELKIT_API IBitmap {
public:
    virtual ~IBitmap();
    virtual int32_t GetWidth() = 0;
    virtual int32_t GetHeight() = 0;
    // Draws the bitmap with its top-left corner at (x, y).
    virtual void Draw(ICanvas* canvas, int32_t x, int32_t y, int32_t flag) = 0;
};

// The toolkit's bitmap: RGBA pixels, 4 bytes each, rows top to bottom. The
// pixels never change once decoded, so bitmaps of one picture may share them.
class PANELKIT_API XImage : public IBitmap {
public:
    // Copies width * height * 4 bytes of pixels.
    XImage(int32_t width, int32_t height, const uint8_t* rgba);
    // Takes the toolkit's own pixel data (shared between bitmaps).
    XImage(int32_t width, int32_t height, XImageData* data);
    ~XImage() override;
    XImage(const XImage&) = delete;
    XImage& operator=(const XImage&) = delete;
    int32_t GetWidth() override;
    int32_t GetHeight() override;
    void Draw(ICanvas* canvas, int32_t x, int32_t y, int32_t flag) override;
    // width * height * 4 bytes.
    const uint8_t* GetPixels() const;

private:
    int32_t m_nWidth;
    int32_t m_nHeight;
    XImageData* m_pData;
};

class PANELKIT_API CImageLoader {
public:
    static CImageLoader* GetInstance();
    // Loads a BMP or TGA file. A relative path (backslashes allowed) is taken
    // from the base folder. Null when the file is missing or unreadable.
    IBitmap* LoadImageA(const char* path);
    void FreeImage(IBitmap* image);
    // Host side: the folder that relative image paths start from.
    void SetBaseFolder(const char* folder);
    const char* GetBaseFolder() const;

private:
    CImageLoader();
    XImageLoaderData* m_pData;
};

// Where windows draw. The toolkit's own canvas records what is drawn.
class PANELKIT_API ICanvas {
public:
    virtual ~ICanvas();
    virtual void DrawString(ITTFont* font, int32_t x, int32_t y, const char* text, WPixel color,
                            const RECT* clip, int32_t flag) = 0;
    virtual void DrawBitmap(IBitmap* bitmap, int32_t x, int32_t y, int32_t flag) = 0;
};

// One thing drawn on a recording canvas.
struct XDrawItem {
    BOOL isText;
    int32_t x;
    int32_t y;
    const char* text;  // texts only; kept by the canvas until it is cleared
    WPixel color;      // texts only
    RECT clip;         // texts only
    IBitmap* bitmap;   // bitmaps only
    int32_t width;     // bitmaps only
    int32_t height;    // bitmaps only
    int32_t flag;
    ITTFont* font;  // texts only
};

// A canvas that keeps a list of what was drawn on it, in order.
class PANELKIT_API XRecordingCanvas : public ICanvas {
public:
    XRecordingCanvas();
    ~XRecordingCanvas() override;
    XRecordingCanvas(const XRecordingCanvas&) = delete;
    XRecordingCanvas& operator=(const XRecordingCanvas&) = delete;
    void DrawString(ITTFont* font, int32_t x, int32_t y, const char* text, WPixel color,
                    const RECT* clip, int32_t flag) override;
    void DrawBitmap(IBitmap* bitmap, int32_t x, int32_t y, int32_t flag) override;
    int32_t GetItemCount() const;
    // False when index is out of range.
    BOOL GetItem(int32_t index, XDrawItem& item) const;
    void Clear();

private:
    XCanvasData* m_pData;
};
