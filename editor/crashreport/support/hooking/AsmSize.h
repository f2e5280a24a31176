#pragma once
// Instruction lengths of x86 code, as the hooks need them: enough to copy
// whole instructions out of a procedure's prologue and to find where a
// function ends. Works on a byte span, so damaged or foreign code is never
// read past the bytes the caller vouches for.
#include <cstdint>

// True and the length in bytes (prefixes included) of the instruction at
// code; false, with size 1, for a byte that cannot start an instruction or
// when the bytes that decide the length lie past `available`.
bool GetAsmSize(const uint8_t* code, int32_t available, int32_t& size);

// Bytes up to and including the first return instruction met before
// `maximum`; 0 for a maximum of 0; 1 when none is met (or the readable bytes
// end first).
int32_t GetFunctionSize(const uint8_t* code, int32_t available, int32_t maximum);

// Opcode byte of the instruction at code, after its prefixes (and after 0x0F
// for two-byte opcodes, which sets twoByte); -1 when it lies past available.
int GetAsmOpcode(const uint8_t* code, int32_t available, bool& twoByte, int32_t& prefixes);

// The two kinds of x86 code. In 64-bit code 0x40 to 0x4F are REX prefixes, an
// operand with ModRM mod 0 and rm 5 is a 32-bit displacement from the next
// instruction (RIP-relative), moffs operands and "mov r64, imm64" take 8
// bytes, and the opcodes 64-bit code no longer has cannot be decoded.
enum class TCodeWidth { Bits32, Bits64 };

// The width of the code this program runs.
constexpr TCodeWidth kProgramCodeWidth = sizeof(void*) == 8 ? TCodeWidth::Bits64 : TCodeWidth::Bits32;

// One instruction as code that moves it needs to know it.
struct TAsmInstruction {
    bool Decoded = false;        // false: the byte cannot start an instruction, or the bytes end first
    int32_t Size = 1;            // prefixes included; 1 when not decoded
    int32_t Prefixes = 0;        // REX included in 64-bit code
    int Opcode = -1;             // after the prefixes (and 0x0F); -1 past available
    bool TwoByte = false;
    int32_t RipDisplacement = -1;  // offset of a RIP-relative operand's displacement, else -1
};

// Decodes the instruction at code for the given width; GetAsmSize and
// GetAsmOpcode are its 32-bit answers.
TAsmInstruction DecodeAsm(const uint8_t* code, int32_t available, TCodeWidth width);
