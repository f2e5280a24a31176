#pragma once
// One loaded module as the crash-report core knows it, and the list that owns
// these records.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/crashreport/core/lookup/DebugInfoTypes.h"

class TZorvikModuleOptions;
class TZVDebugInfoSource;
class TDebugSection;

// Scoped: the options already name a module kind mtUnknown.
enum class TZorvikModuleType : uint8_t { mtUnknown, mtMainModule, mtFrameworkPackage, mtOSLibrary };

// An exported function of a module: start address and name; the size is
// measured when first needed (0 until then).
struct TZorvikFunctionInfo {
    uintptr_t Address = 0;
    uint32_t Size = 0;
    bool SizeKnown = false;
    std::string Name;
};

struct TZorvikModuleInfo {
    TZorvikModuleInfo();
    ~TZorvikModuleInfo();
    TZorvikModuleInfo(const TZorvikModuleInfo&) = delete;
    TZorvikModuleInfo& operator=(const TZorvikModuleInfo&) = delete;

    uintptr_t Handle = 0;  // the load address
    std::string Path;
    std::string Description;
    std::string Version;
    uint32_t Size = 0;
    std::vector<TZorvikFunctionInfo> Functions;  // by address
    TZorvikModuleType ModuleType = TZorvikModuleType::mtUnknown;
    bool Light = false;  // only the file facts were read
    uint16_t DataVersion = ZorvikDataVersion;
    double CompileDate = 0;
    std::unique_ptr<TZorvikModuleOptions> Options;
    std::unique_ptr<TDebugSection> DebugStream;
    std::unique_ptr<TZVDebugInfoSource> DebugSource;
    double Modified = 0;
    std::string Password;
    bool Unlocked = true;
};

// The exported function that holds the address: a bisection over the list by
// start address; a function covers its start up to start + size. `measure`
// gives the size of a function not yet measured (none: up to the next
// export's start). Null when no function holds the address.
TZorvikFunctionInfo* FindExportedFunction(std::vector<TZorvikFunctionInfo>& functions, uintptr_t address,
                                          const std::function<uint32_t(uintptr_t)>& measure);

// The list owns its records. A record taken off the list (its module was
// unloaded, its file replaced, or a fuller record replaces it) is kept alive
// until the list is cleared: call-stack rows already built and callers of the
// module's options may still point at it.
class TZorvikModulesList {
public:
    TZorvikModuleInfo* Find(uintptr_t handle) const;
    TZorvikModuleInfo* Add(std::unique_ptr<TZorvikModuleInfo> info);
    // Takes the module's record off the list; the record stays alive.
    void Delete(uintptr_t handle);
    // Frees every record, the ones taken off the list as well.
    void Clear()
    {
        FItems.clear();
        FRetired.clear();
    }
    size_t Count() const { return FItems.size(); }
    TZorvikModuleInfo* Item(size_t i) const { return FItems[i].get(); }
    void SortByHandle();
    // A modules-list build is running: new records are light ones.
    bool BuildRunning = false;

private:
    std::vector<std::unique_ptr<TZorvikModuleInfo>> FItems;
    std::vector<std::unique_ptr<TZorvikModuleInfo>> FRetired;
};
