// The disassembler against objdump over the whole code section of programs
// we built (Tessaly.exe, this test program): every instruction objdump
// decodes must get the same size from us; the texts of the common
// instructions must agree after both are brought to one notation.
//
// The listings are written before the test runs (objdump-listing.sh, a ctest
// fixture); the folder comes in TQ_DISASM_LISTINGS and the programs that must
// be there in TQ_DISASM_PROGRAMS (comma-separated).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <filesystem>
#include <fstream>
#include <set>

#include "editor/crashreport/support/disasm/DisAsm.h"
#include "editor/crashreport/support/disasm/tests/ObjdumpListing.h"

namespace {

struct Comparison {
    int64_t instructions = 0;   // objdump's instructions, prefixes it prints alone joined to the next
    int64_t sizesAgree = 0;
    int64_t dataLines = 0;      // ours printed as data bytes
    int64_t joined = 0;         // a prefix of ours or objdump's joined with the next instruction
    int64_t undecoded = 0;      // "(bad)" or ".byte" in objdump
    int64_t common = 0;
    int64_t textsAgree = 0;
    std::vector<std::string> sizeFaults;
    std::vector<std::string> textFaults;
};

std::string Hex(uint32_t v) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%X", v);
    return buffer;
}

std::string BytesText(const std::vector<uint8_t>& bytes) {
    std::string s;
    for (uint8_t b : bytes) {
        char buffer[4];
        std::snprintf(buffer, sizeof buffer, "%02x ", b);
        s += buffer;
    }
    return s;
}

bool IsCommon(const std::string& m) {
    static const std::set<std::string> names = {
        "mov", "push", "pop", "call", "jmp", "lea", "add", "sub", "adc", "sbb", "and", "or", "xor",
        "cmp", "test", "inc", "dec", "neg", "not", "mul", "imul", "div", "idiv", "shl", "shr", "sar",
        "rol", "ror", "rcl", "rcr", "movzx", "movsx", "leave", "ret", "cdq", "cwde", "shld", "shrd",
        "bt", "bsf", "bsr", "xadd", "cmpxchg"};
    if (names.count(m))
        return true;
    if (m.compare(0, 1, "j") == 0 || m.compare(0, 3, "set") == 0 || m.compare(0, 4, "cmov") == 0)
        return true;
    // x87
    return m[0] == 'f' && m.compare(0, 2, "fx") != 0 && m != "femms";
}

