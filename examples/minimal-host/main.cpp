// A game client in one file: the seven services, one NPC conversation
// (message 87), the player's click on an answer, and the answer packet.
#include <orvane/client/TaskClientHelper.h>
#include <orvane/ui/Panelkit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

using Bytes = std::vector<uint8_t>;

// -- 1. Debug lines of the module ------------------------------------------
struct Output final : IMsgOutput {
    void Print(const char* text, uint32_t, int32_t, int32_t, int32_t, int32_t) override
    {
        std::printf("log: %s\n", text != nullptr ? text : "");
    }
};

// -- 2 and 3. Scripts: a real client reads its resource packs; this one holds
// the one window description a conversation needs (GBK texts).
struct Node final : IResObject {
    Node(int32_t id, std::vector<std::pair<const char*, const char*>> attrs,
         std::vector<Node> children = {})
        : m_id(id), m_attrs(std::move(attrs)), m_children(std::move(children))
    {
    }
    int32_t GetChildCount() override { return static_cast<int32_t>(m_children.size()); }
    IResObject* GetChild(int32_t i) override
    {
        return i >= 0 && i < GetChildCount() ? &m_children[static_cast<size_t>(i)] : nullptr;
    }
    IResObject* GetChildByID(int32_t id) override
    {
        for (Node& child : m_children)
            if (child.m_id == id)
                return &child;
        return nullptr;
    }
    int32_t GetID() override { return m_id; }
    const char* GetName() override { return nullptr; }
    const char* GetAttr(const char* key) override
    {
        for (const auto& [k, v] : m_attrs)
            if (std::strcmp(k, key) == 0)
                return v;
        return nullptr;
    }
    int32_t m_id;
    std::vector<std::pair<const char*, const char*>> m_attrs;
    std::vector<Node> m_children;
};

Node TalkWindowDescription()
{
    Node panel(215, {{"class", "mainwnd"}, {"rect", "0,0,300,115"}, {"visible", "0"}});
    Node panelText(216, {{"class", "edit"}, {"rect", "20,15,272,105"}, {"maxlen", "1024"}});
    return Node(
        163,
        {{"class", "mainwnd"}, {"rect", "250,130,550,320"}, {"movable", "1"}, {"visible", "0"}},
        {Node(0, {{"class", "talk"}, {"rect", "20,40,280,160"}}),
         Node(1, {{"class", "button"}, {"rect", "274,8,292,26"}, {"text", "X"}}),
         // "任务" (task), "详情" (details): the task panel toggles
         Node(2, {{"class", "button"}, {"rect", "12,10,60,30"}, {"text", "\xC8\xCE\xCE\xF1"}}),
         Node(3, {{"class", "button"}, {"rect", "64,10,112,30"}, {"text", "\xCF\xEA\xC7\xE9"}},
              {panel, panelText})});
}

struct Script;
struct Loader final : IResLoader {
    IResScript* LoadScript(const char* path, int32_t flags, const char* password) override;
    std::vector<std::unique_ptr<Script>> m_live;
};

struct Script final : IResScript {
    Script(Loader* owner, Node root) : m_owner(owner), m_root(std::move(root)) {}
    IResObject* GetRoot() override { return &m_root; }
    IResObject* GetEntry(int32_t id) override { return m_root.GetChildByID(id); }
    void Release() override
    {
        std::erase_if(m_owner->m_live, [this](const auto& s) { return s.get() == this; });
    }
    Loader* m_owner;
    Node m_root;
};

IResScript* Loader::LoadScript(const char* path, int32_t, const char* password)
{
    const char* name = path != nullptr ? std::strrchr(path, '\\') : nullptr;
    std::printf("loader: %s\n", path != nullptr ? path : "(null)");
    // No task texts: the conversation brings its own sentences.
    if (name == nullptr || std::strcmp(name, "\\Windowtask.res") != 0 || password == nullptr ||
        std::strcmp(password, "qmtv") != 0)
        return nullptr;
    m_live.push_back(std::make_unique<Script>(this, Node(0, {}, {TalkWindowDescription()})));
    return m_live.back().get();
}

