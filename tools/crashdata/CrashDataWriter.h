#pragma once
// Builds a module's crash-report data block: the ZVDATA resource form and the
// form appended to the end of a module file.
#include <cstdint>
#include <string>
#include <vector>

struct TSectionRecord {
    uint8_t Id = 0;
    uint32_t CodeOffset = 0;  // from the module's first section
    uint32_t Length = 0;
};

struct TCrashDataParts {
    uint16_t StoredVersion = 6020;
    double CompileDate = 0;  // days since 1899-12-30
    std::vector<TSectionRecord> Sections;
    std::vector<uint8_t> Options;  // the options stream
    std::vector<uint8_t> Debug;    // the debug information (names already enciphered)
    std::string Password;          // enciphers the key test of the debug section
};

// The resource form of version 500 and later: header, section table, the
// options compressed, then the key test and the compressed debug bytes.
std::vector<uint8_t> BuildCrashDataResource(const TCrashDataParts& parts, uint32_t magic = 0x100FAB10);
// The appended form: version, date, options, debug length and bytes, then
// the block's length and the magic.
std::vector<uint8_t> BuildCrashDataTrailer(const TCrashDataParts& parts, uint32_t magic = 0x100FAB10);

// The options of a module as the component starts them, in the stream form.
std::vector<uint8_t> DefaultOptionsStream(const std::string& moduleName);

// Days since 1899-12-30 in local time.
double CompileDateNow();