Comparison Compare(const std::vector<ListedInstruction>& list) {
    Comparison c;
    if (list.empty())
        return c;
    const uint32_t base = list.front().address;
    std::vector<uint8_t> image;
    for (const ListedInstruction& item : list) {
        const uint64_t offset = item.address - base;
        if (offset > image.size())
            image.resize(offset, 0);
        if (offset == image.size())
            image.insert(image.end(), item.bytes.begin(), item.bytes.end());
    }
    const size_t sectionSize = image.size();
    // The decoder reads at most 15 bytes from a start inside the section.
    image.resize(sectionSize + TDisAsm::MaxInstructionSize, 0);

    TDisAsm disasm;
    auto absolute = [](uint32_t, uint32_t, uint32_t target, std::string& text) { text = "$" + Hex(target); };
    disasm.OnJumpTarget = absolute;
    disasm.OnCallTarget = absolute;

    for (size_t i = 0; i < list.size(); ++i) {
        const ListedInstruction& item = list[i];
        if (ObjdumpUndecoded(item.text)) {
            ++c.undecoded;
            continue;
        }
        const uint32_t offset = item.address - base;
        if (offset >= sectionSize)
            continue;
        int32_t size = 0;
        const std::string ours = disasm.GetInstruction(&image[offset], item.address, size);
        // Our "rep", "lock" and "wait" are lines of their own.
        std::string last = ours;
        int64_t total = size;
        bool joined = false;
        int64_t objdumpSize = static_cast<int64_t>(item.bytes.size());
        while (IsLonePrefix(last) && total < objdumpSize) {
            int32_t n = 0;
            last = disasm.GetInstruction(&image[offset + total], item.address + static_cast<uint32_t>(total), n);
            total += n;
            joined = true;
        }
        // objdump prints a prefix it cannot attach as a line of its own.
        size_t j = i;
        while (total > objdumpSize && ObjdumpOnlyPrefixes(list[j].text) && j + 1 < list.size() &&
               list[j + 1].address == item.address + objdumpSize && !ObjdumpUndecoded(list[j + 1].text)) {
            ++j;
            objdumpSize += static_cast<int64_t>(list[j].bytes.size());
            joined = true;
        }
        // A prefix followed by bytes objdump leaves undecoded is an instruction
        // it cut at a symbol in data: there is nothing to compare.
        if (total > objdumpSize && ObjdumpOnlyPrefixes(list[j].text) && j + 1 < list.size() &&
            ObjdumpUndecoded(list[j + 1].text)) {
            ++c.undecoded;
            continue;
        }
        ++c.instructions;
        if (ours.compare(0, 3, "DB ") == 0)
            ++c.dataLines;
        if (joined)
            ++c.joined;
        if (total == objdumpSize) {
            ++c.sizesAgree;
        } else if (c.sizeFaults.size() < 40) {
            c.sizeFaults.push_back(Hex(item.address) + ": " + BytesText(item.bytes) + "| objdump " + item.text +
                                   " (" + std::to_string(objdumpSize) + ") | ours " + ours + " (" +
                                   std::to_string(total) + ")");
        }
        if (!joined && total == objdumpSize && !ObjdumpHasPrefix(item.text) && ours.compare(0, 3, "DB ") != 0) {
            const NormalInstruction theirs = NormaliseObjdump(item.text);
            if (IsCommon(theirs.mnemonic)) {
                ++c.common;
                const NormalInstruction mine = NormaliseOurs(ours);
                if (SameInstruction(mine, theirs))
                    ++c.textsAgree;
                else if (c.textFaults.size() < 60)
                    c.textFaults.push_back(Hex(item.address) + ": " + BytesText(item.bytes) + "| objdump " +
                                           item.text + " | ours " + ours + " | " + ToString(theirs) + " vs " +
                                           ToString(mine));
            }
        }
        i = j;
    }
    return c;
}

// Every opcode of the one-byte and two-byte maps, plain and after the
// operand-size, rep and repne prefixes, with ModRM bytes of every mod and reg
// and the rm values that take a SIB byte or a bare displacement, and the
// VEX and EVEX forms: one 16-byte slot each, the rest of the slot 0x90, which
// serves as displacement and immediate bytes and as nops up to the next slot.
// Left out: AMD's SSE4a (extrq, insertq) and prefixes before wait.
std::vector<uint8_t> SyntheticCode() {
    std::vector<uint8_t> modrms;
    const int forms[][2] = {{0, 0}, {0, 4}, {0, 5}, {1, 0}, {1, 4}, {2, 0}, {2, 4}, {3, 0}, {3, 5}};
    for (int reg = 0; reg < 8; ++reg)
        for (const auto& f : forms)
            modrms.push_back(static_cast<uint8_t>((f[0] << 6) | (reg << 3) | f[1]));
    std::vector<uint8_t> code;
    auto slot = [&code](std::vector<uint8_t> bytes, uint8_t modrm) {
        bytes.push_back(modrm);
        if ((modrm & 7) == 4 && (modrm >> 6) != 3)
            bytes.push_back(0x25);
        bytes.resize(16, 0x90);
        code.insert(code.end(), bytes.begin(), bytes.end());
    };
    const std::vector<std::vector<uint8_t>> onePrefixes = {{}, {0x66}, {0x67}, {0x66, 0xF3}, {0x66, 0xF0}, {0x2E, 0xF2}};
    for (const auto& prefixes : onePrefixes)
        for (int op = 0; op < 256; ++op) {
            if (!prefixes.empty() && op == 0x9B)
                continue;
            for (uint8_t m : modrms) {
                std::vector<uint8_t> bytes = prefixes;
                bytes.push_back(static_cast<uint8_t>(op));
                slot(bytes, m);
            }
        }
    const std::vector<std::vector<uint8_t>> twoPrefixes = {{}, {0x66}, {0xF2}, {0xF3}};
    for (const auto& prefixes : twoPrefixes)
        for (int op = 0; op < 256; ++op) {
            if (!prefixes.empty() && (op == 0x78 || op == 0x79))
                continue;
            for (uint8_t m : modrms) {
                std::vector<uint8_t> bytes = prefixes;
                bytes.push_back(0x0F);
                bytes.push_back(static_cast<uint8_t>(op));
                if (op == 0x38 || op == 0x3A)
                    bytes.push_back(0x00);
                slot(bytes, m);
            }
        }
    const std::vector<std::vector<uint8_t>> vex = {{0xC5, 0xF8}, {0xC5, 0xF9}, {0xC4, 0xE1, 0x79}, {0xC4, 0xE2, 0x79},
                                                   {0xC4, 0xE3, 0x79}, {0x62, 0xF1, 0x7C, 0x48}, {0x62, 0xF3, 0x7D, 0x48}};
    for (const auto& prefix : vex)
        for (int op = 0; op < 256; ++op)
            for (uint8_t m : {0x00, 0x05, 0x44, 0x84, 0xC1}) {
                std::vector<uint8_t> bytes = prefix;
                bytes.push_back(static_cast<uint8_t>(op));
                slot(bytes, m);
            }
    return code;
}

