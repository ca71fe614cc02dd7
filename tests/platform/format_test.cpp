// The module's bounded formatter. On Windows the conversions it shares with
// wvsprintfA are expanded by the system; these cases pin that both ways give
// the same text, and that every expansion stays inside its buffer.
#include "platform/Format.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct FormatCase {
    const char* name;
    size_t size;
    std::function<int(char*, size_t)> format;
    int wantResult;
    std::string wantText;
};

TEST(FormatText, ExpandsWithinTheBuffer)
{
    const std::string k1023(1023, 'a');
    const std::string k1024(1024, 'b');
    const std::string k3000(3000, 'c');
    const std::vector<FormatCase> cases = {
        {"script path", 260,
         [](char* d, size_t n) {
             return orvane::FormatText(d, n, "%s\\scp\\taskClient.res", "C:\\game");
         },
         26, "C:\\game\\scp\\taskClient.res"},
        {"link tag", 128,
         [](char* d, size_t n) {
             return orvane::FormatText(d, n, "<link url=\"%d\" underline=\"0\">", -7);
         },
         29, "<link url=\"-7\" underline=\"0\">"},
        {"numbers with width, zeros and both hex cases", 64,
         [](char* d, size_t n) {
             return orvane::FormatText(d, n, "%5d|%-5d|%05d|%x|%X|%u|%i", 42, 42, 42, 255u, 255u,
                                       4000000000u, -3);
         },
         37, "   42|42   |00042|ff|FF|4000000000|-3"},
        {"texts with precision and width", 64,
         [](char* d, size_t n) {
             return orvane::FormatText(d, n, "%.3s|%-6s|%6s", "abcdef", "ab", "cd");
         },
         17, "abc|ab    |    cd"},
        {"percent sign", 64,
         [](char* d, size_t n) { return orvane::FormatText(d, n, "100%% %s", "done"); }, 9,
         "100% done"},
        {"GBK bytes pass unchanged", 16,
         [](char* d, size_t n) {
             return orvane::FormatText(d, n, "%s", "\xCF\xD0\xC1\xC4" /* 闲聊 */);
         },
         4, "\xCF\xD0\xC1\xC4"},
        {"conversions only the C library knows", 64,
         [](char* d, size_t n) {
             return orvane::FormatText(d, n, "%+d|% d|%.3d|%#x|%lld", 5, 5, 5, 255u, -9LL);
         },
         17, "+5| 5|005|0xff|-9"},
        {"exact fit", 5, [](char* d, size_t n) { return orvane::FormatText(d, n, "%s", "abcd"); },
         4, "abcd"},
        {"one byte too long is cut", 5,
         [](char* d, size_t n) { return orvane::FormatText(d, n, "%s", "abcde"); }, -1, "abcd"},
        {"just below the system's 1024-byte limit", 2048,
         [&](char* d, size_t n) { return orvane::FormatText(d, n, "%s", k1023.c_str()); }, 1023,
         k1023},
        {"at the system's limit", 2048,
         [&](char* d, size_t n) { return orvane::FormatText(d, n, "%s", k1024.c_str()); }, 1024,
         k1024},
        {"a debug line of 3000 characters keeps 2047", 2048,
         [&](char* d, size_t n) { return orvane::FormatText(d, n, "%s", k3000.c_str()); }, -1,
         std::string(2047, 'c')},
        {"cut inside a number", 4,
         [](char* d, size_t n) { return orvane::FormatText(d, n, "%d", 123456); }, -1, "123"},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<char> buffer(c.size + 8, '\x7f');
        EXPECT_EQ(c.format(buffer.data(), c.size), c.wantResult);
        EXPECT_EQ(std::string(buffer.data()), c.wantText);
        for (size_t i = c.size; i < buffer.size(); ++i)
            ASSERT_EQ(buffer[i], '\x7f') << "written past the buffer at " << i;
    }
}

TEST(FormatText, RefusesAMissingBuffer)
{
    char one = 'x';
    EXPECT_EQ(orvane::FormatText(nullptr, 16, "%d", 1), -1);
    EXPECT_EQ(orvane::FormatText(&one, 0, "%d", 1), -1);
    EXPECT_EQ(one, 'x');
}

}  // namespace
