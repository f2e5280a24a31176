#include "editor/crashreport/support/AsmSize.h"

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

int GetAsmOpcode(const uint8_t* code, int32_t available, bool& twoByte, int32_t& prefixes) {
    prefixes = 0;
    twoByte = false;
    while (prefixes < available && prefixes < kMaxPrefixes && IsPrefix(code[prefixes]))
        ++prefixes;
    if (prefixes >= available)
        return -1;
    int32_t at = prefixes;
    if (code[at] == 0x0F) {
        twoByte = true;
        if (++at >= available)
            return -1;
    }
    return code[at];
}

bool GetAsmSize(const uint8_t* code, int32_t available, int32_t& size) {
    size = 1;
    bool twoByte = false;
    int32_t prefixes = 0;
    int opcode = GetAsmOpcode(code, available, twoByte, prefixes);
    if (opcode < 0)
        return false;
    bool operand16 = false, address16 = false;
    for (int32_t i = 0; i < prefixes; ++i) {
        operand16 = operand16 || code[i] == 0x66;
        address16 = address16 || code[i] == 0x67;
    }
    const int32_t opcodeBytes = twoByte ? 2 : 1;
    const int digit = Digit(twoByte ? kTwoByte : kOneByte, static_cast<uint8_t>(opcode));
    int32_t length = 0;
    if (digit == 0xF)
        return false;
    if (digit < 0xE) {
        int32_t extra = digit;
        if (digit > 6)
            extra = operand16 ? digit - 9 : digit - 7;
        length = opcodeBytes + extra;
    } else {
        const int32_t modrmAt = prefixes + opcodeBytes;
        if (modrmAt >= available)
            return false;
        const uint8_t modrm = code[modrmAt];
        const int mod = modrm >> 6, reg = (modrm >> 3) & 7, rm = modrm & 7;
        int32_t modrmSize = 0;
        if (!address16) {
            const bool sib = rm == 4;
            switch (mod) {
            case 0:
                if (sib) {
                    if (modrmAt + 1 >= available)
                        return false;
                    modrmSize = (code[modrmAt + 1] & 7) == 5 ? 5 : 1;
                } else {
                    modrmSize = rm == 5 ? 4 : 0;
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
        const int32_t operandSize = operand16 ? 2 : 4;
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
    size = length + prefixes;
    return true;
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
