#pragma once
// WM_CHAR through 8-bit code: a character of 256 or more travels as low word
// 0x00FF with the real character in the high word, so code that looks only at
// the low byte sees one harmless character and nothing is lost.
#include <cstdint>

constexpr uint32_t UVX_WM_CHAR = 0x0102;

// Off unless a program sets it; then a high word with a character below 256
// is merged in as its upper byte.
extern bool _IsShellProgramming;

// wParam of a WM_CHAR; each takes and changes it in place.
// Whether MakeWMCharMsgSafeForAnsi can take the wParam: a high word other
// than the layer's own packing (or, with _IsShellProgramming, a byte to
// merge) it cannot unpack; such a message came from outside the layer.
bool IsWMCharMsgUnpackable(uint32_t wParam);
char16_t MakeWMCharMsgSafeForAnsi(uint32_t& wParam);
void RestoreWMCharMsg(uint32_t& wParam);
char16_t GetWideCharFromWMCharMsg(uint32_t wParam);
void SetWideCharForWMCharMsg(uint32_t& wParam, char16_t ch);
// WM_SETTEXT, WM_GETTEXT and WM_GETTEXTLENGTH.
bool IsTextMessage(uint32_t msg);
