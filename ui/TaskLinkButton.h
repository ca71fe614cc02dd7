// One task of the task log: a text button that shows the task's name
// centred in the task font, highlights itself with an image while the mouse
// is over it, and records which task was pressed.
#pragma once

#include <cstdint>
#include <string>

#include "ui/Panelkit.h"

namespace orvane {

// The task of the link button pressed last; the task log reads it when the
// button's click signal fires. 0 at load.
extern int32_t g_nLastPressedTaskID;
// The font every link button draws its caption in; made by the task log
// dialog's constructor before any button exists.
extern ITTFont* g_pTaskFont;

}  // namespace orvane

class CTaskLinkButton : public XButton {
public:
    // The highlight is drawn this far left of and above the button's corner.
    static constexpr int32_t kHoverInset = 5;

    explicit CTaskLinkButton(XWindow* parent);
    ~CTaskLinkButton() override;

    void SetTaskID(int32_t id) { m_nTaskID = id; }
    int32_t GetTaskID() const { return m_nTaskID; }
    // A null text leaves the caption as it is.
    void SetCaption(const char* text);
    const std::string& GetCaption() const { return m_strCaption; }
    // Not owned: the dialog loads and frees the image.
    void SetHoverImage(IBitmap* image) { m_pHoverImage = image; }
    bool IsHovered() const { return m_bHover != 0; }

    // A left press records the button's task before the button handles it.
    BOOL OnMouseDown(uint32_t a, uint32_t b, POINT pt) override;
    void OnMouseEnter() override;
    void OnMouseExit() override;
    // The caption first, then the plain window's drawing on top.
    void OnDraw(ICanvas* canvas, RECT& rc) override;
    // The plain window's background, then the highlight while hovered.
    void OnEraseBkgnd(ICanvas* canvas, RECT& rc) override;

private:
    int32_t m_nTaskID;
    std::string m_strCaption;
    int32_t m_bHover;
    IBitmap* m_pHoverImage;
};
