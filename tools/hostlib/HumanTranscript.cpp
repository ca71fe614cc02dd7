// The readable transcript: every event on one line under the scenario step
// that caused it, scenario comments as narration, windows drawn as boxes.
#include <optional>

#include "host/Encoding.h"
#include "tools/hostlib/HumanText.h"
#include "tools/hostlib/Transcript.h"
#include "tools/hostlib/WindowBoxes.h"

namespace orvane::hostprog {

namespace {

constexpr const char* kIndent = "    ";

std::string Label(const std::string& label)
{
    std::string padded = label;
    if (padded.size() < 10)
        padded.resize(10, ' ');
    return std::string(kIndent) + padded + " ";
}

std::string Int(const Event& v)
{
    return v.is_number() ? v.dump() : "?";
}

std::string ValueText(const Event& ev)
{
    const Event& v = ev["value"];
    if (v.is_string() || (v.is_object() && v.contains("hex")))
        return Quoted(v);
    if (ev.contains("fn") && ev["fn"] == "CreateClientTalkWnd" && v.is_number())
        return "window " + v.dump();
    if (v.is_array() && v.size() == 4)
        return "(" + v[0].dump() + "," + v[1].dump() + ")-(" + v[2].dump() + "," + v[3].dump() +
               ")";
    return v.dump();
}

std::vector<uint8_t> BytesOf(const std::string& hex)
{
    std::string reason;
    return ParseHex(hex, reason).value_or(std::vector<uint8_t>());
}

int32_t Int32At(const std::vector<uint8_t>& b, size_t at)
{
    return static_cast<int32_t>(
        static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
        static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24);
}

// The readable meaning of the module's two packets.
std::string PacketMeaning(const std::string& hex)
{
    const std::vector<uint8_t> b = BytesOf(hex);
    auto word = [&](size_t at) { return b[at] | b[at + 1] << 8; };
    if (b.size() < 6 || word(0) != 16)
        return "";
    const int main = word(2);
    const int sub = word(4);
    if (main == 5 && sub == 87 && b.size() == 18)
        return "talk answer: key " + hex.substr(12, 16) + ", link " +
               std::to_string(Int32At(b, 14));
    if (main == 5 && sub == 92 && b.size() == 10)
        return "delete task " + std::to_string(Int32At(b, 6));
    return "main type " + std::to_string(main) + ", sub type " + std::to_string(sub);
}

std::string SpacedHex(const std::string& hex)
{
    std::string out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out += (out.empty() ? "" : " ") + hex.substr(i, 2);
    return out;
}

class HumanTranscript : public Transcript {
public:
    HumanTranscript(TextSink& out, std::function<int64_t()> clock, std::string confirmHint)
        : m_out(out), m_clock(std::move(clock)), m_confirmHint(std::move(confirmHint))
    {
    }

    void Begin(const RunInfo& info) override
    {
        m_out << info.program << ": work folder " << info.workDir << " (written $WORKDIR below"
              << (info.removedAtExit ? "; removed at exit" : "") << ")\n";
        m_out << "  game folder " << info.gameDir << ", scenario " << info.scenario << "\n";
        m_out << "  Each scenario step starts with its line number; the indented lines under it"
                 " are what the module did.\n";
    }

    void Blank() override { m_paragraph = true; }

    void Comment(const std::string& text) override
    {
        if (!m_inComment || m_paragraph)
            m_out << "\n";
        m_inComment = true;
        m_paragraph = false;
        m_out << "# " << text << "\n";
    }

    void OpStart(const Op& op) override
    {
        m_inComment = false;
        m_paragraph = false;
        m_out << "line " << op.line << ": " << Escaped(op.summary) << "\n";
    }

    void Emit(const Event& ev) override
    {
        const std::string kind = ev.value("ev", "");
        if (kind == "window") {
            for (const std::string& line : WindowBoxLines(ev))
                m_out << kIndent << line << "\n";
            return;
        }
        m_out << Line(kind, ev) << "\n";
    }

    void Aside(const std::string& text) override
    {
        m_inComment = false;
        m_paragraph = false;
        m_out << "> " << Escaped(text) << "\n";
    }

    void Note(const std::string& text) override { m_out << Label("note") << text << "\n"; }

