#include "editor/document/LanguageSystem.h"

#include "editor/document/StringHelpers.h"
#include "framework/StringList.h"

TLanguageSystem LanguageSystem;

namespace {
bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string TrimBlanks(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlankOrControl(s[b])) ++b;
    while (e > b && IsBlankOrControl(s[e - 1])) --e;
    return s.substr(b, e - b);
}

// The quoted pieces of a value, joined; text outside the quotes is dropped.
std::string Unquote(const std::string& value) {
    enum { Outside, Inside, Escape } state = Outside;
    std::string text;
    for (char c : value) {
        switch (state) {
            case Outside:
                if (c == '"') state = Inside;
                break;
            case Inside:
                if (c == '"') state = Outside;
                else if (c == '\\') state = Escape;
                else text += c;
                break;
            case Escape:
                text += c == 'n' ? '\n' : c;
                state = Inside;
                break;
        }
    }
    return text;
}
}  // namespace

void TLanguageSystem::parse(const TStrings& lines) {
    const int count = lines.Count();
    for (int i = 0; i < count; ++i) {
        std::string line = lines.Get(i);
        if (!startsWith(line, "#define")) continue;
        std::string rest = rightFrom(line, 9);  // past "#define" and the blank after it
        size_t blank = rest.find(' ');
        if (blank == std::string::npos) continue;
        std::string key = rest.substr(0, blank);
        std::string value = TrimBlanks(rest.substr(blank + 1));
        while (!value.empty() && value.back() == '\\') {
            value.pop_back();
            if (i + 1 >= count) break;
            value += TrimBlanks(lines.Get(++i));
        }
        setText(key, Unquote(value));
    }
}

void TLanguageSystem::parseText(const std::string& pack) {
    TStringList lines;
    lines.SetText(pack);
    parse(lines);
}

void TLanguageSystem::setText(const std::string& key, const std::string& text) { texts[key] = text; }

std::string TLanguageSystem::getText(const std::string& key) const {
    auto it = texts.find(key);
    if (it == texts.end()) return "NF:" + key;
    return std::string(it->second.c_str());  // a text ends at its first zero byte
}

int TLanguageSystem::packResourceId(const std::string& languageCode) {
    return languageCode == "NL" ? DutchPackId : EnglishPackId;
}

std::string ResolveLanguageCode(TLanguageSettings& settings) {
    std::string code = settings.registryLanguage();
    if (code.empty()) code = settings.iniLanguage("EN");
    return code;
}
