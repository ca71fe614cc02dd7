// Builds windows from resource descriptions. Every attribute is text; one
// that cannot be read leaves the window's own default in place.
#include <cstring>

#include "panelkit/TextUtil.h"
#include "ui/Panelkit.h"

namespace {

// Descriptions nested deeper than this are not built (a resource tree that
// loops back on itself would otherwise never end).
constexpr int kMaxBuildDepth = 64;

bool ReadFlag(IResObject* res, const char* key, int32_t& value)
{
    return panelkit::ParseInt(res->GetAttr(key), value);
}

bool AttrIs(IResObject* res, const char* key, const char* expected)
{
    const char* value = res->GetAttr(key);
    return value != nullptr && std::strcmp(value, expected) == 0;
}

XWindow* MakeWindow(IResObject* res, XWindow* parent)
{
    const char* cls = res->GetAttr("class");
    if (cls == nullptr)
        return new XWindow(parent);
    if (std::strcmp(cls, "mainwnd") == 0)
        return new XMainWnd(parent);
    if (std::strcmp(cls, "button") == 0)
        return new XButton(parent);
    if (std::strcmp(cls, "edit") == 0)
        return new XEdit(parent);
    if (std::strcmp(cls, "talk") == 0)
        return new XTalk(parent);
    // "window", "static" and any class this toolkit does not know.
    return new XWindow(parent);
}

void Attach(XWindow* parent, XWindow* wnd)
{
    XDesktop* desktop = XDesktop::GetInstance();
    if (parent == desktop)
        desktop->AddWindow(wnd);
    else
        parent->AddChild(wnd);
}

XWindow* Build(CPanelkitHelper& helper, XWindow* parent, IResObject* res, int32_t id, XWindow* wnd,
               int depth)
{
    if (wnd == nullptr && res == nullptr)
        return nullptr;
    const bool ownWindow = wnd == nullptr;
    if (ownWindow)
        wnd = MakeWindow(res, parent);
    // The parent is known before the properties: "rect" is relative to it.
    if (parent != nullptr && parent != wnd) {
        try {
            Attach(parent, wnd);
        } catch (...) {
            if (ownWindow)
                delete wnd;  // no parent took it
            throw;
        }
    }
    helper.CreateStockProperty(wnd, res, id);
    if (!ownWindow || res == nullptr || depth >= kMaxBuildDepth)
        return wnd;
    const int32_t count = res->GetChildCount();
    for (int32_t i = 0; i < count; ++i) {
        IResObject* child = res->GetChild(i);
        // Templates are built by the module itself when it needs them.
        if (child == nullptr || AttrIs(child, "template", "1"))
            continue;
        Build(helper, wnd, child, child->GetID(), nullptr, depth + 1);
    }
    return wnd;
}

}  // namespace

CPanelkitHelper::CPanelkitHelper() = default;

CPanelkitHelper::~CPanelkitHelper() = default;

BOOL CPanelkitHelper::CreateStockProperty(XWindow* wnd, IResObject* res, int32_t id)
{
    if (wnd == nullptr)
        return FALSE;
    wnd->SetID(id);
    if (res == nullptr)
        return FALSE;

    // Before the rectangle, so that the layout already knows there is none.
    if (XTalk* talk = dynamic_cast<XTalk*>(wnd)) {
        if (AttrIs(res, "scrollbar", "0"))
            talk->RemoveScrollBar();
    }

    int32_t rect[4];
    if (panelkit::ParseRect(res->GetAttr("rect"), rect)) {
        XWindow* parent = wnd->GetParent();
        int64_t dx = 0;
        int64_t dy = 0;
        if (parent != nullptr && parent != wnd->GetDesktop()) {
            RECT origin{};
            parent->GetWindowRect(origin);
            dx = origin.left;
            dy = origin.top;
        }
        // Summed wide: the window clamps what it is given to its range.
        RECT rc{panelkit::ClampCoord(rect[0] + dx), panelkit::ClampCoord(rect[1] + dy),
                panelkit::ClampCoord(rect[2] + dx), panelkit::ClampCoord(rect[3] + dy)};
        wnd->SetWindowPos(rc);
    }

    // The length limit first, so that it applies to the text.
    if (XEdit* edit = dynamic_cast<XEdit*>(wnd)) {
        int32_t maxLen = 0;
        if (ReadFlag(res, "maxlen", maxLen))
            edit->SetMaxLen(maxLen);
    }
    if (const char* text = res->GetAttr("text"))
        wnd->SetWindowTextA(text);

    // Stored as the window's state, not through a subclass's SetVisible: the
    // window may not be fully built yet, and its show logic runs later.
    int32_t flag = 1;
    if (ReadFlag(res, "visible", flag))
        wnd->XWindow::SetVisible(flag != 0 ? TRUE : FALSE);
    if (ReadFlag(res, "movable", flag))
        wnd->SetMovable(flag);
    if (ReadFlag(res, "enabled", flag))
        wnd->SetEnabled(flag != 0 ? TRUE : FALSE);

    const char* image = res->GetAttr("image");
    if (image != nullptr && image[0] != '\0') {
        // A missing picture leaves the window without a background.
        if (IBitmap* bitmap = CImageLoader::GetInstance()->LoadImageA(image))
            wnd->SetBackgroundImage(bitmap);
    }
    return TRUE;
}

XWindow* CPanelkitHelper::CreateXWindow(XWindow* parent, IResObject* res, int32_t id, XWindow* wnd)
{
    return Build(*this, parent, res, id, wnd, 0);
}
