#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/crashreport/support/disasm/DisAsm.h"
#include "editor/crashreport/support/disasm/DisAsmTables.h"

namespace {

constexpr uint32_t Base = 0x401000;

struct Decoded {
    std::string text;
    int32_t size = 0;
};

// Decodes bytes at Base, with zero bytes of slack behind them.
Decoded Decode(TDisAsm& disasm, std::vector<uint8_t> bytes, uint32_t address = Base) {
    bytes.resize(bytes.size() + TDisAsm::MaxInstructionSize, 0);
    Decoded d;
    d.text = disasm.GetInstruction(bytes.data(), address, d.size);
    return d;
}

Decoded Decode(std::vector<uint8_t> bytes) {
    TDisAsm disasm;
    return Decode(disasm, std::move(bytes));
}

struct Case {
    std::vector<uint8_t> bytes;
    const char* text;
    int32_t size;
};

void CheckCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        const Decoded d = Decode(c.bytes);
        std::string hex;
        for (uint8_t b : c.bytes)
            hex += "0123456789ABCDEF"[b >> 4], hex += "0123456789ABCDEF"[b & 15], hex += ' ';
        EXPECT_EQ(d.text, c.text) << hex;
        EXPECT_EQ(d.size, c.size) << hex;
    }
}

} // namespace

TEST(DisAsm, EdgeCases) {
    CheckCases({
        {{0xC3}, "ret", 1},
        {{0xE8, 0x10, 0x00, 0x00, 0x00}, "call    +$00000010", 5},
        {{0xE8, 0xF0, 0xFF, 0xFF, 0xFF}, "call    -$00000010", 5},
        // A segment prefix belongs to the instruction it precedes.
        {{0x64, 0x8B, 0x05, 0x00, 0x00, 0x00, 0x00}, "mov     eax, fs:[$0000]", 7},
        // rep is a line of its own; movsd comes from the next call.
        {{0xF3, 0xA5}, "rep", 1},
        {{0xA5}, "movsd", 1},
        {{0x0F, 0xB6, 0x01}, "movzx   eax, byte ptr [ecx]", 3},
        {{0xD6}, "DB      $D6  //", 1},
    });
}

TEST(DisAsm, OperandSizeSuffixesAndPrefixes) {
    CheckCases({
        {{0x98}, "cwde", 1},
        {{0x66, 0x98}, "cbw", 2},
        {{0x99}, "cdq", 1},
        {{0x66, 0x99}, "cwd", 2},
        {{0x66, 0xA5}, "movsw", 2},
        {{0xAB}, "stosd", 1},
        {{0x66, 0xAB}, "stosw", 2},
        {{0x9C}, "pushfd", 1},
        {{0x60}, "pushad", 1},
        {{0x66, 0x40}, "inc     ax", 2},
        {{0x66, 0xB8, 0x34, 0x12}, "mov     ax, $1234", 4},
        {{0x66, 0x89, 0x45, 0xF0}, "mov     [ebp-$10], ax", 4},
        {{0xF0}, "lock", 1},
        {{0x0F, 0xC1, 0x01}, "xadd    [ecx], eax", 3},
        {{0x2E, 0x8B, 0x00}, "mov     eax, cs:[eax]", 3},
        {{0x8C, 0xD8}, "mov     ax, ds", 2},
        {{0x8E, 0xD8}, "mov     ds, ax", 2},
        {{0x0F, 0x20, 0xC0}, "mov     eax, C0", 3},
    });
}

