// Seed sessions: what a game server and a player really do, so that mutations
// start from deep inside the module rather than at its front door.
#include <cstdlib>
#include <fstream>
#include <string>

#include "testkit/ModuleActions.h"
#include "tools/hostlib/Messages.h"

namespace orvane::fuzz {

namespace {

class SessionWriter {
public:
    SessionWriter& Server(int32_t msgId, const std::vector<uint8_t>& bytes)
    {
        Op(msgId == 87 ? kServer87 : kServer91);
        U16(static_cast<uint16_t>(bytes.size()));
        m_out.insert(m_out.end(), bytes.begin(), bytes.end());
        return *this;
    }
    SessionWriter& Advance(uint16_t ms) { return Op(kAdvance).U16(ms); }
    SessionWriter& ClickLink(uint8_t n) { return Op(kClickLink).U8(n); }
    SessionWriter& ClickLog(uint8_t n) { return Op(kClickLog).U8(n); }
    SessionWriter& Answer(int8_t answer) { return Op(kAnswerBox).U8(static_cast<uint8_t>(answer)); }
    SessionWriter& Open(uint8_t which, bool withCallback)
    {
        return Op(kOpenWindow).U8(which).U8(withCallback ? 1 : 0);
    }
    SessionWriter& Destroy(uint8_t n) { return Op(kDestroyWindow).U8(n); }
    SessionWriter& Call(uint8_t which) { return Op(kClientCall).U8(which); }
    SessionWriter& AddTalkLine(const std::string& text, int32_t link)
    {
        Call(0).U8(static_cast<uint8_t>(text.size()));
        m_out.insert(m_out.end(), text.begin(), text.end());
        return I32(link);
    }
    SessionWriter& Accel(uint8_t n) { return Op(kAccelKey).U8(n); }
    SessionWriter& TypeNote(const std::string& text)
    {
        Op(kTypeNote).U8(static_cast<uint8_t>(text.size()));
        m_out.insert(m_out.end(), text.begin(), text.end());
        return *this;
    }
    SessionWriter& Restart() { return Op(kRestart); }
    std::vector<uint8_t> Take() { return std::move(m_out); }

private:
    SessionWriter& Op(Action a) { return U8(a); }
    SessionWriter& U8(uint8_t v)
    {
        m_out.push_back(v);
        return *this;
    }
    SessionWriter& U16(uint16_t v)
    {
        return U8(static_cast<uint8_t>(v)).U8(static_cast<uint8_t>(v >> 8));
    }
    SessionWriter& I32(int32_t v)
    {
        const auto u = static_cast<uint32_t>(v);
        return U16(static_cast<uint16_t>(u)).U16(static_cast<uint16_t>(u >> 16));
    }
    std::vector<uint8_t> m_out;
};

std::vector<uint8_t> Talk(const hostprog::TalkMessageInput& input)
{
    std::string reason;
    return hostprog::BuildTalkMessage(input, reason).value_or(std::vector<uint8_t>{});
}

std::vector<uint8_t> Log(const hostprog::TaskLogMessageInput& input)
{
    std::string reason;
    return hostprog::BuildTaskLogMessage(input, reason).value_or(std::vector<uint8_t>{});
}

// Narration, then two choice pages that need the task menu; a sentence with
// "#" line breaks and one longer than a talk line.
hostprog::TalkMessageInput Conversation()
{
    hostprog::TalkMessageInput m;
    m.key = {0xA1, 0xB2, 0xC3, 0xD4, 0xE5, 0xF6, 0x07, 0x18};
    m.pages = {{1001, {{0, 5001}}},
               {1001, {{0, 5004}}},
               {1002, {{0, 5004}, {1, 5005}, {2, 5006}}},
               {1003, {{0, 5007}, {3, 5008}}},
               {0, {{0, 9001}, {4, 5003}}}};
    m.sentences = std::vector<std::pair<int32_t, std::string>>{
        {9001, "\xC7\xD8\xB2\xAE#\xCC\xEC\xBF\xEC\xBA\xDA\xC1\xCB" /* 秦伯#天快黑了 */},
        {5003, std::string(300, 'a')}};
    return m;
}

hostprog::TaskLogMessageInput SevenTasks(int16_t kind)
{
    hostprog::TaskLogMessageInput m;
    m.ids = {1001, 1002, 0, 1003, 1004, 16777216, 1005, 1006, 1007, 1008};
    m.count = 9;
    m.kind = kind;
    m.entries = {{1001, "\xB3\xF5\xB5\xBD" /* 初到 */, "one#two#three"},
                 {1002, "", ""},
                 {1004, "four", "story"},
                 {16777216, "x", "d\r\n\r\n\r\nBig"},
                 {1007, std::string(40, 'n'), std::string(600, 's')}};
    return m;
}

// The hostile messages of the last seed: page counts out of range, cut
// short, empty.
struct HostileMessages {
    std::vector<uint8_t> wild;
    std::vector<uint8_t> cut;
    std::vector<uint8_t> negative;
    std::vector<uint8_t> cutLog;
};

HostileMessages Hostile(const std::vector<uint8_t>& talk, const std::vector<uint8_t>& log)
{
    HostileMessages h;
    hostprog::TalkMessageInput wild = Conversation();
    wild.pageCount = 7;
    h.wild = Talk(wild);
    h.cut = talk;
    h.cut.resize(300);
    hostprog::TalkMessageInput negative = Conversation();
    negative.pageCount = -1;
    h.negative = Talk(negative);
    h.cutLog.assign(log.begin(), log.begin() + 50);
    return h;
}

}  // namespace

std::vector<SeedMessage> SeedMessages()
{
    const std::vector<uint8_t> talk = Talk(Conversation());
    const std::vector<uint8_t> log = Log(SevenTasks(2));
    const HostileMessages h = Hostile(talk, log);
    return {{87, talk},   {91, log},     {91, Log(SevenTasks(3))}, {91, Log(SevenTasks(4))},
            {87, h.wild}, {87, h.cut},   {87, h.negative},         {87, {}},
            {91, {}},     {91, h.cutLog}};
}

std::vector<std::vector<uint8_t>> SeedSessions()
{
    std::vector<std::vector<uint8_t>> seeds;
    const std::vector<uint8_t> talk = Talk(Conversation());
    const std::vector<uint8_t> log = Log(SevenTasks(2));

    // A whole conversation: narration closed page by page, a task picked from
    // the menu, an answer clicked.
    seeds.push_back(SessionWriter()
                        .Open(0, false)
                        .Server(87, talk)
                        .ClickLink(0)  // the close control: no links on a narration page
                        .Advance(500)
                        .Advance(1000)
                        .ClickLink(0)
                        .Advance(500)
                        .ClickLink(0)  // the menu's first task
                        .Advance(500)
                        .ClickLink(0)  // its first answer
                        .Advance(1000)
                        .Take());
    // The task log: two pages, a story, deletes answered yes and no, a note
    // kept across a rebuilt dialog.
    seeds.push_back(SessionWriter()
                        .Call(5)
                        .Server(91, log)
                        .ClickLog(0)
                        .ClickLog(11)
                        .ClickLog(1)
                        .ClickLog(12)
                        .Answer(1)
                        .ClickLog(12)
                        .Answer(0)
                        .TypeNote("note\nline")
                        .Destroy(0)
                        .Call(5)
                        .Server(91, Log(SevenTasks(3)))
                        .Server(91, Log(SevenTasks(4)))
                        .Take());
    // The menus and the talk window from the host's side, then the client
    // released under open windows and armed timers.
    seeds.push_back(SessionWriter()
                        .Open(2, true)
                        .Open(3, true)
                        .AddTalkLine("<b>hello</b>", 7)
                        .Open(0, true)
                        .Server(87, talk)
                        .ClickLink(0)
                        .Accel(0)
                        .Restart()
                        .ClickLink(0)
                        .Advance(2000)
                        .Destroy(1)
                        .Call(13)
                        .Take());
    const HostileMessages h = Hostile(talk, log);
    seeds.push_back(SessionWriter()
                        .Open(0, false)
                        .Call(5)
                        .Server(87, h.wild)
                        .Server(87, h.cut)
                        .Server(87, h.negative)
                        .Server(87, {})
                        .Server(91, {})
                        .Server(91, h.cutLog)
                        .Advance(500)
                        .ClickLink(0)
                        .Take());
    return seeds;
}

void WriteSeedFiles(const std::string& dir, const std::vector<uint16_t>& failAt)
{
    int n = 0;
    const auto write = [&](const std::vector<uint8_t>& prefix, const std::vector<uint8_t>& seed) {
        std::ofstream out(dir + "/seed-" + std::to_string(n++), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(prefix.data()),
                  static_cast<std::streamsize>(prefix.size()));
        out.write(reinterpret_cast<const char*>(seed.data()),
                  static_cast<std::streamsize>(seed.size()));
    };
    for (const std::vector<uint8_t>& seed : SeedSessions()) {
        if (failAt.empty())
            write({}, seed);
        for (uint16_t k : failAt)
            write({static_cast<uint8_t>(k & 0xFF), static_cast<uint8_t>(k >> 8)}, seed);
    }
}

const GameFolder& StartFuzzing(const std::vector<uint16_t>& failAt)
{
    static const GameFolder folder(ORVANE_SAMPLE_DIR);
    if (const char* dir = std::getenv("ORVANE_FUZZ_SEEDS"))
        WriteSeedFiles(dir, failAt);
    return folder;
}

}  // namespace orvane::fuzz
