// Random bytes through the disassembler, instruction after instruction, with
// 15 bytes of slack behind the input (an instruction starting inside the
// input never reaches further). Callbacks answer with texts full of template
// characters, which must come out as they are.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "editor/crashreport/support/disasm/DisAsm.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const size_t slack = TDisAsm::MaxInstructionSize;
    std::unique_ptr<uint8_t[]> buffer(new uint8_t[size + slack]);
    std::memcpy(buffer.get(), data, size);
    std::memset(buffer.get() + size, 0x66, slack);   // more prefixes: the longest road

    TDisAsm disasm;
    const std::string odd = "#Ev @so %c ^\x05@ga" + std::string(300, '#');
    if (data[0] & 1) {
        disasm.OnJumpTarget = [&](uint32_t, uint32_t, uint32_t, std::string& text) { text = odd; };
        disasm.OnCallTarget = [&](uint32_t, uint32_t, uint32_t, std::string& text) { text = odd; };
        disasm.OnAddress = [&](uint32_t, uint32_t, uint32_t, std::string& text) { text += odd; };
        disasm.OnMemoryOperand = [&](uint32_t, const TOperandRegisters&, int32_t, std::string& text) { text += "%s4"; };
        disasm.OnImmediate = [&](uint32_t, uint32_t, int32_t, std::string& text, bool) { text = "@c2" + text; };
    }
    size_t position = 0;
    while (position < size) {
        int32_t length = 0;
        const std::string text = disasm.GetInstruction(buffer.get() + position, 0x401000u + static_cast<uint32_t>(position), length);
        if (length < 1 || length > TDisAsm::MaxInstructionSize || text.empty())
            std::abort();
        position += static_cast<size_t>(length);
    }
    return 0;
}
