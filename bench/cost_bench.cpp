// What a server message costs the client, next to what copying its bytes
// costs: every figure is printed beside a memcpy of the same bytes measured
// in the same run, with the ratio, so the figures compare across machines.
//   scripts/bench.sh   (runs this after the Google Benchmark suite)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <string>
#include <vector>

#include "client/TaskClient.h"
#include "client/TaskClientHelper.h"
#include "host/ReferenceHost.h"
#include "tasks/MessageFormats.h"
#include "tasks/TaskTables.h"
#include "testkit/ModuleActions.h"
#include "ui/Panelkit.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

volatile uint32_t g_sink;   // keeps results alive
const char* g_filter = "";  // only rows whose name holds this text

void PutI16(Bytes& out, int32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutI32(Bytes& out, int32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// Seconds per call of f: the median of five runs of enough calls to take
// about 20 ms each.
double TimePerCall(const std::function<void()>& f)
{
    size_t calls = 1;
    for (;;) {
        const auto start = Clock::now();
        for (size_t i = 0; i < calls; ++i)
            f();
        if (Clock::now() - start > std::chrono::milliseconds(20) || calls > (1u << 24))
            break;
        calls *= 2;
    }
    std::vector<double> runs;
    for (int r = 0; r < 5; ++r) {
        const auto start = Clock::now();
        for (size_t i = 0; i < calls; ++i)
            f();
        runs.push_back(std::chrono::duration<double>(Clock::now() - start).count() / calls);
    }
    std::sort(runs.begin(), runs.end());
    return runs[2];
}

double MemcpyTime(size_t bytes)
{
    std::vector<uint8_t> from(bytes, 0x5A), to(bytes);
    return TimePerCall([&] {
        std::memcpy(to.data(), from.data(), bytes);
        g_sink = g_sink + to[bytes / 2];
    });
}

std::string Human(double seconds)
{
    char text[32];
    if (seconds < 1e-6)
        std::snprintf(text, sizeof text, "%.0f ns", seconds * 1e9);
    else if (seconds < 1e-3)
        std::snprintf(text, sizeof text, "%.2f us", seconds * 1e6);
    else
        std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
    return text;
}

// One row: the figure, the memcpy of the same bytes, and their ratio.
double Row(const std::string& what, size_t bytes, const std::function<void()>& f)
{
    if (what.find(g_filter) == std::string::npos)
        return 1;
    const double t = TimePerCall(f);
    const double copy = MemcpyTime(std::max<size_t>(bytes, 1));
    std::printf("%-46s %7zu B %11s  memcpy %9s  x %8.1f\n", what.c_str(), bytes, Human(t).c_str(),
                Human(copy).c_str(), t / copy);
    return t;
}

enum class Texts { Own, Shared };

// A text block of n entries; with shared texts every offset points at one
// long text (a large id's story holds the separator), else each entry has
// short texts of its own.
Bytes Block(int16_t kind, int n, bool largeIds, Texts texts)
{
    Bytes index, text;
    auto addText = [&](const std::string& s) {
        const auto offset = static_cast<int32_t>(text.size());
        text.insert(text.end(), s.begin(), s.end());
        text.push_back(0);
        return offset;
    };
    const int32_t shared =
        texts == Texts::Shared ? addText(std::string(32000 - 11, 'x') + "\r\n\r\n\r\nName") : 0;
    const int32_t firstID = largeIds ? TaskLogTable::kSplitTaskID : 1;
    for (int i = 0; i < n; ++i) {
        int32_t name = shared, story = shared;
        if (texts == Texts::Own) {
            // Seven bytes of its own, so that 4,095 of them fit a block.
            std::string own = std::to_string(1000000 + i);
            if (largeIds)
                own = "\r\n\r\n\r\n" + own.substr(6);
            name = story = addText(own);
        }
        PutI32(index, firstID + i);
        if (kind == 1) {
            PutI32(index, story);
        } else {
            PutI16(index, name);
            PutI16(index, story);
        }
    }
    Bytes out;
    PutI16(out, 10);
    PutI16(out, static_cast<int32_t>(index.size()));
    PutI16(out, static_cast<int32_t>(index.size() / 8));
    PutI16(out, static_cast<int32_t>(text.size()));
    PutI16(out, kind);
    out.insert(out.end(), index.begin(), index.end());
    out.insert(out.end(), text.begin(), text.end());
    return out;
}

Bytes TaskLogMessage(int16_t kind, int n, bool largeIds, Texts texts)
{
    Bytes out;
    PutI32(out, 0);
    for (int i = 0; i < 10; ++i)
        PutI32(out, 0);
    const Bytes block = Block(kind, n, largeIds, texts);
    out.insert(out.end(), block.begin(), block.end());
    return out;
}

Bytes TalkMessage(int n, Texts texts)
{
    Bytes out(orvane::kTalkFixedSize, 0);
    const Bytes block = Block(1, n, false, texts);
    out.insert(out.end(), block.begin(), block.end());
    return out;
}

const int kCounts[] = {10, 100, 1000, 4095};

// One series of rows over kCounts: how the time grows from 1000 entries to
// 4095, and the worst shared-text time against copying the message.
class Series {
public:
    Series(Texts texts, double& worstShared) : m_texts(texts), m_worstShared(worstShared) {}

    void Add(int n, double t, size_t messageBytes)
    {
        if (n == 1000)
            m_t1000 = t;
        if (n == 4095) {
            m_t4095 = t;
            if (m_texts == Texts::Shared)
                m_worstShared = std::max(m_worstShared, t / MemcpyTime(messageBytes));
        }
    }

    void PrintGrowth() const
    {
        if (m_t1000 > 0 && m_t4095 > 0 && *g_filter == 0)
            std::printf("%-46s growth t(4095)/t(1000) = %.2f\n", "", m_t4095 / m_t1000);
    }

private:
    Texts m_texts;
    double& m_worstShared;
    double m_t1000 = 0;
    double m_t4095 = 0;
};

void MessageRows()
{
    std::printf("\n== Messages 91 and 87 into the tables\n");
    double worstShared = 0;
    for (int16_t kind : {int16_t{2}, int16_t{3}}) {
        for (bool large : {false, true}) {
            for (Texts texts : {Texts::Own, Texts::Shared}) {
                Series series(texts, worstShared);
                for (int n : kCounts) {
                    const Bytes message = TaskLogMessage(kind, n, large, texts);
                    const std::string what =
                        "91 kind " + std::to_string(kind) + (large ? " large" : " small") +
                        (texts == Texts::Own ? " own" : " shared") + " n=" + std::to_string(n);
                    const double t = Row(what, message.size(), [&] {
                        TaskLogTable table;
                        g_sink = g_sink + orvane::ApplyTaskLogMessage(message, table);
                    });
                    series.Add(n, t, message.size());
                }
                series.PrintGrowth();
            }
        }
    }
    for (Texts texts : {Texts::Own, Texts::Shared}) {
        Series series(texts, worstShared);
        for (int n : kCounts) {
            const Bytes message = TalkMessage(n, texts);
            const std::string what = std::string("87 sentences") +
                                     (texts == Texts::Own ? " own" : " shared") +
                                     " n=" + std::to_string(n);
            const double t = Row(what, message.size(), [&] {
                TalkSentenceTable table;
                orvane::LoadTalkSentences(message, table);
                g_sink = g_sink + static_cast<uint32_t>(table.Size());
            });
            series.Add(n, t, message.size());
        }
        series.PrintGrowth();
    }
    if (*g_filter == 0)
        std::printf("largest shared-text message: %.1f x its memcpy (target at most 200)\n",
                    worstShared);
}

void LookupRows()
{
    std::printf("\n== Lookups\n");
    for (int n : {10, 4095}) {
        TaskLogTable table;
        orvane::ApplyTaskLogMessage(TaskLogMessage(2, n, false, Texts::Own), table);
        const double first = Row("FindName first of " + std::to_string(n), 4,
                                 [&] { g_sink = g_sink + (table.FindName(1) != nullptr); });
        const double last = Row("FindName last of " + std::to_string(n), 4,
                                [&] { g_sink = g_sink + (table.FindName(n) != nullptr); });
        Row("FindName missing of " + std::to_string(n), 4,
            [&] { g_sink = g_sink + (table.FindName(-5) != nullptr); });
        if (*g_filter == 0)
            std::printf("%-46s last / first = %.2f (target at most 3)\n", "", last / first);
    }
}

// The module on the reference host with the sample game and the task log
// dialog open: message 91 with one task whose story has lines-1 '#'.
void StoryRows()
{
    std::printf("\n== Story lines shown in the task log\n");
    const orvane::fuzz::GameFolder folder(ORVANE_SAMPLE_DIR);
    orvane::fuzz::ResetModule();
    orvane::host::ReferenceHost host;
    host.SetWorkDir(folder.String());
    CImageLoader::GetInstance()->SetBaseFolder(folder.String().c_str());
    CTaskClientHelper helper;
    helper.Create(host.Client());
    auto* client = static_cast<CTaskClient*>(helper.GetITaskClient());
    client->InitTaskObserver();
    client->CreateClientLogWnd();
    double t1000 = 0;
    for (int lines : {1000, 30001}) {
        Bytes index, text;
        PutI32(index, 1001);
        PutI16(index, 0);
        PutI16(index, 5);
        const std::string name = "Task";
        text.insert(text.end(), name.begin(), name.end());
        text.push_back(0);
        text.insert(text.end(), static_cast<size_t>(lines - 1), '#');
        text.push_back(0);
        Bytes message;
        PutI32(message, 1);
        PutI32(message, 1001);
        for (int i = 1; i < 10; ++i)
            PutI32(message, 0);
        PutI16(message, 10);
        PutI16(message, 8);
        PutI16(message, 1);
        PutI16(message, static_cast<int32_t>(text.size()));
        PutI16(message, 2);
        message.insert(message.end(), index.begin(), index.end());
        message.insert(message.end(), text.begin(), text.end());
        const double t = Row("story of " + std::to_string(lines) + " lines", message.size(), [&] {
            host.registry.Deliver(91, message.data(), static_cast<uint32_t>(message.size()));
        });
        if (lines == 1000)
            t1000 = t;
        else if (*g_filter == 0)
            std::printf("%-46s t(30001)/t(1000) = %.1f (target at most 40)\n", "", t / t1000);
    }
    helper.Close();
    orvane::fuzz::ResetModule();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
        g_filter = argv[1];
#if defined(__GLIBC__)
    // A game keeps its heap: glibc would otherwise hand the larger tables
    // back to the system after every iteration and fault them in again,
    // which measures the allocator's trimming rather than the client.
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
#endif
    MessageRows();
    LookupRows();
    StoryRows();
    return 0;
}
