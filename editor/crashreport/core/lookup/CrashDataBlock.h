#pragma once
// Reading a module's crash-report data: the block of the ZVDATA resource and
// the same data appended to the end of the module's file. Portable: the
// caller finds the bytes, these routines only read them, never outside the
// buffer they are given.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/crashreport/core/lookup/DebugInfoTypes.h"

class TZorvikModuleOptions;

// What a load found.
struct TCrashDataLoad {
    uint16_t Version = ZorvikDataVersion;
    double CompileDate = 0;
    bool HasDebug = false;
    std::vector<uint8_t> Debug;  // the debug information, inflated
    bool Unlocked = true;
    std::string Password;
};

// Asks for the password of the debug section: attempt 1 from the module's
// own request event, attempt 2 through the process's handlers. False when
// nobody answers.
using TPasswordRequest = std::function<bool(int attempt, std::string& password)>;

// Loads the resource form. `light`: only the header and the options are read.
// `options` (may be null) receives the module's options. False, with `out`
// and `options` as they were, when the block is not valid data: wrong magic,
// a version above ZorvikDataVersion, a failed inflation, a cut-short block.
bool LoadCrashDataResource(const uint8_t* data, size_t size, bool light, bool mainModule,
                           TZorvikModuleOptions* options, const TPasswordRequest& password, TCrashDataLoad& out);

// The length of the appended block that the last 8 bytes of a file announce
// (length, magic), or -1 when they hold no magic.
int64_t CrashDataTrailerLength(const uint8_t* last8);
// Loads the appended form: the block before the last 8 bytes (version,
// compile date, options stream, debug length and bytes).
bool LoadCrashDataTrailer(const uint8_t* block, size_t size, bool light, TZorvikModuleOptions* options,
                          TCrashDataLoad& out);

// The code offset (from the module's first section) of a section-table
// record, reading the header in the newest layout whatever its version; false
// when the block holds no such record.
bool FindCrashDataSection(const uint8_t* data, size_t size, uint8_t id, uint32_t& codeOffset);

// The version word as stored (no mapping); 0 for a block without a magic.
uint16_t CrashDataStoredVersion(const uint8_t* data, size_t size);
