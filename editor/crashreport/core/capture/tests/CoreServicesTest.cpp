// The core's services in a program that runs the component: the shared
// virtual file and the options published through it, the memory reserve,
// warnings, the windows of the process, the clipboard and the date of the
// internal error log.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <regex>
#include <stdexcept>

#include "editor/crashreport/core/capture/Captures.h"
#include "editor/crashreport/core/capture/CoreState.h"
#include "editor/crashreport/core/capture/ExceptionHooks.h"
#include "editor/crashreport/core/capture/FreezeWatchdog.h"
#include "editor/crashreport/core/capture/InternalErrors.h"
#include "editor/crashreport/core/capture/MemoryReserve.h"
#include "editor/crashreport/core/capture/ModulesProcesses.h"
#include "editor/crashreport/core/capture/ProcessWindows.h"
#include "editor/crashreport/core/capture/SharedVirtualFile.h"
#include "editor/crashreport/core/lookup/AddressLookup.h"
#include "editor/crashreport/core/lookup/ModuleInfo.h"
#include "editor/crashreport/core/sending/SmtpMail.h"
#include "editor/crashreport/support/system/SystemFacts.h"
#include "framework/Exceptions.h"

namespace {

uintptr_t OwnModule() { return reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr)); }

// A view of a module's file opened by name, as another module would.
struct Holder {
    HANDLE mapping = nullptr;
    uint8_t* view = nullptr;
    explicit Holder(uintptr_t module)
    {
        mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, VirtualFileName(GetCurrentProcessId(), module).c_str());
        if (mapping)
            view = static_cast<uint8_t*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    }
    ~Holder()
    {
        if (view)
            UnmapViewOfFile(view);
        if (mapping)
            CloseHandle(mapping);
    }
    uint32_t Size() const
    {
        uint32_t size = 0;
        std::memcpy(&size, view, 4);
        return size;
    }
};

TEST(VirtualFile, NamesOpeningAndTheCreatorsSize)
{
    EXPECT_EQ(VirtualFileName(0x1A2B, 0x00400000), "00001A2B00400000");
    // Another module's file that does not exist: none, and nothing left.
    const uintptr_t other = 0x7A5C0000;
    TVirtualFile none = CreateVirtualFile(other, 0);
    EXPECT_FALSE(none.Exists());
    EXPECT_EQ(Holder(other).mapping, nullptr);
    // A second creator gets the first creator's size.
    TVirtualFile first = CreateVirtualFile(other, 100);
    ASSERT_TRUE(first.Exists());
    TVirtualFile second = CreateVirtualFile(other, 10);
    ASSERT_TRUE(second.Exists());
    EXPECT_EQ(second.Size, 100u);
    TVirtualFile opener = CreateVirtualFile(other, 0);
    EXPECT_EQ(opener.Size, 100u);
    DeleteVirtualFile(opener);
    DeleteVirtualFile(second);
    DeleteVirtualFile(first);
    EXPECT_FALSE(first.Exists());
    EXPECT_EQ(Holder(other).mapping, nullptr);
}

TEST(VirtualFile, OptionsArePublishedAndReadBack)
{
    ASSERT_TRUE(IsZorvikLogInstalled()) << "the test program carries no crash-report data";
    TZorvikModuleOptions* own = ZorvikCoreOptions();
    ASSERT_NE(own, nullptr);
    own->SetWebURL("http://127.0.0.1/bugs/report.php");
    own->SetAutoCrashNumber(7);
    {
        Holder h(OwnModule());
        ASSERT_NE(h.view, nullptr);
        EXPECT_GT(h.Size(), 1u);
        EXPECT_EQ(h.view[4], 1);  // published
    }
    TZorvikModuleOptionsEx copy(own->ModuleName());
    ASSERT_EQ(copy.ModuleHandle(), OwnModule());
    copy.LoadSharedData();
    EXPECT_EQ(copy.WebURL(), "http://127.0.0.1/bugs/report.php");
    EXPECT_EQ(copy.AutoCrashNumber(), 7);
}