// Size keywords: none when a register operand tells the size, one for an
// immediate into memory and for memory operands of other than 4 bytes.
TEST(DisAsm, MemoryOperandsAndSizeKeywords) {
    CheckCases({
        {{0x89, 0x45, 0xF8}, "mov     [ebp-$08], eax", 3},
        {{0x8B, 0x45, 0x08}, "mov     eax, [ebp+$08]", 3},
        {{0x88, 0x08}, "mov     [eax], cl", 2},
        {{0x8A, 0x08}, "mov     cl, byte ptr [eax]", 2},
        {{0xC7, 0x00, 0x01, 0x00, 0x00, 0x00}, "mov     dword ptr [eax], $00000001", 6},
        {{0xC6, 0x00, 0x05}, "mov     byte ptr [eax], $05", 3},
        {{0x80, 0x00, 0x01}, "add     byte ptr [eax], $01", 3},
        {{0x8D, 0x04, 0x85, 0x40, 0x40, 0x40, 0x00}, "lea     eax, [$404040+eax*4]", 7},
        {{0x8B, 0x44, 0x8B, 0x10}, "mov     eax, [ebx+ecx*4+$10]", 4},
        {{0x8B, 0x04, 0x24}, "mov     eax, [esp]", 3},
        {{0x8B, 0x84, 0x24, 0x00, 0x01, 0x00, 0x00}, "mov     eax, [esp+$0100]", 7},
        {{0x8B, 0x85, 0xF0, 0xFE, 0xFF, 0xFF}, "mov     eax, [ebp+$FFFFFEF0]", 6},
        {{0x8B, 0x05, 0x74, 0x30, 0x45, 0x00}, "mov     eax, [$453074]", 6},
        {{0x8B, 0x44, 0x25, 0x00}, "mov     eax, [ebp+$00]", 4},
        {{0x8D, 0xB4, 0x26, 0x00, 0x00, 0x00, 0x00}, "lea     esi, [esi+$0000]", 7},
        {{0xFF, 0x15, 0x00, 0x10, 0x40, 0x00}, "call    dword ptr [$401000]", 6},
        {{0xFF, 0x24, 0x85, 0xB0, 0xF5, 0x42, 0x00}, "jmp     dword ptr [$42F5B0+eax*4]", 7},
        {{0xFF, 0x30}, "push    dword ptr [eax]", 2},
        {{0xFF, 0xE0}, "jmp     eax", 2},
        {{0xFE, 0x00}, "inc     byte ptr [eax]", 2},
        {{0x0F, 0xB7, 0x01}, "movzx   eax, word ptr [ecx]", 3},
        {{0x0F, 0xBE, 0xC1}, "movsx   eax, cl", 3},
        // 16-bit addressing after an address-size prefix.
        {{0x67, 0x8B, 0x00}, "mov     eax, [bx+si]", 3},
        {{0x67, 0x8B, 0x46, 0x10}, "mov     eax, [bp+$10]", 4},
        {{0x67, 0x8B, 0x06, 0x34, 0x12}, "mov     eax, [$1234]", 5},
        {{0x67, 0x8B, 0x80, 0x34, 0x12}, "mov     eax, [bx+si+$1234]", 5},
    });
}

