// The one class the module exports. The host creates the task client with
// Create, drives it through GetITaskClient, and ends it with Close.
#pragma once

#include "client/HostInterfaces.h"
#include "client/ITaskClient.h"
#include "platform/Win32.h"

#if defined(_WIN32)
#if defined(ORVANE_BUILD)
#define ORVANE_API __declspec(dllexport)
#else
#define ORVANE_API __declspec(dllimport)
#endif
#else
#define ORVANE_API __attribute__((visibility("default")))
#endif

class ORVANE_API CTaskClientHelper {
public:
    CTaskClientHelper();
    CTaskClientHelper(const CTaskClientHelper& other);
    virtual ~CTaskClientHelper();
    CTaskClientHelper& operator=(const CTaskClientHelper& other);

    // Creates the one task client for this host. True whenever a client
    // exists afterwards; a second call makes no second client.
    bool Create(CGlobalClient* client);
    // Releases the client, if there is one.
    void Close();
    ITaskClient* GetITaskClient();

    static ITaskClient* m_pTaskClient;
    static HINSTANCE m_hDll;
};
