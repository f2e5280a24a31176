#include "editor/unicode/UvxCharMessages.h"

#include "editor/unicode/UvxErrors.h"

bool _IsShellProgramming = false;

bool IsWMCharMsgUnpackable(uint32_t wParam) {
    uint32_t ch = wParam & 0xFFFF;
    uint32_t high = wParam >> 16;
    if (high == 0 || (ch == 0x00FF && !_IsShellProgramming)) return true;
    return _IsShellProgramming && ch < 256;
}

char16_t MakeWMCharMsgSafeForAnsi(uint32_t& wParam) {
    uint32_t ch = wParam & 0xFFFF;
    uint32_t high = wParam >> 16;
    if (high != 0 && ch == 0x00FF && !_IsShellProgramming) return static_cast<char16_t>(high);  // packed already
    if (high != 0) {
        if (!_IsShellProgramming || ch >= 256)
            throw EUvxInternalError("Internal Error: MakeWMCharMsgSafeForAnsi received a packed character.");
        ch |= high << 8;
    }
    wParam = ch;
    if (ch >= 256) wParam = (ch << 16) | 0x00FF;
    return static_cast<char16_t>(ch);
}

void RestoreWMCharMsg(uint32_t& wParam) {
    uint32_t high = wParam >> 16;
    if (high != 0 && (wParam & 0xFFFF) == 0x00FF) wParam = high;
    else wParam &= 0xFFFF;
}

char16_t GetWideCharFromWMCharMsg(uint32_t wParam) {
    uint32_t high = wParam >> 16;
    if ((wParam & 0xFFFF) == 0x00FF && high != 0) return static_cast<char16_t>(high);
    return static_cast<char16_t>(wParam & 0xFFFF);
}

void SetWideCharForWMCharMsg(uint32_t& wParam, char16_t ch) {
    wParam = ch;
    MakeWMCharMsgSafeForAnsi(wParam);
}

bool IsTextMessage(uint32_t msg) { return msg == 0x000C || msg == 0x000D || msg == 0x000E; }
