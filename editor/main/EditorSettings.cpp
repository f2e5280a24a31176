#include "editor/main/EditorSettings.h"

#include <algorithm>

const char* const SettingsKey = "\\Software\\Morvantide Software\\Tessaly";
const char* const OlderSettingsKey = "\\Software\\Harrowby Software\\Tessaly";
const char* const ExplorerPolicyKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

namespace {
const char* const ColorNames[6] = {"Background Color", "Selection Color", "Data Color 1",
                                   "Data Color 2",     "Cursor Color",    "Selected Text Color"};
const char* const ViewWidthNames[3] = {"Size text view", "Size decimal view", "Size hexadecimal view"};
constexpr int MaxRecentFiles = 10;

std::string RecentName(int n) { return "Recent file " + std::to_string(n); }

// A failed read (a missing value, or one of another type) ends the reading.
struct ReadFailed {};

int32_t Integer(TSettingsStore& store, const std::string& name) {
    std::optional<int32_t> v = store.ReadInteger(name);
    if (!v) throw ReadFailed{};
    return *v;
}

std::u16string Utf16FromBytes(const std::vector<uint8_t>& bytes) {
    std::u16string text(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return text;
}

std::vector<uint8_t> BytesFromUtf16(const std::u16string& text) {
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    return bytes;
}

// Reads the values of one key into s, in the settings' order; a failed read
// stops there and leaves what was read before.
void ReadValues(TSettingsStore& store, bool olderKey, int screenWidth, int screenHeight, TEditorSettings& s) {
    for (int i = 0; i < 6; ++i) s.Colors[static_cast<size_t>(i)] = static_cast<uint32_t>(Integer(store, ColorNames[i]));
    if (Integer(store, "Window Maximized") != 0) {
        s.Maximized = true;
    } else {
        s.Maximized = false;
        s.Left = Integer(store, "Window Left");
        s.Top = Integer(store, "Window Top");
        s.Width = Integer(store, "Window Width");
        s.Height = Integer(store, "Window Height");
        if (screenWidth < int64_t{s.Left} + s.Width) s.Left = 0;
        if (screenHeight < int64_t{s.Top} + s.Height) s.Top = 0;
        s.Width = std::max(s.Width, 250);
        s.Height = std::max(s.Height, 180);
    }
    s.ReadOnly = Integer(store, "Read Only") != 0;
    if (store.ValueExists("FirstByte1")) s.FirstByte1 = Integer(store, "FirstByte1") != 0;
    std::array<int, 3> widths{};
    for (int i = 0; i < 3; ++i) widths[static_cast<size_t>(i)] = Integer(store, ViewWidthNames[i]);
    s.ViewWidths = widths;
    if (!s.RecentEnabled) return;
    // A path of any length is read whole.
    for (int n = 0; n < MaxRecentFiles; ++n) {
        std::string name = RecentName(n);
        if (olderKey) {
            std::optional<std::u16string> path = store.ReadAnsiString(name);
            if (!path) throw ReadFailed{};
            if (path->empty()) break;
            s.RecentFiles.push_back(*path);
        } else {
            if (!store.ValueExists(name)) break;
            std::optional<std::vector<uint8_t>> bytes = store.ReadBinary(name);
            if (!bytes) throw ReadFailed{};
            s.RecentFiles.push_back(Utf16FromBytes(*bytes));
        }
    }
}

bool ReadKey(TSettingsStore& store, const char* key, bool olderKey, int screenWidth, int screenHeight,
             TEditorSettings& s) {
    if (!store.OpenKey(key, false)) return false;
    bool ok = true;
    try {
        ReadValues(store, olderKey, screenWidth, screenHeight, s);
    } catch (ReadFailed&) {
        ok = false;
    }
    store.CloseKey();
    return ok;
}
}  // namespace

TEditorSettings LoadEditorSettings(TSettingsStore& store, int screenWidth, int screenHeight) {
    TEditorSettings s;
    s.RecentEnabled = true;
    // The shell's policy may switch the recent files off; anything odd about
    // it is ignored.
    if (store.KeyExists(ExplorerPolicyKey) && store.OpenKey(ExplorerPolicyKey, false)) {
        std::optional<int32_t> policy = store.ReadInteger("NoRecentDocsMenu");
        if (policy && *policy == 1) s.RecentEnabled = false;
        store.CloseKey();
    }
    const char* tried = OlderSettingsKey;
    bool ok = false;
    if (store.KeyExists(SettingsKey)) {
        tried = SettingsKey;
        ok = ReadKey(store, SettingsKey, false, screenWidth, screenHeight, s);
    } else if (store.KeyExists(OlderSettingsKey)) {
        ok = ReadKey(store, OlderSettingsKey, true, screenWidth, screenHeight, s);
    }
    if (!ok) {
        if (!store.KeyExists(tried) && store.OpenKey(tried, true)) store.CloseKey();
        s.Colors = TEditorSettings::DefaultColors();
        s.Maximized = true;
        s.Left = 0;
        s.Top = 0;
        s.RecentFiles.clear();
    }
    return s;
}

void SaveEditorSettings(TSettingsStore& store, const TSettingsToSave& s) {
    if (!store.KeyExists(SettingsKey) && store.OpenKey(SettingsKey, true)) store.CloseKey();
    if (!store.KeyExists(SettingsKey) || !store.OpenKey(SettingsKey, false)) return;
    for (int i = 0; i < 6; ++i) store.WriteInteger(ColorNames[i], static_cast<int32_t>(s.Colors[static_cast<size_t>(i)]));
    store.WriteInteger("Window Left", s.Left);
    store.WriteInteger("Window Top", s.Top);
    store.WriteInteger("Window Width", s.Width);
    store.WriteInteger("Window Height", s.Height);
    store.WriteInteger("Window Maximized", s.Maximized ? 1 : 0);
    store.WriteInteger("Read Only", s.ReadOnly ? 1 : 0);
    store.WriteInteger("FirstByte1", s.FirstByte1 ? 1 : 0);
    for (int i = 0; i < 3; ++i) store.WriteInteger(ViewWidthNames[i], s.ViewWidths[static_cast<size_t>(i)]);
    for (int n = 0; n < MaxRecentFiles; ++n)
        if (store.ValueExists(RecentName(n))) store.DeleteValue(RecentName(n));
    if (s.RecentEnabled)
        for (size_t n = 0; n < s.RecentFiles.size() && n < MaxRecentFiles; ++n)
            store.WriteBinary(RecentName(static_cast<int>(n)), BytesFromUtf16(s.RecentFiles[n]));
    store.WriteString("Language", s.Language);
    store.CloseKey();
}

void AddRecentPath(std::vector<std::u16string>& list, const std::u16string& path) {
    list.erase(std::remove(list.begin(), list.end(), path), list.end());
    if (list.size() >= MaxRecentFiles) list.pop_back();
    list.insert(list.begin(), path);
}
