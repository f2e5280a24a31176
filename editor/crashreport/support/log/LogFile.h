#pragma once
// The log of one program's crash reports (".zvf"): a list of report texts
// that is loaded, parsed, trimmed, searched by item values, edited in place,
// cut into its sections and written as XML.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editor/crashreport/support/archive/BlockCipher.h"
#include "framework/Classes.h"
#include "framework/Streams.h"

class TLogFile : public TObject {
public:
    // A log held in memory only (no file behind it).
    TLogFile();
    // Opens the file when it exists (shared with other readers and writers)
    // and loads it; the name first goes through GetWorkingFile.
    TLogFile(const std::string& fileName, bool readOnly);
    ~TLogFile() override;
    std::string ClassName() const override { return "TLogFile"; }

    const std::string& FileName() const { return FFileName; }

    void ParseBuffer(const std::string& text);
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    // Writes the file, creating it on the first save.
    void Save();

    // max -1: no limit; else the oldest reports go so that at most max remain.
    void Append(const std::string& report, int32_t max);
    void DeleteItem(int32_t index);
    void Clear();
    // The last report in which one of the (item number, value) pairs matches; -1 when none.
    int32_t FindItem(const std::vector<std::string>& names, const std::vector<std::string>& values) const;
    void SetItemValue(const std::string& number, const std::string& value, const std::string& label, int32_t index);
    std::string GetItemValue(const std::string& number, int32_t index) const;

    int32_t GetCount() const { return static_cast<int32_t>(FReports.size()); }
    std::string GetText() const;
    std::string GetItem(int32_t index) const;

    // 1-based position in a report text: the rule line of the count-th section
    // title after the first table, or the start of the count-th block after
    // it; 0 when the report has no such place.
    static int32_t SectionIndex(const std::string& text, int32_t count, bool byBlocks);

    std::string GetItem_Generals(int32_t index) const;
    std::string GetItem_CallStack(int32_t index) const;
    std::string GetItem_Modules(int32_t index) const;
    std::string GetItem_Processes(int32_t index) const;
    std::string GetItem_Assembler(int32_t index) const;
    std::string GetItem_CPU(int32_t index) const;
    std::string GetItem_Reproduce(int32_t index) const;
    std::string GetLogVersion(int32_t index) const;
    bool GetCorruptedLog(int32_t index) const;

    // The password of the program's enciphered debug information; the XML
    // form reads enciphered names of the call stack with it.
    void SetPassword(const std::string& password);
    const std::string& Password() const { return FPassword; }

    std::string GetItem_GeneralsXML(int32_t index) const;
    std::string GetItem_CallStackXML(int32_t index) const;
    std::string GetItem_ModulesXML(int32_t index) const;
    std::string GetItem_ProcessesXML(int32_t index) const;
    std::string GetItem_AssemblerXML(int32_t index) const;
    std::string GetItem_CPUXML(int32_t index) const;
    std::string GetItem_ReproduceXML(int32_t index) const;
    std::string GetItem_XML(int32_t index) const;
    std::string GetXML() const;
    void SaveXMLCopy(const std::string& fileName) const;

private:
    bool ValidIndex(int32_t index) const { return index >= 0 && index < GetCount(); }
    std::string DecipherName(const std::string& text) const;

    std::string FFileName;
    std::unique_ptr<TStream> FStream;
    std::vector<std::string> FReports;
    std::string FPassword;
    TBlockCipher FCipher;
};

// Report versions are compared as texts, character by character.
bool LogVersionOlder(const std::string& version, const std::string& than);
