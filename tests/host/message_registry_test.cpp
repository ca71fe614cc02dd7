#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/ReferenceHost.h"
#include "tests/host/EventRecorder.h"

namespace orvane::host {
namespace {

using testing::EventRecorder;

struct TestDelegate : CMsgDelegate {
    TestDelegate(std::string name, std::vector<std::string>& log)
        : m_name(std::move(name)), m_log(log)
    {
    }
    void Invoke(const uint8_t* payload, uint32_t length, int32_t extra) override
    {
        m_log.push_back(m_name + ":" + std::string(payload, payload + length) + ":" +
                        std::to_string(extra));
        if (onInvoke)
            onInvoke();
    }
    std::function<void()> onInvoke;

private:
    std::string m_name;
    std::vector<std::string>& m_log;
};

class MessageRegistryTest : public ::testing::Test {
protected:
    void Deliver(int32_t msgId, const std::string& text, int32_t extra = 0)
    {
        registry.Deliver(msgId, reinterpret_cast<const uint8_t*>(text.data()),
                         static_cast<uint32_t>(text.size()), extra);
    }

    EventHub hub;
    EventRecorder recorder{hub};
    MessageRegistry registry{hub};
    std::vector<std::string> log;
    TestDelegate talk{"talk", log};
    TestDelegate taskLog{"log", log};
    TestDelegate other{"other", log};
};

TEST_F(MessageRegistryTest, DeliversToEveryDelegateOfTheIdUntilUnregistered)
{
    registry.Register(87, &talk);
    registry.Register(91, &taskLog);
    registry.Register(87, &other);
    Deliver(87, "hi", 3);
    Deliver(91, "tl");
    Deliver(92, "nobody");
    registry.Unregister(87, &talk);
    Deliver(87, "again");
    EXPECT_EQ(log,
              (std::vector<std::string>{"talk:hi:3", "other:hi:3", "log:tl:0", "other:again:0"}));
    EXPECT_EQ(registry.CountFor(87), 1u);

    const auto regs = recorder.Of(HostEvent::Kind::Register);
    ASSERT_EQ(regs.size(), 3u);
    EXPECT_EQ(regs[1].msgId, 91);
    ASSERT_EQ(recorder.Of(HostEvent::Kind::Unregister).size(), 1u);
}

TEST_F(MessageRegistryTest, DoubleRegistrationIsKeptAndOneUnregisterEndsBoth)
{
    registry.Register(87, &talk);
    registry.Register(87, &talk);
    Deliver(87, "x");
    EXPECT_EQ(log.size(), 2u);
    registry.Unregister(87, &talk);
    Deliver(87, "y");
    EXPECT_EQ(log.size(), 2u);
    EXPECT_EQ(registry.CountFor(87), 0u);
}

TEST_F(MessageRegistryTest, UnregisteringDuringDeliveryIsSafe)
{
    // Each delegate unregisters and frees itself or the one after it; the
    // sanitizer build catches any call that reaches a freed delegate.
    auto first = std::make_unique<TestDelegate>("first", log);
    auto second = std::make_unique<TestDelegate>("second", log);
    first->onInvoke = [&] {
        registry.Unregister(87, first.get());
        registry.Unregister(87, second.get());
        second.reset();
        first.reset();
    };
    registry.Register(87, first.get());
    registry.Register(87, second.get());
    registry.Register(87, &talk);
    Deliver(87, "m");
    EXPECT_EQ(log, (std::vector<std::string>{"first:m:0", "talk:m:0"}));
}

TEST_F(MessageRegistryTest, DelegateRegisteredDuringDeliveryWaitsForTheNextMessage)
{
    talk.onInvoke = [&] { registry.Register(87, &other); };
    registry.Register(87, &talk);
    Deliver(87, "1");
    talk.onInvoke = nullptr;
    Deliver(87, "2");
    EXPECT_EQ(log, (std::vector<std::string>{"talk:1:0", "talk:2:0", "other:2:0"}));
}

}  // namespace
}  // namespace orvane::host
