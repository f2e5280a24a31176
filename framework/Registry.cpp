#include "framework/Registry.h"

#include <cstring>

#include "framework/Exceptions.h"
#include "framework/SysUtils.h"

HKEY TRegistry::BaseFor(const std::string& key, std::string& rel) const {
    bool absolute = !key.empty() && key[0] == '\\';
    rel = absolute ? key.substr(1) : key;
    return (absolute || !FCurrentKey) ? RootKey : FCurrentKey;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
    std::string rel;
    HKEY base = BaseFor(key, rel);
    HKEY result = nullptr;
    LONG rc;
    if (canCreate) {
        rc = RegCreateKeyExA(base, rel.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, FAccess, nullptr, &result, nullptr);
    } else {
        rc = RegOpenKeyExA(base, rel.c_str(), 0, FAccess, &result);
    }
    if (rc != ERROR_SUCCESS) return false;
    std::string path = (base == RootKey || key.empty()) ? rel : FCurrentPath + "\\" + rel;
    CloseKey();
    FCurrentKey = result;
    FCurrentPath = path;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
    REGSAM saved = FAccess;
    FAccess = KEY_READ;
    bool ok = OpenKey(key, false);
    FAccess = saved;
    return ok;
}

void TRegistry::CloseKey() {
    if (FCurrentKey) RegCloseKey(FCurrentKey);
    FCurrentKey = nullptr;
    FCurrentPath.clear();
}

bool TRegistry::KeyExists(const std::string& key) {
    std::string rel;
    HKEY base = BaseFor(key, rel), k;
    if (RegOpenKeyExA(base, rel.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
    RegCloseKey(k);
    return true;
}

bool TRegistry::DeleteKey(const std::string& key) {
    std::string rel;
    HKEY base = BaseFor(key, rel);
    return RegDeleteTreeA(base, rel.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::Query(const std::string& name, DWORD& type, std::vector<uint8_t>& data) {
    DWORD size = 0;
    if (RegQueryValueExA(FCurrentKey, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    data.assign(size, 0);
    if (size && RegQueryValueExA(FCurrentKey, name.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
        return false;
    data.resize(size);
    return true;
}

bool TRegistry::ValueExists(const std::string& name) {
    DWORD type;
    std::vector<uint8_t> data;
    return FCurrentKey && Query(name, type, data);
}

bool TRegistry::DeleteValue(const std::string& name) {
    return FCurrentKey && RegDeleteValueA(FCurrentKey, name.c_str()) == ERROR_SUCCESS;
}

int TRegistry::GetDataSize(const std::string& name) {
    DWORD type;
    std::vector<uint8_t> data;
    if (!FCurrentKey || !Query(name, type, data)) return -1;
    return static_cast<int>(data.size());
}

std::string TRegistry::ReadString(const std::string& name) {
    DWORD type;
    std::vector<uint8_t> data;
    if (!FCurrentKey || !Query(name, type, data)) return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ) throw ERegistryException("Invalid data type for '" + name + "'");
    std::string s(data.begin(), data.end());
    size_t nul = s.find('\0');
    if (nul != std::string::npos) s.resize(nul);
    return s;
}

int32_t TRegistry::ReadInteger(const std::string& name) {
    DWORD type;
    std::vector<uint8_t> data;
    if (!FCurrentKey || !Query(name, type, data)) throw ERegistryException("Failed to get data for '" + name + "'");
    if (type != REG_DWORD || data.size() != 4) throw ERegistryException("Invalid data type for '" + name + "'");
    int32_t v;
    std::memcpy(&v, data.data(), 4);
    return v;
}

std::vector<uint8_t> TRegistry::ReadBinary(const std::string& name) {
    DWORD type;
    std::vector<uint8_t> data;
    if (!FCurrentKey || !Query(name, type, data)) throw ERegistryException("Failed to get data for '" + name + "'");
    if (type != REG_BINARY && type != REG_NONE) throw ERegistryException("Invalid data type for '" + name + "'");
    return data;
}

int TRegistry::ReadBinaryData(const std::string& name, void* buffer, int size) {
    std::vector<uint8_t> data = ReadBinary(name);
    if (static_cast<int>(data.size()) > size) throw ERegistryException("Failed to get data for '" + name + "'");
    std::memcpy(buffer, data.data(), data.size());
    return static_cast<int>(data.size());
}

void TRegistry::Set(const std::string& name, DWORD type, const void* data, DWORD size) {
    if (!FCurrentKey ||
        RegSetValueExA(FCurrentKey, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) != ERROR_SUCCESS)
        throw ERegistryException("Failed to set data for '" + name + "'");
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
    Set(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void TRegistry::WriteInteger(const std::string& name, int32_t value) { Set(name, REG_DWORD, &value, 4); }

void TRegistry::WriteBinaryData(const std::string& name, const void* buffer, int size) {
    Set(name, REG_BINARY, buffer, static_cast<DWORD>(size));
}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& def) const {
    std::vector<char> buf(2048);
    for (;;) {
        DWORD n = GetPrivateProfileStringA(section.c_str(), ident.c_str(), def.c_str(), buf.data(),
                                           static_cast<DWORD>(buf.size()), FFileName.c_str());
        if (n + 1 < buf.size()) return std::string(buf.data(), n);
        buf.resize(buf.size() * 2);
    }
}

int32_t TIniFile::ReadInteger(const std::string& section, const std::string& ident, int32_t def) const {
    return StrToIntDef(ReadString(section, ident, ""), def);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& ident, bool def) const {
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
    if (!WritePrivateProfileStringA(section.c_str(), ident.c_str(), value.c_str(), FFileName.c_str()))
        throw Exception("Unable to write to " + FFileName);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& ident, int32_t value) {
    WriteString(section, ident, IntToStr(value));
}

bool TIniFile::SectionExists(const std::string& section) const {
    std::vector<char> buf(4096);
    DWORD n = GetPrivateProfileSectionA(section.c_str(), buf.data(), static_cast<DWORD>(buf.size()), FFileName.c_str());
    return n > 0;
}
