// The window toolkit's virtual operations sit in the slots a game client
// built with Microsoft's compiler calls: the destructor takes one slot, then
// Release, IsTransparent and the rest in their fixed order. Read from the
// virtual tables Panelkit.dll exports, by the names such a client links.
#include <windows.h>

#include <cstdio>

namespace {

struct Slot {
    const char* table;  // the exported virtual table
    int index;
    const char* function;  // the exported function expected there
};

const Slot kSlots[] = {
    {"??_7XWindow@@6B@", 1, "?Release@XWindow@@UAEXXZ"},
    {"??_7XWindow@@6B@", 2, "?IsTransparent@XWindow@@UAEHXZ"},
    {"??_7XWindow@@6B@", 3, "?SetVisible@XWindow@@UAEXH@Z"},
    {"??_7XWindow@@6B@", 4, "?FindWindowByID@XWindow@@UAEPAV1@H@Z"},
    {"??_7XWindow@@6B@", 5, "?SetWindowPos@XWindow@@UAEXAAUtagRECT@@@Z"},
    {"??_7XWindow@@6B@", 6, "?GetWindowRect@XWindow@@UAEXAAUtagRECT@@@Z"},
    {"??_7XWindow@@6B@", 7, "?MoveWindow@XWindow@@UAEXHH@Z"},
    {"??_7XWindow@@6B@", 8, "?GetWidth@XWindow@@UAEHXZ"},
    {"??_7XWindow@@6B@", 9, "?GetHeight@XWindow@@UAEHXZ"},
    {"??_7XWindow@@6B@", 10, "?InvalidRect@XWindow@@UAEXPAUtagRECT@@@Z"},
    {"??_7XWindow@@6B@", 11, "?SetWindowTextA@XWindow@@UAEXPBD@Z"},
    {"??_7XWindow@@6B@", 12, "?GetWindowTextA@XWindow@@UAEPBDXZ"},
    {"??_7XWindow@@6B@", 13, "?SetParent@XWindow@@UAEXPAV1@@Z"},
    {"??_7XWindow@@6B@", 14, "?OnMouseDown@XWindow@@UAEHIIUtagPOINT@@@Z"},
    {"??_7XWindow@@6B@", 15, "?OnMouseMove@XWindow@@UAEHIIUtagPOINT@@@Z"},
    {"??_7XWindow@@6B@", 16, "?OnAccelKey@XWindow@@UAEHII@Z"},
    {"??_7XWindow@@6B@", 17, "?OnMouseEnter@XWindow@@UAEXXZ"},
    {"??_7XWindow@@6B@", 18, "?OnMouseExit@XWindow@@UAEXXZ"},
    {"??_7XWindow@@6B@", 19, "?OnDraw@XWindow@@UAEXPAVICanvas@@AAUtagRECT@@@Z"},
    {"??_7XWindow@@6B@", 20, "?OnEraseBkgnd@XWindow@@UAEXPAVICanvas@@AAUtagRECT@@@Z"},
    // The talk control appends its link click after the toolkit's own two.
    {"??_7XTalk@@6B@", 1, "?Release@XWindow@@UAEXXZ"},
    {"??_7XTalk@@6B@", 5, "?SetWindowPos@XTalk@@UAEXAAUtagRECT@@@Z"},
    {"??_7XTalk@@6B@", 23, "?OnTaskTextClick@XTalk@@UAEXPBD@Z"},
    {"??_7XMainWnd@@6B@", 14, "?OnMouseDown@XMainWnd@@UAEHIIUtagPOINT@@@Z"},
    {"??_7XButton@@6B@", 17, "?OnMouseEnter@XButton@@UAEXXZ"},
    // The scroll bar takes the mouse and draws itself in the window's slots.
    {"??_7XScrollBar@@6B@", 14, "?OnMouseDown@XScrollBar@@UAEHIIUtagPOINT@@@Z"},
    {"??_7XScrollBar@@6B@", 15, "?OnMouseMove@XScrollBar@@UAEHIIUtagPOINT@@@Z"},
    {"??_7XScrollBar@@6B@", 19, "?OnDraw@XScrollBar@@UAEXPAVICanvas@@AAUtagRECT@@@Z"},
    {"??_7XScrollBar@@6B@", 21, "?OnMouseUp@XScrollBar@@UAEHIIUtagPOINT@@@Z"},
};

}  // namespace

int main()
{
    HMODULE toolkit = LoadLibraryA("Panelkit.dll");
    if (toolkit == nullptr) {
        std::printf("Panelkit.dll cannot be loaded\n");
        return 1;
    }
    int failures = 0;
    for (const Slot& slot : kSlots) {
        auto* table = reinterpret_cast<void* const*>(GetProcAddress(toolkit, slot.table));
        void* expected = reinterpret_cast<void*>(GetProcAddress(toolkit, slot.function));
        if (table == nullptr || expected == nullptr) {
            std::printf("not exported: %s\n", table == nullptr ? slot.table : slot.function);
            ++failures;
        } else if (table[slot.index] != expected) {
            std::printf("slot %d of %s is not %s\n", slot.index, slot.table, slot.function);
            ++failures;
        }
    }
    std::printf("%d slots checked, %d wrong\n", static_cast<int>(sizeof kSlots / sizeof kSlots[0]),
                failures);
    return failures == 0 ? 0 : 1;
}
