#include "editor/main/RegistrySettingsStore.h"

#include "framework/Exceptions.h"
#include "framework/WinText.h"

bool TRegistrySettingsStore::KeyExists(const std::string& path) { return FRegistry.KeyExists(path); }
bool TRegistrySettingsStore::OpenKey(const std::string& path, bool canCreate) {
    return FRegistry.OpenKey(path, canCreate);
}
void TRegistrySettingsStore::CloseKey() { FRegistry.CloseKey(); }
bool TRegistrySettingsStore::ValueExists(const std::string& name) { return FRegistry.ValueExists(name); }

// TRegistry raises on a missing value or one of another type: that is a
// failed read here.
std::optional<int32_t> TRegistrySettingsStore::ReadInteger(const std::string& name) {
    try {
        return FRegistry.ReadInteger(name);
    } catch (ERegistryException&) {
        return std::nullopt;
    }
}

std::optional<std::vector<uint8_t>> TRegistrySettingsStore::ReadBinary(const std::string& name) {
    try {
        return FRegistry.ReadBinary(name);
    } catch (ERegistryException&) {
        return std::nullopt;
    }
}

std::optional<std::u16string> TRegistrySettingsStore::ReadAnsiString(const std::string& name) {
    try {
        return AnsiToWide(FRegistry.ReadString(name));
    } catch (ERegistryException&) {
        return std::nullopt;
    }
}

void TRegistrySettingsStore::WriteInteger(const std::string& name, int32_t value) { FRegistry.WriteInteger(name, value); }
void TRegistrySettingsStore::WriteBinary(const std::string& name, const std::vector<uint8_t>& bytes) {
    FRegistry.WriteBinaryData(name, bytes.data(), static_cast<int>(bytes.size()));
}
void TRegistrySettingsStore::WriteString(const std::string& name, const std::string& value) {
    FRegistry.WriteString(name, value);
}
void TRegistrySettingsStore::DeleteValue(const std::string& name) { FRegistry.DeleteValue(name); }
