// The plain window: a rectangle in desktop coordinates, a text, flags and
// owned children; its virtual operations and its settings. The tree of
// windows is in XWindowTree.cpp.
#include "panelkit/Internals.h"
#include "panelkit/TextUtil.h"
#include "panelkit/WindowState.h"
#include "ui/Panelkit.h"

namespace {

// The size-12 font every window starts with: "\xCB\xCE\xCC\xE5" /* 宋体 */.
ITTFont* DefaultFont()
{
    return XFontCreate::GetInstance()->CreateFontA("\xCB\xCE\xCC\xE5", 12, 0, 0, 0, 0, 128);
}

constexpr WPixel kDefaultForeColor = 0xFFFF;
// Where a main window's title sits below its top edge.
constexpr int32_t kTitleTop = 12;

}  // namespace

XWindow::XWindow() : XWindow(nullptr) {}

XWindow::XWindow(XWindow* parent)
    : m_rcWindow{0, 0, 0, 0},
      m_pParent(parent),
      m_pData(new XWindowData()),
      m_nID(0),
      m_bVisible(TRUE),
      m_bEnabled(TRUE),
      m_bMovable(0),
      m_pFont(DefaultFont()),
      m_ForeColor(kDefaultForeColor),
      m_nInvalidated(0),
      m_bTopLevel(false),
      m_pBackImage(nullptr)
{
}

XWindow::~XWindow()
{
    // Children first; they must not reach back into this half-destroyed window.
    std::vector<XWindow*> children;
    children.swap(m_pData->children);
    for (XWindow* child : children) {
        child->m_pParent = nullptr;
        delete child;
    }
    if (m_pParent != nullptr)
        m_pParent->RemoveChild(this);
    XDesktop* desktop = XDesktop::GetInstance();
    if (desktop != this)
        desktop->ForgetWindow(this);
    CImageLoader::GetInstance()->FreeImage(m_pBackImage);
    delete m_pData;
}

void XWindow::Release()
{
    if (m_pParent != nullptr)
        m_pParent->RemoveChild(this);
    delete this;
}

int32_t XWindow::IsTransparent()
{
    return 0;
}

void XWindow::SetVisible(BOOL show)
{
    m_bVisible = show ? TRUE : FALSE;
    InvalidRect(nullptr);
}

using panelkit::ClampCoord;

void XWindow::SetWindowPos(RECT& rc)
{
    const RECT target{ClampCoord(rc.left), ClampCoord(rc.top), ClampCoord(rc.right),
                      ClampCoord(rc.bottom)};  // rc may be this window's own rectangle
    const int32_t dx = target.left - m_rcWindow.left;
    const int32_t dy = target.top - m_rcWindow.top;
    m_rcWindow = target;
    if (dx != 0 || dy != 0) {
        for (XWindow* child : m_pData->children)
            child->MoveWindow(dx, dy);
    }
    InvalidRect(nullptr);
}

void XWindow::GetWindowRect(RECT& rc)
{
    rc = m_rcWindow;
}

void XWindow::MoveWindow(int32_t dx, int32_t dy)
{
    m_rcWindow.left = ClampCoord(int64_t{m_rcWindow.left} + dx);
    m_rcWindow.right = ClampCoord(int64_t{m_rcWindow.right} + dx);
    m_rcWindow.top = ClampCoord(int64_t{m_rcWindow.top} + dy);
    m_rcWindow.bottom = ClampCoord(int64_t{m_rcWindow.bottom} + dy);
    for (XWindow* child : m_pData->children)
        child->MoveWindow(dx, dy);
    InvalidRect(nullptr);
}

int32_t XWindow::GetWidth()
{
    return m_rcWindow.right - m_rcWindow.left;
}

int32_t XWindow::GetHeight()
{
    return m_rcWindow.bottom - m_rcWindow.top;
}

void XWindow::InvalidRect(RECT*)
{
    ++m_nInvalidated;
}

void XWindow::SetWindowTextA(const char* text)
{
    m_pData->text = text != nullptr ? text : "";
    InvalidRect(nullptr);
}

const char* XWindow::GetWindowTextA()
{
    return m_pData->text.c_str();
}

