#include "editor/crashreport/core/sending/SendContext.h"

#include <cmath>
#include <cstdio>

#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/system/EnvVariables.h"
#include "editor/crashreport/support/texts/CommonStrings.h"

std::string ZorvikLogErrorCodeName(TZorvikLogErrorCode code) {
    static const char* const Names[] = {"eeNone",          "eeShowError",    "eeLogError",     "eeEmailMAPIError",
                                        "eeEmailShellError", "eeEmailSMTPError", "eeWebHTTPError", "eeWebHTTPSError",
                                        "eeWebFTPError",   "eeWebTrakerError"};
    return code < sizeof(Names) / sizeof(Names[0]) ? Names[code] : std::string();
}

void TSendContext::ReportWarning(TZorvikLogErrorCode code, const std::string& message) {
    LastErrorCode = code;
    LastErrorMessage = message;
    if (Warning)
        Warning(code, message);
}

void TSendContext::ClearLastError() {
    LastErrorCode = eeNone;
    LastErrorMessage.clear();
}

std::string TSendContext::Text(int messageType) const {
    if (Options == nullptr)
        return DefaultMessageText(messageType);
    return Options->GetCustomizedExpandedTexts(static_cast<TMessageType>(messageType));
}

std::string CompactDateText(double dateTime) {
    // Days since 30 Dec 1899 to a civil date (the proleptic Gregorian rule).
    const double whole = std::floor(dateTime);
    // To the millisecond, as the date-time holds it, then whole seconds.
    int64_t seconds = std::llround((dateTime - whole) * 86400000.0) / 1000;
    int64_t days = static_cast<int64_t>(whole);
    if (seconds >= 86400) {
        seconds -= 86400;
        ++days;
    }
    // Days since 1 Mar 0000: 30 Dec 1899 is 25569 days before 1 Jan 1970,
    // which is day 719468 of that count.
    const int64_t z = days - 25569 + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t y = yoe + era * 400;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const int64_t m = mp < 10 ? mp + 3 : mp - 9;
    if (m <= 2)
        ++y;
    char text[128];
    std::snprintf(text, sizeof text, "%04lld%02lld%02lld%02lld%02lld%02lld", static_cast<long long>(y),
                  static_cast<long long>(m), static_cast<long long>(d), static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return text;
}

std::string TSendContext::DecorateReportFileName(const std::string& path) const {
    std::string name = ExtractFileNamePart(path);
    const bool addComputer = Options && Options->CommonSendOptions().Contains(sndAddComputerNameInFileName);
    const bool addDate = Options && Options->CommonSendOptions().Contains(sndAddDateInFileName);
    auto insert = [&name](const std::string& decoration) {
        const size_t dot = name.rfind('.');
        if (dot == std::string::npos)
            name += "__" + decoration;
        else
            name.insert(dot, "__" + decoration);
    };
    if (addComputer)
        insert(ComputerName.substr(0, 15));
    if (addDate)
        insert(CompactDateText(ExceptionDate));
    return name;
}

namespace {

bool HasSendOption(const TZorvikModuleOptions* options, TCommonSendOption option) {
    return options && options->CommonSendOptions().Contains(option);
}

}  // namespace

std::string TSendContext::LogCopyFile() const {
    return TempFolder + ExtractFileNamePart(ExpandEnvVars(LogFile));
}

std::string TSendContext::XMLCopyFile() const {
    if (!HasSendOption(Options, sndSendXMLLogCopy))
        return "";
    return WithoutFileExtension(LogCopyFile()) + ".xml";
}

std::string TSendContext::ScreenshotFile() const {
    return HasSendOption(Options, sndSendScreenshot) ? TempFolder + "Screenshot.png" : "";
}

std::string TSendContext::AttachedScreenshotFile() const {
    return ScreenshotTaken ? ScreenshotFile() : "";
}

std::string TSendContext::LastHTMLPageFile() const {
    return HasSendOption(Options, sndSendLastHTMLPage) ? TempFolder + "LastHTMLPage.html" : "";
}

std::string TSendContext::AttachedLastHTMLPageFile() const {
    return LastHTMLPage.empty() ? "" : LastHTMLPageFile();
}

std::string TSendContext::ZipFile() const {
    return TempFolder + "BugReport.zip";
}

std::vector<std::string> TSendContext::BuildAttachmentList(bool forMail) const {
    std::vector<std::string> list;
    if (Options)
        ExtractList(Options->AttachedFiles(), list, ";", false, false);
    const bool appendLogs = Options && Options->AppendLogs();
    if (!(forMail && appendLogs)) {
        const std::string copy = LogCopyFile();
        if (!copy.empty())
            list.push_back(copy);
    }
    for (const std::string& f : {AttachedScreenshotFile(), AttachedLastHTMLPageFile(), XMLCopyFile()})
        if (!f.empty())
            list.push_back(f);
    return list;
}
