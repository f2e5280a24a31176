#pragma once
// TD32 debug information (signatures "FB09" and "FB0A"): subsection
// directories, modules with their code segments, source modules with their
// line blocks, aligned symbols and names. Read from a block it is given;
// every offset, count, name and directory chain is checked against the
// block, and damaged data is reported as not valid, never raised.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/Classes.h"

// --- symbols ---
class TZVSymbolInfo : public TObject {
public:
    explicit TZVSymbolInfo(uint16_t symbolType) : FSymbolType(symbolType) {}
    uint16_t SymbolType() const { return FSymbolType; }
    std::string ClassName() const override { return "TZVSymbolInfo"; }

private:
    uint16_t FSymbolType;
};

class TZVProcSymbolInfo : public TZVSymbolInfo {
public:
    TZVProcSymbolInfo(uint16_t type, uint32_t nameIndex, uint32_t offset, uint32_t size)
        : TZVSymbolInfo(type), NameIndex(nameIndex), Offset(offset), Size(size)
    {
    }
    std::string ClassName() const override { return "TZVProcSymbolInfo"; }
    uint32_t NameIndex, Offset, Size;
};
class TZVLocalProcSymbolInfo : public TZVProcSymbolInfo {
public:
    using TZVProcSymbolInfo::TZVProcSymbolInfo;
    std::string ClassName() const override { return "TZVLocalProcSymbolInfo"; }
};
class TZVGlobalProcSymbolInfo : public TZVProcSymbolInfo {
public:
    using TZVProcSymbolInfo::TZVProcSymbolInfo;
    std::string ClassName() const override { return "TZVGlobalProcSymbolInfo"; }
};

class TZVObjNameSymbolInfo : public TZVSymbolInfo {
public:
    TZVObjNameSymbolInfo(uint16_t type, uint32_t signature, uint32_t nameIndex)
        : TZVSymbolInfo(type), Signature(signature), NameIndex(nameIndex)
    {
    }
    std::string ClassName() const override { return "TZVObjNameSymbolInfo"; }
    uint32_t Signature, NameIndex;
};

class TZVDataSymbolInfo : public TZVSymbolInfo {
public:
    TZVDataSymbolInfo(uint16_t type, uint32_t typeIndex, uint32_t nameIndex, uint32_t offset)
        : TZVSymbolInfo(type), TypeIndex(typeIndex), NameIndex(nameIndex), Offset(offset)
    {
    }
    std::string ClassName() const override { return "TZVDataSymbolInfo"; }
    uint32_t TypeIndex, NameIndex, Offset;
};
class TZVLDataSymbolInfo : public TZVDataSymbolInfo {
public:
    using TZVDataSymbolInfo::TZVDataSymbolInfo;
    std::string ClassName() const override { return "TZVLDataSymbolInfo"; }
};
class TZVGDataSymbolInfo : public TZVDataSymbolInfo {
public:
    using TZVDataSymbolInfo::TZVDataSymbolInfo;
    std::string ClassName() const override { return "TZVGDataSymbolInfo"; }
};
class TZVPublicSymbolInfo : public TZVDataSymbolInfo {
public:
    using TZVDataSymbolInfo::TZVDataSymbolInfo;
    std::string ClassName() const override { return "TZVPublicSymbolInfo"; }
};

class TZVWithSymbolInfo : public TZVSymbolInfo {
public:
    TZVWithSymbolInfo(uint16_t type, uint32_t size, uint32_t offset, uint32_t nameIndex)
        : TZVSymbolInfo(type), Size(size), Offset(offset), NameIndex(nameIndex)
    {
    }
    std::string ClassName() const override { return "TZVWithSymbolInfo"; }
    uint32_t Size, Offset, NameIndex;
};

class TZVLabelSymbolInfo : public TZVSymbolInfo {
public:
    TZVLabelSymbolInfo(uint16_t type, uint32_t offset, uint32_t nameIndex)
        : TZVSymbolInfo(type), Offset(offset), NameIndex(nameIndex)
    {
    }
    std::string ClassName() const override { return "TZVLabelSymbolInfo"; }
    uint32_t Offset, NameIndex;
};

class TZVConstantSymbolInfo : public TZVSymbolInfo {
public:
    TZVConstantSymbolInfo(uint16_t type, uint32_t typeIndex, uint32_t nameIndex, uint32_t value)
        : TZVSymbolInfo(type), TypeIndex(typeIndex), NameIndex(nameIndex), Value(value)
    {
    }
    std::string ClassName() const override { return "TZVConstantSymbolInfo"; }
    uint32_t TypeIndex, NameIndex, Value;
};

class TZVUdtSymbolInfo : public TZVSymbolInfo {
public:
    TZVUdtSymbolInfo(uint16_t type, uint32_t typeIndex, uint16_t properties, uint32_t nameIndex)
        : TZVSymbolInfo(type), TypeIndex(typeIndex), Properties(properties), NameIndex(nameIndex)
    {
    }
    std::string ClassName() const override { return "TZVUdtSymbolInfo"; }
    uint32_t TypeIndex;
    uint16_t Properties;
    uint32_t NameIndex;
};

