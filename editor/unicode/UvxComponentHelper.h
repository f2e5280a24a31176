#pragma once
// Companion objects of components, kept in a list ordered by component address.
#include <functional>

#include "framework/Classes.h"
#include "framework/List.h"

// Bisection in a list ordered by compare(item, target): true when found; index
// is the first match or the place where target would go.
bool FindSortedListByTarget(const TList& list, const std::function<int(void* item, const void* target)>& compare,
                            const void* target, int& index);

class TWideComponentHelper : public TComponent {
public:
    // Only for completeness with the framework's constructor: raises EUvxInternalError.
    explicit TWideComponentHelper(TComponent* owner);
    // Joins list at its place and frees itself when component is destroyed.
    TWideComponentHelper(TComponent* component, TList& list);
    ~TWideComponentHelper() override;
    std::string ClassName() const override { return "TWideComponentHelper"; }
    TComponent* Component() const { return FComponent; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TComponent* FComponent = nullptr;
    TList* FList = nullptr;
};

// The companion of component in list, or null.
TWideComponentHelper* FindWideComponentHelper(const TList& list, const TComponent* component);
