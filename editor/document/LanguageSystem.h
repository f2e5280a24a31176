#pragma once
// The language table: every text the user sees, looked up by key. It is
// filled from a language pack, lines of the form
//     #define KEY "text"
// with backslash continuation and "\n" escapes.
#include <map>
#include <string>

class TStrings;

class TLanguageSystem {
public:
    // Reads the pack of the code ("NL" Dutch, anything else English) from the
    // program's resources over the table (Win32 shell, LanguageResources.cpp).
    void loadLanguage(const std::string& languageCode);
    // The language code from the settings: registry, then tq.ini, then "EN"
    // (Win32 shell, LanguageResources.cpp).
    std::string readLanguageSetting();

    void parse(const TStrings& lines);
    // Splits a whole pack at CR, LF or CR LF and parses it.
    void parseText(const std::string& pack);
    void setText(const std::string& key, const std::string& text);
    // The key's text, or "NF:" and the key when the key is missing.
    std::string getText(const std::string& key) const;
    void clear() { texts.clear(); }

    // The resource id of a language's pack.
    static int packResourceId(const std::string& languageCode);

    std::map<std::string, std::string> texts;
    std::string code;
};

extern TLanguageSystem LanguageSystem;

constexpr int EnglishPackId = 120;
constexpr int DutchPackId = 121;

// Where the language code is stored; the Win32 shell reads the registry and
// the ini file, tests give fakes.
class TLanguageSettings {
public:
    virtual ~TLanguageSettings() = default;
    // The "Language" value of the editor's registry key; empty when absent.
    virtual std::string registryLanguage() = 0;
    // Key "Lng" of section "Default" in tq.ini, or def when there is none.
    virtual std::string iniLanguage(const std::string& def) = 0;
};

// The registry wins; an empty registry code falls back to tq.ini, whose
// absence means English.
std::string ResolveLanguageCode(TLanguageSettings& settings);
