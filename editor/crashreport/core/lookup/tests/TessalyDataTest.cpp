// The crash-report data that the build step wrote into the Windows trees'
// Tessaly.exe (the 32-bit one and, where it is built, the 64-bit one), read from the file as the program reads it from its resource,
// and compared address by address with what addr2line says about the same
// file: unit file, class and procedure, and line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "editor/crashreport/core/lookup/CrashDataBlock.h"
#include "editor/crashreport/core/lookup/DebugSection.h"
#include "editor/crashreport/support/testing/TestFiles.h"
#include "tools/crashdata/DebugSectionWriter.h"
#include "tools/crashdata/PeResourcePatch.h"

namespace {

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
        if (line.rfind("0x", 0) == 0 && line.size() > 2 &&
            line.find_first_not_of("0123456789abcdef", 2) == std::string::npos) {
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

// Checks the Tessaly.exe of one tree; false when that tree has none.
bool CheckTree(const std::string& tree)
{
    const char* binary = std::getenv("TQ_BINARY_DIR");
    const std::string exe = std::string(binary ? binary : ".") + "/../" + tree + "/bin/Tessaly.exe";
    std::ifstream in(exe, std::ios::binary);
    if (!in)
        return false;
    SCOPED_TRACE(exe);
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

    TPeFacts facts;
    std::string error;
    EXPECT_TRUE(ReadPeFacts(file, facts, error)) << error;
    const std::string prefix = facts.Machine == 0x8664 ? "x86_64-w64-mingw32-" : "i686-w64-mingw32-";
    EXPECT_NE(facts.ResourceDataEntry, 0u) << "no ZVDATA resource";
    if (!facts.ResourceDataEntry)
        return true;
    const uint8_t* block = file.data() + facts.ResourceFileOffset;
    const size_t blockSize = facts.ResourceSize;
    std::printf("%s Tessaly.exe: %zu bytes, its crash-report data %zu bytes\n", tree.c_str(), file.size(), blockSize);
    EXPECT_LT(blockSize * 20, file.size());

    TCrashDataLoad load;
    EXPECT_TRUE(LoadCrashDataResource(block, blockSize, false, true, nullptr, nullptr, load));
    EXPECT_EQ(load.Version, ZorvikDataVersion);
    EXPECT_TRUE(load.Unlocked);
    TDebugSection section(load.Debug, load.Version, load.Unlocked, load.Password);
    EXPECT_TRUE(section.Valid());
    const TCodeReader code = [&](uint32_t offset, uint8_t* bytes, uint32_t count) {
        uint32_t at;
        if (!FileOffsetOfRva(facts, offset + ModuleCodeBase, at) || at + count > file.size())
            return false;
        std::memcpy(bytes, file.data() + at, count);
        return true;
    };

    // The code symbols by address; each function's start and three
    // addresses inside it.
    std::string out;
    EXPECT_EQ(RunShell(prefix + "nm -n --defined-only '" + exe + "'", out), 0) << out;
    std::vector<uint64_t> starts;
    {
        std::istringstream s(out);
        std::string l;
        while (std::getline(s, l)) {
            const size_t blank = l.find(' ');
            if (blank != std::string::npos && blank >= 8 && l.size() > blank + 3 &&
                (l[blank + 1] == 'T' || l[blank + 1] == 't'))
                starts.push_back(std::stoull(l.substr(0, blank), nullptr, 16));
        }
    }
    EXPECT_GT(starts.size(), 1000u);
    std::vector<uint64_t> samples;
    for (size_t i = 0; i + 1 < starts.size(); ++i) {
        const uint64_t length = starts[i + 1] - starts[i];
        for (uint64_t k = 0; k < 4 && length; ++k)
            samples.push_back(starts[i] + length * k / 4);
    }
    samples.erase(std::unique(samples.begin(), samples.end()), samples.end());
    const std::string folder = TestFolder("tessaly_data_" + tree);
    {
        std::string list;
        for (uint64_t a : samples) {
            char b[24];
            std::snprintf(b, sizeof b, "0x%08llx\n", static_cast<unsigned long long>(a));
            list += b;
        }
        WriteTestFile(folder + "addresses.txt", list);
    }
    EXPECT_EQ(RunShell(prefix + "addr2line -a -f -i -e '" + exe + "' < '" + folder + "addresses.txt'", out), 0);
    const std::map<uint64_t, Frame> frames = OuterFrames(out);

    size_t named = 0, agreed = 0, functions = 0, functionsAgreed = 0;
    std::map<uint64_t, bool> functionOk;
    std::string mismatches;
    for (uint64_t a : samples) {
        const auto f = frames.find(a);
        if (f == frames.end() || f->second.function == "??" || f->second.file == "??" || f->second.line == 0)
            continue;
        ++named;
        std::string cls, proc;
        SplitFunctionName(DemangleName(f->second.function), cls, proc);
        TZorvikDebugInfo info;
        const bool found = section.Lookup(static_cast<uint32_t>(a - facts.ImageBase - ModuleCodeBase), code, info);
        const bool same = found && info.UnitName == f->second.file && Joined(info.ClassName, info.ProcedureName) == Joined(cls, proc) && info.Line == f->second.line;
        agreed += same;
        const uint64_t start = *(std::upper_bound(starts.begin(), starts.end(), a) - 1);
        auto it = functionOk.emplace(start, true).first;
        it->second = it->second && same;
        if (!same && mismatches.size() < 3000) {
            char b[32];
            std::snprintf(b, sizeof b, "%08llx: ", static_cast<unsigned long long>(a));
            mismatches += b + f->second.file + ":" + std::to_string(f->second.line) + " " + cls + "::" + proc +
                          " | ours " + info.UnitName + ":" + std::to_string(info.Line) + " " + info.ClassName +
                          "::" + info.ProcedureName + "\n";
        }
    }
    for (const auto& [start, ok] : functionOk) {
        ++functions;
        functionsAgreed += ok;
    }
    std::printf("%s Tessaly.exe: %zu of %zu addresses and %zu of %zu functions agree with addr2line\n",
                tree.c_str(), agreed, named, functionsAgreed, functions);
    EXPECT_GT(functions, 1000u);
    EXPECT_EQ(agreed, named) << mismatches;
    return true;
}

TEST(TessalyData, EveryFunctionAgreesWithAddr2line)
{
    int checked = 0;
    for (const char* tree : {"win32", "win64"})
        checked += CheckTree(tree);
    if (checked == 0)
        GTEST_SKIP() << "no Windows tree's Tessaly.exe is built";
}

}  // namespace
