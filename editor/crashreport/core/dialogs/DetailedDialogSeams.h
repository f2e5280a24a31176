#pragma once
// What the detailed error dialog takes from the dialogs' shared services:
// the dialog fields of the core's state, the dialog fonts, the auto-close
// and keep-in-front timers, work areas and text measures, and the state
// file. Kept small here until the shared window services and state file
// replace it.
#include <windows.h>

#include <cstdint>
#include <string>

class TZorvikModuleOptions;

// The user's choices and the display's flags, shared with the display loop.
struct TErrorDialogFields {
    uint8_t DialogType = 0;
    uint8_t SendCheck = 0;
    uint8_t ScreenshotCheck = 0;
    uint8_t CancelFlag = 0;
    uint8_t CopyCheck = 0;
    uint8_t TerminateFlag = 0;
    uint8_t DuplicateFlag = 0;
    uint8_t DetailsForced = 0;
    uint8_t Painted = 0;
    uint8_t DialogFailed = 0;
    bool CloseDialog = false;
    int32_t ErrorsCount = 1;
};
TErrorDialogFields& ErrorDialogFields();

// The seven fonts of a crash dialog and the faces they were made with.
struct TDialogFonts {
    HFONT Caption = nullptr, Message = nullptr, Link = nullptr, PlainLink = nullptr, Bold = nullptr,
          Fixed = nullptr, List = nullptr;
    int32_t Size = 8;
    std::string BoldFace, FixedFace, ListFace;
};
const TDialogFonts& DialogFonts();
void CreateDialogFonts(HWND window);
void DestroyDialogFonts();

// The options the dialogs follow (set by the display before a dialog).
TZorvikModuleOptions* DialogOptions();
void SetDialogOptions(TZorvikModuleOptions* options);

// Auto-close: timer 2, one tick a second; the dialog closes when the ticks
// since the last user activity reach the option's seconds.
constexpr UINT_PTR AutoCloseTimerId = 2;
constexpr UINT_PTR KeepInFrontTimerId = 3;
void StartAutoCloseTimer(HWND window);
void StopAutoCloseTimer(HWND window);
void ResetAutoCloseTimer();
void AutoCloseTimerTick(HWND window);
// The messages that count as the user's activity.
bool IsUserActivityMessage(UINT msg);
void StartKeepInFrontTimer(HWND window);
void StopKeepInFrontTimer(HWND window);
void KeepInFrontTimerTick();

// The work area of the monitor of the foreground window.
RECT ForegroundWorkArea();
int32_t TextWidth(HWND window, HFONT font, const std::string& text);
std::string DialogControlText(HWND control);

// The detailed dialog's rectangle and window state in the state file.
struct TDetailedRect {
    int32_t Left = 0, Top = 0, Width = 745, Height = 468, WindowState = 1;
};
TDetailedRect ReadDetailedRect(int32_t bandHeight);
// Writes the remembered size and place (normal state only) and the state.
void SaveDetailedState(int32_t width, int32_t height, int32_t left, int32_t top, int32_t windowState,
                       int32_t bandHeight);
int32_t ReadColumnWidth(const std::string& key, int32_t def);
void WriteColumnWidth(const std::string& key, int32_t width);

// Sends a call-stack row's source place to a waiting development environment.
void SendIDERecord(const std::string& lineText, const std::string& unitName, const std::string& className,
                   const std::string& procedureName, int32_t offset, double compileDate);

// Raises the custom button's click notification; a handler may set
// CloseDialog in the dialog fields.
void RaiseCustomButtonClickNotify();
