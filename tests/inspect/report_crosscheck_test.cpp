// The inspector's report set beside the module itself: every seed message
// of the fuzz sessions and a few thousand deterministic mutations of them
// are inspected, then played on a fresh reference host session, and the
// log lines, tables, talk window lines and panel text, sequencer state and
// the answer packet of a click must be what the report said.
#include <gtest/gtest.h>

#include <random>

#include "client/ModuleState.h"
#include "client/TaskClient.h"
#include "host/Encoding.h"
#include "tasks/TaskTalkSequencer.h"
#include "testkit/ModuleActions.h"
#include "tools/hostlib/Messages.h"
#include "tools/hostlib/Session.h"
#include "tools/orvane-inspect/MessageReport.h"
#include "tools/orvane-inspect/ModuleView.h"

namespace orvane::inspect {
namespace {

hostprog::Op OpOf(const std::string& line)
{
    return hostprog::ReadScenarioLine(line, 1).op;
}

hostprog::Op Message(int32_t msg, const std::vector<uint8_t>& bytes)
{
    hostprog::Op op;
    op.kind = hostprog::OpKind::Server;
    op.name = "server";
    op.msg = msg;
    op.bytes = bytes;
    return op;
}

// Talks whose links show at once, so that clicks answer the server: one
// page, one choice page alone, a menu, and link values at the edges.
std::vector<fuzz::SeedMessage> ShownLinks()
{
    using Page = hostprog::TalkPageInput;
    const std::vector<std::vector<Page>> talks = {
        {Page{1001, {{1, 5001}, {2, 5002}}}},
        {Page{1002, {{0, 5004}, {7, 5005}, {-1, 5006}}}},
        {Page{0, {{0, 9001}, {2147483647, 5003}}},
         Page{1002, {{0, 5004}, {-2147483647 - 1, 5005}}}},
        {Page{1001, {{0, 5001}, {3, 9001}}}, Page{1002, {{0, 5004}, {4, 5005}}},
         Page{0, {{5, 9001}}}},
        {Page{0, {{-1000000000, 9001}}}},
    };
    std::vector<fuzz::SeedMessage> out;
    for (const auto& pages : talks) {
        hostprog::TalkMessageInput m;
        m.key = {1, 2, 3, 4, 5, 6, 7, 8};
        m.pages = pages;
        m.sentences = std::vector<std::pair<int32_t, std::string>>{{9001, "a"}, {5003, "b"}};
        std::string reason;
        out.push_back({87, *hostprog::BuildTalkMessage(m, reason)});
    }
    return out;
}

class MessageReportCrossCheck : public ::testing::Test {
protected:
    ~MessageReportCrossCheck() override { fuzz::ResetModule(); }

    Json ReportOn(int32_t msg, const std::vector<uint8_t>& bytes)
    {
        fuzz::ResetModule();
        Inspector inspector;
        inspector.StartIn(folder.String(), folder.String());
        inspector.SessionOf().Host().loader.UseParsedScripts(&folder.Scripts());
        Json report = ReportOnMessage(inspector, msg, bytes);
        fuzz::ResetModule();  // while the host the client uses is still there
        return report;
    }

    // The same message on a fresh session of its own; fails the test where
    // the module did something else than the report says.
    void Check(int32_t msg, const std::vector<uint8_t>& bytes, const std::string& what)
    {
        const Json report = ReportOn(msg, bytes);
        for (const Json& note : report["notes"])
            ASSERT_EQ(note.get<std::string>().rfind("inspector fault", 0), std::string::npos)
                << what << ": " << note;
        ASSERT_EQ(report["accepted_as_sent"].get<bool>(), report["lost"].empty()) << what;

        fuzz::ResetModule();
        Collector out;
        hostprog::Session session(out, folder.String(), folder.String());
        session.Host().loader.UseParsedScripts(&folder.Scripts());
        // The client ends before the host it uses.
        struct EndClient {
            ~EndClient() { fuzz::ResetModule(); }
        } endClient;
        session.Run(OpOf(R"({"op": "create"})"));
        session.Run(OpOf(R"({"op": "call", "fn": "InitTaskObserver"})"));
        out.events = Json::array();
        session.Run(Message(msg, bytes));
        Json log = Json::array();
        for (const Json& ev : out.events)
            if (ev["ev"] == "log")
                log.push_back(ev["text"]);
        const Json& effects = report["effects"];
        EXPECT_EQ(effects["log"], log) << what;

        const ModuleView real = Capture(session.Host());
        if (msg == 91) {
            EXPECT_EQ(effects["task_log"]["after"], LogJson(real.log)) << what;
            return;
        }
        if (!effects.contains("sequencer"))
            return;
        EXPECT_EQ(effects["sentences"]["after"], SentencesJson(real.sentences)) << what;
        EXPECT_EQ(effects["sequencer"]["path"].back(), StateName(real.state)) << what;
        EXPECT_EQ(effects["sequencer"]["current_page"], real.current) << what;

        out.events = Json::array();
        session.Run(OpOf(R"({"op": "dump", "window": 163})"));
        ASSERT_FALSE(out.events.empty()) << what;
        const Json& wnd = out.events.back();
        const Json& lines = effects["talk_window"]["lines"];
        ASSERT_EQ(lines.size(), wnd["lines"].size()) << what;
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i]["text"], wnd["lines"][i]["text"]) << what;
            EXPECT_EQ(lines[i].value("link", 0), wnd["lines"][i]["link"]) << what;
        }
        EXPECT_EQ(effects["talk_window"]["panel"]["text"], wnd["panel"]["text"]) << what;
        EXPECT_EQ(effects["talk_window"]["visible"], wnd["visible"]) << what;

