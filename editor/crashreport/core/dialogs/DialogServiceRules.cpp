#include "editor/crashreport/core/dialogs/DialogServiceRules.h"

#include <algorithm>
#include <cmath>

#include "editor/crashreport/support/texts/CommonStrings.h"

const char* const WrapSeparators = " !%()-?[]{}\xA7\xB0";

int32_t WrappedTextHeight(const std::string& text, int32_t width, int32_t lineHeight,
                          const std::function<int32_t(const std::string&)>& wordWidth)
{
    // A width of 6 or less would divide by zero or less: every word then
    // takes a line of its own.
    const int64_t usable = std::max<int64_t>(int64_t(width) - 6, 1);
    int64_t total = 0;
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n') {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line.empty() ? " " : line);
            line.clear();
        } else {
            line += text[i];
        }
    }
    for (const std::string& l : lines) {
        std::vector<std::string> words;
        ExtractList(l, words, WrapSeparators, true, false);
        if (words.empty())
            words.push_back(l);
        int64_t running = 0;
        for (const std::string& word : words) {
            const int64_t w = std::max<int32_t>(wordWidth(word), 0);
            if (running == 0)
                total += lineHeight;
            running += w;
            const int64_t n = running / usable;
            total += n * lineHeight;
            if (n > 0)
                running = w;
        }
    }
    return static_cast<int32_t>(std::min<int64_t>(total, INT32_MAX));
}

TCaptionGeometry CaptionGeometry(int32_t w, int32_t h, int32_t cxFrame, int32_t cyFrame, int32_t captionHeight)
{
    const int32_t fx = cxFrame - 1, fy = cyFrame - 1;
    TCaptionGeometry g;
    g.Inner = {fx, fy, w - fx, h - fy};
    g.Caption = {fx + 1, fy + 1, w - fx - 1, fy + 1 + captionHeight - 1};
    g.ClientEdge = g.Inner;
    g.ClientEdge.Top = g.Caption.Bottom + 1;
    return g;
}

TCaptionColours CaptionColours(bool active)
{
    if (active)
        return {0x404040, 0x808080, 0xC29B82};  // RGB(130,155,194) as a COLORREF
    return {0x303030, 0x606060, 0x979797};
}

std::vector<TGradientBand> CaptionGradient(const TCaptionRect& caption, uint32_t start)
{
    std::vector<TGradientBand> bands;
    const int32_t steps = (caption.Bottom - caption.Top) / 5;
    uint32_t colour = start;
    TCaptionRect r = caption;
    for (int32_t i = 0; i < steps; ++i) {
        uint32_t next = 0;
        for (int c = 0; c < 3; ++c) {
            const uint32_t channel = (colour >> (8 * c)) & 0xFF;
            const uint32_t darker = std::min<uint32_t>(static_cast<uint32_t>(std::lround(channel * 0.96)), 255);
            next |= darker << (8 * c);
        }
        colour = next;
        bands.push_back({r, colour});
        r.Top += 2;
        r.Bottom -= 2;
    }
    return bands;
}

bool IsUserActivityMessage(uint32_t m)
{
    switch (m) {
    case 0x004E:  // WM_NOTIFY
    case 0x0111:  // WM_COMMAND
    case 0x0100:  // WM_KEYDOWN
    case 0x00A1: case 0x00A3:  // WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK
    case 0x00A4: case 0x00A6:  // WM_NCRBUTTONDOWN, WM_NCRBUTTONDBLCLK
    case 0x00A7: case 0x00A9:  // WM_NCMBUTTONDOWN, WM_NCMBUTTONDBLCLK
    case 0x0201: case 0x0203:  // WM_LBUTTONDOWN, WM_LBUTTONDBLCLK
    case 0x0204: case 0x0206:  // WM_RBUTTONDOWN, WM_RBUTTONDBLCLK
    case 0x0207: case 0x0209:  // WM_MBUTTONDOWN, WM_MBUTTONDBLCLK
    case 0x020A:  // WM_MOUSEWHEEL
        return true;
    default:
        return false;
    }
}

bool ShouldBringDialogToFront(bool topmostMode, uintptr_t foreground, uintptr_t dialog, bool foregroundIsOurs,
                              const std::vector<uintptr_t>& ownWindows)
{
    if (topmostMode || foreground == 0 || foreground == dialog || !foregroundIsOurs)
        return false;
    return std::find(ownWindows.begin(), ownWindows.end(), foreground) != ownWindows.end();
}

int32_t CentredOrigin(int32_t from, int32_t span, int32_t size)
{
    return static_cast<int32_t>(from + (int64_t(span) - size) / 2);
}

int32_t LinkCursorId(bool nt, uint32_t major, uint32_t minor)
{
    const bool windows95 = !nt && major == 4 && minor == 0;
    const bool nt4 = nt && major == 4;
    return windows95 || nt4 ? 32512 : 32649;
}
