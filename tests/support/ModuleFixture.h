// A test fixture that runs the module for real: the reference host with a
// fresh work folder holding the sample game, the debug channel captured,
// and the module's load state restored before and after each test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "client/TaskClient.h"
#include "client/TaskClientHelper.h"
#include "host/ReferenceHost.h"

namespace orvane::test {

// Puts the module back in its load state (no client, no host, empty sink).
void ResetModuleState();

// A fresh folder under the system's temp folder, removed on destruction.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path& Path() const { return m_path; }
    std::string String() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

class ModuleFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the client through the exported helper; asserts success.
    void CreateClient();
    // The client the helper holds, as the module's own class.
    CTaskClient* Client();
    // Debug-channel writes since the last call.
    std::vector<std::string> TakeDebugWrites();
    // Lines printed through the host's output since the last call.
    std::vector<std::string> TakePrints();
    // Delivers a server message through the host's registry.
    void Deliver(int32_t msgId, const std::vector<uint8_t>& bytes);

    TempFolder work;
    host::ReferenceHost host;
    CTaskClientHelper helper;

private:
    uint64_t m_printsSeen = 0;
};

// Copies the sample game folder (scp/, task/) into dir.
void CopySampleGame(const std::filesystem::path& dir);

}  // namespace orvane::test
