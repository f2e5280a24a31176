#pragma once
// What the value input dialog decides about the user's text: the kinds its
// list offers, the automatic switch from Decimal to Hexadecimal, and whether
// a text is accepted (with the message key that refuses it) and its value.
// The callers convert an accepted text again with the same rules.
#include <cstdint>
#include <string>
#include <vector>

enum class ValueKind { Text, Decimal, Hexadecimal, Binary };

// The kind of a list item: with text allowed the list starts with Text.
ValueKind ValueKindAt(int itemIndex, bool allowText);
// The language keys of the list's items, in order.
std::vector<std::string> ValueKindKeys(bool allowText);

// True when the text, typed while Decimal is chosen, holds a hexadecimal
// letter and nothing but hexadecimal digits: the list switches to Hexadecimal.
bool SwitchesToHexadecimal(const std::string& text, int itemIndex, bool allowText);

struct ValueCheck {
    bool Accepted = false;
    const char* MessageKey = "";  // the refusal's language key
    int64_t Value = 0;            // the value of an accepted text
};

// anyNumber: any value of 0 or more (up to the largest positive 32-bit
// number); otherwise the value must lie in 0..255. Text takes exactly one
// character, its code the value. An empty text is 0 in Hexadecimal and
// Binary and refused in Decimal.
ValueCheck CheckValueText(const std::string& text, int itemIndex, bool allowText, bool anyNumber);
