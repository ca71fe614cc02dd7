#include "ui/TaskLogDlg.h"

#include <algorithm>
#include <span>
#include <string_view>

#include "client/Contain.h"
#include "client/HostServices.h"
#include "client/ModuleState.h"
#include "client/TaskClient.h"
#include "platform/Win32.h"
#include "tasks/MessageFormats.h"
#include "ui/Connection0.h"
#include "ui/LinkLine.h"
#include "ui/OwnedWindow.h"
#include "ui/StoryTalk.h"
#include "ui/TaskLinkButton.h"
#include "ui/TaskLogFile.h"

namespace {

constexpr int32_t kNoteBufferSize = 1024;

const char kTaskFontFace[] = "\xCB\xCE\xCC\xE5"; /* 宋体 */
constexpr int32_t kTaskFontSize = 12, kTaskFontCharset = 128;
const char kConfirmDeleteText[] = "\xC8\xB7\xC8\xCF\xC9\xBE\xB3\xFD\xC2\xF0?"; /* 确认删除吗? */
const char kStoryControlText[] = "Out m_pStoryContorl 1";
const char kSelectImagePath[] = "task\\BakTaskSelect.tga";

// The host keeps the listener of an open confirmation box until the player
// answers, which may be after the dialog that asked has gone. So the host
// gets this relay, which lives as long as the module and forwards the
// answer to the dialog that asked last, while that dialog exists.
class CDeleteConfirmRelay final : public IWndCallback {
public:
    bool OnEvent(int32_t code, int32_t answer, int32_t value, int32_t extra) override
    {
        // The answer comes straight from the host: nothing may go back.
        return orvane::Contain("CDeleteConfirm::OnEvent()", false, [&] {
            return m_pTarget != nullptr ? m_pTarget->OnEvent(code, answer, value, extra) : true;
        });
    }
    // The box about to be asked is target's.
    void AskFor(CDeleteConfirm* target) { m_pTarget = target; }
    // target is going: an answer still to come reaches nobody.
    void Forget(CDeleteConfirm* target)
    {
        if (m_pTarget == target)
            m_pTarget = nullptr;
    }

private:
    CDeleteConfirm* m_pTarget = nullptr;
};

CDeleteConfirmRelay g_DeleteConfirmRelay;

IResObject* ChildOf(IResObject* res, int32_t index)
{
    return res != nullptr ? res->GetChild(index) : nullptr;
}

}  // namespace

bool CDeleteConfirm::OnEvent(int32_t, int32_t answer, int32_t, int32_t)
{
    return orvane::Contain("CDeleteConfirm::OnEvent()", false, [&]() -> bool {
        m_nState = answer == 1 ? kConfirmed : answer == 0 ? kDeclined : kPending;
        if (m_nState == kConfirmed && m_pOwner != nullptr)
            m_pOwner->OnDeleteConfirmed();
        return true;
    });
}

// ---------------------------------------------------------------------------
// Life

CTaskLogDlg::CTaskLogDlg()
    : m_pCloseBtn(nullptr),
      m_pDeleteBtn(nullptr),
      m_pNoteWnd(nullptr),
      m_pPage1Btn(nullptr),
      m_pPage2Btn(nullptr),
      m_pStoryContorl(nullptr),
      m_pWndCallback(nullptr),
      m_pResObject(nullptr),
      m_pHelper(nullptr),
      m_nLastChildID(0),
      m_pClient(nullptr),
      m_nCurTaskID(0),
      m_bButtonsCreated(false),
      m_pSelectImage(nullptr),
      m_nPage(0)
{
    orvane::g_pTaskFont = XFontCreate::GetInstance()->CreateFontA(kTaskFontFace, kTaskFontSize, 0,
                                                                  0, 0, 0, kTaskFontCharset);
}

