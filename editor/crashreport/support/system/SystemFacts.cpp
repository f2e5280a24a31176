#include "editor/crashreport/support/system/SystemFacts.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "editor/crashreport/support/system/DevelopmentEnvironment.h"
#include "editor/crashreport/support/texts/CommonStrings.h"
#include "framework/SysUtils.h"
#include "framework/WinText.h"

namespace {

TWindowsVersion ReadWindowsVersion()
{
    TWindowsVersion v;
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (GetVersionExA(&info)) {
#pragma GCC diagnostic pop
        v.NT = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
        v.Major = info.dwMajorVersion;
        v.Minor = info.dwMinorVersion;
        v.Build = info.dwBuildNumber;
        v.ServicePack = info.szCSDVersion;
    }
    v.Wow64 = RunsUnderWow64();
    return v;
}

std::string OpenKeyPath(const std::string& key)
{
    return !key.empty() && key[0] == '\\' ? key.substr(1) : key;
}

} // namespace

const TWindowsVersion& CurrentWindowsVersion()
{
    static const TWindowsVersion version = ReadWindowsVersion();
    return version;
}

bool RunsUnderWow64()
{
    using IsWow64 = BOOL(WINAPI*)(HANDLE, PBOOL);
    auto isWow64 = reinterpret_cast<IsWow64>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
    BOOL wow = FALSE;
    return isWow64 && isWow64(GetCurrentProcess(), &wow) && wow;
}

bool RunsOnWindows95() { return RunsOnWindows95(CurrentWindowsVersion()); }
bool RunsOnWindowsNT4() { return RunsOnWindowsNT4(CurrentWindowsVersion()); }
bool RunsOnVistaOrLater() { return RunsOnVistaOrLater(CurrentWindowsVersion()); }
std::string GetWindowsTypeText() { return WindowsTypeText(CurrentWindowsVersion()); }
std::string GetWindowsBuildText() { return WindowsBuildText(CurrentWindowsVersion()); }

std::string GetComputerNameText()
{
    char name[16] = {};
    DWORD size = sizeof name;
    return GetComputerNameA(name, &size) ? std::string(name) : std::string();
}

std::string GetUserNameText()
{
    char name[256] = {};
    DWORD size = sizeof name;
    return GetUserNameA(name, &size) ? std::string(name) : std::string();
}

std::string GetRegisteredOwnerText()
{
    std::string owner = ReadKey(HKEY_LOCAL_MACHINE, "\\SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION", "RegisteredOwner");
    if (owner.empty())
        owner = ReadKey(HKEY_LOCAL_MACHINE, "\\SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION", "RegisteredOwner");
    if (owner.empty())
        owner = ReadKey(HKEY_LOCAL_MACHINE, "\\SOFTWARE\\MICROSOFT\\MS SETUP (ACME)\\USER INFO", "DefName");
    if (RunsOnVistaOrLater() && owner == "Microsoft")
        owner.clear();
    return owner;
}

bool DebuggerAttached()
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    using IsPresent = BOOL(WINAPI*)();
    if (auto isPresent = reinterpret_cast<IsPresent>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "IsDebuggerPresent"))))
        return isPresent() != FALSE;
    // Old systems: a debugger hands out GetProcAddress below kernel32.
    return reinterpret_cast<uintptr_t>(GetProcAddress(kernel, "GetProcAddress")) < reinterpret_cast<uintptr_t>(kernel);
}

bool HandleStillValid(HANDLE handle)
{
    DWORD flags;
    if (CurrentWindowsVersion().NT && GetHandleInformation(handle, &flags))
        return true;
    HANDLE copy = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), handle, GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
        return false;
    CloseHandle(copy);
    return true;
}

bool ThreadStillRunning(HANDLE thread)
{
    DWORD code;
    return HandleStillValid(thread) && GetExitCodeThread(thread, &code) && code == STILL_ACTIVE;
}

