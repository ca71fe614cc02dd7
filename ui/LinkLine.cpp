#include "ui/LinkLine.h"

#include "platform/Format.h"

namespace orvane {

namespace {
const char kLinkOpenFormat[] = "<link url=\"%d\" underline=\"0\">";
const char kLinkClose[] = "</link>";
}  // namespace

std::string LinkLine(int32_t number, std::string_view text)
{
    // Room for any 32-bit number: the tag always fits.
    char open[64];
    FormatText(open, sizeof open, kLinkOpenFormat, static_cast<int>(number));
    std::string line(open);
    line.append(text).append(kLinkClose);
    return line;
}

}  // namespace orvane
