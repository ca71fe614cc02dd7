// The task log window (id 172): up to ten task link buttons on two pages,
// the chosen task's story, a delete request behind a confirmation box, and
// a note kept in TaskLog.txt.
#pragma once

#include <cstdint>
#include <list>
#include <string>

#include "client/HostInterfaces.h"
#include "client/WindowIds.h"
#include "tasks/TaskRecords.h"
#include "ui/TaskMainWnd.h"

class CStoryTalk;
class CTaskClient;
class CTaskLinkButton;
class CTaskLogDlg;

namespace orvane {
class StateView;
}

// Listens for the answer of the delete confirmation box.
class CDeleteConfirm : public IWndCallback {
public:
    enum State : int32_t { kConfirmed = 0, kDeclined = 1, kPending = 2 };
    CDeleteConfirm() = default;
    virtual ~CDeleteConfirm() = default;
    // A yes tells the owner, which reports the deletion.
    bool OnEvent(int32_t code, int32_t answer, int32_t value, int32_t extra) override;

    void SetOwner(CTaskLogDlg* owner) { m_pOwner = owner; }
    // A box is about to be asked: no answer yet.
    void AwaitAnswer() { m_nState = kPending; }
    int32_t GetState() const { return m_nState; }

private:
    int32_t m_nState = kPending;
    CTaskLogDlg* m_pOwner = nullptr;
};

class CTaskLogDlg : public CTaskMainWnd {
public:
    static constexpr int32_t kLogWndID = orvane::kLogWndID;
    static constexpr int32_t kTaskButtonCount = 10;

    CTaskLogDlg();
    ~CTaskLogDlg() override;

    void Release() override;
    BOOL OnAccelKey(uint32_t a, uint32_t b) override;
    bool OnCommand(int32_t type, const void* data, int32_t param) override;

    bool CreateDlg(CPanelkitHelper* helper, IResObject* res, int32_t id, IWndCallback* callback,
                   CTaskClient* client);
    bool UpdateTaskList(TaskListRecord* list);
    void ClearStory();
    void AddStoryText(const char* text, int32_t taskId);
    void ShowPage1();
    void ShowPage2();
    void OnCloseButton();
    void OnDeleteButton();
    void OnTaskButton();
    // The player confirmed the deletion: reports (172, 7, the current task,
    // 0) to the callback.
    void OnDeleteConfirmed();
    // The client that made the dialog is going: the note is saved now, and
    // from now on the dialog reaches neither the client nor the host and
    // writes no file.
    void DetachClient();

private:
    friend class orvane::StateView;

    // Children of the dialog's description, by index; each is built with its
    // index as its window id. Child 1 is the template of every link button.
    enum Child : int32_t {
        kStoryChild,
        kButtonTemplateChild,
        kDeleteBtnID,
        kCloseBtnID,
        kNoteWndID,
        kPage1BtnID,
        kPage2BtnID
    };

    // Builds the story control from child 0 into m_pStoryContorl, which stays
    // null when the dialog does not adopt it.
    void CreateStoryControl(CPanelkitHelper& builder, IResObject* res);
    // Builds the ten link buttons from the template child; nothing when the
    // resource objects are gone (the client that loaded them was released).
    void CreateTaskButtons();
    // Gives the dialog one link button built from pattern, places it below
    // the last (rc) and lists it in made. False when the button was not adopted.
    bool AddTaskButton(CTaskLinkButton* button, IResObject* pattern, int32_t index, RECT& rc,
                       std::list<CTaskLinkButton*>& made);
    int32_t PickShownTask(const TaskListRecord& list);
    bool PackTaskList(TaskListRecord* list);
    void ShowNoTask();
    void FillTaskButtons(const TaskListRecord& list);
    void LayoutTaskButtons(int32_t shift);
    // Lays the buttons out afresh for page 1 or 2, whichever is shown now.
    void LayOutPage(int32_t page);
    void LoadSelectImage();
    // Copies the note window's text into m_strNote, if the window is here.
    void TakeNote();
    // Writes the note (taken now unless Release took it) to TaskLog.txt.
    void SaveNote();

    std::string m_strNote;
    XWindow* m_pCloseBtn;
    XWindow* m_pDeleteBtn;
    XWindow* m_pNoteWnd;
    XWindow* m_pPage1Btn;
    XWindow* m_pPage2Btn;
    CStoryTalk* m_pStoryContorl;
    IWndCallback* m_pWndCallback;
    IResObject* m_pResObject;
    CPanelkitHelper* m_pHelper;
    int32_t m_nLastChildID;
    std::list<CTaskLinkButton*> m_TaskBtnList;
    CTaskClient* m_pClient;
    int32_t m_nCurTaskID;
    bool m_bButtonsCreated;
    IBitmap* m_pSelectImage;
    int32_t m_nPage;
    CDeleteConfirm m_DeleteConfirm;

    // Builds the link buttons at the first update, after the client's
    // helper given to CreateDlg has gone.
    CPanelkitHelper m_OwnHelper;
    bool m_bBuilt = false;
    // m_strNote holds the note window's text (taken at Release or at the end).
    bool m_bNoteTaken = false;
    // Cut off from its client and the host by the client's Release.
    bool m_bDetached = false;
};
