// Any bytes around any fault address: the listing and the dump are made
// without reading outside the memory the report was given.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "editor/crashreport/core/report/CpuSection.h"
#include "editor/crashreport/core/report/tests/ReportFixtures.h"
#include "editor/crashreport/support/options/ModuleOptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    static TZorvikModuleOptions options("fuzz");
    uint16_t offset;
    std::memcpy(&offset, data, 2);
    const bool high = data[2] & 1;
    const bool symbols = data[2] & 2;
    const uintptr_t base = high ? UINTPTR_MAX - (size - 4) + 1 : 0x00401000;

    TFakeMemory memory;
    if (size > 4)
        memory.Add(base, std::vector<uint8_t>(data + 4, data + size));
    TReportFacts facts;
    facts.ExceptionAddress = base + offset % (size + 64);
    facts.StackPointer = base + data[3];
    facts.Registers.Valid = true;
    TReportMemory& m = facts.Memory;
    m.Readable = [&](uintptr_t a, size_t n) { return memory.Readable(a, n); };
    m.Read = [&](uintptr_t a, void* b, size_t n) { return memory.Read(a, b, n); };
    m.Convert = [](uintptr_t a) { return a; };
    m.ObjectClassName = [](uintptr_t a) { return a % 7 == 0 ? std::string("TObject") : std::string(); };
    m.Resolve = [&](uintptr_t a, TZorvikDebugInfo& info) {
        info = TZorvikDebugInfo();
        if (!symbols || !memory.Readable(a, 1))
            return;
        info.DebugDetail = ddSourceCode;
        info.UnitName = (a / 16) % 2 ? "A.cpp" : "B.cpp";
        info.ProcedureName = "P" + std::to_string(a / 32 % 3);
        info.Line = static_cast<int32_t>(a / 8 % 50);
        info.LineOffset = static_cast<int32_t>(a / 8 % 5);
    };
    BuildAssemblerSection(facts, options);
    BuildCPUSection(facts, options);
    return 0;
}
