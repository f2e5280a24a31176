#include "editor/crashreport/support/hooking/AsmSize.h"

namespace {

// One hexadecimal digit per opcode. E: a ModRM byte follows; F: cannot be
// decoded; 0..6: that many bytes of immediate or displacement follow;
// B: an operand-size value (4 bytes, 2 after 0x66); D: 6 bytes, 4 after 0x66.
const char* const kOneByte[16] = {
    "EEEE1B00EEEE1B0F", "EEEE1B00EEEE1B00", "EEEE1BF0EEEE1BF0", "EEEE1BF0EEEE1BF0",
    "0000000000000000", "0000000000000000", "00EEFFFFBE1E0000", "1111111111111111",
    "EEEEEEEEEEEEEEEE", "0000000000D00000", "444400001B000000", "11111111BBBBBBBB",
    "EE20EEEE30200100", "EEEE1100EEEEEEEE", "11111111BBD10000", "F0FF00EE000000EE",
};
const char* const kTwoByte[16] = {
    "EEEEF00000FFFE0F", "EEEEEEEEEFFFFFFF", "EEEEFFFFEEEEEEEE", "000000FFFFFFFFFF",
    "EEEEEEEEEEEEEEEE", "EEEEEEEEEEEEEEEE", "EEEEEEEEEEEEFFEE", "EEEEEEE0FFFFFFEE",
    "BBBBBBBBBBBBBBBB", "EEEEEEEEEEEEEEEE", "000EEEEE000EEEEE", "EEEEEEEEFFEEEEEE",
    "EEEEEEEE00000000", "FEEEEEFEEEEEEEEE", "EEEEEEFEEEEEEEEE", "FEEEEEEEEEEEEEEF",
};

int Digit(const char* const table[16], uint8_t opcode) {
    char c = table[opcode >> 4][opcode & 15];
    return c <= '9' ? c - '0' : c - 'A' + 10;
}

bool IsPrefix(uint8_t b) {
    switch (b) {
    case 0x26: case 0x2E: case 0x36: case 0x3E: case 0x64: case 0x65:
    case 0x66: case 0x67: case 0xF0: case 0xF2: case 0xF3:
        return true;
    default:
        return false;
    }
}

// An instruction is at most 15 bytes; more prefixes than that is no code.
constexpr int32_t kMaxPrefixes = 14;

}  // namespace

namespace {

bool IsRex(uint8_t b, TCodeWidth width) { return width == TCodeWidth::Bits64 && (b & 0xF0) == 0x40; }

// One-byte opcodes that 64-bit code no longer has (0xC4, 0xC5 and 0x62 begin
// vector encodings there, which these tables do not measure).
bool InvalidIn64Bit(uint8_t opcode) {
    switch (opcode) {
    case 0x06: case 0x07: case 0x0E: case 0x16: case 0x17: case 0x1E: case 0x1F: case 0x27:
    case 0x2F: case 0x37: case 0x3F: case 0x60: case 0x61: case 0x62: case 0x82: case 0x9A:
    case 0xC4: case 0xC5: case 0xCE: case 0xD4: case 0xD5: case 0xEA:
        return true;
    default:
        return false;
    }
}

}  // namespace

