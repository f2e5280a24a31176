#pragma once
// A report's facts made up for the tests: fixed dates, a small call stack
// of two threads, two modules, two processes, registers, and a fake memory
// holding a stack, a short procedure of x86 code and a text.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "editor/crashreport/core/lookup/ModuleInfo.h"
#include "editor/crashreport/core/report/ReportFacts.h"

// Blocks of bytes at addresses; everything else is unreadable.
class TFakeMemory {
public:
    void Add(uintptr_t address, std::vector<uint8_t> bytes) { FBlocks[address] = std::move(bytes); }
    bool Readable(uintptr_t address, size_t count) const;
    bool Read(uintptr_t address, void* bytes, size_t count) const;

private:
    std::map<uintptr_t, std::vector<uint8_t>> FBlocks;
};

// The sample's code: a procedure "Other" at 00401000, then "Crash" whose
// instruction at 00401012 writes to address 0, then a return at 0040101E.
constexpr uintptr_t SampleCode = 0x00401000;
constexpr uintptr_t SampleFault = 0x00401012;
constexpr uintptr_t SampleStack = 0x0012FF00;
constexpr uintptr_t SampleText = 0x00402000;

struct TReportSample {
    TReportSample();
    TReportFacts Facts;
    TFakeMemory Memory;
    std::unique_ptr<TZorvikModuleInfo> MainModule;
    std::unique_ptr<TZorvikModuleInfo> Library;
    // Points the facts' memory at this sample's fake memory and lookups.
    void Connect();
};

// A fixture of tests/data; with TQ_UPDATE_GOLDEN set, the file is written
// from `actual` first (for a person to read and check before committing).
std::string GoldenText(const std::string& name, const std::string& actual);
