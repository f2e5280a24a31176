#pragma once
// The classic error dialog's layout in pixels: which controls show, where
// they go and what they read, from the texts, the options' choices and the
// system's border metrics. Heights come from the wrapped-text measure.
#include <cstdint>
#include <map>
#include <string>

// The fonts the layout measures with.
enum TLayoutFont { lfMessage, lfBold, lfFixed, lfPlainLink };

class TLayoutMeasure {
public:
    virtual ~TLayoutMeasure() = default;
    virtual int32_t TextHeight(TLayoutFont font, const std::string& text, int32_t width) = 0;
    virtual int32_t TextWidth(TLayoutFont font, const std::string& text) = 0;
};

// Control ids of template ZV_MS_DIALOG.
enum TClassicControl : int {
    cdTitle = 102, cdMessage = 103, cdTerminate = 104, cdPlease = 105, cdDescription = 106,
    cdSeeDetails = 107, cdReproduceLabel = 108, cdReproduce = 109, cdEmailLabel = 110, cdEmail = 111,
    cdSend = 1000, cdNoSend = 1001, cdCustom = 1002,
};

struct TClassicLayoutInput {
    std::string Title, Message, TerminateCaption, Please, Description, SeeDetails, SeeClick;
    std::string HowToReproduce, EmailCaption, SendCaption, NoSendCaption, OKCaption, CustomCaption;
    bool ShowTerminate = false;
    bool SendOptionShown = false;
    bool ShowDetailsLink = false;
    bool ShowReproduce = false;
    bool ShowEmail = false;
    bool ShowCustomButton = false;
    bool SendCheck = false;
    int32_t CyBorder = 1, CyFrame = 4, CyCaption = 19;
};

struct TPlacedControl {
    bool Visible = false;
    int32_t X = 0, Y = 0, Width = 0, Height = 0;
    std::string Text;
    bool TextSet = false;  // the layout gives the control this text
};

struct TClassicLayout {
    std::map<int, TPlacedControl> Controls;
    // The painted details link (empty while it is hidden).
    int32_t LinkLeft = 0, LinkTop = 0, LinkRight = 0, LinkBottom = 0;
    int32_t WindowWidth = 419;
    int32_t WindowHeight = 0;
    const TPlacedControl& operator[](int id) const { return Controls.at(id); }
};

TClassicLayout LayoutClassicDialog(const TClassicLayoutInput& in, TLayoutMeasure& measure);

// A button's width: its caption without "&" plus room for the frame, at least 75.
int32_t ClassicButtonWidth(TLayoutMeasure& measure, const std::string& caption, int32_t cyBorder);
