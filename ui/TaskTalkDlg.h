// The NPC talk window (id 163) and the two selection menus (174, 175): rich
// text lines whose links are the player's answers, and, for the NPC talk
// window, a task panel above it and a one-second guard against hiding.
#pragma once

#include <cstdint>

#include "client/HostInterfaces.h"
#include "client/WindowIds.h"
#include "ui/TaskMainWnd.h"

class CTalkText;
class CTaskTalkSequencer;

namespace orvane {
class StateView;
}

class CTaskTalkDlg : public CTaskMainWnd, public ITimerSink {
public:
    static constexpr int32_t kTalkWndID = orvane::kTalkWndID;
    static constexpr int32_t kPanelResID = 215;
    static constexpr int32_t kPanelTextResID = 216;
    static constexpr int32_t kPanelTextID = 8;
    static constexpr int32_t kHideGuardMs = 1000;

    CTaskTalkDlg();
    ~CTaskTalkDlg() override;

    int32_t IsTransparent() override;
    void SetVisible(BOOL show) override;
    BOOL OnMouseDown(uint32_t a, uint32_t b, POINT pt) override;
    BOOL OnMouseMove(uint32_t a, uint32_t b, POINT pt) override;
    BOOL OnAccelKey(uint32_t a, uint32_t b) override;
    void OnEraseBkgnd(ICanvas* canvas, RECT& rc) override;
    bool OnCommand(int32_t type, const void* data, int32_t param) override;
    void OnTimer(int32_t timerId) override;

    // Builds the window and its children from the description; returns it.
    XWindow* Create(IResObject* desc, int32_t id, IWndCallback* callback);
    void SetSequencer(CTaskTalkSequencer* sequencer);
    // A null callback changes nothing.
    void SetCallback(IWndCallback* callback);
    // Adds one line, a link carrying link when link is not 0.
    void AppendLine(const char* text, int32_t link);
    void ClearText();
    void SetPinned(int32_t pinned);
    // Closes the window at once, guard or not.
    void Hide();
    // A link of the talk control was clicked: closes the window, then
    // reports (163, 1, number, 0) to the callback. The callback may end this
    // window: nothing of it is touched afterwards.
    void OnLinkClicked(int32_t number);
    bool LoadImages();
    void OnPanelToggle();
    void PlaceTaskPanel();
    // The client that made the window is going: its timer is killed, and
    // from now on the window reaches neither the client nor the host.
    void DetachClient();

private:
    friend class orvane::StateView;
    // The task panel: tells this window when the toolkit ends it.
    class CTaskPanelWnd;

    // The host's timers; none once the window is detached.
    ITimerService* Timers() const;
    void StartHideGuardTimer();
    void KillHideGuardTimer();
    // Shows or hides the task panel for a showing (show) or hiding of this window.
    void UpdateTaskPanel(BOOL show);
    // Sets the panel text and shows its text box; nothing without a text or box.
    void SetPanelText(const char* text);
    void CentreOnScreen();
    void CreateTaskPanel(CPanelkitHelper& helper, IResObject* templates);
    // The toolkit ended the task panel: it and its text box are gone.
    void OnTaskPanelGone();

    XWindow* m_pCloseWnd;
    XWindow* m_pPanelBtn1;
    XWindow* m_pPanelBtn2;
    CTalkText* m_pTalk;
    int32_t m_bPinned;
    int32_t m_bHideGuard;
    XMainWnd* m_pTaskPanel;
    XEdit* m_pTaskPanelText;
    int32_t m_nWndID;
    CTaskTalkSequencer* m_pSequencer;
    int32_t m_nHeight;
    IWndCallback* m_pWndCallback;
    IBitmap* m_pImgTop;
    IBitmap* m_pImgMid;
    IBitmap* m_pImgBottom;

    // Whether the guard timer is armed with the host (Hide leaves it running).
    bool m_bGuardTimerArmed;
    bool m_bDetached;
};
