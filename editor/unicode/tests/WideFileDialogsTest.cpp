#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>
#include <functional>

#include "editor/unicode/UvxDialogs.h"
#include "editor/unicode/tests/EightBitPlatform.h"
#include "editor/unicode/tests/TempFolder.h"
#include "editor/unicode/UvxForms.h"
#include "framework/Application.h"
#include "framework/WinText.h"
#include "framework/testing/FileDialogAnswer.h"
#include "framework/testing/GuiTest.h"

namespace {
using DialogAnswer = guitest::FileDialogAnswer;

void Touch(const std::u16string& path) {
    HANDLE h = CreateFileW(WC(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
}

const std::u16string kA = u"\u03B1.txt", kB = u"\u03B2.txt", kC = u"\u03B3.txt";
}  // namespace

TEST(WideFileDialogs, ThreeFilesChosenInOneFolderGiveThreeFullPaths) {
    TempFolder folder(u"\u03C6\u03AC\u03BA\u03B5\u03BB\u03BF\u03C2");
    for (const auto& f : {kA, kB, kC}) Touch(folder / f);
    TUvxOpenDialog dialog(nullptr);
    dialog.Options = ofAllowMultiSelect | ofFileMustExist;
    dialog.SetInitialDir(folder.Path() + u"\\");
    EXPECT_EQ(dialog.GetInitialDir(), folder.Path()) << "one trailing delimiter goes";
    dialog.SetFilter(u"\u039A\u03B5\u03AF\u03BC\u03B5\u03BD\u03BF (*.txt)|*.txt");
    dialog.SetTitle(u"\u0386\u03BD\u03BF\u03B9\u03B3\u03BC\u03B1");
    DialogAnswer::Shot() = guitest::ScreenshotPath("wide_open_dialog");
    DialogAnswer::Plan(u"\"" + kA + u"\" \"" + kB + u"\" \"" + kC + u"\"");
    ASSERT_TRUE(dialog.Execute());
    ASSERT_EQ(dialog.Files()->Count(), 3);
    std::vector<std::u16string> got;
    for (int i = 0; i < 3; ++i) got.push_back(dialog.Files()->Get(i));
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, (std::vector<std::u16string>{folder / kA, folder / kB, folder / kC}));
    EXPECT_EQ(dialog.GetFileName(), dialog.Files()->Get(0)) << "the file name is the first of them";
    EXPECT_EQ(dialog.TOpenDialog::Files.size(), 3u) << "the framework's list follows";

    dialog.SetInitialDir(u"C:\\");
    EXPECT_EQ(dialog.GetInitialDir(), u"C:\\") << "a drive root keeps its delimiter";
}

TEST(WideFileDialogs, SaveGivesOneWideNameAndCancelChangesNothing) {
    TempFolder folder(u"\u03C3\u03CE\u03C3\u03B5");
    TUvxSaveDialog dialog(nullptr);
    dialog.SetInitialDir(folder.Path());
    dialog.SetFileName(u"\u03C0\u03C1\u03CE\u03C4\u03BF.bin");
    DialogAnswer::Plan(u"\u03B4\u03B5\u03CD\u03C4\u03B5\u03C1\u03BF.bin");
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.GetFileName(), folder / u"\u03B4\u03B5\u03CD\u03C4\u03B5\u03C1\u03BF.bin");
    ASSERT_EQ(dialog.Files()->Count(), 1);
    EXPECT_EQ(dialog.Files()->Get(0), dialog.GetFileName());

    DialogAnswer::Plan(u"");
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.GetFileName(), folder / u"\u03B4\u03B5\u03CD\u03C4\u03B5\u03C1\u03BF.bin");
}

TEST(WideFileDialogs, TheProgramMayKeepTheDialogOpenSeeingTheChosenNames) {
    TempFolder folder(u"\u03BA\u03C1\u03AC\u03C4\u03B1");
    for (const auto& f : {kA, kB}) Touch(folder / f);
    TUvxOpenDialog dialog(nullptr);
    dialog.Options = ofAllowMultiSelect | ofFileMustExist;
    dialog.SetInitialDir(folder.Path());
    std::vector<std::u16string> seen;
    int asked = 0;
    dialog.OnCanClose = [&](TObject*, bool& canClose) {
        ++asked;
        for (int i = 0; i < dialog.Files()->Count(); ++i) seen.push_back(dialog.Files()->Get(i));
        canClose = false;
        DialogAnswer::Plan(u"");  // the person gives up
    };
    DialogAnswer::Plan(u"\"" + kA + u"\" \"" + kB + u"\"");
    EXPECT_FALSE(dialog.Execute()) << "refused, then cancelled";
    EXPECT_EQ(asked, 1);
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::u16string>{folder / kA, folder / kB}));
    EXPECT_EQ(dialog.Files()->Count(), 0) << "the lists are emptied after the question";
}

TEST(WideFileDialogs, EightBitPlatformRunsTheFrameworkDialog) {
    EightBitPlatform eightBit;
    TempFolder folder(u"plain");
    Touch(folder / u"one.txt");
    Touch(folder / u"two.txt");
    TUvxOpenDialog dialog(nullptr);
    dialog.Options = ofAllowMultiSelect;
    dialog.SetInitialDir(folder.Path());
    DialogAnswer::Plan(u"\"one.txt\" \"two.txt\"");
    ASSERT_TRUE(dialog.Execute());
    ASSERT_EQ(dialog.Files()->Count(), 2);
    EXPECT_EQ(dialog.Files()->Get(0).substr(0, folder.Path().size()), folder.Path());
}

