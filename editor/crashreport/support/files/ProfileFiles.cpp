#include "editor/crashreport/support/files/ProfileFiles.h"

#include <windows.h>

#include "editor/crashreport/support/files/WorkingFiles.h"
#include "editor/crashreport/support/texts/CommonStrings.h"
#include "framework/SysUtils.h"

namespace {

// The usable name of an ini file, or false when there is no writable place.
bool ProfileFile(const std::string& file, std::string& usable)
{
    usable = file;
    if (usable.find_first_of("\\/:") == std::string::npos) {
        const std::string folder = SettingsFolder();
        ForceDirectoriesEx(folder);
        usable = IncludeLastBackslash(folder) + usable;
    }
    return GetWorkingFile(usable, false, false);
}

} // namespace

std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& def)
{
    std::string usable;
    if (!ProfileFile(file, usable))
        return def;
    char value[2049] = {};
    const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), value, sizeof value,
                                             usable.c_str());
    return std::string(value, n);
}

int ReadInteger(const std::string& file, const std::string& section, const std::string& key, int def)
{
    return StrToIntDef(ReadString(file, section, key, IntToStr(def)), def);
}

bool ReadBool(const std::string& file, const std::string& section, const std::string& key, bool def)
{
    return ReadInteger(file, section, key, def ? 1 : 0) == 1;
}

void WriteString(const std::string& file, const std::string& section, const std::string& key,
                 const std::string& value)
{
    std::string usable;
    if (ProfileFile(file, usable))
        WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), usable.c_str());
}

void WriteInteger(const std::string& file, const std::string& section, const std::string& key, int value)
{
    WriteString(file, section, key, IntToStr(value));
}

void WriteBool(const std::string& file, const std::string& section, const std::string& key, bool value)
{
    WriteString(file, section, key, value ? "1" : "0");
}

std::string TPrivateProfileStore::ReadString(const std::string& file, const std::string& section,
                                             const std::string& key, const std::string& def)
{
    return ::ReadString(file, section, key, def);
}

void TPrivateProfileStore::WriteString(const std::string& file, const std::string& section, const std::string& key,
                                       const std::string& value)
{
    ::WriteString(file, section, key, value);
}