std::vector<std::string> Split(const std::string& s, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start < s.size()) {
        size_t end = s.find(separator, start);
        if (end == std::string::npos)
            end = s.size();
        if (end > start)
            parts.push_back(s.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

double Percent(int64_t part, int64_t whole) { return whole ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 100.0; }

} // namespace

// The comparison forgives notation, not substance.
TEST(DisAsmAgainstObjdump, NotationIsForgivenNotSubstance) {
    const std::pair<const char*, const char*> same[] = {
        {"mov     eax, [ebp+$08]", "mov    eax,DWORD PTR [ebp+0x8]"},
        {"lea     eax, [$404040+eax*4]", "lea    eax,[eax*4+0x404040]"},
        {"lea     esi, [esi+$0000]", "lea    esi,[esi+eiz*1+0x0]"},
        {"mov     eax, dword ptr fs:[$0018]", "mov    eax,fs:0x18"},
        {"mov     eax, dword ptr [$453074]", "mov    eax,ds:0x453074"},
        {"and     esp, -$10", "and    esp,0xfffffff0"},
        {"and     al, -$10", "and    al,0xf0"},
        {"jz      $401056", "je     401056 <_pre_c_init+0x46>"},
        {"fadd    st(0), st(1)", "fadd   st,st(1)"},
        {"call    $6655:$44332211", "call   0x6655:0x44332211"},
    };
    for (const auto& [ours, theirs] : same)
        EXPECT_TRUE(SameInstruction(NormaliseOurs(ours), NormaliseObjdump(theirs))) << ours;
    const std::pair<const char*, const char*> different[] = {
        {"mov     eax, [ebp+$08]", "mov    eax,DWORD PTR [ebp+0xc]"},
        {"mov     eax, [ebp+$08]", "mov    ecx,DWORD PTR [ebp+0x8]"},
        {"mov     [ebp+$08], eax", "mov    eax,DWORD PTR [ebp+0x8]"},
        {"jnz     $401056", "je     401056 <_pre_c_init+0x46>"},
        {"and     esp, -$10", "and    esp,0xf0"},
        {"fsub    st(1), st(0)", "fsubr  st(1),st"},
    };
    for (const auto& [ours, theirs] : different)
        EXPECT_FALSE(SameInstruction(NormaliseOurs(ours), NormaliseObjdump(theirs))) << ours;
}

TEST(DisAsmAgainstObjdump, WholeCodeSectionsAgree) {
    const char* dirEnv = std::getenv("TQ_DISASM_LISTINGS");
    if (!dirEnv || !*dirEnv)
        GTEST_SKIP() << "no objdump listings given";
    const std::filesystem::path dir = dirEnv;
    const char* required = std::getenv("TQ_DISASM_PROGRAMS");
    for (const std::string& name : Split(required ? required : "", ','))
        EXPECT_TRUE(std::filesystem::exists(dir / (name + ".lst"))) << "no listing of " << name;

    int listings = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        if (entry.path().extension() != ".lst")
            continue;
        ++listings;
        std::ifstream in(entry.path());
        const std::vector<ListedInstruction> list = ParseObjdumpListing(in);
        const std::string name = entry.path().stem().string() + ".exe";
        ASSERT_FALSE(list.empty()) << name;
        const Comparison c = Compare(list);
        std::printf("%s: instruction sizes agree with objdump for %lld of %lld instructions (%.3f%%); "
                    "%lld printed as data bytes, %lld prefixes joined, %lld left undecoded by objdump\n",
                    name.c_str(), static_cast<long long>(c.sizesAgree), static_cast<long long>(c.instructions),
                    Percent(c.sizesAgree, c.instructions), static_cast<long long>(c.dataLines),
                    static_cast<long long>(c.joined), static_cast<long long>(c.undecoded));
        std::printf("%s: text agrees with objdump for %lld of %lld common instructions (%.3f%%)\n", name.c_str(),
                    static_cast<long long>(c.textsAgree), static_cast<long long>(c.common),
                    Percent(c.textsAgree, c.common));
        std::fflush(stdout);
        for (const std::string& fault : c.sizeFaults)
            ADD_FAILURE() << name << " size: " << fault;
        EXPECT_EQ(c.sizesAgree, c.instructions) << name;
        // Data in a code section decodes to rare forms whose notation may
        // differ; the texts of real code agree.
        for (size_t k = 0; k < c.textFaults.size() && k < 20; ++k)
            std::printf("  text differs: %s\n", c.textFaults[k].c_str());
        EXPECT_GE(Percent(c.textsAgree, c.common), 99.9) << name;
        EXPECT_GT(c.common, c.instructions / 2) << name;
    }
    if (listings == 0)
        GTEST_SKIP() << "no programs built to compare with";
}

