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