CTaskLogDlg::~CTaskLogDlg()
{
    OutputDebugStringA("CTaskLogDlg::~CTaskLogDlg()  ... OK");
    // A dialog left behind by its client saved its note when it was cut
    // off; a newer dialog may have saved another since.
    if (!m_bDetached)
        orvane::Contain("CTaskLogDlg::~CTaskLogDlg()", [&] { SaveNote(); });
    for (CTaskLinkButton* button : m_TaskBtnList)
        button->SetHoverImage(nullptr);
    if (m_pSelectImage != nullptr)
        CImageLoader::GetInstance()->FreeImage(m_pSelectImage);
    m_pSelectImage = nullptr;
    m_TaskBtnList.clear();
    g_DeleteConfirmRelay.Forget(&m_DeleteConfirm);
    m_DeleteConfirm.SetOwner(nullptr);
    if (orvane::g_pTaskClient != nullptr)
        orvane::g_pTaskClient->OnWindowDestroyed(this);
}

void CTaskLogDlg::Release()
{
    orvane::Contain("CTaskLogDlg::Release()", [&] { TakeNote(); });
    XWindow::Release();  // deletes this window
}

void CTaskLogDlg::SaveNote()
{
    // The children still exist here: the plain window ends them afterwards.
    // A note that cannot be taken is not written: the file keeps the last one.
    if (!m_bNoteTaken)
        TakeNote();
    if (!m_bNoteTaken)
        return;
    const size_t length = std::min<size_t>(m_strNote.size(), INT32_MAX);
    orvane::WriteTaskLog(m_strNote.data(), static_cast<int32_t>(length));
}

void CTaskLogDlg::TakeNote()
{
    if (m_pNoteWnd == nullptr || !orvane::HoldsChild(this, m_pNoteWnd))
        return;
    const char* text = m_pNoteWnd->GetWindowTextA();
    m_strNote = text != nullptr ? text : "";
    m_bNoteTaken = true;
}

void CTaskLogDlg::DetachClient()
{
    // The note is saved while the host's work folder is still there; after
    // this the dialog writes nothing, so it cannot overwrite a newer note.
    orvane::Contain("CTaskLogDlg::DetachClient()", [&] { SaveNote(); });
    m_bDetached = true;
    m_pWndCallback = nullptr;
    m_pClient = nullptr;
    // The client released the window script and with it these objects.
    m_pResObject = nullptr;
    // An answer still to come finds no dialog to act for.
    g_DeleteConfirmRelay.Forget(&m_DeleteConfirm);
}

// ---------------------------------------------------------------------------
// Building

bool CTaskLogDlg::CreateDlg(CPanelkitHelper* helper, IResObject* res, int32_t id,
                            IWndCallback* callback, CTaskClient* client)
{
    // Built once: a second build would add every child a second time.
    if (m_bBuilt)
        return true;
    m_bBuilt = true;
    CPanelkitHelper* builder = helper != nullptr ? helper : &m_OwnHelper;
    m_pResObject = res;
    m_pHelper = &m_OwnHelper;
    m_pClient = client;

    XDesktop* desktop = GetDesktop();
    SetParent(desktop);
    builder->CreateStockProperty(this, res, id);
    SetMovable(1);
    desktop->AddWindow(this);

    CreateStoryControl(*builder, res);
    const int32_t childCount = res != nullptr ? res->GetChildCount() : 0;
    for (int32_t i = kDeleteBtnID; i < childCount; ++i) {
        builder->CreateXWindow(this, res->GetChild(i), i, nullptr);
        m_nLastChildID = i;
    }
    m_pDeleteBtn = FindWindowByID(kDeleteBtnID);
    m_pCloseBtn = FindWindowByID(kCloseBtnID);
    XWindow* noteWnd = FindWindowByID(kNoteWndID);
    m_pPage1Btn = FindWindowByID(kPage1BtnID);
    m_pPage2Btn = FindWindowByID(kPage2BtnID);

    LoadSelectImage();
    char note[kNoteBufferSize] = {};
    orvane::ReadTaskLog(note, kNoteBufferSize);
    if (noteWnd != nullptr)
        noteWnd->SetWindowTextA(note);
    // Known only once it holds the file's note: a window that never got it
    // must not write over the file when it goes.
    m_pNoteWnd = noteWnd;

    m_pWndCallback = callback;
    m_DeleteConfirm.SetOwner(this);
    SetActive();
    if (m_pStoryContorl == nullptr)
        return true;
    ConnectClick(m_pPage1Btn, this, &CTaskLogDlg::ShowPage1);
    ConnectClick(m_pPage2Btn, this, &CTaskLogDlg::ShowPage2);
    ConnectClick(m_pCloseBtn, this, &CTaskLogDlg::OnCloseButton);
    ConnectClick(m_pDeleteBtn, this, &CTaskLogDlg::OnDeleteButton);
    return true;
}