// The whole opcode space, where objdump runs beside us (the native tree).
TEST(DisAsmAgainstObjdump, WholeOpcodeMapsAgree) {
#ifdef _WIN32
    GTEST_SKIP() << "objdump does not run here";
#else
    const char* objdump = std::getenv("TQ_OBJDUMP");
    const char* work = std::getenv("TQ_BINARY_DIR");
    if (!objdump || !*objdump || !work || !*work)
        GTEST_SKIP() << "objdump does not run here";
    const std::filesystem::path file = std::filesystem::path(work) / "disasm-opcode-maps.bin";
    const std::vector<uint8_t> code = SyntheticCode();
    {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(code.data()), static_cast<std::streamsize>(code.size()));
    }
    const std::string command = std::string(objdump) + " -D -z -b binary -m i386 -M intel --insn-width=15 '" +
                                file.string() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string listing;
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        listing.append(buffer, n);
    ASSERT_EQ(pclose(pipe), 0) << command;
    std::istringstream in(listing);
    const Comparison c = Compare(ParseObjdumpListing(in));
    std::printf("opcode maps: instruction sizes agree with objdump for %lld of %lld instructions (%.3f%%); "
                "%lld printed as data bytes, %lld left undecoded by objdump\n",
                static_cast<long long>(c.sizesAgree), static_cast<long long>(c.instructions),
                Percent(c.sizesAgree, c.instructions), static_cast<long long>(c.dataLines),
                static_cast<long long>(c.undecoded));
    std::printf("opcode maps: text agrees with objdump for %lld of %lld common instructions (%.3f%%)\n",
                static_cast<long long>(c.textsAgree), static_cast<long long>(c.common), Percent(c.textsAgree, c.common));
    for (const std::string& fault : c.sizeFaults)
        ADD_FAILURE() << "size: " << fault;
    EXPECT_EQ(c.sizesAgree, c.instructions);
    // Texts of rare forms differ in notation (16-bit displacements, the
    // undocumented sal, 16-bit jumps); the figure is reported, not held.
    std::filesystem::remove(file);
#endif
}
