#include "host/Encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace orvane::host {
namespace {

TEST(EncodingTest, ConvertsBothWays)
{
    const struct {
        const char* utf8;
        std::string gbk;
    } cases[] = {
        {"", ""},
        {"plain ASCII 123", "plain ASCII 123"},
        {"闲聊", "\xCF\xD0\xC1\xC4"},
        {"确认删除吗?", "\xC8\xB7\xC8\xCF\xC9\xBE\xB3\xFD\xC2\xF0?"},
        {"a#b", "a#b"},
        {"€", "\x80"},  // code page 936's single-byte euro
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(Utf8ToGbk(c.utf8), c.gbk);
        EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8);
    }
    EXPECT_EQ(Utf8ToGbk(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(EncodingTest, RefusesWhatCannotBeConverted)
{
    const char* badUtf8[] = {
        "\xFF",              // never valid
        "\xE9\x97",          // 闲 cut short
        "ok\xC0\xAF",        // overlong '/'
        "\xF0\x9F\x98\x80",  // an emoji: valid UTF-8, not in GBK
        "\xED\xA0\x80",      // a lone surrogate
    };
    for (const char* text : badUtf8) {
        SCOPED_TRACE(testing::PrintToString(std::string(text)));
        EXPECT_EQ(Utf8ToGbk(text), std::nullopt);
    }
    const char* badGbk[] = {
        "\xCF",      // lead byte without its trail
        "ab\xCF",    // the same at the end of a text
        "\xFF\xFF",  // never valid
        "\x81\x7F",  // 0x7F is no trail byte
    };
    for (const char* text : badGbk) {
        SCOPED_TRACE(testing::PrintToString(std::string(text)));
        EXPECT_EQ(GbkToUtf8(text), std::nullopt);
    }
}

}  // namespace
}  // namespace orvane::host
