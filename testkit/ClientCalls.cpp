#include "testkit/ClientCalls.h"

#include "client/ITaskClient.h"
#include "ui/Panelkit.h"

namespace orvane::fuzz {

void ClientCall(ITaskClient* client, ActionReader& in, IWndCallback& callback)
{
    const uint8_t which = in.U8();
    if (client == nullptr)
        return;
    RECT rc{};
    switch (which % 14) {
        case 0: {
            const std::string text = ReadText(in);
            client->AddTalkLine(text.c_str(), in.I32());
            break;
        }
        case 1:
            rc = ReadRect(in);
            client->SetTalkWndPos(rc);
            break;
        case 2:
            client->GetTalkWndRect(rc);
            break;
        case 3: {
            // Operands in input order, whatever the compiler's argument order.
            const int16_t dx = in.I16();
            client->MoveTalkWnd(dx, in.I16());
            break;
        }
        case 4: {
            TaskListRecord list{};
            list.nCount = in.I32();
            for (int32_t& id : list.nTaskID)
                id = in.I32();
            client->UpdateTaskList(&list);
            break;
        }
        case 5:
            client->CreateClientLogWnd();
            break;
        case 6:
            rc = ReadRect(in);
            client->SetLogWndPos(rc);
            break;
        case 7:
            client->GetLogWndRect(rc);
            break;
        case 8: {
            // Operands in input order, whatever the compiler's argument order.
            const int16_t dx = in.I16();
            client->MoveLogWnd(dx, in.I16());
            break;
        }
        case 9:
            client->HideLogWnd();
            break;
        case 10:
            client->InitTaskObserver();
            break;
        case 11: {
            const int32_t id = in.I32();
            client->GetTaskName(id);
            client->GetTaskDesc(id);
            client->GetTalkText(id);
            client->ReservedQuery(id);
            break;
        }
        case 12: {
            const int32_t id = in.I32();
            client->CreateClientTalkWnd(id, (in.U8() & 1) ? &callback : nullptr);
            break;
        }
        default:
            client->UpdateTaskList(nullptr);
            break;
    }
}

}  // namespace orvane::fuzz
