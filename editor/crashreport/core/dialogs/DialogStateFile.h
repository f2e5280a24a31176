#pragma once
// The dialogs' state file "ZorvikLog.ini": the detailed dialog's place, size
// and window state, the column widths of its three list pages, and the
// e-mail address the user typed into the classic dialog. Read and written
// through a profile store (the real one keeps the file in the settings
// folder); values that are missing or not numbers give the defaults.
#include <cstdint>
#include <string>
#include <vector>

#include "editor/crashreport/support/texts/TextCollection.h"

extern const char* const DialogStateFileName;  // "ZorvikLog.ini"

struct TWorkRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
};

// Window states as the file keeps them.
constexpr int32_t StateNormal = 1;
constexpr int32_t StateMaximized = 3;
constexpr int32_t StateMinimized = 6;

struct TDetailedRect {
    int32_t Left = 0, Top = 0, Width = 745, Height = 468;
    int32_t WindowState = StateNormal;
};

// The stored rectangle (without the check-box band), centred in the work
// area when it does not lie inside it.
TDetailedRect ReadDetailedRect(TProfileStore& store, const TWorkRect& work, int32_t bandHeight);

// What the detailed dialog remembered from its WM_SIZE and WM_MOVE.
struct TRememberedPlacement {
    bool HasWidth = false;
    int32_t Left = 0, Top = 0, Width = 0, Height = 0;
    int32_t WindowState = StateNormal;
};
// Writes the normal rectangle (height less the band) and the window state;
// a maximised or minimised dialog writes only its state. Nothing before a
// width has been remembered.
void SaveDetailedState(TProfileStore& store, const TRememberedPlacement& placement, int32_t bandHeight);

// The three list pages whose column widths are kept.
enum TStateColumns { scCallStack, scModules, scProcesses };
std::vector<int32_t> ReadColumnWidths(TProfileStore& store, TStateColumns page);
// Writes as many widths as the page keeps (extra ones are ignored).
void WriteColumnWidths(TProfileStore& store, TStateColumns page, const std::vector<int32_t>& widths);

std::string ReadUserEmail(TProfileStore& store);
void WriteUserEmail(TProfileStore& store, const std::string& email);
