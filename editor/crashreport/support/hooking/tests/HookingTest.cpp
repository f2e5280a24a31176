#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#endif

#include "editor/crashreport/support/hooking/ProcedureHooks.h"
#include "editor/crashreport/support/hooking/Trampoline.h"

// Procedures with known first bytes, written out so that the compiler cannot
// change the prologues the tests are about. Each width has its own code; the
// names are fixed by asm labels, the same on every platform.
#if defined(__i386__)
#define TQ_REGISTER_ARG __attribute__((fastcall))
#else
#define TQ_REGISTER_ARG
#endif
extern "C" int PrologueProc(int x) asm("tq_prologue_proc");
extern "C" int TQ_REGISTER_ARG JzProc(int x) asm("tq_jz_proc");  // x in ecx (edi in 64-bit Linux code)
extern "C" int CallFirstProc() asm("tq_call_first_proc");         // call FortyOne; add eax,1
extern "C" int TinyProc() asm("tq_tiny_proc");                     // a lone ret, with other code right after it

#if defined(__i386__)
// 55 8B EC B8 07 00 00 00 03 45 08 5D C3
asm(R"(
    .text
    .globl tq_prologue_proc
tq_prologue_proc:
    .byte 0x55, 0x8B, 0xEC
    movl $7, %eax
    addl 8(%ebp), %eax
    popl %ebp
    ret
    .globl tq_jz_proc
tq_jz_proc:
    testl %ecx, %ecx
    jz 1f
    .byte 0xB8, 1, 0, 0, 0
    ret
1:  movl $2, %eax
    ret
tq_forty_one:
    movl $41, %eax
    ret
    .globl tq_call_first_proc
tq_call_first_proc:
    call tq_forty_one
    addl $1, %eax
    ret
    .globl tq_tiny_proc
tq_tiny_proc:
    ret
    movl $3, %eax
    ret
)");
#elif defined(__x86_64__)
#ifdef _WIN32
#define TQ_ARG0 "%ecx"
#else
#define TQ_ARG0 "%edi"
#endif
extern "C" int RipProc(int x) asm("tq_rip_proc");          // mov eax,[rip+value]; add eax,x
extern "C" uint64_t WideImmediateProc() asm("tq_wide_proc");  // mov rax, imm64
// 55 48 89 E5 B8 07 00 00 00 01 F8/C8 5D C3
asm("    .text\n"
    "    .globl tq_prologue_proc\n"
    "tq_prologue_proc:\n"
    "    .byte 0x55, 0x48, 0x89, 0xE5\n"
    "    movl $7, %eax\n"
    "    addl " TQ_ARG0 ", %eax\n"
    "    popq %rbp\n"
    "    ret\n"
    "    .globl tq_jz_proc\n"
    "tq_jz_proc:\n"
    "    testl " TQ_ARG0 ", " TQ_ARG0 "\n"
    "    jz 1f\n"
    "    .byte 0xB8, 1, 0, 0, 0\n"
    "    ret\n"
    "1:  movl $2, %eax\n"
    "    ret\n"
    "tq_forty_one:\n"
    "    movl $41, %eax\n"
    "    ret\n"
    "    .globl tq_call_first_proc\n"
    "tq_call_first_proc:\n"
    "    call tq_forty_one\n"
    "    addl $1, %eax\n"
    "    ret\n"
    "    .globl tq_tiny_proc\n"
    "tq_tiny_proc:\n"
    "    ret\n"
    "    movl $3, %eax\n"
    "    ret\n"
    "    .globl tq_rip_proc\n"
    "tq_rip_proc:\n"
    "    movl tq_rip_value(%rip), %eax\n"
    "    addl " TQ_ARG0 ", %eax\n"
    "    ret\n"
    "    .globl tq_wide_proc\n"
    "tq_wide_proc:\n"
    "    movabsq $0x1122334455667788, %rax\n"
    "    ret\n"
    "    .data\n"
    "tq_rip_value:\n"
    "    .long 40\n"
    "    .text\n");
#else
#error "the hooks patch x86 code"
#endif

