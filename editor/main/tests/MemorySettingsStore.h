#pragma once
// Settings storage in memory, for tests: keys by path (compared without
// regard to case, as the registry does), typed values.
#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "editor/main/SettingsStore.h"

class MemorySettingsStore : public TSettingsStore {
public:
    using Value = std::variant<int32_t, std::vector<uint8_t>, std::string>;
    using Key = std::map<std::string, Value>;

    std::map<std::string, Key> keys;  // by lower-case path
    std::string openKey;              // lower-case path of the open key, or empty

    static std::string Lower(std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return s;
    }
    Key& At(const std::string& path) { return keys[Lower(path)]; }

    bool KeyExists(const std::string& path) override { return keys.count(Lower(path)) != 0; }
    bool OpenKey(const std::string& path, bool canCreate) override {
        if (!KeyExists(path) && !canCreate) return false;
        keys[Lower(path)];
        openKey = Lower(path);
        return true;
    }
    void CloseKey() override { openKey.clear(); }
    Key* Open() { return openKey.empty() ? nullptr : &keys[openKey]; }
    bool ValueExists(const std::string& name) override { return Open() && Open()->count(name); }
    template <class T>
    const T* Get(const std::string& name) {
        if (!Open()) return nullptr;
        auto it = Open()->find(name);
        return it == Open()->end() ? nullptr : std::get_if<T>(&it->second);
    }
    std::optional<int32_t> ReadInteger(const std::string& name) override {
        if (const int32_t* v = Get<int32_t>(name)) return *v;
        return std::nullopt;
    }
    std::optional<std::vector<uint8_t>> ReadBinary(const std::string& name) override {
        if (const auto* v = Get<std::vector<uint8_t>>(name)) return *v;
        return std::nullopt;
    }
    std::optional<std::u16string> ReadAnsiString(const std::string& name) override {
        if (!ValueExists(name)) return std::u16string();
        const std::string* v = Get<std::string>(name);
        if (!v) return std::nullopt;
        return std::u16string(v->begin(), v->end());
    }
    void WriteInteger(const std::string& name, int32_t value) override { (*Open())[name] = value; }
    void WriteBinary(const std::string& name, const std::vector<uint8_t>& bytes) override { (*Open())[name] = bytes; }
    void WriteString(const std::string& name, const std::string& value) override { (*Open())[name] = value; }
    void DeleteValue(const std::string& name) override { Open()->erase(name); }
};
