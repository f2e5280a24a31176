// The report of a capture made in this process, with the facts of the real
// system under Wine: what Wine keeps stable is pinned (numbering, columns,
// order, widths), the machine's own values are not.
#include <gtest/gtest.h>

#include <windows.h>

#include <regex>
#include <stdexcept>

#include "editor/crashreport/core/capture/CallStacks.h"
#include "editor/crashreport/core/capture/ThreadsList.h"
#include "editor/crashreport/core/lookup/ModuleImage.h"
#include "editor/crashreport/core/report/CoreExports.h"
#include "editor/crashreport/core/report/ExceptionProcessing.h"
#include "editor/crashreport/core/report/ReportBuildingStep.h"
#include "editor/crashreport/core/report/ReportGatherer.h"
#include "editor/crashreport/core/report/ReportText.h"
#include "editor/crashreport/core/report/ReportValues.h"
#include "editor/crashreport/core/report/SystemReportFacts.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/system/SystemFacts.h"
#include "editor/crashreport/support/texts/CommonStrings.h"
#include "framework/Exceptions.h"
#include "framework/SysUtils.h"

namespace {

__attribute__((noinline)) int FaultingProcedure(volatile int* p)
{
    return p[1] + p[2];
}

std::unique_ptr<TZorvikModuleOptions> FullOptions()
{
    auto options = std::make_unique<TZorvikModuleOptions>("crash_reportfacts_win_tests.exe");
    options->SetShowOptions(AllShowOptions());
    options->SetLogOptions({loSaveModulesAndProcessesSections, loSaveAssemblerAndCPUSections});
    options->SetCallStackOptions({csoShowDLLs, csoShowBPLs});
    return options;
}

// A write to address 0 in FaultingProcedure, as the hooks would capture it.
std::unique_ptr<TCapture> AccessViolationCapture(EXCEPTION_RECORD& record)
{
    auto c = std::make_unique<TCapture>();
    c->Kind = TCaptureKind::HardwareFault;
    c->ThreadId = GetCurrentThreadId();
    c->ClassName = "EAccessViolation";
    c->Message = "Access violation";
    c->Code = EXCEPTION_ACCESS_VIOLATION;
    c->Address = reinterpret_cast<uintptr_t>(&FaultingProcedure);
    RtlCaptureContext(&c->Context);
    c->ContextValid = true;
    BuildCurrentCallStack(c->CallStack, c->Address, c->ThreadId);
    record = {};
    record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
    record.ExceptionAddress = reinterpret_cast<void*>(c->Address);
    record.NumberParameters = 2;
    record.ExceptionInformation[0] = 1;
    record.ExceptionInformation[1] = 0;
    return c;
}

std::string ProgramFileName()
{
    char name[MAX_PATH];
    GetModuleFileNameA(nullptr, name, MAX_PATH);
    return ExtractFileNamePart(name);
}

// The lines of one table: from its header line to the blank line after it.
std::vector<std::string> TableLines(const std::string& report, const std::string& header)
{
    const std::vector<std::string> lines = SplitText(report, "\r\n");
    std::vector<std::string> table;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == header + ":") {
            for (size_t j = i + 1; j < lines.size() && !lines[j].empty(); ++j)
                table.push_back(lines[j]);
            break;
        }
    return table;
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

}  // namespace

