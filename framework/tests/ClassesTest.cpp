#include <gtest/gtest.h>

#include <vector>

#include "framework/Classes.h"
#include "framework/Exceptions.h"

namespace {
std::vector<std::string> freed;

class Probe : public TComponent {
public:
    Probe(TComponent* owner, std::string name) : TComponent(owner) { SetName(std::move(name)); }
    ~Probe() override { freed.push_back(Name()); }
    TComponent* lastRemoved = nullptr;

protected:
    void Notification(TComponent* c, TOperation op) override {
        if (op == TOperation::opRemove) lastRemoved = c;
    }
};
}  // namespace

TEST(Component, OwnerFreesOwnedComponentsLastInsertedFirst) {
    freed.clear();
    auto* root = new Probe(nullptr, "root");
    new Probe(root, "a");
    auto* b = new Probe(root, "b");
    new Probe(b, "b1");
    EXPECT_EQ(root->ComponentCount(), 2);
    EXPECT_EQ(root->FindComponent("B"), b);
    delete root;
    EXPECT_EQ(freed, (std::vector<std::string>{"root", "b", "b1", "a"}));
}

TEST(Component, FreeNotificationTellsTheWatcher) {
    Probe watcher(nullptr, "w");
    auto* other = new Probe(nullptr, "o");
    watcher.FreeNotification(other);
    delete other;
    EXPECT_EQ(watcher.lastRemoved, other);
}

TEST(Component, DeletingAnOwnedComponentLeavesItsOwner) {
    Probe root(nullptr, "root");
    auto* a = new Probe(&root, "a");
    delete a;
    EXPECT_EQ(root.ComponentCount(), 0);
    EXPECT_THROW(root.Components(0), EListError);
}
