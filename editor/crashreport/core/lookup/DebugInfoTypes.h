#pragma once
// The location of one code address as the crash report shows it, and the
// constants of the crash-report data that every module may carry.
#include <cstdint>
#include <string>

struct TZorvikModuleInfo;

enum TZorvikDebugDetail : uint8_t {
    ddNone,
    ddModule,
    ddProcedure,
    ddUnitAndProcedure,
    ddSourceCode,
};

// One looked-up address; also one row of a call stack.
struct TZorvikDebugInfo {
    TZorvikDebugDetail DebugDetail = ddNone;
    TZorvikModuleInfo* ModuleInfo = nullptr;
    uint32_t ThreadID = 0;
    uint8_t ThreadKind = 0;
    bool ExceptionRow = false;
    bool LeakRow = false;
    std::string LeakType;
    int32_t LeakSize = 0;
    int32_t LeakCount = 0;
    uintptr_t Address = 0;
    std::string UnitName;
    std::string ClassName;
    std::string ProcedureName;
    int32_t Line = 0;
    int32_t LineOffset = 0;
    std::string ThreadName;
};

// The data block's magic; the older one is read as well.
constexpr uint32_t ZorvikDataMagic = 0x100FAB10;
constexpr uint32_t ZorvikDataMagicOld = 0x000FAB10;
// The newest data version this reader understands; newer data is refused.
constexpr uint16_t ZorvikDataVersion = 6020;
// Code offsets in the data count from the module's first section.
constexpr uint32_t ModuleCodeBase = 0x1000;

// Extensions given to unit names: the one for names taken from exports and
// for units marked "p", and the one for the others.
extern const char* const UnitSourceExtension;
extern const char* const SecondSourceExtension;

inline bool IsZorvikDataMagic(uint32_t magic)
{
    return magic == ZorvikDataMagic || magic == ZorvikDataMagicOld;
}

// Stored versions 600 to 602 stand for 6000 to 6002.
inline uint16_t MapZorvikDataVersion(uint16_t stored)
{
    return stored >= 600 && stored <= 602 ? static_cast<uint16_t>(6000 + stored % 600) : stored;
}
