// The address lookup in real programs under Wine: this test program carries
// its own crash-report data (the build step ran after its link), and the
// editor's Tessaly.exe is loaded beside it and compared, address by address,
// with what addr2line says about the same file.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>

#include "editor/crashreport/core/lookup/AddressLookup.h"
#include "editor/crashreport/core/lookup/DebugSection.h"
#include "editor/crashreport/support/testing/TestFiles.h"
#include "framework/Application.h"
#include "tools/crashdata/DebugSectionWriter.h"
#include "tools/crashdata/PeResourcePatch.h"

// Functions whose lines the tests know. The signature and the opening brace
// share a line: that line starts the procedure.
constexpr int ProbeFunctionLine = __LINE__ + 1;
__attribute__((noinline)) uintptr_t ProbeFunction() {
    return reinterpret_cast<uintptr_t>(__builtin_return_address(0)) - 1;
}

struct TProbeClass {
    static uintptr_t Method(int depth);
};
constexpr int ProbeMethodLine = __LINE__ + 1;
__attribute__((noinline)) uintptr_t TProbeClass::Method(int depth) {
    volatile int keep = depth;
    (void)keep;
    const uintptr_t callSite = ProbeFunction();  // ProbeCallLine
    keep = 0;  // work after the call, so that it is no tail call
    return callSite;
}
constexpr int ProbeCallLine = ProbeMethodLine + 3;

namespace {

uintptr_t Addr(const void* p) { return reinterpret_cast<uintptr_t>(p); }

uintptr_t OwnModule() { return Addr(GetModuleHandleA(nullptr)); }

// The cross binutils of this program's own width.
const std::string ToolPrefix = sizeof(void*) == 8 ? "x86_64-w64-mingw32-" : "i686-w64-mingw32-";

TEST(AddressLookup, OwnDataIsFound)
{
    EXPECT_TRUE(IsZorvikLogModule(OwnModule()));
    EXPECT_EQ(GetZorvikLogModuleVersion(OwnModule()), ZorvikDataVersion);
    EXPECT_TRUE(IsCurrentZorvikModule(OwnModule()));
    // kernel32 carries none.
    EXPECT_FALSE(IsZorvikLogModule(Addr(GetModuleHandleA("kernel32.dll"))));
    EXPECT_EQ(GetZorvikLogModuleVersion(Addr(GetModuleHandleA("kernel32.dll"))), 0);

    TZorvikModuleInfo* m = ModuleInfoByAddr(Addr(reinterpret_cast<void*>(&ProbeFunction)));
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->Handle, OwnModule());
    EXPECT_EQ(m->ModuleType, TZorvikModuleType::mtMainModule);
    EXPECT_EQ(m->DataVersion, ZorvikDataVersion);
    EXPECT_GT(m->CompileDate, 40000.0);
    EXPECT_TRUE(m->Unlocked);
    ASSERT_NE(m->DebugStream, nullptr);
    EXPECT_GT(m->DebugStream->UnitCount(), 10u);
    // The same record for every address of the module.
    EXPECT_EQ(ModuleInfoByAddr(Addr(reinterpret_cast<void*>(&TProbeClass::Method))), m);
}

TEST(AddressLookup, FunctionsOfThisProgramByTheirAddresses)
{
    struct Case {
        uintptr_t address;
        const char* cls;
        const char* proc;
        int line;
        int lineOffset;
    };
    const uintptr_t callSite = TProbeClass::Method(3);
    const Case cases[] = {
        {Addr(reinterpret_cast<void*>(&ProbeFunction)), "", "ProbeFunction", ProbeFunctionLine, 0},
        {Addr(reinterpret_cast<void*>(&TProbeClass::Method)), "TProbeClass", "Method", ProbeMethodLine, 0},
        {callSite, "TProbeClass", "Method", ProbeCallLine, ProbeCallLine - ProbeMethodLine},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.proc);
        TZorvikDebugInfo info;
        GetDebugInfoByAddr(c.address, 7, info, true, 1);
        EXPECT_EQ(info.DebugDetail, ddSourceCode);
        ASSERT_NE(info.ModuleInfo, nullptr);
        EXPECT_EQ(info.ModuleInfo->Handle, OwnModule());
        EXPECT_EQ(info.Address, c.address);
        EXPECT_EQ(info.ThreadID, 7u);
        EXPECT_TRUE(info.ExceptionRow);
        EXPECT_EQ(info.UnitName, "AddressLookupTest.cpp");
        EXPECT_EQ(info.ClassName, c.cls);
        EXPECT_EQ(info.ProcedureName, c.proc);
        EXPECT_EQ(info.Line, c.line);
        EXPECT_EQ(info.LineOffset, c.lineOffset);
    }
}

