// OutputDebugStringA raises DBG_PRINTEXCEPTION_C before it looks for a
// debugger; a vectored handler sees that exception first, records the text
// and lets the call go on as usual.
#include "platform/DebugChannel.h"
#include "platform/Win32.h"

namespace orvane::platform {
namespace {
#ifndef DBG_PRINTEXCEPTION_C
#define DBG_PRINTEXCEPTION_C 0x40010006
#endif

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

PVOID g_handler = nullptr;

LONG CALLBACK OnException(PEXCEPTION_POINTERS info)
{
    const EXCEPTION_RECORD* rec = info->ExceptionRecord;
    if (rec->ExceptionCode == DBG_PRINTEXCEPTION_C && rec->NumberParameters >= 2) {
        const char* text = reinterpret_cast<const char*>(rec->ExceptionInformation[1]);
        size_t len = static_cast<size_t>(rec->ExceptionInformation[0]);
        if (text != nullptr) {
            // The length counts the terminating zero.
            if (len > 0 && text[len - 1] == '\0')
                --len;
            Writes().emplace_back(text, len);
            if (Listener())
                Listener()(Writes().back());
        }
    }
    return EXCEPTION_CONTINUE_SEARCH;
}
}  // namespace

void StartDebugCapture()
{
    if (g_handler == nullptr)
        g_handler = AddVectoredExceptionHandler(1, &OnException);
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
    if (g_handler != nullptr) {
        RemoveVectoredExceptionHandler(g_handler);
        g_handler = nullptr;
    }
    Writes().clear();
}

}  // namespace orvane::platform