TEST(DisAsm, ImmediatesGroupsAndTargets) {
    CheckCases({
        {{0x83, 0xEC, 0x1C}, "sub     esp, +$1C", 3},
        {{0x83, 0xE4, 0xF0}, "and     esp, -$10", 3},
        {{0x81, 0xC4, 0x00, 0x01, 0x00, 0x00}, "add     esp, $00000100", 6},
        {{0x05, 0x80, 0x00, 0x00, 0x00}, "add     eax, +$00000080", 5},
        {{0x3C, 0xFF}, "cmp     al, -$01", 2},
        {{0xA8, 0x01}, "test    al, $01", 2},
        {{0x6A, 0xFF}, "push    -$01", 2},
        {{0x68, 0x00, 0x10, 0x40, 0x00}, "push    $00401000", 5},
        {{0xC2, 0x04, 0x00}, "ret     $0004", 3},
        {{0xC8, 0x10, 0x00, 0x00}, "enter   $0010, $00", 4},
        {{0x6B, 0xC0, 0x0C}, "imul    eax, eax, +$0C", 3},
        {{0x69, 0xC0, 0x00, 0x01, 0x00, 0x00}, "imul    eax, eax, $00000100", 6},
        {{0x0F, 0xAF, 0xC1}, "imul    eax, ecx", 3},
        {{0xF6, 0xC1, 0x01}, "test    cl, $01", 3},
        {{0xF7, 0xD8}, "neg     eax", 2},
        {{0xF7, 0x20}, "mul     dword ptr [eax]", 2},
        {{0xD1, 0xE0}, "shl     eax, 1", 2},
        {{0xD3, 0xF8}, "sar     eax, cl", 2},
        {{0xC1, 0xE0, 0x04}, "shl     eax, $04", 3},
        {{0x0F, 0xA4, 0xC2, 0x03}, "shld    edx, eax, $03", 4},
        {{0x0F, 0xBA, 0xE0, 0x1F}, "bt      eax, $1F", 4},
        {{0x0F, 0xC7, 0x0E}, "cmpxchg8b qword ptr [esi]", 3},
        {{0x0F, 0x94, 0xC0}, "setz    al", 3},
        {{0x0F, 0x44, 0xC1}, "cmovz   eax, ecx", 3},
        {{0x74, 0xFE}, "jz      -$02", 2},
        {{0x7F, 0x10}, "jnle    +$10", 2},
        {{0x0F, 0x83, 0x00, 0x01, 0x00, 0x00}, "jnb     +$00000100", 6},
        {{0xEB, 0x00}, "jmp     +$00", 2},
        {{0xE9, 0xFB, 0xFF, 0xFF, 0xFF}, "jmp     -$00000005", 5},
        {{0xE3, 0x02}, "jecxz   +$02", 2},
        {{0x9A, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66}, "call    $6655:$44332211", 7},
        {{0xCC}, "int     3", 1},
    });
}

TEST(DisAsm, X87) {
    CheckCases({
        {{0xD9, 0x45, 0x08}, "fld     dword ptr [ebp+$08]", 3},
        {{0xDD, 0x1C, 0x24}, "fstp    qword ptr [esp]", 3},
        {{0xDB, 0x7D, 0xF0}, "fstp    tbyte ptr [ebp-$10]", 3},
        {{0xDF, 0x6D, 0xF0}, "fild    qword ptr [ebp-$10]", 3},
        {{0xDE, 0x0C, 0x24}, "fimul   word ptr [esp]", 3},
        {{0xD9, 0x7D, 0xFE}, "fnstcw  word ptr [ebp-$02]", 3},
        {{0xD9, 0x30}, "fnstenv [eax]", 2},
        {{0xD8, 0xC1}, "fadd    st(0), st(1)", 2},
        {{0xDC, 0xE9}, "fsub    st(1), st(0)", 2},
        {{0xDE, 0xC9}, "fmulp   st(1), st(0)", 2},
        {{0xD9, 0xC9}, "fxch    st(1)", 2},
        {{0xDF, 0xE9}, "fucomip st(0), st(1)", 2},
        {{0xD9, 0xE8}, "fld1", 2},
        {{0xD9, 0xEE}, "fldz", 2},
        {{0xDF, 0xE0}, "fnstsw  ax", 2},
        {{0xDE, 0xD9}, "fcompp", 2},
        {{0xD9, 0xD8}, "DB      $D9, $D8  //", 2},
    });
}

