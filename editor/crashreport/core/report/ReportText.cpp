#include "editor/crashreport/core/report/ReportText.h"

#include "editor/crashreport/core/capture/CoreServiceTexts.h"
#include "editor/crashreport/core/report/CpuSection.h"
#include "editor/crashreport/core/report/ReportTables.h"
#include "editor/crashreport/core/report/ReportValues.h"
#include "editor/crashreport/support/archive/Crc.h"
#include "editor/crashreport/support/log/LogItem.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/texts/CommonStrings.h"
#include "framework/SysUtils.h"

namespace {

// File name, then " - (" description ")" when there is one.
std::string NameAndDescription(const std::string& path, const std::string& description)
{
    std::string text = ExtractFileNamePart(path);
    if (!description.empty())
        text += " - (" + description + ")";
    return text;
}

}  // namespace

std::string BuildGeneralSection(const TReportFacts& facts, const TZorvikModuleOptions& options)
{
    const TShowOptions shown = options.ShowOptions();
    TLogItem item(0);
    auto header = [&](TMessageType label) { item.AddHeader(options.GetCustomizedExpandedTexts(label)); };
    auto add = [&](TMessageType label, const std::string& value, TShowOption option, bool also = true) {
        item.AddItem(options.GetCustomizedExpandedTexts(label), value, also && shown.Contains(option));
    };

    header(mtLog_AppHeader);
    add(mtLog_AppStartDate, DateTimeToRFC822(facts.StartTime, facts.GMTOffsetMinutes), soAppStartDate);
    add(mtLog_AppName, NameAndDescription(facts.AppFileName, facts.AppDescription), soAppName);
    add(mtLog_AppVersionNumber, facts.AppVersion, soAppVersionNumber);
    add(mtLog_AppParameters, CommandLineParameters(facts.CommandLine), soAppParameters);
    add(mtLog_AppCompilationDate,
        facts.CompileDate == 0
            ? std::string()
            : DateTimeToRFC822(facts.CompileDate + facts.GMTOffsetMinutes / 1440.0, facts.GMTOffsetMinutes),
        soAppCompilationDate);
    add(mtLog_AppUpTime, DurationText(facts.ExceptionTime - facts.StartTime), soAppUpTime);

    header(mtLog_ExcHeader);
    add(mtLog_ExcDate, DateTimeToRFC822(facts.ExceptionTime, facts.GMTOffsetMinutes), soExcDate);
    add(mtLog_ExcAddress,
        facts.ExceptionAddress == 0 ? std::string() : PointerHexText(facts.ExceptionAddress),
        soExcAddress);
    add(mtLog_ExcModuleName, NameAndDescription(facts.ExcModuleFile, facts.ExcModuleDescription), soExcModuleName);
    add(mtLog_ExcModuleVersion, facts.ExcModuleVersion, soExcModuleVersion);
    add(mtLog_ExcType, ExceptionClassText(facts), soExcType);
    add(mtLog_ExcMessage, ExceptionMessageText(facts), soExcMessage);
    add(mtLog_ExcID, facts.ExceptionID, soExcID);
    add(mtLog_ExcCount, "1", soExcCount);
    add(mtLog_ExcStatus, "New", soExcStatus);
    add(mtLog_ExcNote, "", soExcNote);

    header(mtLog_UserHeader);
    add(mtLog_UserID, facts.UserID, soUserID);
    add(mtLog_UserName, facts.UserName, soUserName);
    add(mtLog_UserEmail, facts.UserEmail, soUserEmail);
    add(mtLog_UserCompany, facts.UserCompany, soUserCompany);
    add(mtLog_UserPrivileges, facts.UserPrivileges, soUserPrivileges);

    header(mtLog_ActCtrlsHeader);
    const bool ui = facts.HasUserInterface;
    add(mtLog_ActCtrlsFormClass, facts.FormClass, soActCtlsFormClass, ui);
    add(mtLog_ActCtrlsFormText, OneString(facts.FormText), soActCtlsFormText, ui);
    add(mtLog_ActCtrlsControlClass, facts.ControlClass, soActCtlsControlClass, ui);
    add(mtLog_ActCtrlsControlText, OneString(facts.ControlText), soActCtlsControlText, ui);

    header(mtLog_CmpHeader);
    add(mtLog_CmpName, facts.ComputerName, soCmpName);
    add(mtLog_CmpTotalMemory, MemoryMbText(facts.TotalMemory), soCmpTotalMemory);
    add(mtLog_CmpFreeMemory, MemoryMbText(facts.FreeMemory), soCmpFreeMemory);
    add(mtLog_CmpTotalDisk, facts.DiskKnown ? DiskGbText(facts.TotalDisk) : std::string(), soCmpTotalDisk);
    add(mtLog_CmpFreeDisk, facts.DiskKnown ? DiskGbText(facts.FreeDisk) : std::string(), soCmpFreeDisk);
    add(mtLog_CmpSystemUpTime, DurationText(facts.SystemUpTime), soCmpSysUpTime);
    add(mtLog_CmpProcessor, facts.Processor, soCmpProcessor);
    add(mtLog_CmpDisplayMode,
        std::to_string(facts.ScreenWidth) + " x " + std::to_string(facts.ScreenHeight) + ", " +
            std::to_string(facts.ScreenBits) + " bit",
        soCmpDisplayMode);
    add(mtLog_CmpDisplayDPI, std::to_string(facts.ScreenDPI), soCmpDisplayDPI);
    add(mtLog_CmpVideoCard, facts.VideoCard, soCmpVideoCard);
    add(mtLog_CmpPrinter, facts.Printer, soCmpPrinter);

    header(mtLog_OSHeader);
    add(mtLog_OSType, facts.OSType, soOSType);
    add(mtLog_OSBuildN, facts.OSBuild, soOSBuildN);
    add(mtLog_OSUpdate, Trim(facts.OSUpdate), soOSUpdate);
    add(mtLog_OSLanguage, facts.OSLanguage, soOSLanguage);
    add(mtLog_OSCharset, std::to_string(facts.Charset), soOSCharset);

    header(mtLog_NetHeader);
    const TNetworkTexts net = GetNetworkTexts(facts.Adapters);
    add(mtLog_NetIP, net.IP, soNetIP);
    add(mtLog_NetSubmask, net.Submask, soNetSubmask);
    add(mtLog_NetGateway, net.Gateway, soNetGateway);
    add(mtLog_NetDNS1, net.DNS1, soNetDNS1);
    add(mtLog_NetDNS2, net.DNS2, soNetDNS2);
    add(mtLog_NetDHCP, net.DHCP, soNetDHCP);

    return "ZorvikLog 6.0.20\r\n\r\n" + item.GetString();
}

