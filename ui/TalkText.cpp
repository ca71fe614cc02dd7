#include "ui/TalkText.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "client/Contain.h"
#include "ui/TaskTalkDlg.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

CTalkText::CTalkText(XWindow* parent) : XTalk(parent), m_pOwner(nullptr)
{
    if (XItemContainer* items = GetItemContainer())
        items->SetAutoWrap(1);
}

CTalkText::~CTalkText() = default;

void CTalkText::SetWindowPos(RECT& rc)
{
    orvane::Contain("CTalkText::SetWindowPos()", [&] {
        XWindow::SetWindowPos(rc);
        // The rectangle as the toolkit took it (rc may even be this control's own).
        const RECT target = m_rcWindow;
        RECT items = target;
        if (XScrollBar* bar = GetScrollBar()) {
            SIZE size{};
            bar->GetSize(size);
            // The bar sits on the left; a bar wider than the control leaves the
            // lines no room rather than a negative width.
            const int32_t barRight = std::min(target.left + size.cx, target.right);
            RECT barRect{target.left, target.top, barRight, target.bottom};
            bar->SetWindowPos(barRect);
            bar->SetSize(size);
            bar->Refresh();
            items.left = barRight;
        }
        if (XItemContainer* container = GetItemContainer()) {
            container->SetWindowPos(items);
            container->SetMaxWidth(items.right - items.left);
            container->SetMaxHeight(items.bottom - items.top);
        }
    });
}

int32_t CTalkText::ParseLinkNumber(const char* url)
{
    if (url == nullptr)
        return 0;
    int i = 0;
    while (i < kMaxUrlDigits && url[i] != '\0' && IsBlank(url[i]))
        ++i;
    // A sign does not use up one of the ten: every int32 the talk window
    // writes with %d, -2147483648 included, reads back whole.
    int limit = kMaxUrlDigits;
    bool negative = false;
    if (i < limit && (url[i] == '+' || url[i] == '-')) {
        negative = url[i] == '-';
        ++i;
        ++limit;
    }
    // Ten digits fit easily in 64 bits; the result is kept within 32.
    int64_t value = 0;
    for (; i < limit && url[i] >= '0' && url[i] <= '9'; ++i)
        value = value * 10 + (url[i] - '0');
    if (negative)
        value = -value;
    value = std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(value);
}

void CTalkText::OnTaskTextClick(const char* url)
{
    orvane::Contain("CTalkText::OnTaskTextClick()", [&] {
        const int32_t number = ParseLinkNumber(url);
        if (CTaskTalkDlg* owner = m_pOwner)
            owner->OnLinkClicked(number);
    });
}
