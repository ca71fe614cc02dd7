#include "platform/DebugChannel.h"
#include "platform/Win32Stub.h"

namespace orvane::platform {
namespace {
std::vector<std::string>& Writes()
{
    static std::vector<std::string> writes;
    return writes;
}

std::function<void(const std::string&)>& Listener()
{
    static std::function<void(const std::string&)> listener;
    return listener;
}

void Record(const char* text, void*)
{
    Writes().emplace_back(text);
    if (Listener())
        Listener()(Writes().back());
}
}  // namespace

void StartDebugCapture()
{
    orvane_win32_set_debug_listener(&Record, nullptr);
}

std::vector<std::string> TakeDebugWrites()
{
    std::vector<std::string> out;
    out.swap(Writes());
    return out;
}

void SetDebugWriteListener(std::function<void(const std::string&)> listener)
{
    Listener() = std::move(listener);
}

void StopDebugCapture()
{
    orvane_win32_set_debug_listener(nullptr, nullptr);
    Writes().clear();
}

}  // namespace orvane::platform
