#pragma once
// The wide command line, code-page queries, typed characters and resource strings.
#include <windows.h>

#include <cstdint>
#include <string>

int WideParamCount();
// 0: the module's full path; n: the n-th argument; empty beyond the last.
std::u16string WideParamStr(int index);
// Raises EOSError for a character set that Windows does not know.
uint32_t CharSetToCodePage(DWORD charSet);
// The locale's default ANSI code page, or GetACP() when it has none.
uint32_t LCIDToCodePage(LCID locale);
uint32_t KeyboardCodePage();
// A byte typed on the keyboard as a wide character; codes above 255 stand.
char16_t KeyUnicode(uint32_t charCode);

// A resource string: the module's instance handle and the identifier, which
// below 0x10000 is a string-table number and otherwise points at 8-bit text.
struct TResStringRec {
    HMODULE* Module;
    uintptr_t Identifier;
};
// May take over WideLoadResString; true when it produced the string.
extern bool (*WideCustomLoadResString)(const TResStringRec* rec, std::u16string& value);
std::u16string WideLoadResString(const TResStringRec* rec);
