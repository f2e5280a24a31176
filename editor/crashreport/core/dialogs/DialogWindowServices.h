#pragma once
// What every crash dialog shares: its fonts, the optional custom-painted
// caption, the auto-close and keep-in-front timers, centring on a monitor's
// work area, and the measuring of wrapped text. All of it works on the
// dialogs' state record (DialogState.h).
#include <windows.h>

#include <string>

#include "editor/crashreport/core/dialogs/DialogState.h"

// Called from a dialog's WM_INITDIALOG and WM_DESTROY.
void CreateDialogFonts(HWND dialog);
void DestroyDialogFonts();
HFONT DialogFont(TDialogFont font);

// The request and send dialogs' caption: the small caption with the library's
// look (or when forced), else the normal one; topmost when the options say
// so; the height follows the caption (templates assume 18 pixels).
void SetupCaptionStyle(HWND dialog, bool forceSmallCaption);
// For WM_NCPAINT and WM_NCACTIVATE: paints the library's caption and frame
// while the look is on; true when it painted (the message is then handled).
bool PaintCustomCaption(UINT message, WPARAM wParam, const std::string& caption, HWND dialog);

// Closes the dialog AutoCloseDialogSecs seconds after the last user activity.
void StartAutoCloseTimer(HWND dialog);
void StopAutoCloseTimer(HWND dialog);
void ResetAutoCloseTimer();
// Every dialog procedure passes each message here first: user activity
// resets the auto-close count.
void NoteDialogActivity(UINT message);

// Brings the dialog back in front of the process's other windows that
// existed when it started.
void StartKeepInFrontTimer(HWND dialog);
void StopKeepInFrontTimer(HWND dialog);

void CenterWindowOnRect(HWND window, const RECT& rect);
// Centres a window of the given size on the foreground window's monitor.
void CenterWindowOnWorkArea(HWND window, int width, int height);
RECT WorkAreaOfWindow(HWND window);
RECT ForegroundWorkArea();
// The rectangle from the monitor of rect's top-left to that of its
// bottom-right; false when a function or a monitor is missing.
bool MonitorsSpanningRect(const RECT& rect, RECT& span);

int DialogTextHeight(HWND window, HFONT font, const std::string& text, int width);
int DialogTextWidth(HWND window, HFONT font, const std::string& text);
std::string DialogControlText(HWND control);
bool EscapePressed();
// The cursor over the dialogs' links (by the Windows version).
HCURSOR LinkCursor();
