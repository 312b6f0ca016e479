// A host is a context of its own: what its objects do reaches it and no other
// host, and what it reports goes to its own subscribers (channels), whose
// handles may come and go at any moment.
#include "HostTestSupport.h"
#include "core/Host.h"
#include "core/HostClasses.h"
#include "persistence/WorkspaceStore.h"
#include "ui/Alerts.h"
#include "ui/PluginPanels.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using host::Channel;
using host::Host;
using host::Service;
using host::Subscription;

namespace {

struct Event {
    int value;
};

} // namespace

TEST(ChannelTest, Subscribers_HearInTheOrderTheyCame_UntilTheirHandleGoes) {
    Channel<Event> channel;
    std::vector<std::string> heard;
    Subscription first = channel.Subscribe(
        [&](const Event& e) { heard.push_back("first " + std::to_string(e.value)); });
    {
        Subscription second = channel.Subscribe(
            [&](const Event& e) { heard.push_back("second " + std::to_string(e.value)); });
        EXPECT_TRUE(channel.HasSubscribers());
        channel.Publish({1});
    }
    channel.Publish({2});
    first.Reset();
    EXPECT_FALSE(channel.HasSubscribers());
    channel.Publish({3});
    EXPECT_EQ(heard, (std::vector<std::string>{"first 1", "second 1", "first 2"}));
}

TEST(ChannelTest,
     SubscriptionsChangedDuringADelivery_TakeEffectAtOnceForLeaversNextTimeForJoiners) {
    Channel<Event> channel;
    std::vector<std::string> heard;
    Subscription later, joined;
    Subscription leaver = channel.Subscribe([&](const Event&) {
        heard.push_back("leaver");
        leaver.Reset(); // its own handle, while it is being called
    });
    Subscription dropper = channel.Subscribe([&](const Event&) {
        heard.push_back("dropper");
        later.Reset();
        if (!joined)
            joined = channel.Subscribe([&](const Event&) { heard.push_back("joined"); });
    });
    later = channel.Subscribe([&](const Event&) { heard.push_back("later"); });
    channel.Publish({1});
    channel.Publish({2});
    EXPECT_EQ(heard, (std::vector<std::string>{"leaver", "dropper", "dropper", "joined"}));
}

TEST(ChannelTest, SubscriberThatThrows_LeavesTheChannelWorking_AndAHandleMayOutliveIt) {
    Subscription outliving;
    {
        Channel<Event> channel;
        int heard = 0;
        Subscription thrower = channel.Subscribe([](const Event& e) {
            if (e.value == 1)
                throw std::runtime_error("interrupted");
        });
        Subscription counter = channel.Subscribe([&](const Event&) { ++heard; });
        EXPECT_THROW(channel.Publish({1}), std::runtime_error);
        thrower.Reset();
        channel.Publish({2});
        EXPECT_EQ(heard, 1);
        outliving = channel.Subscribe([](const Event&) {});
    }
    outliving.Reset(); // the channel is gone: nothing to leave
}

TEST(ServiceTest, OneProviderAtATime_WithdrawnWithItsHandle) {
    struct Answerer : host::ui::AlertAnswerer {
        host::ui::AlertAnswer Answer(const std::string&, bool) override {
            return host::ui::AlertAnswer::kDontShowAgain;
        }
    } person, other;
    Service<host::ui::AlertAnswerer> service;
    EXPECT_EQ(service.Get(), nullptr);
    {
        Subscription provided = service.Provide(person);
        EXPECT_EQ(service.Get(), &person);
        EXPECT_THROW((void)service.Provide(other), std::logic_error);
        EXPECT_EQ(service.Get(), &person);
    }
    EXPECT_EQ(service.Get(), nullptr);
    Subscription provided = service.Provide(other);
    EXPECT_EQ(service.Get(), &other);
}

TEST(HostContextTest, TwoHosts_ObjectsReachTheirOwnHost_WhicheverIsCurrent) {
    Host first;
    Host second; // current from here on
    host::Boss* timer = first.Model().CreateBoss(kTimerBoss);
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(&timer->GetHost(), &first);
    EXPECT_EQ(first.TimerObjects(), 1u);
    EXPECT_EQ(second.TimerObjects(), 0u);
    timer->Release();
    EXPECT_EQ(first.TimerObjects(), 0u);

    // What one host's alerts report reaches that host's subscribers only.
    std::vector<std::string> heardFirst, heardSecond;
    Subscription a = first.Get<host::ui::Alerts>().shown.Subscribe(
        [&](const host::ui::AlertEvent& e) { heardFirst.push_back(e.text); });
    Subscription b = second.Get<host::ui::Alerts>().shown.Subscribe(
        [&](const host::ui::AlertEvent& e) { heardSecond.push_back(e.text); });
    first.Get<host::ui::Alerts>().ShowHostAlert("first's");
    EXPECT_EQ(heardFirst, std::vector<std::string>{"first's"});
    EXPECT_TRUE(heardSecond.empty());

    // A slot holds one layer.
    EXPECT_THROW(first.AddLayer(std::make_unique<host::ui::Alerts>(first)), std::logic_error);
}

TEST(HostContextTest, WorkspaceSaved_ReportsTheRenameToTheWorkspacesHostOnly) {
    const std::filesystem::path folder = testing_support::ScratchPath("host-context");
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "workspace").string();
    std::vector<std::string> heard;
    {
        Host first;
        first.BeginSession();
        first.StartApplication();
        Host second;
        Subscription onFirst = first.renaming.Subscribe(
            [&](const host::FileRenaming& e) { heard.push_back("first " + e.tempFile); });
        Subscription onSecond = second.renaming.Subscribe(
            [&](const host::FileRenaming& e) { heard.push_back("second " + e.tempFile); });
        host::WorkspaceStore store(file);
        std::string error;
        EXPECT_TRUE(store.Save(*first.WorkspaceBoss(), &error)) << error;
    }
    std::filesystem::remove_all(folder);
    EXPECT_EQ(heard, std::vector<std::string>{"first " + file + ".tmp"});
}
