// Uses what a game client uses from the installed headers: the helper, the
// client interface, the host interfaces and the window command interface.
#include <orvane/client/TaskClientHelper.h>
#include <orvane/ui/TaskMainWnd.h>

#include <cstdio>

// Built from legacy.cpp, with the include names of 1.0.
bool LegacyNamesReachTheHelper();

int main()
{
    CTaskClientHelper helper;
    // A missing host is refused and leaves no client.
    const bool made = helper.Create(nullptr);
    ITaskClient* client = helper.GetITaskClient();
    helper.Close();
    ITaskWnd* (*toCommands)(CTaskMainWnd*) = [](CTaskMainWnd* w) -> ITaskWnd* { return w; };
    std::printf("create %d, client %s, commands %s\n", made ? 1 : 0, client ? "set" : "null",
                toCommands(nullptr) == nullptr ? "ok" : "bad");
    return made || client != nullptr || !LegacyNamesReachTheHelper() ? 1 : 0;
}
