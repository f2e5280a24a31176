#include <gtest/gtest.h>

#include <vector>

#include "editor/crashreport/support/hooking/AsmSize.h"

namespace {

struct SizeCase {
    std::vector<uint8_t> Code;
    bool Decodable;
    int32_t Size;
    const char* What;
};

TEST(AsmSize, LengthsOfInstructionForms) {
    const SizeCase cases[] = {
        {{0x55}, true, 1, "push ebp"},
        {{0x8B, 0xEC}, true, 2, "mov ebp,esp"},
        {{0x83, 0xEC, 0x10}, true, 3, "sub esp,imm8"},
        {{0x81, 0xEC, 0, 1, 0, 0}, true, 6, "sub esp,imm32"},
        {{0x66, 0x81, 0xEC, 0, 1}, true, 5, "operand-size prefix shortens the immediate"},
        {{0xB8, 7, 0, 0, 0}, true, 5, "mov eax,imm32"},
        {{0x66, 0xB8, 7, 0}, true, 4, "mov ax,imm16"},
        {{0xE8, 0, 0, 0, 0}, true, 5, "call rel32"},
        {{0x8B, 0x44, 0x24, 0x04}, true, 4, "SIB with disp8"},
        {{0x8B, 0x04, 0x25, 0, 0, 0, 0}, true, 7, "SIB with base 5 and disp32"},
        {{0x8B, 0x05, 0, 0, 0, 0}, true, 6, "absolute disp32"},
        {{0x8B, 0x84, 0x24, 0, 1, 0, 0}, true, 7, "SIB with disp32"},
        {{0xF6, 0xC0, 1}, true, 3, "test al,imm8 (reg 0)"},
        {{0xF6, 0xD0}, true, 2, "not al (reg 2): no immediate"},
        {{0xF7, 0xC0, 0, 0, 0, 0}, true, 6, "test eax,imm32"},
        {{0x0F, 0x84, 0, 0, 0, 0}, true, 6, "jz rel32"},
        {{0x0F, 0xBA, 0xE0, 5}, true, 4, "bt eax,imm8"},
        {{0x9A, 0, 0, 0, 0, 0, 0}, true, 7, "far call ptr16:32"},
        {{0x66, 0x9A, 0, 0, 0, 0}, true, 6, "far call ptr16:16 after 0x66"},
        {{0xC2, 0x10, 0}, true, 3, "ret imm16"},
        {{0xC8, 0x10, 0, 0}, true, 4, "enter"},
        {{0x67, 0x8B, 0x46, 0}, true, 4, "16-bit addressing, mod 1"},
        {{0x67, 0x8B, 0x06, 0, 0}, true, 5, "16-bit addressing, rm 6"},
        {{0xF3, 0xA5}, true, 2, "rep movsd"},
        {{0x0F, 0x0B}, false, 1, "ud2 cannot be decoded"},
        {{0x0F, 0xFF}, false, 1, "0F FF cannot be decoded"},
        {{0x66, 0x66}, false, 1, "prefixes only"},
        {{0x8B}, false, 1, "ModRM missing"},
    };
    for (const SizeCase& c : cases) {
        int32_t size = -1;
        EXPECT_EQ(c.Decodable, GetAsmSize(c.Code.data(), static_cast<int32_t>(c.Code.size()), size)) << c.What;
        EXPECT_EQ(c.Size, size) << c.What;
    }
}

// 64-bit code: REX prefixes, wide immediates and addresses, RIP-relative
// operands, and the opcodes that code no longer has.
TEST(AsmSize, LengthsOf64BitInstructionForms) {
    struct Case {
        std::vector<uint8_t> Code;
        bool Decodable;
        int32_t Size;
        int32_t Rip;
        const char* What;
    } cases[] = {
        {{0x48, 0x89, 0xE5}, true, 3, -1, "mov rbp,rsp"},
        {{0x48, 0xB8, 1, 2, 3, 4, 5, 6, 7, 8}, true, 10, -1, "mov rax,imm64"},
        {{0x41, 0xB8, 1, 0, 0, 0}, true, 6, -1, "mov r8d,imm32: REX without W"},
        {{0x48, 0xC7, 0xC0, 1, 0, 0, 0}, true, 7, -1, "mov rax,imm32 sign-extended"},
        {{0x66, 0x48, 0x81, 0xC0, 1, 0, 0, 0}, true, 8, -1, "REX.W outweighs 0x66"},
        {{0x8B, 0x05, 0x10, 0, 0, 0}, true, 6, 2, "mov eax,[rip+disp32]"},
        {{0x48, 0x8D, 0x0D, 0, 0, 0, 0}, true, 7, 3, "lea rcx,[rip+disp32]"},
        {{0xC7, 0x05, 0, 0, 0, 0, 1, 0, 0, 0}, true, 10, 2, "mov [rip+disp32],imm32"},
        {{0x8B, 0x04, 0x25, 0, 0, 0, 0}, true, 7, -1, "SIB with base 5: absolute, not RIP-relative"},
        {{0x48, 0xA1, 1, 2, 3, 4, 5, 6, 7, 8}, true, 10, -1, "mov rax,moffs64"},
        {{0x67, 0xA1, 1, 2, 3, 4}, true, 6, -1, "moffs32 after 0x67"},
        {{0xFF, 0x25, 0, 0, 0, 0}, true, 6, 2, "jmp [rip+disp32]"},
        {{0xC5, 0xF8, 0x77}, false, 1, -1, "vector encoding"},
        {{0x06}, false, 1, -1, "push es: gone in 64-bit code"},
        {{0x48}, false, 1, -1, "REX only"},
    };
    for (const Case& c : cases) {
        const TAsmInstruction ins = DecodeAsm(c.Code.data(), static_cast<int32_t>(c.Code.size()), TCodeWidth::Bits64);
        EXPECT_EQ(c.Decodable, ins.Decoded) << c.What;
        EXPECT_EQ(c.Size, ins.Size) << c.What;
        EXPECT_EQ(c.Rip, ins.RipDisplacement) << c.What;
    }
    // The same bytes as 32-bit code: 0x48 is an instruction of its own.
    const uint8_t wide[] = {0x48, 0xB8, 1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(1, DecodeAsm(wide, sizeof(wide), TCodeWidth::Bits32).Size);
    EXPECT_EQ(-1, DecodeAsm(wide + 1, 6, TCodeWidth::Bits32).RipDisplacement);
}

TEST(AsmSize, FunctionSizeStopsAtTheFirstReturn) {
    const uint8_t frame[] = {0x55, 0x8B, 0xEC, 0x5D, 0xC3, 0x90, 0xC3};
    EXPECT_EQ(5, GetFunctionSize(frame, sizeof(frame), 100000));
    EXPECT_EQ(0, GetFunctionSize(frame, sizeof(frame), 0));
    // Not met before the maximum: 1.
    EXPECT_EQ(1, GetFunctionSize(frame, sizeof(frame), 4));
    // The readable bytes end before any return: 1.
    EXPECT_EQ(1, GetFunctionSize(frame, 4, 100));
    // A return with a prefix counts by its opcode.
    const uint8_t repRet[] = {0x55, 0xF3, 0xC3};
    EXPECT_EQ(3, GetFunctionSize(repRet, sizeof(repRet), 10));
    // mov dword [ebp-4], 0 is 7 bytes long, and its opcode C7 lies in the
    // end-of-function set C2 to CB: the walk ends with it, before the ret.
    const uint8_t store[] = {0xC7, 0x45, 0xFC, 0x00, 0x00, 0x00, 0x00, 0xC3};
    int32_t size = 0;
    EXPECT_TRUE(GetAsmSize(store, sizeof(store), size));
    EXPECT_EQ(7, size);
    EXPECT_EQ(7, GetFunctionSize(store, sizeof(store), 100));
    // ret imm16 is counted whole.
    const uint8_t retN[] = {0x90, 0xC2, 0x08, 0x00};
    EXPECT_EQ(4, GetFunctionSize(retN, sizeof(retN), 2));
}

}  // namespace