TEST(AddressLookup, TheComponentsOwnUnitsShowOnlyTheirModule)
{
    const uintptr_t address = Addr(reinterpret_cast<void*>(&ProbeFunction));
    SetComponentUnitNames({"AddressLookupTest.cpp", "Other.cpp"});
    TZorvikDebugInfo info;
    GetDebugInfoByAddr(address, 0, info, false, 1);
    EXPECT_EQ(info.DebugDetail, ddModule);
    EXPECT_EQ(info.ProcedureName, "");
    EXPECT_EQ(info.Line, 0);
    ShowZorvikLogUnits = 1;
    GetDebugInfoByAddr(address, 0, info, false, 1);
    EXPECT_EQ(info.ProcedureName, "ProbeFunction");
    ShowZorvikLogUnits = 0;
    SetComponentUnitNames({});
}

TEST(AddressLookup, SectionTableNamesTheFrameworkHandlers)
{
    auto handler = &TApplication::HandleException;
    void* expected;
    std::memcpy(&expected, &handler, sizeof expected);
    EXPECT_EQ(FindDataSectionAddress(0), expected);
    EXPECT_NE(FindDataSectionAddress(1), nullptr);
    EXPECT_EQ(FindDataSectionAddress(2), nullptr);
}

TEST(AddressLookup, AddressesOutsideEveryModuleAndInModulesWithoutData)
{
    TZorvikDebugInfo info;
    void* heap = VirtualAlloc(nullptr, 4096, MEM_COMMIT, PAGE_EXECUTE_READWRITE);
    GetDebugInfoByAddr(Addr(heap), 0, info, false, 1);
    EXPECT_EQ(info.DebugDetail, ddNone);
    EXPECT_EQ(info.ModuleInfo, nullptr);
    EXPECT_EQ(info.Address, Addr(heap));
    VirtualFree(heap, 0, MEM_RELEASE);

    const uintptr_t sleep = Addr(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "Sleep")));
    ResolveAddress(sleep, info);
    ASSERT_NE(info.ModuleInfo, nullptr);
    EXPECT_GE(info.DebugDetail, ddModule);
    EXPECT_EQ(info.ModuleInfo->DataVersion, ZorvikDataVersion);
    EXPECT_EQ(info.ModuleInfo->DebugStream, nullptr);
}

// --- Tessaly.exe against addr2line ---

// Class and procedure as the report joins them: a procedure name that holds
// a "." cannot be told from a class and a procedure.
std::string Joined(const std::string& cls, const std::string& proc) { return cls.empty() ? proc : cls + "." + proc; }

struct Frame {
    std::string function, file;
    int line = 0;
};

// addr2line -a -f -i: per address, the last (outermost) function and place.
std::map<uint64_t, Frame> OuterFrames(const std::string& text)
{
    std::map<uint64_t, Frame> frames;
    std::istringstream in(text);
    std::string line, function;
    uint64_t address = 0;
    bool haveAddress = false, haveFunction = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("0x", 0) == 0 && line.find_first_not_of("0123456789abcdef", 2) == std::string::npos) {
            address = std::stoull(line.substr(2), nullptr, 16);
            haveAddress = true;
            haveFunction = false;
            continue;
        }
        if (!haveAddress)
            continue;
        if (!haveFunction) {
            function = line;
            haveFunction = true;
            continue;
        }
        haveFunction = false;
        const std::string place = line.substr(0, line.find(" ("));
        const size_t colon = place.rfind(':');
        Frame f;
        f.function = function;
        const std::string path = place.substr(0, colon);
        f.file = path.substr(path.find_last_of("/\\") + 1);
        f.line = colon == std::string::npos ? 0 : std::atoi(place.c_str() + colon + 1);
        frames[address] = f;
    }
    return frames;
}

