#include "editor/crashreport/core/dialogs/ClassicDialogLayout.h"

#include <algorithm>

#include "framework/SysUtils.h"

namespace {

constexpr int32_t Left = 8;
constexpr int32_t NarrowWidth = 356;
constexpr int32_t WideWidth = 397;

struct TLayoutWriter {
    TClassicLayout& Out;
    TLayoutMeasure& Measure;

    // Places a text control at (Left, y) and returns its measured height;
    // the control gets one pixel more.
    int32_t Text(int id, TLayoutFont font, const std::string& text, int32_t y, int32_t width)
    {
        const int32_t h = Measure.TextHeight(font, text, width);
        Out.Controls[id] = TPlacedControl{true, Left, y, width, h + 1, text, true};
        return h;
    }
    void Hide(int id) { Out.Controls[id].Visible = false; }
};

std::string WithoutAmpersands(const std::string& caption)
{
    std::string s;
    for (char c : caption)
        if (c != '&')
            s += c;
    return s;
}

} // namespace

int32_t ClassicButtonWidth(TLayoutMeasure& measure, const std::string& caption, int32_t cyBorder)
{
    return std::max(measure.TextWidth(lfMessage, WithoutAmpersands(caption)) + 4 * cyBorder + 16, 75);
}

TClassicLayout LayoutClassicDialog(const TClassicLayoutInput& in, TLayoutMeasure& measure)
{
    TClassicLayout out;
    TLayoutWriter w{out, measure};
    for (int id : {cdTitle, cdMessage, cdTerminate, cdPlease, cdDescription, cdSeeDetails, cdReproduceLabel,
                   cdReproduce, cdEmailLabel, cdEmail, cdSend, cdNoSend, cdCustom})
        out.Controls[id] = TPlacedControl{};

    // The title, centred in the white band.
    const int32_t titleHeight = measure.TextHeight(lfBold, in.Title, NarrowWidth);
    w.Text(cdTitle, lfBold, in.Title, (51 - titleHeight) / 2, NarrowWidth);
    int32_t y = 59;
    y += w.Text(cdMessage, lfMessage, in.Message, y, WideWidth);

    if (in.ShowTerminate) {
        y += 10;
        y += w.Text(cdTerminate, lfMessage, in.TerminateCaption, y, WideWidth);
    }
    if (in.SendOptionShown) {
        y += 10;
        y += w.Text(cdPlease, lfBold, in.Please, y, WideWidth);
        y += 2;
        y += w.Text(cdDescription, lfMessage, in.Description, y, WideWidth);
    }
    if (in.ShowDetailsLink) {
        y += 12;
        const std::string before = Trim(in.SeeDetails) + " ";
        const int32_t beforeWidth = measure.TextWidth(lfMessage, before);
        const int32_t h = measure.TextHeight(lfMessage, before, NarrowWidth);
        out.Controls[cdSeeDetails] = TPlacedControl{true, Left, y, beforeWidth, h + 1, before, true};
        out.LinkLeft = beforeWidth + Left;
        out.LinkTop = y;
        out.LinkRight = out.LinkLeft + measure.TextWidth(lfPlainLink, in.SeeClick);
        out.LinkBottom = y + measure.TextHeight(lfPlainLink, in.SeeClick, NarrowWidth);
        // The next line starts below the link, not on it.
        y += std::max(h, out.LinkBottom - out.LinkTop);
    }
    int32_t lineHeight = measure.TextHeight(lfMessage, "O", NarrowWidth);
    if (in.ShowReproduce) {
        y += 12;
        y += w.Text(cdReproduceLabel, lfMessage, in.HowToReproduce, y, WideWidth);
        y += 2;
        lineHeight = measure.TextHeight(lfFixed, "O", NarrowWidth);
        const int32_t boxHeight = 8 * in.CyBorder + 4 * lineHeight;
        out.Controls[cdReproduce] = TPlacedControl{true, Left, y, WideWidth, boxHeight, "", false};
        y += boxHeight - 4;
    }
    if (in.ShowEmail) {
        y += 12;
        const std::string label = in.EmailCaption + " ";
        const int32_t labelWidth = measure.TextWidth(lfMessage, label);
        const int32_t boxHeight = lineHeight + 8 * in.CyBorder;
        out.Controls[cdEmail] = TPlacedControl{true, labelWidth + Left, y, WideWidth - labelWidth, boxHeight, "", false};
        const int32_t labelHeight = measure.TextHeight(lfMessage, label, labelWidth + 6);
        out.Controls[cdEmailLabel] =
            TPlacedControl{true, Left, y + 4 * in.CyBorder, labelWidth, labelHeight + 1, label, true};
        // The buttons go below the box.
        y += boxHeight;
    }
    y += 12;
    const int32_t buttonHeight = 4 * in.CyBorder + lineHeight + 6;
    const int32_t noSendWidth = ClassicButtonWidth(measure, in.NoSendCaption, in.CyBorder);
    const int32_t sendWidth = ClassicButtonWidth(measure, in.SendCaption, in.CyBorder);
    out.Controls[cdCustom] = TPlacedControl{in.ShowCustomButton, Left, y,
                                            ClassicButtonWidth(measure, in.CustomCaption, in.CyBorder),
                                            buttonHeight, in.CustomCaption, true};
    const bool noSend = in.SendCheck && in.SendOptionShown;
    out.Controls[cdNoSend] = TPlacedControl{true, Left + WideWidth - noSendWidth, y, noSendWidth, buttonHeight,
                                            noSend ? in.NoSendCaption : in.OKCaption, true};
    out.Controls[cdSend] = TPlacedControl{in.SendOptionShown, WideWidth - noSendWidth - sendWidth, y, sendWidth,
                                          buttonHeight, in.SendCaption, true};
    out.WindowHeight = y + buttonHeight + in.CyFrame + in.CyCaption + 10;
    return out;
}
