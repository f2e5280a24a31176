#include "editor/unicode/UvxComponentHelper.h"

#include <functional>

#include "editor/unicode/UvxBisect.h"
#include "editor/unicode/UvxErrors.h"

bool FindSortedListByTarget(const TList& list, const std::function<int(void*, const void*)>& compare,
                            const void* target, int& index) {
    bool found;
    index = BisectFirst(list.Count(), [&](int i) { return compare(list.Get(i), target); }, found);
    return found;
}

namespace {
int CompareByComponent(void* item, const void* target) {
    auto a = reinterpret_cast<uintptr_t>(static_cast<TWideComponentHelper*>(item)->Component());
    auto b = reinterpret_cast<uintptr_t>(target);
    return a < b ? -1 : a > b ? 1 : 0;
}
}  // namespace

TWideComponentHelper::TWideComponentHelper(TComponent*) : TComponent(nullptr) {
    throw EUvxInternalError("UVX Internal Error: TWideComponentHelper.Create should never be encountered.");
}

TWideComponentHelper::TWideComponentHelper(TComponent* component, TList& list)
    : TComponent(nullptr), FComponent(component), FList(&list) {
    FreeNotification(component);
    int index;
    FindSortedListByTarget(list, CompareByComponent, component, index);
    list.Insert(index, this);
}

TWideComponentHelper::~TWideComponentHelper() {
    if (FList) FList->Remove(this);
}

void TWideComponentHelper::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FComponent) {
        FComponent = nullptr;
        delete this;
    }
}

TWideComponentHelper* FindWideComponentHelper(const TList& list, const TComponent* component) {
    int index;
    if (!FindSortedListByTarget(list, CompareByComponent, component, index)) return nullptr;
    auto* helper = static_cast<TWideComponentHelper*>(list.Get(index));
    if (helper->Component() != component)
        throw EUvxInternalError("UVX Internal Error: FindWideComponentHelperIndex failed.");
    return helper;
}