// -- 4. Timers on a game clock that the main loop advances -------------------
struct Timers final : ITimerService {
    struct Armed {
        int32_t id;
        ITimerSink* sink;
        int32_t ms;
        int64_t due;
    };
    void SetTimer(int32_t id, ITimerSink* sink, int32_t ms) override
    {
        KillTimer(id, sink);
        m_armed.push_back({id, sink, std::max(ms, 1), m_now + std::max(ms, 1)});
    }
    void KillTimer(int32_t id, ITimerSink* sink) override
    {
        std::erase_if(m_armed, [&](const Armed& a) { return a.id == id && a.sink == sink; });
    }
    void Run(int64_t ms)
    {
        const int64_t end = m_now + ms;
        for (;;) {
            auto next =
                std::min_element(m_armed.begin(), m_armed.end(),
                                 [](const Armed& a, const Armed& b) { return a.due < b.due; });
            if (next == m_armed.end() || next->due > end)
                break;
            m_now = next->due;
            next->due += next->ms;
            const Armed fired = *next;  // OnTimer may kill or re-arm it
            fired.sink->OnTimer(fired.id);
        }
        m_now = end;
    }
    std::vector<Armed> m_armed;
    int64_t m_now = 0;
};

// -- 5. The connection to the server ---------------------------------------
struct Sender final : INetSender {
    int32_t Send(const uint8_t* bytes, int32_t length) override
    {
        m_packets.emplace_back(bytes, bytes + length);
        return length;
    }
    std::vector<Bytes> m_packets;
};

// -- 6. Server messages to whoever registered for them -----------------------
struct Registry final : IMsgRegistry {
    void Register(int32_t msg, CMsgDelegate* d) override { m_entries.emplace_back(msg, d); }
    void Unregister(int32_t msg, CMsgDelegate* d) override
    {
        std::erase(m_entries, std::make_pair(msg, d));
    }
    void Deliver(int32_t msg, const Bytes& payload)
    {
        // A delegate may unregister others while it runs: walk a copy.
        const auto due = m_entries;
        for (const auto& entry : due)
            if (entry.first == msg &&
                std::find(m_entries.begin(), m_entries.end(), entry) != m_entries.end())
                entry.second->Invoke(payload.data(), static_cast<uint32_t>(payload.size()), 0);
    }
    std::vector<std::pair<int32_t, CMsgDelegate*>> m_entries;
};

// -- 7. Boxes and the module's windows ----------------------------------------
struct Ui final : IUiService {
    void Confirm(const char* text, IWndCallback* listener, int32_t) override
    {
        std::printf("confirm: %s (declined: this client shows no boxes)\n", text ? text : "");
        if (listener != nullptr)
            listener->OnEvent(0, 0, 0, 0);
    }
    void OpenClientWnd(int32_t id, IWndCallback* callback) override
    {
        if (m_client != nullptr)
            m_client->CreateClientTalkWnd(id, callback);
    }
    ITaskClient* m_client = nullptr;
};

