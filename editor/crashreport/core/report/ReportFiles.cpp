#include "editor/crashreport/core/report/ReportFiles.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "editor/crashreport/support/CommonStrings.h"
#include "editor/crashreport/support/EnvVariables.h"
#include "editor/crashreport/support/LocalFiles.h"
#include "editor/crashreport/support/ModuleOptions.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"

namespace {

constexpr size_t KeptReportCopies = 10;
const char* const ZipName = "BugReport.zip";

bool SendOption(const TZorvikModuleOptions* options, TCommonSendOption option)
{
    return options != nullptr && options->CommonSendOptions().Contains(option);
}

std::string FileExtension(const std::string& path)
{
    const std::string name = ExtractFileNamePart(path);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

}  // namespace

std::string ReportDateStamp(double dateTime)
{
    // Whole seconds, rounded, then the civil date of the day count.
    const double totalSeconds = std::floor(dateTime * 86400.0 + 0.5);
    if (!(totalSeconds >= 0 && totalSeconds < 86400.0 * 3000000.0))
        return "18991230000000";
    const int64_t seconds = static_cast<int64_t>(totalSeconds);
    const int64_t days = seconds / 86400 + 693899;  // days since 1 March of year 0
    const int64_t secondOfDay = seconds % 86400;
    const int64_t era = days / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    const int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    char text[64];
    std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d", static_cast<int>(year), static_cast<int>(month),
                  static_cast<int>(day), static_cast<int>(secondOfDay / 3600), static_cast<int>(secondOfDay / 60 % 60),
                  static_cast<int>(secondOfDay % 60));
    return text;
}

std::string TReportFiles::DecorateReportFileName(const std::string& path) const
{
    std::string name = ExtractFileNamePart(path);
    if (SendOption(Options, sndAddComputerNameInFileName))
        name = WithoutFileExtension(name) + "__" + ComputerName.substr(0, 15) + FileExtension(name);
    if (SendOption(Options, sndAddDateInFileName))
        name = WithoutFileExtension(name) + "__" + ReportDateStamp(ExceptionDate) + FileExtension(name);
    return name;
}

std::string TReportFiles::ScreenshotTempFile() const
{
    return SendOption(Options, sndSendScreenshot) ? TempFolder + "Screenshot.png" : "";
}

std::string TReportFiles::AttachedScreenshotFile() const
{
    return ScreenshotTaken ? ScreenshotTempFile() : "";
}

std::string TReportFiles::TempLogCopyFile() const
{
    std::string logName;
    if (Options != nullptr && OutputLogFile)
        logName = ExtractFileNamePart(ExpandEnvVars(OutputLogFile(*Options)));
    return TempFolder + logName;
}

std::string TReportFiles::TempXMLCopyFile() const
{
    if (!SendOption(Options, sndSendXMLLogCopy))
        return "";
    return WithoutFileExtension(TempLogCopyFile()) + ".xml";
}

std::string TReportFiles::BugReportZipFile() const
{
    return TempFolder + ZipName;
}

std::string TReportFiles::LastHTMLPageTempFile() const
{
    return SendOption(Options, sndSendLastHTMLPage) ? TempFolder + "LastHTMLPage.html" : "";
}

std::string TReportFiles::AttachedLastHTMLPageFile() const
{
    return LastHTMLPage.empty() ? "" : LastHTMLPageTempFile();
}

void TReportFiles::SaveLastHTMLPage(const std::string& text) const
{
    const std::string path = AttachedLastHTMLPageFile();
    if (path.empty())
        return;
    std::FILE* file = CreateFileAlways(path);
    if (file == nullptr)
        return;
    TStringList lines;
    lines.SetText(text);
    const std::string written = lines.Text();
    std::fwrite(written.data(), 1, written.size(), file);
    std::fclose(file);
}

void TReportFiles::BuildAttachmentList(bool forMail)
{
    Attachments.clear();
    if (Options != nullptr)
        ExtractList(Options->AttachedFiles(), Attachments, ";", false, false);
    const bool logInBody = forMail && Options != nullptr && Options->AppendLogs();
    if (!logInBody) {
        const std::string logCopy = TempLogCopyFile();
        if (!logCopy.empty() && logCopy != TempFolder)
            Attachments.push_back(logCopy);
    }
    for (const std::string& file : {AttachedScreenshotFile(), AttachedLastHTMLPageFile(), TempXMLCopyFile()})
        if (!file.empty())
            Attachments.push_back(file);
}

std::string ReadTextFile(const std::string& path)
{
    if (path.empty())
        return "";
    std::vector<uint8_t> data;
    if (!ReadWholeFile(path, data))
        return "";
    std::string text(data.begin(), data.end());
    std::string result;
    result.reserve(text.size());
    // Lines end at CR LF, CR or LF; they are joined by CR LF.
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i++];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i < text.size() && text[i] == '\n')
                ++i;
            if (i < text.size())
                result += "\r\n";
            continue;
        }
        result += c;
    }
    return result;
}

bool IsSavedReportCopy(const std::string& fileName)
{
    const std::string name = LowerCase(fileName);
    if (name == "bugreport.zip")
        return true;
    const std::string head = "bugreport__", tail = ".zip";
    return name.size() > head.size() + tail.size() && name.compare(0, head.size(), head) == 0 &&
           name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
}

std::vector<std::string> SavedReportCopiesToDelete(const std::vector<std::string>& fileNames)
{
    std::vector<std::string> copies;
    for (const std::string& name : fileNames)
        if (IsSavedReportCopy(name))
            copies.push_back(name);
    std::sort(copies.begin(), copies.end(),
              [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
    if (copies.size() <= KeptReportCopies)
        return {};
    copies.resize(copies.size() - KeptReportCopies);
    return copies;
}
