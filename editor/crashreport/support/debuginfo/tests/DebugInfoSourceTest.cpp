#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "editor/crashreport/support/debuginfo/DebugInfoSource.h"
#include "editor/crashreport/support/debuginfo/tests/DebugInfoFixtures.h"
#include "editor/crashreport/support/testing/TestFiles.h"

namespace {

// A module of the tests: a file name without a loaded image behind it.
struct FakeModule {
    uintptr_t handle;
    std::string exe;
    FakeModule(const std::string& test, uintptr_t h) : handle(h), exe(TestFolder(test) + "Project1.exe")
    {
        WriteTestFile(exe, "MZ");
        zorvik_testing::SetDebugModuleFileName(handle, exe);
    }
    void Write(const std::string& extension, const std::vector<uint8_t>& bytes) const
    {
        WriteTestFile(ChangeFileExtension(exe, extension), std::string(bytes.begin(), bytes.end()));
    }
};

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

TEST(DebugInfoSources, TheMapFileComesFirstThenTD32ThenBinaryData)
{
    const FakeModule m("sources_order", 0x7A000000);
    std::unique_ptr<TZVDebugInfoSource> source;
    EXPECT_FALSE(AssignValidDebugInfo(m.handle, source));
    EXPECT_EQ(source, nullptr);

    m.Write(".jdbg", JdbgFixture());
    ASSERT_TRUE(AssignValidDebugInfo(m.handle, source));
    EXPECT_EQ(source->ClassName(), "TZVDebugInfoJedy");
    // A source already assigned is kept.
    TZVDebugInfoSource* kept = source.get();
    EXPECT_FALSE(AssignValidDebugInfo(m.handle, source));
    EXPECT_EQ(source.get(), kept);

    source.reset();
    m.Write(".tds", TD32Fixture());
    ASSERT_TRUE(AssignValidDebugInfo(m.handle, source));
    EXPECT_EQ(source->ClassName(), "TZVDebugInfoTD32");

    // A ".map" without a code segment is some other file: not chosen.
    source.reset();
    m.Write(".map", Bytes("Address Publics by Value\n"));
    ASSERT_TRUE(AssignValidDebugInfo(m.handle, source));
    EXPECT_EQ(source->ClassName(), "TZVDebugInfoTD32");

    source.reset();
    m.Write(".map", Bytes(MapFixture()));
    ASSERT_TRUE(AssignValidDebugInfo(m.handle, source));
    EXPECT_EQ(source->ClassName(), "TZVDebugInfoMap");
}

TEST(DebugInfoSources, LocationThroughEachReader)
{
    struct Case {
        const char* extension;
        std::vector<uint8_t> data;
        const char* unit;
        const char* procedure;
        int32_t line;
        int32_t lineOffset;
        const char* source;
    };
    const Case cases[] = {
        {".map", Bytes(MapFixture()), "Unit1", "Unit1.TForm1.Button1Click", 31, 1, "Unit1.pas"},
        {".tds", TD32Fixture(), "Unit1", "TForm1.Button1Click", 10, 0, "Unit1.pas"},
        {".jdbg", JdbgFixture(), "Unit1", "TForm1.Button1Click", 31, 1, "Unit1.pas"},
    };
    uintptr_t handle = 0x7B000000;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extension);
        const FakeModule m(std::string("sources_location") + c.extension, handle += 0x100000);
        m.Write(c.extension, c.data);
        std::unique_ptr<TZVDebugInfoSource> source;
        ASSERT_TRUE(AssignValidDebugInfo(m.handle, source));
        EXPECT_EQ(source->VAFromAddr(m.handle + 0x1000), 0u);
        TZVLocationInfo l;
        ASSERT_TRUE(source->GetLocationInfo(m.handle + 0x1000 + 0x108, l));
        EXPECT_EQ(l.Address, m.handle + 0x1108);
        EXPECT_EQ(l.UnitName, c.unit);
        EXPECT_EQ(l.ProcedureName, c.procedure);
        EXPECT_EQ(l.LineNumber, c.line);
        EXPECT_EQ(l.ProcedureLineOffset, c.lineOffset);
        EXPECT_EQ(l.SourceName, c.source);
        EXPECT_EQ(l.DebugInfo, source.get());
        // Outside every unit: false, and only the unit name is written. (The
        // binary data's last unit has no end.)
        if (std::string(c.extension) == ".jdbg")
            continue;
        TZVLocationInfo outside;
        outside.ProcedureName = "kept";
        EXPECT_FALSE(source->GetLocationInfo(m.handle + 0x1000 + 0x5000, outside));
        EXPECT_EQ(outside.UnitName, "");
        EXPECT_EQ(outside.ProcedureName, "kept");
    }
}

#ifdef __linux__
// The process's peak resident size in bytes, and its reset to the present.
size_t PeakResidentBytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return static_cast<size_t>(std::stoull(line.substr(6))) * 1024;
    return 0;
}

bool ResetPeakResident()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return clear.good();
}
#endif

