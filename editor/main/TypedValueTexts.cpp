#include "editor/main/TypedValueTexts.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <new>

#include "editor/document/LanguageSystem.h"
#include "editor/main/ByteTexts.h"
#include "framework/Exceptions.h"
#include "framework/SysUtils.h"

namespace {
uint64_t ReadLittleEndian(const uint8_t* p, int width) {
    uint64_t v = 0;
    for (int i = width - 1; i >= 0; --i) v = v << 8 | p[i];
    return v;
}

// Writes an integer's decimal digits at w and answers the end.
char* PutInteger(char* w, int64_t value) {
    uint64_t magnitude = value < 0 ? uint64_t(0) - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    if (value < 0) *w++ = '-';
    char digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    while (n) *w++ = digits[--n];
    return w;
}

int64_t IntegerValue(TypedKind kind, const uint8_t* p) {
    switch (kind) {
        case TypedKind::UInt8: return p[0];
        case TypedKind::Int8: return static_cast<int8_t>(p[0]);
        case TypedKind::UInt16: return static_cast<uint16_t>(ReadLittleEndian(p, 2));
        case TypedKind::Int16: return static_cast<int16_t>(ReadLittleEndian(p, 2));
        case TypedKind::UInt32: return static_cast<uint32_t>(ReadLittleEndian(p, 4));
        case TypedKind::Int32: return static_cast<int32_t>(ReadLittleEndian(p, 4));
        default: return 0;
    }
}

std::string FloatText(TypedKind kind, const uint8_t* p, const std::string& invalid) {
    double value;
    if (kind == TypedKind::Float32) {
        float f;
        std::memcpy(&f, p, 4);
        value = f;
    } else {
        std::memcpy(&value, p, 8);
    }
    try {
        return FloatToStr(value);
    } catch (const Exception&) {
        return invalid;
    }
}
}  // namespace

int TypedWidth(TypedKind kind) {
    switch (kind) {
        case TypedKind::UInt8:
        case TypedKind::Int8: return 1;
        case TypedKind::UInt16:
        case TypedKind::Int16: return 2;
        case TypedKind::UInt32:
        case TypedKind::Int32:
        case TypedKind::Float32: return 4;
        case TypedKind::Float64: return 8;
    }
    return 1;
}

std::string TypedSizeRefusal(TypedKind kind, bool selectionActive, int32_t selectionSize) {
    const int width = TypedWidth(kind);
    if (width == 1) return {};
    if (selectionActive && selectionSize % width == 0) return {};
    const char* word = width == 2 ? "TWO" : width == 4 ? "FOUR" : "EIGHT";
    std::string text = LanguageSystem.getText("MAKESELSIZE") + " " + LanguageSystem.getText(word) + ".";
    if (selectionActive)
        text += " " + LanguageSystem.getText("SELSIZEIS") + " " + std::to_string(selectionSize) +
                (selectionSize == 1 ? " byte." : " bytes.");
    return text;
}

std::string TypedValuesText(TypedKind kind, const uint8_t* bytes, int32_t count, int numbersPerLine) {
    if (kind == TypedKind::UInt8) return NumberListText(NumberForm::Decimal, bytes, count, numbersPerLine);
    const int width = TypedWidth(kind);
    const int32_t elements = count / width;
    std::string s;
    if (kind == TypedKind::Float32 || kind == TypedKind::Float64) {
        const std::string invalid = LanguageSystem.getText("INVALID");
        try {
            s.reserve(static_cast<size_t>(elements) * 24);
            for (int32_t k = 0; k < elements; ++k) {
                if (k > 0) s += LineBreakAfter(k, numbersPerLine) ? "\r\n" : " ";
                s += FloatText(kind, bytes + int64_t(k) * width, invalid);
            }
        } catch (const std::bad_alloc&) {
            throw EOutOfMemory(OutOfMemoryMessage());
        }
        return s;
    }
    // At most 11 characters a number ("-2147483648") and 2 of separator.
    try {
        s.resize(static_cast<size_t>(elements) * 13);
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(OutOfMemoryMessage());
    }
    char* const start = s.data();
    char* w = start;
    for (int32_t k = 0; k < elements; ++k) {
        if (k > 0) {
            if (LineBreakAfter(k, numbersPerLine)) {
                *w++ = '\r';
                *w++ = '\n';
            } else {
                *w++ = ' ';
            }
        }
        w = PutInteger(w, IntegerValue(kind, bytes + int64_t(k) * width));
    }
    s.resize(static_cast<size_t>(w - start));
    return s;
}
