// The packet writer: a cursor over caller-owned storage that never grows.
// A write, read, skip or seek that does not fit, or has a negative length or
// position, fails and changes nothing, so a field that does not fit is left
// out and the smaller fields after it still go in.
#pragma once

#include <cstdint>

class IPacketBuffer {
public:
    // 1 after copying length bytes in and moving on; 0, nothing changed, when
    // they do not fit.
    virtual int32_t Write(const void* data, int32_t length) = 0;
    // 1 after copying length bytes out and moving on; 0, nothing changed, when
    // fewer than length bytes remain.
    virtual int32_t Read(void* out, int32_t length) = 0;
    virtual uint8_t* CurrentPointer() = 0;
    // Moves on by length and returns the old position, so a caller can reserve
    // room and fill it later through Seek; -1, nothing changed, when it does
    // not fit.
    virtual int32_t Skip(int32_t length) = 0;
    // Moves to position (at most the capacity) and returns the old position;
    // -1, nothing changed, otherwise.
    virtual int32_t Seek(int32_t position) = 0;
    // The position: after writing, the packet's length in bytes.
    virtual int32_t GetLength() = 0;
    virtual int32_t GetRemaining() = 0;

protected:
    ~IPacketBuffer() = default;
};

class CPacketBuffer : public IPacketBuffer {
public:
    // The storage stays the caller's. A negative capacity, or a null buffer,
    // gives a writer with no room.
    CPacketBuffer(uint8_t* buffer, int32_t capacity);
    virtual ~CPacketBuffer();
    CPacketBuffer(const CPacketBuffer&) = delete;
    CPacketBuffer& operator=(const CPacketBuffer&) = delete;

    int32_t Write(const void* data, int32_t length) override;
    int32_t Read(void* out, int32_t length) override;
    uint8_t* CurrentPointer() override;
    int32_t Skip(int32_t length) override;
    int32_t Seek(int32_t position) override;
    int32_t GetLength() override;
    int32_t GetRemaining() override;

private:
    // Whether length more bytes fit from the current position (no overflow:
    // 0 <= position <= capacity always holds).
    bool Fits(int32_t length) const;

    int32_t m_nPosition;
    uint8_t* m_pBuffer;
    int32_t m_nCapacity;
};
