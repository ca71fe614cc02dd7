// The talk window's text control: wraps its lines, keeps its scroll bar on
// the left, and reports link clicks to its window.
#pragma once

#include "ui/Panelkit.h"

class CTaskTalkDlg;

class CTalkText : public XTalk {
public:
    explicit CTalkText(XWindow* parent);
    ~CTalkText() override;
    void SetWindowPos(RECT& rc) override;
    void OnTaskTextClick(const char* url) override;

    CTaskTalkDlg* m_pOwner;
};
