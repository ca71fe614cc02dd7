// How long the module takes over what a game client does often: reading
// server messages, showing them in real windows, answering the server.
//   scripts/bench.sh
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "client/TaskClient.h"
#include "client/TaskClientHelper.h"
#include "host/ReferenceHost.h"
#include "net/TaskWndCallback.h"
#include "tasks/MessageFormats.h"
#include "tasks/TaskTables.h"
#include "testkit/ModuleActions.h"
#include "tools/hostlib/Messages.h"
#include "ui/Panelkit.h"

namespace {

using orvane::hostprog::TalkMessageInput;
using orvane::hostprog::TaskLogMessageInput;

// Six pages of ten options and a sentence for each option.
std::vector<uint8_t> FullTalkMessage()
{
    TalkMessageInput m;
    m.key = {1, 2, 3, 4, 5, 6, 7, 8};
    std::vector<std::pair<int32_t, std::string>> sentences;
    for (int32_t p = 0; p < 6; ++p) {
        orvane::hostprog::TalkPageInput page;
        page.task = 1001 + p;
        for (int32_t o = 0; o < 10; ++o) {
            const int32_t res = 9000 + p * 10 + o;
            page.options.push_back({o, res});
            sentences.push_back(
                {res, "\xC7\xD8\xB2\xAE\xA3\xBA" /* 秦伯： */ + std::string(40, 'a')});
        }
        m.pages.push_back(page);
    }
    m.sentences = sentences;
    std::string reason;
    return orvane::hostprog::BuildTalkMessage(m, reason).value();
}

// Ten tasks with names and two-line stories.
std::vector<uint8_t> FullTaskLogMessage()
{
    TaskLogMessageInput m;
    m.kind = 2;
    for (int32_t i = 0; i < 10; ++i) {
        m.ids.push_back(1001 + i);
        m.entries.push_back({1001 + i, "\xB3\xF5\xB5\xBD" /* 初到 */ + std::to_string(i),
                             std::string(60, 's') + "#" + std::string(60, 't')});
    }
    m.count = 10;
    std::string reason;
    return orvane::hostprog::BuildTaskLogMessage(m, reason).value();
}

// A conversation that ends on a page of answers, as most do.
std::vector<uint8_t> OneChoicePage()
{
    TalkMessageInput m;
    m.key = {1, 2, 3, 4, 5, 6, 7, 8};
    m.pages = {{1002, {{0, 5004}, {1, 5005}, {2, 5006}}}};
    std::string reason;
    return orvane::hostprog::BuildTalkMessage(m, reason).value();
}

void BM_ReadTalkMessage(benchmark::State& state)
{
    const std::vector<uint8_t> message = FullTalkMessage();
    for (auto _ : state) {
        TalkSentenceTable table;
        orvane::LoadTalkSentences(message, table);
        benchmark::DoNotOptimize(orvane::DecodePageArea(std::span(message).subspan(8)));
        benchmark::DoNotOptimize(table.Size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * message.size()));
}
BENCHMARK(BM_ReadTalkMessage);

void BM_ReadTaskLogMessage(benchmark::State& state)
{
    const std::vector<uint8_t> message = FullTaskLogMessage();
    for (auto _ : state) {
        TaskLogTable table;
        benchmark::DoNotOptimize(orvane::ApplyTaskLogMessage(message, table));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * message.size()));
}
BENCHMARK(BM_ReadTaskLogMessage);

// The module on the reference host with the sample game, kept across runs.
class Module {
public:
    Module() : m_folder(ORVANE_SAMPLE_DIR)
    {
        orvane::fuzz::ResetModule();
        m_host.SetWorkDir(m_folder.String());
        CImageLoader::GetInstance()->SetBaseFolder(m_folder.String().c_str());
        m_helper.Create(m_host.Client());
        Client()->InitTaskObserver();
    }
    ~Module() { orvane::fuzz::ResetModule(); }
    CTaskClient* Client() { return static_cast<CTaskClient*>(m_helper.GetITaskClient()); }
    void Deliver(int32_t msgId, const std::vector<uint8_t>& bytes)
    {
        m_host.registry.Deliver(msgId, bytes.data(), static_cast<uint32_t>(bytes.size()));
    }
    orvane::host::ReferenceHost& Host() { return m_host; }

private:
    orvane::fuzz::GameFolder m_folder;
    orvane::host::ReferenceHost m_host;
    CTaskClientHelper m_helper;
};

// Message 87 through the registry into the talk window: the page laid out
// with its links, the task panel placed.
void BM_ShowTalkMessage(benchmark::State& state)
{
    Module module;
    module.Client()->CreateClientTalkWnd(CTaskClient::kTalkWndID, nullptr);
    const std::vector<uint8_t> message = OneChoicePage();
    for (auto _ : state) {
        module.Deliver(87, message);
        module.Host().timers.Advance(1000);
    }
}
BENCHMARK(BM_ShowTalkMessage);

// Message 91 into the task log dialog: buttons filled, packed and laid out.
void BM_ShowTaskLog(benchmark::State& state)
{
    Module module;
    module.Client()->CreateClientLogWnd();
    const std::vector<uint8_t> message = FullTaskLogMessage();
    for (auto _ : state)
        module.Deliver(91, message);
}
BENCHMARK(BM_ShowTaskLog);

// An answer clicked: the talk answer packet built and handed to the host.
void BM_AnswerPacket(benchmark::State& state)
{
    Module module;
    module.Client()->CreateClientTalkWnd(CTaskClient::kTalkWndID, nullptr);
    module.Deliver(87, OneChoicePage());
    IWndCallback* callback = module.Client()->WindowCallback();
    for (auto _ : state) {
        module.Host().sender.packets.clear();
        benchmark::DoNotOptimize(callback->OnEvent(CTaskClient::kTalkWndID, 1, 1, 0));
    }
}
BENCHMARK(BM_AnswerPacket);

// A whole session as the fuzz target plays it: client created from the
// game's scripts, a conversation to its answer, everything ended.
void BM_WholeConversation(benchmark::State& state)
{
    const orvane::fuzz::GameFolder folder(ORVANE_SAMPLE_DIR);
    const std::vector<uint8_t> session = orvane::fuzz::SeedSessions().front();
    for (auto _ : state)
        benchmark::DoNotOptimize(orvane::fuzz::PlaySession(folder, session.data(), session.size()));
}
BENCHMARK(BM_WholeConversation);

}  // namespace

BENCHMARK_MAIN();
