#include <gtest/gtest.h>

#include <cstring>

#include "editor/crashreport/core/lookup/CrashDataBlock.h"
#include "editor/crashreport/core/lookup/DebugSection.h"
#include "editor/crashreport/support/archive/ZLibBuffer.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/options/OptionsStream.h"
#include "framework/Streams.h"
#include "tools/crashdata/CrashDataWriter.h"
#include "tools/crashdata/DebugSectionWriter.h"

namespace {

std::vector<uint8_t> OptionsWithErrors(int32_t errors)
{
    TZorvikModuleOptions o("Probe.exe");
    o.DisableSharedDataWrite();
    o.SetErrorsNumberToSave(errors);
    TMemoryStream s;
    o.SaveToStream(s);
    return s.Bytes();
}

std::vector<TUnitRows> OneUnit()
{
    TUnitRows u;
    u.Start = 0x10;
    u.Length = 0x20;
    u.Name = "MainForm.cpp";
    TLineRow r;
    r.Offset = 0x10;
    r.Line = 42;
    r.ProcedureStart = true;
    r.ClassName = "TMainForm";
    r.ProcedureName = "Open1Click";
    u.Rows = {r};
    return {u};
}

TCrashDataParts Parts(const std::string& password = "pw", uint16_t version = 6020)
{
    TCrashDataParts p;
    p.StoredVersion = version;
    p.CompileDate = 46000.5;
    p.Sections = {{0, 0x100, 0x10}, {1, 0x200, 0x20}, {255, 0x900, 1}, {12, 0x300, 0}, {13, 0x310, 0},
                  {15, 0x320, 0}, {16, 0x330, 0}, {18, 0x340, 0}};
    p.Options = OptionsWithErrors(7);
    p.Debug = WriteDebugSection(OneUnit(), password, MapZorvikDataVersion(version));
    p.Password = password;
    return p;
}

TPasswordRequest Answers(std::vector<std::string> words, int* asked = nullptr)
{
    return [words, asked](int attempt, std::string& password) {
        if (asked)
            ++*asked;
        if (attempt < 1 || attempt > static_cast<int>(words.size()))
            return false;
        password = words[attempt - 1];
        return true;
    };
}

std::string NameAtFirstLine(const TCrashDataLoad& load)
{
    TDebugSection s(load.Debug, load.Version, load.Unlocked, load.Password);
    TZorvikDebugInfo info;
    if (!s.Lookup(0x10, nullptr, info))
        return "(none)";
    return info.UnitName + " " + info.ClassName + "." + info.ProcedureName;
}

TEST(CrashDataBlock, VersionsAndMagics)
{
    struct Case {
        uint32_t magic;
        uint16_t stored;
        bool loads;
        uint16_t version;
    } cases[] = {
        {0x100FAB10, 6020, true, 6020}, {0x000FAB10, 6020, true, 6020}, {0x100FAB10, 601, true, 6001},
        {0x100FAB10, 6000, true, 6000}, {0x100FAB10, 6021, false, 0},    {0x100FAB11, 6020, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        const auto block = BuildCrashDataResource(Parts("pw", c.stored), c.magic);
        TCrashDataLoad load;
        load.Version = 1;
        TZorvikModuleOptions options("Probe.exe");
        options.DisableSharedDataWrite();
        EXPECT_EQ(LoadCrashDataResource(block.data(), block.size(), false, true, &options, Answers({"pw"}), load),
                  c.loads);
        if (c.loads) {
            EXPECT_EQ(load.Version, c.version);
            EXPECT_DOUBLE_EQ(load.CompileDate, 46000.5);
            EXPECT_EQ(options.ErrorsNumberToSave(), 7);
            EXPECT_TRUE(load.Unlocked);
            EXPECT_EQ(NameAtFirstLine(load), "MainForm.cpp TMainForm.Open1Click");
        } else {
            EXPECT_EQ(load.Version, 1);  // untouched
            EXPECT_NE(options.ErrorsNumberToSave(), 7);
        }
    }
}

// An options stream of an old version: the log switched on, everything else
// zero or empty, cut to the length that version's reader takes.
std::vector<uint8_t> OldOptionsStream(uint16_t version)
{
    std::vector<uint8_t> bytes(4096, 0);
    bytes[0] = 1;
    TMemoryStream s;
    s.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    s.SetPosition(0);
    const uint16_t saved = LastZorvikVersion;
    LastZorvikVersion = version;
    TZorvikModuleOptions o("");
    o.DisableSharedDataWrite();
    o.LoadFromStream(s);
    LastZorvikVersion = saved;
    bytes.resize(static_cast<size_t>(s.Position()));
    return bytes;
}

// The two oldest layouts: below 4.50 the options and the debug information
// follow the 14-byte header as they are; from 4.50 to 4.99 the same bytes
// are one zlib stream. Neither has a section table or a key test, and their
// names are scrambled with the fixed key.
TEST(CrashDataBlock, OldestLayouts)
{
    for (uint16_t version : {400, 449, 450, 499}) {
        SCOPED_TRACE(version);
        std::vector<uint8_t> body = OldOptionsStream(version);
        ASSERT_GT(body.size(), 20u);
        const std::vector<uint8_t> debug = WriteDebugSection(OneUnit(), "", version);
        const uint32_t length = static_cast<uint32_t>(debug.size());
        body.insert(body.end(), reinterpret_cast<const uint8_t*>(&length), reinterpret_cast<const uint8_t*>(&length) + 4);
        body.insert(body.end(), debug.begin(), debug.end());

        std::vector<uint8_t> block(14);
        const uint32_t magic = ZorvikDataMagic;
        const double date = 38000.25;
        std::memcpy(block.data(), &magic, 4);
        std::memcpy(block.data() + 4, &version, 2);
        std::memcpy(block.data() + 6, &date, 8);
        if (version < 450) {
            block.insert(block.end(), body.begin(), body.end());
        } else {
            std::vector<uint8_t> packed;
            ZCompress(body.data(), static_cast<int32_t>(body.size()), packed);
            block.insert(block.end(), packed.begin(), packed.end());
        }

        TCrashDataLoad load;
        TZorvikModuleOptions options("Probe.exe");
        options.DisableSharedDataWrite();
        int asked = 0;
        ASSERT_TRUE(LoadCrashDataResource(block.data(), block.size(), false, false, &options, Answers({"x", "y"}, &asked), load));
        EXPECT_EQ(load.Version, version);
        EXPECT_DOUBLE_EQ(load.CompileDate, 38000.25);
        EXPECT_EQ(asked, 0);  // no password protects these names
        EXPECT_TRUE(options.ActivateLog());
        EXPECT_FALSE(options.ActivateHandle());
        EXPECT_EQ(NameAtFirstLine(load), "MainForm.cpp TMainForm.Open1Click");

        // Cut short anywhere, neither layout loads.
        for (size_t n : {size_t(13), size_t(20), block.size() - 1}) {
            TCrashDataLoad cut;
            EXPECT_FALSE(LoadCrashDataResource(block.data(), n, false, false, nullptr, nullptr, cut)) << n;
        }
    }
}

TEST(CrashDataBlock, PasswordDecidesWhetherNamesCanBeRead)
{
    const auto block = BuildCrashDataResource(Parts("right"));
    TCrashDataLoad load;
    int asked = 0;
    // The main module is asked once.
    ASSERT_TRUE(LoadCrashDataResource(block.data(), block.size(), false, true, nullptr, Answers({"wrong", "right"}, &asked), load));
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(load.Unlocked);
    const std::string locked = NameAtFirstLine(load);
    EXPECT_EQ(locked.substr(0, 2), "?c") << locked;
    EXPECT_NE(locked.find(" ?"), std::string::npos) << locked;
    // Another module asks again through the process's handlers.
    asked = 0;
    ASSERT_TRUE(LoadCrashDataResource(block.data(), block.size(), false, false, nullptr, Answers({"wrong", "right"}, &asked), load));
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(load.Unlocked);
    EXPECT_EQ(NameAtFirstLine(load), "MainForm.cpp TMainForm.Open1Click");
    // Without anyone to ask, the empty password is tried.
    const auto open = BuildCrashDataResource(Parts(""));
    ASSERT_TRUE(LoadCrashDataResource(open.data(), open.size(), false, true, nullptr, nullptr, load));
    EXPECT_TRUE(load.Unlocked);
}

TEST(CrashDataBlock, LightLoadReadsOptionsOnly)
{
    const auto block = BuildCrashDataResource(Parts());
    TCrashDataLoad load;
    TZorvikModuleOptions options("Probe.exe");
    options.DisableSharedDataWrite();
    int asked = 0;
    ASSERT_TRUE(LoadCrashDataResource(block.data(), block.size(), true, false, &options, Answers({"pw"}, &asked), load));
    EXPECT_FALSE(load.HasDebug);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(options.ErrorsNumberToSave(), 7);
}

TEST(CrashDataBlock, AppendedToTheModuleFile)
{
    TCrashDataParts parts = Parts("");
    const auto trailer = BuildCrashDataTrailer(parts);
    std::vector<uint8_t> file = {'M', 'Z', 0, 0};
    file.insert(file.end(), trailer.begin(), trailer.end());
    const int64_t length = CrashDataTrailerLength(file.data() + file.size() - 8);
    ASSERT_EQ(length, static_cast<int64_t>(trailer.size() - 8));
    TCrashDataLoad load;
    TZorvikModuleOptions options("Probe.exe");
    options.DisableSharedDataWrite();
    ASSERT_TRUE(LoadCrashDataTrailer(file.data() + file.size() - 8 - length, length, false, &options, load));
    EXPECT_EQ(load.Version, 6020);
    EXPECT_EQ(options.ErrorsNumberToSave(), 7);
    EXPECT_EQ(NameAtFirstLine(load), "MainForm.cpp TMainForm.Open1Click");
    const uint8_t none[8] = {};
    EXPECT_EQ(CrashDataTrailerLength(none), -1);
}

TEST(CrashDataBlock, SectionTable)
{
    const auto block = BuildCrashDataResource(Parts());
    uint32_t offset = 0;
    ASSERT_TRUE(FindCrashDataSection(block.data(), block.size(), 1, offset));
    EXPECT_EQ(offset, 0x200u);
    // Records of id 255 are read and passed over like any other.
    ASSERT_TRUE(FindCrashDataSection(block.data(), block.size(), 18, offset));
    EXPECT_EQ(offset, 0x340u);
    EXPECT_FALSE(FindCrashDataSection(block.data(), block.size(), 2, offset));
    EXPECT_EQ(CrashDataStoredVersion(block.data(), block.size()), 6020);
    // A version 601 block is read in the newest layout all the same.
    const auto old = BuildCrashDataResource(Parts("pw", 601));
    ASSERT_TRUE(FindCrashDataSection(old.data(), old.size(), 0, offset));
    EXPECT_EQ(offset, 0x100u);
    EXPECT_EQ(CrashDataStoredVersion(old.data(), old.size()), 601);
}

TEST(CrashDataBlock, CutOrDamagedBlocksAreNotData)
{
    const auto block = BuildCrashDataResource(Parts());
    for (size_t n = 0; n < block.size(); ++n) {
        TCrashDataLoad load;
        EXPECT_FALSE(LoadCrashDataResource(block.data(), n, false, true, nullptr, Answers({"pw"}), load)) << n;
        uint32_t offset;
        FindCrashDataSection(block.data(), n, 18, offset);
        std::vector<uint8_t> flipped = block;
        flipped[n] ^= 0x5A;
        LoadCrashDataResource(flipped.data(), flipped.size(), false, false, nullptr, Answers({"pw"}), load);
    }
}

}  // namespace
