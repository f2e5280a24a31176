#pragma once
// Writes the debug information of a module's crash-report data in the layout
// the address lookup reads (see editor/crashreport/core/lookup/DebugSection.h), and
// turns the build tools' function names into the class and procedure the
// report shows.
#include <cstdint>
#include <string>
#include <vector>

struct TLineRow {
    uint32_t Offset = 0;  // code offset from the module's first section
    int32_t Line = 0;
    bool ProcedureStart = false;
    std::string ClassName;  // with ProcedureStart
    std::string ProcedureName;
};

struct TUnitRows {
    uint32_t Start = 0;
    uint32_t Length = 0;
    std::string Name;
    std::vector<TLineRow> Rows;  // rising offsets inside [Start, Start + Length)
};

// Units must follow each other by start without overlapping. Names are
// enciphered with the password's key (version 500 and later) or XORed with
// the old fixed key (earlier versions).
std::vector<uint8_t> WriteDebugSection(const std::vector<TUnitRows>& units, const std::string& password,
                                       uint16_t version);

// The readable form of a linker name ("_ZN9TMainForm10Open1ClickEP7TObject"
// gives "TMainForm::Open1Click(TObject*)"); other names come back as they are.
// (The cross addr2line's own demangling stumbles over the underscore that
// 32-bit Windows names carry.)
std::string DemangleName(const std::string& name);

// "TMainForm::Open1Click(TObject*) const" gives class "TMainForm" and
// procedure "Open1Click": clone suffixes and the parameter list go, and the
// name splits at its last "::" outside brackets.
void SplitFunctionName(const std::string& demangled, std::string& className, std::string& procedureName);
