#pragma once
// The main window's program-wide state: where the screen starts in the
// document, where the cursor stands on it, and the modified flag and
// search counters.
#include <cstdint>

extern int32_t TopOffset;        // document position of the first byte on screen
extern int32_t CursorOffset;     // cursor position relative to TopOffset
extern int32_t OldCursorOffset;  // CursorOffset before the current key or mouse action
extern int32_t OldTopOffset;     // TopOffset before the navigation part of a key press
extern uint8_t Modified;
extern int FoundCount;
extern int ReplaceCount;
