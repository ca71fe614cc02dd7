#include "tools/orvane-view/NoteTyping.h"

#include "host/Encoding.h"
#include "panelkit/Views.h"
#include "ui/Panelkit.h"

namespace orvane::view {

namespace {

constexpr int32_t kLogWnd = 172;
constexpr int32_t kNoteWnd = 4;

}  // namespace

std::string WithoutLastGbkCharacter(std::string_view gbk)
{
    // A lead byte (0x81 to 0xFE) takes the byte after it, so the last
    // character can only be found from the start.
    size_t last = 0;
    for (size_t i = 0; i < gbk.size();) {
        last = i;
        const auto byte = static_cast<unsigned char>(gbk[i]);
        i += byte >= 0x81 && byte <= 0xFE && i + 1 < gbk.size() ? 2 : 1;
    }
    return std::string(gbk.substr(0, last));
}

XWindow* NoteTyping::Note()
{
    for (XWindow* dlg : panelkit::TopLevelWindows(kLogWnd)) {
        if (dlg->IsVisible())
            return dlg->FindWindowByID(kNoteWnd);
    }
    return nullptr;
}

XWindow* NoteTyping::NoteAt(int32_t x, int32_t y)
{
    const POINT pt{x, y};
    XWindow* top = XDesktop::GetInstance()->TopLevelAt(pt);
    XWindow* note = Note();
    if (top == nullptr || note == nullptr || top->HitTest(pt) != note)
        return nullptr;
    return note;
}

void NoteTyping::Set(const std::string& gbk)
{
    if (XWindow* note = Note())
        note->SetWindowTextA(gbk.c_str());
}

std::string NoteTyping::Type(std::string_view utf8)
{
    const std::optional<std::string> gbk = host::Utf8ToGbk(utf8);
    if (!gbk)
        return "\"" + std::string(utf8) + "\" has no GBK form: the note leaves it out";
    XWindow* note = Note();
    if (note == nullptr)
        return {};
    const std::string before = note->GetWindowTextA();
    Set(before + *gbk);
    if (note->GetWindowTextA() == before)
        return "the note is full";
    return {};
}

void NoteTyping::NewLine()
{
    if (XWindow* note = Note())
        Set(std::string(note->GetWindowTextA()) + "\n");
}

void NoteTyping::Backspace()
{
    if (XWindow* note = Note())
        Set(WithoutLastGbkCharacter(note->GetWindowTextA()));
}

std::string NoteTyping::Text() const
{
    XWindow* note = Note();
    if (note == nullptr)
        return {};
    return host::GbkToUtf8(note->GetWindowTextA()).value_or("(not GBK)");
}

}  // namespace orvane::view
