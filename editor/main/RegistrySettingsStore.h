#pragma once
// The settings' storage in the registry under the current user, through the
// framework's TRegistry.
#include "editor/main/SettingsStore.h"
#include "framework/Registry.h"

class TRegistrySettingsStore : public TSettingsStore {
public:
    bool KeyExists(const std::string& path) override;
    bool OpenKey(const std::string& path, bool canCreate) override;
    void CloseKey() override;
    bool ValueExists(const std::string& name) override;
    std::optional<int32_t> ReadInteger(const std::string& name) override;
    std::optional<std::vector<uint8_t>> ReadBinary(const std::string& name) override;
    std::optional<std::u16string> ReadAnsiString(const std::string& name) override;
    void WriteInteger(const std::string& name, int32_t value) override;
    void WriteBinary(const std::string& name, const std::vector<uint8_t>& bytes) override;
    void WriteString(const std::string& name, const std::string& value) override;
    void DeleteValue(const std::string& name) override;

private:
    TRegistry FRegistry;
};