// MMX and SSE instructions print as data bytes with the instruction as a
// comment, their size counting every byte of the encoding.
TEST(DisAsm, DataByteLines) {
    CheckCases({
        {{0x0F, 0x6F, 0xC1}, "DB      $0F, $6F, $C1  //movq    MM0, MM1", 3},
        {{0x66, 0x0F, 0xEF, 0xC0}, "DB      $66, $0F, $EF, $C0  //pxor    XMM0, XMM0", 4},
        {{0x0F, 0x11, 0x45, 0xF0}, "DB      $0F, $11, $45, $F0  //movups  [ebp-$10], XMM0", 4},
        {{0x0F, 0x72, 0xD0, 0x04}, "DB      $0F, $72, $D0, $04  //psrld   MM0, $04", 4},
        {{0xC4, 0x00}, "DB      $C4, $00  //les     eax, [eax]", 2},
        {{0x0F, 0x04}, "DB      $0F, $04  //", 2},
        // VEX and EVEX (C4, C5, 62 before a register-form byte).
        {{0xC5, 0xF8, 0x77}, "DB      $C5, $F8, $77  //vzeroupper", 3},
        {{0xC5, 0xF8, 0x10, 0xC1}, "DB      $C5, $F8, $10, $C1  //vmovups  XMM0, XMM1", 4},
        {{0xC4, 0xE3, 0x79, 0x0F, 0x44, 0x24, 0x08, 0x04},
         "DB      $C4, $E3, $79, $0F, $44, $24, $08, $04  //vop3a    XMM0, xmmword ptr [esp+$08], $04", 8},
        {{0x62, 0xF1, 0x7C, 0x48, 0x10, 0x40, 0x01},
         "DB      $62, $F1, $7C, $48, $10, $40, $01  //vmovups  XMM0, xmmword ptr [eax+$01]", 7},
        {{0xC5, 0x00}, "DB      $C5, $00  //lds     eax, [eax]", 2},
        {{0x62, 0x00}, "bound   eax, qword ptr [eax]", 2},
    });
}

// Sound behaviour where a naive decoder goes wrong.
TEST(DisAsm, MendedCases) {
    // At most 15 bytes for one instruction, however many prefixes come.
    std::vector<uint8_t> fourteen(14, 0x66);
    fourteen.push_back(0x90);
    CheckCases({{fourteen, "nop", 15}});
    std::vector<uint8_t> sixteen(16, 0x66);
    sixteen.push_back(0x90);
    const Decoded tooLong = Decode(sixteen);
    EXPECT_EQ(tooLong.size, 15);
    std::string expected = "DB      $66";
    for (int i = 1; i < 15; ++i)
        expected += ", $66";
    EXPECT_EQ(tooLong.text, expected + "  //");

    CheckCases({
        // A size or segment prefix before rep or lock stays with the
        // instruction (assemblers write rep movsw as 66 F3 A5).
        {{0x66, 0xF3, 0xA5}, "rep movsw", 3},
        {{0x66, 0xF0, 0x0F, 0xB1, 0x0A}, "lock cmpxchg [edx], cx", 5},
        {{0x2E, 0xF2, 0xA6}, "repne cmpsb", 3},
        {{0x66, 0xF3, 0x0F, 0x10, 0xC1}, "DB      $66, $F3, $0F, $10, $C1  //rep movups  XMM0, XMM1", 5},
        // ud2 and the hint and multi-byte nop forms are instructions.
        {{0x0F, 0x0B}, "ud2", 2},
        {{0x0F, 0x1F, 0x00}, "nop     dword ptr [eax]", 3},
        {{0x0F, 0x1F, 0x44, 0x00, 0x00}, "nop     dword ptr [eax+eax+$00]", 5},
        {{0x66, 0x0F, 0x1F, 0x44, 0x00, 0x00}, "nop     word ptr [eax+eax+$00]", 6},
        {{0x0F, 0x1F, 0x80, 0x00, 0x00, 0x00, 0x00}, "nop     dword ptr [eax+$0000]", 7},
        {{0x66, 0x2E, 0x0F, 0x1F, 0x84, 0x00, 0x00, 0x00, 0x00, 0x00},
         "nop     word ptr cs:[eax+eax+$0000]", 10},
        {{0x0F, 0x18, 0x00}, "prefetchnta byte ptr [eax]", 3},
        {{0x0F, 0x18, 0x4B, 0x10}, "prefetcht0 byte ptr [ebx+$10]", 4},
        {{0x0F, 0x1E, 0xFB}, "nop     ebx", 3},
        // The direct-offset forms follow the address size and a segment prefix.
        {{0xA1, 0x78, 0x56, 0x34, 0x12}, "mov     eax, dword ptr [$12345678]", 5},
        {{0x67, 0xA1, 0x34, 0x12}, "mov     eax, dword ptr [$1234]", 4},
        {{0x67, 0xA2, 0x34, 0x12}, "mov     byte ptr [$1234], al", 4},
        {{0x64, 0xA1, 0x18, 0x00, 0x00, 0x00}, "mov     eax, dword ptr fs:[$0018]", 6},
    });
}