TEST(AddressLookup, TessalyAgreesWithAddr2line)
{
    const char* binary = std::getenv("TQ_BINARY_DIR");
    ASSERT_NE(binary, nullptr);
    const std::string exe = std::string(binary) + "\\bin\\Tessaly.exe";
    if (!TestFileExists(exe))
        GTEST_SKIP() << "Tessaly.exe is not built";
    const std::string unixExe = UnixPath(exe);

    // The program's code symbols by address.
    std::string out;
    ASSERT_EQ(RunShell(ToolPrefix + "nm -n --defined-only '" + unixExe + "'", out), 0) << out;
    std::vector<uint64_t> starts;
    {
        std::istringstream in(out);
        std::string l;
        while (std::getline(in, l)) {
            const size_t blank = l.find(' ');
            if (blank != std::string::npos && blank >= 8 && l.size() > blank + 3 &&
                (l[blank + 1] == 'T' || l[blank + 1] == 't'))
                starts.push_back(std::stoull(l.substr(0, blank), nullptr, 16));
        }
    }
    ASSERT_GT(starts.size(), 1000u);

    TPeFacts facts;
    {
        const std::string bytes = ReadTestFile(exe);
        std::string error;
        ASSERT_TRUE(ReadPeFacts(std::vector<uint8_t>(bytes.begin(), bytes.end()), facts, error)) << error;
    }
    HMODULE h = LoadLibraryExA(exe.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(h, nullptr) << GetLastError();
    const uintptr_t module = Addr(h);
    const uint64_t imageBase = facts.ImageBase;
    EXPECT_TRUE(IsZorvikLogModule(module));

    // Each function's start and three addresses inside it.
    std::vector<uint64_t> samples;
    for (size_t i = 0; i + 1 < starts.size(); ++i) {
        const uint64_t a = starts[i], length = starts[i + 1] - starts[i];
        if (length == 0)
            continue;
        for (uint64_t k = 0; k < 4; ++k)
            samples.push_back(a + length * k / 4);
    }
    samples.erase(std::unique(samples.begin(), samples.end()), samples.end());
    const std::string folder = TestFolder("address_lookup");
    {
        std::string list;
        for (uint64_t a : samples) {
            char b[24];
            std::snprintf(b, sizeof b, "0x%08llx\n", static_cast<unsigned long long>(a));
            list += b;
        }
        WriteTestFile(folder + "addresses.txt", list);
    }
    ASSERT_EQ(RunShell(ToolPrefix + "addr2line -a -f -i -e '" + unixExe + "' < '" +
                           UnixPath(folder + "addresses.txt") + "'",
                       out),
              0);
    const std::map<uint64_t, Frame> frames = OuterFrames(out);

    size_t named = 0, agreed = 0, functions = 0, functionsAgreed = 0;
    std::string firstMismatches;
    uint64_t lastFunction = 0;
    bool functionOk = true;
    auto closeFunction = [&] {
        if (lastFunction) {
            ++functions;
            functionsAgreed += functionOk;
        }
    };
    for (uint64_t a : samples) {
        const auto f = frames.find(a);
        if (f == frames.end() || f->second.function == "??" || f->second.file == "??" || f->second.line == 0)
            continue;
        const uint64_t start = *(std::upper_bound(starts.begin(), starts.end(), a) - 1);
        if (start != lastFunction) {
            closeFunction();
            lastFunction = start;
            functionOk = true;
        }
        ++named;
        std::string cls, proc;
        SplitFunctionName(DemangleName(f->second.function), cls, proc);
        TZorvikDebugInfo info;
        GetDebugInfoByAddr(module + static_cast<uintptr_t>(a - imageBase), 0, info, false, 1);
        const bool same = info.DebugDetail == ddSourceCode && info.UnitName == f->second.file &&
                          Joined(info.ClassName, info.ProcedureName) == Joined(cls, proc) && info.Line == f->second.line;
        agreed += same;
        functionOk = functionOk && same;
        if (!same && firstMismatches.size() < 2000) {
            char b[32];
            std::snprintf(b, sizeof b, "%08llx: ", static_cast<unsigned long long>(a));
            firstMismatches += b + f->second.file + ":" + std::to_string(f->second.line) + " " + cls + "::" + proc +
                               " | ours " + info.UnitName + ":" + std::to_string(info.Line) + " " + info.ClassName +
                               "::" + info.ProcedureName + "\n";
        }
    }
    closeFunction();
    std::printf("Tessaly.exe: %zu of %zu addresses agree with addr2line (%zu of %zu functions named by it)\n",
                agreed, named, functionsAgreed, functions);
    EXPECT_GT(named, 1000u);
    EXPECT_EQ(agreed, named) << firstMismatches;
    FreeLibrary(h);
}

}  // namespace