uintptr_t CurrentStackTop()
{
    return reinterpret_cast<uintptr_t>(reinterpret_cast<NT_TIB*>(NtCurrentTeb())->StackBase);
}

bool IntoIDE()
{
    return false;
}

double SystemTimeToDateTime(const SYSTEMTIME& st)
{
    // Days from 30 Dec 1899 by the civil calendar, then the time of day.
    const int y = st.wYear - (st.wMonth <= 2 ? 1 : 0);
    const int m = st.wMonth <= 2 ? st.wMonth + 9 : st.wMonth - 3;
    const int era = y / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * m + 2) / 5 + st.wDay - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const long days = era * 146097L + doe - 693899L;  // 1899-12-30 is day 693899 of this count
    return days + (st.wHour * 3600000.0 + st.wMinute * 60000.0 + st.wSecond * 1000.0 + st.wMilliseconds) / 86400000.0;
}

int GetGMT()
{
    SYSTEMTIME local, utc;
    GetLocalTime(&local);
    GetSystemTime(&utc);
    const double hours = (SystemTimeToDateTime(local) - SystemTimeToDateTime(utc)) * 24.0;
    return static_cast<int>(std::nearbyint(hours));  // rounding mode: to nearest, halves to even
}

int GetGMTMinutes()
{
    SYSTEMTIME local, utc;
    GetLocalTime(&local);
    GetSystemTime(&utc);
    const double minutes = (SystemTimeToDateTime(local) - SystemTimeToDateTime(utc)) * 1440.0;
    return static_cast<int>(std::lround(minutes));
}

double GetGMTDateTime(double localTime)
{
    return localTime - GetGMT() / 24.0;
}

std::string StringToUtf8(const std::string& text)
{
    if (text.empty())
        return "";
    std::string out;
    for (const char16_t unit : AnsiToWide(text)) {
        // Each code unit on its own, surrogates included.
        const unsigned c = unit;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

unsigned UserCharSet()
{
    char buffer[8] = {};
    UINT codePage = GetACP();
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE, buffer, sizeof buffer) > 0)
        codePage = static_cast<UINT>(StrToIntDef(buffer, static_cast<int32_t>(codePage)));
    CHARSETINFO info{};
    if (!TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<uintptr_t>(codePage)), &info, TCI_SRCCODEPAGE))
        return DEFAULT_CHARSET;
    return info.ciCharset;
}

bool SupportsEx(IUnknown* instance, REFIID id, void** result)
{
    *result = nullptr;
    return instance != nullptr && SUCCEEDED(instance->QueryInterface(id, result)) && *result != nullptr;
}

std::string ReadKey(HKEY root, const std::string& key, const std::string& valueName)
{
    HKEY h;
    if (RegOpenKeyExA(root, OpenKeyPath(key).c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return "";
    DWORD size = 0;
    std::string value;
    if (RegQueryValueExA(h, valueName.c_str(), nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS && size > 0) {
        std::vector<BYTE> bytes(size);
        if (RegQueryValueExA(h, valueName.c_str(), nullptr, nullptr, bytes.data(), &size) == ERROR_SUCCESS && size > 0)
            value.assign(reinterpret_cast<const char*>(bytes.data()), size - 1);
    }
    RegCloseKey(h);
    return value;
}

bool CheckKey(HKEY root, const std::string& key)
{
    HKEY h;
    if (RegOpenKeyExA(root, OpenKeyPath(key).c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return false;
    RegCloseKey(h);
    return true;
}

std::string RADRegistryKey()
{
    std::vector<std::string> arguments;
    for (int i = 1; i < __argc; ++i)
        arguments.emplace_back(__argv[i]);
    return RADRegistryKeyFor(IntoIDE(), arguments);
}

std::string RADDir()
{
    const std::string key = RADRegistryKey();
    std::string dir = ReadKey(HKEY_LOCAL_MACHINE, key, "RootDir");
    if (dir.empty())
        dir = ReadKey(HKEY_CURRENT_USER, key, "RootDir");
    return ExcludeLastBackslash(dir);
}
