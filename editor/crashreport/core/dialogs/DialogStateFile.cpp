#include "editor/crashreport/core/dialogs/DialogStateFile.h"

#include <array>

#include "framework/SysUtils.h"

const char* const DialogStateFileName = "ZorvikLog.ini";

namespace {

const char* const Coordinates = "Coordinates";

int32_t ReadNumber(TProfileStore& store, const char* key, int32_t def)
{
    return StrToIntDef(Trim(store.ReadString(DialogStateFileName, Coordinates, key, IntToStr(def))), def);
}

void WriteNumber(TProfileStore& store, const std::string& key, int32_t value)
{
    store.WriteString(DialogStateFileName, Coordinates, key, IntToStr(value));
}

struct TColumnDefaults {
    const char* Prefix;
    std::vector<int32_t> Widths;
};

const TColumnDefaults& ColumnDefaults(TStateColumns page)
{
    static const std::array<TColumnDefaults, 3> defaults = {{
        {"Col", {89, 92, 126, 126, 200, 61}},
        {"ColMod", {80, 96, 175, 50, 54, 712, 80}},
        {"ColPro", {48, 134, 232, 56, 57, 47, 52, 330}},
    }};
    return defaults[static_cast<size_t>(page)];
}

} // namespace

TDetailedRect ReadDetailedRect(TProfileStore& store, const TWorkRect& work, int32_t bandHeight)
{
    TDetailedRect r;
    r.Width = ReadNumber(store, "Width", 745);
    r.Height = ReadNumber(store, "Height", 468);
    r.Left = ReadNumber(store, "Left", work.Left + (work.Width() - r.Width) / 2);
    r.Top = ReadNumber(store, "Top", work.Top + (work.Height() - r.Height - bandHeight) / 2);
    r.WindowState = ReadNumber(store, "WindowsState", StateNormal);
    // Sums in 64 bits: the file may hold any number.
    const int64_t right = int64_t(r.Left) + r.Width;
    const int64_t bottom = int64_t(r.Top) + r.Height;
    if (r.Top < work.Top || bottom > work.Bottom || r.Left < work.Left || right > work.Right) {
        r.Left = work.Left + (work.Width() - r.Width) / 2;
        r.Top = work.Top + (work.Height() - r.Height) / 2;
    }
    return r;
}

void SaveDetailedState(TProfileStore& store, const TRememberedPlacement& p, int32_t bandHeight)
{
    if (!p.HasWidth)
        return;
    if (p.WindowState == StateNormal) {
        WriteNumber(store, "Width", p.Width);
        WriteNumber(store, "Height", p.Height - bandHeight);
        WriteNumber(store, "Left", p.Left);
        WriteNumber(store, "Top", p.Top);
    }
    WriteNumber(store, "WindowsState", p.WindowState);
}

std::vector<int32_t> ReadColumnWidths(TProfileStore& store, TStateColumns page)
{
    const TColumnDefaults& d = ColumnDefaults(page);
    std::vector<int32_t> widths;
    for (size_t i = 0; i < d.Widths.size(); ++i)
        widths.push_back(ReadNumber(store, (d.Prefix + std::to_string(i)).c_str(), d.Widths[i]));
    return widths;
}

void WriteColumnWidths(TProfileStore& store, TStateColumns page, const std::vector<int32_t>& widths)
{
    const TColumnDefaults& d = ColumnDefaults(page);
    for (size_t i = 0; i < d.Widths.size() && i < widths.size(); ++i)
        WriteNumber(store, d.Prefix + std::to_string(i), widths[i]);
}

std::string ReadUserEmail(TProfileStore& store)
{
    return store.ReadString(DialogStateFileName, "User", "Email", "");
}

void WriteUserEmail(TProfileStore& store, const std::string& email)
{
    store.WriteString(DialogStateFileName, "User", "Email", email);
}
