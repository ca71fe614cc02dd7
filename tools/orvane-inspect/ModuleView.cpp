#include "tools/orvane-inspect/ModuleView.h"

#include "client/ModuleState.h"
#include "client/StateView.h"
#include "client/TaskClient.h"
#include "panelkit/Views.h"
#include "tasks/TaskTalkSequencer.h"
#include "ui/Panelkit.h"
#include "ui/TalkText.h"
#include "ui/TaskTalkDlg.h"

namespace orvane::inspect {

namespace {

void ReadTalkWindow(CTaskTalkDlg* dlg, ModuleView& view)
{
    view.talkWnd = true;
    view.talkVisible = dlg->IsVisible() != 0;
    CTalkText* talk = StateView::Talk(*dlg);
    XItemContainer* items = talk != nullptr ? talk->GetItemContainer() : nullptr;
    for (int32_t i = 0; items != nullptr && i < items->GetLineCount(); ++i) {
        const std::optional<XTalkLine> line = panelkit::LineOf(items, i);
        if (!line)
            continue;
        WindowLine out;
        for (const XTalkFragment& f : line->fragments) {
            out.text += f.text;
            if (f.isLink && !out.link) {
                out.link = true;
                out.url = f.url;
                out.returned = CTalkText::ParseLinkNumber(f.url.c_str());
            }
        }
        view.lines.push_back(std::move(out));
    }
    if (XEdit* panel = StateView::TaskPanelText(*dlg)) {
        const char* text = panel->GetWindowTextA();
        view.panelText = text != nullptr ? text : "";
        XMainWnd* box = StateView::TaskPanel(*dlg);
        view.panelVisible = box != nullptr && box->IsVisible() != 0 && panel->IsVisible() != 0;
    }
}

}  // namespace

ModuleView Capture(host::ReferenceHost& host)
{
    ModuleView view;
    CTaskClient* client = g_pTaskClient;
    if (client == nullptr)
        return view;
    view.client = true;
    StateView::Sentences(*client).ForEach(
        [&](int32_t id, const char* text) { view.sentences.emplace_back(id, text); });
    view.sentenceRecords = StateView::Sentences(*client).Size();
    StateView::TaskLog(*client).ForEach([&](int32_t id, const char* name, const char* story) {
        view.log.push_back({id, name, story});
    });
    view.logRecords = StateView::TaskLog(*client).Size();
    if (CTaskTalkSequencer* seq = StateView::Sequencer(*client)) {
        view.state = StateView::TalkState(*seq);
        view.current = StateView::CurrentPage(*seq);
        view.timerArmed = host.timers.IsArmed(0, seq);
    }
    if (CTaskTalkDlg* dlg = StateView::TalkDlg(*client))
        ReadTalkWindow(dlg, view);
    view.logDlg = StateView::LogDlg(*client) != nullptr;
    return view;
}

const char* StateName(int32_t state)
{
    switch (state) {
        case TALK_IDLE:
            return "TALK_IDLE";
        case TALK_SINGLE:
            return "TALK_SINGLE";
        case TALK_NARRATION:
            return "TALK_NARRATION";
        case TALK_SHOW_CURRENT:
            return "TALK_SHOW_CURRENT";
        case TALK_BUILD_MENU:
            return "TALK_BUILD_MENU";
        case TALK_AWAIT_CHOICE:
            return "TALK_AWAIT_CHOICE";
        default:
            return "unknown";
    }
}

Json SentencesJson(const std::vector<std::pair<int32_t, std::string>>& sentences)
{
    Json out = Json::array();
    for (const auto& [id, text] : sentences)
        out.push_back(Json{{"nResID", id}, {"text", TextValue(text)}});
    return out;
}

Json LogJson(const std::vector<LogRecord>& log)
{
    Json out = Json::array();
    for (const LogRecord& r : log)
        out.push_back(
            Json{{"id", r.id}, {"name", TextValue(r.name)}, {"story", TextValue(r.story)}});
    return out;
}

Json LinesJson(const std::vector<WindowLine>& lines)
{
    Json out = Json::array();
    for (const WindowLine& l : lines) {
        Json line{{"text", TextValue(l.text)}};
        if (l.link) {
            line["url"] = l.url;
            line["link"] = l.returned;
        }
        out.push_back(std::move(line));
    }
    return out;
}

}  // namespace orvane::inspect
