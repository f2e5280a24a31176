#pragma once
// A small key-value view of the settings' storage (the registry under the
// current user): keys by path, typed values in the open key. A read of a
// missing value or of a value of another type gives nothing.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TSettingsStore {
public:
    virtual ~TSettingsStore() = default;
    virtual bool KeyExists(const std::string& path) = 0;
    // Opens the key, creating it when asked; false when it cannot be had.
    virtual bool OpenKey(const std::string& path, bool canCreate) = 0;
    virtual void CloseKey() = 0;
    virtual bool ValueExists(const std::string& name) = 0;
    virtual std::optional<int32_t> ReadInteger(const std::string& name) = 0;
    virtual std::optional<std::vector<uint8_t>> ReadBinary(const std::string& name) = 0;
    // A string value in the system's code page, widened; a missing value
    // reads as the empty string.
    virtual std::optional<std::u16string> ReadAnsiString(const std::string& name) = 0;
    virtual void WriteInteger(const std::string& name, int32_t value) = 0;
    virtual void WriteBinary(const std::string& name, const std::vector<uint8_t>& bytes) = 0;
    virtual void WriteString(const std::string& name, const std::string& value) = 0;
    virtual void DeleteValue(const std::string& name) = 0;
};