TReportTexts BuildReportText(const TReportFacts& facts, const TZorvikModuleOptions& options)
{
    TReportTexts t;
    t.Caption = options.GetCustomizedExpandedTexts(mtDialog_ErrorMsgCaption) + "\r\n\r\n";
    t.LastExceptionClass = ExceptionClassText(facts);
    t.LastExceptionMessage = ExceptionMessageText(facts);
    t.DialogMessage = ExceptionMessageForDialog(t.LastExceptionMessage);
    t.General = BuildGeneralSection(facts, options);

    const TLogOptions log = options.LogOptions();
    if (log.Contains(loSaveAssemblerAndCPUSections)) {
        const TAssemblerSection assembler = BuildAssemblerSection(facts, options);
        t.AsmHeader = assembler.Header;
        t.Asm = assembler.Text;
        t.CPU = BuildCPUSection(facts, options);
    } else {
        t.AsmHeader = SectionHeaderOnly(options.GetCustomizedExpandedTexts(mtDialog_AsmHeader));
        t.CPU = SectionHeaderOnly(options.GetCustomizedExpandedTexts(mtCPU_Registers)) + "\r\n\r\n";
    }

    t.CallStackAndLists = BuildCallStackTable(facts, options);
    if (log.Contains(loSaveModulesAndProcessesSections)) {
        t.CallStackAndLists += BuildModulesTable(facts, options);
        t.CallStackAndLists += BuildProcessesTable(facts, options);
    } else {
        // Each head stands on its own lines, as the tables do.
        t.CallStackAndLists += SectionHeaderOnly(options.GetCustomizedExpandedTexts(mtDialog_ModulesHeader)) + "\r\n\r\n";
        t.CallStackAndLists += SectionHeaderOnly(options.GetCustomizedExpandedTexts(mtDialog_ProcessesHeader)) + "\r\n\r\n";
    }

    t.Report = t.General + "\r\n" + t.CallStackAndLists + t.AsmHeader + "\r\n" + t.Asm + "\r\n" + t.CPU;
    return t;
}

std::string BugIdentifierText(const TReportFacts& facts)
{
    std::string text = ExceptionClassText(facts) + ExceptionMessageText(facts) + ExtractFileNamePart(facts.ExcModuleFile);
    const std::vector<TZorvikDebugInfo>& rows = facts.CallStack.Rows;
    for (const TZorvikDebugInfo& row : rows)
        if (row.DebugDetail == ddSourceCode && row.ThreadID == rows.front().ThreadID)
            text += row.UnitName + row.ClassName + row.ProcedureName + std::to_string(row.LineOffset);
    return text;
}

std::string BugIdentifier(const TReportFacts& facts)
{
    return IntToHex(GetCRC16(BugIdentifierText(facts)), 4);
}
