#include "tests/support/ModuleFixture.h"

#include <algorithm>
#include <atomic>
#include <chrono>

#include "platform/DebugChannel.h"
#include "testkit/ModuleActions.h"
#include "ui/Panelkit.h"

namespace orvane::test {

void ResetModuleState()
{
    fuzz::ResetModule();
}

TempFolder::TempFolder()
{
    static std::atomic<int> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    m_path = std::filesystem::temp_directory_path() /
             ("orvane-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(m_path);
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

void CopySampleGame(const std::filesystem::path& dir)
{
    const std::filesystem::path sample(ORVANE_SAMPLE_DIR);
    for (const char* sub : {"scp", "task"}) {
        if (std::filesystem::exists(sample / sub))
            std::filesystem::copy(sample / sub, dir / sub,
                                  std::filesystem::copy_options::recursive |
                                      std::filesystem::copy_options::overwrite_existing);
    }
}

void ModuleFixture::SetUp()
{
    ResetModuleState();
    platform::StartDebugCapture();
    platform::TakeDebugWrites();
    CopySampleGame(work.Path());
    ASSERT_TRUE(host.SetWorkDir(work.String()));
    CImageLoader::GetInstance()->SetBaseFolder(work.String().c_str());
    host.ui.SetClientSource([] { return CTaskClientHelper::m_pTaskClient; });
}

void ModuleFixture::TearDown()
{
    ResetModuleState();
    platform::StopDebugCapture();
}

void ModuleFixture::CreateClient()
{
    ASSERT_TRUE(helper.Create(host.Client()));
    ASSERT_NE(helper.GetITaskClient(), nullptr);
}

CTaskClient* ModuleFixture::Client()
{
    return static_cast<CTaskClient*>(helper.GetITaskClient());
}

std::vector<std::string> ModuleFixture::TakeDebugWrites()
{
    return platform::TakeDebugWrites();
}

std::vector<std::string> ModuleFixture::TakePrints()
{
    const auto& lines = host.output.lines;
    const uint64_t dropped = host.output.printed - lines.size();
    const uint64_t from = std::max<uint64_t>(m_printsSeen, dropped) - dropped;
    std::vector<std::string> out(lines.begin() + static_cast<long>(from), lines.end());
    m_printsSeen = host.output.printed;
    return out;
}

void ModuleFixture::Deliver(int32_t msgId, const std::vector<uint8_t>& bytes)
{
    host.registry.Deliver(msgId, bytes.data(), static_cast<uint32_t>(bytes.size()));
}

}  // namespace orvane::test
