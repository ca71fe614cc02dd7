// The talk window's text control: wraps its lines, keeps its scroll bar on
// the left, and reports link clicks to its window.
#pragma once

#include <cstdint>

#include "ui/Panelkit.h"

class CTaskTalkDlg;

namespace orvane {
class StateView;
}

class CTalkText : public XTalk {
public:
    // Link urls are read from at most this many characters.
    static constexpr int kMaxUrlDigits = 10;

    explicit CTalkText(XWindow* parent);
    ~CTalkText() override;
    // The window whose lines this control holds; it hears of link clicks.
    void SetOwner(CTaskTalkDlg* owner) { m_pOwner = owner; }
    void SetWindowPos(RECT& rc) override;
    // Closes the owner, then reports (163, 1, number, 0) to its callback.
    void OnTaskTextClick(const char* url) override;

    // The number a link url carries: the first kMaxUrlDigits characters read
    // as a decimal (leading blanks and a sign allowed, stopping at the first
    // non-digit, kept within 32 bits); a sign adds one character to the
    // window. No digits, or a null url, give 0.
    static int32_t ParseLinkNumber(const char* url);

private:
    friend class orvane::StateView;

    CTaskTalkDlg* m_pOwner;
};
