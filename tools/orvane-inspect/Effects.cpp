#include "tools/orvane-inspect/Effects.h"

#include <algorithm>
#include <set>

#include "client/ModuleState.h"
#include "client/StateView.h"
#include "client/TaskClient.h"
#include "tasks/MessageFormats.h"
#include "tasks/PageClass.h"
#include "tasks/TaskTalkSequencer.h"

namespace orvane::inspect {

namespace {

constexpr int32_t kNoRule = -0x7FFF;
const char kSeparator[] = "\r\n\r\n\r\n";

std::vector<std::pair<int32_t, std::string>> Contents(const TalkSentenceTable& t)
{
    std::vector<std::pair<int32_t, std::string>> out;
    t.ForEach([&](int32_t id, const char* text) { out.emplace_back(id, text); });
    return out;
}

std::vector<LogRecord> Contents(const TaskLogTable& t)
{
    std::vector<LogRecord> out;
    t.ForEach([&](int32_t id, const char* n, const char* s) { out.push_back({id, n, s}); });
    return out;
}

std::string Quoted(const std::string& gbk)
{
    const Json t = TextValue(gbk);
    return t.is_string() ? "\"" + t.get<std::string>() + "\""
                         : "hex " + t["hex"].get<std::string>();
}

// What the step inside the message showed, by the states it went through.
std::string Shown(const Prediction& p)
{
    if (!p.pagesLoaded)
        return "";
    switch (p.computed) {
        case TALK_SINGLE:
            return "page 0";
        case TALK_NARRATION:
            if (p.stepped == TALK_NARRATION)
                return "page " + std::to_string(p.steppedPage);
            if (p.stepped == TALK_AWAIT_CHOICE)
                return p.menuItems > 1 ? "the task menu" : "";
            return p.menuItems == 1 ? "page " + std::to_string(p.lastOffer) : "";
        case TALK_SHOW_CURRENT:
            return p.stepped == TALK_IDLE ? "page " + std::to_string(p.computedPage) : "";
        case TALK_BUILD_MENU:
            return p.menuItems > 1 ? "the task menu" : "";
        default:
            return "";
    }
}

// The sentence records of an accepted block, in message order: of two of
// one id only the first is ever found. Returns how many were added.
size_t AddSentences(const Decoded87& d, Json& records, EffectReport& r)
{
    std::set<int32_t> held;
    size_t added = 0;
    records = Json::array();
    for (const SentenceRead& s : d.sentences) {
        Json rec{{"nResID", s.resID}};
        if (!s.inRange) {
            rec["effect"] = "skipped";
        } else if (!held.insert(s.resID).second) {
            rec["effect"] = "unreachable (an earlier sentence of this id answers)";
            r.lost.push_back("sentence nResID " + std::to_string(s.resID) + " is unreachable");
        } else {
            rec["effect"] = "added";
            ++added;
        }
        records.push_back(std::move(rec));
    }
    return added;
}

// A sentence block replaces the whole table; without one the table stays.
void SentenceEffects(const Decoded87& d, const ModuleView& before, const ModuleView& after,
                     const Prediction& p, EffectReport& r)
{
    Json& sentences = r.effects["sentences"];
    const auto earlier = Num(static_cast<int64_t>(before.sentences.size()));
    if (d.block == BlockFate::Accepted) {
        sentences["effect"] = "replaced";
        sentences["wiped"] = SentencesJson(before.sentences);
        const size_t added = AddSentences(d, sentences["entries"], r);
        if (added == 0 && !before.sentences.empty())
            r.notes.push_back("An empty sentence block still replaces the table: the " + earlier +
                              " earlier sentences are wiped.");
    } else {
        sentences["effect"] = "kept";
        if (d.block == BlockFate::None && !before.sentences.empty())
            r.notes.push_back("This message brings no sentence block, so the " + earlier +
                              " earlier sentences stay and still answer.");
    }
    sentences["after"] = SentencesJson(after.sentences);
    if (Contents(p.sentences) != after.sentences)
        r.notes.push_back("inspector fault: the sentences predicted differ from the module's");
}

void SequencerEffects(const ModuleView& before, const ModuleView& after, const Prediction& p,
                      EffectReport& r)
{
    Json& seq = r.effects["sequencer"];
    Json path = Json::array({StateName(before.state)});
    if (p.pagesLoaded)
        path.push_back(p.ruleFits ? StateName(p.computed) : "(no rule fits: unchanged)");
    path.push_back(StateName(after.state));
    seq["path"] = path;
    seq["current_page"] = after.current;
    if (p.stepped != after.state || p.steppedPage != after.current)
        r.notes.push_back("inspector fault: the sequencer predicted differs from the module's");
}

void TalkWindowEffects(const ModuleView& after, const std::string& shown, Json& e)
{
    Json& wnd = e["talk_window"];
    wnd["shows"] = shown.empty() ? "nothing new" : shown;
    wnd["visible"] = after.talkVisible;
    wnd["lines"] = LinesJson(after.lines);
    wnd["panel"] = Json{{"visible", after.panelVisible}, {"text", TextValue(after.panelText)}};
}

// When no rule fits, the state stays as it was, so what shows depends on
// what came before: say what it was here.
std::string NoRuleNote(const ModuleView& before, const std::string& shown)
{
    const bool menu = shown == "the task menu";
    std::string past =
        before.state == TALK_IDLE
            ? "idle before, so nothing is shown and the talk window opens empty"
        : before.state == TALK_NARRATION
            ? "a narration was under way, so its step runs on these pages at "
              "once and " +
                  std::string(!shown.empty() ? (menu ? "the menu shows" : "a page shows")
                                             : "nothing shows")
            : std::string("the state was ") + StateName(before.state) + ", and its step " +
                  (!shown.empty() ? "shows " + shown : std::string("shows nothing"));
    return "No rule of the sequencer fits these pages (no page, only unclassed "
           "pages, or two or more chat pages alone), so the state stays as it "
           "was: the outcome depends on the past. Here: " +
           past + ".";
}

std::string PendingTimerNote(const ModuleView& after)
{
    return std::string(
               "A step timer armed before this message is still pending: "
               "when it fires it steps these pages from ") +
           StateName(after.state) +
           (after.state == TALK_NARRATION
                ? ", so the next narration page shows without the player closing "
                  "this one"
                : "") +
           ".";
}

// What the player cannot see or reach after the message: a menu never
// shown, a link whose value comes back changed.
void UnreachableTalk(const ModuleView& after, const Prediction& p, const std::string& shown,
                     EffectReport& r)
{
    if (p.pagesLoaded && p.stepped == TALK_AWAIT_CHOICE && p.menuItems <= 1 &&
        (p.computed == TALK_BUILD_MENU || p.computed == TALK_NARRATION)) {
        r.notes.push_back("A menu of " + std::to_string(p.menuItems) +
                          " item(s) is not shown, and the sequencer waits in TALK_AWAIT_CHOICE "
                          "for a pick that cannot come.");
        r.lost.push_back("the task menu is not shown");
    }
    for (const WindowLine& l : after.lines) {
        if (!shown.empty() && l.link && l.url != std::to_string(l.returned)) {
            r.notes.push_back("The link value " + l.url +
                              " does not survive the window's "
                              "10-character url read: a click returns " +
                              std::to_string(l.returned) + ".");
            r.lost.push_back("link value " + l.url + " returns changed");
        }
    }
}

// A task log record of an id at or past the split: its story carries the
// name after a separator, and without one the record goes.
void SplitRecordEffect(const TaskLogRead& entry, std::set<int32_t>& held, Json& rec,
                       EffectReport& r, bool& deleted)
{
    const bool existed = held.erase(entry.id) > 0;
    const size_t sep = entry.story.find(kSeparator);
    if (sep != std::string::npos) {
        held.insert(entry.id);
        rec["effect"] = existed ? "replaced" : "added";
        rec["name"] = TextValue(entry.story.substr(sep + 6));
        rec["story"] = TextValue(entry.story.substr(0, sep));
        return;
    }
    rec["effect"] = existed ? "deleted (no \\r\\n\\r\\n\\r\\n in the story)"
                            : "nothing added (no \\r\\n\\r\\n\\r\\n in the story)";
    r.lost.push_back("task " + std::to_string(entry.id) +
                     (existed ? ": its record is deleted" : ": nothing is added"));
    deleted = true;
}

Json LogEntryEffect(const TaskLogRead& entry, std::set<int32_t>& held, EffectReport& r,
                    bool& deleted)
{
    Json rec{{"id", entry.id}};
    if (entry.fate != EntryFate::Read) {
        rec["effect"] = entry.fate == EntryFate::Skipped   ? "skipped"
                        : entry.fate == EntryFate::Stopped ? "stops the additions"
                                                           : "not read";
    } else if (entry.id < TaskLogTable::kSplitTaskID) {
        if (!held.insert(entry.id).second) {
            rec["effect"] = "unreachable (an earlier record of this id answers)";
            r.lost.push_back("task " + std::to_string(entry.id) + ": the record is unreachable");
        } else {
            rec["effect"] = "added";
        }
    } else {
        SplitRecordEffect(entry, held, rec, r, deleted);
    }
    return rec;
}

void TaskLogNotes(const Decoded91& d, bool deleted, EffectReport& r)
{
    if (deleted)
        r.notes.push_back(
            "A task id of 16,777,216 or more whose story lacks \\r\\n\\r\\n\\r\\n "
            "removes that task's earlier record, if there is one, and adds none, without a log "
            "line.");
    const auto fate = [&](EntryFate f) {
        return std::any_of(d.entries.begin(), d.entries.end(),
                           [&](const TaskLogRead& x) { return x.fate == f; });
    };
    if (fate(EntryFate::Stopped))
        r.notes.push_back(
            "Kind 3 stops at its first bad entry: the entries before it stay added, "
            "and the task log window is not refreshed (kind 2 would skip the entry "
            "and go on).");
    if (fate(EntryFate::Skipped))
        r.notes.push_back(
            "Kind 2 skips a bad entry and goes on; the task log window is "
            "refreshed.");
}

// What both reports start from: the decoder's losses and notes, and the
// lines the module logged while it took the message.
template <class Decoded>
EffectReport StartReport(const Decoded& d, const RunEvents& run)
{
    EffectReport r;
    r.lost = d.lost;
    r.notes = d.notes;
    r.effects["log"] = run.log;
    return r;
}

}  // namespace

Prediction Predict(int32_t msg, std::span<const uint8_t> message, const ModuleView& before,
                   bool uiService)
{
    Prediction p;
    CTaskClient* client = g_pTaskClient;
    if (client == nullptr)
        return p;
    p.ran = true;
    p.sentences = StateView::Sentences(*client);
    p.log = StateView::TaskLog(*client);
    p.computed = p.stepped = before.state;
    p.steppedPage = before.current;
    if (msg == 91) {
        p.handedOn = ApplyTaskLogMessage(message, p.log);
        return p;
    }
    if (message.empty() || !uiService)
        return p;
    p.pagesLoaded = true;
    if (message.size() >= kTalkSentenceBlockMin)
        LoadTalkSentences(message, p.sentences);
    // A sequencer of no client: its steps change its state as the real one's
    // do, and show nothing.
    CTaskTalkSequencer seq(nullptr, nullptr);
    seq.ClearPages();
    const auto area = message.size() > kPageAreaOffset ? message.subspan(kPageAreaOffset)
                                                       : std::span<const uint8_t>();
    seq.LoadPages(area.data(), area.size());
    for (int32_t i = 0; i < seq.UsablePageCount(); ++i) {
        if (IsOfferPage(StateView::PageArea(seq).m_Pages[i])) {
            ++p.menuItems;
            p.lastOffer = i;
        }
    }
    seq.SetState(kNoRule);
    seq.ComputeState();
    p.ruleFits = StateView::TalkState(seq) != kNoRule;
    if (!p.ruleFits)
        seq.SetState(before.state);  // the current page is -1 all the same
    p.computed = StateView::TalkState(seq);
    p.computedPage = StateView::CurrentPage(seq);
    seq.Step();
    p.stepped = StateView::TalkState(seq);
    p.steppedPage = StateView::CurrentPage(seq);
    return p;
}

EffectReport Effects87(const Decoded87& d, const ModuleView& before, const ModuleView& after,
                       const Prediction& p, const RunEvents& run)
{
    EffectReport r = StartReport(d, run);
    Json& e = r.effects;
    if (!run.debug.empty())
        e["debug_output"] = run.debug;
    if (d.ignored || !p.ran) {
        e["summary"] = p.ran ? "the module ignores an empty message" : "no client receives it";
        return r;
    }
    SentenceEffects(d, before, after, p, r);
    SequencerEffects(before, after, p, r);
    const std::string shown = Shown(p);
    TalkWindowEffects(after, shown, e);
    if (p.pagesLoaded && !p.ruleFits)
        r.notes.push_back(NoRuleNote(before, shown));
    if (before.timerArmed)
        r.notes.push_back(PendingTimerNote(after));
    if (p.pagesLoaded && shown.empty() && !after.panelText.empty())
        r.notes.push_back("Nothing was shown, so the task panel keeps its earlier text " +
                          Quoted(after.panelText) + ".");
    UnreachableTalk(after, p, shown, r);
    return r;
}

EffectReport Effects91(const Decoded91& d, const ModuleView& before, const ModuleView& after,
                       const Prediction& p, const RunEvents& run)
{
    EffectReport r = StartReport(d, run);
    Json& e = r.effects;
    if (!p.ran) {
        e["summary"] = "no client receives it";
        return r;
    }
    Json& table = e["task_log"];
    table["emptied"] = d.emptied;
    if (d.emptied)
        table["removed"] = LogJson(before.log);
    std::set<int32_t> held;
    if (!d.emptied)
        for (const LogRecord& rec : before.log)
            held.insert(rec.id);
    Json& records = table["entries"];
    records = Json::array();
    bool deleted = false;
    for (const TaskLogRead& entry : d.entries)
        records.push_back(LogEntryEffect(entry, held, r, deleted));
    table["after"] = LogJson(after.log);
    if (Contents(p.log) != after.log)
        r.notes.push_back("inspector fault: the task log predicted differs from the module's");
    e["task_log_window"] = !p.handedOn    ? "not handed on: the window keeps what it shows"
                           : after.logDlg ? "gets the message: its task list and stories refresh"
                                          : "does not exist yet: only the table changes";
    TaskLogNotes(d, deleted, r);
    return r;
}

}  // namespace orvane::inspect
