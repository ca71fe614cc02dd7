#include "client/TaskClientHelper.h"

#include "client/Contain.h"
#include "client/DebugLog.h"
#include "client/HostServices.h"
#include "client/ModuleState.h"
#include "client/TaskClient.h"

ITaskClient* CTaskClientHelper::m_pTaskClient = nullptr;
HINSTANCE CTaskClientHelper::m_hDll = nullptr;

namespace {

const char kFactoryFailedLine[] = "CreateClientThingFactory() catch error\r\n";

// What the factory made of a request.
enum class Made {
    kClient,   // a client exists
    kFailed,   // a client exists, but its initialisation failed
    kRefused,  // no host: nothing was made or stored
};

// Creates the one task client; it is stored in *out even when its
// initialisation fails.
Made CreateTaskClient(CGlobalClient* host, ITaskClient** out)
{
    using namespace orvane;
    WriteDebugLog(g_LogSink, "CreateTaskClient   %d !", g_nCreateCount);
    if (g_pTaskClient != nullptr) {
        *out = g_pTaskClient;
        return Made::kClient;
    }
    WriteDebugLog(g_LogSink, "CTaskClient  : Initialize .........OK!");
    if (host == nullptr)
        return Made::kRefused;
    g_LogSink.Attach(host->m_MsgOutput.m_pOutput);
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
        return Made::kFailed;
    WriteDebugLog(g_LogSink, "pTaskClient->initializtion   ...OK!");
    return *out != nullptr ? Made::kClient : Made::kFailed;
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
            const Made made = CreateTaskClient(client, &m_pTaskClient);
            if (made == Made::kFailed)
                OutputDebugStringA("ProcCreateTaskClient() catch error!");
            // A host that is not there is refused like a factory that threw.
            if (made == Made::kRefused) {
                OutputDebugStringA(kFactoryFailedLine);
                return false;
            }
        } catch (...) {
            OutputDebugStringA(kFactoryFailedLine);
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
