// The disassembler expands instruction templates (DisAsmTables.cpp) token by
// token. An expansion that inserts another template ("@c2", "@ga", "@so"...)
// is expanded in place before the rest of the text, as if inserted there;
// operand tokens and size codes produce final text only.
//
// Operand texts, and whatever a callback returns, are kept apart from the
// template text so that nothing in them is expanded or rewritten later: a
// symbol name may hold "#", "@" or "%" and any length.
//
// The size keyword ("dword ptr ") of a memory operand is decided at the end:
// a register operand (G, P, Q...) clears the flag, "@m" and a memory operand
// of a size other than 4 set it again, so "mov [eax], ecx" carries none and
// "mov dword ptr [eax], $00000001" does.
#include "editor/crashreport/support/disasm/DisAsm.h"

#include <vector>

#include "editor/crashreport/support/disasm/DisAsmTables.h"

namespace {

const char* const Reg8[8] = {"al", "cl", "dl", "bl", "ah", "ch", "dh", "bh"};
const char* const Reg16[8] = {"ax", "cx", "dx", "bx", "sp", "bp", "si", "di"};
const char* const Reg32[8] = {"eax", "ecx", "edx", "ebx", "esp", "ebp", "esi", "edi"};
const char* const SegmentRegisters[8] = {"es", "cs", "ss", "ds", "fs", "gs", "???", "???"};

// 16-bit addressing by the rm field: text, base register, index register (-1: none).
struct Mode16 {
    const char* text;
    TRegister base;
    int index;
};
const Mode16 Modes16[8] = {
    {"[bx+si", rEbx, rEsi}, {"[bx+di", rEbx, rEdi}, {"[bp+si", rEbp, rEsi}, {"[bp+di", rEbp, rEdi},
    {"[si", rEsi, -1},      {"[di", rEdi, -1},      {"[bp", rEbp, -1},      {"[bx", rEbx, -1},
};

// Thrown when an instruction would grow past the architecture's limit.
struct InstructionTooLong {};

const char HexDigits[] = "0123456789ABCDEF";

// Exactly digits upper-case hexadecimal digits of value.
std::string Hex(uint64_t value, int digits) {
    std::string text(static_cast<size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i) {
        text[static_cast<size_t>(i)] = HexDigits[value & 0xF];
        value >>= 4;
    }
    return text;
}

// At least minDigits digits, no further leading zeros.
std::string HexMin(uint32_t value, int minDigits) {
    int digits = 1;
    for (uint32_t v = value >> 4; v != 0; v >>= 4)
        ++digits;
    return Hex(value, digits < minDigits ? minDigits : digits);
}

std::string RegisterName(int index, int32_t size) {
    if (size == 1)
        return Reg8[index & 7];
    if (size == 2)
        return Reg16[index & 7];
    return Reg32[index & 7];
}

const char* SizeKeyword(int32_t size) {
    switch (size) {
    case 2: return "word ptr ";
    case 4: return "dword ptr ";
    case 6: return "";
    case 8: return "qword ptr ";
    case 10: return "tbyte ptr ";
    case 16: return "xmmword ptr ";
    default: return "byte ptr ";
    }
}

struct Piece {
    enum Kind { Literal, Protected, SizeMark } kind;
    std::string text;
    int32_t size = 0;
};

class Decoder {
public:
    Decoder(const TDisAsm& owner, const uint8_t* code, uint32_t address)
        : FOwner(owner), FCode(code), FAddress(address) {}

    std::string Run(int32_t& size) {
        std::string text;
        try {
            ExpandOpcode(NextByte());
            text = Finish();
        } catch (const InstructionTooLong&) {
            text = DataBytes() + "  //";
        }
        size = FCount;
        return text;
    }

private:
    const TDisAsm& FOwner;
    const uint8_t* FCode;
    uint32_t FAddress;
    int32_t FCount = 0;           // bytes consumed
    int32_t FOperandSize = 4;
    int32_t FAddressSize = 4;
    int32_t FTokenSize = 0;       // size of the operand token being expanded
    std::string FSegment;         // segment override, empty without one
    bool FSizeKeyword = true;
    int FModRM = -1;
    int FSib = -1;
    TOperandRegisters FRegisters;
    std::vector<Piece> FPieces;

