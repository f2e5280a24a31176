#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "editor/crashreport/support/hooking/Trampoline.h"

namespace {

constexpr uint32_t kProc = 0x00401000;
constexpr uint32_t kTramp = 0x00900000;

int32_t Rel32(const std::vector<uint8_t>& b, size_t at) {
    int32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

// Where the 5-byte jump at offset `at` of the trampoline lands.
uint32_t JumpTarget(const std::vector<uint8_t>& b, size_t at) {
    EXPECT_EQ(0xE9, b[at]);
    return kTramp + static_cast<uint32_t>(at) + 5 + static_cast<uint32_t>(Rel32(b, at + 1));
}

std::vector<uint8_t> Build(const std::vector<uint8_t>& code, TTrampolinePlan& plan) {
    EXPECT_EQ(TTrampolineFault::None,
              PlanTrampoline(code.data(), static_cast<int32_t>(code.size()), plan, {kProc, kTramp}));
    return BuildTrampoline(code.data(), plan);
}

TEST(Trampoline, FramePrologueIsCopiedWholeWithAJumpBack) {
    // push ebp; mov ebp,esp; mov eax,7; add eax,[ebp+8]; pop ebp; ret
    const std::vector<uint8_t> code = {0x55, 0x8B, 0xEC, 0xB8, 7, 0, 0, 0, 0x03, 0x45, 0x08, 0x5D, 0xC3};
    TTrampolinePlan plan;
    const auto t = Build(code, plan);
    EXPECT_EQ(8, plan.Copied);
    EXPECT_EQ(13, plan.Size);
    ASSERT_EQ(13u, t.size());
    EXPECT_TRUE(std::equal(code.begin(), code.begin() + 8, t.begin()));
    EXPECT_EQ(kProc + 8, JumpTarget(t, 8));
}

TEST(Trampoline, ShortJumpLeavingTheBlockGoesThroughAnAppendedJump) {
    // test ecx,ecx; jz +6; mov eax,1; ret; mov eax,2; ret
    const std::vector<uint8_t> code = {0x85, 0xC9, 0x74, 0x06, 0xB8, 1, 0, 0, 0, 0xC3, 0xB8, 2, 0, 0, 0, 0xC3};
    TTrampolinePlan plan;
    const auto t = Build(code, plan);
    EXPECT_EQ(9, plan.Copied);
    EXPECT_EQ(19, plan.Size);
    EXPECT_EQ(kProc + 9, JumpTarget(t, 9));
    // jz now reaches the appended jump at 14, which reaches the old target.
    EXPECT_EQ(0x74, t[2]);
    EXPECT_EQ(14, 4 + static_cast<int8_t>(t[3]));
    EXPECT_EQ(kProc + 10, JumpTarget(t, 14));
}

TEST(Trampoline, BackwardShortJumpAlsoLeavesTheBlock) {
    const std::vector<uint8_t> code = {0x90, 0x75, 0xF0, 0x90, 0x90, 0x90};
    TTrampolinePlan plan;
    const auto t = Build(code, plan);
    EXPECT_EQ(5, plan.Copied);
    EXPECT_EQ(15, plan.Size);
    EXPECT_EQ(10, 3 + static_cast<int8_t>(t[2]));
    EXPECT_EQ(kProc + 3 - 16, JumpTarget(t, 10));
}

TEST(Trampoline, JumpsInsideTheBlockAreLeftAlone) {
    const std::vector<uint8_t> code = {0x74, 0x01, 0x90, 0x90, 0x90, 0x90};
    TTrampolinePlan plan;
    const auto t = Build(code, plan);
    EXPECT_EQ(5, plan.Copied);
    EXPECT_EQ(10, plan.Size);
    EXPECT_EQ(0x01, t[1]);
}

TEST(Trampoline, RelativeCallsAndNearJumpsKeepTheirTargets) {
    // call +0x10; jz near +0x20
    const std::vector<uint8_t> code = {0xE8, 0x10, 0, 0, 0, 0x0F, 0x84, 0x20, 0, 0, 0};
    TTrampolinePlan plan;
    {
        const std::vector<uint8_t> call(code.begin(), code.begin() + 5);
        const auto t = Build(call, plan);
        EXPECT_EQ(5, plan.Copied);
        EXPECT_EQ(kProc + 5 + 0x10, kTramp + 5 + static_cast<uint32_t>(Rel32(t, 1)));
    }
    {
        const std::vector<uint8_t> jz = {0x90, 0x0F, 0x84, 0x20, 0, 0, 0};
        const auto t = Build(jz, plan);
        EXPECT_EQ(7, plan.Copied);
        EXPECT_EQ(kProc + 7 + 0x20, kTramp + 7 + static_cast<uint32_t>(Rel32(t, 3)));
    }
}

TEST(Trampoline, RefusesWhatCannotHoldTheJump) {
    struct Case {
        std::vector<uint8_t> Code;
        TTrampolineFault Fault;
    } cases[] = {
        {{0xC3, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC}, TTrampolineFault::EndsEarly},
        {{0x5D, 0xC3, 0x55, 0x8B, 0xEC}, TTrampolineFault::EndsEarly},
        {{0x55, 0x8B, 0xEC}, TTrampolineFault::TooShort},
        {{0x55, 0x8B}, TTrampolineFault::TooShort},
        {{0x90, 0x90, 0x90, 0x90, 0xC3}, TTrampolineFault::None},  // the return ends exactly at 5
    };
    for (const Case& c : cases) {
        TTrampolinePlan plan;
        EXPECT_EQ(c.Fault, PlanTrampoline(c.Code.data(), static_cast<int32_t>(c.Code.size()), plan));
    }
}

// 64-bit code. A trampoline within 2 GiB of the procedure keeps the
// five-byte forms; relative operands are re-aimed from there.
constexpr uint64_t kProc64 = 0x00007FF612340000u;
constexpr uint64_t kNearTramp64 = kProc64 + 0x10000000u;
constexpr uint64_t kFarTramp64 = kProc64 + 0x300000000u;

uint64_t Absolute64(const std::vector<uint8_t>& b, size_t at) {
    EXPECT_EQ(0xFF, b[at]);
    EXPECT_EQ(0x25, b[at + 1]);
    EXPECT_EQ(0, Rel32(b, at + 2));
    uint64_t v;
    std::memcpy(&v, b.data() + at + 6, 8);
    return v;
}

TEST(Trampoline, SixtyFourBitCodeNearItsTrampoline) {
    // mov eax,[rip+0x100]; push rbp; jz +0x20
    const std::vector<uint8_t> code = {0x8B, 0x05, 0x00, 0x01, 0, 0, 0x55, 0x74, 0x20, 0x90};
    TTrampolinePlan plan;
    ASSERT_EQ(TTrampolineFault::None, PlanTrampoline(code.data(), static_cast<int32_t>(code.size()), plan,
                                                     {kProc64, kNearTramp64, kNearJumpSize, TCodeWidth::Bits64}));
    EXPECT_EQ(6, plan.Copied);
    EXPECT_EQ(11, plan.Size);
    const auto t = BuildTrampoline(code.data(), plan);
    // The operand still names procedure + 6 + 0x100.
    EXPECT_EQ(kProc64 + 6 + 0x100, kNearTramp64 + 6 + static_cast<int64_t>(Rel32(t, 2)));
    EXPECT_EQ(0xE9, t[6]);
    EXPECT_EQ(kProc64 + 6, kNearTramp64 + 11 + static_cast<int64_t>(Rel32(t, 7)));

    // A short jump leaving the block: an appended five-byte jump.
    const std::vector<uint8_t> jz = {0x55, 0x48, 0x85, 0xC9, 0x74, 0x20, 0x90};
    ASSERT_EQ(TTrampolineFault::None, PlanTrampoline(jz.data(), static_cast<int32_t>(jz.size()), plan,
                                                     {kProc64, kNearTramp64, kNearJumpSize, TCodeWidth::Bits64}));
    EXPECT_EQ(6, plan.Copied);
    EXPECT_EQ(16, plan.Size);
    const auto j = BuildTrampoline(jz.data(), plan);
    EXPECT_EQ(11, 6 + static_cast<int8_t>(j[5]));
    EXPECT_EQ(kProc64 + 6 + 0x20, kNearTramp64 + 16 + static_cast<int64_t>(Rel32(j, 12)));
}

TEST(Trampoline, SixtyFourBitCodeFarFromItsTrampolineTakesAbsoluteJumps) {
    // push rbp; mov rbp,rsp; test ecx,ecx; jz +0x20; mov eax,1; add eax,2: 15 bytes cover the 14 of the patch
    const std::vector<uint8_t> code = {0x55, 0x48, 0x89, 0xE5, 0x85, 0xC9, 0x74, 0x20,
                                       0xB8, 1, 0, 0, 0, 0x83, 0xC0, 0x02, 0xC3};
    TTrampolinePlan plan;
    ASSERT_EQ(TTrampolineFault::None, PlanTrampoline(code.data(), static_cast<int32_t>(code.size()), plan,
                                                     {kProc64, kFarTramp64, kAbsoluteJumpSize, TCodeWidth::Bits64}));
    EXPECT_EQ(16, plan.Copied);
    EXPECT_EQ(16 + 14 + 14, plan.Size);
    const auto t = BuildTrampoline(code.data(), plan);
    EXPECT_EQ(kProc64 + 16, Absolute64(t, 16));
    EXPECT_EQ(30, 8 + static_cast<int8_t>(t[7]));
    EXPECT_EQ(kProc64 + 8 + 0x20, Absolute64(t, 30));
}

TEST(Trampoline, SixtyFourBitCodeThatCannotMoveIsRefused) {
    struct Case {
        std::vector<uint8_t> Code;
        uint64_t Trampoline;
        int32_t Patch;
        TTrampolineFault Fault;
        const char* What;
    } cases[] = {
        {{0xE8, 0x00, 0x01, 0, 0, 0x90, 0x90, 0x90, 0x90, 0x90, 0x90, 0x90, 0x90, 0x90, 0x90},
         kFarTramp64, kAbsoluteJumpSize, TTrampolineFault::OutOfReach, "a call that no longer reaches"},
        {{0x8B, 0x05, 0x00, 0x01, 0, 0, 0x90, 0x90, 0x90, 0x90, 0x90, 0x90, 0x90, 0x90, 0x90},
         kFarTramp64, kAbsoluteJumpSize, TTrampolineFault::OutOfReach, "a RIP-relative operand that no longer reaches"},
        {{0xC5, 0xF8, 0x77, 0x90, 0x90, 0x90}, kNearTramp64, kNearJumpSize, TTrampolineFault::Undecodable,
         "a vector instruction"},
        {{0x55, 0x48, 0x89, 0xE5, 0x5D, 0xC3, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC}, kFarTramp64,
         kAbsoluteJumpSize, TTrampolineFault::EndsEarly, "returns before the absolute jump is covered"},
    };
    for (const Case& c : cases) {
        TTrampolinePlan plan;
        EXPECT_EQ(c.Fault, PlanTrampoline(c.Code.data(), static_cast<int32_t>(c.Code.size()), plan,
                                          {kProc64, c.Trampoline, c.Patch, TCodeWidth::Bits64}))
            << c.What;
    }
}

TEST(Trampoline, JumpFormsFollowTheDistance) {
    EXPECT_EQ(5u, JumpBytes(0x1000, 0xFFFFF000u, TCodeWidth::Bits32).size());
    EXPECT_EQ(5u, JumpBytes(kProc64, kProc64 + 0x7FFFFFF0u, TCodeWidth::Bits64).size());
    EXPECT_EQ(5u, JumpBytes(kProc64, kProc64 + 5 + 0x7FFFFFFFu, TCodeWidth::Bits64).size());
    const auto far = JumpBytes(kProc64, kProc64 + 5 + 0x80000000u, TCodeWidth::Bits64);
    ASSERT_EQ(14u, far.size());
    EXPECT_EQ(kProc64 + 5 + 0x80000000u, Absolute64(far, 0));
    EXPECT_TRUE(WithinRelativeReach(kProc64, kProc64 - 0x80000000u, TCodeWidth::Bits64));
    EXPECT_FALSE(WithinRelativeReach(kProc64, kProc64 - 0x80000001u, TCodeWidth::Bits64));
}

}  // namespace
