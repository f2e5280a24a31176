#include "editor/unicode/UvxGraphics.h"

#include <random>

#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxFiles.h"
#include "editor/unicode/UvxPaths.h"
#include "editor/unicode/UvxSysUtils.h"
#include "framework/Exceptions.h"
#include "framework/WideCase.h"
#include "framework/WinText.h"

namespace {
// Font colour and background mode for one output, undone afterwards.
struct TextStateGuard {
    HDC dc;
    int mode;
    COLORREF colour;
    TextStateGuard(TCanvas& c, bool clear)
        : dc(c.Handle()), mode(SetBkMode(dc, clear ? TRANSPARENT : OPAQUE)),
          colour(SetTextColor(dc, ToColorRef(c.FontColor))) {}
    ~TextStateGuard() {
        SetTextColor(dc, colour);
        SetBkMode(dc, mode);
    }
};
}  // namespace

SIZE WideDCTextExtent(HDC dc, const std::u16string& text) {
    SIZE size{0, 0};
    if (!GetTextExtentPoint32W(dc, WC(text), static_cast<int>(text.size()), &size)) return SIZE{0, 0};
    return size;
}

SIZE WideCanvasTextExtent(TCanvas& canvas, const std::u16string& text) {
    return WideDCTextExtent(canvas.Handle(), text);
}
int WideCanvasTextWidth(TCanvas& canvas, const std::u16string& text) { return WideCanvasTextExtent(canvas, text).cx; }
int WideCanvasTextHeight(TCanvas& canvas, const std::u16string& text) { return WideCanvasTextExtent(canvas, text).cy; }

void WideCanvasTextOut(TCanvas& canvas, int x, int y, const std::u16string& text) {
    TextStateGuard state(canvas, true);
    int width = WideCanvasTextWidth(canvas, text);
    if (canvas.TextFlags & ETO_RTLREADING) x += width + 1;
    ExtTextOutW(canvas.Handle(), x, y, canvas.TextFlags, nullptr, WC(text), static_cast<UINT>(text.size()), nullptr);
    canvas.PenPos = POINT{x + width, y};
}

void WideCanvasTextRect(TCanvas& canvas, const RECT& rect, int x, int y, const std::u16string& text,
                        bool brushClear) {
    TextStateGuard state(canvas, brushClear);
    COLORREF oldBk = SetBkColor(canvas.Handle(), ToColorRef(canvas.BrushColor));
    UINT options = canvas.TextFlags | ETO_CLIPPED;
    if (!brushClear) options |= ETO_OPAQUE;
    if (canvas.TextFlags & ETO_RTLREADING) x += WideCanvasTextWidth(canvas, text) + 1;
    ExtTextOutW(canvas.Handle(), x, y, options, &rect, WC(text), static_cast<UINT>(text.size()), nullptr);
    SetBkColor(canvas.Handle(), oldBk);
}

void TUvxPicture::LoadFromFile(const std::u16string& fileName) {
    std::u16string shortName = WideExtractShortPathName(fileName);
    // A short name would cut ".jpeg" to ".jpe", which no picture class reads.
    if (WideSameText(WideExtractFileExt(fileName), u".jpeg") || shortName.empty())
        TPicture::LoadFromFile(WideToAnsiSys(fileName));
    else
        TPicture::LoadFromFile(WideToAnsiSys(shortName));
}

void TUvxPicture::SaveToFile(const std::u16string& fileName) {
    if (!Graphic()) return;
    std::u16string folder = WideExtractFilePath(fileName);
    std::u16string ext = WideExtractFileExt(fileName);
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<int32_t> number(0, 2147483646);
    std::u16string temp;
    do {
        std::string digits = std::to_string(number(random));
        temp = folder + std::u16string(digits.begin(), digits.end()) + ext;
    } while (WideFileExists(temp));
    HANDLE h = WideFileCreate(temp);
    if (h == INVALID_HANDLE_VALUE) throw EFCreateError("Cannot create file \"" + WideToAnsiSys(temp) + "\"");
    CloseHandle(h);
    struct TempRemover {
        std::u16string name;
        ~TempRemover() { WideDeleteFile(name); }
    } remover{temp};
    std::u16string shortTemp = WideExtractShortPathName(temp);
    Graphic()->SaveToFile(WideToAnsiSys(shortTemp.empty() ? temp : shortTemp));
    // One step that replaces the old file: a failure leaves it as it was.
    BOOL moved = Win32PlatformIsUnicode
                     ? MoveFileExW(WC(temp), WC(fileName), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)
                     : MoveFileExA(WideToAnsiSys(temp).c_str(), WideToAnsiSys(fileName).c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED);
    if (!moved) throw EOSError("Cannot rename \"" + WideToAnsiSys(temp) + "\"", GetLastError());
}