    uint8_t NextByte() {
        if (FCount >= TDisAsm::MaxInstructionSize)
            throw InstructionTooLong{};
        return FCode[FCount++];
    }

    uint64_t ReadValue(int32_t bytes) {
        uint64_t value = 0;
        for (int32_t i = 0; i < bytes; ++i)
            value |= static_cast<uint64_t>(NextByte()) << (8 * i);
        return value;
    }

    uint32_t FieldAddress() const { return FAddress + static_cast<uint32_t>(FCount); }

    int ModRM() {
        if (FModRM < 0)
            FModRM = NextByte();
        return FModRM;
    }
    int Mod() { return ModRM() >> 6; }
    int RegField() { return (ModRM() >> 3) & 7; }
    int RmField() { return ModRM() & 7; }
    int Sib() {
        if (FSib < 0)
            FSib = NextByte();
        return FSib;
    }

    void AddLiteral(const std::string& text) {
        if (!FPieces.empty() && FPieces.back().kind == Piece::Literal)
            FPieces.back().text += text;
        else
            FPieces.push_back({Piece::Literal, text, 0});
    }
    void AddProtected(std::string text) { FPieces.push_back({Piece::Protected, std::move(text), 0}); }

    void Expand(const std::string& text) {
        auto at = [&text](size_t i) { return i < text.size() ? text[i] : ' '; };
        size_t i = 0;
        while (i < text.size()) {
            char c = text[i];
            if (c == '#') {
                Operand(at(i + 1), at(i + 2), at(i + 3));
                i += 4;
            } else if (c == '@') {
                Code(at(i + 1), at(i + 2));
                i += 3;
            } else if (c == '^') {
                // A counted run of text that is passed over unexpanded.
                size_t n = static_cast<unsigned char>(at(i + 1));
                if (i + 2 < text.size())
                    AddProtected(text.substr(i + 2, n));
                i += 2 + n;
            } else {
                AddLiteral(std::string(1, c));
                ++i;
            }
        }
    }

    // lock, rep and repne are lines of their own when they come first.
    // After a size or segment prefix ("66 F3 A5", as assemblers write
    // rep movsw) they join the instruction, which would otherwise lose the
    // prefixes before them.
    void ExpandAfterPrefix(uint8_t opcode) {
        while (opcode == 0xF0 || opcode == 0xF2 || opcode == 0xF3) {
            AddLiteral(std::string(disasm_tables::OneByte[opcode]) + " ");
            opcode = NextByte();
        }
        ExpandOpcode(opcode);
    }

    void ExpandOpcode(uint8_t opcode) {
        if ((opcode == 0xC4 || opcode == 0xC5 || opcode == 0x62) && ExpandVex(opcode))
            return;
        Expand(disasm_tables::OneByte[opcode]);
    }

    // In 32-bit code C4, C5 (les, lds) and 62 (bound) followed by a byte that
    // would name a register operand are the VEX and EVEX prefixes of the AVX
    // instructions. They print as data bytes like the other vector
    // instructions, with their full size.
    bool ExpandVex(uint8_t opcode) {
        if (FCount >= TDisAsm::MaxInstructionSize)
            throw InstructionTooLong{};
        if ((FCode[FCount] & 0xC0) != 0xC0)
            return false;
        int map = 1;
        bool wide = false;   // VEX.L: 256-bit vectors
        if (opcode == 0xC5) {
            wide = (NextByte() & 4) != 0;
        } else if (opcode == 0xC4) {
            map = NextByte() & 0x1F;
            wide = (NextByte() & 4) != 0;
        } else {
            map = NextByte() & 0x07;
            NextByte();
            NextByte();
        }
        const uint8_t code = NextByte();
        if (map == 1 && code == 0x77 && opcode != 0x62) {
            AddLiteral(wide ? "%c vzeroall" : "%c vzeroupper");
            return true;
        }
        AddLiteral("%c v");
        if (map == 1)
            Expand(disasm_tables::TwoByte[code]);
        else if (map == 3)
            Expand("op3a    #Vx , #Wx , #Ib ");
        else
            Expand("op38    #Vx , #Wx ");
        return true;
    }

