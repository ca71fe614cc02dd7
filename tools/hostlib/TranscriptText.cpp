#include "tools/hostlib/TranscriptText.h"

#include "host/Encoding.h"
#include "tools/hostlib/Scenario.h"

namespace orvane::hostprog {

std::string TranscriptText::Masked(const std::string& gbk) const
{
    if (m_workDir.empty())
        return gbk;
    std::string out;
    size_t i = 0;
    while (i < gbk.size()) {
        if (gbk.compare(i, m_workDir.size(), m_workDir) == 0) {
            out += "$WORKDIR";
            i += m_workDir.size();
            continue;
        }
        // A lead byte takes its trail byte along, so that a match never
        // starts in the middle of a two-byte character.
        const auto b = static_cast<unsigned char>(gbk[i]);
        const size_t n = (b >= 0x81 && b <= 0xFE && i + 1 < gbk.size()) ? 2 : 1;
        out.append(gbk, i, n);
        i += n;
    }
    return out;
}

nlohmann::ordered_json TranscriptText::Text(const std::string& gbk) const
{
    const std::string masked = Masked(gbk);
    if (std::optional<std::string> utf8 = host::GbkToUtf8(masked))
        return *utf8;
    nlohmann::ordered_json hex;
    hex["hex"] = ToHex(masked);
    return hex;
}

nlohmann::ordered_json TranscriptText::Text(const char* gbk) const
{
    if (gbk == nullptr)
        return nullptr;
    return Text(std::string(gbk));
}

}  // namespace orvane::hostprog