TEST(DisAsm, TemplateEntriesNamedAsGiven) {
    using namespace disasm_tables;
    const std::pair<int, const char*> oneByte[] = {
        {0x0F, "@c2"}, {0x26, "@pe"}, {0x2E, "@pc"}, {0x36, "@ps"}, {0x3E, "@pd"}, {0x64, "@pf"},
        {0x65, "@pg"}, {0x66, "@so"}, {0x67, "@sa"}, {0x80, "@ga#Eb , #Ib "}, {0x83, "@ga#Ev , #Hb "},
        {0x98, "c@o2@o4@e "}, {0x99, "c@o4@o8"}, {0xE8, "call    #Jvc"}, {0xE9, "jmp     #Jvj"},
        {0xEB, "jmp     #Jbj"}, {0xF0, "lock"}, {0xF2, "repne"}, {0xF3, "rep"}, {0xF6, "@gc#Eb @h1"},
        {0xFF, "@ge@h4"}, {0xD8, "@ca"}, {0xDB, "@cd"}, {0xDF, "@ch"}};
    for (const auto& [opcode, text] : oneByte)
        EXPECT_STREQ(OneByte[opcode], text) << opcode;
    EXPECT_STREQ(TwoByte[0xB6], "movzx   #Gv , @m #Eb ");
}

TEST(DisAsm, CallAndJumpTargetsGoThroughTheirCallbacks) {
    TDisAsm disasm;
    disasm.UserValue = 77;
    std::vector<std::string> seen;
    disasm.OnCallTarget = [&](uint32_t user, uint32_t field, uint32_t target, std::string& text) {
        seen.push_back("call " + std::to_string(user) + " " + std::to_string(field - Base) + " " +
                       std::to_string(target - Base) + " " + text);
        text = "TMainForm.Open1Click";
    };
    disasm.OnJumpTarget = [&](uint32_t, uint32_t field, uint32_t target, std::string& text) {
        seen.push_back("jump " + std::to_string(field - Base) + " " + std::to_string(target));
        text = "@@1";
    };
    EXPECT_EQ(Decode(disasm, {0xE8, 0x10, 0x00, 0x00, 0x00}).text, "call    TMainForm.Open1Click");
    EXPECT_EQ(Decode(disasm, {0x74, 0xFE}).text, "jz      @@1");
    EXPECT_EQ(Decode(disasm, {0x66, 0x0F, 0x85, 0x00, 0x01}).text, "jnz     @@1");
    EXPECT_EQ(Decode(disasm, {0xEB, 0x05}).text, "jmp     @@1");
    // An indirect call has no target.
    EXPECT_EQ(Decode(disasm, {0xFF, 0xD0}).text, "call    eax");
    // A 16-bit jump cuts the target to 16 bits, as the processor does.
    const std::vector<std::string> expected = {"call 77 1 21 +$00000010", "jump 1 4198400", "jump 3 4357",
                                               "jump 1 4198407"};
    EXPECT_EQ(seen, expected);
}