    void Code(char a, char b) {
        switch (a) {
        case 'c':
            if (b == '2') {
                Expand(disasm_tables::TwoByte[NextByte()]);
            } else if (b >= 'a' && b <= 'h') {
                int modrm = ModRM();
                int entry = (modrm >> 6) == 3 ? 8 + (modrm & 0x3F) : (modrm >> 3) & 7;
                Expand(disasm_tables::X87[b - 'a'][entry]);
            }
            break;
        case 'g':
            if (b >= 'a' && b < 'a' + disasm_tables::GroupCount)
                Expand(disasm_tables::Groups[b - 'a'][RegField()]);
            break;
        case 'h':
            if (b >= '1' && b < '1' + disasm_tables::GroupTailCount)
                Expand(disasm_tables::GroupTails[b - '1'][RegField()]);
            break;
        case 'p':
            FSegment = std::string(1, b) + "s";
            ExpandAfterPrefix(NextByte());
            break;
        case 's':
            if (b == 'a')
                FAddressSize = 2;
            else if (b == 'o')
                FOperandSize = 2;
            ExpandAfterPrefix(NextByte());
            break;
        case 'e':
            AddLiteral(FOperandSize == 4 ? std::string("e") + b : std::string(1, b));
            break;
        case 'o': {
            bool wide = FOperandSize == 4;
            if (b == '2')
                AddLiteral(wide ? "w" : "b");
            else if (b == '4')
                AddLiteral(wide ? "d" : "w");
            else if (b == '8')
                AddLiteral(wide ? "q" : "d");
            break;
        }
        case 'm':
            FSizeKeyword = true;
            break;
        default:
            break;
        }
    }

    int32_t TokenSize(char letter) {
        switch (letter) {
        case 'b': return 1;
        case 'w': return 2;
        case 'd': return 4;
        case 'q': return 8;
        case 's': return 6;
        case 't': return 10;
        case 'x': return 16;
        case 'v': return FOperandSize;
        case 'p': return FAddressSize + 2;
        case 'c': return FOperandSize == 2 ? 1 : 2;
        case 'a': return FOperandSize == 2 ? 4 : 8;
        case ' ': FSizeKeyword = false; return 0;
        default: return 0;
        }
    }

    void Operand(char type, char sizeLetter, char marker) {
        FTokenSize = TokenSize(sizeLetter);
        const std::string mmx = FOperandSize == 2 ? "XMM" : "MM";
        switch (type) {
        case 'G':
            FSizeKeyword = false;
            AddProtected(RegisterName(RegField(), FTokenSize));
            break;
        case 'C':
        case 'D':
            FSizeKeyword = false;
            AddProtected(sizeLetter == 'd' ? std::string(1, type) + std::to_string(RegField()) : "???");
            break;
        case 'T':
            FSizeKeyword = false;
            AddProtected("T" + std::to_string(RegField()));
            break;
        case 'P':
            FSizeKeyword = false;
            AddProtected(mmx + std::to_string(RegField()));
            break;
        case 'V':
            FSizeKeyword = false;
            AddProtected("XMM" + std::to_string(RegField()));
            break;
        case 'Q':
        case 'W':
            if (Mod() == 3) {
                FSizeKeyword = false;
                AddProtected((type == 'Q' ? mmx : std::string("XMM")) + std::to_string(RmField()));
            } else {
                MemoryOperand();
            }
            break;
        case 'S':
            AddProtected(SegmentRegisters[RegField()]);
            break;
        case 'R':
            // Moves to and from control and debug registers take the rm
            // register whatever the mod field says.
            AddProtected(RegisterName(RmField(), FTokenSize));
            break;
        case 'E':
        case 'M':
            if (Mod() == 3)
                AddProtected(RegisterName(RmField(), FTokenSize));
            else
                MemoryOperand();
            break;
        case 'O':
            DirectOffset();
            break;
        case 'I':
        case 'L':
            Immediate(false);
            break;
        case 'H':
            Immediate(true);
            break;
        case 'J':
            RelativeTarget(marker);
            break;
        case 'A':
            if (sizeLetter == 'p')
                FarPointer();
            else
                AddProtected("???");
            break;
        case 'F':
            break;
        default:
            AddProtected("???");
            break;
        }
    }

    // "$" and at least four digits, or the text OnAddress gives for it.
    std::string Address32(uint32_t fieldAddress, uint32_t value) {
        std::string text = "$" + HexMin(value, 4);
        if (FOwner.OnAddress)
            FOwner.OnAddress(FOwner.UserValue, fieldAddress, value, text);
        return text;
    }

