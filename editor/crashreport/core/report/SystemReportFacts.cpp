#include "editor/crashreport/core/report/SystemReportFacts.h"

#include <windows.h>
#include <iphlpapi.h>
#include <winspool.h>

#include <memory>

#include "editor/crashreport/core/lookup/ModuleImage.h"
#include "editor/crashreport/core/report/ReportValues.h"
#include "editor/crashreport/support/system/SystemFacts.h"
#include "framework/SysUtils.h"

namespace {

// A function of a system library, looked up by name; null when missing.
template <typename F>
F SystemFunction(const char* library, const char* name)
{
    HMODULE module = GetModuleHandleA(library);
    if (!module)
        module = LoadLibraryA(library);
    return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

std::string MainModuleFileName()
{
    char name[MAX_PATH + 1];
    const DWORD n = GetModuleFileNameA(nullptr, name, MAX_PATH);
    return n == 0 || n >= MAX_PATH ? std::string() : std::string(name, n);
}

std::string WindowClassText(HWND window)
{
    char text[257] = {};
    return window && GetClassNameA(window, text, 256) > 0 ? std::string(text) : std::string();
}

// A window's text through the default window procedure (never the
// program's own handler, which may be what failed).
std::string WindowText(HWND window)
{
    char text[257] = {};
    if (!window)
        return "";
    DefWindowProcA(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

uint32_t RegistryDword(HKEY root, const std::string& key, const char* value, bool& found)
{
    found = false;
    HKEY h;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return 0;
    DWORD data = 0, size = sizeof data, type = 0;
    found = RegQueryValueExA(h, value, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) == ERROR_SUCCESS &&
            size == sizeof data;
    RegCloseKey(h);
    return found ? data : 0;
}

std::string RemoveBlanks(std::string text)
{
    std::string out;
    for (char c : text)
        if (c != ' ')
            out += c;
    return out;
}

}  // namespace

std::string GetRegisteredCompanyText()
{
    std::string company =
        ReadKey(HKEY_LOCAL_MACHINE, "\\SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION", "RegisteredOrganization");
    if (company.empty())
        company = ReadKey(HKEY_LOCAL_MACHINE, "\\SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION", "RegisteredOrganization");
    if (company.empty())
        company = ReadKey(HKEY_LOCAL_MACHINE, "\\SOFTWARE\\MICROSOFT\\MS SETUP (ACME)\\USER INFO", "DefCompany");
    if (RunsOnVistaOrLater() && company == "Microsoft")
        company.clear();
    return company;
}

std::string GetPrivilegesText()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return "";
    std::string text;
    DWORD size = 0;
    GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
    if (size >= sizeof(TOKEN_PRIVILEGES) - sizeof(LUID_AND_ATTRIBUTES) && size < 1 << 20) {
        std::vector<uint8_t> buffer(size);
        auto* privileges = reinterpret_cast<TOKEN_PRIVILEGES*>(buffer.data());
        if (GetTokenInformation(token, TokenPrivileges, privileges, size, &size)) {
            for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
                LUID_AND_ATTRIBUTES& p = privileges->Privileges[i];
                char name[256];
                DWORD length = sizeof name;
                if (LookupPrivilegeNameA(nullptr, &p.Luid, name, &length))
                    text += PrivilegeLine(name, (p.Attributes & SE_PRIVILEGE_ENABLED) != 0);
            }
        }
    }
    CloseHandle(token);
    return text;
}

std::string GetProcessorText()
{
    const std::string key = "\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
    std::string name = Trim(ReadKey(HKEY_LOCAL_MACHINE, key, "ProcessorNameString"));
    if (!name.empty())
        return name;
    const std::string vendor = Trim(ReadKey(HKEY_LOCAL_MACHINE, key, "VendorIdentifier"));
    const std::string identifier = Trim(ReadKey(HKEY_LOCAL_MACHINE, key, "Identifier"));
    if (vendor.empty())
        return "Unknown processor";
    return identifier.empty() ? vendor : vendor + " - " + identifier;
}

std::string GetVideoCardText()
{
    DISPLAY_DEVICEA device = {};
    device.cb = sizeof device;
    if (!EnumDisplayDevicesA(nullptr, 0, &device, 0))
        return "";
    const std::string name = device.DeviceString;
    // The adapter's key: the device key from its "\SYSTEM" on, under the
    // local machine.
    std::string key = device.DeviceKey;
    const size_t system = UpperCase(key).find("\\SYSTEM");
    std::string version;
    uint32_t memory = 0;
    bool memoryFound = false;
    if (system != std::string::npos) {
        key = key.substr(system + 1);
        memory = RegistryDword(HKEY_LOCAL_MACHINE, key, "HardwareInformation.MemorySize", memoryFound);
        version = ReadKey(HKEY_LOCAL_MACHINE, key, "DriverVersion");
        const std::string driver = ReadKey(HKEY_LOCAL_MACHINE, key, "Driver");
        if (version.empty() && !driver.empty())
            version = ReadKey(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Class\\" + driver, "DriverVersion");
    }
    if (name.empty())
        return "";
    if (memoryFound && memory != 0)
        return name + " (driver " + version + " - RAM " + std::to_string(memory >> 20) + " MB)";
    return name + " (driver " + version + ")";
}

std::string GetPrinterText()
{
    using TGetDefault = BOOL(WINAPI*)(LPSTR, LPDWORD);
    using TOpen = BOOL(WINAPI*)(LPSTR, LPHANDLE, LPPRINTER_DEFAULTSA);
    using TDriver = BOOL(WINAPI*)(HANDLE, LPSTR, DWORD, LPBYTE, DWORD, LPDWORD);
    using TClose = BOOL(WINAPI*)(HANDLE);
    auto getDefault = SystemFunction<TGetDefault>("winspool.drv", "GetDefaultPrinterA");
    auto open = SystemFunction<TOpen>("winspool.drv", "OpenPrinterA");
    auto driver = SystemFunction<TDriver>("winspool.drv", "GetPrinterDriverA");
    auto close = SystemFunction<TClose>("winspool.drv", "ClosePrinter");
    if (!getDefault || !open || !driver || !close)
        return "";
    char name[1025] = {};
    DWORD length = 1024;
    if (!getDefault(name, &length) || name[0] == 0)
        return "";
    HANDLE printer = nullptr;
    if (!open(name, &printer, nullptr) || !printer)
        return "";
    std::string text;
    DWORD needed = 0;
    driver(printer, nullptr, 2, nullptr, 0, &needed);
    if (needed > 0 && needed < 1 << 20) {
        std::vector<uint8_t> buffer(needed);
        if (driver(printer, nullptr, 2, buffer.data(), needed, &needed)) {
            const auto* info = reinterpret_cast<const DRIVER_INFO_2A*>(buffer.data());
            std::string description, version;
            if (info->pDriverPath)
                GetFileVersionTexts(info->pDriverPath, description, version);
            if (info->pName)
                text = std::string(info->pName) + " (driver " + RemoveBlanks(version) + ")";
        }
    }
    close(printer);
    return text;
}

std::string GetLanguageText()
{
    const LCID locale = MAKELCID(GetSystemDefaultLangID(), SORT_DEFAULT);
    char abbreviation[16] = {};
    if (GetLocaleInfoA(locale, LOCALE_SABBREVLANGNAME, abbreviation, sizeof abbreviation) <= 1)
        return "";
    wchar_t name[128] = {};
    if (GetLocaleInfoW(locale, LOCALE_SENGLANGUAGE, name, 128) <= 1)
        return "";
    std::string text;
    for (const wchar_t* p = name; *p; ++p)
        text += *p < 128 ? static_cast<char>(*p) : '?';
    return text;
}

std::vector<TReportAdapter> GetNetworkAdapters()
{
    std::vector<TReportAdapter> adapters;
    using TAdapters = DWORD(WINAPI*)(PIP_ADAPTER_INFO, PULONG);
    using TPerAdapter = DWORD(WINAPI*)(ULONG, PIP_PER_ADAPTER_INFO, PULONG);
    auto getAdapters = SystemFunction<TAdapters>("iphlpapi.dll", "GetAdaptersInfo");
    auto getPerAdapter = SystemFunction<TPerAdapter>("iphlpapi.dll", "GetPerAdapterInfo");
    if (!getAdapters)
        return adapters;
    ULONG size = 0;
    if (getAdapters(nullptr, &size) != ERROR_BUFFER_OVERFLOW || size == 0 || size > 1 << 22)
        return adapters;
    std::vector<uint8_t> buffer(size);
    auto* list = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
    if (getAdapters(list, &size) != ERROR_SUCCESS)
        return adapters;
    for (IP_ADAPTER_INFO* a = list; a; a = a->Next) {
        TReportAdapter r;
        r.IP = a->IpAddressList.IpAddress.String;
        r.Mask = a->IpAddressList.IpMask.String;
        r.Gateway = a->GatewayList.IpAddress.String;
        r.DHCP = a->DhcpEnabled != 0;
        r.DNSKnown = false;
        ULONG perSize = 0;
        if (getPerAdapter && getPerAdapter(a->Index, nullptr, &perSize) == ERROR_BUFFER_OVERFLOW && perSize > 0 &&
            perSize < 1 << 20) {
            std::vector<uint8_t> perBuffer(perSize);
            auto* per = reinterpret_cast<IP_PER_ADAPTER_INFO*>(perBuffer.data());
            if (getPerAdapter(a->Index, per, &perSize) == ERROR_SUCCESS) {
                r.DNSKnown = true;
                for (IP_ADDR_STRING* dns = &per->DnsServerList; dns && r.DNS.size() < 2; dns = dns->Next)
                    if (dns->IpAddress.String[0])
                        r.DNS.push_back(dns->IpAddress.String);
            }
        }
        adapters.push_back(r);
    }
    return adapters;
}

void GatherSystemFacts(TReportFacts& f)
{
    f.UserID = GetUserNameText();
    f.UserName = GetRegisteredOwnerText();
    f.UserCompany = GetRegisteredCompanyText();
    f.UserPrivileges = GetPrivilegesText();

    HWND foreground = GetForegroundWindow();
    f.FormClass = WindowClassText(foreground);
    f.FormText = WindowText(foreground);

    f.ComputerName = GetComputerNameText();
    MEMORYSTATUSEX memory = {};
    memory.dwLength = sizeof memory;
    if (GlobalMemoryStatusEx(&memory)) {
        f.TotalMemory = memory.ullTotalPhys;
        f.FreeMemory = memory.ullAvailPhys;
    }
    const std::string program = MainModuleFileName();
    if (program.size() >= 2 && program[1] == ':') {
        ULARGE_INTEGER free = {}, total = {}, totalFree = {};
        const std::string drive = program.substr(0, 2) + "\\";
        if (GetDiskFreeSpaceExA(drive.c_str(), &free, &total, &totalFree)) {
            f.DiskKnown = true;
            f.TotalDisk = total.QuadPart;
            f.FreeDisk = free.QuadPart;
        }
    }
    // The 64-bit count does not wrap after 49 days.
    f.SystemUpTime = static_cast<double>(GetTickCount64()) / 86400000.0;
    f.Processor = GetProcessorText();
    f.ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
    f.ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (HDC screen = GetDC(nullptr)) {
        f.ScreenBits = GetDeviceCaps(screen, BITSPIXEL);
        f.ScreenDPI = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    f.VideoCard = GetVideoCardText();
    f.Printer = GetPrinterText();

    f.OSType = GetWindowsTypeText();
    f.OSBuild = GetWindowsBuildText();
    f.OSUpdate = CurrentWindowsVersion().ServicePack;
    f.OSLanguage = GetLanguageText();
    f.Charset = UserCharSet();

    f.Adapters = GetNetworkAdapters();
}
