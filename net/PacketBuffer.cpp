#include "net/PacketBuffer.h"

#include <cstring>

CPacketBuffer::CPacketBuffer(uint8_t* buffer, int32_t capacity)
    : m_nPosition(0),
      m_pBuffer(buffer),
      m_nCapacity(buffer != nullptr && capacity > 0 ? capacity : 0)
{
}

CPacketBuffer::~CPacketBuffer() = default;

bool CPacketBuffer::Fits(int32_t length) const
{
    return length >= 0 && length <= m_nCapacity - m_nPosition;
}

int32_t CPacketBuffer::Write(const void* data, int32_t length)
{
    if (!Fits(length) || (data == nullptr && length > 0))
        return 0;
    if (length > 0)
        std::memcpy(m_pBuffer + m_nPosition, data, static_cast<size_t>(length));
    m_nPosition += length;
    return 1;
}

int32_t CPacketBuffer::Read(void* out, int32_t length)
{
    if (!Fits(length) || (out == nullptr && length > 0))
        return 0;
    if (length > 0)
        std::memcpy(out, m_pBuffer + m_nPosition, static_cast<size_t>(length));
    m_nPosition += length;
    return 1;
}

uint8_t* CPacketBuffer::CurrentPointer()
{
    return m_pBuffer != nullptr ? m_pBuffer + m_nPosition : nullptr;
}

int32_t CPacketBuffer::Skip(int32_t length)
{
    if (!Fits(length))
        return -1;
    const int32_t old = m_nPosition;
    m_nPosition += length;
    return old;
}

int32_t CPacketBuffer::Seek(int32_t position)
{
    if (position < 0 || position > m_nCapacity)
        return -1;
    const int32_t old = m_nPosition;
    m_nPosition = position;
    return old;
}

int32_t CPacketBuffer::GetLength()
{
    return m_nPosition;
}

int32_t CPacketBuffer::GetRemaining()
{
    return m_nCapacity - m_nPosition;
}