    std::string Read32Address() {
        uint32_t field = FieldAddress();
        uint32_t value = static_cast<uint32_t>(ReadValue(4));
        FRegisters.Displacement += value;
        return Address32(field, value);
    }

    // The size marker (its keyword is decided at the end) and the segment.
    std::string BeginMemoryOperand() {
        FPieces.push_back({Piece::SizeMark, std::string(), FTokenSize});
        FRegisters = TOperandRegisters();
        return FSegment.empty() ? std::string() : FSegment + ":";
    }

    void EndMemoryOperand(int32_t size, std::string text) {
        if (FOwner.OnMemoryOperand)
            FOwner.OnMemoryOperand(FOwner.UserValue, FRegisters, size, text);
        AddProtected(std::move(text));
    }

    void MemoryOperand() {
        const int32_t size = FTokenSize;
        std::string text = BeginMemoryOperand();
        const int mod = Mod();
        const int rm = RmField();
        if (FAddressSize == 4) {
            if (rm == 4) {
                const int sib = Sib();
                const int base = sib & 7;
                const int index = (sib >> 3) & 7;
                const int scale = 1 << (sib >> 6);
                text += "[";
                if (base == 5 && mod == 0) {
                    text += Read32Address();
                } else {
                    text += Reg32[base];
                    FRegisters.BaseRegisterUsed = true;
                    FRegisters.BaseRegister = static_cast<TRegister>(base);
                }
                if (index != 4) {
                    text += "+";
                    text += Reg32[index];
                    if (scale > 1)
                        text += "*" + std::to_string(scale);
                    FRegisters.Scale = scale;
                    FRegisters.IndexRegister = static_cast<TRegister>(index);
                }
            } else if (rm == 5 && mod == 0) {
                text += "[" + Read32Address();
            } else {
                text += "[";
                text += Reg32[rm];
                FRegisters.BaseRegisterUsed = true;
                FRegisters.BaseRegister = static_cast<TRegister>(rm);
            }
        } else if (rm == 6 && mod == 0) {
            uint32_t value = static_cast<uint32_t>(ReadValue(2));
            FRegisters.Displacement += value;
            text += "[$" + Hex(value, 4);
        } else {
            const Mode16& mode = Modes16[rm];
            text += mode.text;
            FRegisters.BaseRegisterUsed = true;
            FRegisters.BaseRegister = mode.base;
            if (mode.index >= 0) {
                FRegisters.Scale = 1;
                FRegisters.IndexRegister = static_cast<TRegister>(mode.index);
            }
        }
        if (mod == 1) {
            const int8_t disp = static_cast<int8_t>(NextByte());
            const int magnitude = disp < 0 ? -disp : disp;
            text += (disp < 0 ? "-$" : "+$") + Hex(static_cast<uint64_t>(magnitude), 2);
            FRegisters.Displacement += static_cast<uint32_t>(static_cast<int32_t>(disp));
        } else if (mod == 2) {
            if (FAddressSize == 4) {
                text += "+" + Read32Address();
            } else {
                // A 16-bit displacement with 16-bit addressing, printed unsigned
                // like the 32-bit one.
                uint16_t value = static_cast<uint16_t>(ReadValue(2));
                FRegisters.Displacement += static_cast<uint32_t>(static_cast<int32_t>(static_cast<int16_t>(value)));
                text += "+$" + Hex(value, 4);
            }
        }
        text += "]";
        if (size != 4 && size != 0)
            FSizeKeyword = true;
        EndMemoryOperand(size, std::move(text));
    }

    // moffs of A0 to A3: as wide as the address size.
    void DirectOffset() {
        const int32_t size = FTokenSize;
        std::string text = BeginMemoryOperand();
        if (FAddressSize == 4) {
            text += "[" + Read32Address() + "]";
        } else {
            uint32_t value = static_cast<uint32_t>(ReadValue(2));
            FRegisters.Displacement = value;
            text += "[$" + Hex(value, 4) + "]";
        }
        EndMemoryOperand(size, std::move(text));
    }

    // Reads a value of FTokenSize bytes, sign-extended when isSigned.
    int64_t ReadSized(bool isSigned, uint64_t& raw) {
        const int32_t size = FTokenSize;
        raw = ReadValue(size);
        if (!isSigned || size >= 8)
            return static_cast<int64_t>(raw);
        const uint64_t sign = uint64_t{1} << (8 * size - 1);
        return static_cast<int64_t>((raw ^ sign) - sign);
    }