TEST(WideFileDialogs, ADialogWithoutOwnerBelongsToTheModalParentAndHoldsTheProgramsWindows) {
    TUvxForm form(nullptr);
    form.SetBounds(60, 60, 300, 200);
    form.Show();
    SetForegroundWindow(form.Handle());
    guitest::PumpUntilIdle();
    struct Case {
        TPopupMode mode;
        HWND expectedOwner;
    } cases[] = {{pmNone, Application->Handle()}, {pmAuto, form.Handle()}, {pmExplicit, form.Handle()}};
    for (const Case& c : cases) {
        Application->ModalPopupMode = c.mode;
        SetForegroundWindow(form.Handle());
        guitest::PumpUntilIdle();
        HWND owner = nullptr;
        bool formEnabled = true;
        DialogAnswer::Seen() = [&](HWND dialog) {
            owner = GetWindow(dialog, GW_OWNER);
            formEnabled = IsWindowEnabled(form.Handle()) != 0;
        };
        TUvxOpenDialog dialog(nullptr);
        DialogAnswer::Plan(u"");
        EXPECT_FALSE(dialog.Execute());
        EXPECT_EQ(owner, c.expectedOwner) << c.mode;
        EXPECT_FALSE(formEnabled) << "no input to the form while the dialog runs, mode " << c.mode;
        EXPECT_TRUE(IsWindowEnabled(form.Handle())) << "the form takes input again";
    }
    Application->ModalPopupMode = pmNone;
}

namespace {
// The name of the item a dialog asks about.
std::u16string ItemName(const OFNOTIFYEXW& ofn) {
    auto* folder = static_cast<IShellFolder*>(ofn.psf);
    STRRET name{};
    if (!folder || FAILED(folder->GetDisplayNameOf(static_cast<PCUITEMID_CHILD>(ofn.pidl), SHGDN_INFOLDER | SHGDN_FORPARSING, &name)))
        return u"";
    std::u16string result;
    if (name.uType == STRRET_WSTR) {
        result = U16(name.pOleStr);
        CoTaskMemFree(name.pOleStr);
    }
    return result;
}

BOOL CALLBACK FindList(HWND h, LPARAM p) {
    char cls[32] = {};
    GetClassNameA(h, cls, sizeof cls);
    if (std::strcmp(cls, "SysListView32") == 0) {
        *reinterpret_cast<HWND*>(p) = h;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

TEST(WideFileDialogs, TheWideIncludeItemEventDecidesWhatIsListed) {
    TempFolder folder(u"\u03BB\u03AF\u03C3\u03C4\u03B1");
    for (const auto& f : {kA, kB, kC}) Touch(folder / f);
    TUvxOpenDialog dialog(nullptr);
    dialog.SetInitialDir(folder.Path());
    std::vector<std::u16string> asked;
    int plainAsked = 0;
    dialog.OnIncludeItem = [&](const OFNOTIFYEXW& ofn, bool& include) {
        std::u16string name = ItemName(ofn);
        asked.push_back(name);
        include = name != kB;
    };
    dialog.TOpenDialog::OnIncludeItem = [&](const OFNOTIFYEXA&, bool&) { ++plainAsked; };
    LRESULT listed = -1;
    DialogAnswer::Seen() = [&](HWND d) {
        guitest::PumpUntilIdle();
        HWND list = nullptr;
        EnumChildWindows(d, FindList, reinterpret_cast<LPARAM>(&list));
        if (list) listed = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    };
    DialogAnswer::Plan(u"");
    EXPECT_FALSE(dialog.Execute());
    if (asked.empty()) GTEST_SKIP() << "this system's dialog does not ask about the items it lists";
    std::sort(asked.begin(), asked.end());
    EXPECT_EQ(asked, (std::vector<std::u16string>{kA, kB, kC})) << "asked with the wide names";
    EXPECT_EQ(plainAsked, 0) << "the framework's event is not asked on a Unicode platform";
    if (listed == 3) GTEST_SKIP() << "this system's dialog asks about the items but lists them all whatever the answer";
    EXPECT_EQ(listed, 2) << "the one left out is not listed";
}

namespace {
// The text of the dialog's control 1201, wherever in the dialog it sits.
BOOL CALLBACK FindExtraPart(HWND h, LPARAM p) {
    if (GetDlgCtrlID(h) != 1201) return TRUE;
    wchar_t text[64] = {};
    GetWindowTextW(h, text, 64);
    *reinterpret_cast<std::u16string*>(p) = U16(text);
    return FALSE;
}
}  // namespace

TEST(WideFileDialogs, TheProgramsTemplateAddsItsPartByNameOrNumber) {
    struct Case {
        LPCSTR name;
        bool wide;
        const char16_t* text;
    } cases[] = {
        {"UVXOPENEXTRA", true, u"Named extra part"},
        {MAKEINTRESOURCEA(301), true, u"Numbered extra part"},
        {"UVXOPENEXTRA", false, u"Named extra part"},
    };
    for (const Case& c : cases) {
        Platform platform(c.wide);
        TUvxOpenDialog dialog(nullptr);
        dialog.Template = c.name;
        std::u16string shown;
        DialogAnswer::Seen() = [&](HWND d) {
            EnumChildWindows(d, FindExtraPart, reinterpret_cast<LPARAM>(&shown));
            if (IS_INTRESOURCE(c.name)) guitest::SaveScreenshot(d, guitest::ScreenshotPath("wide_open_dialog_template"));
        };
        DialogAnswer::Plan(u"");
        EXPECT_FALSE(dialog.Execute());
        EXPECT_EQ(shown, c.text) << (c.wide ? "wide" : "8-bit");
    }
}