TEST(ReportGatherer, AccessViolationReport)
{
    EXCEPTION_RECORD record;
    auto capture = AccessViolationCapture(record);
    // This thread as the core's threads list knows it.
    TZorvikThreadRecord thread;
    thread.ThreadId = GetCurrentThreadId();
    ZorvikThreads().Add(thread);
    TReportFacts facts;
    GatherReportFacts(facts, *capture, &record, true);
    ZorvikThreads().RemoveThread(GetCurrentThreadId());
    auto options = FullOptions();
    const TReportTexts t = BuildReportText(facts, *options);
    const std::string& report = t.Report;
    const std::vector<std::string> lines = SplitText(report, "\r\n");

    ASSERT_GT(lines.size(), 10u);
    EXPECT_EQ(lines[0], "ZorvikLog 6.0.20");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "Application:");
    EXPECT_EQ(lines[3].find_first_not_of('-'), std::string::npos);

    // Items numbered 1, 2, ... in every section, sections in order, the
    // ": " of a section in one column (23 in section 1, 21 in section 2).
    const std::regex item(R"(^  (\d+)\.(\d+) [^:]*: .*$|^  (\d+)\.(\d+) [^:]*:$)");
    int section = 0, number = 0;
    size_t column = 0;
    std::vector<int> sections;
    for (const std::string& line : SplitText(t.General, "\r\n")) {
        std::smatch m;
        if (!std::regex_match(line, m, item))
            continue;
        const int s = std::stoi(m[1].matched ? m[1].str() : m[3].str());
        const int n = std::stoi(m[2].matched ? m[2].str() : m[4].str());
        if (s != section) {
            EXPECT_GT(s, section) << line;
            sections.push_back(s);
            section = s;
            number = 0;
            column = line.find(':');
        }
        EXPECT_EQ(n, number + 1) << line;
        number = n;
        EXPECT_EQ(line.find(':'), column) << line;
        if (s == 1) {
            EXPECT_EQ(column, 22u) << line;
        }
        if (s == 2) {
            EXPECT_EQ(column, 20u) << line;
        }
    }
    // A console test program shows no active controls.
    EXPECT_FALSE(facts.HasUserInterface);
    EXPECT_EQ(sections, (std::vector<int>{1, 2, 3, 5, 6, 7}));

    const std::string program = ProgramFileName();
    char address[32];
    std::snprintf(address, sizeof address, "%08llX", static_cast<unsigned long long>(capture->Address));
    EXPECT_NE(report.find("\r\n  2.2 Address       : " + std::string(address) + "\r\n"), std::string::npos);
    EXPECT_NE(report.find("\r\n  2.3 Module Name   : " + program), std::string::npos);
    EXPECT_NE(report.find("\r\n  2.5 Type          : EAccessViolation\r\n"), std::string::npos);
    EXPECT_NE(report.find("\r\n  2.6 Message       : Access violation at address " + std::string(address) +
                          " in module '" + program + "'. Write of address 00000000.\r\n"),
              std::string::npos)
        << t.General;
    EXPECT_NE(report.find("\r\n  2.7 ID            : " + facts.ExceptionID + "\r\n"), std::string::npos);
    EXPECT_EQ(facts.ExceptionID.size(), 4u);
    EXPECT_NE(report.find("\r\n  2.8 Count         : 1\r\n  2.9 Status        : New\r\n"), std::string::npos);
    EXPECT_NE(report.find("\r\n  6.1 Type    : Microsoft Windows "), std::string::npos);

    // Tables: every line as wide as its separator; this program among the
    // modules, this process among the processes.
    for (const char* header : {"Call Stack Information", "Modules Information", "Processes Information"}) {
        const std::vector<std::string> table = TableLines(report, header);
        ASSERT_GE(table.size(), 4u) << header;
        for (const std::string& line : table)
            EXPECT_EQ(line.size(), table[0].size()) << header << ": " << line;
    }
    const std::vector<std::string> modules = TableLines(report, "Modules Information");
    bool programListed = false;
    for (const std::string& line : modules)
        programListed |= line.find("|" + program + " ") != std::string::npos || line.find("|" + program + "|") != std::string::npos;
    EXPECT_TRUE(programListed) << JoinLines(TableLines(report, "Modules Information"));
    // The id fills its cell, or is padded with blanks to the column's width.
    const std::string pid = "|" + std::to_string(GetCurrentProcessId());
    bool processListed = false;
    for (const std::string& line : TableLines(report, "Processes Information"))
        processListed |= line.rfind(pid + " ", 0) == 0 || line.rfind(pid + "|", 0) == 0;
    EXPECT_TRUE(processListed);
    const std::vector<std::string> stack = TableLines(report, "Call Stack Information");
    EXPECT_NE(stack[3].find(" Thread: ID=" + std::to_string(GetCurrentThreadId()) + "; Priority=0; Class="),
              std::string::npos)
        << stack[3];

    // Registers with values, 16 dump lines, a listing around the address.
    const std::vector<std::string> cpu = SplitText(t.CPU, "\r\n");
    ASSERT_EQ(cpu.size(), 26u) << t.CPU;
    EXPECT_EQ(cpu[2].find("????"), std::string::npos);
    EXPECT_EQ(cpu[9].rfind(IntToHex(static_cast<int64_t>(facts.StackPointer), 8) + ": ", 0), 0u) << cpu[9];
    EXPECT_NE(t.Asm.find(std::string(address) + "  "), std::string::npos) << t.Asm;
    EXPECT_NE(t.Asm.find("<-- EXCEPTION"), std::string::npos);
}

