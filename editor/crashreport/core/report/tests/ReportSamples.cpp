#include "editor/crashreport/core/report/tests/ReportSamples.h"

#include "editor/crashreport/support/log/LogItem.h"

std::string TestReport(const std::string& id, const std::string& version, const std::string& message)
{
    TLogItem item(0);
    item.AddHeader("Application");
    item.AddItem("Start Date", "Thu, 10 Dec 2026 14:00:00 +0100", true);
    item.AddItem("Name/Description", "Tessaly.exe - byte editor", true);
    item.AddItem("Version Number", version, !version.empty());
    item.AddHeader("Exception");
    item.AddItem("Date", "Thu, 10 Dec 2026 14:05:00 +0100", true);
    item.AddItem("Address", "00401000", true);
    item.AddItem("Module Name", "Tessaly.exe", true);
    item.AddItem("Module Version", version, true);
    item.AddItem("Type", "Exception", true);
    item.AddItem("Message", message, true);
    item.AddItem("ID", id, true);
    item.AddItem("Count", "1", true);
    item.AddItem("Status", "New", true);
    const std::string rule(46, '-');
    std::string text = "ZorvikLog 6.0.20\r\n\r\n" + item.GetString() + "\r\n";
    text += "Call Stack Information:\r\n" + rule + "\r\n";
    text += "|Address |Module     |Unit    |Procedure |Line|\r\n" + rule + "\r\n";
    text += "|00401000|Tessaly.exe|Main.cpp|Crash     |12  |\r\n";
    text += rule;
    return text;
}
