#include "host/ReferenceHost.h"

namespace orvane::host {

void RecordingOutput::Print(const char* text, uint32_t /*color*/, int32_t /*a*/, int32_t /*b*/,
                            int32_t /*c*/, int32_t /*d*/)
{
    // A null line is shown as an empty one rather than dropped, so that the
    // transcript still shows the call.
    std::string line = text ? text : "";
    HostEvent ev{};
    ev.kind = HostEvent::Kind::Print;
    ev.text = line;
    // Dropped a thousand at a time: the vector keeps its room, so a line
    // costs no more than its own text.
    if (lines.size() == 2 * kKeptLines)
        lines.erase(lines.begin(), lines.begin() + static_cast<long>(kKeptLines));
    lines.push_back(std::move(line));
    ++printed;
    m_hub.Emit(ev);
}

}  // namespace orvane::host