TEST(DisAsm, CallbackTextsComeOutAsTheyAre) {
    TDisAsm disasm;
    // Template characters and a length past 255 must not be expanded or cut.
    const std::string name = "Weird#Ev @so %c ^\x03@ga%s4:" + std::string(300, 'x');
    disasm.OnCallTarget = [&](uint32_t, uint32_t, uint32_t, std::string& text) { text = name; };
    disasm.OnAddress = [&](uint32_t, uint32_t, uint32_t, std::string& text) { text = name; };
    Decoded d = Decode(disasm, {0xE8, 0x10, 0x00, 0x00, 0x00});
    EXPECT_EQ(d.text, "call    " + name);
    EXPECT_EQ(d.size, 5);
    d = Decode(disasm, {0xC7, 0x05, 0x00, 0x10, 0x40, 0x00, 0x01, 0x00, 0x00, 0x00});
    EXPECT_EQ(d.text, "mov     dword ptr [" + name + "], $00000001");
    EXPECT_EQ(d.size, 10);
}

TEST(DisAsm, AddressesImmediatesAndMemoryOperandsReachTheirCallbacks) {
    TDisAsm disasm;
    disasm.UserValue = 5;
    std::vector<std::string> seen;
    disasm.OnAddress = [&](uint32_t user, uint32_t field, uint32_t value, std::string& text) {
        seen.push_back("address " + std::to_string(user) + " " + std::to_string(field - Base) + " " +
                       std::to_string(value) + " " + text);
        if (value == 0x453074)
            text = "DataFile";
    };
    disasm.OnImmediate = [&](uint32_t, uint32_t field, int32_t size, std::string& text, bool isSigned) {
        seen.push_back("immediate " + std::to_string(field - Base) + " " + std::to_string(size) + " " + text +
                       (isSigned ? " signed" : ""));
    };
    disasm.OnMemoryOperand = [&](uint32_t, const TOperandRegisters& r, int32_t size, std::string& text) {
        seen.push_back("memory " + std::to_string(r.Scale) + " " + std::to_string(r.IndexRegister) + " " +
                       std::to_string(r.BaseRegisterUsed) + " " + std::to_string(r.BaseRegister) + " " +
                       std::to_string(r.Displacement) + " " + std::to_string(size) + " " + text);
        if (r.BaseRegister == rEbx)
            text += " {Items}";
    };

    EXPECT_EQ(Decode(disasm, {0x8B, 0x44, 0x8B, 0x10}).text, "mov     eax, [ebx+ecx*4+$10] {Items}");
    EXPECT_EQ(Decode(disasm, {0xC7, 0x05, 0x74, 0x30, 0x45, 0x00, 0x01, 0x00, 0x00, 0x00}).text,
              "mov     dword ptr [DataFile], $00000001");
    EXPECT_EQ(Decode(disasm, {0x83, 0x6D, 0xFC, 0xFF}).text, "sub     dword ptr [ebp-$04], -$01");
    EXPECT_EQ(Decode(disasm, {0x8B, 0x85, 0xF0, 0xFE, 0xFF, 0xFF}).text, "mov     eax, [ebp+$FFFFFEF0]");
    const std::vector<std::string> expected = {
        "memory 4 1 1 3 16 4 [ebx+ecx*4+$10]",
        "address 5 2 4534388 $453074",
        "memory 0 0 0 0 4534388 4 [DataFile]",
        "immediate 6 4 $00000001",
        "memory 0 0 1 5 4294967292 4 [ebp-$04]",
        "immediate 3 1 -$01 signed",
        "address 5 2 4294967024 $FFFFFEF0",
        "memory 0 0 1 5 4294967024 4 [ebp+$FFFFFEF0]",
    };
    EXPECT_EQ(seen, expected);
}

// Without an explicit address the code runs where it stands: call targets
// are reckoned from the pointer itself.
TEST(DisAsm, CodeAtItsOwnAddress) {
    const uint8_t code[5 + TDisAsm::MaxInstructionSize] = {0xE8, 0x00, 0x00, 0x00, 0x00};
    TDisAsm disasm;
    uint32_t target = 0;
    disasm.OnCallTarget = [&](uint32_t, uint32_t, uint32_t t, std::string&) { target = t; };
    int32_t size = -1;
    disasm.GetInstruction(code, size);
    EXPECT_EQ(size, 5);
    EXPECT_EQ(target, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(code)) + 5);
}
