#include "editor/crashreport/core/lookup/ModuleInfo.h"

#include <algorithm>

#include "editor/crashreport/core/lookup/DebugSection.h"
#include "editor/crashreport/support/debuginfo/DebugInfoSource.h"
#include "editor/crashreport/support/options/ModuleOptions.h"


TZorvikModuleInfo::TZorvikModuleInfo() = default;
TZorvikModuleInfo::~TZorvikModuleInfo() = default;

TZorvikFunctionInfo* FindExportedFunction(std::vector<TZorvikFunctionInfo>& functions, uintptr_t address,
                                          const std::function<uint32_t(uintptr_t)>& measure)
{
    auto f = std::upper_bound(functions.begin(), functions.end(), address,
                              [](uintptr_t a, const TZorvikFunctionInfo& x) { return a < x.Address; });
    if (f == functions.begin())
        return nullptr;
    --f;
    if (!f->SizeKnown) {
        if (measure) {
            f->Size = measure(f->Address);
        } else {
            auto next = f + 1;
            f->Size = next == functions.end() ? 0 : static_cast<uint32_t>(next->Address - f->Address);
        }
        f->SizeKnown = true;
    }
    return static_cast<uint64_t>(address) <= static_cast<uint64_t>(f->Address) + f->Size ? &*f : nullptr;
}

TZorvikModuleInfo* TZorvikModulesList::Find(uintptr_t handle) const
{
    for (const auto& m : FItems)
        if (m->Handle == handle)
            return m.get();
    return nullptr;
}

TZorvikModuleInfo* TZorvikModulesList::Add(std::unique_ptr<TZorvikModuleInfo> info)
{
    FItems.push_back(std::move(info));
    return FItems.back().get();
}

void TZorvikModulesList::Delete(uintptr_t handle)
{
    auto at = std::find_if(FItems.begin(), FItems.end(), [&](const auto& m) { return m->Handle == handle; });
    if (at == FItems.end())
        return;
    FRetired.push_back(std::move(*at));
    FItems.erase(at);
}

void TZorvikModulesList::SortByHandle()
{
    std::stable_sort(FItems.begin(), FItems.end(), [](const auto& a, const auto& b) { return a->Handle < b->Handle; });
}
