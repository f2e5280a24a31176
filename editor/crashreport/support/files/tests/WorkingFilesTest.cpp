#include <gtest/gtest.h>

#include <windows.h>

#include "editor/crashreport/support/files/ProfileFiles.h"
#include "editor/crashreport/support/files/WorkingFiles.h"
#include "editor/crashreport/support/system/SystemFacts.h"
#include "editor/crashreport/support/texts/CommonStrings.h"

namespace {

// A fresh folder under the temporary folder, removed with its files.
class ScratchFolder {
public:
    ScratchFolder()
    {
        char temp[MAX_PATH + 1];
        GetTempPathA(sizeof temp, temp);
        Path = std::string(temp) + "crashcommon-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(GetTickCount());
        CreateDirectoryA(Path.c_str(), nullptr);
    }
    ~ScratchFolder() { RemoveTree(Path); }
    static void RemoveTree(const std::string& dir)
    {
        WIN32_FIND_DATAA f;
        HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &f);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = f.cFileName;
                if (name == "." || name == "..")
                    continue;
                const std::string full = dir + "\\" + name;
                if (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(full);
                else {
                    SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA(full.c_str());
                }
            } while (FindNextFileA(h, &f));
            FindClose(h);
        }
        RemoveDirectoryA(dir.c_str());
    }
    std::string Path;
};

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteFile(const std::string& path, const std::string& text)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written;
    ::WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(h);
}

std::string ProgramBaseName()
{
    std::string path = Real_GetMainModuleFileName();
    path = path.substr(path.find_last_of("\\/") + 1);
    return path.substr(0, path.rfind('.'));
}

} // namespace

TEST(WorkingFiles, WritableAndReadableTestsLeaveNoTrace)
{
    ScratchFolder dir;
    const std::string fresh = dir.Path + "\\fresh.txt";
    EXPECT_TRUE(IsWritableFile(fresh));
    EXPECT_FALSE(Exists(fresh));  // made for the test only, and removed
    EXPECT_FALSE(IsReadableFile(fresh));
    WriteFile(fresh, "x");
    EXPECT_TRUE(IsWritableFile(fresh));
    EXPECT_TRUE(Exists(fresh));
    EXPECT_TRUE(IsReadableFile(fresh));
    EXPECT_FALSE(IsWritableFile(dir.Path + "\\no\\such\\folder\\f.txt"));
}

TEST(WorkingFiles, ForceDirectoriesMakesEveryMissingLevel)
{
    ScratchFolder dir;
    EXPECT_FALSE(ForceDirectoriesEx(""));
    EXPECT_TRUE(ForceDirectoriesEx(dir.Path + "\\a\\b\\c\\"));
    EXPECT_TRUE(Exists(dir.Path + "\\a\\b\\c"));
    EXPECT_TRUE(ForceDirectoriesEx(dir.Path + "\\a\\b"));  // already there
    EXPECT_TRUE(ForceDirectoriesEx("C:"));
    WriteFile(dir.Path + "\\file", "x");
    EXPECT_FALSE(ForceDirectoriesEx(dir.Path + "\\file\\below"));
}

TEST(WorkingFiles, UnwritablePlacesFallBackToTheLibraryFolder)
{
    ScratchFolder dir;
    std::string name = dir.Path + "\\ok.zvf";
    EXPECT_TRUE(GetWorkingFile(name, false, false));
    EXPECT_EQ(name, dir.Path + "\\ok.zvf");

    // A folder that does not exist (and is not made here) is not writable.
    name = dir.Path + "\\missing\\report.zvf";
    EXPECT_TRUE(GetWorkingFile(name, true, false));
    EXPECT_EQ(name, LibraryFolder() + "\\" + ProgramBaseName() + "\\report.zvf");
    EXPECT_TRUE(Exists(LibraryFolder() + "\\" + ProgramBaseName()));

    name = dir.Path + "\\missing\\plain.zvf";
    EXPECT_TRUE(GetWorkingFile(name, false, false));
    EXPECT_EQ(name, LibraryFolder() + "\\plain.zvf");

    // Read-only: a file that is nowhere stays unresolved.
    name = dir.Path + "\\missing\\absent-" + std::to_string(GetTickCount()) + ".txt";
    const std::string before = name;
    EXPECT_FALSE(GetWorkingFile(name, false, true));
    EXPECT_EQ(name, before);

    std::string folder = dir.Path;
    EXPECT_TRUE(GetWorkingDir(folder, false, false));
    EXPECT_EQ(folder, dir.Path + "\\");
}

TEST(WorkingFiles, EnvironmentReferencesAreExpandedInNames)
{
    ScratchFolder dir;
    SetEnvironmentVariableA("CRASHCOMMON_DIR", dir.Path.c_str());
    std::string name = "%CRASHCOMMON_DIR%\\log.zvf";
    EXPECT_TRUE(GetWorkingFile(name, false, false));
    EXPECT_EQ(name, dir.Path + "\\log.zvf");
}

