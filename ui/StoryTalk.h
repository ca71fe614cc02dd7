// The task log's story control: a wrapping rich-text control whose scroll
// bar sits on its right edge.
#pragma once

#include "ui/Panelkit.h"

class CStoryTalk : public XTalk {
public:
    explicit CStoryTalk(XWindow* parent);
    ~CStoryTalk() override;
    // Places the control, its scroll bar flush with the right edge at the
    // bar's own width, and the item container in the rest.
    void SetWindowPos(RECT& rc) override;
};