    // Also told on standard error; here it ends the transcript in its place.
    void Error(int line, const std::string& text) override
    {
        m_out << Label("error") << "line " << line << ": " << text << "\n";
    }
    void Flush() override { m_out.Flush(); }

private:
    std::string Line(const std::string& kind, const Event& ev)
    {
        if (kind == "result")
            return Label("result") + ValueText(ev);
        if (kind == "log")
            return Label("log") + Shown(ev["text"]);
        if (kind == "debug")
            return Label("debug") + Shown(ev["text"]);
        if (kind == "packet") {
            const std::string hex = ev["hex"].get<std::string>();
            const std::string meaning = PacketMeaning(hex);
            return Label("packet") + SpacedHex(hex) + "  (" + std::to_string(hex.size() / 2) +
                   " bytes" + (meaning.empty() ? "" : ": " + meaning) + ")";
        }
        if (kind == "timer") {
            const std::string action = ev.value("action", "");
            const std::string which = "timer " + Int(ev["id"]) + " of sink " + Int(ev["sink"]);
            if (action == "set")
                return Label("timer") + "set " + which + " for " + Int(ev["ms"]) + " ms";
            if (action == "kill")
                return Label("timer") + "kill " + which;
            return Label("timer") + which + " fires at " + std::to_string(m_clock()) + " ms";
        }
        if (kind == "register" || kind == "unregister")
            return Label("registry") + kind + " message " + Int(ev["msg"]);
        if (kind == "open-window")
            return Label("ui") + "open window " + Int(ev["id"]);
        if (kind == "confirm-box")
            return Label("ui") + "confirmation box " + Quoted(ev["text"]) + " opens (" +
                   m_confirmHint + ")";
        if (kind == "callback")
            return Label("callback") + "code " + Int(ev["code"]) + ", type " + Int(ev["type"]) +
                   ", value " + Int(ev["value"]) + ", extra " + Int(ev["extra"]);
        if (kind == "no-window")
            return Label("no window") + "window " + Int(ev["id"]) +
                   " does not exist: nothing happens";
        if (kind == "file")
            return FileLine(ev);
        if (kind == "miss" && ev.contains("empty"))
            return Label("miss") + "link " + Int(ev["link"]) + " of window " + Int(ev["window"]) +
                   " has no text: a player cannot click it, so nothing is clicked";
        if (kind == "without")
            return Label("host") + "no " + ev.value("service", "") + " service: its " +
                   ev.value("member", "") + " is null";
        if (kind == "missing")
            return Label("missing") + ev.value("op", "") + " needs the host's " +
                   ev.value("service", "") +
                   " service, which is not there: " + ev.value("effect", "");
        if (kind == "miss")
            return Label("miss") + "the click at (" + Int(ev["at"][0]) + "," + Int(ev["at"][1]) +
                   ") does not reach window " + Int(ev["window"]) + ": " +
                   (ev["hit"].is_null() ? std::string("nothing is there")
                                        : "window " + Int(ev["hit"]) + " is on top there");
        if (kind == "load-failed")
            return Label("loader") + Shown(ev["text"]);
        if (kind == "snapshot")
            return Label("snapshot") + ev.value("path", "") + " written (" + Int(ev["width"]) +
                   " x " + Int(ev["height"]) + ")";
        return Label(kind) + ev.dump();
    }

    std::string FileLine(const Event& ev)
    {
        const std::string name = ev.value("name", "");
        if (ev["hex"].is_null())
            return Label("file") + name + " does not exist";
        const std::string hex = ev["hex"].get<std::string>();
        std::string line = Label("file") + name + ", " + std::to_string(hex.size() / 2) + " bytes";
        const std::vector<uint8_t> bytes = BytesOf(hex);
        const std::optional<std::string> text =
            host::GbkToUtf8(std::string(bytes.begin(), bytes.end()));
        if (text)
            line += ": \"" + Escaped(*text) + "\"";
        else if (!hex.empty())
            line += ": " + SpacedHex(hex.substr(0, 96)) + (hex.size() > 96 ? " ..." : "");
        return line;
    }

    TextSink& m_out;
    std::function<int64_t()> m_clock;
    std::string m_confirmHint;
    bool m_inComment = false;
    bool m_paragraph = false;
};

}  // namespace

std::unique_ptr<Transcript> MakeHumanTranscript(TextSink& out, std::function<int64_t()> clock,
                                                std::string confirmHint)
{
    return std::make_unique<HumanTranscript>(out, std::move(clock), std::move(confirmHint));
}

}  // namespace orvane::hostprog
