// Click signals and the plain windows: the window every other derives
// from, main windows, buttons and edits.
// Included by ui/Panelkit.h, the one header to include; the rules written
// there hold here: no inline code, no standard-library type.
#pragma once

#include <cstdint>

#include "platform/Win32.h"
#include "ui/PanelkitApi.h"
#include "ui/PanelkitDrawing.h"

class XDesktop;
struct XWindowData;
struct XSignalData;

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
