#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "editor/crashreport/support/system/DevelopmentEnvironment.h"
#include "editor/crashreport/support/system/MemoryProbe.h"
#include "editor/crashreport/support/system/SystemFacts.h"

TEST(SystemFacts, NamesAndVersionOfThisSystem)
{
    EXPECT_FALSE(GetComputerNameText().empty());
    EXPECT_LE(GetComputerNameText().size(), 15u);
    EXPECT_FALSE(GetUserNameText().empty());
    EXPECT_EQ(GetWindowsTypeText().rfind("Microsoft Windows ", 0), 0u);
    EXPECT_EQ(GetWindowsBuildText(), std::to_string(CurrentWindowsVersion().Build));
    EXPECT_TRUE(CurrentWindowsVersion().NT);
    GetRegisteredOwnerText();  // answers without failing, whatever the system holds
    EXPECT_FALSE(IntoIDE());
    EXPECT_FALSE(DebuggerAttached());
}

namespace {
DWORD WINAPI WaitForEvent(void* event)
{
    WaitForSingleObject(static_cast<HANDLE>(event), INFINITE);
    return 0;
}
} // namespace

TEST(SystemFacts, HandlesAndThreads)
{
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    EXPECT_TRUE(HandleStillValid(event));
    CloseHandle(event);
    EXPECT_FALSE(HandleStillValid(event));
    EXPECT_FALSE(HandleStillValid(reinterpret_cast<HANDLE>(0x7FF0)));

    HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = CreateThread(nullptr, 0, WaitForEvent, stop, 0, nullptr);
    EXPECT_TRUE(ThreadStillRunning(thread));
    SetEvent(stop);
    WaitForSingleObject(thread, INFINITE);
    EXPECT_FALSE(ThreadStillRunning(thread));
    CloseHandle(thread);
    CloseHandle(stop);
}

TEST(SystemFacts, StackTopLiesAboveTheCurrentFrame)
{
    int local = 0;
    const uintptr_t top = CurrentStackTop();
    EXPECT_GT(top, reinterpret_cast<uintptr_t>(&local));
    EXPECT_LT(top - reinterpret_cast<uintptr_t>(&local), 16u * 1024 * 1024);
    EXPECT_TRUE(IsValidBlockAddr(reinterpret_cast<const void*>(top - 16), 16));
}

