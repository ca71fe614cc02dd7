// The player's ops, played through the toolkit as mouse and key events, and
// the ops that look at windows and files.
#include "host/FileSystem.h"
#include "panelkit/Views.h"
#include "tools/hostlib/Session.h"
#include "tools/hostlib/WindowDump.h"
#include "ui/Panelkit.h"
#include "ui/TaskMainWnd.h"

namespace orvane::hostprog {

namespace {

constexpr int32_t kLogWnd = 172;
constexpr int32_t kNoteWnd = 4;
constexpr std::uintmax_t kMaxFileBytes = 16u * 1024u * 1024u;

std::string WindowName(int32_t id)
{
    return "window " + std::to_string(id);
}

}  // namespace

void Session::ClickAt(XWindow* target, int32_t x, int32_t y, Press press)
{
    // A real click lands on whatever is on top at that point. When that is
    // not the target (it is hidden or covered), say so before clicking.
    XDesktop* desktop = XDesktop::GetInstance();
    const POINT pt{x, y};
    XWindow* top = desktop->TopLevelAt(pt);
    XWindow* hit = top != nullptr ? top->HitTest(pt) : nullptr;
    bool reaches = false;
    for (XWindow* w = hit; w != nullptr && !reaches; w = w->GetParent())
        reaches = w == target;
    if (!reaches) {
        Event ev;
        ev["ev"] = "miss";
        ev["window"] =
            target->GetMainWnd() != nullptr ? target->GetMainWnd()->GetID() : target->GetID();
        ev["at"] = Event::array({x, y});
        ev["hit"] = top != nullptr ? Event(top->GetID()) : Event(nullptr);
        Emit(ev);
    }
    // As a player would: the mouse goes there, then presses and releases.
    desktop->MouseMove(pt, 0);
    if (press == Press::Click)
        desktop->Click(pt);
}

void Session::ClickLink(XWindow* wnd, const Op& op)
{
    XTalk* talk = TextControl(wnd);
    XItemContainer* items = talk != nullptr ? talk->GetItemContainer() : nullptr;
    if (items == nullptr)
        throw LineFault{WindowName(op.window) + " has no text control"};
    std::string links;
    for (int32_t i = 0; i < items->GetLineCount(); ++i) {
        std::optional<XTalkLine> line = panelkit::LineOf(items, i);
        if (!line)
            continue;
        const int64_t value = LinkValue(*line);
        int32_t x = 0;
        int32_t y = 0;
        if (value == op.number) {
            // The line is a copy: read again where the scrolling put it.
            ScrollToLink(items, i);
            line = panelkit::LineOf(items, i);
        }
        if (value == op.number && LinkPoint(*line, x, y)) {
            ClickAt(items, x, y, op.kind == OpKind::Hover ? Press::None : Press::Click);
            return;
        }
        if (value == op.number && value != 0) {
            // A link without text takes no room on screen: a player cannot
            // click it, and a click at its spot would reach its neighbour.
            Event ev;
            ev["ev"] = "miss";
            ev["window"] = op.window;
            ev["at"] = Event::array({x, y});
            ev["hit"] = nullptr;
            ev["link"] = op.number;
            ev["empty"] = true;
            Emit(ev);
            return;
        }
        if (value != 0)
            links += (links.empty() ? "" : ", ") + std::to_string(value);
    }
    throw LineFault{"no line of " + WindowName(op.window) + " carries link " +
                    std::to_string(op.number) +
                    (links.empty() ? " (it has no links)" : " (its links: " + links + ")")};
}

void Session::ClickChild(XWindow* wnd, int32_t child)
{
    XWindow* target = wnd->FindWindowByID(child);
    if (target == nullptr)
        throw LineFault{WindowName(wnd->GetID()) + " has no child with id " +
                        std::to_string(child)};
    RECT rc{};
    target->GetWindowRect(rc);
    ClickAt(target, rc.left + (rc.right - rc.left) / 2, rc.top + (rc.bottom - rc.top) / 2);
}

std::vector<XWindow*> Session::TaskButtonsOf(XWindow* logDlg)
{
    if (m_logDescChildren < 0) {
        // The buttons come after the children the dialog builds from its
        // description, so the host reads that description from the game.
        host::EventHub quiet;
        host::ScriptLoader loader(quiet);
        const std::string path = m_workDirGbk + "\\scp\\Windowtask.res";
        m_logDescChildren = 0;
        if (IResScript* script = loader.LoadScript(path.c_str(), 0, "qmtv")) {
            IResObject* root = script->GetRoot();
            IResObject* desc = root != nullptr ? root->GetChildByID(kLogWnd) : nullptr;
            m_logDescChildren = desc != nullptr ? desc->GetChildCount() : 0;
            script->Release();
        }
    }
    return TaskButtons(logDlg, m_logDescChildren);
}

void Session::ClickTask(XWindow* wnd, int32_t index)
{
    const std::vector<XWindow*> buttons = TaskButtonsOf(wnd);
    if (static_cast<size_t>(index) >= buttons.size())
        throw LineFault{"the task log has " +
                        (buttons.empty() ? std::string("no task buttons yet (they come with "
                                                       "the first task list)")
                                         : std::to_string(buttons.size()) + " task buttons") +
                        ", so there is no button " + std::to_string(index)};
    XWindow* button = buttons[static_cast<size_t>(index)];
    RECT rc{};
    button->GetWindowRect(rc);
    ClickAt(button, rc.left + (rc.right - rc.left) / 2, rc.top + (rc.bottom - rc.top) / 2);
}

void Session::RunCommand(XWindow* wnd, const Op& op)
{
    // Every module window is a CTaskMainWnd: the host reaches its command
    // interface by the declared bases, without run-time type information
    // across the module's boundary.
    ITaskWnd* taskWnd = static_cast<CTaskMainWnd*>(static_cast<XMainWnd*>(wnd));
    const bool ok = taskWnd->OnCommand(op.number, op.hasData ? op.text.c_str() : nullptr, op.param);
    Event ev;
    ev["ev"] = "result";
    ev["op"] = op.name;
    ev["value"] = ok;
    Emit(ev);
}

void Session::Drag(XWindow* wnd, const Op& op)
{
    // The press goes to a point of the window itself, not of a child, as a
    // player takes hold of a window by its frame.
    RECT rc{};
    wnd->GetWindowRect(rc);
    XDesktop* desktop = XDesktop::GetInstance();
    POINT from{rc.left + (rc.right - rc.left) / 2, rc.top + (rc.bottom - rc.top) / 2};
    bool found = false;
    for (int32_t y = rc.top + 1; y < rc.bottom && !found; y += 4) {
        for (int32_t x = rc.left + 1; x < rc.right && !found; x += 4) {
            const POINT pt{x, y};
            if (desktop->TopLevelAt(pt) == wnd && wnd->HitTest(pt) == wnd) {
                from = pt;
                found = true;
            }
        }
    }
    XWindow* top = desktop->TopLevelAt(from);
    if (!found) {
        Event ev;
        ev["ev"] = "miss";
        ev["window"] = op.window;
        ev["at"] = Event::array({from.x, from.y});
        ev["hit"] = top != nullptr ? Event(top->GetID()) : Event(nullptr);
        Emit(ev);
    }
    const POINT to{from.x + op.number, from.y + op.param};
    desktop->MouseMove(from, 0);
    desktop->MouseDown(from, 1);
    desktop->MouseMove(to, 1);
    desktop->MouseUp(to, 1);
}

void Session::RunPlayer(const Op& op)
{
    if (op.kind == OpKind::Confirm) {
        if (!m_host.ui.HasOpenBox())
            throw LineFault{"no confirmation box is open to answer"};
        m_host.ui.Answer(op.number);
        return;
    }
    XWindow* wnd = m_windows.Resolve(op.window);
    if (wnd == nullptr) {
        EmitNoWindow(op.window);
        return;
    }
    switch (op.kind) {
        case OpKind::ClickLink:
        case OpKind::Hover:
            ClickLink(wnd, op);
            break;
        case OpKind::Click:
            ClickChild(wnd, op.number);
            break;
        case OpKind::ClickTask:
            ClickTask(wnd, op.number);
            break;
        case OpKind::Key:
            XDesktop::GetInstance()->AccelKey(wnd);
            break;
        case OpKind::Note: {
            XWindow* note = wnd->FindWindowByID(kNoteWnd);
            if (note == nullptr)
                throw LineFault{"the task log has no note window (child 4)"};
            note->SetWindowTextA(op.text.c_str());
            break;
        }
        case OpKind::Destroy:
            if (op.release)
                XDesktop::GetInstance()->DestroyWindow(wnd);
            else
                delete wnd;  // the destructor alone, as a toolkit that skips Release
            break;
        case OpKind::Command:
            RunCommand(wnd, op);
            break;
        case OpKind::Drag:
            Drag(wnd, op);
            break;
        case OpKind::Wheel:
            Wheel(wnd, op);
            break;
        default:
            break;
    }
}

void Session::RunDump(int32_t windowId)
{
    XWindow* wnd = m_windows.Resolve(windowId);
    if (wnd == nullptr) {
        EmitNoWindow(windowId);
        return;
    }
    std::vector<XWindow*> buttons;
    if (windowId == kLogWnd)
        buttons = TaskButtonsOf(wnd);
    Emit(DescribeWindow(wnd, m_windows.PanelOf(wnd), buttons, m_text));
}

void Session::RunFile(const Op& op)
{
    namespace files = host::files;
    const std::string path = files::Join(m_workDir, op.path);
    Event ev;
    ev["ev"] = "file";
    ev["name"] = op.path;
    const files::PathKind kind = files::KindOf(path);
    if (kind != files::PathKind::File) {
        if (kind != files::PathKind::Missing)
            throw LineFault{"\"" + op.path + "\" in the work folder is not a file"};
        ev["hex"] = nullptr;
        Emit(ev);
        return;
    }
    if (files::FileSize(path).value_or(0) > kMaxFileBytes)
        throw LineFault{"\"" + op.path + "\" is larger than 16 MiB"};
    std::string bytes;
    if (!files::ReadAll(path, bytes))
        throw LineFault{"\"" + op.path + "\" in the work folder cannot be read"};
    ev["hex"] = ToHex(bytes);
    Emit(ev);
}

}  // namespace orvane::hostprog