TAsmInstruction DecodeAsm(const uint8_t* code, int32_t available, TCodeWidth width) {
    TAsmInstruction ins;
    const bool long64 = width == TCodeWidth::Bits64;
    bool operand16 = false, address16 = false, rexW = false;
    int32_t prefixes = 0;
    while (prefixes < available && prefixes < kMaxPrefixes &&
           (IsPrefix(code[prefixes]) || IsRex(code[prefixes], width))) {
        const uint8_t b = code[prefixes++];
        operand16 = operand16 || b == 0x66;
        address16 = address16 || b == 0x67;
        // A REX prefix counts only right before the opcode.
        rexW = IsRex(b, width) && (b & 8) != 0;
    }
    ins.Prefixes = prefixes;
    if (prefixes >= available)
        return ins;
    int32_t at = prefixes;
    if (code[at] == 0x0F) {
        ins.TwoByte = true;
        if (++at >= available)
            return ins;
    }
    const uint8_t opcode = code[at];
    ins.Opcode = opcode;
    const bool twoByte = ins.TwoByte;
    const int32_t opcodeBytes = twoByte ? 2 : 1;
    const int digit = Digit(twoByte ? kTwoByte : kOneByte, opcode);
    if (digit == 0xF || (long64 && !twoByte && InvalidIn64Bit(opcode)))
        return ins;
    int32_t length = 0;
    if (digit < 0xE) {
        int32_t extra = digit;
        if (digit > 6)
            extra = operand16 && !rexW ? digit - 9 : digit - 7;
        if (long64 && !twoByte) {
            // moffs operands are addresses: 8 bytes, 4 with 0x67.
            if (opcode >= 0xA0 && opcode <= 0xA3)
                extra = address16 ? 4 : 8;
            // mov r64, imm64
            if (opcode >= 0xB8 && opcode <= 0xBF && rexW)
                extra = 8;
        }
        length = opcodeBytes + extra;
    } else {
        const int32_t modrmAt = prefixes + opcodeBytes;
        if (modrmAt >= available)
            return ins;
        const uint8_t modrm = code[modrmAt];
        const int mod = modrm >> 6, reg = (modrm >> 3) & 7, rm = modrm & 7;
        int32_t modrmSize = 0;
        // 0x67 in 64-bit code selects 32-bit addressing, which measures alike.
        if (!address16 || long64) {
            const bool sib = rm == 4;
            switch (mod) {
            case 0:
                if (sib) {
                    if (modrmAt + 1 >= available)
                        return ins;
                    modrmSize = (code[modrmAt + 1] & 7) == 5 ? 5 : 1;
                } else {
                    modrmSize = rm == 5 ? 4 : 0;
                    if (rm == 5 && long64)
                        ins.RipDisplacement = modrmAt + 1;
                }
                break;
            case 1: modrmSize = sib ? 2 : 1; break;
            case 2: modrmSize = sib ? 5 : 4; break;
            default: modrmSize = 0; break;
            }
        } else {
            switch (mod) {
            case 0: modrmSize = rm == 6 ? 2 : 0; break;
            case 1: modrmSize = 1; break;
            case 2: modrmSize = 2; break;
            default: modrmSize = 0; break;
            }
        }
        const int32_t operandSize = operand16 && !rexW ? 2 : 4;
        int32_t immediate = 0;
        if (!twoByte) {
            switch (opcode) {
            case 0x6B: case 0x80: case 0x82: case 0x83: case 0xC0: case 0xC1: case 0xC6:
                immediate = 1;
                break;
            case 0xF6:
                immediate = reg == 0 ? 1 : 0;
                break;
            case 0x69: case 0x81: case 0xC7:
                immediate = operandSize;
                break;
            case 0xF7:
                immediate = reg == 0 ? operandSize : 0;
                break;
            default:
                break;
            }
        } else {
            switch (opcode) {
            case 0x70: case 0x71: case 0x72: case 0x73: case 0xA4: case 0xAC:
            case 0xBA: case 0xC2: case 0xC4: case 0xC5: case 0xC6:
                immediate = 1;
                break;
            default:
                break;
            }
        }
        length = opcodeBytes + 1 + modrmSize + immediate;
    }
    ins.Decoded = true;
    ins.Size = length + prefixes;
    return ins;
}

int GetAsmOpcode(const uint8_t* code, int32_t available, bool& twoByte, int32_t& prefixes) {
    const TAsmInstruction ins = DecodeAsm(code, available, TCodeWidth::Bits32);
    twoByte = ins.TwoByte;
    prefixes = ins.Prefixes;
    return ins.Opcode;
}

bool GetAsmSize(const uint8_t* code, int32_t available, int32_t& size) {
    const TAsmInstruction ins = DecodeAsm(code, available, TCodeWidth::Bits32);
    size = ins.Size;
    return ins.Decoded;
}

int32_t GetFunctionSize(const uint8_t* code, int32_t available, int32_t maximum) {
    if (maximum <= 0)
        return 0;
    int32_t at = 0;
    while (at < maximum && at < available) {
        bool twoByte = false;
        int32_t prefixes = 0;
        const int opcode = GetAsmOpcode(code + at, available - at, twoByte, prefixes);
        if (opcode < 0)
            return 1;
        int32_t size = 1;
        GetAsmSize(code + at, available - at, size);
        if (!twoByte && opcode >= 0xC2 && opcode <= 0xCB) {
            const int64_t end = static_cast<int64_t>(at) + size;
            return end <= available ? static_cast<int32_t>(end) : 1;
        }
        at += size;
    }
    return 1;
}
