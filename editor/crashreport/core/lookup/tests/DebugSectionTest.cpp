#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "editor/crashreport/core/lookup/DebugSection.h"
#include "editor/crashreport/support/archive/Base64.h"
#include "editor/crashreport/support/archive/BlockCipher.h"
#include "tools/crashdata/DebugSectionWriter.h"

namespace {

TLineRow Row(uint32_t offset, int32_t line, const std::string& cls = "", const std::string& proc = "")
{
    TLineRow r;
    r.Offset = offset;
    r.Line = line;
    r.ProcedureStart = !proc.empty();
    r.ClassName = cls;
    r.ProcedureName = proc;
    return r;
}

// Two units: MainForm.cpp at 0x100-0x1FF and Helpers (no extension) at
// 0x300-0x33F, with procedures whose code begins in different ways.
std::vector<TUnitRows> Units()
{
    TUnitRows a;
    a.Start = 0x100;
    a.Length = 0x100;
    a.Name = "MainForm.cpp";
    a.Rows = {Row(0x100, 214, "TMainForm", "Open1Click"), Row(0x108, 215), Row(0x120, 220),
              Row(0x140, 300, "", "Plain"), Row(0x148, 302), Row(0x160, 400, "", "Finalization"),
              Row(0x170, 500, "", "Initialization"), Row(0x180, 600, "", "@Start"),
              Row(0x190, 700, "", ".Method"), Row(0x1A0, 800, "TMainForm", "Pushes")};
    TUnitRows b;
    b.Start = 0x300;
    b.Length = 0x40;
    b.Name = "Helpers";
    b.Rows = {Row(0x310, 10), Row(0x320, 20, "", "Later")};
    return {a, b};
}

// The module's code: 55 8B EC at Open1Click, 55 89 E5 at Pushes... see below.
TCodeReader Code()
{
    static const std::map<uint32_t, std::vector<uint8_t>> code = {
        {0x100, {0x55, 0x8B, 0xEC}}, {0x140, {0x83, 0xEC, 0x10}}, {0x160, {0x55, 0x8B, 0xEC}},
        {0x170, {0x90, 0x90, 0x90}}, {0x180, {0x55, 0x89, 0xE5}}, {0x190, {0x53, 0x56, 0x57}},
        {0x1A0, {0x53, 0x90, 0x90}}, {0x320, {0x55, 0x8B, 0xEC}},
    };
    return [](uint32_t offset, uint8_t* bytes, uint32_t count) {
        const auto it = code.find(offset);
        if (it == code.end() || count > it->second.size())
            return false;
        std::memcpy(bytes, it->second.data(), count);
        return true;
    };
}

TZorvikDebugInfo Look(TDebugSection& s, uint32_t offset, bool* found = nullptr)
{
    TZorvikDebugInfo info;
    const bool ok = s.Lookup(offset, Code(), info);
    if (found)
        *found = ok;
    return info;
}

TEST(DebugSection, LinesProceduresAndLineOffsets)
{
    TDebugSection s(WriteDebugSection(Units(), "secret", 6020), 6020, true, "secret");
    ASSERT_TRUE(s.Valid());
    EXPECT_EQ(s.UnitCount(), 2u);
    struct Case {
        uint32_t offset;
        const char* unit;
        const char* cls;
        const char* proc;
        int32_t line, lineOffset;
    } cases[] = {
        // First line of a procedure that opens a stack frame: offset 0.
        {0x100, "MainForm.cpp", "TMainForm", "Open1Click", 214, 0},
        {0x107, "MainForm.cpp", "TMainForm", "Open1Click", 214, 0},
        {0x108, "MainForm.cpp", "TMainForm", "Open1Click", 215, 1},
        {0x13F, "MainForm.cpp", "TMainForm", "Open1Click", 220, 6},
        // No frame and no register push: counted from the line before.
        {0x140, "MainForm.cpp", "", "Plain", 300, 1},
        {0x148, "MainForm.cpp", "", "Plain", 302, 3},
        // "Finalization" always counts from the line before, "Initialization" never.
        {0x160, "MainForm.cpp", "", "Finalization", 400, 1},
        {0x170, "MainForm.cpp", "", "Initialization", 500, 0},
        // GCC's frame; a leading "@" becomes "_".
        {0x180, "MainForm.cpp", "", "_Start", 600, 0},
        // A name beginning with "." keeps the class before it; 53 counts as a frame.
        {0x190, "MainForm.cpp", "", "Method", 700, 0},
        {0x1A0, "MainForm.cpp", "TMainForm", "Pushes", 800, 0},
        // The unit's last byte belongs to its last line.
        {0x1FF, "MainForm.cpp", "TMainForm", "Pushes", 800, 0},
        // Before the first procedure start of a unit: offset 0; before the
        // first line: no line. A unit without "." gets the source extension.
        {0x310, "Helpers.cpp", "", "", 10, 0},
        {0x300, "Helpers.cpp", "", "", 0, 0},
        {0x33F, "Helpers.cpp", "", "Later", 20, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offset);
        bool found = false;
        const TZorvikDebugInfo info = Look(s, c.offset, &found);
        ASSERT_TRUE(found);
        EXPECT_EQ(info.DebugDetail, ddSourceCode);
        EXPECT_EQ(info.UnitName, c.unit);
        EXPECT_EQ(info.ClassName, c.cls);
        EXPECT_EQ(info.ProcedureName, c.proc);
        EXPECT_EQ(info.Line, c.line);
        EXPECT_EQ(info.LineOffset, c.lineOffset);
    }
    for (uint32_t outside : {0x0u, 0xFFu, 0x200u, 0x2FFu, 0x340u, 0xFFFFFFFFu}) {
        bool found = true;
        const TZorvikDebugInfo info = Look(s, outside, &found);
        EXPECT_FALSE(found) << outside;
        EXPECT_EQ(info.UnitName, "");
    }
}

TEST(DebugSection, MethodWithAClassKeepsItForALaterDotName)
{
    TUnitRows u;
    u.Start = 0;
    u.Length = 0x40;
    u.Name = "A.cpp";
    u.Rows = {Row(0x00, 1, "TOne", "First"), Row(0x10, 5, "", ".Second")};
    TDebugSection s(WriteDebugSection({u}, "", 6020), 6020, true, "");
    const TZorvikDebugInfo info = Look(s, 0x10);
    EXPECT_EQ(info.ClassName, "TOne");
    EXPECT_EQ(info.ProcedureName, "Second");
}

TEST(DebugSection, LockedNamesShowTheirStoredBytes)
{
    const auto data = WriteDebugSection(Units(), "secret", 6020);
    TDebugSection s(data, 6020, false, "wrong");
    const TZorvikDebugInfo info = Look(s, 0x108);
    // The stored bytes are the enciphered name.
    std::string unit = "MainForm.cpp";
    TBlockCipher("secret").Encrypt(unit.data(), unit.data(), static_cast<int32_t>(unit.size()));
    EXPECT_EQ(info.UnitName, "?c" + Base64EncodeToString(unit.data(), static_cast<int32_t>(unit.size())));
    ASSERT_EQ(info.ClassName.substr(0, 1), "?");
    ASSERT_EQ(info.ProcedureName.substr(0, 1), "?");
    EXPECT_EQ(info.Line, 215);
}

TEST(DebugSection, OlderLayoutsOfNames)
{
    for (uint16_t version : {499, 501, 502}) {
        SCOPED_TRACE(version);
        TDebugSection s(WriteDebugSection(Units(), "pw", version), version, true, "pw");
        const TZorvikDebugInfo info = Look(s, 0x108);
        EXPECT_EQ(info.UnitName, "MainForm.cpp");
        EXPECT_EQ(info.ClassName, "TMainForm");
        EXPECT_EQ(info.ProcedureName, "Open1Click");
    }
}

TEST(DebugSection, LongNamesKeepEveryCharacter)
{
    TUnitRows u;
    u.Start = 0;
    u.Length = 0x10;
    u.Name = std::string(300, 'u') + ".cpp";
    u.Rows = {Row(0, 1, std::string(200, 'C'), std::string(400, 'p'))};
    TDebugSection s(WriteDebugSection({u}, "", 6020), 6020, true, "");
    const TZorvikDebugInfo info = Look(s, 4);
    EXPECT_EQ(info.UnitName, u.Name);
    EXPECT_EQ(info.ClassName, std::string(200, 'C'));
    EXPECT_EQ(info.ProcedureName, std::string(400, 'p'));
}

TEST(DebugSection, DamagedStreamsAnswerNothingAndStayInside)
{
    const auto data = WriteDebugSection(Units(), "", 6020);
    for (size_t n = 0; n < data.size(); ++n) {
        TDebugSection cut(std::vector<uint8_t>(data.begin(), data.begin() + n), 6020, true, "");
        EXPECT_FALSE(cut.Valid()) << n;
        Look(cut, 0x108);
        std::vector<uint8_t> flipped = data;
        flipped[n] ^= 0xA5;
        TDebugSection f(flipped, 6020, true, "");
        for (uint32_t offset = 0; offset < 0x400; offset += 8)
            Look(f, offset);
    }
    // A count that promises more units than the stream could hold.
    std::vector<uint8_t> huge;
    WritePackedNumber(huge, 0xFFFFFFF);
    TDebugSection h(huge, 6020, true, "");
    EXPECT_FALSE(h.Valid());
    // Six continuation bytes are no number.
    const std::vector<uint8_t> six = {0x81, 0x81, 0x81, 0x81, 0x81, 0x01};
    size_t p = 0;
    uint32_t v;
    EXPECT_FALSE(ReadPackedNumber(six.data(), six.size(), p, v));
}

TEST(FunctionNames, ClassAndProcedureOfDemangledNames)
{
    struct Case {
        const char* name;
        const char* cls;
        const char* proc;
    } cases[] = {
        {"TMainForm::Open1Click(TObject*)", "TMainForm", "Open1Click"},
        {"TMainForm::Caption() const", "TMainForm", "Caption"},
        {"WinMain@16", "", "WinMain@16"},
        {"main", "", "main"},
        {"TApplication::ShowException(Exception const&) [clone .cold]", "TApplication", "ShowException"},
        {"void std::vector<int, std::allocator<int> >::_M_realloc_insert<int const&>(int*, int const&)",
         "std::vector<int, std::allocator<int> >", "_M_realloc_insert<int const&>"},
        {"(anonymous namespace)::Helper(int)", "(anonymous namespace)", "Helper"},
        {"TList::operator[](int)", "TList", "operator[]"},
        {"operator new(unsigned int)", "", "operator new"},
        {"std::function<void (TObject*)>::operator()(TObject*) const", "std::function<void (TObject*)>",
         "operator()"},
        {"ns::TCls::~TCls()", "ns::TCls", "~TCls"},
    };
    for (const Case& c : cases) {
        std::string cls, proc;
        SplitFunctionName(c.name, cls, proc);
        EXPECT_EQ(cls, c.cls) << c.name;
        EXPECT_EQ(proc, c.proc) << c.name;
    }
}

}  // namespace
