// Click signals. A handler may end the window that owns the signal while the
// signal is emitting (a close button ends its dialog); the signal then hands
// its connections to the outermost running emit, which frees them once no
// handler of this signal is on the stack any more.
#include "panelkit/Internals.h"
#include "ui/Panelkit.h"

BasicConnection0::~BasicConnection0() = default;

struct Signal0::EmitFrame {
    EmitFrame* outer;
    bool signalAlive;
    // Connections of a signal that died during this emit (outermost only).
    std::vector<BasicConnection0*> orphans;
};

Signal0::Signal0() : m_pData(new XSignalData()), m_pFrame(nullptr) {}

Signal0::~Signal0()
{
    const std::unique_ptr<XSignalData> data(m_pData);
    if (m_pFrame != nullptr) {
        EmitFrame* outermost = m_pFrame;
        for (EmitFrame* frame = m_pFrame; frame != nullptr; frame = frame->outer) {
            frame->signalAlive = false;
            outermost = frame;
        }
        outermost->orphans = std::move(data->connections);
        return;
    }
    for (BasicConnection0* connection : data->connections)
        connection->Destroy();
}

void Signal0::connect(BasicConnection0* connection)
{
    if (connection == nullptr)
        return;
    // Owned from the call on: one that cannot be kept is freed.
    try {
        m_pData->connections.push_back(connection);
    } catch (...) {
        connection->Destroy();
        throw;
    }
}

void Signal0::emit()
{
    // Connections added by a handler are called from the next emit on.
    const std::vector<BasicConnection0*> snapshot = m_pData->connections;
    EmitFrame frame{m_pFrame, true, {}};
    m_pFrame = &frame;
    try {
        for (BasicConnection0* connection : snapshot) {
            connection->Emit();
            if (!frame.signalAlive)
                break;
        }
    } catch (...) {
        // A throwing handler must not leave the signal pointing at this frame.
        if (frame.signalAlive)
            m_pFrame = frame.outer;
        else
            for (BasicConnection0* connection : frame.orphans)
                connection->Destroy();
        throw;
    }
    if (frame.signalAlive) {
        m_pFrame = frame.outer;
        return;
    }
    // The signal is gone: touch none of its members.
    for (BasicConnection0* connection : frame.orphans)
        connection->Destroy();
}

int32_t Signal0::GetConnectionCount() const
{
    return static_cast<int32_t>(m_pData->connections.size());
}