class TZVVftPathSymbolInfo : public TZVSymbolInfo {
public:
    TZVVftPathSymbolInfo(uint16_t type, uint32_t offset, uint32_t rootIndex, uint32_t pathIndex)
        : TZVSymbolInfo(type), Offset(offset), RootIndex(rootIndex), PathIndex(pathIndex)
    {
    }
    std::string ClassName() const override { return "TZVVftPathSymbolInfo"; }
    uint32_t Offset, RootIndex, PathIndex;
};

// --- modules and source modules ---
struct TZVSegmentInfo {
    uint16_t Segment, Flags;
    uint32_t Offset, Size;
};

class TZVModuleInfo : public TObject {
public:
    std::string ClassName() const override { return "TZVModuleInfo"; }
    uint32_t NameIndex = 0;
    std::vector<TZVSegmentInfo> Segments;
};

struct TZVLineInfo {
    int32_t LineNo;
    uint32_t Offset;
};

class TZVSourceModuleInfo : public TObject {
public:
    std::string ClassName() const override { return "TZVSourceModuleInfo"; }
    uint32_t NameIndex = 0;
    std::vector<TZVLineInfo> Lines;
    std::vector<std::pair<uint32_t, uint32_t>> Ranges;  // start, end
};

// The data's signature: "FB09" or "FB0A".
bool IsTD32Sign(const uint8_t* signature);
// Longer than 8 bytes, both signatures valid, the trailer's distance at least
// 16 and within the block.
bool IsTD32DebugInfoValid(const uint8_t* data, size_t size);

class TZVTD32InfoParser : public TObject {
public:
    // The block must outlive the parser.
    TZVTD32InfoParser(const uint8_t* data, size_t size);
    std::string ClassName() const override { return "TZVTD32InfoParser"; }

    bool ValidData() const { return FValidData; }
    std::string GetName(uint32_t index) const;
    size_t GetNameCount() const { return FNames.size(); }
    const TZVModuleInfo* GetModule(size_t i) const { return FModules[i].get(); }
    size_t GetModuleCount() const { return FModules.size(); }
    const TZVSourceModuleInfo* GetSourceModule(size_t i) const { return FSourceModules[i].get(); }
    size_t GetSourceModuleCount() const { return FSourceModules.size(); }
    const TZVSymbolInfo* GetSymbol(size_t i) const { return FSymbols[i].get(); }
    size_t GetSymbolCount() const { return FSymbols.size(); }

protected:
    virtual bool AnalyseNames(size_t at, size_t size);
    virtual bool AnalyseAlignSymbols(size_t at, size_t size);
    virtual bool AnalyseModules(size_t at, size_t size);
    virtual bool AnalyseSourceModules(size_t at, size_t size);

    const TZVModuleInfo* FindModule(uint32_t offset) const;
    const TZVSourceModuleInfo* FindSourceModule(uint32_t offset) const;
    static const TZVLineInfo* FindLine(const TZVSourceModuleInfo& source, uint32_t offset);
    const TZVProcSymbolInfo* FindProc(uint32_t offset) const;

private:
    bool Analyse();
    bool U16(size_t at, uint16_t& v) const;
    bool U32(size_t at, uint32_t& v) const;

    const uint8_t* FData;
    size_t FSize;
    std::vector<std::string> FNames;  // entry 0: the empty placeholder
    std::vector<std::unique_ptr<TZVModuleInfo>> FModules;
    std::vector<std::unique_ptr<TZVSourceModuleInfo>> FSourceModules;
    std::vector<std::unique_ptr<TZVSymbolInfo>> FSymbols;
    bool FValidData = false;
};

class TZVTD32InfoScanner : public TZVTD32InfoParser {
public:
    using TZVTD32InfoParser::TZVTD32InfoParser;
    std::string ClassName() const override { return "TZVTD32InfoScanner"; }

    std::string ModuleNameFromAddr(uint32_t offset) const;
    std::string ProcNameFromAddr(uint32_t offset, uint32_t& procedureOffset) const;
    int32_t LineNumberFromAddr(uint32_t offset, uint32_t& lineOffset) const;
    // Leaves `name` as it was when no source module holds the offset.
    void SourceNameFromAddr(uint32_t offset, std::string& name) const;
};

// The TD32 data of a loaded module: inside the image (its debug directory)
// or in the ".tds" file beside it.
class TZVPeBorTD32Image : public TObject {
public:
    explicit TZVPeBorTD32Image(uintptr_t module);
    std::string ClassName() const override { return "TZVPeBorTD32Image"; }

    bool IsDebugInfoPresent() const { return FDebugInfoPresent; }
    TZVTD32InfoScanner* Scanner() const { return FScanner.get(); }
    void Clear();

private:
    void CheckDebugData();
    bool IsDebugInfoInImage();
    bool IsDebugInfoInTds();

    bool FDebugInfoPresent = false;
    std::vector<uint8_t> FFileData;  // a ".tds" file read whole
    const uint8_t* FData = nullptr;
    size_t FSize = 0;
    std::unique_ptr<TZVTD32InfoScanner> FScanner;
    uintptr_t FModule;
};
