#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "editor/crashreport/support/Trampoline.h"

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
    EXPECT_EQ(TTrampolineFault::None, PlanTrampoline(code.data(), static_cast<int32_t>(code.size()), plan));
    return BuildTrampoline(code.data(), plan, kProc, kTramp);
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

}  // namespace