TEST(ReportGatherer, NoContextAndUnreadableAddress)
{
    TCapture capture;
    capture.Kind = TCaptureKind::HardwareFault;
    capture.ThreadId = GetCurrentThreadId();
    capture.ClassName = "EAccessViolation";
    capture.Message = "Access violation";
    capture.Code = EXCEPTION_ACCESS_VIOLATION;
    capture.Address = 0x10;
    TReportFacts facts;
    GatherReportFacts(facts, capture, nullptr, false);
    auto options = FullOptions();
    const TReportTexts t = BuildReportText(facts, *options);
    EXPECT_NE(t.CPU.find("EAX: ????       EDI: ????    \r\n"), std::string::npos) << t.CPU;
    EXPECT_EQ(t.CPU.substr(t.CPU.size() - 2), "\r\n");
    EXPECT_EQ(SplitText(t.CPU, "\r\n").size(), 10u);  // no dump lines
    EXPECT_EQ(t.Asm, "");
    EXPECT_NE(t.General.find("  2.6 Message       : Access violation.\r\n"), std::string::npos);
    EXPECT_TRUE(facts.Modules.empty());
}

TEST(ReportGatherer, ClassAndMessageOfCppExceptions)
{
    struct Case {
        std::exception_ptr exception;
        const std::type_info* type;
        const char* className;
        bool framework;
        const char* reportedClass;
        const char* reportedMessage;
    };
    const Case cases[] = {
        {std::make_exception_ptr(Exception("Boom")), &typeid(Exception), "Exception", true, "Exception", "Boom."},
        {std::make_exception_ptr(Exception("Abort")), &typeid(Exception), "Exception", false, "Exception", "Abort."},
        {std::make_exception_ptr(std::runtime_error("bad")), &typeid(std::runtime_error), "std::runtime_error", false,
         "std::runtime_error", "Unknown error message."},
        {std::make_exception_ptr(42), &typeid(int), "int", false, "Unknown exception type", "Unknown error message."},
    };
    for (const Case& c : cases) {
        TCapture capture;
        capture.ThreadId = GetCurrentThreadId();
        capture.Exception = c.exception;
        capture.Type = c.type;
        capture.ClassName = c.className;
        capture.FrameworkObject = c.framework;
        try {
            std::rethrow_exception(c.exception);
        } catch (const std::exception& e) {
            capture.Message = e.what();
        } catch (...) {
        }
        TReportFacts facts;
        GatherExceptionFacts(facts, capture, nullptr);
        EXPECT_EQ(ExceptionClassText(facts), c.reportedClass) << c.className;
        EXPECT_EQ(ExceptionMessageText(facts), c.reportedMessage) << c.className;
    }
}

TEST(ReportGatherer, SystemFactsHaveTheirForms)
{
    TReportFacts facts;
    GatherSystemFacts(facts);
    EXPECT_EQ(facts.ComputerName, GetComputerNameText());
    EXPECT_GT(facts.TotalMemory, 0u);
    EXPECT_LE(facts.FreeMemory, facts.TotalMemory);
    EXPECT_TRUE(facts.DiskKnown);
    EXPECT_GT(facts.ScreenWidth, 0);
    EXPECT_GT(facts.ScreenBits, 0);
    EXPECT_EQ(facts.OSType.rfind("Microsoft Windows ", 0), 0u);
    EXPECT_FALSE(facts.Processor.empty());
    for (const std::string& line : SplitText(facts.UserPrivileges, "\r\n")) {
        if (line.empty())
            continue;
        EXPECT_TRUE(std::regex_match(line, std::regex(R"(.{31,} - (ON|OFF))"))) << line;
    }
    const TNetworkTexts net = GetNetworkTexts(facts.Adapters);
    const std::string address = R"(\d{3}\.\d{3}\.\d{3}\.\d{3})";
    for (const std::string* text : {&net.IP, &net.Submask, &net.Gateway, &net.DNS1, &net.DNS2})
        if (!text->empty()) {
            EXPECT_TRUE(std::regex_match(*text, std::regex(address + "( - " + address + ")*"))) << *text;
        }
}