void CTaskLogDlg::CreateStoryControl(CPanelkitHelper& builder, IResObject* res)
{
    // A story control the dialog did not adopt is ended on the way out.
    orvane::OwnedWindow<CStoryTalk> story(this, new CStoryTalk(this));
    story->SetWindowTextA(kStoryControlText);
    if (builder.CreateXWindow(this, ChildOf(res, kStoryChild), kStoryChild, story.get()) != nullptr)
        m_pStoryContorl = story.Keep();
}

void CTaskLogDlg::LoadSelectImage()
{
    m_pSelectImage = CImageLoader::GetInstance()->LoadImageA(kSelectImagePath);
}

// ---------------------------------------------------------------------------
// Task lists

bool CTaskLogDlg::OnCommand(int32_t type, const void* data, int32_t param)
{
    return orvane::Contain("CTaskLogDlg::OnCommand()", false, [&]() -> bool {
        if (type != kCmdTaskList || data == nullptr || param < 0)
            return false;
        // The list is the head of a server message: read it, checked, into a
        // record of our own.
        std::optional<TaskListRecord> list = orvane::ReadTaskList(std::span<const uint8_t>(
            static_cast<const uint8_t*>(data), static_cast<size_t>(param)));
        if (!list)
            return false;
        UpdateTaskList(&*list);
        return true;
    });
}

// ---------------------------------------------------------------------------
// Story, buttons and keys

void CTaskLogDlg::ClearStory()
{
    if (m_pStoryContorl != nullptr)
        m_pStoryContorl->Clear();
}

void CTaskLogDlg::AddStoryText(const char* text, int32_t taskId)
{
    if (text == nullptr || m_pStoryContorl == nullptr)
        return;
    std::string_view rest(text);
    for (;;) {
        const size_t hash = rest.find('#');
        const std::string_view segment = rest.substr(0, hash);
        const std::string line =
            taskId == 0 ? std::string(segment) : orvane::LinkLine(taskId, segment);
        m_pStoryContorl->AddLine(line.c_str());
        if (hash == std::string_view::npos)
            break;
        rest.remove_prefix(hash + 1);
    }
}

void CTaskLogDlg::OnTaskButton()
{
    orvane::Contain("CTaskLogDlg::OnTaskButton()", [&] {
        m_nCurTaskID = orvane::g_nLastPressedTaskID;
        ClearStory();
        if (m_nCurTaskID != 0 && m_pClient != nullptr)
            AddStoryText(m_pClient->GetTaskDesc(m_nCurTaskID), m_nCurTaskID);
    });
}

void CTaskLogDlg::OnCloseButton()
{
    orvane::Contain("CTaskLogDlg::OnCloseButton()", [&] {
        SetVisible(FALSE);  // hidden, not destroyed
    });
}

void CTaskLogDlg::OnDeleteButton()
{
    orvane::Contain("CTaskLogDlg::OnDeleteButton()", [&] {
        m_DeleteConfirm.AwaitAnswer();
        IUiService* ui = m_bDetached ? nullptr : orvane::HostUi();
        if (ui == nullptr)
            return;
        g_DeleteConfirmRelay.AskFor(&m_DeleteConfirm);
        ui->Confirm(kConfirmDeleteText, &g_DeleteConfirmRelay, 0);
    });
}

void CTaskLogDlg::OnDeleteConfirmed()
{
    if (m_pWndCallback != nullptr)
        m_pWndCallback->OnEvent(orvane::kLogWndID, orvane::kDeleteEvent, m_nCurTaskID, 0);
}

BOOL CTaskLogDlg::OnAccelKey(uint32_t, uint32_t)
{
    return orvane::Contain("CTaskLogDlg::OnAccelKey()", FALSE, [&]() -> BOOL {
        SetVisible(IsVisible() ? FALSE : TRUE);
        InvalidRect(nullptr);
        return TRUE;
    });
}
