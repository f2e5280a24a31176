#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "editor/crashreport/support/Hooking.h"

// Procedures with known first bytes, written out so that the compiler cannot
// change the prologues the tests are about.
extern "C" int PrologueProc(int x);           // 55 8B EC B8 07 00 00 00 03 45 08 5D C3
extern "C" int __fastcall JzProc(int x);      // test ecx,ecx; jz; mov eax,1: a short jump in the first bytes
extern "C" int CallFirstProc();               // call FortyOne; add eax,1
extern "C" int TinyProc();                    // a lone ret, with other code right after it
asm(R"(
    .text
    .globl _PrologueProc
_PrologueProc:
    .byte 0x55, 0x8B, 0xEC
    movl $7, %eax
    addl 8(%ebp), %eax
    popl %ebp
    ret
    .globl @JzProc@4
@JzProc@4:
    testl %ecx, %ecx
    jz 1f
    .byte 0xB8, 1, 0, 0, 0
    ret
1:  movl $2, %eax
    ret
_FortyOne:
    movl $41, %eax
    ret
    .globl _CallFirstProc
_CallFirstProc:
    call _FortyOne
    addl $1, %eax
    ret
    .globl _TinyProc
_TinyProc:
    ret
    movl $3, %eax
    ret
)");

namespace {

using PlainProc = int (*)(int);
using FastProc = int(__fastcall*)(int);
using VoidProc = int (*)();

PlainProc gPrologueTrampoline = nullptr;
int HookedPrologue(int x) { return gPrologueTrampoline(x) + 100; }
int OtherReplacement(int x) { return -1; }
int __fastcall HookedJz(int x) { return 77; }
int HookedCallFirst() { return 0; }

class Hooking : public ::testing::Test {
protected:
    void SetUp() override { ZHookInit(); }
    void TearDown() override { ZHookDone(); }
};

TEST_F(Hooking, ProcedureRunsTheReplacementAndTheTrampolineTheOriginal) {
    uint8_t before[13];
    std::memcpy(before, reinterpret_cast<void*>(&PrologueProc), sizeof(before));
    ASSERT_EQ(12, PrologueProc(5));
    gPrologueTrampoline = reinterpret_cast<PlainProc>(
        HookProcedureEx(reinterpret_cast<void*>(&PrologueProc), reinterpret_cast<void*>(&HookedPrologue), "Prologue"));
    EXPECT_EQ(112, PrologueProc(5));
    EXPECT_EQ(12, gPrologueTrampoline(5));

    const THookedProcedure* entry = FindHookedProcedure(reinterpret_cast<void*>(&PrologueProc));
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ(8, entry->Copied);
    EXPECT_EQ(0, std::memcmp(entry->Trampoline, before, 8));
    EXPECT_EQ(0xE9, entry->Trampoline[8]);
    int32_t back;
    std::memcpy(&back, entry->Trampoline + 9, 4);
    EXPECT_EQ(reinterpret_cast<uint8_t*>(&PrologueProc) + 8, entry->Trampoline + 13 + back);

    // Hooked again: the same trampoline, and the first redirection stays.
    EXPECT_EQ(reinterpret_cast<void*>(gPrologueTrampoline),
              HookProcedureEx(reinterpret_cast<void*>(&PrologueProc), reinterpret_cast<void*>(&OtherReplacement), "Again"));
    EXPECT_EQ(112, PrologueProc(5));

    EXPECT_TRUE(UnhookProcedure(reinterpret_cast<void*>(&PrologueProc)));
    EXPECT_EQ(0, std::memcmp(reinterpret_cast<void*>(&PrologueProc), before, sizeof(before)));
    EXPECT_EQ(12, PrologueProc(5));
    EXPECT_FALSE(UnhookProcedure(reinterpret_cast<void*>(&PrologueProc)));
}

TEST_F(Hooking, ShortJumpAndCallInTheMovedBytesStillReachTheirTargets) {
    auto jz = reinterpret_cast<FastProc>(
        HookProcedureEx(reinterpret_cast<void*>(&JzProc), reinterpret_cast<void*>(&HookedJz), "Jz"));
    EXPECT_EQ(77, JzProc(0));
    EXPECT_EQ(2, jz(0));
    EXPECT_EQ(1, jz(3));

    auto call = reinterpret_cast<VoidProc>(
        HookProcedureEx(reinterpret_cast<void*>(&CallFirstProc), reinterpret_cast<void*>(&HookedCallFirst), "CallFirst"));
    EXPECT_EQ(0, CallFirstProc());
    EXPECT_EQ(42, call());

    // Unhooking by the trampoline works too.
    EXPECT_TRUE(UnhookProcedure(reinterpret_cast<void*>(jz)));
    EXPECT_EQ(2, JzProc(0));
}

TEST_F(Hooking, ProceduresThatCannotBeHookedRaise) {
    try {
        HookProcedureEx(nullptr, reinterpret_cast<void*>(&HookedCallFirst), "Nothing");
        FAIL();
    } catch (const EProcNull& e) {
        EXPECT_STREQ("Cannot hook a null procedure (\"Nothing\").", e.what());
    }
    // A lone ret: the jump would overwrite the code after it.
    try {
        HookProcedureEx(reinterpret_cast<void*>(&TinyProc), reinterpret_cast<void*>(&HookedCallFirst), "Tiny");
        FAIL();
    } catch (const EHookingError& e) {
        EXPECT_STREQ("Cannot hook the procedure \"Tiny\".", e.what());
    }
}

TEST_F(Hooking, AnImportStubIsFollowedToItsCode) {
    // jmp [slot], the slot holding the procedure: the procedure is hooked.
    void* target = reinterpret_cast<void*>(&PrologueProc);
    void** slot = &target;
    uint8_t stub[8] = {0xFF, 0x25};
    std::memcpy(stub + 2, &slot, 4);
    gPrologueTrampoline = reinterpret_cast<PlainProc>(
        HookProcedureEx(stub, reinterpret_cast<void*>(&HookedPrologue), "Stub"));
    EXPECT_EQ(112, PrologueProc(5));
    EXPECT_EQ(0xFF, stub[0]);
    EXPECT_TRUE(UnhookProcedure(reinterpret_cast<void*>(&PrologueProc)));
    EXPECT_EQ(12, PrologueProc(5));
}

TEST_F(Hooking, FunctionSizeOfCodeInMemory) {
    EXPECT_EQ(13, GetFunctionSize(reinterpret_cast<void*>(&PrologueProc), 1000));
    int32_t size = 0;
    EXPECT_TRUE(GetAsmSize(reinterpret_cast<void*>(&PrologueProc), size));
    EXPECT_EQ(1, size);
    // Unreadable memory ends the walk.
    EXPECT_EQ(1, GetFunctionSize(reinterpret_cast<void*>(0x10), 100));
}

// Code written into fresh executable memory: push ebp; mov ebp,esp;
// mov eax,1; pop ebp; ret. The first three instructions (8 bytes) move to a
// trampoline of 13 bytes that jumps back to the ninth.
TEST_F(Hooking, FreshCodeGetsAThirteenByteTrampoline) {
    const uint8_t code[] = {0x55, 0x8B, 0xEC, 0xB8, 0x01, 0x00, 0x00, 0x00, 0x5D, 0xC3, 0xCC, 0xCC};
    auto* memory = static_cast<uint8_t*>(VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    ASSERT_NE(nullptr, memory);
    std::memcpy(memory, code, sizeof(code));
    using OneProc = int (*)();
    auto original = reinterpret_cast<OneProc>(memory);
    ASSERT_EQ(1, original());
    EXPECT_EQ(10, GetFunctionSize(memory, 100));

    auto trampoline = reinterpret_cast<OneProc>(HookProcedureEx(memory, reinterpret_cast<void*>(&HookedCallFirst), "Fresh"));
    const THookedProcedure* entry = FindHookedProcedure(memory);
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ(13, entry->TrampolineSize);
    EXPECT_EQ(8, entry->Copied);
    EXPECT_EQ(0xE9, memory[0]);
    EXPECT_EQ(0, original());   // the replacement
    EXPECT_EQ(1, trampoline()); // the replaced code, still whole
    EXPECT_TRUE(UnhookProcedure(memory));
    EXPECT_EQ(0, std::memcmp(memory, code, sizeof(code)));
    EXPECT_EQ(1, original());
    VirtualFree(memory, 0, MEM_RELEASE);
}

}  // namespace
