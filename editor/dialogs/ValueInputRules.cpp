#include "editor/dialogs/ValueInputRules.h"

#include "framework/SysUtils.h"

namespace {

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// Digits of a base, most significant first; false on any other character.
// Values beyond 32 bits saturate at 2^32 (wide enough to refuse them).
bool ParseDigits(const std::string& text, int base, int64_t& value) {
    const int64_t ceiling = int64_t(1) << 32;
    value = 0;
    for (char c : text) {
        int d;
        if (IsDecimalDigit(c)) d = c - '0';
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else return false;
        if (d >= base) return false;
        value = value * base + d;
        if (value > ceiling) value = ceiling;
    }
    return true;
}

// The decimal conversion accepts blanks around the number and a sign.
bool ParseDecimal(const std::string& text, int32_t& value) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return false;
    size_t last = text.find_last_not_of(' ');
    return TryStrToInt(text.substr(first, last - first + 1), value);
}

ValueCheck Accept(int64_t value) { return {true, "", value}; }
ValueCheck Refuse(const char* key) { return {false, key, 0}; }

}  // namespace

ValueKind ValueKindAt(int itemIndex, bool allowText) {
    int k = allowText ? itemIndex : itemIndex + 1;
    if (k <= 0) return allowText ? ValueKind::Text : ValueKind::Decimal;
    if (k >= 3) return ValueKind::Binary;
    return static_cast<ValueKind>(k);
}

std::vector<std::string> ValueKindKeys(bool allowText) {
    std::vector<std::string> keys;
    if (allowText) keys.push_back("WORD_TEXT");
    keys.insert(keys.end(), {"DECIMAL", "HEXADECIMAL", "BINARY"});
    return keys;
}

bool SwitchesToHexadecimal(const std::string& text, int itemIndex, bool allowText) {
    if (text.empty() || ValueKindAt(itemIndex, allowText) != ValueKind::Decimal) return false;
    bool allHex = true, allDecimal = true;
    for (char c : text) {
        allHex = allHex && IsHexDigit(c);
        allDecimal = allDecimal && IsDecimalDigit(c);
    }
    return allHex && !allDecimal;
}

// A hexadecimal or binary value with bit 31 set would reach the callers as a
// negative count or size, and one of more than 32 bits would be cut short:
// in number mode the first asks for a positive number and the second is no
// valid value.
ValueCheck CheckValueText(const std::string& text, int itemIndex, bool allowText, bool anyNumber) {
    const ValueKind kind = ValueKindAt(itemIndex, allowText);
    switch (kind) {
        case ValueKind::Text:
            if (text.size() != 1) return Refuse("ENTERONECHAR");
            return Accept(static_cast<unsigned char>(text[0]));
        case ValueKind::Decimal: {
            int32_t v;
            if (!ParseDecimal(text, v)) return Refuse("NOTVALIDVALUE");
            if (anyNumber) return v < 0 ? Refuse("ENTERPOSNUM") : Accept(v);
            return v < 0 || v > 255 ? Refuse("RANGE000255") : Accept(v);
        }
        case ValueKind::Hexadecimal:
        case ValueKind::Binary: {
            const bool hex = kind == ValueKind::Hexadecimal;
            int64_t v;
            if (!ParseDigits(text, hex ? 16 : 2, v)) return Refuse("NOTVALIDVALUE");
            if (anyNumber) {
                if (v > 0xFFFFFFFFLL) return Refuse("NOTVALIDVALUE");
                if (v > 0x7FFFFFFFLL) return Refuse("ENTERPOSNUM");
                return Accept(v);
            }
            if (v > 255) return Refuse(hex ? "RANGE00FF" : "RANGE0000000011111111");
            return Accept(v);
        }
    }
    return Refuse("NOTVALIDVALUE");
}
