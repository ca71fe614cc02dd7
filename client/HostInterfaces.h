// The host game client's services as the module calls them. The host
// implements them; the operations stand in the order the host's objects
// lay them out, so keep every interface's slot order unchanged.
#pragma once

#include <cstdint>

#include "ui/ResObject.h"

class CTaskObserver;

class IMsgOutput {
public:
    // Shows one debug line. The module passes (text, 0xFF0000, 9, 0, 1, 0).
    virtual void Print(const char* text, uint32_t color, int32_t a, int32_t b, int32_t c,
                       int32_t d) = 0;

protected:
    ~IMsgOutput() = default;
};

class IResScript {
public:
    // The root object; its children by id are the window descriptions.
    virtual IResObject* GetRoot() = 0;
    // The entry with that id (a task entry with a name and attributes), or null.
    virtual IResObject* GetEntry(int32_t id) = 0;
    // Frees the script and every object it handed out. May throw.
    virtual void Release() = 0;

protected:
    ~IResScript() = default;
};

class IResLoader {
public:
    // Loads a script; null when the file cannot be read, is malformed, or
    // declares another password.
    virtual IResScript* LoadScript(const char* path, int32_t flags, const char* password) = 0;

protected:
    ~IResLoader() = default;
};

class ITimerSink {
public:
    virtual void OnTimer(int32_t timerId) = 0;

protected:
    ~ITimerSink() = default;
};

class ITimerService {
public:
    // Arms the timer (id, target): OnTimer runs each time ms have passed until
    // it is killed. Arming an armed timer starts its period again.
    virtual void SetTimer(int32_t id, ITimerSink* target, int32_t ms) = 0;
    virtual void KillTimer(int32_t id, ITimerSink* target) = 0;

protected:
    ~ITimerService() = default;
};

class INetSender {
public:
    virtual int32_t Send(const uint8_t* bytes, int32_t length) = 0;

protected:
    ~INetSender() = default;
};

// What the host's message registry calls for a server message. The base
// operation does nothing.
class CMsgDelegateBase {
public:
    virtual void Invoke(const uint8_t* payload, uint32_t length, int32_t extra);
};

// Binds one handler of the task observer so that the host can call it.
class CMsgDelegate : public CMsgDelegateBase {
public:
    typedef void (CTaskObserver::*Handler)(const uint8_t* payload, uint32_t length, int32_t extra);

    CMsgDelegate();
    void Bind(CTaskObserver* target, Handler handler);
    void Invoke(const uint8_t* payload, uint32_t length, int32_t extra) override;

    CTaskObserver* m_pTarget;
    Handler m_pfnHandler;
};

class IMsgRegistry {
public:
    virtual void Register(int32_t msgId, CMsgDelegate* delegate) = 0;
    virtual void Unregister(int32_t msgId, CMsgDelegate* delegate) = 0;

protected:
    ~IMsgRegistry() = default;
};

// The windows' event interface: (window id, event type, value, extra).
class IWndCallback {
public:
    virtual bool OnEvent(int32_t code, int32_t type, int32_t value, int32_t extra) = 0;

protected:
    ~IWndCallback() = default;
};

class IUiService {
public:
    // Opens a confirmation box; the answer reaches listener->OnEvent with the
    // answer as its type (1 yes, 0 no).
    virtual void Confirm(const char* text, IWndCallback* listener, int32_t flags) = 0;
    // Opens the client window with that id; the window exists when it returns.
    virtual void OpenClientWnd(int32_t id, IWndCallback* callback) = 0;

protected:
    ~IUiService() = default;
};

struct CMsgOutputHolder {
    IMsgOutput* m_pOutput;
};

// The host's central object, as far as the module reads it.
class CGlobalClient {
public:
    CMsgOutputHolder m_MsgOutput;
    IResLoader* m_pResLoader;
    ITimerService* m_pTimerService;
    char m_szWorkDir[260];
    INetSender* m_pNetSender;
    IMsgRegistry* m_pMsgRegistry;
    IUiService* m_pUiService;
};
