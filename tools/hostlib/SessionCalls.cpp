// The `call` op: one ITaskClient operation on the helper's client, and its
// result as the host sees it.
#include "tools/hostlib/Session.h"
#include "ui/Panelkit.h"

namespace orvane::hostprog {

namespace {

RECT RectOf(const CallArg& arg)
{
    return RECT{arg.rect[0], arg.rect[1], arg.rect[2], arg.rect[3]};
}

Event RectValue(const RECT& rc)
{
    return Event::array({rc.left, rc.top, rc.right, rc.bottom});
}

const char* TextArg(const CallArg& arg)
{
    return arg.kind == CallArg::Kind::NullText ? nullptr : arg.text.c_str();
}

// The text queries answer a task id with a text, or with none.
Event TextQuery(ITaskClient* client, const Op& op, const TranscriptText& text)
{
    const int32_t id = op.args[0].number;
    switch (op.fnId) {
        case ClientFn::GetTaskName:
            return text.Text(client->GetTaskName(id));
        case ClientFn::GetTaskDesc:
            return text.Text(client->GetTaskDesc(id));
        case ClientFn::GetTalkText:
            return text.Text(client->GetTalkText(id));
        default:
            return text.Text(client->ReservedQuery(id));
    }
}

// The talk window's calls; null for those that return nothing.
Event TalkWndCall(ITaskClient* client, const Op& op, IWndCallback* hostCallback)
{
    const std::vector<CallArg>& a = op.args;
    switch (op.fnId) {
        case ClientFn::AddTalkLine:
            return client->AddTalkLine(TextArg(a[0]), a[1].number);
        case ClientFn::SetTalkWndPos: {
            RECT rc = RectOf(a[0]);
            client->SetTalkWndPos(rc);
            return nullptr;
        }
        case ClientFn::GetTalkWndRect: {
            RECT rc = RectOf(a[0]);
            client->GetTalkWndRect(rc);
            return RectValue(rc);
        }
        case ClientFn::MoveTalkWnd:
            client->MoveTalkWnd(a[0].number, a[1].number);
            return nullptr;
        default: {
            IWndCallback* callback =
                a[1].kind == CallArg::Kind::HostCallback ? hostCallback : nullptr;
            XWindow* wnd = client->CreateClientTalkWnd(a[0].number, callback);
            // A window is given by its id.
            return wnd != nullptr ? Event(wnd->GetID()) : Event(nullptr);
        }
    }
}

Event TaskListCall(ITaskClient* client, const CallArg& arg)
{
    TaskListRecord record{};
    TaskListRecord* list = nullptr;
    if (arg.kind == CallArg::Kind::TaskList) {
        record.nCount = arg.list[0];
        for (int i = 0; i < 10; ++i)
            record.nTaskID[i] = arg.list[static_cast<size_t>(i) + 1];
        list = &record;
    }
    return client->UpdateTaskList(list);
}

// The task log window's calls; null for those that return nothing.
Event LogWndCall(ITaskClient* client, const Op& op)
{
    const std::vector<CallArg>& a = op.args;
    switch (op.fnId) {
        case ClientFn::UpdateTaskList:
            return TaskListCall(client, a[0]);
        case ClientFn::CreateClientLogWnd:
            return client->CreateClientLogWnd();
        case ClientFn::SetLogWndPos: {
            RECT rc = RectOf(a[0]);
            client->SetLogWndPos(rc);
            return nullptr;
        }
        case ClientFn::GetLogWndRect: {
            RECT rc = RectOf(a[0]);
            client->GetLogWndRect(rc);
            return RectValue(rc);
        }
        case ClientFn::MoveLogWnd:
            client->MoveLogWnd(a[0].number, a[1].number);
            return nullptr;
        default:
            client->HideLogWnd();
            return nullptr;
    }
}

}  // namespace

void Session::RunCall(const Op& op)
{
    ITaskClient* client = m_helper.GetITaskClient();
    if (client == nullptr)
        throw LineFault{"there is no task client to call " + op.fn +
                        " on (run the create op first)"};
    Event value = nullptr;
    switch (op.fnId) {
        case ClientFn::GetTaskName:
        case ClientFn::GetTaskDesc:
        case ClientFn::GetTalkText:
        case ClientFn::ReservedQuery:
            value = TextQuery(client, op, m_text);
            break;
        case ClientFn::AddTalkLine:
        case ClientFn::SetTalkWndPos:
        case ClientFn::GetTalkWndRect:
        case ClientFn::MoveTalkWnd:
        case ClientFn::CreateClientTalkWnd:
            value = TalkWndCall(client, op, &m_callback);
            break;
        case ClientFn::UpdateTaskList:
        case ClientFn::CreateClientLogWnd:
        case ClientFn::SetLogWndPos:
        case ClientFn::GetLogWndRect:
        case ClientFn::MoveLogWnd:
        case ClientFn::HideLogWnd:
            value = LogWndCall(client, op);
            break;
        case ClientFn::InitTaskObserver:
            client->InitTaskObserver();
            break;
        case ClientFn::Release:
            client->Release();
            // The client freed itself; the helper must not hand it out again.
            CTaskClientHelper::m_pTaskClient = nullptr;
            break;
    }
    Event ev;
    ev["ev"] = "result";
    ev["fn"] = op.fn;
    ev["value"] = value;
    Emit(ev);
}

}  // namespace orvane::hostprog
