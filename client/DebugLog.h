// The module's debug log: one line at a time to the host's message output,
// or to the operating system's debug channel until the host's is attached.
#pragma once

#include "client/HostInterfaces.h"

class CLogSink {
public:
    // Takes output if the sink holds none yet; a null output leaves it empty.
    // Returns whether an output is now held.
    bool Attach(IMsgOutput* output);
    // A sink that holds an output other than output takes output instead
    // (null too): a new host's output replaces that of a host that may be gone.
    void Follow(IMsgOutput* output);
    // Back to the load state: no output, not attached.
    void Reset();
    IMsgOutput* GetOutput() const { return m_pOutput; }
    bool IsAttached() const { return m_bAttached; }

private:
    IMsgOutput* m_pOutput = nullptr;
    bool m_bAttached = false;
};

namespace orvane {
extern CLogSink g_LogSink;
}

// Formats one line (cut to 2047 characters) and writes it to the sink's
// output, or to the debug channel followed by a separate "\r\n". Never
// throws: a line the output cannot take is dropped.
void WriteDebugLog(CLogSink& sink, const char* format, ...)
#if defined(__GNUC__) || defined(__clang__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
