#pragma once
// The pause before a hint shows: mouse moves in the application's loop
// start it, and a thread timer shows the hint of the control under the
// cursor once the mouse has rested; keys, clicks and the wheel hide it.
#include <windows.h>

// Ties the timer to the application's loop (done once the hint windows are linked in).
bool InstallHintTimer();
// What the timer makes of a message the loop takes.
void HintTimerMessage(const MSG& msg);
// Hides the hint and stops the pause.
void CancelHintTimer();
