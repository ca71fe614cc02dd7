#include "net/PacketFraming.h"

#include <cstring>

#include "client/HostInterfaces.h"
#include "client/HostServices.h"

namespace orvane {

void WritePacketHeader(IPacketBuffer& buf, uint16_t mainType, uint16_t subType)
{
    WriteU16LE(buf, kPacketMarker);
    WriteU16LE(buf, mainType);
    WriteU16LE(buf, subType);
}

int32_t WriteU8(IPacketBuffer& buf, uint8_t value)
{
    return buf.Write(&value, 1);
}

int32_t WriteU16LE(IPacketBuffer& buf, uint16_t value)
{
    const uint8_t bytes[2] = {static_cast<uint8_t>(value & 0xFFu),
                              static_cast<uint8_t>(value >> 8)};
    return buf.Write(bytes, sizeof bytes);
}

int32_t WriteI32LE(IPacketBuffer& buf, int32_t value)
{
    const uint32_t bits = static_cast<uint32_t>(value);
    const uint8_t bytes[4] = {
        static_cast<uint8_t>(bits & 0xFFu), static_cast<uint8_t>((bits >> 8) & 0xFFu),
        static_cast<uint8_t>((bits >> 16) & 0xFFu), static_cast<uint8_t>(bits >> 24)};
    return buf.Write(bytes, sizeof bytes);
}

int32_t WriteText(IPacketBuffer& buf, const char* text)
{
    if (text == nullptr)
        text = "";
    const size_t length = std::strlen(text);
    // A text longer than any buffer can hold cannot be written at all.
    if (length >= static_cast<size_t>(INT32_MAX))
        return 0;
    return buf.Write(text, static_cast<int32_t>(length) + 1);
}

bool SendToServer(const uint8_t* bytes, int32_t length)
{
    INetSender* sender = HostSender();
    if (sender == nullptr)
        return false;
    sender->Send(bytes, length);
    return true;
}

}  // namespace orvane