// -- The conversation -------------------------------------------------------
void PutLe(Bytes& out, uint32_t value, int width)
{
    for (int i = 0; i < width; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

const uint8_t kReplyKey[8] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
constexpr int32_t kYes = 1;

// One chat page: what the NPC says, and two answers as links 1 and 2. The
// texts travel in the message's own sentence block (ids 5001 to 5003).
Bytes TalkMessage()
{
    const char* texts[] = {
        ("\xCE\xED\xD3\xD6\xC6\xF0\xC1\xCB\xA3\xAC\xC4\xE3\xD4\xB8\xD2\xE2\xB0\xEF\xCE\xD2"
         "\xC2\xF0\xA3\xBF"),  // 雾又起了，你愿意帮我吗？ (the mist is back; will you help?)
        "\xCE\xD2\xD4\xB8\xD2\xE2",   // 我愿意 (I will)
        "\xCF\xC2\xB4\xCE\xB0\xC9"};  // 下次吧 (another time)
    Bytes msg(kReplyKey, kReplyKey + 8);
    PutLe(msg, 1, 2);  // page count
    PutLe(msg, 0, 2);  // spare
    const int32_t links[] = {0, kYes, 2};
    PutLe(msg, 0, 4);  // task id 0: a chat page
    PutLe(msg, 3, 4);  // option count
    for (int i = 0; i < 10; ++i) {
        PutLe(msg, i < 3 ? static_cast<uint32_t>(links[i]) : 0, 4);
        PutLe(msg, i < 3 ? 5001u + static_cast<uint32_t>(i) : 0, 4);
    }
    msg.resize(540, 0);  // the five unused pages
    Bytes index, area;
    for (int i = 0; i < 3; ++i) {
        PutLe(index, 5001u + static_cast<uint32_t>(i), 4);
        PutLe(index, static_cast<uint32_t>(area.size()), 4);
        area.insert(area.end(), texts[i], texts[i] + std::strlen(texts[i]) + 1);
    }
    for (uint32_t field :
         {10u, static_cast<uint32_t>(index.size()), 3u, static_cast<uint32_t>(area.size()), 1u})
        PutLe(msg, field, 2);  // header size, index size, count, text size, kind
    msg.insert(msg.end(), index.begin(), index.end());
    msg.insert(msg.end(), area.begin(), area.end());
    return msg;
}

// Clicks the line carrying the link as the player would: the mouse goes to
// the link's text on the desktop and presses there.
bool ClickLink(int32_t windowId, int32_t link)
{
    XWindow* wnd = XDesktop::GetInstance()->FindTopLevel(windowId);
    XTalk* talk = wnd != nullptr ? dynamic_cast<XTalk*>(wnd->FindWindowByID(0)) : nullptr;
    XItemContainer* items = talk != nullptr ? talk->GetItemContainer() : nullptr;
    for (int32_t i = 0; items != nullptr && i < items->GetLineCount(); ++i) {
        XTalkLineInfo line{};
        items->GetLineInfo(i, line);
        for (int32_t p = 0; p < line.pieces; ++p) {
            XTalkPieceInfo piece{};
            XTalkFragmentInfo fragment{};
            if (!items->GetPieceInfo(i, p, piece) ||
                !items->GetFragmentInfo(i, piece.fragment, fragment) || !fragment.isLink ||
                std::atoi(fragment.url) != link)
                continue;
            const POINT pt{(piece.rect.left + piece.rect.right) / 2,
                           (piece.rect.top + piece.rect.bottom) / 2};
            std::printf("click: link %d at (%d, %d)\n", static_cast<int>(link),
                        static_cast<int>(pt.x), static_cast<int>(pt.y));
            XDesktop::GetInstance()->MouseMove(pt, 0);
            XDesktop::GetInstance()->Click(pt);
            return true;
        }
    }
    return false;
}

int main(int argc, char** argv)
{
    // The work folder: TaskLog.txt is kept there, images come from its task\.
    const char* workDir = argc > 1 ? argv[1] : ".";
    if (std::strlen(workDir) >= 240) {  // the module adds "\scp\Windowtask.res" to it
        std::fprintf(stderr, "the work folder path is too long\n");
        return 2;
    }
    Output output;
    Loader loader;
    Timers timers;
    Sender sender;
    Registry registry;
    Ui ui;
    CGlobalClient global{};
    global.m_MsgOutput.m_pOutput = &output;
    global.m_pResLoader = &loader;
    global.m_pTimerService = &timers;
    std::strcpy(global.m_szWorkDir, workDir);
    global.m_pNetSender = &sender;
    global.m_pMsgRegistry = &registry;
    global.m_pUiService = &ui;
    CImageLoader::GetInstance()->SetBaseFolder(workDir);

    CTaskClientHelper helper;
    ITaskClient* client = helper.Create(&global) ? helper.GetITaskClient() : nullptr;
    if (client == nullptr) {
        std::fprintf(stderr, "no task client\n");
        return 1;
    }
    ui.m_client = client;
    client->InitTaskObserver();

    registry.Deliver(87, TalkMessage());
    timers.Run(100);  // a few frames later the player answers
    const bool clicked = ClickLink(163, kYes);
    timers.Run(1500);  // the window's one-second guard runs out

    Bytes expected = {0x10, 0x00, 0x05, 0x00, 0x57, 0x00};
    expected.insert(expected.end(), kReplyKey, kReplyKey + 8);
    PutLe(expected, kYes, 4);
    for (const Bytes& packet : sender.m_packets) {
        std::printf("answer packet:");
        for (uint8_t b : packet)
            std::printf(" %02X", b);
        std::printf("\n");
    }
    const bool answered = sender.m_packets.size() == 1 && sender.m_packets[0] == expected;

    helper.Close();
    // Close leaves nothing registered, loaded or armed; the windows stay on
    // the desktop until the toolkit ends them.
    const bool clean =
        registry.m_entries.empty() && loader.m_live.empty() && timers.m_armed.empty();
    XDesktop::Reset();
    std::printf("link clicked: %s, answer: %s, released: %s\n", clicked ? "yes" : "no",
                answered ? "as expected" : "WRONG", clean ? "clean" : "NOT CLEAN");
    return clicked && answered && clean ? 0 : 1;
}