        // A click on the first link answers with the key and the value the report gives.
        for (const Json& line : lines) {
            const int32_t link = line.value("link", 0);
            if (link == 0 || !wnd["visible"].get<bool>())
                continue;
            out.events = Json::array();
            session.Run(OpOf(R"({"op": "click-link", "window": 163, "link": )" +
                             std::to_string(link) + "}"));
            for (const Json& ev : out.events) {
                if (ev["ev"] != "packet")
                    continue;
                const std::string hex = ev["hex"];
                ASSERT_EQ(hex.size(), 36u) << what;
                EXPECT_EQ(
                    hex.substr(12, 16),
                    report["fields"][0]["raw"].get<std::string>() +
                        std::string(16 - report["fields"][0]["raw"].get<std::string>().size(), '0'))
                    << what;
                const auto u = static_cast<uint32_t>(link);
                char value[9];
                std::snprintf(value, sizeof value, "%02x%02x%02x%02x", u & 255, (u >> 8) & 255,
                              (u >> 16) & 255, u >> 24);
                EXPECT_EQ(hex.substr(28), value) << what;
                ++packets;
            }
            break;
        }
    }

    fuzz::GameFolder folder{ORVANE_SAMPLE_DIR};
    int packets = 0;
};

TEST_F(MessageReportCrossCheck, SeedMessagesAndTheirMutations)
{
    std::vector<fuzz::SeedMessage> seeds = fuzz::SeedMessages();
    for (fuzz::SeedMessage& m : ShownLinks())
        seeds.push_back(std::move(m));
    ASSERT_FALSE(seeds.empty());
    for (size_t i = 0; i < seeds.size(); ++i)
        Check(seeds[i].msgId, seeds[i].bytes, "seed " + std::to_string(i));

    // Mutations aimed at the fields the verdicts turn on: the page count and
    // classes, the block header and the index offsets.
    std::mt19937 rng(20261209);
    const uint8_t edge[] = {0x00, 0x01, 0x02, 0x06, 0x07, 0x0A, 0x7F, 0x80, 0xFF};
#ifdef ORVANE_CROSSCHECK_FEW_MUTATIONS
    const int mutations = 1000;
#else
    const int mutations = 5000;
#endif
    for (int m = 0; m < mutations; ++m) {
        const fuzz::SeedMessage& seed = seeds[rng() % seeds.size()];
        std::vector<uint8_t> bytes = seed.bytes;
        if (m % 25 == 0) {
            // Now and then bytes of no seed at all, of any length up to a long message.
            bytes.resize(rng() % 1200);
            for (uint8_t& b : bytes)
                b = static_cast<uint8_t>(rng());
        }
        for (int n = 1 + static_cast<int>(rng() % 3); n > 0 && !bytes.empty(); --n) {
            const size_t at = rng() % bytes.size();
            switch (rng() % 4) {
                case 0:
                    bytes[at] = static_cast<uint8_t>(rng());
                    break;
                case 1:
                    bytes[at] = edge[rng() % sizeof edge];
                    break;
                case 2:
                    bytes.resize(at);
                    break;
                default:
                    bytes.push_back(static_cast<uint8_t>(rng()));
                    break;
            }
        }
        Check(seed.msgId, bytes, "mutation " + std::to_string(m));
        if (HasFatalFailure())
            return;
    }
    EXPECT_GT(packets, 0);
}

}  // namespace
}  // namespace orvane::inspect
