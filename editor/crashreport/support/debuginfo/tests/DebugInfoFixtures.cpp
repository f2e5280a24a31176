#include "editor/crashreport/support/debuginfo/tests/DebugInfoFixtures.h"

#include <cstring>

#include "editor/crashreport/support/debuginfo/DebugInfoBinary.h"

namespace {

struct Bytes {
    std::vector<uint8_t> b;
    size_t Size() const { return b.size(); }
    void U8(uint8_t v) { b.push_back(v); }
    void U16(uint16_t v) { b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)}); }
    void U32(uint32_t v) { b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}); }
    void Text(const char* s) { b.insert(b.end(), s, s + std::strlen(s)); }
    void Pad(size_t to) { b.resize(to, 0); }
    void Put32(size_t at, uint32_t v) { std::memcpy(b.data() + at, &v, 4); }
};

}  // namespace

std::string MapFixture()
{
    return "\r\n"
           " Start         Length     Name                   Class\r\n"
           " 0001:00000000 00000180H .text                   CODE\r\n"
           " 0002:00000000 00000040H .data                   DATA\r\n"
           "\r\n\r\n"
           "Detailed map of segments\r\n"
           "\r\n"
           " 0001:00000000 00000100 C=CODE     S=.text    G=(none)   M=System   ACBP=A9\r\n"
           " 0001:00000100 00000080 C=CODE     S=.text    G=(none)   M=Unit1    ACBP=A9\r\n"
           " 0002:00000000 00000040 C=DATA     S=.data    G=DGROUP   M=Unit1    ACBP=A9\r\n"
           "\r\n\r\n"
           "  Address         Publics by Name\r\n"
           "\r\n"
           " 0001:00000010       System.Foo\r\n"
           " 0001:00000100       Unit1.TForm1.Button1Click\r\n"
           " 0001:00000140       Unit1.Helper\r\n"
           "\r\n\r\n"
           "  Address         Publics by Value\r\n"
           "\r\n"
           " 0001:00000010       System.Foo\r\n"
           " 0001:00000100       Unit1.TForm1.Button1Click\r\n"
           " 0001:00000140       Unit1.Helper\r\n"
           " 0002:00000000       Unit1.Counter\r\n"
           "\r\n\r\n"
           "Line numbers for System(System.pas) segment .text\r\n"
           "\r\n"
           "    12 0001:000000E0\r\n"
           "\r\n"
           "Line numbers for Unit1(Unit1.pas) segment .text\r\n"
           "\r\n"
           "    30 0001:00000100    31 0001:00000108    36 0001:00000180\r\n"
           "\r\n"
           "Program entry point at 0001:00000100\r\n";
}

std::vector<uint8_t> TD32Fixture(const TD32Options& o)
{
    Bytes d;
    d.Text(o.Signature);
    d.U32(0);  // directory offset, set below

    struct Entry {
        uint16_t type;
        uint32_t offset, size;
    };
    std::vector<Entry> entries;

    // names
    size_t at = d.Size();
    const char* names[] = {"Unit1", "@Unit1@TForm1@Button1Click$qqrp14System@TObject", "Unit1.pas", "PlainProc"};
    d.U32(4);
    for (const char* n : names) {
        d.U8(static_cast<uint8_t>(std::strlen(n)));
        d.Text(n);
        d.U8(0);
    }
    entries.push_back({0x0130, uint32_t(at), uint32_t(d.Size() - at)});

    // module
    at = d.Size();
    d.Pad(at + 4);
    d.U16(1);  // segment count
    d.U16(0);
    d.U32(1);  // name index
    d.Pad(at + 28);
    d.U16(1);
    d.U16(0);
    d.U32(0x100);
    d.U32(0x100);
    entries.push_back({0x0120, uint32_t(at), uint32_t(d.Size() - at)});

    // aligned symbols: two global procedures and a public
    at = d.Size();
    d.U32(1);  // signature
    auto proc = [&](uint32_t offset, uint32_t size, uint32_t name) {
        const size_t r = d.Size();
        d.U16(42);
        d.U16(0x0205);
        d.Pad(r + 16);
        d.U32(size);
        d.Pad(r + 28);
        d.U32(offset);
        d.Pad(r + 40);
        d.U32(name);
    };
    proc(0x100, 0x40, 2);
    proc(0x140, 0x20, 4);
    {
        const size_t r = d.Size();
        d.U16(18);
        d.U16(0x0203);
        d.U32(0x10);
        d.Pad(r + 12);
        d.U32(0);
        d.U32(1);
    }
    entries.push_back({0x0125, uint32_t(at), uint32_t(d.Size() - at)});

    // source module: one file with one line block
    at = d.Size();
    d.U16(1);
    d.U16(0);
    d.U32(8);  // file entry at +8
    d.U16(1);  // segments
    d.U32(3);  // name index
    const size_t blockField = d.Size();
    d.U32(0);
    d.U32(0x100);
    d.U32(0x200);
    d.Put32(blockField, uint32_t(d.Size() - at));
    d.U16(1);
    d.U16(3);
    for (uint32_t off : {0x100u, 0x110u, 0x140u})
        d.U32(off);
    for (uint16_t line : {10, 12, 20})
        d.U16(line);
    entries.push_back({0x0127, uint32_t(at), uint32_t(d.Size() - at)});

    // directory
    const size_t directory = d.Size();
    d.Put32(4, uint32_t(directory));
    d.U16(16);
    d.U16(o.EntrySize);
    d.U32(uint32_t(entries.size()));
    d.U32(o.SelfChained ? uint32_t(directory) : 0);
    d.U32(0);
    for (const Entry& e : entries) {
        d.U16(e.type);
        d.U16(1);
        d.U32(e.offset);
        d.U32(e.size);
    }
    d.Text(o.Signature);
    d.U32(0);
    d.Put32(d.Size() - 4, o.Distance ? o.Distance : uint32_t(d.Size()));
    return d.b;
}