TEST(ReportGatherer, FocusedControlHidesPasswordsAndReadOnlyTexts)
{
    // The framework's edit controls are 8-bit windows of their own class;
    // the system's (Unicode) edit windows give no text at all.
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TReportTestEdit";
    RegisterClassA(&wc);
    HWND form = CreateWindowExA(0, "STATIC", "Form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                nullptr, nullptr, nullptr);
    ASSERT_NE(form, nullptr);
    struct Case { const char* cls; DWORD style; const char* text; const char* shown; };
    const Case cases[] = {
        {"TReportTestEdit", 0, "plain", "plain"},
        {"TReportTestEdit", ES_PASSWORD, "secret", "******"},
        {"TReportTestEdit", ES_READONLY, "kept", ""},
        {"EDIT", 0, "wide", ""},
    };
    for (const Case& c : cases) {
        HWND edit = CreateWindowExA(0, c.cls, c.text, WS_CHILD | WS_VISIBLE | c.style, 0, 0, 100, 20, form, nullptr,
                                    nullptr, nullptr);
        ASSERT_NE(edit, nullptr);
        SetFocus(edit);
        std::string cls, text;
        FocusedControlFacts(GetCurrentThreadId(), cls, text);
        EXPECT_TRUE(SameText(cls, c.cls)) << cls;
        const std::string expected = IsWindowUnicode(edit) ? "" : c.shown;
        EXPECT_EQ(text, expected) << c.text;
        DestroyWindow(edit);
    }
    DestroyWindow(form);
}

TEST(ReportGatherer, ProcessingStepFillsTheReport)
{
    InstallReportBuilding();
    ASSERT_TRUE(ProcessingSteps().BuildReport);
    ASSERT_TRUE(ProcessingSteps().IdentifierPieces);

    // A capture as the hooks make it: the access is read from its message.
    TCapture capture;
    capture.Kind = TCaptureKind::HardwareFault;
    capture.ThreadId = GetCurrentThreadId();
    capture.ClassName = "EAccessViolation";
    capture.Code = EXCEPTION_ACCESS_VIOLATION;
    capture.Address = reinterpret_cast<uintptr_t>(&FaultingProcedure);
    char message[160];
    std::snprintf(message, sizeof message, "Access violation at address %p (read of address %p)",
                  reinterpret_cast<void*>(capture.Address), reinterpret_cast<void*>(0x1C));
    capture.Message = message;
    auto options = FullOptions();
    TProcessingState state;
    state.Capture = &capture;
    state.Options = options.get();
    state.ExceptionId = "BEEF";
    state.Notify.FocusedClass = "TByteGrid";
    state.Notify.FocusedText = "grid";

    const std::string pieces = ProcessingSteps().IdentifierPieces(state);
    EXPECT_EQ(pieces.rfind("EAccessViolationAccess violation at address ", 0), 0u) << pieces;
    EXPECT_NE(pieces.find(". Read of address 0000001C." + ProgramFileName()), std::string::npos) << pieces;

    ProcessingSteps().BuildReport(state);
    EXPECT_EQ(state.ReportText.rfind("ZorvikLog 6.0.20\r\n\r\nApplication:\r\n", 0), 0u);
    EXPECT_EQ(state.TextToSend, state.ReportText);
    EXPECT_NE(state.ReportText.find("\r\n  2.7 ID            : BEEF\r\n"), std::string::npos);
    EXPECT_NE(state.ReportText.find("'. Read of address 0000001C.\r\n"), std::string::npos);
    EXPECT_EQ(LastReportTexts().Report, state.ReportText);
    EXPECT_FALSE(LastReportTexts().CPU.empty());
    EXPECT_EQ(LastReportFacts().ExceptionID, "BEEF");
    EXPECT_EQ(LastReportFacts().ControlClass, "TByteGrid");

    // A hosting environment's metadata file gives the program's description.
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string metadata = std::string(system) + "\\kernel32.dll";
    std::string description, version;
    GetFileVersionTexts(metadata, description, version);
    ASSERT_FALSE(description.empty());
    SetMetadataFilePath(metadata);
    ProcessingSteps().BuildReport(state);
    SetMetadataFilePath("");
    EXPECT_NE(state.ReportText.find("\r\n  1.2 Name/Description: " + ProgramFileName() + " - (" + description + ")\r\n"),
              std::string::npos);
}
