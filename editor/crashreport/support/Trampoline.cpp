#include "editor/crashreport/support/Trampoline.h"

#include <cstring>

#include "editor/crashreport/support/AsmSize.h"

namespace {

constexpr int32_t kJumpSize = 5;

bool IsShortJump(int opcode) {
    return (opcode >= 0x70 && opcode <= 0x7F) || (opcode >= 0xE0 && opcode <= 0xE3) || opcode == 0xEB;
}

bool IsRelative32(int opcode, bool twoByte) {
    return twoByte ? (opcode >= 0x80 && opcode <= 0x8F) : (opcode == 0xE8 || opcode == 0xE9);
}

bool IsReturn(int opcode, bool twoByte) {
    return !twoByte && (opcode == 0xC2 || opcode == 0xC3 || opcode == 0xCA || opcode == 0xCB);
}

// One instruction of the copied block.
struct Instruction {
    int32_t At, Size, Prefixes;
    int Opcode;
    bool TwoByte;
};

// Walks the instructions of the first `copied` bytes (undecodable bytes count as one).
template <typename F>
void ForEachInstruction(const uint8_t* code, int32_t copied, F f) {
    int32_t at = 0;
    while (at < copied) {
        Instruction ins{at, 1, 0, -1, false};
        GetAsmSize(code + at, copied - at, ins.Size);
        ins.Opcode = GetAsmOpcode(code + at, copied - at, ins.TwoByte, ins.Prefixes);
        f(ins);
        at += ins.Size;
    }
}

int32_t ReadInt32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return static_cast<int32_t>(v);
}

void WriteInt32(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }

}  // namespace

void WriteJumpBytes(uint8_t* out, uint32_t at, uint32_t target) {
    out[0] = 0xE9;
    WriteInt32(out + 1, target - at - kJumpSize);
}

TTrampolineFault PlanTrampoline(const uint8_t* code, int32_t available, TTrampolinePlan& plan) {
    plan = {};
    int32_t copied = 0;
    while (copied < kJumpSize) {
        if (copied >= available)
            return TTrampolineFault::TooShort;
        int32_t size = 1;
        GetAsmSize(code + copied, available - copied, size);
        bool twoByte = false;
        int32_t prefixes = 0;
        const int opcode = GetAsmOpcode(code + copied, available - copied, twoByte, prefixes);
        copied += size;
        if (IsReturn(opcode, twoByte) && copied < kJumpSize)
            return TTrampolineFault::EndsEarly;
    }
    if (copied > available)
        return TTrampolineFault::TooShort;
    plan.Copied = copied;
    int32_t size = copied + kJumpSize;
    ForEachInstruction(code, copied, [&](const Instruction& ins) {
        if (!ins.TwoByte && IsShortJump(ins.Opcode) && ins.At + ins.Size <= copied) {
            const int32_t target = ins.At + ins.Size + static_cast<int8_t>(code[ins.At + ins.Size - 1]);
            if (target < 0 || target >= copied)
                size += kJumpSize;
        }
    });
    plan.Size = size;
    return TTrampolineFault::None;
}

std::vector<uint8_t> BuildTrampoline(const uint8_t* code, const TTrampolinePlan& plan,
                                     uint32_t procAddress, uint32_t trampAddress) {
    const int32_t copied = plan.Copied;
    std::vector<uint8_t> out(static_cast<size_t>(plan.Size), 0x90);
    std::memcpy(out.data(), code, static_cast<size_t>(copied));
    // Appended jumps for short jumps leaving the block follow the jump back.
    int32_t appended = copied + kJumpSize;
    ForEachInstruction(code, copied, [&](const Instruction& ins) {
        const int32_t end = ins.At + ins.Size;
        if (end > copied || ins.Opcode < 0)
            return;
        if (!ins.TwoByte && IsShortJump(ins.Opcode)) {
            const int32_t target = end + static_cast<int8_t>(out[end - 1]);
            if (target >= 0 && target < copied)
                return;
            if (appended + kJumpSize > plan.Size)
                return;
            WriteJumpBytes(out.data() + appended, trampAddress + appended, procAddress + target);
            out[end - 1] = static_cast<uint8_t>(static_cast<int8_t>(appended - end));
            appended += kJumpSize;
        } else if (IsRelative32(ins.Opcode, ins.TwoByte) && ins.Size >= 4) {
            const int64_t target = static_cast<int64_t>(end) + ReadInt32(out.data() + end - 4);
            if (target >= 0 && target < copied)
                return;
            // Same absolute target from the new place: shift by the distance moved.
            const uint32_t moved = trampAddress - procAddress;
            WriteInt32(out.data() + end - 4, static_cast<uint32_t>(ReadInt32(out.data() + end - 4)) - moved);
        }
    });
    WriteJumpBytes(out.data() + copied, trampAddress + copied, procAddress + copied);
    return out;
}