namespace {

constexpr bool k64 = sizeof(void*) == 8;

using PlainProc = int (*)(int);
using FastProc = int(TQ_REGISTER_ARG*)(int);
using VoidProc = int (*)();

PlainProc gPrologueTrampoline = nullptr;
int HookedPrologue(int x) { return gPrologueTrampoline(x) + 100; }
int OtherReplacement(int x) { return -1; }
int TQ_REGISTER_ARG HookedJz(int x) { return 77; }
int HookedCallFirst() { return 0; }

void* Code(auto* procedure) { return reinterpret_cast<void*>(procedure); }

class Hooking : public ::testing::Test {
protected:
    void TearDown() override { UndoProcedureHooks(); }
};

TEST_F(Hooking, ProcedureRunsTheReplacementAndTheTrampolineTheOriginal) {
    // 32-bit: 55 | 8B EC | B8 imm32 moved; 64-bit: 55 | 48 89 E5 | B8 imm32.
    const int32_t copied = k64 ? 9 : 8;
    uint8_t before[13];
    std::memcpy(before, Code(&PrologueProc), sizeof(before));
    ASSERT_EQ(12, PrologueProc(5));
    gPrologueTrampoline = reinterpret_cast<PlainProc>(
        HookProcedureEx(Code(&PrologueProc), Code(&HookedPrologue), "Prologue"));
    EXPECT_EQ(112, PrologueProc(5));
    EXPECT_EQ(12, gPrologueTrampoline(5));

    const THookedProcedure* entry = FindHookedProcedure(Code(&PrologueProc));
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ(copied, entry->Copied);
    EXPECT_EQ(0, std::memcmp(entry->Trampoline, before, copied));
    EXPECT_EQ(0xE9, entry->Trampoline[copied]);
    int32_t back;
    std::memcpy(&back, entry->Trampoline + copied + 1, 4);
    EXPECT_EQ(reinterpret_cast<uint8_t*>(&PrologueProc) + copied, entry->Trampoline + copied + 5 + back);

    // Hooked again: the same trampoline, and the first redirection stays.
    EXPECT_EQ(Code(gPrologueTrampoline), HookProcedureEx(Code(&PrologueProc), Code(&OtherReplacement), "Again"));
    EXPECT_EQ(112, PrologueProc(5));

    EXPECT_TRUE(UnhookProcedure(Code(&PrologueProc)));
    EXPECT_EQ(0, std::memcmp(Code(&PrologueProc), before, sizeof(before)));
    EXPECT_EQ(12, PrologueProc(5));
    EXPECT_FALSE(UnhookProcedure(Code(&PrologueProc)));
}

TEST_F(Hooking, ShortJumpAndCallInTheMovedBytesStillReachTheirTargets) {
    auto jz = reinterpret_cast<FastProc>(HookProcedureEx(Code(&JzProc), Code(&HookedJz), "Jz"));
    EXPECT_EQ(77, JzProc(0));
    EXPECT_EQ(2, jz(0));
    EXPECT_EQ(1, jz(3));

    auto call = reinterpret_cast<VoidProc>(HookProcedureEx(Code(&CallFirstProc), Code(&HookedCallFirst), "CallFirst"));
    EXPECT_EQ(0, CallFirstProc());
    EXPECT_EQ(42, call());

    // Unhooking by the trampoline works too.
    EXPECT_TRUE(UnhookProcedure(Code(jz)));
    EXPECT_EQ(2, JzProc(0));
}

TEST_F(Hooking, ProceduresThatCannotBeHookedRaise) {
    try {
        HookProcedureEx(nullptr, Code(&HookedCallFirst), "Nothing");
        FAIL();
    } catch (const EProcNull& e) {
        EXPECT_STREQ("Cannot hook a null procedure (\"Nothing\").", e.what());
    }
    // A lone ret: the jump would overwrite the code after it.
    try {
        HookProcedureEx(Code(&TinyProc), Code(&HookedCallFirst), "Tiny");
        FAIL();
    } catch (const EHookingError& e) {
        EXPECT_STREQ("Cannot hook the procedure \"Tiny\".", e.what());
    }
}

TEST_F(Hooking, AnImportStubIsFollowedToItsCode) {
    // jmp [slot], the slot holding the procedure: the procedure is hooked.
    // 32-bit code names the slot's address; 64-bit code its distance from
    // the stub's end (here 0: the slot follows the stub).
    void* target = Code(&PrologueProc);
    void** slot = &target;
    uint8_t stub[16] = {0xFF, 0x25};
    if constexpr (k64)
        std::memcpy(stub + 6, &target, sizeof(target));
    else
        std::memcpy(stub + 2, &slot, 4);
    gPrologueTrampoline = reinterpret_cast<PlainProc>(HookProcedureEx(stub, Code(&HookedPrologue), "Stub"));
    EXPECT_EQ(112, PrologueProc(5));
    EXPECT_EQ(0xFF, stub[0]);
    EXPECT_TRUE(UnhookProcedure(Code(&PrologueProc)));
    EXPECT_EQ(12, PrologueProc(5));
}

TEST_F(Hooking, FunctionSizeOfCodeInMemory) {
    EXPECT_EQ(13, GetFunctionSize(Code(&PrologueProc), 1000));
    int32_t size = 0;
    EXPECT_TRUE(GetAsmSize(Code(&PrologueProc), size));
    EXPECT_EQ(1, size);
    // Unreadable memory ends the walk.
    EXPECT_EQ(1, GetFunctionSize(reinterpret_cast<void*>(0x10), 100));
}

// Code written into fresh executable memory: push ebp; mov ebp,esp (48 89 E5
// in 64-bit code); mov eax,1; pop ebp; ret. The first three instructions move
// to a trampoline that jumps back to the fourth.
TEST_F(Hooking, FreshCodeGetsATrampolineOfItsFirstInstructions) {
    const std::vector<uint8_t> code =
        k64 ? std::vector<uint8_t>{0x55, 0x48, 0x89, 0xE5, 0xB8, 0x01, 0x00, 0x00, 0x00, 0x5D, 0xC3, 0xCC}
            : std::vector<uint8_t>{0x55, 0x8B, 0xEC, 0xB8, 0x01, 0x00, 0x00, 0x00, 0x5D, 0xC3, 0xCC, 0xCC};
    const int32_t copied = k64 ? 9 : 8;
    auto* memory = static_cast<uint8_t*>(AllocateCode(nullptr));
    ASSERT_NE(nullptr, memory);
    std::memcpy(memory, code.data(), code.size());
    using OneProc = int (*)();
    auto original = reinterpret_cast<OneProc>(memory);
    ASSERT_EQ(1, original());
    EXPECT_EQ(copied + 2, GetFunctionSize(memory, 100));

    auto trampoline = reinterpret_cast<OneProc>(HookProcedureEx(memory, Code(&HookedCallFirst), "Fresh"));
    const THookedProcedure* entry = FindHookedProcedure(memory);
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ(copied + 5, entry->TrampolineSize);
    EXPECT_EQ(copied, entry->Copied);
    EXPECT_EQ(0xE9, memory[0]);
    EXPECT_EQ(0, original());    // the replacement
    EXPECT_EQ(1, trampoline());  // the replaced code, still whole
    EXPECT_TRUE(UnhookProcedure(memory));
    EXPECT_EQ(0, std::memcmp(memory, code.data(), code.size()));
    EXPECT_EQ(1, original());
    FreeCode(memory);
}

#if defined(__x86_64__)

uint64_t Distance(const void* a, const void* b) {
    const auto x = reinterpret_cast<uintptr_t>(a), y = reinterpret_cast<uintptr_t>(b);
    return x > y ? x - y : y - x;
}

constexpr uint64_t kGiB = 1ull << 30;

// Address space for code placed far from the test program: a reserved range
// (no access), a page made code inside it, or a page placed at a chosen
// address.
char* ReserveRange(uint64_t size) {
#ifdef _WIN32
    return static_cast<char*>(VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS));
#else
    void* p = mmap(nullptr, size, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    return p == MAP_FAILED ? nullptr : static_cast<char*>(p);
#endif
}

void ReleaseRange(char* base, uint64_t size) {
#ifdef _WIN32
    VirtualFree(base, 0, MEM_RELEASE);
#else
    munmap(base, size);
#endif
}

uint8_t* CommitCodePage(char* at) {
#ifdef _WIN32
    return static_cast<uint8_t*>(VirtualAlloc(at, 4096, MEM_COMMIT, PAGE_EXECUTE_READWRITE));
#else
    return mprotect(at, 4096, PROT_READ | PROT_WRITE | PROT_EXEC) == 0 ? reinterpret_cast<uint8_t*>(at) : nullptr;
#endif
}

uint8_t* PlaceCodePage(char* at) {
#ifdef _WIN32
    return static_cast<uint8_t*>(VirtualAlloc(at, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
#else
    void* p = mmap(at, 4096, PROT_READ | PROT_WRITE | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p != MAP_FAILED && p != at)
        munmap(p, 4096);
    return p == at ? static_cast<uint8_t*>(p) : nullptr;
#endif
}

void FreePlacedPage(uint8_t* page) {
#ifdef _WIN32
    VirtualFree(page, 0, MEM_RELEASE);
#else
    munmap(page, 4096);
#endif
}

// call the helper at 24; add eax,1; add eax,0 three times; ret; the helper:
// mov eax,41; ret.
const std::vector<uint8_t> kCallingCode = {0xE8, 0x13, 0, 0, 0, 0x83, 0xC0, 0x01, 0x83, 0xC0, 0x00, 0x83,
                                           0xC0, 0x00, 0x83, 0xC0, 0x00, 0xC3, 0xCC, 0xCC, 0xCC, 0xCC,
                                           0xCC, 0xCC, 0xB8, 0x29, 0, 0, 0, 0xC3};

TEST_F(Hooking, MovedRipRelativeOperandsAndWideImmediatesKeepTheirMeaning) {
    // mov eax,[rip+value] reads the same value from the trampoline.
    auto rip = reinterpret_cast<PlainProc>(HookProcedureEx(Code(&RipProc), Code(&OtherReplacement), "Rip"));
    EXPECT_EQ(-1, RipProc(2));
    EXPECT_EQ(42, rip(2));
    EXPECT_EQ(6, FindHookedProcedure(Code(&RipProc))->Copied);
    // mov rax, imm64 is ten bytes, moved whole.
    using WideProc = uint64_t (*)();
    auto wide = reinterpret_cast<WideProc>(HookProcedureEx(Code(&WideImmediateProc), Code(&HookedCallFirst), "Wide"));
    EXPECT_EQ(10, FindHookedProcedure(Code(&WideImmediateProc))->Copied);
    EXPECT_EQ(0x1122334455667788u, wide());
    EXPECT_EQ(0u, static_cast<uint32_t>(WideImmediateProc()));
}

// Code more than 2 GiB from its replacement (the test program): the five
// bytes over the procedure reach a relay after the trampoline, which lies
// near the procedure and jumps on to the replacement.
TEST_F(Hooking, AReplacementBeyondTwoGiBIsReachedThroughARelay) {
    char* hole = ReserveRange(8 * kGiB);
    ASSERT_NE(nullptr, hole);
    ReleaseRange(hole, 8 * kGiB);
    uint8_t* code = PlaceCodePage(hole + 4 * kGiB);
    ASSERT_NE(nullptr, code);
    std::memcpy(code, kCallingCode.data(), kCallingCode.size());
    ASSERT_GT(Distance(code, Code(&HookedCallFirst)), 2 * kGiB);
    auto original = reinterpret_cast<VoidProc>(code);
    ASSERT_EQ(42, original());

    auto trampoline = reinterpret_cast<VoidProc>(HookProcedureEx(code, Code(&HookedCallFirst), "Far replacement"));
    EXPECT_LT(Distance(code, Code(trampoline)), 2 * kGiB);
    EXPECT_EQ(0xE9, code[0]);
    EXPECT_EQ(0, original());
    EXPECT_EQ(42, trampoline());  // the moved call still reaches the helper
    EXPECT_TRUE(UnhookProcedure(code));
    EXPECT_EQ(0, std::memcmp(code, kCallingCode.data(), kCallingCode.size()));
    EXPECT_EQ(42, original());
    FreePlacedPage(code);
}

// No free memory within 2 GiB of the procedure: the trampoline lies far, the
// procedure gets the absolute jump (14 bytes), and the trampoline jumps back
// the same way. Moved code whose relative call cannot reach from there is
// refused and left as it was.
TEST_F(Hooking, WithNoRoomNearTheProcedureItTakesAnAbsoluteJump) {
    char* range = ReserveRange(8 * kGiB);
    ASSERT_NE(nullptr, range);
    uint8_t* page = CommitCodePage(range + 4 * kGiB);
    ASSERT_NE(nullptr, page);
    // push rbp; mov rbp,rsp; mov eax,1; add eax,2; add eax,3; pop rbp; ret
    const std::vector<uint8_t> sum = {0x55, 0x48, 0x89, 0xE5, 0xB8, 0x01, 0, 0, 0, 0x83,
                                      0xC0, 0x02, 0x83, 0xC0, 0x03, 0x5D, 0xC3};
    std::memcpy(page, sum.data(), sum.size());
    uint8_t* calling = page + 64;
    std::memcpy(calling, kCallingCode.data(), kCallingCode.size());
    auto original = reinterpret_cast<VoidProc>(page);
    ASSERT_EQ(6, original());

    auto trampoline = reinterpret_cast<VoidProc>(HookProcedureEx(page, Code(&HookedCallFirst), "No room"));
    EXPECT_GT(Distance(page, Code(trampoline)), 2 * kGiB);
    const THookedProcedure* entry = FindHookedProcedure(page);
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ(15, entry->Copied);
    const uint8_t absolute[] = {0xFF, 0x25, 0, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(page, absolute, sizeof absolute));
    EXPECT_EQ(0, original());
    EXPECT_EQ(6, trampoline());

    try {
        HookProcedureEx(calling, Code(&HookedCallFirst), "Far call");
        FAIL();
    } catch (const EHookingError& e) {
        EXPECT_STREQ("Cannot hook the procedure \"Far call\".", e.what());
    }
    EXPECT_EQ(0, std::memcmp(calling, kCallingCode.data(), kCallingCode.size()));
    EXPECT_EQ(42, reinterpret_cast<VoidProc>(calling)());

    EXPECT_TRUE(UnhookProcedure(page));
    EXPECT_EQ(0, std::memcmp(page, sum.data(), sum.size()));
    EXPECT_EQ(6, original());
    ReleaseRange(range, 8 * kGiB);
}

#endif  // __x86_64__

}  // namespace