    static std::string SignedText(int64_t value, int32_t size) {
        const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
        return (value < 0 ? "-$" : "+$") + Hex(magnitude, 2 * size);
    }

    // The field of an immediate or a displacement: its address, raw bytes
    // and value. False, with "???" written, for a size that cannot be read.
    struct Field {
        uint32_t address = 0;
        uint64_t raw = 0;
        int64_t value = 0;
    };
    bool ReadField(int32_t maxSize, bool isSigned, Field& field) {
        if (FTokenSize < 1 || FTokenSize > maxSize) {
            AddProtected("???");
            return false;
        }
        field.address = FieldAddress();
        field.value = ReadSized(isSigned, field.raw);
        return true;
    }

    void Immediate(bool isSigned) {
        const int32_t size = FTokenSize;
        Field f;
        if (!ReadField(8, isSigned, f))
            return;
        std::string text = isSigned ? SignedText(f.value, size) : "$" + Hex(f.raw, 2 * size);
        if (FOwner.OnImmediate)
            FOwner.OnImmediate(FOwner.UserValue, f.address, size, text, isSigned);
        AddProtected(std::move(text));
    }

    void RelativeTarget(char marker) {
        Field f;
        if (!ReadField(4, true, f))
            return;
        std::string text = SignedText(f.value, FTokenSize);
        uint32_t target = FieldAddress() + static_cast<uint32_t>(f.value);
        if (FOperandSize == 2)
            target &= 0xFFFF;   // a 16-bit jump truncates the instruction pointer
        if (marker == 'j' && FOwner.OnJumpTarget)
            FOwner.OnJumpTarget(FOwner.UserValue, f.address, target, text);
        else if (marker == 'c' && FOwner.OnCallTarget)
            FOwner.OnCallTarget(FOwner.UserValue, f.address, target, text);
        AddProtected(std::move(text));
    }

    // ptr16:32 (ptr16:16 with a 16-bit operand size): offset, then selector.
    void FarPointer() {
        const uint32_t field = FieldAddress();
        const uint32_t offset = static_cast<uint32_t>(ReadValue(FOperandSize));
        const uint32_t selector = static_cast<uint32_t>(ReadValue(2));
        std::string text = "$" + Hex(selector, 4) + ":";
        text += FOperandSize == 4 ? Address32(field, offset) : "$" + Hex(offset, 4);
        AddProtected(std::move(text));
    }

    std::string DataBytes() const {
        std::string text = "DB      $" + Hex(FCode[0], 2);
        for (int32_t i = 1; i < FCount; ++i)
            text += ", $" + Hex(FCode[i], 2);
        return text;
    }

    // Second pass: data-byte lines, size keywords, removal of other "%" codes.
    // A data-byte line covers the whole instruction: text before its "%c "
    // (a joined prefix such as "lock ") moves into the comment.
    std::string Finish() const {
        std::string out;
        bool dataBytes = false;
        for (const Piece& piece : FPieces) {
            switch (piece.kind) {
            case Piece::Protected:
                out += piece.text;
                break;
            case Piece::SizeMark:
                if (FSizeKeyword)
                    out += SizeKeyword(piece.size);
                break;
            case Piece::Literal: {
                const std::string& t = piece.text;
                size_t i = 0;
                while (i < t.size()) {
                    if (t[i] != '%') {
                        out += t[i++];
                    } else if (i + 2 < t.size() && t[i + 1] == 'c' && t[i + 2] == ' ') {
                        if (!dataBytes)
                            out = DataBytes() + "  //" + out;
                        dataBytes = true;
                        i += 3;
                    } else {
                        i += 2;
                    }
                }
                break;
            }
            }
        }
        while (!out.empty() && out.back() == ' ')
            out.pop_back();
        return out;
    }
};

} // namespace

std::string TDisAsm::GetInstruction(const uint8_t* code, int32_t& size) {
    return GetInstruction(code, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(code)), size);
}

std::string TDisAsm::GetInstruction(const uint8_t* code, uint32_t address, int32_t& size) {
    size = 0;
    Decoder decoder(*this, code, address);
    return decoder.Run(size);
}
