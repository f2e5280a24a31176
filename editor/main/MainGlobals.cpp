#include "editor/main/MainGlobals.h"

int32_t TopOffset = 0;
int32_t CursorOffset = 0;
int32_t OldCursorOffset = 0;
int32_t OldTopOffset = 0;
uint8_t Modified = 0;
int FoundCount = 0;
int ReplaceCount = 0;