TEST(VirtualFile, OptionsThatDoNotFitLeaveAWarningAndWriteNothingPastTheView)
{
    ASSERT_TRUE(IsZorvikLogInstalled());
    TZorvikModuleOptions* own = ZorvikCoreOptions();
    own->SetWebURL("short");
    ClearLastZorvikLogError();
    {
        // Another module keeps the file open: the next publishing finds it
        // with the old size.
        Holder h(OwnModule());
        ASSERT_NE(h.view, nullptr);
        const uint32_t size = h.Size();
        MEMORY_BASIC_INFORMATION m;
        ASSERT_TRUE(VirtualQuery(h.view, &m, sizeof m));
        const size_t room = m.RegionSize;
        own->SetWebURL(std::string(3000, 'w'));
        EXPECT_EQ(GetLastZorvikLogErrorCode(), TZorvikLogErrorCode::eeLogError);
        EXPECT_NE(GetLastZorvikLogErrorMsg().find("shared area holds " + std::to_string(size)), std::string::npos)
            << GetLastZorvikLogErrorMsg();
        EXPECT_EQ(h.Size(), size);
        EXPECT_EQ(h.view[4], 0) << "stale options stay published";
        bool untouched = true;
        for (size_t i = 4 + size; i < room; ++i)
            untouched = untouched && h.view[i] == 0;
        EXPECT_TRUE(untouched) << "bytes were written past the data";
        TZorvikModuleOptionsEx copy(own->ModuleName());
        copy.LoadSharedData();
        EXPECT_EQ(copy.WebURL(), "");
    }
    // Once nobody else holds it, the file is made again in the new size.
    ClearLastZorvikLogError();
    own->SetWebURL(std::string(3000, 'v'));
    EXPECT_EQ(GetLastZorvikLogErrorCode(), TZorvikLogErrorCode::eeNone);
    TZorvikModuleOptionsEx copy(own->ModuleName());
    copy.LoadSharedData();
    EXPECT_EQ(copy.WebURL(), std::string(3000, 'v'));
    own->SetWebURL("");
}

// An entry whose kept file date is no longer the file's goes and is read
// again when next looked up; an entry whose date still holds stays as it is.
TEST(ModulesList, EntriesOfReplacedFilesAreDroppedAndReadAgain)
{
    const uintptr_t kernel = reinterpret_cast<uintptr_t>(GetModuleHandleA("kernel32.dll"));
    ASSERT_NE(kernel, 0u);
    TZorvikModuleInfo* own = ModuleInfoByAddr(OwnModule());
    TZorvikModuleInfo* changed = ModuleInfoByAddr(kernel);
    ASSERT_TRUE(own && changed);
    const double fileDate = changed->Modified;
    ASSERT_NE(fileDate, 0.0);
    ASSERT_EQ(ModuleFileDate(changed->Path), fileDate);
    changed->Modified = fileDate - 1;

    DropChangedModules();
    EXPECT_EQ(ZorvikModules().Find(kernel), nullptr);
    EXPECT_EQ(ZorvikModules().Find(OwnModule()), own);
    TZorvikModuleInfo* again = ModuleInfoByAddr(kernel);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Modified, fileDate);
    // The dropped entry stays readable for whoever still points at it.
    EXPECT_EQ(changed->Handle, kernel);

    DropChangedModules();
    EXPECT_EQ(ZorvikModules().Find(kernel), again);
}

TEST(MemoryReserve, FiveMegabytesGivenBackWhileACaptureRuns)
{
    ASSERT_TRUE(IsZorvikLogInstalled());
    const void* reserve = MemoryReserveAddress();
    ASSERT_NE(reserve, nullptr);
    MEMORY_BASIC_INFORMATION m;
    ASSERT_TRUE(VirtualQuery(reserve, &m, sizeof m));
    EXPECT_EQ(m.State, static_cast<DWORD>(MEM_RESERVE));
    EXPECT_EQ(m.RegionSize, MemoryReserveSize);

    const void* during = reserve;
    SetCaptureSink([&](TCapture&) {
        during = MemoryReserveAddress();
        return true;
    });
    try {
        throw std::runtime_error("captured");
    } catch (...) {
        ExceptionManager(nullptr);
    }
    SetCaptureSink(nullptr);
    EXPECT_EQ(during, nullptr);
    EXPECT_NE(MemoryReserveAddress(), nullptr);
}

TEST(InternalErrors, WarningsKeepTheLastError)
{
    ZorvikLogWarning(TZorvikLogErrorCode::eeEmailSMTPError, "The server did not answer");
    EXPECT_EQ(GetLastZorvikLogErrorCode(), TZorvikLogErrorCode::eeEmailSMTPError);
    EXPECT_EQ(GetLastZorvikLogErrorMsg(), "The server did not answer");
    try {
        throw Exception("Connection refused");
    } catch (...) {
        ZorvikLogStepWarning(TZorvikLogErrorCode::eeWebHTTPError, "HTTP");
    }
    EXPECT_EQ(GetLastZorvikLogErrorMsg(), "[HTTP] Connection refused");
    try {
        throw 5;
    } catch (...) {
        ZorvikLogStepWarning(TZorvikLogErrorCode::eeWebFTPError, "FTP");
    }
    EXPECT_EQ(GetLastZorvikLogErrorCode(), TZorvikLogErrorCode::eeWebFTPError);
    EXPECT_EQ(GetLastZorvikLogErrorMsg(), "General 'FTP' error.");
    ClearLastZorvikLogError();
    EXPECT_EQ(GetLastZorvikLogErrorCode(), TZorvikLogErrorCode::eeNone);
    EXPECT_EQ(GetLastZorvikLogErrorMsg(), "");
}

