// The window toolkit (Panelkit) as the module and the host use it.
//
// Coordinates: every window rectangle is in desktop coordinates; a child's
// rectangle is not relative to its parent. Moving a window moves its
// children with it.
//
// Ownership: the desktop owns its top-level windows and every window owns
// its children. XWindow::Release ends a window: it leaves its parent (or the
// desktop) and deletes itself, children first.
//
// Keep inline code out of this header: the module derives from these
// classes, and everything it instantiates must come from the toolkit library.
//
// No standard-library type appears in a layout or a call here: the module
// and a game client built with another C++ library (Microsoft's) must agree
// on every class. The toolkit keeps its containers behind pointers to its
// own structures (X...Data); panelkit/Views.h gives our own programs the
// same data as standard containers, built on their side.
#pragma once

#include <cstdint>

#include "platform/Win32.h"
#include "ui/PanelkitApi.h"
#include "ui/ResObject.h"

typedef uint16_t WPixel;

class XWindow;
class XDesktop;
class ICanvas;
struct XWindowData;
struct XSignalData;
struct XItemContainerData;
struct XDesktopData;
struct XImageData;
struct XCanvasData;
struct XImageLoaderData;
struct XScrollBarData;

// ---------------------------------------------------------------------------
// Fonts and images

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

// ---------------------------------------------------------------------------
// Click signals

class PANELKIT_API BasicConnection0 {
public:
    virtual ~BasicConnection0();
    virtual void* GetTarget() = 0;
    // Frees the connection; the signal calls it when it goes away.
    virtual void Destroy() = 0;
    virtual void Emit() = 0;
};

class PANELKIT_API Signal0 {
public:
    Signal0();
    ~Signal0();
    Signal0(const Signal0&) = delete;
    Signal0& operator=(const Signal0&) = delete;
    // Takes ownership of the connection.
    void connect(BasicConnection0* connection);
    // Emits every connection in the order they were connected.
    void emit();
    int32_t GetConnectionCount() const;

private:
    struct EmitFrame;
    XSignalData* m_pData;
    // The innermost emit running on this signal, so that a handler may end
    // the signal's owner while it runs.
    EmitFrame* m_pFrame;
};

// ---------------------------------------------------------------------------
// Windows

class PANELKIT_API XWindow {
public:
    XWindow();
    explicit XWindow(XWindow* parent);
    virtual ~XWindow();
    XWindow(const XWindow&) = delete;
    XWindow& operator=(const XWindow&) = delete;

    // Virtual operations, in slot order.
    virtual void Release();
    virtual int32_t IsTransparent();
    virtual void SetVisible(BOOL show);
    // This window's child (at any depth) created with that id, or null.
    virtual XWindow* FindWindowByID(int32_t id);
    // Moves and sizes the window; children move by the change of the corner.
    virtual void SetWindowPos(RECT& rc);
    virtual void GetWindowRect(RECT& rc);
    // Moves the window and its children by an offset.
    virtual void MoveWindow(int32_t dx, int32_t dy);
    virtual int32_t GetWidth();
    virtual int32_t GetHeight();
    // Marks the window for repainting (null: all of it).
    virtual void InvalidRect(RECT* rc);
    virtual void SetWindowTextA(const char* text);
    // The window's text, never null for windows of this toolkit.
    virtual const char* GetWindowTextA();
    virtual void SetParent(XWindow* parent);
    // a: the mouse button (1 = left).
    virtual BOOL OnMouseDown(uint32_t a, uint32_t b, POINT pt);
    // a: 1 while the left button is held (a drag).
    virtual BOOL OnMouseMove(uint32_t a, uint32_t b, POINT pt);
    virtual BOOL OnAccelKey(uint32_t a, uint32_t b);
    virtual void OnMouseEnter();
    virtual void OnMouseExit();
    virtual void OnDraw(ICanvas* canvas, RECT& rc);
    virtual void OnEraseBkgnd(ICanvas* canvas, RECT& rc);
    // The toolkit's own operations after the module's.
    virtual BOOL OnMouseUp(uint32_t a, uint32_t b, POINT pt);
    virtual const char* GetClassName();

    XDesktop* GetDesktop();
    void SetMovable(int32_t movable);
    int32_t IsMovable();
    void SetActive();
    BOOL IsVisible();
    BOOL IsEnabled();
    void SetEnabled(BOOL enabled);
    BOOL IsMainWindow();
    // The top-level window this window belongs to (itself for a top-level one).
    XWindow* GetMainWnd();
    // The window the mouse is over (the deepest one), or null.
    XWindow* GetMouseMove();
    ITTFont* GetFont();
    void SetFont(ITTFont* font);
    WPixel GetForeColor();
    void SetForeColor(WPixel color);
    int32_t GetID();
    void SetID(int32_t id);
    XWindow* GetParent();
    int32_t GetChildCount();
    XWindow* GetChild(int32_t index);
    // Adds a child (taking ownership) or takes one out (giving it back).
    void AddChild(XWindow* child);
    void RemoveChild(XWindow* child);
    // The deepest visible window under the point (this one if no child), or null.
    XWindow* HitTest(POINT pt);
    // Paints this window and its visible children on a canvas.
    void Paint(ICanvas* canvas);
    int32_t GetInvalidateCount();
    // A picture drawn as the window's background (the description's
    // "image"); the window owns it. Null removes it.
    void SetBackgroundImage(IBitmap* image);
    IBitmap* GetBackgroundImage();

