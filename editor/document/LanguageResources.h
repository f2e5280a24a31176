#pragma once
// The Win32 side of the language table: the packs are RC_DATA resources of
// the program, the language code lives in the registry or in tq.ini.
#include <windows.h>

#include <string>
#include <vector>

#include "editor/document/LanguageSystem.h"

// Parses the pack of the code from the resources of module over the table.
void LoadLanguagePack(TLanguageSystem& table, HMODULE module, const std::string& languageCode);

class Win32LanguageSettings : public TLanguageSettings {
public:
    // The editor's registry key, then the older one, and tq.ini beside the program.
    Win32LanguageSettings();
    Win32LanguageSettings(std::vector<std::string> registryKeys, std::string iniFileName);
    std::string registryLanguage() override;
    std::string iniLanguage(const std::string& def) override;

private:
    std::vector<std::string> FRegistryKeys;
    std::string FIniFileName;
};

// The folder of the running program, with its trailing backslash.
std::string ProgramFolder();
