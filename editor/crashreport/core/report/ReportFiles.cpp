#include "editor/crashreport/core/report/ReportFiles.h"

#include <algorithm>
#include <cstdio>

#include "editor/crashreport/core/sending/SendContext.h"
#include "editor/crashreport/support/files/LocalFiles.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"

void SaveLastHTMLPage(const TSendContext& context, const std::string& text)
{
    const std::string path = context.AttachedLastHTMLPageFile();
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

namespace {
constexpr size_t KeptReportCopies = 10;
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
