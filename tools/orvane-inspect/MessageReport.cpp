#include "tools/orvane-inspect/MessageReport.h"

#include <istream>

#include "tools/hostlib/StreamLimits.h"
#include "tools/hostlib/Transcript.h"
#include "tools/orvane-inspect/Effects.h"
#include "tools/orvane-inspect/ModuleView.h"

namespace orvane::inspect {

namespace {

hostprog::Op OpOf(const std::string& line)
{
    hostprog::LineResult r = hostprog::ReadScenarioLine(line, 0);
    return r.op;
}

RunEvents EventsOf(const Json& events)
{
    RunEvents run;
    for (const Json& ev : events) {
        const std::string kind = ev.value("ev", "");
        if (kind == "log")
            run.log.push_back(ev["text"]);
        else if (kind == "debug")
            run.debug.push_back(ev["text"]);
        else if (kind == "timer" && ev.value("action", "") == "set" && ev.value("ms", 0) == 1000)
            run.shown = true;
    }
    return run;
}

}  // namespace

Inspector::Inspector() : m_collector(std::make_unique<Collector>()) {}

Inspector::~Inspector()
{
    m_session.reset();
}

bool Inspector::Start(const std::string& gameDir, std::string& reason)
{
    hostprog::Options options;
    options.gameDir = gameDir;
    if (!m_folders.Prepare(options, nullptr, reason))
        return false;
    m_session =
        std::make_unique<hostprog::Session>(*m_collector, m_folders.workGbk, m_folders.workUtf8);
    return true;
}

void Inspector::StartIn(const std::string& workUtf8, const std::string& workGbk)
{
    m_session = std::make_unique<hostprog::Session>(*m_collector, workGbk, workUtf8);
}

void Inspector::CreateClient()
{
    m_session->Run(OpOf(R"({"op": "create"})"));
    m_session->Run(OpOf(R"({"op": "call", "fn": "InitTaskObserver"})"));
    TakeEvents();
}

Json Inspector::TakeEvents()
{
    Json out = std::move(m_collector->events);
    m_collector->events = Json::array();
    m_collector->notes.clear();
    return out;
}

std::optional<Json> Inspector::Run(const hostprog::Op& op)
{
    const bool message =
        (op.kind == hostprog::OpKind::Talk || op.kind == hostprog::OpKind::TaskLog ||
         op.kind == hostprog::OpKind::Server) &&
        (op.msg == 87 || op.msg == 91);
    if (!message) {
        m_session->Run(op);
        return std::nullopt;
    }
    return ReportOn(op);
}

Json Inspector::ReportOn(const hostprog::Op& op)
{
    host::ReferenceHost& host = m_session->Host();
    const std::span<const uint8_t> bytes(op.bytes);
    Json report;
    report["message"] = op.msg;
    report["name"] = op.msg == 87 ? "NPC talk" : "task log";
    report["length"] = op.bytes.size();
    if (op.line > 0)
        report["line"] = op.line;
    Decoded87 d87;
    Decoded91 d91;
    report["fields"] = op.msg == 87 ? Decode87(bytes, d87) : Decode91(bytes, d91);

    TakeEvents();
    const ModuleView before = Capture(host);
    const bool reached = host.registry.CountFor(op.msg) > 0;
    Prediction p;
    if (reached)
        p = Predict(op.msg, bytes, before, host.Client()->m_pUiService != nullptr);
    TakeEvents();  // what the prediction wrote is not the module's doing
    m_session->Run(op);
    // The warnings the session gives a readable transcript, worked out by
    // the same code: both tools say the same.
    const std::vector<std::string> warnings = m_collector->notes;
    const RunEvents run = EventsOf(TakeEvents());
    const ModuleView after = Capture(host);

    EffectReport effects;
    if (!reached) {
        effects.effects["summary"] =
            "no delegate is registered for this message: it reaches nobody";
        effects.lost.push_back("the message reaches nobody");
    } else {
        effects = op.msg == 87 ? Effects87(d87, before, after, p, run)
                               : Effects91(d91, before, after, p, run);
    }
    if (op.msg == 91 && after.logDlg && reached) {
        // What the task log window shows now: its buttons and story, as a dump reports them.
        m_session->Run(OpOf(R"({"op": "dump", "window": 172})"));
        for (Json& ev : TakeEvents()) {
            if (ev.value("ev", "") != "window")
                continue;
            Json buttons = Json::array();
            for (const Json& b : ev["buttons"])
                if (b.value("visible", false))
                    buttons.push_back(b["caption"]);
            effects.effects["task_log_window_shows"] =
                Json{{"task_buttons", buttons}, {"story", ev["story"]}};
        }
    }
    effects.notes.insert(effects.notes.end(), warnings.begin(), warnings.end());
    report["effects"] = std::move(effects.effects);
    report["notes"] = effects.notes;
    report["lost"] = effects.lost;
    report["accepted_as_sent"] = effects.lost.empty();
    return report;
}

Json ReportOnMessage(Inspector& inspector, int32_t msg, const std::vector<uint8_t>& bytes)
{
    inspector.CreateClient();
    hostprog::Op op;
    op.kind = hostprog::OpKind::Server;
    op.name = "server";
    op.msg = msg;
    op.bytes = bytes;
    return *inspector.Run(op);
}

bool ReportOnScenario(Inspector& inspector, std::istream& in, const std::string& name,
                      std::vector<Json>& reports, std::string& error)
{
    std::string line;
    int number = 0;
    for (;;) {
        const hostprog::LineRead got = hostprog::ReadLimitedLine(in, line);
        if (got == hostprog::LineRead::kTooLong) {
            error = name + ":" + std::to_string(number + 1) + ": " + hostprog::LineTooLongText();
            return false;
        }
        if (got != hostprog::LineRead::kLine)
            break;
        ++number;
        hostprog::LineResult read = hostprog::ReadScenarioLine(line, number);
        if (read.kind == hostprog::LineResult::Kind::Error) {
            error = name + ":" + std::to_string(number) + ": " + read.text;
            return false;
        }
        if (read.kind != hostprog::LineResult::Kind::Op)
            continue;
        try {
            if (std::optional<Json> report = inspector.Run(read.op))
                reports.push_back(std::move(*report));
        } catch (const hostprog::LineFault& fault) {
            error = name + ":" + std::to_string(number) + ": " + fault.text;
            return false;
        }
        inspector.TakeEvents();
    }
    if (in.bad()) {
        error = name + ":" + std::to_string(number + 1) + ": the scenario cannot be read further";
        return false;
    }
    return true;
}

bool AcceptedAsSent(const Json& report)
{
    return report.value("accepted_as_sent", false);
}

}  // namespace orvane::inspect
