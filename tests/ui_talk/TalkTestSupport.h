// Shared pieces of the talk window tests: the module on the reference host
// with the sample game, player input through the desktop, a callback that
// records events, and builders for message 87 and test pictures.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "client/StateView.h"
#include "client/TaskClient.h"
#include "net/TaskWndCallback.h"
#include "panelkit/Views.h"
#include "tests/support/ModuleFixture.h"
#include "ui/TalkText.h"
#include "ui/TaskTalkDlg.h"

namespace orvane::test {

using Event = std::array<int32_t, 4>;

class RecordingCallback : public IWndCallback {
public:
    bool OnEvent(int32_t code, int32_t type, int32_t value, int32_t extra) override
    {
        events.push_back({code, type, value, extra});
        return true;
    }
    std::vector<Event> events;
};

// One line of a talk control as the player sees it: its text and the
// number of its link (0 for a plain line).
struct ShownLine {
    std::string text;
    int32_t link;
    bool operator==(const ShownLine&) const = default;
};

inline std::vector<ShownLine> LinesOf(CTaskTalkDlg* dlg)
{
    std::vector<ShownLine> out;
    XItemContainer* items = StateView::Talk(*dlg)->GetItemContainer();
    for (int32_t i = 0; i < items->GetLineCount(); ++i) {
        ShownLine line{"", 0};
        const std::optional<XTalkLine> laid = panelkit::LineOf(items, i);
        for (const XTalkFragment& f : laid->fragments) {
            line.text += f.text;
            if (f.isLink)
                line.link = std::stoi(f.url);
        }
        out.push_back(line);
    }
    return out;
}

inline RECT RectOf(XWindow* wnd)
{
    RECT rc{};
    wnd->GetWindowRect(rc);
    return rc;
}

inline std::array<int32_t, 4> Corners(const RECT& rc)
{
    return {rc.left, rc.top, rc.right, rc.bottom};
}

inline void ClickWindow(XWindow* wnd)
{
    const RECT rc = RectOf(wnd);
    XDesktop::GetInstance()->Click(POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
}

// A player's click on the first piece of the first link whose url is url;
// false when no such link is laid out.
inline bool ClickLinkUrl(CTaskTalkDlg* dlg, const std::string& url)
{
    XItemContainer* items = StateView::Talk(*dlg)->GetItemContainer();
    for (int32_t i = 0; i < items->GetLineCount(); ++i) {
        const std::optional<XTalkLine> line = panelkit::LineOf(items, i);
        for (const XTalkPiece& piece : line->pieces) {
            const XTalkFragment& f = line->fragments[static_cast<size_t>(piece.fragment)];
            if (!f.isLink || f.url != url)
                continue;
            XDesktop::GetInstance()->Click(POINT{piece.rect.left + 1, piece.rect.top + 1});
            return true;
        }
    }
    return false;
}

inline bool ClickLink(CTaskTalkDlg* dlg, int32_t link)
{
    return ClickLinkUrl(dlg, std::to_string(link));
}

// Writes a 24-bit BMP of that size.
inline void WriteBmp(const std::filesystem::path& path, int32_t width, int32_t height)
{
    const uint32_t row = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t size = 54 + row * static_cast<uint32_t>(height);
    std::vector<uint8_t> b(size, 0x80);
    auto put = [&b](size_t at, uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put(2, size, 4);
    put(6, 0, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<uint32_t>(width), 4);
    put(22, static_cast<uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(30, 0, 4);
    put(34, row * static_cast<uint32_t>(height), 4);
    for (size_t at = 38; at < 54; ++at)
        b[at] = 0;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

// A picture of any size, drawn nowhere; the window frees it.
class FakeBitmap : public IBitmap {
public:
    FakeBitmap(int32_t w, int32_t h) : m_w(w), m_h(h) {}
    int32_t GetWidth() override { return m_w; }
    int32_t GetHeight() override { return m_h; }
    void Draw(ICanvas* canvas, int32_t x, int32_t y, int32_t flag) override
    {
        canvas->DrawBitmap(this, x, y, flag);
    }

private:
    int32_t m_w;
    int32_t m_h;
};

struct WirePage {
    int32_t task;
    std::vector<std::array<int32_t, 2>> options;  // {link, resID}
};

inline void PutLE(std::vector<uint8_t>& out, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// Message 87 without a sentence block: key, page count, spare, six pages.
inline std::vector<uint8_t> TalkMessage(const std::array<uint8_t, 8>& key,
                                        const std::vector<WirePage>& pages)
{
    std::vector<uint8_t> out(key.begin(), key.end());
    PutLE(out, static_cast<uint32_t>(pages.size()), 2);
    PutLE(out, 0, 2);
    for (size_t p = 0; p < 6; ++p) {
        const WirePage page = p < pages.size() ? pages[p] : WirePage{0, {}};
        PutLE(out, static_cast<uint32_t>(page.task), 4);
        PutLE(out, static_cast<uint32_t>(page.options.size()), 4);
        for (size_t i = 0; i < 10; ++i) {
            const std::array<int32_t, 2> o =
                i < page.options.size() ? page.options[i] : std::array<int32_t, 2>{0, 0};
            PutLE(out, static_cast<uint32_t>(o[0]), 4);
            PutLE(out, static_cast<uint32_t>(o[1]), 4);
        }
    }
    return out;
}

// The module with the sample game; windows come from the client's requests.
class TalkFixture : public ModuleFixture {
protected:
    void SetUp() override
    {
        ModuleFixture::SetUp();
        host.hub.SetListener([this](const host::HostEvent& ev) { hostEvents.push_back(ev); });
    }

    // The NPC talk window, created through the client.
    CTaskTalkDlg* TalkWnd(IWndCallback* callback = nullptr)
    {
        if (Client() == nullptr)
            CreateClient();
        Client()->CreateClientTalkWnd(CTaskTalkDlg::kTalkWndID, callback);
        return StateView::TalkDlg(*Client());
    }

    // Timer arming of the talk window's hide guard so far.
    int GuardTimerSets(CTaskTalkDlg* dlg)
    {
        const int32_t sink = host.timers.SinkNumber(dlg);
        int n = 0;
        for (const host::HostEvent& ev : hostEvents)
            n += ev.kind == host::HostEvent::Kind::TimerSet && ev.sink == sink && ev.ms == 1000;
        return n;
    }

    std::vector<host::HostEvent> hostEvents;
};

}  // namespace orvane::test
