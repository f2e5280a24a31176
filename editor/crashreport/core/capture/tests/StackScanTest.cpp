// The stack scan over made-up memory: a code region whose bytes the tests
// write, and a stack of words that point behind call instructions in it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>

#include "editor/crashreport/core/capture/StackScan.h"

namespace {

constexpr uintptr_t CodeBase = 0x10000;
constexpr uintptr_t StackBase = 0x200000;

// Regions of readable bytes.
struct FakeMemory {
    std::map<uintptr_t, std::vector<uint8_t>> regions;

    const uint8_t* At(uintptr_t a, size_t n) const
    {
        auto r = regions.upper_bound(a);
        if (r == regions.begin())
            return nullptr;
        --r;
        if (a - r->first > r->second.size() || r->second.size() - (a - r->first) < n)
            return nullptr;
        return r->second.data() + (a - r->first);
    }
    TScanMemory Memory(size_t word = 4)
    {
        TScanMemory m;
        m.Readable = [this](uintptr_t a, size_t n) { return At(a, n) != nullptr; };
        m.Read = [this](uintptr_t a, void* out, size_t n) {
            const uint8_t* p = At(a, n);
            if (p)
                std::memcpy(out, p, n);
            return p != nullptr;
        };
        m.Convert = [](uintptr_t a) { return a; };
        m.WordSize = word;
        m.RipRelative = word == 8;
        return m;
    }
};

// Each code address becomes a source row of a procedure named by it, so
// that rows of different addresses differ.
TRowLookup NamedRows()
{
    return [](uintptr_t address, bool, TZorvikDebugInfo& row) {
        row.DebugDetail = ddSourceCode;
        row.UnitName = "Probe.cpp";
        row.ProcedureName = "P" + std::to_string(address);
        row.Line = 10;
        row.LineOffset = 1;
    };
}

void PutWord(std::vector<uint8_t>& stack, size_t index, uintptr_t value, size_t word = 4)
{
    if (stack.size() < (index + 1) * word)
        stack.resize((index + 1) * word);
    std::memcpy(stack.data() + index * word, &value, word);
}

TEST(StackScan, CallFormsBeforeAReturnAddress)
{
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;  // the code ends at the return address
        int site;                    // bytes back from the return address; 0: none
    } cases[] = {
        {"call rel32", {0x90, 0x90, 0xE8, 0x10, 0, 0, 0}, 5},
        {"call eax", {0x90, 0x90, 0x90, 0x90, 0x90, 0xFF, 0xD0}, 2},
        {"call edi", {0x90, 0x90, 0x90, 0x90, 0x90, 0xFF, 0xD7}, 2},
        {"call [ebx]", {0x90, 0x90, 0x90, 0x90, 0x90, 0xFF, 0x13}, 2},
        {"call [esi]", {0x90, 0x90, 0x90, 0x90, 0x90, 0xFF, 0x16}, 2},
        {"call [eax+8] behind a load (W-5)", {0x90, 0x90, 0x8B, 0x00, 0xFF, 0x50, 0x08}, 3},
        {"call [eax+8] behind a load (W-6)", {0x90, 0x8B, 0x40, 0x04, 0xFF, 0x50, 0x08}, 3},
        {"call [eax+8] without a load", {0x90, 0x90, 0x90, 0x90, 0xFF, 0x50, 0x08}, 0},
        {"call [eax+0x3000]", {0x90, 0xFF, 0x90, 0x00, 0x30, 0, 0}, 6},
        {"call [eax-0x4000]", {0x90, 0xFF, 0x90, 0x00, 0xC0, 0xFF, 0xFF}, 6},
        {"call [eax+0x5000]", {0x90, 0xFF, 0x90, 0x00, 0x50, 0, 0}, 0},
        {"call [esp]", {0x90, 0x90, 0x90, 0x90, 0xFF, 0x14, 0x24}, 3},
        {"call [esp+8]", {0x90, 0x90, 0x90, 0xFF, 0x54, 0x24, 0x08}, 4},
        {"call [esp+0x100]", {0xFF, 0x94, 0x24, 0x00, 0x01, 0, 0}, 7},
        {"call [readable pointer]", {0x90, 0xFF, 0x15, 0x00, 0x00, 0x01, 0x00}, 6},
        {"call [unreadable pointer]", {0x90, 0xFF, 0x15, 0x00, 0x00, 0x00, 0x70}, 0},
        {"no call", {0x90, 0x90, 0x90, 0x90, 0x90, 0x90, 0x90}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeMemory mem;
        std::vector<uint8_t> code(0x40, 0x90);
        std::memcpy(code.data() + 0x20, c.bytes.data(), c.bytes.size());
        mem.regions[CodeBase] = code;
        const uintptr_t w = CodeBase + 0x20 + c.bytes.size();
        TCallSite site;
        const bool found = FindCallBefore(w, mem.Memory(), site);
        EXPECT_EQ(found, c.site != 0);
        if (found && c.site)
            EXPECT_EQ(site.Site, w - c.site);
    }
}

TEST(StackScan, AbsolutePointerOf64BitCodeIsRelativeToTheNextInstruction)
{
    FakeMemory mem;
    std::vector<uint8_t> code(0x40, 0x90);
    // call [rip + 0x10] ending at +0x20: its pointer lies at +0x30.
    const uint8_t call[] = {0xFF, 0x15, 0x10, 0, 0, 0};
    std::memcpy(code.data() + 0x1A, call, sizeof call);
    mem.regions[CodeBase] = code;
    TCallSite site;
    EXPECT_TRUE(FindCallBefore(CodeBase + 0x20, mem.Memory(8), site));
    // 0x30 bytes on, the pointer would lie outside the code.
    code[0x1C] = 0x30;
    mem.regions[CodeBase] = code;
    EXPECT_FALSE(FindCallBefore(CodeBase + 0x20, mem.Memory(8), site));
}

// A code region of `count` call-register sites, 8 bytes apart, and a stack
// whose words return behind each of them.
struct CallChain {
    FakeMemory mem;
    std::vector<uintptr_t> returns;
    explicit CallChain(size_t count, size_t word = 4)
    {
        std::vector<uint8_t> code(count * 8 + 16, 0x90);
        std::vector<uint8_t> stack;
        for (size_t i = 0; i < count; ++i) {
            code[i * 8 + 6] = 0xFF;
            code[i * 8 + 7] = 0xD0;
            returns.push_back(CodeBase + i * 8 + 8);
            PutWord(stack, i, returns.back(), word);
        }
        mem.regions[CodeBase] = code;
        mem.regions[StackBase] = stack;
    }
};

TEST(StackScan, AListHoldsAtMost1025Rows)
{
    CallChain chain(1030);
    TStackScanner scanner(chain.mem.Memory(), NamedRows());
    TZorvikStackList list;
    TScanParameters p;
    scanner.ScanStack(list, 0, StackBase, StackBase + 1030 * 4, p);
    EXPECT_EQ(list.Count(), 1025u);
    EXPECT_EQ(list.Rows[0].Address, chain.returns[0] - 2);
    EXPECT_EQ(list.Rows[1024].Address, chain.returns[1024] - 2);
}

TEST(StackScan, OnlyTheFirst102400BytesAreScanned)
{
    // Words spread every 100 bytes; the last one beyond the limit.
    FakeMemory mem;
    std::vector<uint8_t> code(32, 0x90);
    code[6] = 0xFF;
    code[7] = 0xD0;
    code[14] = 0xFF;
    code[15] = 0xD1;
    mem.regions[CodeBase] = code;
    std::vector<uint8_t> stack(MaxScannedStack + 400, 0);
    PutWord(stack, 0, CodeBase + 8);
    PutWord(stack, (MaxScannedStack + 100) / 4, CodeBase + 16);
    mem.regions[StackBase] = stack;
    TStackScanner scanner(mem.Memory(), NamedRows());
    TZorvikStackList list;
    TScanParameters p;
    scanner.ScanStack(list, 0, StackBase, StackBase + stack.size(), p);
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.Rows[0].Address, CodeBase + 6);
}

