#pragma once
// The trampoline of a hooked procedure: its first whole instructions, moved
// so that relative jumps and calls still reach their targets, followed by a
// jump back into the procedure. Pure byte work; the hooking shell allocates,
// writes and patches.
//
// In 32-bit code every address lies within reach of a five-byte jump (the
// displacement wraps as the CPU's arithmetic does). In 64-bit code it reaches
// only 2 GiB either way: a jump beyond that takes the absolute form (14
// bytes), and moved code whose relative operand the trampoline cannot reach
// is refused.
#include <cstdint>
#include <vector>

#include "editor/crashreport/support/hooking/AsmSize.h"

// The two forms of jump the hooks write.
constexpr int32_t kNearJumpSize = 5;       // E9 and a 32-bit displacement
constexpr int32_t kAbsoluteJumpSize = 14;  // FF 25 00000000 (jmp [rip+0]) and the 8-byte target

// Where the procedure and its trampoline lie, and how many of the procedure's
// bytes the jump written over it takes (5, or 14 for the absolute form).
struct TTrampolineSite {
    uint64_t Procedure = 0;
    uint64_t Trampoline = 0;
    int32_t PatchSize = kNearJumpSize;
    TCodeWidth Width = TCodeWidth::Bits32;
};

// How many bytes of the procedure are moved and how large the trampoline is.
struct TTrampolinePlan {
    int32_t Copied = 0;  // whole instructions covering at least the patch
    int32_t Size = 0;    // copied bytes + the jump back + appended jumps
    TTrampolineSite Site;
};

enum class TTrampolineFault {
    None,
    TooShort,     // the readable bytes end before the patch is covered
    EndsEarly,    // the procedure returns before the patch is covered: the jump would overwrite what follows
    Undecodable,  // 64-bit code holding a byte the decoder cannot measure: moving it could split an instruction
    OutOfReach,   // 64-bit code whose relative operand or short jump the trampoline cannot reach from where it lies
};

// True when a 32-bit displacement counted from `next` (the end of the
// instruction) reaches target: always in 32-bit code.
bool WithinRelativeReach(uint64_t next, uint64_t target, TCodeWidth width);

// The bytes of a jump at `at` to target: the five-byte form where it reaches,
// else the absolute form.
std::vector<uint8_t> JumpBytes(uint64_t at, uint64_t target, TCodeWidth width);

// Plans the trampoline for the code at `code` (`available` bytes readable)
// moved to the site's trampoline.
TTrampolineFault PlanTrampoline(const uint8_t* code, int32_t available, TTrampolinePlan& plan,
                                const TTrampolineSite& site = {});

// The trampoline's bytes, as planned.
std::vector<uint8_t> BuildTrampoline(const uint8_t* code, const TTrampolinePlan& plan);

// The five bytes of "jmp target" placed at address `at` (32-bit arithmetic).
void WriteJumpBytes(uint8_t* out, uint32_t at, uint32_t target);
