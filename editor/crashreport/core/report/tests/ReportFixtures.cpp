#include "editor/crashreport/core/report/tests/ReportFixtures.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "editor/crashreport/core/report/ReportValues.h"

bool TFakeMemory::Readable(uintptr_t address, size_t count) const
{
    auto it = FBlocks.upper_bound(address);
    if (it == FBlocks.begin())
        return false;
    --it;
    return address >= it->first && address - it->first + count <= it->second.size();
}

bool TFakeMemory::Read(uintptr_t address, void* bytes, size_t count) const
{
    if (!Readable(address, count))
        return false;
    auto it = --FBlocks.upper_bound(address);
    std::memcpy(bytes, it->second.data() + (address - it->first), count);
    return true;
}

namespace {

TZorvikDebugInfo Row(TZorvikModuleInfo* module, uintptr_t address, uint32_t thread, uint8_t kind, bool exception,
                     const char* unit, const char* cls, const char* proc, int32_t line, int32_t offset,
                     TZorvikDebugDetail detail = ddSourceCode)
{
    TZorvikDebugInfo r;
    r.DebugDetail = detail;
    r.ModuleInfo = module;
    r.ThreadID = thread;
    r.ThreadKind = kind;
    r.ExceptionRow = exception;
    r.Address = address;
    r.UnitName = unit;
    r.ClassName = cls;
    r.ProcedureName = proc;
    r.Line = line;
    r.LineOffset = offset;
    return r;
}

}  // namespace

TReportSample::TReportSample()
{
    MainModule = std::make_unique<TZorvikModuleInfo>();
    MainModule->Handle = 0x00400000;
    MainModule->Path = "C:\\Program Files\\Tessaly\\Tessaly.exe";
    Library = std::make_unique<TZorvikModuleInfo>();
    Library->Handle = 0x7C800000;
    Library->Path = "C:\\windows\\system32\\kernel32.dll";

    TReportFacts& f = Facts;
    f.StartTime = 46366.333333333336;      // 10 Dec 2026 08:00:00
    f.ExceptionTime = 46367.37855324074;   // 11 Dec 2026 09:05:07
    f.GMTOffsetMinutes = 60;
    f.AppFileName = "C:\\Program Files\\Tessaly\\Tessaly.exe";
    f.AppDescription = "Tessaly byte editor";
    f.AppVersion = "2.4.0.17";
    f.CommandLine = "\"C:\\Program Files\\Tessaly\\Tessaly.exe\" -x notes.bin";
    f.CompileDate = 46360.5;
    f.ExceptionAddress = SampleFault;
    f.ExcModuleFile = f.AppFileName;
    f.ExcModuleDescription = f.AppDescription;
    f.ExcModuleVersion = f.AppVersion;
    f.ExceptionClass = "EAccessViolation";
    f.ExceptionMessage = "Access violation";
    f.AccessViolation.Valid = true;
    f.AccessViolation.Address = SampleFault;
    f.AccessViolation.ModuleFile = "Tessaly.exe";
    f.AccessViolation.Write = true;
    f.AccessViolation.Target = 0;
    f.ExceptionID = "5A1C";
    f.UserID = "mara";
    f.UserName = "Mara Lind";
    f.UserEmail = "mara@example.org";
    f.UserCompany = "Lind & Co {test}";
    f.UserPrivileges = PrivilegeLine("SeShutdownPrivilege", false) + PrivilegeLine("SeChangeNotifyPrivilege", true);
    f.FormClass = "TMainForm";
    f.FormText = "Tessaly - notes.bin";
    f.ControlClass = "TByteGrid";
    f.ControlText = "line one\r\nline two";
    f.ComputerName = "WORKSTATION";
    f.TotalMemory = 4294967296ull;
    f.FreeMemory = 1610612736ull + 524288ull;
    f.DiskKnown = true;
    f.TotalDisk = 256060514304ull;
    f.FreeDisk = 107374182400ull;
    f.SystemUpTime = 0.25;
    f.Processor = "Intel(R) Core(TM) i7 CPU 920 @ 2.67GHz";
    f.ScreenWidth = 1920, f.ScreenHeight = 1080, f.ScreenBits = 32, f.ScreenDPI = 96;
    f.VideoCard = "Standard VGA (driver 6.1.7600.16385 - RAM 256 MB)";
    f.Printer = "";
    f.OSType = "Microsoft Windows 7";
    f.OSBuild = "7601";
    f.OSUpdate = " Service Pack 1 ";
    f.OSLanguage = "English";
    f.Charset = 0;
    TReportAdapter lan;
    lan.IP = "192.168.1.2", lan.Mask = "255.255.255.0", lan.Gateway = "192.168.1.1", lan.DHCP = true;
    lan.DNS = {"192.168.1.1", "8.8.8.8"};
    TReportAdapter vpn;
    vpn.IP = "10.0.0.5", vpn.Mask = "255.0.0.0", vpn.Gateway = "", vpn.DHCP = false;
    vpn.DNS = {"10.0.0.1"};
    f.Adapters = {lan, vpn};

    TZorvikModuleInfo* m = MainModule.get();
    TZorvikModuleInfo* k = Library.get();
    f.CallStack.Rows = {
        Row(m, 0x00401012, 1200, 1, true, "Main.cpp", "", "Crash", 22, 2),
        Row(m, 0x00401200, 1200, 1, false, "MainForm.cpp", "TMainForm", "ButtonClick", 140, 5),
        Row(k, 0x7C817077, 1200, 1, false, "", "", "", 0, 0, ddProcedure),
        Row(m, 0x00401500, 1200, 1, false, "Forms.cpp", "TApplication", "Run", 310, 12),
        Row(m, 0x00403000, 1320, 1, false, "Worker.cpp", "TWorker", "Execute", 44, 3),
        Row(m, 0x00403100, 1320, 1, false, "Hidden.cpp", "", "Hidden", 1, 0, ddNone),
        Row(m, 0x00403200, 1320, 0, false, "Worker.cpp", "TWorker", "Start", 20, 1),
    };
    f.Threads = {{1200, true, 0, ""}, {1320, true, -2, "TWorker"}};
    f.MainThreadId = 1200;
    f.Modules = {
        {0x00400000, "C:\\Program Files\\Tessaly\\Tessaly.exe", "Tessaly byte editor", "2.4.0.17", 1843200, 46360.5},
        {0x7C800000, "C:\\windows\\system32\\kernel32.dll", "Windows NT BASE API Client DLL", "5.1.2600.5781",
         989696, 40000.25},
    };
    f.Processes = {
        {4, "System", "", "", 24576, 32, 0},
        {1768, "C:\\Program Files\\Tessaly\\Tessaly.exe", "Tessaly byte editor", "2.4.0.17", 12582912, 128, 3},
    };
    f.Registers.Valid = true;
    f.Registers.Eax = 0, f.Registers.Edi = 0x0012FF60, f.Registers.Ebx = 0x7FFDF000, f.Registers.Esi = 0x00A31F40;
    f.Registers.Ecx = 0x0000000C, f.Registers.Esp = SampleStack, f.Registers.Edx = 0x7C90E514,
    f.Registers.Eip = SampleFault;
    f.StackPointer = SampleStack;

    // The code: "Other" (push ebp; mov ebp,esp; pop ebp; ret; nops), then
    // "Crash": push ebp; mov ebp,esp; push $00402000; xor eax,eax;
    // mov dword ptr [eax],1; call Other; pop ebp; ret; nops.
    std::vector<uint8_t> code = {0x55, 0x8B, 0xEC, 0x5D, 0xC3, 0x90, 0x90, 0x90,
                                 0x55, 0x8B, 0xEC, 0x68, 0x00, 0x20, 0x40, 0x00,
                                 0x33, 0xC0, 0xC7, 0x00, 0x01, 0x00, 0x00, 0x00,
                                 0xE8, 0xE3, 0xFF, 0xFF, 0xFF, 0x5D, 0xC3};
    code.resize(0x200, 0x90);
    Memory.Add(SampleCode, code);
    Memory.Add(SampleText, {'H', 'e', 'l', 'l', 'o', '\t', '!', 0});
    std::vector<uint8_t> stack;
    for (int i = 0; i < 64; ++i)
        stack.push_back(static_cast<uint8_t>(i * 7 + 0x20));
    Memory.Add(SampleStack, stack);
    Connect();
}

