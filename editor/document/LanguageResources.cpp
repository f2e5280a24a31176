#include "editor/document/LanguageResources.h"

#include "framework/Exceptions.h"
#include "framework/Registry.h"
#include "framework/StringList.h"
#include "framework/WinStreams.h"

void LoadLanguagePack(TLanguageSystem& table, HMODULE module, const std::string& languageCode) {
    TResourceStream stream(module, TLanguageSystem::packResourceId(languageCode), "RC_DATA");
    TStringList lines;
    lines.LoadFromStream(stream);
    table.parse(lines);
}

void TLanguageSystem::loadLanguage(const std::string& languageCode) {
    LoadLanguagePack(*this, GetModuleHandleA(nullptr), languageCode);
}

std::string TLanguageSystem::readLanguageSetting() {
    Win32LanguageSettings settings;
    return ResolveLanguageCode(settings);
}

std::string ProgramFolder() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of("\\/:") + 1);
}

Win32LanguageSettings::Win32LanguageSettings()
    : Win32LanguageSettings({"\\Software\\Morvantide Software\\Tessaly", "\\Software\\Harrowby Software\\Tessaly"},
                            ProgramFolder() + "tq.ini") {}

Win32LanguageSettings::Win32LanguageSettings(std::vector<std::string> registryKeys, std::string iniFileName)
    : FRegistryKeys(std::move(registryKeys)), FIniFileName(std::move(iniFileName)) {}

// Only the first key that exists is read; an older key counts only when the
// newer one is missing.
std::string Win32LanguageSettings::registryLanguage() {
    TRegistry registry(KEY_READ);
    for (const std::string& key : FRegistryKeys) {
        if (!registry.OpenKeyReadOnly(key)) continue;
        std::string code;
        try {
            code = registry.ReadString("Language");
        } catch (const ERegistryException&) {
            // A value of another type counts as no value: the start must not fail on it.
        }
        registry.CloseKey();
        return code;
    }
    return {};
}

std::string Win32LanguageSettings::iniLanguage(const std::string& def) {
    return TIniFile(FIniFileName).ReadString("Default", "Lng", def);
}
