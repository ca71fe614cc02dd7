#include "host/ReferenceHost.h"

namespace orvane::host {

int32_t RecordingSender::Send(const uint8_t* bytes, int32_t length)
{
    // A negative length or missing bytes goes out as an empty packet: the
    // call is still seen, and nothing outside the caller's buffer is read.
    std::vector<uint8_t> packet;
    if (bytes && length > 0)
        packet.assign(bytes, bytes + length);
    HostEvent ev{};
    ev.kind = HostEvent::Kind::Packet;
    ev.bytes = packet;
    const auto sent = static_cast<int32_t>(packet.size());
    packets.push_back(std::move(packet));
    m_hub.Emit(ev);
    return sent;
}

}  // namespace orvane::host