void XWindow::SetParent(XWindow* parent)
{
    m_pParent = parent;
}

BOOL XWindow::OnMouseDown(uint32_t a, uint32_t, POINT)
{
    if (a != 1)
        return FALSE;
    XDesktop* desktop = GetDesktop();
    desktop->SetCaptureWindow(this);
    // A press on a movable window drags its top-level window, when that one
    // may move too.
    XWindow* main = GetMainWnd();
    if (IsMovable() && main != nullptr && main->IsMovable() && main->IsMainWindow())
        desktop->BeginDrag(main);
    return TRUE;
}

BOOL XWindow::OnMouseMove(uint32_t, uint32_t, POINT)
{
    return FALSE;
}

BOOL XWindow::OnAccelKey(uint32_t, uint32_t)
{
    return FALSE;
}

void XWindow::OnMouseEnter() {}

void XWindow::OnMouseExit() {}

void XWindow::OnDraw(ICanvas* canvas, RECT&)
{
    // A main window's text is its title, centred across its top. Child
    // windows draw their text their own way (buttons, edits) or not at all.
    if (!m_bTopLevel || canvas == nullptr || m_pFont == nullptr || m_pData->text.empty())
        return;
    const int32_t x =
        m_rcWindow.left + (GetWidth() - m_pFont->GetTextWidth(m_pData->text.c_str())) / 2;
    const int32_t y = m_rcWindow.top + kTitleTop;
    canvas->DrawString(m_pFont, x, y, m_pData->text.c_str(), m_ForeColor, &m_rcWindow, 1);
}

void XWindow::OnEraseBkgnd(ICanvas* canvas, RECT&)
{
    if (m_pBackImage != nullptr)
        m_pBackImage->Draw(canvas, m_rcWindow.left, m_rcWindow.top, 0);
}

BOOL XWindow::OnMouseUp(uint32_t a, uint32_t, POINT pt)
{
    if (a != 1)
        return FALSE;
    // A window hidden or disabled while the button was down gets no click.
    if (!panelkit::RectContains(m_rcWindow, pt) || !panelkit::AcceptsInput(this))
        return FALSE;
    // The handler may end this window: nothing of it is touched afterwards.
    m_ClickSignal.emit();
    return TRUE;
}

const char* XWindow::GetClassName()
{
    return "window";
}

XDesktop* XWindow::GetDesktop()
{
    return XDesktop::GetInstance();
}

void XWindow::SetMovable(int32_t movable)
{
    m_bMovable = movable;
}

int32_t XWindow::IsMovable()
{
    return m_bMovable;
}

void XWindow::SetActive()
{
    GetDesktop()->SetActiveWindow(this);
}

BOOL XWindow::IsVisible()
{
    return m_bVisible;
}

BOOL XWindow::IsEnabled()
{
    return m_bEnabled;
}

void XWindow::SetEnabled(BOOL enabled)
{
    m_bEnabled = enabled ? TRUE : FALSE;
    InvalidRect(nullptr);
}

BOOL XWindow::IsMainWindow()
{
    return m_bTopLevel ? TRUE : FALSE;
}

XWindow* XWindow::GetMouseMove()
{
    return GetDesktop()->GetMouseWindow();
}

ITTFont* XWindow::GetFont()
{
    return m_pFont;
}

void XWindow::SetFont(ITTFont* font)
{
    m_pFont = font != nullptr ? font : DefaultFont();
    InvalidRect(nullptr);
}

WPixel XWindow::GetForeColor()
{
    return m_ForeColor;
}

void XWindow::SetForeColor(WPixel color)
{
    m_ForeColor = color;
    InvalidRect(nullptr);
}

int32_t XWindow::GetID()
{
    return m_nID;
}

void XWindow::SetID(int32_t id)
{
    m_nID = id;
}

int32_t XWindow::GetInvalidateCount()
{
    return m_nInvalidated;
}

void XWindow::SetBackgroundImage(IBitmap* image)
{
    if (image == m_pBackImage)
        return;
    CImageLoader::GetInstance()->FreeImage(m_pBackImage);
    m_pBackImage = image;
    InvalidRect(nullptr);
}

IBitmap* XWindow::GetBackgroundImage()
{
    return m_pBackImage;
}
