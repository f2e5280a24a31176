#pragma once
// The editor's remembered settings: colours, the window's place, two
// options, the widths of the three views, the recent files and the
// language; how they are read (with the older key as fallback and defaults
// for whatever cannot be read) and how they are written.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editor/main/SettingsStore.h"

extern const char* const SettingsKey;       // the current key
extern const char* const OlderSettingsKey;  // read only when the current key is missing
extern const char* const ExplorerPolicyKey;

struct TEditorSettings {
    // Background, Selection, Data 1, Data 2, Cursor, Selected Text.
    std::array<uint32_t, 6> Colors = DefaultColors();
    bool Maximized = true;
    int Left = 0, Top = 0;
    int Width = 407, Height = 550;
    // Options and view widths as read; unset when they were not read.
    std::optional<bool> ReadOnly;
    std::optional<bool> FirstByte1;
    std::optional<std::array<int, 3>> ViewWidths;
    std::vector<std::u16string> RecentFiles;
    bool RecentEnabled = true;

    static std::array<uint32_t, 6> DefaultColors() { return {0x800000, 0xE47E46, 0xFFFFFF, 0x00FFFF, 0xC0C0C0, 0xFFFFFF}; }
};

// What is written: the window's place as it reports it, the options, the
// view widths, the recent files and the language code.
struct TSettingsToSave {
    std::array<uint32_t, 6> Colors{};
    bool Maximized = false;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool ReadOnly = false;
    bool FirstByte1 = false;
    std::array<int, 3> ViewWidths{};
    std::vector<std::u16string> RecentFiles;
    bool RecentEnabled = true;
    std::string Language;
};

// Reads the settings; the screen's size clamps a normal window's place.
TEditorSettings LoadEditorSettings(TSettingsStore& store, int screenWidth, int screenHeight);
void SaveEditorSettings(TSettingsStore& store, const TSettingsToSave& settings);

// Adds a path to the front of a recent-file list: no duplicates (exact
// comparison), at most ten entries, newest first.
void AddRecentPath(std::vector<std::u16string>& list, const std::u16string& path);
