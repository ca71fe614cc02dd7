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

}  // namespace

void Session::RunCall(const Op& op)
{
    ITaskClient* client = m_helper.GetITaskClient();
    if (client == nullptr)
        throw LineFault{"there is no task client to call " + op.fn +
                        " on (run the create op first)"};
    const std::vector<CallArg>& a = op.args;
    Event value = nullptr;
    switch (op.fnId) {
        case ClientFn::GetTaskName:
            value = m_text.Text(client->GetTaskName(a[0].number));
            break;
        case ClientFn::GetTaskDesc:
            value = m_text.Text(client->GetTaskDesc(a[0].number));
            break;
        case ClientFn::GetTalkText:
            value = m_text.Text(client->GetTalkText(a[0].number));
            break;
        case ClientFn::ReservedQuery:
            value = m_text.Text(client->ReservedQuery(a[0].number));
            break;
        case ClientFn::AddTalkLine:
            value = client->AddTalkLine(TextArg(a[0]), a[1].number);
            break;
        case ClientFn::SetTalkWndPos: {
            RECT rc = RectOf(a[0]);
            client->SetTalkWndPos(rc);
            break;
        }
        case ClientFn::GetTalkWndRect: {
            RECT rc = RectOf(a[0]);
            client->GetTalkWndRect(rc);
            value = RectValue(rc);
            break;
        }
        case ClientFn::MoveTalkWnd:
            client->MoveTalkWnd(a[0].number, a[1].number);
            break;
        case ClientFn::CreateClientTalkWnd: {
            IWndCallback* callback =
                a[1].kind == CallArg::Kind::HostCallback ? &m_callback : nullptr;
            XWindow* wnd = client->CreateClientTalkWnd(a[0].number, callback);
            // A window is given by its id.
            value = wnd != nullptr ? Event(wnd->GetID()) : Event(nullptr);
            break;
        }
        case ClientFn::UpdateTaskList: {
            TaskListRecord record{};
            TaskListRecord* list = nullptr;
            if (a[0].kind == CallArg::Kind::TaskList) {
                record.nCount = a[0].list[0];
                for (int i = 0; i < 10; ++i)
                    record.nTaskID[i] = a[0].list[static_cast<size_t>(i) + 1];
                list = &record;
            }
            value = client->UpdateTaskList(list);
            break;
        }
        case ClientFn::CreateClientLogWnd:
            value = client->CreateClientLogWnd();
            break;
        case ClientFn::SetLogWndPos: {
            RECT rc = RectOf(a[0]);
            client->SetLogWndPos(rc);
            break;
        }
        case ClientFn::GetLogWndRect: {
            RECT rc = RectOf(a[0]);
            client->GetLogWndRect(rc);
            value = RectValue(rc);
            break;
        }
        case ClientFn::MoveLogWnd:
            client->MoveLogWnd(a[0].number, a[1].number);
            break;
        case ClientFn::HideLogWnd:
            client->HideLogWnd();
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
