#pragma once
// The registry under one root key (the current user by default). Typed reads
// raise ERegistryException when the value has another type.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Classes.h"

class TRegistry : public TObject {
public:
    explicit TRegistry(REGSAM access = KEY_ALL_ACCESS) : FAccess(access) {}
    ~TRegistry() override { CloseKey(); }
    std::string ClassName() const override { return "TRegistry"; }

    HKEY RootKey = HKEY_CURRENT_USER;
    HKEY CurrentKey() const { return FCurrentKey; }
    const std::string& CurrentPath() const { return FCurrentPath; }

    // A key starting with '\' is taken from the root, otherwise from the
    // current key. Returns false when the key is missing (and not created).
    bool OpenKey(const std::string& key, bool canCreate);
    bool OpenKeyReadOnly(const std::string& key);
    void CloseKey();
    bool KeyExists(const std::string& key);
    bool DeleteKey(const std::string& key);
    bool ValueExists(const std::string& name);
    bool DeleteValue(const std::string& name);
    int GetDataSize(const std::string& name);

    std::string ReadString(const std::string& name);
    int32_t ReadInteger(const std::string& name);
    bool ReadBool(const std::string& name) { return ReadInteger(name) != 0; }
    int ReadBinaryData(const std::string& name, void* buffer, int size);
    std::vector<uint8_t> ReadBinary(const std::string& name);
    void WriteString(const std::string& name, const std::string& value);
    void WriteInteger(const std::string& name, int32_t value);
    void WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }
    void WriteBinaryData(const std::string& name, const void* buffer, int size);

private:
    HKEY BaseFor(const std::string& key, std::string& rel) const;
    bool Query(const std::string& name, DWORD& type, std::vector<uint8_t>& data);
    void Set(const std::string& name, DWORD type, const void* data, DWORD size);
    REGSAM FAccess;
    HKEY FCurrentKey = nullptr;
    std::string FCurrentPath;
};

// An ini file read and written through the system's private-profile calls.
class TIniFile : public TObject {
public:
    explicit TIniFile(std::string fileName) : FFileName(std::move(fileName)) {}
    std::string ClassName() const override { return "TIniFile"; }
    const std::string& FileName() const { return FFileName; }
    std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) const;
    int32_t ReadInteger(const std::string& section, const std::string& ident, int32_t def) const;
    bool ReadBool(const std::string& section, const std::string& ident, bool def) const;
    void WriteString(const std::string& section, const std::string& ident, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& ident, int32_t value);
    bool SectionExists(const std::string& section) const;

private:
    std::string FFileName;
};
