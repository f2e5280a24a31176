#pragma once
// TDisAsm: one line of 32-bit x86 assembler text for the machine code at an
// address, and the instruction's size. Callbacks let the caller put names in
// place of addresses, jump and call targets and values.
#include <cstdint>
#include <functional>
#include <string>

#include "framework/Classes.h"

enum TRegister { rEax, rEcx, rEdx, rEbx, rEsp, rEbp, rEsi, rEdi };

// The parts of one memory operand.
struct TOperandRegisters {
    int32_t Scale = 0;            // 1, 2, 4 or 8; 0 without an index register
    TRegister IndexRegister = rEax;
    bool BaseRegisterUsed = false;
    TRegister BaseRegister = rEax;
    uint32_t Displacement = 0;    // sum of the displacements
};

// (user value, address of the displacement field, target address, var text)
using TDisAsmTargetEvent =
    std::function<void(uint32_t userValue, uint32_t fieldAddress, uint32_t target, std::string& text)>;
// (user value, address of the field, value, var text)
using TDisAsmAddressEvent =
    std::function<void(uint32_t userValue, uint32_t fieldAddress, uint32_t value, std::string& text)>;
// (user value, operand registers, operand size in bytes, var text)
using TDisAsmMemoryOperandEvent =
    std::function<void(uint32_t userValue, const TOperandRegisters& registers, int32_t size, std::string& text)>;
// (user value, address of the immediate field, its size in bytes, var text, signed)
using TDisAsmImmediateEvent =
    std::function<void(uint32_t userValue, uint32_t fieldAddress, int32_t size, std::string& text, bool isSigned)>;

class TDisAsm : public TObject {
public:
    std::string ClassName() const override { return "TDisAsm"; }

    TDisAsmTargetEvent OnJumpTarget;            // relative jumps
    TDisAsmTargetEvent OnCallTarget;            // relative calls
    TDisAsmAddressEvent OnAddress;              // every 32-bit address or displacement
    TDisAsmMemoryOperandEvent OnMemoryOperand;  // after each memory operand
    TDisAsmImmediateEvent OnImmediate;          // immediates
    uint32_t UserValue = 0;

    // The most bytes one instruction may have; longer prefix runs print as
    // data bytes.
    static constexpr int32_t MaxInstructionSize = 15;

    // Decodes the instruction at code, which runs at its own address.
    std::string GetInstruction(const uint8_t* code, int32_t& size);
    // Decodes the bytes at code as if they stood at address.
    std::string GetInstruction(const uint8_t* code, uint32_t address, int32_t& size);
};
