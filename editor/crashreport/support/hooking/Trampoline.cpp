#include "editor/crashreport/support/hooking/Trampoline.h"

#include <cstring>

namespace {

bool IsShortJump(int opcode) {
    return (opcode >= 0x70 && opcode <= 0x7F) || (opcode >= 0xE0 && opcode <= 0xE3) || opcode == 0xEB;
}

bool IsRelative32(int opcode, bool twoByte) {
    return twoByte ? (opcode >= 0x80 && opcode <= 0x8F) : (opcode == 0xE8 || opcode == 0xE9);
}

bool IsReturn(int opcode, bool twoByte) {
    return !twoByte && (opcode == 0xC2 || opcode == 0xC3 || opcode == 0xCA || opcode == 0xCB);
}

int32_t ReadInt32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return static_cast<int32_t>(v);
}

void WriteInt32(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }

// An address plus an offset; 32-bit code wraps as its CPU does.
uint64_t Offset(uint64_t base, int64_t offset, TCodeWidth width) {
    const uint64_t sum = base + static_cast<uint64_t>(offset);
    return width == TCodeWidth::Bits32 ? sum & 0xFFFFFFFFu : sum;
}

// Lays the moved bytes out at the site: the trampoline's size and whether
// everything reaches; with `out`, writes the fixed-up bytes, the jump back
// and the appended jumps too. Planning and building walk the same way.
TTrampolineFault LayOut(const uint8_t* code, int32_t copied, const TTrampolineSite& site, int32_t& size,
                        uint8_t* out) {
    const TCodeWidth width = site.Width;
    const uint64_t proc = site.Procedure, tramp = site.Trampoline;
    const std::vector<uint8_t> back =
        JumpBytes(Offset(tramp, copied, width), Offset(proc, copied, width), width);
    if (out)
        std::memcpy(out + copied, back.data(), back.size());
    // Jumps for short jumps leaving the block follow the jump back.
    int32_t appended = copied + static_cast<int32_t>(back.size());
    for (int32_t at = 0; at < copied;) {
        const TAsmInstruction ins = DecodeAsm(code + at, copied - at, width);
        const int32_t end = at + ins.Size;
        if (ins.Decoded && end <= copied) {
            if (!ins.TwoByte && IsShortJump(ins.Opcode)) {
                const int32_t target = end + static_cast<int8_t>(code[end - 1]);
                if (target < 0 || target >= copied) {
                    const std::vector<uint8_t> exit =
                        JumpBytes(Offset(tramp, appended, width), Offset(proc, target, width), width);
                    if (appended - end > INT8_MAX)
                        return TTrampolineFault::OutOfReach;
                    if (out) {
                        std::memcpy(out + appended, exit.data(), exit.size());
                        out[end - 1] = static_cast<uint8_t>(static_cast<int8_t>(appended - end));
                    }
                    appended += static_cast<int32_t>(exit.size());
                }
            } else {
                // A 32-bit displacement from the instruction's end: a relative
                // jump or call, or (64-bit code) a RIP-relative operand.
                int32_t dispAt = -1;
                const int32_t opcodeBytes = ins.TwoByte ? 2 : 1;
                if (IsRelative32(ins.Opcode, ins.TwoByte) && ins.Size - ins.Prefixes == opcodeBytes + 4)
                    dispAt = end - 4;
                else if (ins.RipDisplacement >= 0)
                    dispAt = at + ins.RipDisplacement;
                if (dispAt >= 0) {
                    const int64_t target = static_cast<int64_t>(end) + ReadInt32(code + dispAt);
                    if (target < 0 || target >= copied) {
                        // Same absolute target from the new place.
                        const uint64_t absolute = Offset(proc, target, width);
                        const uint64_t next = Offset(tramp, end, width);
                        if (!WithinRelativeReach(next, absolute, width))
                            return TTrampolineFault::OutOfReach;
                        if (out)
                            WriteInt32(out + dispAt, static_cast<uint32_t>(absolute - next));
                    }
                }
            }
        }
        at += ins.Size;
    }
    size = appended;
    return TTrampolineFault::None;
}

}  // namespace

bool WithinRelativeReach(uint64_t next, uint64_t target, TCodeWidth width) {
    if (width == TCodeWidth::Bits32)
        return true;
    const int64_t distance = static_cast<int64_t>(target - next);
    return distance >= INT32_MIN && distance <= INT32_MAX;
}

std::vector<uint8_t> JumpBytes(uint64_t at, uint64_t target, TCodeWidth width) {
    if (WithinRelativeReach(at + kNearJumpSize, target, width)) {
        std::vector<uint8_t> jump(kNearJumpSize);
        jump[0] = 0xE9;
        WriteInt32(jump.data() + 1, static_cast<uint32_t>(target - at - kNearJumpSize));
        return jump;
    }
    std::vector<uint8_t> jump = {0xFF, 0x25, 0, 0, 0, 0};
    for (int i = 0; i < 8; ++i)
        jump.push_back(static_cast<uint8_t>(target >> (8 * i)));
    return jump;
}

void WriteJumpBytes(uint8_t* out, uint32_t at, uint32_t target) {
    const std::vector<uint8_t> jump = JumpBytes(at, target, TCodeWidth::Bits32);
    std::memcpy(out, jump.data(), jump.size());
}

TTrampolineFault PlanTrampoline(const uint8_t* code, int32_t available, TTrampolinePlan& plan,
                                const TTrampolineSite& site) {
    plan = {};
    int32_t copied = 0;
    while (copied < site.PatchSize) {
        if (copied >= available)
            return TTrampolineFault::TooShort;
        const TAsmInstruction ins = DecodeAsm(code + copied, available - copied, site.Width);
        // 32-bit code counts an undecodable byte as one; 64-bit code could
        // then split an instruction of the vector encodings.
        if (!ins.Decoded && site.Width == TCodeWidth::Bits64)
            return TTrampolineFault::Undecodable;
        copied += ins.Size;
        if (IsReturn(ins.Opcode, ins.TwoByte) && copied < site.PatchSize)
            return TTrampolineFault::EndsEarly;
    }
    if (copied > available)
        return TTrampolineFault::TooShort;
    int32_t size = 0;
    if (const TTrampolineFault fault = LayOut(code, copied, site, size, nullptr); fault != TTrampolineFault::None)
        return fault;
    plan.Copied = copied;
    plan.Size = size;
    plan.Site = site;
    return TTrampolineFault::None;
}

std::vector<uint8_t> BuildTrampoline(const uint8_t* code, const TTrampolinePlan& plan) {
    std::vector<uint8_t> out(static_cast<size_t>(plan.Size), 0x90);
    std::memcpy(out.data(), code, static_cast<size_t>(plan.Copied));
    int32_t size = 0;
    LayOut(code, plan.Copied, plan.Site, size, out.data());
    return out;
}
