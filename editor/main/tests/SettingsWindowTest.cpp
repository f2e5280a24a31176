// The settings in the registry as the running editor reads and writes them:
// a main window closed and made again, the language switch, the policy
// without recent documents, and the shipped Tessaly.exe started twice.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "editor/document/DataFile.h"
#include "editor/document/Win32DocumentIO.h"
#include "editor/main/ByteViewGeometry.h"
#include "editor/main/DataScreen.h"
#include "editor/main/EditorSettings.h"
#include "editor/main/MainForm.h"
#include "editor/main/tests/BoxAnswers.h"
#include "framework/HeaderControl.h"
#include "framework/Registry.h"
#include "framework/WinText.h"
#include "framework/testing/GuiTest.h"

using namespace boxanswers;

namespace {

std::u16string TempFile(const std::u16string& leaf, const std::string& bytes) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    std::u16string path = U16(dir) + leaf;
    HANDLE h = CreateFileW(WC(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    return path;
}

void RemoveSettings() {
    TRegistry reg;
    reg.DeleteKey(SettingsKey);
    reg.DeleteKey(OlderSettingsKey);
    if (reg.OpenKey(ExplorerPolicyKey, false)) reg.DeleteValue("NoRecentDocsMenu");
}

// The value as the registry holds it: its type and bytes.
struct RawValue {
    DWORD type = REG_NONE;
    std::vector<uint8_t> bytes;
    bool found = false;
};
RawValue Raw(const char* name) {
    RawValue v;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey + 1, 0, KEY_READ, &key) != ERROR_SUCCESS) return v;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &v.type, nullptr, &size) == ERROR_SUCCESS) {
        v.bytes.resize(size);
        v.found = RegQueryValueExA(key, name, nullptr, &v.type, v.bytes.data(), &size) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return v;
}
int32_t Int(const char* name) {
    RawValue v = Raw(name);
    return v.found && v.type == REG_DWORD ? *reinterpret_cast<int32_t*>(v.bytes.data()) : -999;
}
std::vector<uint8_t> Utf16(const std::u16string& s) {
    std::vector<uint8_t> b;
    for (char16_t c : s) {
        b.push_back(static_cast<uint8_t>(c & 0xFF));
        b.push_back(static_cast<uint8_t>(c >> 8));
    }
    return b;
}

class SettingsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved = mainform_testing::OpenSettings;
        mainform_testing::OpenSettings = nullptr;  // the registry itself
        RemoveSettings();
        DataFile.setIO(&Win32DocumentIO::Instance());
        mainform_testing::CommandLine = u"Tessaly.exe";
        LanguageSystem.code = "EN";  // as the program's start sets it
    }
    void TearDown() override {
        form.reset();
        RemoveSettings();
        mainform_testing::OpenSettings = saved;
        mainform_testing::CommandLine.reset();
        DataFile.setReadOnly(false);
        DataFile.newFile();
        LanguageSystem.code = "EN";
        LanguageSystem.loadLanguage("EN");
    }
    TMainForm& Start() {
        if (form) {
            form.reset();
            LanguageSystem.loadLanguage(LanguageSystem.code);
        }
        form = std::make_unique<TMainForm>(nullptr);
        form->StartProgram = [](const std::string&, const std::string&) {};
        return *form;
    }
    void Command(TMenuItem* item) {
        form->Perform(WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
        guitest::PumpUntilIdle();
    }
    std::vector<std::u16string> RecentItems() {
        std::vector<std::u16string> items;
        for (int i = form->File1->IndexOf(form->FileStatistics1) + 1; form->File1->Items(i) != form->BeforeExit; ++i)
            if (!form->File1->Items(i)->IsLine())
                items.push_back(static_cast<TUvxMenuItem*>(form->File1->Items(i))->GetCaption());
        return items;
    }

    Answerer answers;
    std::function<std::unique_ptr<TSettingsStore>()> saved;
    std::unique_ptr<TMainForm> form;
};

}  // namespace

