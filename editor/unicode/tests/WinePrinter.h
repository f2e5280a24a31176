#pragma once
// A real printer in the test's Wine prefix: Wine's PostScript driver with
// the generic printer description that Wine's spooler carries (the one it
// gives printers of its own that come without one), printing to a file.
// The printer dialogs need a printer; Xvfb machines have none.
#include <windows.h>
#include <winspool.h>

#include <string>

namespace guitest {

inline const wchar_t* TestPrinterName() { return L"Tessaly Test Printer"; }

// Installs the printer once and makes it the default; false when Wine
// refuses (the caller skips then).
inline bool InstallTestPrinter() {
    static int state = 0;  // 0 not tried, 1 there, 2 refused
    if (state) return state == 1;
    state = 2;
    HANDLE printer = nullptr;
    if (OpenPrinterW(const_cast<LPWSTR>(TestPrinterName()), &printer, nullptr)) {
        ClosePrinter(printer);
        state = SetDefaultPrinterW(TestPrinterName()) ? 1 : 2;
        return state == 1;
    }
    HMODULE spooler = LoadLibraryExW(L"winspool.drv", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC res = spooler ? FindResourceW(spooler, MAKEINTRESOURCEW(1), L"PPDFILE") : nullptr;
    if (!res) return false;
    const DWORD size = SizeofResource(spooler, res);
    const void* bytes = LockResource(LoadResource(spooler, res));
    wchar_t dir[MAX_PATH] = {};
    DWORD needed = sizeof dir;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed)) return false;
    std::wstring ppd = std::wstring(dir) + L"\\tessaly-generic.ppd";
    HANDLE file = CreateFileW(ppd.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(file, bytes, size, &written, nullptr);
    CloseHandle(file);
    DRIVER_INFO_3W driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<LPWSTR>(L"Wine PostScript Driver");
    driver.pDriverPath = const_cast<LPWSTR>(L"wineps.drv");
    driver.pDataFile = ppd.data();
    driver.pConfigFile = const_cast<LPWSTR>(L"wineps.drv");
    AddPrinterDriverW(nullptr, 3, reinterpret_cast<BYTE*>(&driver));  // may be there already
    PRINTER_INFO_2W info{};
    info.pPrinterName = const_cast<LPWSTR>(TestPrinterName());
    info.pPortName = const_cast<LPWSTR>(L"FILE:");
    info.pDriverName = driver.pName;
    info.pPrintProcessor = const_cast<LPWSTR>(L"WinPrint");
    info.pDatatype = const_cast<LPWSTR>(L"RAW");
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!printer) return false;
    ClosePrinter(printer);
    state = SetDefaultPrinterW(TestPrinterName()) ? 1 : 2;
    return state == 1;
}

}  // namespace guitest