TEST(WorkingFiles, OutputNames)
{
    ScratchFolder dir;
    EXPECT_EQ(OutputFileFor(dir.Path + "\\logs\\my.ZVF", "C:\\elsewhere\\other.txt"), dir.Path + "\\logs\\my.ZVF");
    EXPECT_TRUE(Exists(dir.Path + "\\logs"));
    EXPECT_EQ(OutputFileFor(dir.Path + "\\out", "C:\\elsewhere\\shot.png"), dir.Path + "\\out\\shot.png");
    EXPECT_EQ(OutputFileFor("", dir.Path + "\\beside.png"), dir.Path + "\\beside.png");

    EXPECT_EQ(OutputLogFileFor("", dir.Path + "\\Editor.vshost.exe", "", false), dir.Path + "\\Editor.zvf");
    EXPECT_EQ(OutputLogFileFor("", "", dir.Path + "\\Named.log", false), dir.Path + "\\Named.zvf");
    const std::string withComputer = OutputLogFileFor("", dir.Path + "\\Editor.exe", "", true);
    EXPECT_EQ(withComputer, dir.Path + "\\Editor_" + FileNameSafeComputerName() + ".zvf");
    EXPECT_EQ(FileNameSafeComputerName().find_first_of("\"*/:<>?\\|"), std::string::npos);
}

TEST(WorkingFiles, FileDatesAndLongNames)
{
    ScratchFolder dir;
    EXPECT_EQ(GetModifiedDate(dir.Path + "\\none"), 0.0);
    WriteFile(dir.Path + "\\dated.txt", "x");
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_NEAR(GetModifiedDate(dir.Path + "\\dated.txt"), SystemTimeToDateTime(now), 1.0 / 24);

    ForceDirectoriesEx(dir.Path + "\\A Long Folder Name");
    WriteFile(dir.Path + "\\A Long Folder Name\\long file name.text", "x");
    char shortName[MAX_PATH + 1] = {};
    GetShortPathNameA((dir.Path + "\\A Long Folder Name\\long file name.text").c_str(), shortName, sizeof shortName);
    const std::string shortPath = shortName;
    if (shortPath.find('~') != std::string::npos) {
        const std::string longPath = GetLongNameFromShort(shortPath);
        EXPECT_EQ(longPath.substr(longPath.size() - 38), "A Long Folder Name\\long file name.text");
    }
    EXPECT_EQ(GetLongNameFromShort("C:\\plain\\path"), "C:\\plain\\path");
    // A component that is not found ends the rebuild; the rest stays.
    EXPECT_EQ(GetLongNameFromShort(dir.Path + "\\NOSUCH~1\\tail").substr(dir.Path.size()), "\\NOSUCH~1\\tail");
}

TEST(ProfileFiles, ValuesAndTextCollectionsThroughRealIniFiles)
{
    ScratchFolder dir;
    const std::string ini = dir.Path + "\\settings.ini";
    EXPECT_EQ(ReadString(ini, "S", "missing", "def"), "def");
    WriteString(ini, "S", "name", "value");
    WriteInteger(ini, "S", "number", -42);
    WriteBool(ini, "S", "flag", true);
    WriteString(ini, "S", "word", "seven");
    EXPECT_EQ(ReadString(ini, "S", "name", ""), "value");
    EXPECT_EQ(ReadInteger(ini, "S", "number", 0), -42);
    EXPECT_EQ(ReadInteger(ini, "S", "word", 5), 5);
    EXPECT_TRUE(ReadBool(ini, "S", "flag", false));
    EXPECT_FALSE(ReadBool(ini, "S", "missing", false));

    // An ini file in a folder that cannot be made: reads give the default.
    WriteFile(dir.Path + "\\blocker", "x");
    EXPECT_EQ(ReadString(dir.Path + "\\blocker\\x.ini", "S", "name", "d"), "d");

    TPrivateProfileStore store;
    TCustomizedTexts texts = DefaultCustomizedTexts();
    texts[mtDialog_Caption] = "\"quoted\"";
    texts[mtDialog_OKButtonCaption] = "  spaced  ";
    const std::string file = dir.Path + "\\German.ini";
    SaveCustomizedTextsToFile(store, texts, file);
    TCustomizedTexts loaded = DefaultCustomizedTexts();
    loaded[mtDialog_Caption] = "other";
    LoadCustomizedTextsFromFile(store, loaded, file);
    EXPECT_EQ(loaded, texts);
    EXPECT_EQ(ReadString(file, "Exception Log", "Count mtSend_BugClosedMsg", ""), "2");
    EXPECT_EQ(TextsCollectionName(file), dir.Path + "\\German");
}
