// The language packs inside the built editor, and the language code from the
// registry and tq.ini.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include "editor/document/LanguageResources.h"
#include "editor/document/PerformanceCounter.h"
#include "editor/document/tests/DocumentTestSupport.h"
#include "framework/Exceptions.h"
#include "framework/Registry.h"
#include "framework/WinText.h"

namespace {
std::set<std::string> Keys(const TLanguageSystem& table) {
    std::set<std::string> keys;
    for (const auto& entry : table.texts) keys.insert(entry.first);
    return keys;
}

TLanguageSystem FromSources(const char* pack) {
    const char* dir = std::getenv("TQ_SOURCE_DIR");
    std::ifstream in(std::string(dir ? dir : "../../..") + "/resources/" + pack, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    TLanguageSystem table;
    table.parseText(s.str());
    return table;
}

// The built editor, opened as data only: nothing of it runs.
class TessalyResources {
public:
    TessalyResources() {
        const char* dir = std::getenv("TQ_BINARY_DIR");
        std::string path = std::string(dir ? dir : "..") + "/bin/Tessaly.exe";
        module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    ~TessalyResources() {
        if (module) FreeLibrary(module);
    }
    HMODULE module;
};

const char* const TestKey = "\\Software\\Morvantide Software\\Tessaly tests\\language";
const char* const OlderTestKey = "\\Software\\Morvantide Software\\Tessaly tests\\older";

void SetRegistryLanguage(const char* key, const char* code) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(key, true));
    if (code) registry.WriteString("Language", code);
    else registry.DeleteValue("Language");
}

void WriteIni(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
}
}  // namespace

TEST(LanguageResources, BothPacksLoadFromTheBuiltEditor) {
    TessalyResources tessaly;
    ASSERT_NE(tessaly.module, nullptr) << "Tessaly.exe not built";
    TLanguageSystem en, nl;
    LoadLanguagePack(en, tessaly.module, "EN");
    LoadLanguagePack(nl, tessaly.module, "NL");
    EXPECT_EQ(en.texts.size(), 309u);
    EXPECT_EQ(Keys(en), Keys(nl));
    EXPECT_EQ(en.texts, FromSources("lang_en.txt").texts);
    EXPECT_EQ(nl.texts, FromSources("lang_nl.txt").texts);
    EXPECT_EQ(en.getText("HELPDIR"), "help_en\\");
    EXPECT_EQ(nl.getText("HELPDIR"), "help_nl\\");

    // Any code but "NL" is English; the Dutch pack replaces every text.
    TLanguageSystem table;
    LoadLanguagePack(table, tessaly.module, "de");
    EXPECT_EQ(table.getText("YES_AMP"), "&Yes");
    LoadLanguagePack(table, tessaly.module, "NL");
    EXPECT_EQ(table.getText("YES_AMP"), "&Ja");
    EXPECT_EQ(table.texts, nl.texts);
}

TEST(LanguageResources, AProgramWithoutPacksRaisesTheResourceError) {
    TLanguageSystem table;
    EXPECT_THROW(table.loadLanguage("EN"), EResNotFound);  // the test program carries no packs
}

TEST(LanguageResources, CodeFromTheRegistryThenTqIniThenEnglish) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    const std::string ini = std::string(dir) + "tq_doc_tq.ini";
    DeleteFileA(ini.c_str());
    TRegistry cleanup;
    cleanup.DeleteKey(TestKey);
    cleanup.DeleteKey(OlderTestKey);
    Win32LanguageSettings settings({TestKey, OlderTestKey}, ini);

    EXPECT_EQ(ResolveLanguageCode(settings), "EN");  // nothing anywhere

    WriteIni(ini, "[Default]\r\nLng=NL\r\n");
    EXPECT_EQ(ResolveLanguageCode(settings), "NL");

    SetRegistryLanguage(OlderTestKey, "XX");  // the older key counts while the newer is missing
    EXPECT_EQ(ResolveLanguageCode(settings), "XX");

    SetRegistryLanguage(TestKey, nullptr);  // the newer key without a value: the ini file
    EXPECT_EQ(ResolveLanguageCode(settings), "NL");

    SetRegistryLanguage(TestKey, "EN");
    EXPECT_EQ(ResolveLanguageCode(settings), "EN");

    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(TestKey, false));
        registry.WriteInteger("Language", 5);  // another type reads as no value
    }
    EXPECT_EQ(ResolveLanguageCode(settings), "NL");

    WriteIni(ini, "[Other]\r\nLng=NL\r\n");
    EXPECT_EQ(ResolveLanguageCode(settings), "EN");

    cleanup.DeleteKey(TestKey);
    cleanup.DeleteKey(OlderTestKey);
    DeleteFileA(ini.c_str());
}

TEST(LanguageResources, TheIniFileLivesBesideTheProgram) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = ProgramFolder();
    EXPECT_EQ(folder, std::string(path).substr(0, folder.size()));
    EXPECT_EQ(folder.back(), '\\');
}

TEST(PerformanceCounter, TicksMoveForwardAtTheReportedFrequency) {
    const TTickSource& counter = PerformanceCounterTicks();
    ASSERT_GT(counter.frequency(), 0);
    PfTimer timer("sleep", nullptr, &counter);
    timer.start();
    Sleep(30);
    timer.stop();
    EXPECT_GE(timer.milliseconds, 20.0);
    EXPECT_LT(timer.milliseconds, 2000.0);
}
