#include <gtest/gtest.h>

#include "framework/Exceptions.h"
#include "framework/Registry.h"
#include "framework/SysUtils.h"
#include "framework/WinStreams.h"

namespace {
std::string TempPath(const std::string& name) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}
}  // namespace

TEST(Platform, AnsiCodePageIs1252) { EXPECT_EQ(GetACP(), 1252u); }

TEST(Registry, TypedValuesAndWrongTypes) {
    const std::string key = "\\Software\\TessalyFrameworkTest";
    TRegistry reg;
    reg.DeleteKey(key);
    EXPECT_FALSE(reg.OpenKey(key, false));
    ASSERT_TRUE(reg.OpenKey(key, true));
    reg.WriteString("Name", "value");
    reg.WriteInteger("Number", -5);
    reg.WriteBool("Flag", true);
    const uint8_t bytes[] = {1, 2, 3};
    reg.WriteBinaryData("Blob", bytes, 3);
    reg.CloseKey();

    TRegistry read(KEY_READ);
    ASSERT_TRUE(read.OpenKeyReadOnly(key));
    EXPECT_EQ(read.ReadString("Name"), "value");
    EXPECT_EQ(read.ReadString("Missing"), "");
    EXPECT_EQ(read.ReadInteger("Number"), -5);
    EXPECT_TRUE(read.ReadBool("Flag"));
    uint8_t back[3] = {};
    EXPECT_EQ(read.ReadBinaryData("Blob", back, 3), 3);
    EXPECT_EQ(back[2], 3);
    EXPECT_EQ(read.GetDataSize("Blob"), 3);
    EXPECT_THROW(read.ReadInteger("Name"), ERegistryException);
    EXPECT_THROW(read.ReadString("Number"), ERegistryException);
    EXPECT_THROW(read.ReadInteger("Missing"), ERegistryException);
    EXPECT_TRUE(read.ValueExists("Number"));
    read.CloseKey();

    ASSERT_TRUE(reg.OpenKey(key, false));
    EXPECT_TRUE(reg.DeleteValue("Number"));
    EXPECT_FALSE(reg.ValueExists("Number"));
    reg.CloseKey();
    EXPECT_TRUE(reg.DeleteKey(key));
}

TEST(IniFile, ReadsAndWritesValues) {
    std::string path = TempPath("tq_framework_test.ini");
    DeleteFileA(path.c_str());
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("Default", "Lng", "EN"), "EN");
    ini.WriteString("Default", "Lng", "NL");
    ini.WriteInteger("Default", "Count", 3);
    TIniFile again(path);
    EXPECT_EQ(again.ReadString("Default", "Lng", "EN"), "NL");
    EXPECT_EQ(again.ReadInteger("Default", "Count", 0), 3);
    EXPECT_EQ(again.ReadInteger("Default", "Lng", 7), 7);
    DeleteFileA(path.c_str());
}

TEST(FileStream, CreateWriteReadAndErrors) {
    std::string path = TempPath("tq_framework_stream.bin");
    {
        TFileStream f(path, fmCreate);
        f.WriteBuffer("abcdef", 6);
        f.SetSize(4);
        EXPECT_EQ(f.Size(), 4);
    }
    {
        TFileStream f(path, fmOpenRead | fmShareDenyWrite);
        char buf[8] = {};
        EXPECT_EQ(f.Read(buf, 8), 4);
        EXPECT_STREQ(buf, "abcd");
        // Another writer is refused while we deny writing.
        EXPECT_THROW(TFileStream(path, fmOpenWrite), EFOpenError);
    }
    DeleteFileA(path.c_str());
    try {
        TFileStream missing(path, fmOpenRead);
        FAIL() << "opened a missing file";
    } catch (const EFOpenError& e) {
        EXPECT_NE(std::string(e.what()).find("Cannot open file"), std::string::npos);
    }
}

TEST(ResourceStream, MissingResourceRaises) {
    EXPECT_THROW(TResourceStream(GetModuleHandleA(nullptr), 4242, MAKEINTRESOURCEA(10)), EResNotFound);
}

TEST(Locale, InitializeKeepsTheDecimalSeparatorOfTheUser) {
    char sep[8] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sep, sizeof sep);
    EXPECT_EQ(std::string(1, FormatSettings.DecimalSeparator), std::string(1, '.'));
    EXPECT_EQ(std::string(sep), ".");
}
