#include "client/TaskClientHelper.h"

#include "client/Contain.h"
#include "client/DebugLog.h"
#include "client/HostServices.h"
#include "client/ModuleState.h"
#include "client/TaskClient.h"

ITaskClient* CTaskClientHelper::m_pTaskClient = nullptr;
HINSTANCE CTaskClientHelper::m_hDll = nullptr;

namespace {

// Thrown when the factory cannot go on; Create catches it.
struct FactoryError {};

constexpr int32_t kClientKind = 1;

// Creates the one task client. 1 on success, 0 on failure; the client is
// stored in *out even when its initialisation fails.
int32_t CreateTaskClient(int32_t kind, CGlobalClient* host, ITaskClient** out)
{
    using namespace orvane;
    WriteDebugLog(g_LogSink, "CreateTaskClient   %d !", g_nCreateCount);
    if (g_pTaskClient != nullptr) {
        *out = g_pTaskClient;
        return 1;
    }
    WriteDebugLog(g_LogSink, "CTaskClient  : Initialize .........OK!");
    // A host that is not there is refused like a failed factory, before
    // anything is stored or attached.
    if (host == nullptr)
        throw FactoryError();
    g_LogSink.Attach(host->m_MsgOutput.m_pOutput);
    if (kind != kClientKind)
        return 0;
    CTaskClient* client = new CTaskClient();
    *out = client;
    g_pGlobalClient = host;
    g_pTaskClient = client;
    bool initialized = false;
    try {
        initialized = client->Initialize(host->m_pResLoader, orvane::WorkDirText(*host));
    } catch (...) {
        // Create reports the failure; no half-made client may stay behind.
        *out = nullptr;
        client->Abandon();
        throw;
    }
    if (!initialized)
        return 0;
    WriteDebugLog(g_LogSink, "pTaskClient->initializtion   ...OK!");
    return *out != nullptr ? 1 : 0;
}

}  // namespace

CTaskClientHelper::CTaskClientHelper() = default;

CTaskClientHelper::CTaskClientHelper(const CTaskClientHelper&) {}

CTaskClientHelper::~CTaskClientHelper() = default;

CTaskClientHelper& CTaskClientHelper::operator=(const CTaskClientHelper&)
{
    return *this;
}

bool CTaskClientHelper::Create(CGlobalClient* client)
{
    if (m_pTaskClient == nullptr) {
        // The output kept from an earlier client belongs to the host of
        // then; the host given now may be another.
        if (client != nullptr)
            orvane::g_LogSink.Follow(client->m_MsgOutput.m_pOutput);
        try {
            if (CreateTaskClient(kClientKind, client, &m_pTaskClient) == 0)
                OutputDebugStringA("ProcCreateTaskClient() catch error!");
        } catch (...) {
            OutputDebugStringA("CreateClientThingFactory() catch error\r\n");
            return false;
        }
    }
    return m_pTaskClient != nullptr;
}

void CTaskClientHelper::Close()
{
    if (m_pTaskClient != nullptr) {
        ITaskClient* client = m_pTaskClient;
        m_pTaskClient = nullptr;
        orvane::Contain("CTaskClientHelper::Close()", [&] { client->Release(); });
    }
}

ITaskClient* CTaskClientHelper::GetITaskClient()
{
    return m_pTaskClient;
}
