#include "client/DebugLog.h"

#include <cstdarg>

#include "client/Contain.h"
#include "client/HostServices.h"
#include "platform/Format.h"
#include "platform/Win32.h"

namespace orvane {
CLogSink g_LogSink;
}

bool CLogSink::Attach(IMsgOutput* output)
{
    if (m_pOutput == nullptr)
        m_pOutput = output;
    m_bAttached = true;
    return m_pOutput != nullptr;
}

void CLogSink::Follow(IMsgOutput* output)
{
    if (m_pOutput != nullptr)
        m_pOutput = output;
}

void CLogSink::Reset()
{
    m_pOutput = nullptr;
    m_bAttached = false;
}

void WriteDebugLog(CLogSink& sink, const char* format, ...)
{
    char line[2048];
    va_list args;
    va_start(args, format);
    orvane::FormatTextV(line, sizeof line, format, args);
    va_end(args);
    // A line the host fails to show is lost; the operation writing it goes on.
    try {
        if (sink.GetOutput() != nullptr) {
            sink.GetOutput()->Print(line, 0xFF0000, 9, 0, 1, 0);
        } else {
            OutputDebugStringA(line);
            OutputDebugStringA("\r\n");
        }
    } catch (...) {
    }
}

void orvane::LogContainedFailure(const char* operation) noexcept
{
    // Without a host (a window left behind after Release) the output of the
    // last one may be gone: the debug channel takes the line.
    static CLogSink noOutput;
    WriteDebugLog(HasHost() ? g_LogSink : noOutput, "%s catch error", operation);
}
