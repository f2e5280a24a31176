// The editor's save with the crash-report component running in the same
// program: the import table's WriteFile is the component's, the save goes
// through it (by its shortcut and by the File menu) and the file on disk is
// the document, byte for byte.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "editor/crashreport/core/capture/CoreState.h"
#include "editor/crashreport/core/capture/FileWriteHook.h"
#include "editor/document/DataFile.h"
#include "editor/document/LanguageSystem.h"
#include "editor/document/Win32DocumentIO.h"
#include "editor/main/DataScreen.h"
#include "editor/main/MainForm.h"
#include "framework/Application.h"
#include "framework/WinText.h"
#include "framework/testing/GuiTest.h"

namespace {

std::u16string TempFile(const std::u16string& name)
{
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    return U16(dir) + name;
}

// Through the system's routine, not the program's import table.
using TWriteFile = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
TWriteFile SystemWriteFile()
{
    return reinterpret_cast<TWriteFile>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "WriteFile")));
}

void WriteBytes(const std::u16string& path, const std::string& bytes)
{
    HANDLE h = CreateFileW(WC(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    SystemWriteFile()(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

std::string ReadBytes(const std::u16string& path)
{
    HANDLE h = CreateFileW(WC(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes(GetFileSize(h, nullptr), '\0');
    DWORD got = 0;
    ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(h);
    return bytes;
}

// Every byte value, line ends and end-of-file marks among them, in an
// order that repeats nowhere near the page size.
std::string Pattern(size_t size)
{
    std::string bytes(size, '\0');
    uint32_t x = 12345;
    for (size_t i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        bytes[i] = static_cast<char>(i < 256 ? i : x >> 24);
    }
    return bytes;
}

std::string Document()
{
    return std::string(reinterpret_cast<const char*>(DataFile.data), static_cast<size_t>(DataFile.size));
}

// The address the program's import table holds for kernel32's WriteFile.
void* ImportedWriteFile()
{
    auto* base = reinterpret_cast<uint8_t*>(GetModuleHandleA(nullptr));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name; ++d) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + d->Name), "kernel32.dll") != 0)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (lstrcmpA(reinterpret_cast<char*>(byName->Name), "WriteFile") == 0)
                return reinterpret_cast<void*>(slots->u1.Function);
        }
    }
    return nullptr;
}

class SaveThroughHookTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DataFile.setIO(&Win32DocumentIO::Instance());
        DataFile.newFile();
        LanguageSystem.code = "EN";
        LanguageSystem.loadLanguage("EN");
    }
    void TearDown() override
    {
        form.reset();
        mainform_testing::CommandLine.reset();
        DataFile.newFile();
        DeleteFileW(WC(file));
    }
    void Start()
    {
        mainform_testing::CommandLine = u"Tessaly.exe \"" + file + u"\"";
        form = std::make_unique<TMainForm>(nullptr);
        form->StartProgram = [](const std::string&, const std::string&) {};  // no help viewer
        form->Show();
        form->SetBounds(0, 0, 1000, 500);
        guitest::PumpUntilIdle();
    }
    HWND View() { return form->ByteView->Handle(); }
    // Ctrl+S through the application's loop, where the menu's shortcuts act.
    void CtrlS()
    {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        SetForegroundWindow(form->Handle());
        PostMessageA(View(), WM_KEYDOWN, 'S', 1);
        PostMessageA(View(), WM_KEYUP, 'S', 0xC0000001);
        Application->ProcessMessages();
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        guitest::PumpUntilIdle();
    }
    void MenuSave()
    {
        form->Perform(WM_COMMAND, MAKEWPARAM(form->Save1->Command(), 0), 0);
        guitest::PumpUntilIdle();
    }

    std::u16string file = TempFile(u"saved through the hook \u00e9.bin");
    std::unique_ptr<TMainForm> form;
};

}  // namespace

TEST_F(SaveThroughHookTest, TheProgramsWriteFileIsTheComponents)
{
    ASSERT_TRUE(IsZorvikLogInstalled()) << "the test program carries no crash-report data";
    EXPECT_EQ(ImportedWriteFile(), reinterpret_cast<void*>(&HookedWriteFile));
}

TEST_F(SaveThroughHookTest, ASavedFileIsTheDocumentByteForByte)
{
    ASSERT_TRUE(IsZorvikLogInstalled());
    const std::string original = Pattern(70001);
    WriteBytes(file, original);
    Start();
    ASSERT_EQ(Document(), original);

    // Typed over the first byte, saved by the shortcut.
    guitest::TypeChar(View(), 'x');
    std::string expected = original;
    expected[0] = 'x';
    ASSERT_EQ(Document(), expected);
    const uint32_t before = HookedWriteFileCalls();
    CtrlS();
    EXPECT_GT(HookedWriteFileCalls(), before) << "the save did not pass the hook";
    EXPECT_EQ(Modified, 0);
    const std::string shortcut = ReadBytes(file);
    EXPECT_EQ(shortcut.size(), expected.size());
    EXPECT_TRUE(shortcut == expected) << "the file on disk differs from the document";

    // Typed again, saved through the File menu's Save.
    guitest::TypeChar(View(), 'y');
    expected[1] = 'y';
    const uint32_t again = HookedWriteFileCalls();
    MenuSave();
    EXPECT_GT(HookedWriteFileCalls(), again);
    EXPECT_EQ(Modified, 0);
    EXPECT_TRUE(ReadBytes(file) == expected);
    guitest::SaveScreenshot(form->Handle(), guitest::ScreenshotPath("save_through_write_hook"));
}

TEST_F(SaveThroughHookTest, TheHookGivesTheSystemsResultCountAndError)
{
    // A handle that names nothing, a handle opened for reading only, and a
    // good one: the same answer through the hook as from the system.
    const std::u16string path = TempFile(u"write hook answers.bin");
    WriteBytes(path, "abc");
    HANDLE readOnly = CreateFileW(WC(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE writable = CreateFileW(WC(path), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(readOnly, INVALID_HANDLE_VALUE);
    ASSERT_NE(writable, INVALID_HANDLE_VALUE);
    struct Case {
        const char* what;
        HANDLE handle;
    } cases[] = {{"invalid handle", INVALID_HANDLE_VALUE}, {"read-only handle", readOnly}, {"writable", writable}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DWORD systemCount = 77, hookCount = 77;
        SetLastError(0);
        const BOOL systemResult = SystemWriteFile()(c.handle, "12", 2, &systemCount, nullptr);
        const DWORD systemError = GetLastError();
        SetLastError(0);
        const BOOL hookResult = HookedWriteFile(c.handle, "34", 2, &hookCount, nullptr);
        EXPECT_EQ(hookResult, systemResult);
        EXPECT_EQ(hookCount, systemCount);
        EXPECT_EQ(GetLastError(), systemError);
    }
    CloseHandle(readOnly);
    CloseHandle(writable);
    EXPECT_EQ(ReadBytes(path), "1234");
    // Nothing of a GUI program's writes is kept as a page.
    EXPECT_EQ(LastHtmlPage(), "");
    DeleteFileW(WC(path));
}
