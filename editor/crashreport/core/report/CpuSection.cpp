#include "editor/crashreport/core/report/CpuSection.h"

#include <cstdio>
#include <vector>

#include "editor/crashreport/support/options/ModuleOptions.h"
#include "framework/SysUtils.h"

namespace {

std::string Hex8(uint64_t value)
{
    return IntToHex(static_cast<int64_t>(value), 8);
}

bool ReadBlock(const TReportMemory& memory, uintptr_t address, void* bytes, size_t count)
{
    if (!memory.Readable || !memory.Read)
        return false;
    return memory.Readable(address, count) && memory.Read(address, bytes, count);
}

}  // namespace

std::string MemoryDumpText(const TReportFacts& facts)
{
    uint8_t stack[64];
    uint8_t bytes[256];
    if (!ReadBlock(facts.Memory, facts.StackPointer, stack, sizeof stack) ||
        !ReadBlock(facts.Memory, facts.ExceptionAddress, bytes, sizeof bytes))
        return "";
    std::string text;
    for (int k = 0; k < 16; ++k) {
        const uint32_t word = static_cast<uint32_t>(stack[4 * k]) | static_cast<uint32_t>(stack[4 * k + 1]) << 8 |
                              static_cast<uint32_t>(stack[4 * k + 2]) << 16 |
                              static_cast<uint32_t>(stack[4 * k + 3]) << 24;
        text += Hex8(facts.StackPointer + 4 * k) + ": " + Hex8(word) + "   " + Hex8(facts.ExceptionAddress + 16 * k) +
                ": ";
        std::string chars;
        for (int i = 0; i < 16; ++i) {
            const uint8_t b = bytes[16 * k + i];
            text += IntToHex(b, 2) + " ";
            chars += b < 32 || b > 126 ? '.' : static_cast<char>(b);
        }
        text += " " + chars + "\r\n";
    }
    return text;
}

std::string BuildCPUSection(const TReportFacts& facts, const TZorvikModuleOptions& options)
{
    const TReportRegisters& r = facts.Registers;
    auto reg = [&](uint64_t value) { return r.Valid ? Hex8(value) : std::string("????    "); };
    std::string stackLabel = options.GetCustomizedExpandedTexts(mtCPU_Stack) + ":";
    if (stackLabel.size() < 21)
        stackLabel.resize(21, ' ');
    return options.GetCustomizedExpandedTexts(mtCPU_Registers) + ":\r\n-----------------------------\r\n" +
           "EAX: " + reg(r.Eax) + "   EDI: " + reg(r.Edi) + "\r\n" +
           "EBX: " + reg(r.Ebx) + "   ESI: " + reg(r.Esi) + "\r\n" +
           "ECX: " + reg(r.Ecx) + "   ESP: " + reg(r.Esp) + "\r\n" +
           "EDX: " + reg(r.Edx) + "   EIP: " + reg(r.Eip) + "\r\n\r\n" + stackLabel +
           options.GetCustomizedExpandedTexts(mtCPU_MemoryDump) +
           ":\r\n------------------   ---------------------------------------------------------------------------\r\n" +
           MemoryDumpText(facts);
}
