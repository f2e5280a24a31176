#pragma once
// The rules behind the crash dialogs' window services that need no window:
// the wrapped-text measure, the custom caption's geometry and gradient, the
// messages that count as user activity, the keep-in-front decision and
// centring.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The height in pixels of `text` wrapped at `width`: lines at line ends (an
// empty line counts as one blank), words at the separator set (each word
// keeps its separator), measured by wordWidth; a line's first word adds a
// line, and every time the running width passes width - 6 more lines are
// added and the running width starts again with that word.
int32_t WrappedTextHeight(const std::string& text, int32_t width, int32_t lineHeight,
                          const std::function<int32_t(const std::string&)>& wordWidth);
// The separators at which words end.
extern const char* const WrapSeparators;

struct TCaptionRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TCaptionRect&) const = default;
};

// The custom caption's rectangles, on the window rectangle moved to the
// origin (width w, height h), with the frame metrics and the caption height.
struct TCaptionGeometry {
    TCaptionRect Inner;
    TCaptionRect Caption;
    TCaptionRect ClientEdge;
};
TCaptionGeometry CaptionGeometry(int32_t w, int32_t h, int32_t cxFrame, int32_t cyFrame, int32_t captionHeight);

struct TCaptionColours {
    uint32_t Edge, Border, GradientStart;  // COLORREF values
};
TCaptionColours CaptionColours(bool active);

// One band of the gradient: the rectangle filled and its colour.
struct TGradientBand {
    TCaptionRect Rect;
    uint32_t Colour;
};
// Steps = caption height / 5; each darkens every channel by 0.96 (rounded)
// and narrows the rectangle by 2 at top and bottom. None below one step.
std::vector<TGradientBand> CaptionGradient(const TCaptionRect& caption, uint32_t start);

// Messages after which the auto-close count starts again.
bool IsUserActivityMessage(uint32_t message);

// The keep-in-front timer brings the guarded dialog back only when the
// window in front is another window of this process that existed when the
// timer started.
bool ShouldBringDialogToFront(bool topmostMode, uintptr_t foreground, uintptr_t dialog, bool foregroundIsOurs,
                              const std::vector<uintptr_t>& ownWindows);

// The origin of a box of `size` centred on the span [from, from + span).
int32_t CentredOrigin(int32_t from, int32_t span, int32_t size);

// The system cursor the dialogs show over a link: the arrow (32512) on
// Windows 95 and Windows NT 4, which have no hand, else the hand (32649).
int32_t LinkCursorId(bool nt, uint32_t major, uint32_t minor);