TEST(StackScan, UnreadableStackWordsAreSkipped)
{
    CallChain chain(3);
    // A hole of unreadable memory between the second and third word.
    auto& stack = chain.mem.regions[StackBase];
    std::vector<uint8_t> tail(stack.begin() + 8, stack.end());
    stack.resize(8);
    chain.mem.regions[StackBase + 8 + 4096] = tail;
    TStackScanner scanner(chain.mem.Memory(), NamedRows());
    TZorvikStackList list;
    TScanParameters p;
    scanner.ScanStack(list, 0, StackBase, StackBase + 8 + 4096 + 4, p);
    ASSERT_EQ(list.Count(), 3u);
    EXPECT_EQ(list.Rows[2].Address, chain.returns[2] - 2);
}

TEST(StackScan, WordsOf64BitStacks)
{
    CallChain chain(4, 8);
    TStackScanner scanner(chain.mem.Memory(8), NamedRows());
    TZorvikStackList list;
    TScanParameters p;
    scanner.ScanStack(list, 0, StackBase, StackBase + 4 * 8, p);
    ASSERT_EQ(list.Count(), 4u);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(list.Rows[i].Address, chain.returns[i] - 2);
}

TEST(StackScan, RelativeCallsAddTheirTargetBeforeTheCallSite)
{
    FakeMemory mem;
    std::vector<uint8_t> code(0x40, 0x90);
    // at +0x10: call +0x20 (ends at +0x15, target +0x35)
    const uint8_t call[] = {0xE8, 0x20, 0, 0, 0};
    std::memcpy(code.data() + 0x10, call, sizeof call);
    mem.regions[CodeBase] = code;
    std::vector<uint8_t> stack;
    PutWord(stack, 0, CodeBase + 0x15);
    mem.regions[StackBase] = stack;
    TStackScanner scanner(mem.Memory(), NamedRows());

    TZorvikStackList list;
    TScanParameters p;
    scanner.ScanStack(list, CodeBase + 0x3F, StackBase, StackBase + 4, p);
    ASSERT_EQ(list.Count(), 3u);
    EXPECT_TRUE(list.Rows[0].ExceptionRow);
    EXPECT_EQ(list.Rows[0].Address, CodeBase + 0x3F);
    EXPECT_EQ(list.Rows[1].Address, CodeBase + 0x35);
    EXPECT_EQ(list.Rows[2].Address, CodeBase + 0x10);

    TZorvikStackList plain;
    TScanParameters noFollow;
    noFollow.FollowCalls = false;
    scanner.ScanStack(plain, 0, StackBase, StackBase + 4, noFollow);
    ASSERT_EQ(plain.Count(), 1u);
    EXPECT_EQ(plain.Rows[0].Address, CodeBase + 0x10);
}

