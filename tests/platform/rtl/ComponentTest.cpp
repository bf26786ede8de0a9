#include <gtest/gtest.h>

#include <cstdint>

#include "rtl/Component.h"

namespace {

class Probe : public TComponent {
public:
    using TComponent::TComponent;
    std::vector<std::pair<TComponent*, TOperation>> seen;
    int loaded = 0;

protected:
    void Notification(TComponent* c, TOperation op) override
    {
        seen.emplace_back(c, op);
        TComponent::Notification(c, op);
    }
    void Loaded() override
    {
        ++loaded;
        TComponent::Loaded();
    }
};

}  // namespace

TEST(Component, OwnerFreesOwnedAndNotifiesWatchers)
{
    Probe watcher;
    auto* owner = new TComponent;
    auto* child = new TComponent(owner);
    child->SetName("child");
    child->FreeNotification(&watcher);
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(owner->FindComponent("CHILD"), child);
    delete owner;
    ASSERT_EQ(watcher.seen.size(), 1u);
    EXPECT_EQ(watcher.seen[0].first, child);
    EXPECT_EQ(watcher.seen[0].second, TOperation::opRemove);
}

TEST(Component, FreeNotificationIsMutual)
{
    Probe subject;
    auto* watcher = new Probe;
    subject.FreeNotification(watcher);
    const auto freed = reinterpret_cast<std::uintptr_t>(watcher);
    delete watcher;
    ASSERT_EQ(subject.seen.size(), 1u);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(subject.seen[0].first), freed);
}

TEST(Component, LoadingRunsLoadedOnceForTree)
{
    Probe owner;
    auto* child = new Probe(&owner);
    owner.BeginLoading();
    EXPECT_TRUE(child->IsLoading());
    owner.EndLoading();
    EXPECT_FALSE(child->IsLoading());
    EXPECT_EQ(child->loaded, 1);
    EXPECT_EQ(owner.loaded, 1);
}