TEST(SystemFacts, GuardPagesAreNotReadable)
{
    SYSTEM_INFO si;
    GetSystemInfo(&si);
    char* block = static_cast<char*>(VirtualAlloc(nullptr, 3 * si.dwPageSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    DWORD old;
    VirtualProtect(block + si.dwPageSize, si.dwPageSize, PAGE_READWRITE | PAGE_GUARD, &old);
    EXPECT_TRUE(IsValidBlockAddr(block, si.dwPageSize));
    EXPECT_FALSE(IsValidBlockAddr(block, si.dwPageSize + 1));     // runs into the guard page
    EXPECT_TRUE(IsValidBlockAddr(block + 2 * si.dwPageSize, 16));
    VirtualProtect(block + si.dwPageSize, si.dwPageSize, PAGE_READONLY, &old);
    EXPECT_TRUE(IsValidBlockAddr(block, 3 * si.dwPageSize));      // spans three regions
    VirtualFree(block, 0, MEM_RELEASE);
}

TEST(SystemFacts, TimeZoneCharsetAndUtf8)
{
    const int gmt = GetGMT();
    EXPECT_GE(gmt, -14);
    EXPECT_LE(gmt, 14);
    EXPECT_DOUBLE_EQ(GetGMTDateTime(45000.5), 45000.5 - gmt / 24.0);
    SYSTEMTIME st{};
    st.wYear = 2000, st.wMonth = 1, st.wDay = 1, st.wHour = 12;
    EXPECT_DOUBLE_EQ(SystemTimeToDateTime(st), 36526.5);
    st.wYear = 1899, st.wMonth = 12, st.wDay = 30, st.wHour = 0;
    EXPECT_DOUBLE_EQ(SystemTimeToDateTime(st), 0.0);

    EXPECT_EQ(StringToUtf8(""), "");
    EXPECT_EQ(StringToUtf8("abc"), "abc");
    EXPECT_EQ(StringToUtf8("caf\xE9"), "caf\xC3\xA9");      // e acute in code page 1252
    EXPECT_EQ(StringToUtf8("\x80"), "\xE2\x82\xAC");         // the euro sign
    EXPECT_EQ(UserCharSet(), static_cast<unsigned>(ANSI_CHARSET));
}

TEST(SystemFacts, RegistryValuesAndKeys)
{
    EXPECT_TRUE(CheckKey(HKEY_LOCAL_MACHINE, "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"));
    EXPECT_FALSE(CheckKey(HKEY_LOCAL_MACHINE, "\\SOFTWARE\\NoSuchVendor\\NoSuchKey"));
    HKEY h;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\TessalyTests\\CrashCommon", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &h, nullptr), ERROR_SUCCESS);
    RegSetValueExA(h, "Text", 0, REG_SZ, reinterpret_cast<const BYTE*>("hello"), 6);
    RegCloseKey(h);
    EXPECT_EQ(ReadKey(HKEY_CURRENT_USER, "\\Software\\TessalyTests\\CrashCommon", "Text"), "hello");
    EXPECT_EQ(ReadKey(HKEY_CURRENT_USER, "Software\\TessalyTests\\CrashCommon", "Missing"), "");
    EXPECT_EQ(ReadKey(HKEY_CURRENT_USER, "Software\\TessalyTests\\Nothing", "Text"), "");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TessalyTests\\CrashCommon");
}

namespace {
// An object that answers for IUnknown only; a second kind claims success
// for everything but hands back nothing.
class TOnlyUnknown : public IUnknown {
public:
    explicit TOnlyUnknown(bool lies) : FLies(lies) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override
    {
        *out = nullptr;
        if (FLies)
            return S_OK;
        if (!IsEqualIID(id, IID_IUnknown))
            return E_NOINTERFACE;
        *out = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++Refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --Refs; }
    ULONG Refs = 1;
private:
    bool FLies;
};
} // namespace

TEST(SystemFacts, InterfaceQueries)
{
    TOnlyUnknown honest(false), liar(true);
    void* result = reinterpret_cast<void*>(1);
    EXPECT_TRUE(SupportsEx(&honest, IID_IUnknown, &result));
    EXPECT_EQ(result, static_cast<IUnknown*>(&honest));
    EXPECT_EQ(honest.Refs, 2u);
    EXPECT_FALSE(SupportsEx(&honest, IID_IClassFactory, &result));
    EXPECT_EQ(result, nullptr);
    EXPECT_FALSE(SupportsEx(&liar, IID_IUnknown, &result));
    EXPECT_FALSE(SupportsEx(nullptr, IID_IUnknown, &result));
}

// The development environment's folder under its registry key: the local
// machine's value first, then the current user's, without a final "\".
TEST(SystemFacts, DevelopmentEnvironmentFolder)
{
    const std::string key = RADRegistryKey();
    EXPECT_EQ(key, "\\Software\\" + std::string(DefaultRADProductKey) + "\\1.0");  // not inside the environment
    const std::string subKey = key.substr(1);
    auto setRootDir = [&](HKEY root, const char* value) {
        HKEY h;
        if (RegCreateKeyExA(root, subKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) != ERROR_SUCCESS)
            return false;
        const bool ok = RegSetValueExA(h, "RootDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                       static_cast<DWORD>(strlen(value) + 1)) == ERROR_SUCCESS;
        RegCloseKey(h);
        return ok;
    };
    auto removeKey = [&](HKEY root) {
        RegDeleteKeyA(root, subKey.c_str());
        RegDeleteKeyA(root, ("Software\\" + std::string(DefaultRADProductKey)).c_str());
    };
    removeKey(HKEY_CURRENT_USER);
    removeKey(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(RADDir(), "");

    ASSERT_TRUE(setRootDir(HKEY_CURRENT_USER, "C:\\Studio\\User\\"));
    EXPECT_EQ(RADDir(), "C:\\Studio\\User");
    ASSERT_TRUE(setRootDir(HKEY_LOCAL_MACHINE, "C:\\Studio\\Machine"));
    EXPECT_EQ(RADDir(), "C:\\Studio\\Machine");
    removeKey(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(RADDir(), "C:\\Studio\\User");
    removeKey(HKEY_CURRENT_USER);
    EXPECT_EQ(RADDir(), "");
}