    // Read by subclasses; change it through SetWindowPos and MoveWindow.
    RECT m_rcWindow;
    // Fired by a left click (press and release over the window).
    Signal0 m_ClickSignal;

protected:
    // The desktop marks and unmarks its top-level windows.
    friend class XDesktop;
    XWindow* m_pParent;
    XWindowData* m_pData;  // children and text
    int32_t m_nID;
    BOOL m_bVisible;
    BOOL m_bEnabled;
    int32_t m_bMovable;
    ITTFont* m_pFont;
    WPixel m_ForeColor;
    int32_t m_nInvalidated;
    bool m_bTopLevel;
    IBitmap* m_pBackImage;
};

class PANELKIT_API XMainWnd : public XWindow {
public:
    XMainWnd();
    explicit XMainWnd(XWindow* parent);
    ~XMainWnd() override;
    // Passes a click to the child under the mouse; drags a movable window.
    BOOL OnMouseDown(uint32_t a, uint32_t b, POINT pt) override;
    BOOL OnMouseMove(uint32_t a, uint32_t b, POINT pt) override;
    const char* GetClassName() override;
};

class PANELKIT_API XButton : public XWindow {
public:
    explicit XButton(XWindow* parent);
    ~XButton() override;
    BOOL OnMouseDown(uint32_t a, uint32_t b, POINT pt) override;
    void OnMouseEnter() override;
    void OnMouseExit() override;
    void OnDraw(ICanvas* canvas, RECT& rc) override;
    // Ends the press, then handles the release as a plain window does.
    BOOL OnMouseUp(uint32_t a, uint32_t b, POINT pt) override;
    const char* GetClassName() override;
    BOOL IsPressed();

private:
    BOOL m_bPressed;
};

class PANELKIT_API XEdit : public XWindow {
public:
    explicit XEdit(XWindow* parent);
    ~XEdit() override;
    // Longer texts are cut at this many bytes (never inside a GBK character).
    void SetMaxLen(int32_t maxLen);
    int32_t GetMaxLen();
    void SetWindowTextA(const char* text) override;
    void OnDraw(ICanvas* canvas, RECT& rc) override;
    const char* GetClassName() override;

private:
    int32_t m_nMaxLen;
};

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

// The desktop: the root of every window tree. It routes mouse and key
// events to the window under the point.
class PANELKIT_API XDesktop : public XWindow {
public:
    static XDesktop* GetInstance();
    // Ends every top-level window (used by hosts and tests between runs).
    static void Reset();

    void AddWindow(XWindow* wnd);
    int32_t GetWindowCount();
    XWindow* GetWindowAt(int32_t index);
    // The nth top-level window (0: the oldest) with that id, or null.
    XWindow* FindTopLevel(int32_t id, int32_t nth = 0);
    BOOL HasWindow(XWindow* wnd);
    void SetActiveWindow(XWindow* wnd);
    XWindow* GetActiveWindow();
    XWindow* GetMouseWindow();

    // Player input. A click is MouseDown then MouseUp at the same point.
    void MouseMove(POINT pt, uint32_t buttons);
    void MouseDown(POINT pt, uint32_t button);
    void MouseUp(POINT pt, uint32_t button);
    void Click(POINT pt);
    // The mouse wheel turned by notches (positive: towards the end of the
    // text) over the point: the scroll bar of the talk control there moves.
    // False when nothing there scrolls.
    BOOL MouseWheel(POINT pt, int32_t notches);
    void AccelKey(XWindow* wnd);
    // The toolkit ends a window: Release, which deletes it.
    void DestroyWindow(XWindow* wnd);
    // Called by the toolkit when a window goes away.
    void ForgetWindow(XWindow* wnd);
    // The window a mouse press went to; it gets the release.
    XWindow* GetCaptureWindow();
    void SetCaptureWindow(XWindow* wnd);
    // The top-level window a left press is dragging, or null.
    XWindow* GetDragWindow();
    void BeginDrag(XWindow* wnd);
    // Where the mouse was at the previous event (drags move by the change).
    POINT GetLastMousePoint();
    // The top-most visible top-level window containing the point, or null.
    XWindow* TopLevelAt(POINT pt);

    const char* GetClassName() override;

private:
    XDesktop();
    ~XDesktop() override;
    // Makes the window under the point the mouse window, telling the old
    // and the new one.
    void UpdateMouseWindow(POINT pt);
    XWindow* m_pActive;
    XWindow* m_pMouse;
    XWindow* m_pCapture;
    POINT m_ptLast;
    XWindow* m_pDrag;
    XDesktopData* m_pDesktopData;  // the order windows were added in
};

// Builds windows from resource objects. Properties read from a description:
// "class" (window, mainwnd, button, edit, talk, static), "rect" as
// "l,t,r,b" relative to the parent's corner, "text", "visible" (0/1),
// "movable", "enabled", "image", "maxlen", "scrollbar" (0 to leave it out).
class PANELKIT_API CPanelkitHelper {
public:
    CPanelkitHelper();
    ~CPanelkitHelper();
    // Gives a window built by the module its description's properties and id.
    BOOL CreateStockProperty(XWindow* wnd, IResObject* res, int32_t id);
    // Adds under id to parent the window the description asks for, or wnd
    // when it is not null, with the description's properties. Returns it, or
    // null when res is null and no window was given.
    XWindow* CreateXWindow(XWindow* parent, IResObject* res, int32_t id, XWindow* wnd);
};
