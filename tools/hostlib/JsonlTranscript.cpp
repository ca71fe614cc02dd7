#include "tools/hostlib/Transcript.h"

namespace orvane::hostprog {

namespace {

class JsonlTranscript : public Transcript {
public:
    explicit JsonlTranscript(TextSink& out) : m_out(out) {}
    void Begin(const RunInfo&) override {}
    void Blank() override {}
    void Comment(const std::string&) override {}
    void OpStart(const Op&) override {}
    void Aside(const std::string&) override {}
    void Emit(const Event& event) override
    {
        m_out << event.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
              << '\n';
    }
    void Error(int line, const std::string& text) override
    {
        Event ev;
        ev["ev"] = "error";
        ev["line"] = line;
        ev["text"] = text;
        Emit(ev);
    }
    void Flush() override { m_out.Flush(); }

private:
    TextSink& m_out;
};

}  // namespace

std::unique_ptr<Transcript> MakeJsonlTranscript(TextSink& out)
{
    return std::make_unique<JsonlTranscript>(out);
}

}  // namespace orvane::hostprog