TEST(InternalErrors, TodaysDateInTheZoneOfTheTest)
{
    // The test runs with TZ=Asia/Kolkata: five and a half hours east.
    const std::string date = CurrentRfc822Date();
    EXPECT_TRUE(std::regex_match(date, std::regex("(Sun|Mon|Tue|Wed|Thu|Fri|Sat), [1-9][0-9]? "
                                                  "(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) "
                                                  "[0-9]{4} [0-2][0-9]:[0-5][0-9]:[0-5][0-9] [+-][0-9]{4}")))
        << date;
    TIME_ZONE_INFORMATION zone;
    GetTimeZoneInformation(&zone);
    if (zone.Bias != -330)
        GTEST_SKIP() << "the system's zone here is not +0530 (bias " << zone.Bias << ")";
    EXPECT_EQ(date.substr(date.size() - 5), "+0530");
    EXPECT_EQ(GetGMTMinutes(), 330);
    // The report mail's header as well.
    const std::string mail = CurrentRFC822Date();
    EXPECT_EQ(mail.substr(mail.size() - 5), "+0530") << mail;
}

TEST(InternalErrors, ModuleFileName)
{
    char raw[MAX_PATH];
    GetModuleFileNameA(nullptr, raw, MAX_PATH);
    const std::string name = ZorvikModuleFileName(0);
    EXPECT_EQ(lstrcmpiA(name.c_str(), raw), 0) << name;
}

HWND MakeWindow(DWORD style, DWORD exStyle, HWND owner = nullptr, const char* cls = "STATIC")
{
    return CreateWindowExA(exStyle, cls, "probe", style, 10, 10, 200, 100, owner, nullptr, nullptr, nullptr);
}

TEST(ProcessWindows, MainWindowsSnapshotsAndTheirRectangle)
{
    TakeProcessWindowsSnapshot();
    HWND plain = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0);
    HWND tool = MakeWindow(WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW);
    HWND appTool = MakeWindow(WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW | WS_EX_APPWINDOW);
    HWND owned = MakeWindow(WS_POPUP | WS_VISIBLE, 0, plain);
    HWND hidden = MakeWindow(WS_OVERLAPPEDWINDOW, 0);
    SetWindowPos(appTool, nullptr, 300, 250, 50, 40, SWP_NOZORDER);
    struct Case {
        const char* what;
        HWND window;
        bool main;
    } cases[] = {{"plain", plain, true},     {"tool window", tool, false}, {"tool window shown in the task bar", appTool, true},
                 {"owned", owned, false},    {"hidden", hidden, false}};
    for (const Case& c : cases)
        EXPECT_EQ(IsMainWindow(c.window), c.main) << c.what;

    HWND main = MainWindowOfProcess(GetCurrentProcessId());
    EXPECT_TRUE(main && IsMainWindow(main) && IsThisProcessWindow(main));
    EXPECT_EQ(MainWindowOfProcess(0x7FFFFFF0), nullptr);

    EXPECT_TRUE(IsNewWindow(plain));
    TakeProcessWindowsSnapshot();
    EXPECT_FALSE(IsNewWindow(plain));
    EXPECT_FALSE(IsNewWindow(hidden));
    for (HWND w : {plain, tool, appTool, owned, hidden})
        EXPECT_FALSE(IsNewWindow(w));
    for (HWND w : ProcessWindowsSnapshot())
        EXPECT_TRUE(IsThisProcessWindow(w));
    EXPECT_TRUE(IsThisProcessWindow(plain));
    EXPECT_FALSE(IsThisProcessWindow(GetDesktopWindow()));

    const RECT all = ProcessWindowsRect(GetCurrentProcessId());
    EXPECT_LE(all.left, 10);
    EXPECT_LE(all.top, 10);
    EXPECT_GE(all.right, 350);
    EXPECT_GE(all.bottom, 290);
    const RECT none = ProcessWindowsRect(0x7FFFFFF0);
    EXPECT_EQ(none.left, -1);
    EXPECT_EQ(none.top, -1);
    EXPECT_EQ(none.right, -1);
    EXPECT_EQ(none.bottom, -1);

    EXPECT_FALSE(IsDevelopmentEnvironmentProcess(GetCurrentProcessId()));
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "TAppBuilder";
    RegisterClassA(&wc);
    HWND builder = MakeWindow(WS_OVERLAPPED, 0, nullptr, "TAppBuilder");
    EXPECT_TRUE(IsDevelopmentEnvironmentProcess(GetCurrentProcessId()));
    for (HWND w : {builder, owned, appTool, tool, plain, hidden})
        DestroyWindow(w);
    EXPECT_FALSE(IsDevelopmentEnvironmentProcess(GetCurrentProcessId()));
}

TEST(ProcessWindows, TextToTheClipboard)
{
    ASSERT_TRUE(CopyTextToClipboard("Call stack:\r\n00 crashLevel3"));
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_TEXT);
    std::string text = data ? static_cast<const char*>(GlobalLock(data)) : "";
    if (data)
        GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(text, "Call stack:\r\n00 crashLevel3");
}

}  // namespace
