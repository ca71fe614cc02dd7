// The packet writer's result rules and the way fields are laid into packets.
#include "net/PacketBuffer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <vector>

#include "net/PacketFraming.h"
#include "tests/net/NetTestSupport.h"

namespace {

using orvane::test::Bytes;

enum class Op { Write, Read, Skip, Seek };

struct Step {
    Op op;
    int32_t arg;       // length, or the position for Seek
    int32_t result;    // what the operation returns
    int32_t position;  // GetLength() afterwards
};

struct BoundaryCase {
    const char* name;
    int32_t capacity;
    std::vector<Step> steps;
};

// Source bytes for writes and a known fill for the storage, so that a failed
// operation can be seen to have changed nothing.
constexpr uint8_t kFill = 0xEE;
uint8_t SourceByte(size_t i)
{
    return static_cast<uint8_t>(0xA0 + i);
}

TEST(PacketBuffer, BoundaryRules)
{
    const BoundaryCase cases[] = {
        {"write up to capacity, then one byte more",
         8,
         {{Op::Write, 6, 1, 6}, {Op::Write, 2, 1, 8}, {Op::Write, 1, 0, 8}, {Op::Write, 0, 1, 8}}},
        {"one byte over capacity from the start", 8, {{Op::Write, 9, 0, 0}}},
        {"a later write that fits still goes in",
         8,
         {{Op::Write, 6, 1, 6}, {Op::Write, 4, 0, 6}, {Op::Write, 2, 1, 8}}},
        {"negative lengths and positions are refused",
         8,
         {{Op::Write, -1, 0, 0},
          {Op::Read, -1, 0, 0},
          {Op::Skip, -1, -1, 0},
          {Op::Seek, -1, -1, 0},
          {Op::Seek, INT_MIN, -1, 0},
          {Op::Write, INT_MIN, 0, 0}}},
        {"huge lengths do not wrap around",
         8,
         {{Op::Write, 3, 1, 3},
          {Op::Write, INT_MAX, 0, 3},
          {Op::Skip, INT_MAX, -1, 3},
          {Op::Read, INT_MAX, 0, 3},
          {Op::Seek, INT_MAX, -1, 3}}},
        {"seek to capacity succeeds, one past fails",
         8,
         {{Op::Write, 2, 1, 2}, {Op::Seek, 8, 2, 8}, {Op::Seek, 9, -1, 8}, {Op::Seek, 0, 8, 0}}},
        {"skip reserves room and returns the old position",
         8,
         {{Op::Skip, 2, 0, 2},
          {Op::Write, 3, 1, 5},
          {Op::Seek, 0, 5, 0},
          {Op::Write, 2, 1, 2},
          {Op::Seek, 5, 2, 5},
          {Op::Skip, 3, 5, 8},
          {Op::Skip, 1, -1, 8},
          {Op::Skip, 0, 8, 8}}},
        {"read up to capacity, then one byte more",
         8,
         {{Op::Read, 5, 1, 5}, {Op::Read, 3, 1, 8}, {Op::Read, 1, 0, 8}}},
        {"no room at all",
         0,
         {{Op::Write, 1, 0, 0},
          {Op::Write, 0, 1, 0},
          {Op::Seek, 0, 0, 0},
          {Op::Seek, 1, -1, 0},
          {Op::Skip, 1, -1, 0}}},
        {"a negative capacity gives no room", -4, {{Op::Write, 1, 0, 0}, {Op::Seek, 1, -1, 0}}},
    };

    for (const BoundaryCase& c : cases) {
        SCOPED_TRACE(c.name);
        const int32_t room = c.capacity > 0 ? c.capacity : 0;
        std::vector<uint8_t> storage(static_cast<size_t>(room) + 4, kFill);
        std::vector<uint8_t> source(64);
        for (size_t i = 0; i < source.size(); ++i)
            source[i] = SourceByte(i);
        CPacketBuffer buf(storage.data(), c.capacity);

        for (size_t s = 0; s < c.steps.size(); ++s) {
            const Step& step = c.steps[s];
            SCOPED_TRACE("step " + std::to_string(s));
            const std::vector<uint8_t> before = storage;
            const int32_t oldPos = buf.GetLength();
            std::vector<uint8_t> out(64, 0x55);
            int32_t result = 0;
            switch (step.op) {
                case Op::Write:
                    result = buf.Write(source.data(), step.arg);
                    break;
                case Op::Read:
                    result = buf.Read(out.data(), step.arg);
                    break;
                case Op::Skip:
                    result = buf.Skip(step.arg);
                    break;
                case Op::Seek:
                    result = buf.Seek(step.arg);
                    break;
            }
            EXPECT_EQ(result, step.result);
            EXPECT_EQ(buf.GetLength(), step.position);
            EXPECT_EQ(buf.GetRemaining(), room - step.position);
            EXPECT_EQ(buf.CurrentPointer(), storage.data() + step.position);

            const bool failed = result == 0 || result == -1;
            if (step.op == Op::Write && !failed) {
                for (int32_t i = 0; i < step.arg; ++i)
                    ASSERT_EQ(storage[static_cast<size_t>(oldPos + i)], SourceByte(size_t(i)));
                for (size_t i = 0; i < storage.size(); ++i) {
                    if (i < size_t(oldPos) || i >= size_t(oldPos + step.arg)) {
                        ASSERT_EQ(storage[i], before[i]) << "byte " << i;
                    }
                }
            } else {
                EXPECT_EQ(storage, before);
            }
            if (step.op == Op::Read) {
                const int32_t copied = failed ? 0 : step.arg;
                for (int32_t i = 0; i < 64; ++i)
                    ASSERT_EQ(out[size_t(i)], i < copied ? storage[size_t(oldPos + i)] : 0x55);
            }
        }
    }
}

TEST(PacketBuffer, NullDataIsRefusedUnlessEmpty)
{
    uint8_t storage[4] = {};
    CPacketBuffer buf(storage, sizeof storage);
    EXPECT_EQ(buf.Write(nullptr, 1), 0);
    EXPECT_EQ(buf.Read(nullptr, 1), 0);
    EXPECT_EQ(buf.Write(nullptr, 0), 1);
    EXPECT_EQ(buf.GetLength(), 0);

    CPacketBuffer none(nullptr, 16);
    EXPECT_EQ(none.GetRemaining(), 0);
    EXPECT_EQ(none.Write(storage, 1), 0);
}

struct LayoutCase {
    const char* name;
    std::function<void(IPacketBuffer&)> write;
    std::vector<uint8_t> bytes;
};

TEST(PacketFraming, FieldLayout)
{
    const LayoutCase cases[] = {
        {"talk answer header", [](IPacketBuffer& b) { orvane::WritePacketHeader(b, 5, 87); },
         Bytes({0x10, 0x00, 0x05, 0x00, 0x57, 0x00})},
        {"script call header", [](IPacketBuffer& b) { orvane::WritePacketHeader(b, 22, 0); },
         Bytes({0x10, 0x00, 0x16, 0x00, 0x00, 0x00})},
        {"32-bit", [](IPacketBuffer& b) { orvane::WriteI32LE(b, 0x12345678); },
         Bytes({0x78, 0x56, 0x34, 0x12})},
        {"negative 32-bit", [](IPacketBuffer& b) { orvane::WriteI32LE(b, -2); },
         Bytes({0xFE, 0xFF, 0xFF, 0xFF})},
        {"one byte", [](IPacketBuffer& b) { orvane::WriteU8(b, 3); }, Bytes({0x03})},
        {"text", [](IPacketBuffer& b) { orvane::WriteText(b, "quit"); },
         Bytes({0x71, 0x75, 0x69, 0x74, 0x00})},
        {"empty text", [](IPacketBuffer& b) { orvane::WriteText(b, ""); }, Bytes({0x00})},
        {"null text", [](IPacketBuffer& b) { orvane::WriteText(b, nullptr); }, Bytes({0x00})},
        {"GBK text goes as its bytes",
         [](IPacketBuffer& b) { orvane::WriteText(b, "\xCF\xD0\xC1\xC4" /* 闲聊 */); },
         Bytes({0xCF, 0xD0, 0xC1, 0xC4, 0x00})},
        {"no padding between fields",
         [](IPacketBuffer& b) {
             orvane::WriteU8(b, 1);
             orvane::WriteI32LE(b, 2);
             orvane::WriteText(b, "a");
             orvane::WriteU16LE(b, 3);
         },
         Bytes({0x01, 0x02, 0x00, 0x00, 0x00, 0x61, 0x00, 0x03, 0x00})},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        uint8_t storage[64] = {};
        CPacketBuffer buf(storage, sizeof storage);
        c.write(buf);
        ASSERT_EQ(buf.GetLength(), static_cast<int32_t>(c.bytes.size()));
        EXPECT_EQ(std::vector<uint8_t>(storage, storage + buf.GetLength()), c.bytes);
    }
}

TEST(PacketFraming, AFieldThatDoesNotFitIsLeftOutWhole)
{
    uint8_t storage[10];
    std::memset(storage, kFill, sizeof storage);
    CPacketBuffer buf(storage, sizeof storage);
    orvane::WritePacketHeader(buf, 5, 92);
    EXPECT_EQ(buf.GetRemaining(), 4);
    EXPECT_EQ(orvane::WriteText(buf, "long"), 0);  // 5 bytes with its zero
    EXPECT_EQ(orvane::WriteText(buf, "abc"), 1);
    EXPECT_EQ(orvane::WriteU8(buf, 1), 0);
    EXPECT_EQ(std::vector<uint8_t>(storage, storage + 10),
              Bytes({0x10, 0x00, 0x05, 0x00, 0x5C, 0x00, 0x61, 0x62, 0x63, 0x00}));
}

}  // namespace
