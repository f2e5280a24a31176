#pragma once
// Where the debug information of a loaded module lives (a text map file
// beside it, TD32 data inside it or beside it, compact binary data inside it
// or beside it) and the lookup of a code address through it. None of these
// raises for missing or malformed information: a source without usable data
// reports itself not valid and answers nothing.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/Classes.h"

class TZVDebugInfoSource;
class TZVMapScanner;
class TZVPeBorTD32Image;
class TZVBinDebugScanner;

struct TZVLocationInfo {
    uintptr_t Address = 0;
    std::string UnitName;
    std::string ProcedureName;
    int32_t ProcedureLineOffset = 0;
    int32_t LineNumber = 0;
    std::string SourceName;
    TZVDebugInfoSource* DebugInfo = nullptr;  // not owned
};

class TZVDebugInfoSource : public TObject {
public:
    explicit TZVDebugInfoSource(uintptr_t module) : FModule(module) {}
    std::string ClassName() const override { return "TZVDebugInfoSource"; }

    virtual bool InitializeSource() = 0;
    // The offset the readers use: address - module - 0x1000.
    virtual uint32_t VAFromAddr(uintptr_t address) const
    {
        return static_cast<uint32_t>(address - FModule - 0x1000);
    }
    virtual bool ValidData() const = 0;
    // True when the address lies in a unit the source knows; otherwise only
    // the unit name (empty) is written.
    virtual bool GetLocationInfo(uintptr_t address, TZVLocationInfo& location) = 0;

    // The module's full file name; empty when it has none.
    std::string GetFileName() const;
    uintptr_t Module() const { return FModule; }

protected:
    uintptr_t FModule;
};

class TZVDebugInfoMap : public TZVDebugInfoSource {
public:
    explicit TZVDebugInfoMap(uintptr_t module);
    ~TZVDebugInfoMap() override;
    std::string ClassName() const override { return "TZVDebugInfoMap"; }
    bool InitializeSource() override;
    bool ValidData() const override;
    bool GetLocationInfo(uintptr_t address, TZVLocationInfo& location) override;

private:
    std::unique_ptr<TZVMapScanner> FScanner;
};

class TZVDebugInfoTD32 : public TZVDebugInfoSource {
public:
    explicit TZVDebugInfoTD32(uintptr_t module);
    ~TZVDebugInfoTD32() override;
    std::string ClassName() const override { return "TZVDebugInfoTD32"; }
    bool InitializeSource() override;
    bool ValidData() const override;
    bool GetLocationInfo(uintptr_t address, TZVLocationInfo& location) override;

private:
    std::unique_ptr<TZVPeBorTD32Image> FImage;
};

class TZVDebugInfoJedy : public TZVDebugInfoSource {
public:
    explicit TZVDebugInfoJedy(uintptr_t module);
    ~TZVDebugInfoJedy() override;
    std::string ClassName() const override { return "TZVDebugInfoJedy"; }
    bool InitializeSource() override;
    bool ValidData() const override;
    bool GetLocationInfo(uintptr_t address, TZVLocationInfo& location) override;

private:
    std::vector<uint8_t> FData;
    std::unique_ptr<TZVBinDebugScanner> FScanner;
};

// Chooses the module's source: the map file, else TD32, else binary data.
// False, and nothing created, when `source` is already set; false with
// `source` empty when the module has none.
bool AssignValidDebugInfo(uintptr_t module, std::unique_ptr<TZVDebugInfoSource>& source);

// A debug file read whole into one buffer of its size, others may go on
// writing it; false when it does not exist or cannot be read.
bool ReadDebugFile(const std::string& path, std::vector<uint8_t>& data);
bool ReadDebugFile(const std::string& path, std::string& data);
// The file name with its extension replaced ("a\b.exe", ".map" -> "a\b.map").
std::string ChangeFileExtension(const std::string& fileName, const std::string& extension);

// The module's full file name (empty when it has none).
std::string DebugModuleFileName(uintptr_t module);

// The module's image: the bytes from its load address up to its size in
// memory, when the headers are readable; false otherwise.
bool ModuleImageBytes(uintptr_t module, const uint8_t*& image, size_t& size);

namespace zorvik_testing {
// Gives a module handle a file name (tests: a handle no loader knows).
void SetDebugModuleFileName(uintptr_t module, const std::string& fileName);
}  // namespace zorvik_testing
