// How the module's texts appear in the transcript: GBK converted to UTF-8,
// the work folder written as $WORKDIR, and a text that is not valid GBK
// given as {"hex": "..."}.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace orvane::hostprog {

class TranscriptText {
public:
    // workDirGbk: the work folder exactly as the module was given it.
    explicit TranscriptText(std::string workDirGbk) : m_workDir(std::move(workDirGbk)) {}
    nlohmann::ordered_json Text(const std::string& gbk) const;
    // The same for a text that may be missing.
    nlohmann::ordered_json Text(const char* gbk) const;
    // Replaces the work folder by $WORKDIR, matching whole GBK characters only.
    std::string Masked(const std::string& gbk) const;

private:
    std::string m_workDir;
};

}  // namespace orvane::hostprog
