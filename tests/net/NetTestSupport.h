// Helpers shared by the packet tests: a network sender and a timer service
// that allocate nothing (so they can stand in while allocations are counted),
// and a task script written into a game folder.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "client/HostInterfaces.h"

namespace orvane::test {

class FixedSender : public INetSender {
public:
    int32_t Send(const uint8_t* bytes, int32_t length) override
    {
        ++count;
        lastLength = length;
        const int32_t kept = std::clamp<int32_t>(length, 0, static_cast<int32_t>(sizeof last));
        if (bytes != nullptr && kept > 0)
            std::memcpy(last, bytes, static_cast<size_t>(kept));
        return length;
    }
    std::vector<uint8_t> Last() const
    {
        return std::vector<uint8_t>(last, last + std::clamp<int32_t>(lastLength, 0, sizeof last));
    }

    int32_t count = 0;
    int32_t lastLength = -1;
    uint8_t last[2048] = {};
};

class FixedTimers : public ITimerService {
public:
    void SetTimer(int32_t, ITimerSink*, int32_t) override { ++sets; }
    void KillTimer(int32_t, ITimerSink*) override {}

    int32_t sets = 0;
};

// Replaces the game folder's task script with objects (a JSON array).
inline void WriteTaskScript(const std::filesystem::path& workDir, const std::string& objects)
{
    std::filesystem::create_directories(workDir / "scp");
    std::ofstream out(workDir / "scp" / "taskClient.res", std::ios::binary | std::ios::trunc);
    out << R"({"password": "qmtv", "objects": )" << objects << "}\n";
}

inline std::vector<uint8_t> Bytes(std::initializer_list<int> values)
{
    std::vector<uint8_t> out;
    for (int v : values)
        out.push_back(static_cast<uint8_t>(v));
    return out;
}

}  // namespace orvane::test
