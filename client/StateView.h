// What the module holds, for the programs that look at it from outside:
// the tests, the fuzz targets and the inspector. The module itself never
// uses this view; its classes reach each other through their operations.
// A few test seams, named as such, set up a case that the host's calls
// alone cannot reach.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <utility>

#include "client/TaskClient.h"
#include "tasks/TaskObserver.h"
#include "tasks/TaskTalkSequencer.h"
#include "ui/TalkText.h"
#include "ui/TaskLogDlg.h"
#include "ui/TaskTalkDlg.h"

namespace orvane {

class StateView {
public:
    // The task client: its scripts, objects, windows and tables.
    static IResScript* TaskScript(const CTaskClient& c) { return c.m_pTaskScript; }
    static IResScript* ResScript(const CTaskClient& c) { return c.m_pResScript; }
    static CTaskObserver* Observer(const CTaskClient& c) { return c.m_pTaskObServer.get(); }
    static CTaskTalkSequencer* Sequencer(const CTaskClient& c) { return c.m_pTalkSequencer.get(); }
    static CTaskTalkDlg* TalkDlg(const CTaskClient& c) { return c.m_pTaskTalkDlg; }
    static CTaskTalkDlg* MenuDlg(const CTaskClient& c) { return c.m_TaskMenuDlg; }
    static CTaskTalkDlg* MenuDlg2(const CTaskClient& c) { return c.m_TaskMenuDlg2; }
    static CTaskLogDlg* LogDlg(const CTaskClient& c) { return c.m_pTaskLogDlg; }
    // The tables, to read, or for a test to fill directly.
    static TalkSentenceTable& Sentences(CTaskClient& c) { return c.m_SentenceTable; }
    static TaskLogTable& TaskLog(CTaskClient& c) { return c.m_TaskLogTable; }

    // Test seams: windows of the test's own in the client's slots, and a
    // client that has lost its sequencer. The client ends neither window.
    static void SetTalkDlg(CTaskClient& c, CTaskTalkDlg* dlg) { c.m_pTaskTalkDlg = dlg; }
    static void SetLogDlg(CTaskClient& c, CTaskLogDlg* dlg) { c.m_pTaskLogDlg = dlg; }
    static std::unique_ptr<CTaskTalkSequencer> ExchangeSequencer(
        CTaskClient& c, std::unique_ptr<CTaskTalkSequencer> sequencer)
    {
        return std::exchange(c.m_pTalkSequencer, std::move(sequencer));
    }

    // The observer's two message delegates, as the host's registry calls them.
    static CMsgDelegate& TalkSink(CTaskObserver& o) { return o.m_TalkSink; }
    static CMsgDelegate& LogSink(CTaskObserver& o) { return o.m_LogSink; }

    // The talk sequencer.
    static int32_t TalkState(const CTaskTalkSequencer& s) { return s.m_nTalkState; }
    static int32_t CurrentPage(const CTaskTalkSequencer& s) { return s.m_CurrentOutNum; }
    static const TaskTalkPageArea& PageArea(const CTaskTalkSequencer& s) { return s.m_PageArea; }

    // The NPC talk window and the selection menus.
    static CTalkText* Talk(const CTaskTalkDlg& d) { return d.m_pTalk; }
    static XWindow* CloseWnd(const CTaskTalkDlg& d) { return d.m_pCloseWnd; }
    static XWindow* PanelBtn1(const CTaskTalkDlg& d) { return d.m_pPanelBtn1; }
    static XWindow* PanelBtn2(const CTaskTalkDlg& d) { return d.m_pPanelBtn2; }
    static XMainWnd* TaskPanel(const CTaskTalkDlg& d) { return d.m_pTaskPanel; }
    static XEdit* TaskPanelText(const CTaskTalkDlg& d) { return d.m_pTaskPanelText; }
    static int32_t Pinned(const CTaskTalkDlg& d) { return d.m_bPinned; }
    static int32_t HideGuard(const CTaskTalkDlg& d) { return d.m_bHideGuard; }
    static int32_t WndID(const CTaskTalkDlg& d) { return d.m_nWndID; }
    static CTaskTalkSequencer* Sequencer(const CTaskTalkDlg& d) { return d.m_pSequencer; }
    static int32_t Height(const CTaskTalkDlg& d) { return d.m_nHeight; }
    static IWndCallback* Callback(const CTaskTalkDlg& d) { return d.m_pWndCallback; }
    static IBitmap* ImgTop(const CTaskTalkDlg& d) { return d.m_pImgTop; }
    static IBitmap* ImgMid(const CTaskTalkDlg& d) { return d.m_pImgMid; }
    static IBitmap* ImgBottom(const CTaskTalkDlg& d) { return d.m_pImgBottom; }
    static CTaskTalkDlg* Owner(const CTalkText& t) { return t.m_pOwner; }

    // Test seams of the talk window: the remembered height and the guard
    // set back, and a background image exchanged for one of the test's
    // (the old one is freed; the window frees the new one).
    static void SetHeight(CTaskTalkDlg& d, int32_t height) { d.m_nHeight = height; }
    static void EndHideGuard(CTaskTalkDlg& d) { d.m_bHideGuard = 0; }
    enum class Image { kTop, kMiddle };
    static void ReplaceImage(CTaskTalkDlg& d, Image which, IBitmap* image)
    {
        IBitmap*& slot = which == Image::kTop ? d.m_pImgTop : d.m_pImgMid;
        CImageLoader::GetInstance()->FreeImage(slot);
        slot = image;
    }

    // The task log dialog.
    static XWindow* CloseBtn(const CTaskLogDlg& d) { return d.m_pCloseBtn; }
    static XWindow* DeleteBtn(const CTaskLogDlg& d) { return d.m_pDeleteBtn; }
    static XWindow* NoteWnd(const CTaskLogDlg& d) { return d.m_pNoteWnd; }
    static XWindow* Page1Btn(const CTaskLogDlg& d) { return d.m_pPage1Btn; }
    static XWindow* Page2Btn(const CTaskLogDlg& d) { return d.m_pPage2Btn; }
    static CStoryTalk* Story(const CTaskLogDlg& d) { return d.m_pStoryContorl; }
    static const std::list<CTaskLinkButton*>& TaskButtons(const CTaskLogDlg& d)
    {
        return d.m_TaskBtnList;
    }
    static int32_t CurTaskID(const CTaskLogDlg& d) { return d.m_nCurTaskID; }
    static int32_t Page(const CTaskLogDlg& d) { return d.m_nPage; }
    static int32_t DeleteState(const CTaskLogDlg& d) { return d.m_DeleteConfirm.GetState(); }
};

}  // namespace orvane