std::vector<uint8_t> JdbgFixture(const JdbgOptions& o)
{
    // The names area and the references to it.
    std::vector<uint8_t> names;
    auto packed = [&](const std::string& n) {
        const uint32_t ref = uint32_t(names.size() + 1);
        const auto p = PackJdbgName(n);
        names.insert(names.end(), p.begin(), p.end());
        return ref;
    };
    auto at = [&](const std::string& n) {
        const uint32_t ref = uint32_t(names.size() + 1);
        names.push_back(2);
        const auto p = PackJdbgName(n);
        names.insert(names.end(), p.begin(), p.end());
        return ref;
    };
    auto plain = [&](const std::string& n) {
        const uint32_t ref = uint32_t(names.size() + 1);
        names.push_back(1);
        for (char c : n)
            names.push_back(uint8_t(c) == 0xAA ? 0xAA : uint8_t(c ^ 0xAA));
        names.push_back(0);
        return ref;
    };
    const uint32_t module = packed("Project1");
    const uint32_t system = packed("System"), unit1 = packed("Unit1");
    const uint32_t systemPas = plain("System.pas"), unit1Pas = plain("Unit1.pas");
    const uint32_t foo = packed("Foo"), form = packed("TForm1"), click = packed("Button1Click");
    const uint32_t helper = at("Helper");

    auto table = [](std::vector<std::vector<uint32_t>> rows) {
        std::vector<uint8_t> t;
        std::vector<uint32_t> previous(rows.empty() ? 0 : rows[0].size(), 0);
        for (const auto& r : rows) {
            for (size_t i = 0; i < r.size(); ++i) {
                WriteJdbgValue(t, r[i] - previous[i]);
                previous[i] = r[i];
            }
        }
        WriteJdbgValue(t, 0x7FFFFFFF);
        return t;
    };
    const auto units = table({{0, system}, {0x100, unit1}});
    const auto sources = table({{0, systemPas}, {0x100, unit1Pas}});
    const auto symbols = table({{0x10, foo, 0}, {0x100, form, click}, {0x140, helper, 0}});
    const auto lines = table({{0xE0, 12}, {0x100, 30}, {0x108, 31}, {0x180, 36}});

    Bytes d;
    d.Text("JDBG");
    d.U8(1);
    d.Pad(36);
    auto place = [&](size_t field, const std::vector<uint8_t>& part) {
        d.Put32(field, uint32_t(d.Size()));
        d.b.insert(d.b.end(), part.begin(), part.end());
    };
    place(5, units);
    place(9, sources);
    place(13, symbols);
    place(17, lines);
    place(21, names);
    d.Put32(25, module);
    d.b[33] = o.ChecksumValid ? 1 : 0;
    d.Pad((d.Size() + 3) / 4 * 4);
    d.Put32(29, o.Checksum);
    return d.b;
}
