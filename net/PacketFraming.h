// How fields are laid into a packet and how a packet reaches the server.
// Every packet is a 6-byte header (marker 16, main type, sub type, each a
// little-endian 16-bit word) and its body; it carries no length of its own.
// Each field is one Write, so a field that does not fit is left out whole.
#pragma once

#include <cstdint>

#include "net/PacketBuffer.h"

namespace orvane {

constexpr uint16_t kPacketMarker = 16;
constexpr int32_t kPacketHeaderSize = 6;

// The header as three separate 2-byte writes.
void WritePacketHeader(IPacketBuffer& buf, uint16_t mainType, uint16_t subType);

// Little-endian whatever the machine's byte order. Each returns Write's result.
int32_t WriteU8(IPacketBuffer& buf, uint8_t value);
int32_t WriteU16LE(IPacketBuffer& buf, uint16_t value);
int32_t WriteI32LE(IPacketBuffer& buf, int32_t value);
// Its bytes and its terminating zero in one write; a null text is written as
// the empty text (one zero byte).
int32_t WriteText(IPacketBuffer& buf, const char* text);

// Hands length bytes to the host's network sender. False, nothing sent, when
// there is no host or it has no sender; the sender's own result is not used.
bool SendToServer(const uint8_t* bytes, int32_t length);

}  // namespace orvane
