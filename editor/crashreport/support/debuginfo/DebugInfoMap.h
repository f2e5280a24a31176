#pragma once
// The text map file a linker writes beside a module: its class table,
// segment map, public names and line numbers, read once from a buffer. Names
// stay positions in the text until a lookup turns one into a string.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/Classes.h"

struct TZVMapAddress {
    uint16_t Segment = 0;
    int32_t Offset = 0;
};

// A position in the map's text; NoMapString for none.
using TZVMapString = size_t;
constexpr TZVMapString NoMapString = static_cast<size_t>(-1);

class TZVAbstractMapParser : public TObject {
public:
    // Reads from a copy of the text; an empty text holds no tables.
    explicit TZVAbstractMapParser(std::string text);
    std::string ClassName() const override { return "TZVAbstractMapParser"; }

    // Walks the text once and reports every item.
    void Parse();

    // "(" starts a bracketed name up to ")" or the line's end; otherwise the
    // characters up to a line end, blank or "(".
    std::string MapStringToStr(TZVMapString s) const;
    // The file name a value names, without folder or extension.
    std::string MapStringToFileName(TZVMapString s) const;
    const std::string& Text() const { return FText; }

protected:
    virtual void ClassTableItem(const TZVMapAddress& address, int32_t length, TZVMapString section,
                                TZVMapString groupName) = 0;
    virtual void SegmentItem(const TZVMapAddress& address, int32_t length, TZVMapString groupName,
                             TZVMapString unitName) = 0;
    virtual void PublicsByNameItem(const TZVMapAddress& address, TZVMapString name) = 0;
    virtual void PublicsByValueItem(const TZVMapAddress& address, TZVMapString name) = 0;
    virtual void LineNumberUnitItem(TZVMapString unitName, TZVMapString unitFileName) = 0;
    virtual void LineNumbersItem(int32_t lineNumber, const TZVMapAddress& address) = 0;

    std::string FText;
    TZVMapString FLastUnitName = NoMapString;
    TZVMapString FLastUnitFileName = NoMapString;

private:
    bool Eof() const { return FPos >= FText.size(); }
    char Cur() const { return FText[FPos]; }
    bool IsDigit() const { return !Eof() && Cur() >= '0' && Cur() <= '9'; }
    void SkipWhiteSpace();
    void SkipEndLine();
    bool FindHeader(const char* const words[4]);
    uint32_t ReadHexValue();
    int32_t ReadDecValue();
    TZVMapAddress ReadAddress();
    TZVMapString ReadString();
    void SkipTo(const char* marker);

    size_t FPos = 0;
};

// Collects the code segments, public names, line numbers and source names of
// segment 1 into sorted tables and answers lookups by code offset.
class TZVMapScanner : public TZVAbstractMapParser {
public:
    explicit TZVMapScanner(std::string text);
    std::string ClassName() const override { return "TZVMapScanner"; }

    std::string ModuleNameFromAddr(uint32_t offset) const;
    // 0xFFFFFFFF when no code segment holds the offset.
    uint32_t ModuleStartFromAddr(uint32_t offset) const;
    std::string ProcNameFromAddr(uint32_t offset, uint32_t& procedureOffset) const;
    int32_t LineNumberFromAddr(uint32_t offset, uint32_t& lineOffset) const;
    std::string SourceNameFromAddr(uint32_t offset) const;

    size_t SegmentCount() const { return FSegments.size(); }
    int32_t LineNumberErrors() const { return FLineNumberErrors; }

protected:
    void ClassTableItem(const TZVMapAddress&, int32_t, TZVMapString, TZVMapString) override {}
    void SegmentItem(const TZVMapAddress& address, int32_t length, TZVMapString groupName,
                     TZVMapString unitName) override;
    void PublicsByNameItem(const TZVMapAddress&, TZVMapString) override {}
    void PublicsByValueItem(const TZVMapAddress& address, TZVMapString name) override;
    void LineNumberUnitItem(TZVMapString unitName, TZVMapString unitFileName) override;
    void LineNumbersItem(int32_t lineNumber, const TZVMapAddress& address) override;

private:
    struct Segment {
        uint32_t start, end;
        TZVMapString unitName;
    };
    template <typename T>
    struct Entry {
        uint32_t offset;
        T value;
    };
    template <typename T>
    static const Entry<T>* Search(const std::vector<Entry<T>>& table, uint32_t offset);

    std::vector<Entry<int32_t>> FLineNumbers;
    std::vector<Entry<TZVMapString>> FProcNames;
    std::vector<Segment> FSegments;
    std::vector<Entry<TZVMapString>> FSourceNames;
    TZVMapAddress FLastAccessedLineNumberAddress;
    uint32_t FTopValidAddress = 0;
    int32_t FLineNumberErrors = 0;
    TZVMapString FNewUnitFileName = NoMapString;
};

// Hands every item to an event instead of keeping it.
class TZVMapParser : public TZVAbstractMapParser {
public:
    explicit TZVMapParser(std::string text) : TZVAbstractMapParser(std::move(text)) {}
    std::string ClassName() const override { return "TZVMapParser"; }

    std::function<void(const TZVMapAddress&, const std::string& section, const std::string& groupName, int32_t length)>
        OnClassTable;
    std::function<void(const TZVMapAddress&, const std::string& unit, const std::string& groupName, int32_t length)>
        OnSegment;
    std::function<void(const TZVMapAddress&, const std::string& name)> OnPublicsByName;
    std::function<void(const TZVMapAddress&, const std::string& name)> OnPublicsByValue;
    std::function<void(const std::string& unitName, const std::string& unitFileName)> OnLineNumberUnit;
    std::function<void(int32_t lineNumber, const TZVMapAddress&)> OnLineNumbers;

protected:
    void ClassTableItem(const TZVMapAddress& address, int32_t length, TZVMapString section,
                        TZVMapString groupName) override;
    void SegmentItem(const TZVMapAddress& address, int32_t length, TZVMapString groupName,
                     TZVMapString unitName) override;
    void PublicsByNameItem(const TZVMapAddress& address, TZVMapString name) override;
    void PublicsByValueItem(const TZVMapAddress& address, TZVMapString name) override;
    void LineNumberUnitItem(TZVMapString unitName, TZVMapString unitFileName) override;
    void LineNumbersItem(int32_t lineNumber, const TZVMapAddress& address) override;
};
