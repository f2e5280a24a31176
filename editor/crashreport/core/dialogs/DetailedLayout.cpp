#include "editor/crashreport/core/dialogs/DetailedLayout.h"

#include <algorithm>

namespace {

// The lines of a text split at CR LF, a lone CR or a lone LF; an empty line
// is measured as one blank.
std::vector<std::string> MessageLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    lines.push_back(line);
    for (auto& l : lines)
        if (l.empty())
            l = " ";
    return lines;
}

}  // namespace

int32_t CheckBandHeight(bool sendShown, bool screenshotShown, bool copyShown, bool linkShown)
{
    if (!sendShown && !screenshotShown && !copyShown && !linkShown)
        return 0;
    if ((sendShown && screenshotShown) || (copyShown && linkShown))
        return 34;
    return 20;
}

TCompactSize CompactDialogSize(const std::string& message, const std::string& sendText, const std::string& copyText,
                               const std::function<int32_t(const std::string&)>& lineWidth, int32_t lineHeight,
                               int32_t frameX, int32_t frameY, int32_t captionHeight)
{
    const int32_t margin = 2 * frameX + 58;
    const int32_t m = std::max(1, 640 - margin);
    std::vector<std::string> lines = MessageLines(message);
    lines.push_back(sendText + "    " + copyText);

    int64_t width = 0, height = 0;
    for (const auto& line : lines) {
        int64_t w = lineWidth(line);
        if (w > width) {
            width = w + 16;
            if (m < w + 16) {
                height += ((w - m + 16) / m + 1) * lineHeight;
                width = m;
            }
        }
        height += lineHeight;
    }
    TCompactSize size;
    size.Width = static_cast<int32_t>(std::max<int64_t>(width + margin, CompactMinimumWidth));
    size.Label = {48, 8, size.Width - margin, static_cast<int32_t>(std::min<int64_t>(height, INT32_MAX / 2))};
    int64_t rest = height > 39 ? height - 39 : 0;
    size.Height = static_cast<int32_t>(std::min<int64_t>(rest + 2 * frameY + captionHeight + 86, INT32_MAX / 2));
    return size;
}

TDetailedLayout LayoutDetailedDialog(const TDetailedLayoutInput& in)
{
    TDetailedLayout out;
    const int32_t dW = in.ClientWidth - DetailedClientWidth;
    const int32_t dH = in.ClientHeight - DetailedClientHeight;
    const int32_t band = in.BandHeight;

    out.Tab = {4, 52, 451 + dW + 7, 131 + dH - band + 31};
    out.PageArea = {6, 80, 451 + dW + 5 - 6, 131 + dH - band + 69 - 80};
    if (in.DetailedMode) {
        out.LabelPlaced = true;
        out.Label = {48, 8, 410 + dW, 42};
    }

    const int32_t Y = std::max(75, in.ButtonWidth);
    const int32_t y = in.ClientHeight - band - 32;
    int32_t okX = (in.ClientWidth - Y) / 2;
    int32_t customX = in.TerminateShown ? Y + 13 : 5;
    if (in.CustomShown && customX + Y >= okX)
        okX = customX + Y + 8;
    out.Terminate = {5, y, Y, 25};
    out.Custom = {customX, y, Y, 25};
    out.OK = {okX, y, Y, 25};
    out.Details = {in.ClientWidth - Y - 5, y, Y, 25};

    const int32_t half = (in.ClientWidth - 8) / 2;
    out.SendCheck = {4, y + 34, half, 16};
    out.CopyCheck = {in.ClientWidth - half - 4, y + 34, half, 16};
    out.ScreenshotCheck = {23, y + 50, in.ClientWidth / 2, 16};
    int32_t linkTop = y + 34 + (in.CopyShown ? 16 : 0);
    out.SupportLink = {in.ClientWidth - in.SupportTextWidth - 4, linkTop, in.SupportTextWidth, 13};
    return out;
}

int32_t PageOfTab(int32_t tab, bool modulesShown, bool assemblerShown)
{
    int32_t page = tab;
    if (page >= 2 && page <= 3 && !modulesShown)
        page += 2;
    if (page >= 4 && page <= 5 && !assemblerShown)
        page += 2;
    return page;
}

int32_t TabOfPage(int32_t page, bool modulesShown, bool assemblerShown)
{
    if (page == dpGeneral || page == dpCallStack)
        return page;
    if (page == dpModules || page == dpProcesses)
        return modulesShown ? page : -1;
    if (page == dpAssembler || page == dpCPU) {
        if (!assemblerShown)
            return -1;
        return modulesShown ? page : page - 2;
    }
    return -1;
}

int32_t FrontPage(TForegroundType front, bool modulesShown, bool assemblerShown)
{
    switch (front) {
    case ftCallStack: return dpCallStack;
    case ftModules: return modulesShown ? dpModules : dpGeneral;
    case ftProcesses: return modulesShown ? dpProcesses : dpGeneral;
    case ftAssembler: return assemblerShown ? dpAssembler : dpGeneral;
    case ftCPU: return assemblerShown ? dpCPU : dpGeneral;
    default: return dpGeneral;
    }
}

std::string DetailsCaption(const std::string& details, bool detailedMode)
{
    return detailedMode ? "<< " + details : details + " >>";
}
