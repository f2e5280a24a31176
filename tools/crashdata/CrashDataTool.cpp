// The build step that gives a linked Windows program its crash-report data:
// reads the program's symbols and line table with the cross binutils, writes
// the data block and fills the program's ZVDATA placeholder resource with it.
//
//   crashdata [--password P] [--tool-prefix PREFIX] program.exe
//
// Without a prefix the binutils of the program's own machine are used
// (i686-w64-mingw32- for 32-bit programs, x86_64-w64-mingw32- for 64-bit).
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/crashdata/CrashDataWriter.h"
#include "tools/crashdata/DebugSectionWriter.h"
#include "tools/crashdata/ExeLineTable.h"
#include "tools/crashdata/PeResourcePatch.h"

namespace {

int Fail(const std::string& message)
{
    std::fprintf(stderr, "crashdata: %s\n", message.c_str());
    return 1;
}

// Framework routines the component patches at start-up, by section id.
struct Hooked {
    uint8_t id;
    const char* name;
};
const Hooked HookedRoutines[] = {
    {0, "TApplication::HandleException(TObject*)"},
    {1, "TApplication::ShowException(Exception const&)"},
};

}  // namespace

int main(int argc, char** argv)
{
    std::string password, prefix, exe;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--password" && i + 1 < argc)
            password = argv[++i];
        else if (a == "--tool-prefix" && i + 1 < argc)
            prefix = argv[++i];
        else if (exe.empty())
            exe = a;
        else
            return Fail("unexpected argument " + a);
    }
    if (exe.empty())
        return Fail("usage: crashdata [--password P] [--tool-prefix PREFIX] program.exe");

    std::ifstream in(exe, std::ios::binary);
    std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof())
        return Fail("cannot read " + exe);
    in.close();

    std::string error;
    TPeFacts facts;
    if (!ReadPeFacts(file, facts, error))
        return Fail(exe + ": " + error);
    if (prefix.empty())
        prefix = facts.Machine == 0x8664 ? "x86_64-w64-mingw32-" : "i686-w64-mingw32-";
    std::vector<TUnitRows> units;
    if (!ReadExeLineTable(prefix, exe, facts.ImageBase, units, error))
        return Fail(exe + ": " + error);
    std::vector<TExeSymbol> symbols;
    if (!ReadExeSymbols(prefix, exe, symbols, error))
        return Fail(exe + ": " + error);

    TCrashDataParts parts;
    parts.StoredVersion = 6020;
    parts.CompileDate = CompileDateNow();
    parts.Password = password;
    for (const Hooked& h : HookedRoutines)
        for (size_t i = 0; i < symbols.size(); ++i)
            if (symbols[i].Name == h.name) {
                const uint64_t end = i + 1 < symbols.size() ? symbols[i + 1].Address : symbols[i].Address;
                parts.Sections.push_back({h.id, static_cast<uint32_t>(symbols[i].Address - facts.ImageBase - 0x1000),
                                          static_cast<uint32_t>(end - symbols[i].Address)});
                break;
            }
    const size_t slash = exe.find_last_of("/\\");
    parts.Options = DefaultOptionsStream(slash == std::string::npos ? exe : exe.substr(slash + 1));
    parts.Debug = WriteDebugSection(units, password, parts.StoredVersion);
    const std::vector<uint8_t> block = BuildCrashDataResource(parts);
    if (!PatchCrashDataResource(file, block, error))
        return Fail(exe + ": " + error);

    {
        // In place, so that the file keeps its permissions.
        std::ofstream out(exe, std::ios::binary | std::ios::in | std::ios::out);
        out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
        if (!out)
            return Fail("cannot write " + exe);
    }
    size_t rows = 0;
    for (const TUnitRows& u : units)
        rows += u.Rows.size();
    std::printf("crashdata: %s: %zu units, %zu lines, debug information %zu bytes, data block %zu bytes of %zu\n",
                exe.c_str(), units.size(), rows, parts.Debug.size(), block.size(), file.size());
    return 0;
}
