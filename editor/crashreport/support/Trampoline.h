#pragma once
// The trampoline of a hooked procedure: its first whole instructions, moved
// so that relative jumps and calls still reach their targets, followed by a
// jump back into the procedure. Pure byte work; the hooking shell allocates,
// writes and patches.
#include <cstdint>
#include <vector>

// How many bytes of the procedure are moved and how large the trampoline is.
struct TTrampolinePlan {
    int32_t Copied = 0;  // whole instructions covering at least the 5-byte jump
    int32_t Size = 0;    // copied bytes + appended jumps + the jump back
};

enum class TTrampolineFault {
    None,
    TooShort,    // the readable bytes end before 5 are covered
    EndsEarly,   // the procedure returns before 5 bytes: the jump would overwrite what follows
};

// Plans the trampoline for the code at `code` (`available` bytes readable).
TTrampolineFault PlanTrampoline(const uint8_t* code, int32_t available, TTrampolinePlan& plan);

// The trampoline's bytes when the procedure lies at procAddress and the
// trampoline at trampAddress (32-bit addresses; arithmetic wraps as the CPU's).
std::vector<uint8_t> BuildTrampoline(const uint8_t* code, const TTrampolinePlan& plan,
                                     uint32_t procAddress, uint32_t trampAddress);

// The five bytes of "jmp target" placed at address `at`.
void WriteJumpBytes(uint8_t* out, uint32_t at, uint32_t target);