void TReportSample::Connect()
{
    TReportMemory& mem = Facts.Memory;
    mem.Readable = [this](uintptr_t a, size_t n) { return Memory.Readable(a, n); };
    mem.Read = [this](uintptr_t a, void* b, size_t n) { return Memory.Read(a, b, n); };
    mem.Convert = [](uintptr_t a) { return a; };
    mem.ObjectClassName = [](uintptr_t a) { return a == SampleText ? std::string() : std::string(); };
    mem.Resolve = [this](uintptr_t a, TZorvikDebugInfo& info) {
        info = TZorvikDebugInfo();
        info.Address = a;
        if (a < SampleCode || a >= SampleCode + 0x20)
            return;
        info.ModuleInfo = MainModule.get();
        info.DebugDetail = ddSourceCode;
        info.UnitName = "Main.cpp";
        if (a < 0x00401008) {
            info.ProcedureName = "Other";
            info.Line = 10;
            info.LineOffset = 0;
            return;
        }
        info.ProcedureName = "Crash";
        // One line per instruction pair: 20 at the prologue, then on.
        static const struct { uintptr_t from; int32_t line; } lines[] = {
            {0x00401008, 20}, {0x0040100B, 21}, {0x00401010, 22}, {0x00401018, 23}, {0x0040101D, 24}};
        for (const auto& l : lines)
            if (a >= l.from) {
                info.Line = l.line;
                info.LineOffset = l.line - 20;
            }
    };
}

std::string GoldenText(const std::string& name, const std::string& actual)
{
    const char* source = std::getenv("TQ_SOURCE_DIR");
    const std::string path =
        std::string(source ? source : ".") + "/editor/crashreport/core/report/tests/data/" + name;
    if (std::getenv("TQ_UPDATE_GOLDEN")) {
        std::ofstream out(path, std::ios::binary);
        out << actual;
    }
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