// A large map costs its size once while it is read: the file goes into one
// buffer of its size, and that buffer is the scanner's text.
TEST(DebugInfoSources, LargeMapIsHeldOnce)
{
#ifndef __linux__
    GTEST_SKIP() << "the peak resident size is read from Linux's process status";
#else
    const FakeModule m("sources_large_map", 0x7C000000);
    const std::string mapName = ChangeFileExtension(m.exe, ".map");
    constexpr size_t padding = size_t{64} << 20;
    {
        std::FILE* f = std::fopen(mapName.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        const std::string map = MapFixture();
        std::fwrite(map.data(), 1, map.size(), f);
        const std::string blanks(1 << 20, ' ');
        for (size_t done = 0; done < padding; done += blanks.size())
            std::fwrite(blanks.data(), 1, blanks.size(), f);
        ASSERT_EQ(std::fclose(f), 0);
    }
    if (!ResetPeakResident() || PeakResidentBytes() == 0)
        GTEST_SKIP() << "this kernel does not let a process reset its peak resident size";
    const size_t before = PeakResidentBytes();
    std::unique_ptr<TZVDebugInfoSource> source;
    ASSERT_TRUE(AssignValidDebugInfo(m.handle, source));
    const size_t growth = PeakResidentBytes() - before;
    std::remove(mapName.c_str());
    EXPECT_EQ(source->ClassName(), "TZVDebugInfoMap");
    TZVLocationInfo l;
    ASSERT_TRUE(source->GetLocationInfo(m.handle + 0x1000 + 0x108, l));
    EXPECT_EQ(l.ProcedureName, "Unit1.TForm1.Button1Click");
    EXPECT_EQ(l.LineNumber, 31);
    EXPECT_LT(growth, padding * 3 / 2);
#endif
}

// A small image in memory as a loader would lay it out: headers, a
// "JCLDEBUG" section and a debug directory pointing at TD32 data.
std::vector<uint8_t> ImageWith(bool jclSection, bool td32)
{
    std::vector<uint8_t> image(0x4000, 0);
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(image.data() + at, &v, 4); };
    auto put16 = [&](size_t at, uint16_t v) { std::memcpy(image.data() + at, &v, 2); };
    image[0] = 'M';
    image[1] = 'Z';
    put32(60, 0x40);
    std::memcpy(image.data() + 0x40, "PE\0\0", 4);
    const uint16_t sections = 2;
    put16(0x40 + 6, sections);
    put16(0x40 + 20, 0xE0);
    const size_t opt = 0x40 + 24;
    put16(opt, 0x10B);
    put32(opt + 56, static_cast<uint32_t>(image.size()));
    put32(opt + 92, 16);
    const size_t table = opt + 0xE0;
    std::memcpy(image.data() + table, jclSection ? "JCLDEBUG" : ".jcldata", 8);
    const auto jdbg = JdbgFixture();
    put32(table + 8, static_cast<uint32_t>(jdbg.size()));
    put32(table + 12, 0x1000);
    put32(table + 16, static_cast<uint32_t>(jdbg.size()) + 0x10);
    std::memcpy(image.data() + 0x1000, jdbg.data(), jdbg.size());
    std::memcpy(image.data() + table + 40, ".debug\0\0", 8);
    put32(table + 40 + 12, 0x2000);
    if (td32) {
        const auto tds = TD32Fixture();
        put32(opt + 96 + 6 * 8, 0x2000);
        put32(opt + 96 + 6 * 8 + 4, 28);
        put32(0x2000 + 16, static_cast<uint32_t>(tds.size()));
        put32(0x2000 + 20, 0x2100);
        std::memcpy(image.data() + 0x2100, tds.data(), tds.size());
    }
    return image;
}

TEST(DebugInfoSources, DataInsideTheLoadedImage)
{
    const auto both = ImageWith(true, true);
    const uintptr_t module = reinterpret_cast<uintptr_t>(both.data());
    std::unique_ptr<TZVDebugInfoSource> source;
    ASSERT_TRUE(AssignValidDebugInfo(module, source));
    EXPECT_EQ(source->ClassName(), "TZVDebugInfoTD32");

    const auto jcl = ImageWith(true, false);
    source.reset();
    ASSERT_TRUE(AssignValidDebugInfo(reinterpret_cast<uintptr_t>(jcl.data()), source));
    EXPECT_EQ(source->ClassName(), "TZVDebugInfoJedy");
    TZVLocationInfo l;
    ASSERT_TRUE(source->GetLocationInfo(reinterpret_cast<uintptr_t>(jcl.data()) + 0x1000 + 0x20, l));
    EXPECT_EQ(l.ProcedureName, "Foo");

    const auto neither = ImageWith(false, false);
    source.reset();
    EXPECT_FALSE(AssignValidDebugInfo(reinterpret_cast<uintptr_t>(neither.data()), source));
    // No module at all.
    EXPECT_FALSE(AssignValidDebugInfo(0, source));
}

}  // namespace