TEST_F(SettingsWindowTest, AClosedWindowComesBackAsItWas) {
    const std::u16string a = TempFile(u"settings a.bin", "a"), b = TempFile(u"settings \u00e9 b.bin", "b");
    TMainForm& f = Start();
    // First start: the defaults, a maximized window, no recent files.
    EXPECT_EQ(f.Colors.Background, 0x800000u);
    EXPECT_EQ(f.Colors.SelectedText, 0xFFFFFFu);
    EXPECT_EQ(f.WindowState(), wsMaximized);
    EXPECT_TRUE(f.RecentFiles.empty());
    f.Show();
    guitest::PumpUntilIdle();
    EXPECT_TRUE(IsZoomed(f.Handle()));

    ASSERT_TRUE(f.OpenFile(a, true));
    ASSERT_TRUE(f.OpenFile(b, true));
    f.Colors.Background = 0x123456;
    Command(f.ReadOnly1);
    Command(f.Firstbyteisbyte1);
    f.SetWindowState(wsNormal);
    f.SetBounds(50, 60, 700, 500);
    f.Sizer->SetSectionWidth(0, 300);
    guitest::PumpUntilIdle();
    Command(f.Exit1);

    EXPECT_EQ(Int("Background Color"), 0x123456);
    EXPECT_EQ(Int("Selection Color"), 0xE47E46);
    EXPECT_EQ(Int("Window Maximized"), 0);
    EXPECT_EQ(Int("Window Left"), 50);
    EXPECT_EQ(Int("Window Top"), 60);
    EXPECT_EQ(Int("Window Width"), 700);
    EXPECT_EQ(Int("Window Height"), 500);
    EXPECT_EQ(Int("Read Only"), 1);
    EXPECT_EQ(Int("FirstByte1"), 1);
    EXPECT_EQ(Int("Size text view"), 300);
    // Recent files: binary UTF-16 without a terminator, the newest first.
    RawValue recent0 = Raw("Recent file 0");
    EXPECT_EQ(recent0.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(recent0.bytes, Utf16(b));
    EXPECT_EQ(Raw("Recent file 1").bytes, Utf16(a));
    EXPECT_FALSE(Raw("Recent file 2").found);
    RawValue language = Raw("Language");
    EXPECT_EQ(language.type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(reinterpret_cast<const char*>(language.bytes.data()), "EN");

    TMainForm& g = Start();
    EXPECT_EQ(g.Colors.Background, 0x123456u);
    EXPECT_EQ(g.WindowState(), wsNormal);
    EXPECT_EQ(g.Left(), 50);
    EXPECT_EQ(g.Width(), 700);
    EXPECT_TRUE(g.ReadOnly1->Checked());
    EXPECT_TRUE(DataFile.readOnly);
    EXPECT_TRUE(g.Firstbyteisbyte1->Checked());
    EXPECT_EQ(g.FirstByteNumber, 1);
    EXPECT_EQ(g.Sizer->SectionWidth(0), 300);
    EXPECT_EQ(RecentItems(), (std::vector<std::u16string>{b, a}));
}

namespace {
// The rows of pixels that hold glyphs (in Data Color 1 or 2) within the
// screen row `row` of the byte view, between x0 and x1: their count from the
// highest to the lowest, and the rightmost glyph pixel.
struct Ink {
    int height = 0, right = -1;
};
Ink InkOf(const guitest::TPixels& view, const TMainForm& f, int row, int x0, int x1) {
    int top = RowHeight, bottom = -1;
    Ink ink;
    for (int y = 0; y < RowHeight; ++y)
        for (int x = x0; x < x1 && x < view.Width; ++x) {
            const COLORREF c = view.At(x, row * RowHeight + y);
            if (c != f.Colors.Data1 && c != f.Colors.Data2) continue;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            ink.right = std::max(ink.right, x);
        }
    ink.height = bottom < top ? 0 : bottom - top + 1;
    return ink;
}
}  // namespace

// A first start, with no settings at all, fits the views to the maximized
// window, not to the layout's narrow one: Text 275 and Decimal 450 pixels,
// Hexadecimal the rest, and the digits of both number views drawn at a size
// a person can read across the whole view. Widths that were stored are
// fitted to the window they come back in, as before.
TEST_F(SettingsWindowTest, AFirstStartShowsEveryViewReadable) {
    TMainForm& f = Start();
    f.Show();
    guitest::PumpUntilIdle();
    ASSERT_TRUE(IsZoomed(f.Handle()));
    const int w = f.ClientWidth() - GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(f.Sizer->SectionWidth(0), 275);
    EXPECT_EQ(f.Sizer->SectionWidth(1), 450);
    EXPECT_EQ(f.Sizer->SectionWidth(2), w - 725);
    guitest::SaveScreenshot(f.Handle(), guitest::ScreenshotPath("first_start"));
    const guitest::TPixels view = guitest::GrabClient(f.ByteView->Handle());
    // The second row: 16 zero bytes, neither cursor nor selection.
    const Ink decimal = InkOf(view, f, 1, 275, 725), hexadecimal = InkOf(view, f, 1, 725, w);
    EXPECT_GE(decimal.height, 9) << "the Decimal view's digits are too small to read";
    EXPECT_GT(decimal.right, 725 - 40) << "the last column of the Decimal view shows";
    EXPECT_GE(hexadecimal.height, 9) << "the Hexadecimal view's digits are too small to read";
    EXPECT_GT(hexadecimal.right, w - 60) << "the last column of the Hexadecimal view shows";

    // Closed maximized with other widths, it comes back with them.
    f.Sizer->SetSectionWidth(0, 200);
    f.Sizer->SetSectionWidth(1, 300);
    guitest::PumpUntilIdle();
    Command(f.Exit1);
    TMainForm& g = Start();
    g.Show();
    guitest::PumpUntilIdle();
    ASSERT_TRUE(IsZoomed(g.Handle()));
    EXPECT_EQ(g.Sizer->SectionWidth(0), 200);
    EXPECT_EQ(g.Sizer->SectionWidth(1), 300);
    EXPECT_EQ(g.Sizer->SectionWidth(2), w - 500);
}

TEST_F(SettingsWindowTest, TheLanguageChoiceIsStoredAtOnce) {
    TMainForm& f = Start();
    Command(f.Nederlands1);
    EXPECT_EQ(f.File1->Caption(), "Bestand");
    EXPECT_EQ(LanguageSystem.readLanguageSetting(), "NL");
    Command(f.English1);
    EXPECT_EQ(LanguageSystem.readLanguageSetting(), "EN");
    Command(f.Nederlands1);
    EXPECT_EQ(LanguageSystem.readLanguageSetting(), "NL");
}

TEST_F(SettingsWindowTest, WithoutRecentDocumentsNoneAreReadOrKept) {
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(SettingsKey, true));
        reg.WriteBinaryData("Recent file 0", u"C:\\x.bin", 16);
        reg.WriteBinaryData("Recent file 9", u"C:\\y.bin", 16);
        ASSERT_TRUE(reg.OpenKey(ExplorerPolicyKey, true));
        reg.WriteInteger("NoRecentDocsMenu", 1);
    }
    const std::u16string a = TempFile(u"settings policy.bin", "p");
    TMainForm& f = Start();
    EXPECT_EQ(f.RecentEnabled, 0);
    EXPECT_TRUE(f.RecentFiles.empty());
    ASSERT_TRUE(f.OpenFile(a, true));
    Command(f.Exit1);
    for (int n = 0; n < 10; ++n)
        EXPECT_FALSE(Raw(("Recent file " + std::to_string(n)).c_str()).found) << n;
    EXPECT_EQ(Int("Read Only"), 0) << "the other settings are written";
}