TEST(StackScan, LevelsCountAcceptedRows)
{
    CallChain chain(8);
    TStackScanner scanner(chain.mem.Memory(), NamedRows());
    TZorvikStackList list;
    TScanParameters p;
    p.StartLevel = 2;
    p.MaximumRows = 3;
    p.FollowCalls = false;
    scanner.ScanStack(list, 0, StackBase, StackBase + 8 * 4, p);
    ASSERT_EQ(list.Count(), 3u);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(list.Rows[i].Address, chain.returns[i + 2] - 2);
    EXPECT_EQ(p.Accepted, 8);
}

TEST(StackScan, RowsOutsideTheDetailSetAreDropped)
{
    CallChain chain(4);
    int calls = 0;
    TStackScanner scanner(chain.mem.Memory(), [&](uintptr_t a, bool, TZorvikDebugInfo& row) {
        row.DebugDetail = (calls++ % 2) ? ddModule : ddSourceCode;
        row.ProcedureName = "P" + std::to_string(a);
        row.LineOffset = 1;
    });
    TZorvikStackList list;
    TScanParameters p;
    p.DetailSet = DetailBit(ddSourceCode);
    scanner.ScanStack(list, 0, StackBase, StackBase + 16, p);
    EXPECT_EQ(list.Count(), 2u);
}

TZorvikDebugInfo Row(const char* proc, int lineOffset, uintptr_t address = 0, uint32_t thread = 1)
{
    TZorvikDebugInfo r;
    r.DebugDetail = ddSourceCode;
    r.UnitName = "Probe.cpp";
    r.ProcedureName = proc;
    r.Line = 10 + lineOffset;
    r.LineOffset = lineOffset;
    r.Address = address;
    r.ThreadID = thread;
    r.ThreadKind = 1;
    return r;
}

std::string Shown(const TZorvikStackList& list)
{
    std::string s;
    for (const auto& r : list.Rows)
        s += r.DebugDetail == ddNone ? "-" : r.ProcedureName + (r.LineOffset ? "" : "0");
    return s;
}

TEST(StackScan, CleaningHidesRepeatsAndStrandedRows)
{
    struct Case {
        const char* what;
        std::vector<TZorvikDebugInfo> rows;
        const char* shown;
    } cases[] = {
        {"the same return address twice shows once",
         {Row("A", 2, 0x100), Row("B", 3, 0x200), Row("B", 3, 0x200), Row("C", 1, 0x300)}, "A-BC"},
        {"the same address two rows later as well",
         {Row("A", 2, 0x100), Row("B", 3, 0x200), Row("C", 1, 0x300), Row("B", 3, 0x200)}, "A-CB"},
        {"a call target hides stale rows down to its procedure's call",
         {Row("X", 2, 0x10), Row("B", 4, 0x20), Row("S", 5, 0x30), Row("T", 6, 0x40), Row("B", 0, 0x50)}, "XB--B0"},
        {"without a caller in the list nothing changes",
         {Row("X", 2, 0x10), Row("S", 5, 0x30), Row("B", 0, 0x50)}, "XSB0"},
        {"rows of another thread end the walk",
         {Row("B", 4, 0x20), Row("S", 5, 0x30, 2), Row("T", 6, 0x40, 2), Row("B", 0, 0x50, 2)}, "BST B0"},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        TZorvikStackList list;
        list.Rows = c.rows;
        CleanStackRows(list, 0);
        std::string expected = c.shown;
        expected.erase(std::remove(expected.begin(), expected.end(), ' '), expected.end());
        EXPECT_EQ(Shown(list), expected);
    }
}

}  // namespace
