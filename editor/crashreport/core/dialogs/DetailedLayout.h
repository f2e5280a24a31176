#pragma once
// The geometry of the detailed error dialog, apart from the windows: the
// height of the check-box band, the compact size fitted to the message, the
// places of the controls for a client size, and which report page a tab
// shows. The dialog measures texts and applies the results.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/crashreport/support/options/OptionTypes.h"

struct TLayoutRect {
    int32_t Left = 0, Top = 0, Width = 0, Height = 0;
    bool operator==(const TLayoutRect&) const = default;
};

// Design sizes of the template, in pixels.
constexpr int32_t DetailedClientWidth = 466;
constexpr int32_t DetailedClientHeight = 252;
constexpr int32_t CompactMinimumWidth = 340;

// 0 when none of the four is shown; 34 when the send and screenshot boxes,
// or the copy box and the support link, share it; else 20.
int32_t CheckBandHeight(bool sendShown, bool screenshotShown, bool copyShown, bool linkShown);

// The compact dialog: its window size (without the band) and the message
// label's place.
struct TCompactSize {
    int32_t Width = 0;
    int32_t Height = 0;
    TLayoutRect Label;
};
// `message` is the message shown; `lineWidth` measures a line in the
// message font; the frame and caption sizes are the system's.
TCompactSize CompactDialogSize(const std::string& message, const std::string& sendText, const std::string& copyText,
                               const std::function<int32_t(const std::string&)>& lineWidth, int32_t lineHeight,
                               int32_t frameX, int32_t frameY, int32_t captionHeight);

// Everything the client-size layout needs besides the size.
struct TDetailedLayoutInput {
    int32_t ClientWidth = 0;
    int32_t ClientHeight = 0;
    int32_t BandHeight = 0;
    bool DetailedMode = false;
    int32_t ButtonWidth = 75;      // the widest button caption with "O" added, at least 75
    bool TerminateShown = false;
    bool CustomShown = false;
    bool DetailsShown = false;
    bool CopyShown = false;
    int32_t SupportTextWidth = 0;  // the support link's text in the link font
};

struct TDetailedLayout {
    TLayoutRect Tab;
    TLayoutRect PageArea;  // the part of the tab control left unpainted
    bool LabelPlaced = false;
    TLayoutRect Label;
    TLayoutRect Terminate, Custom, OK, Details;
    TLayoutRect SendCheck, CopyCheck, ScreenshotCheck;
    TLayoutRect SupportLink;
};
TDetailedLayout LayoutDetailedDialog(const TDetailedLayoutInput& in);

// The report pages, by page number.
enum TDetailedPage : int32_t { dpGeneral, dpCallStack, dpModules, dpProcesses, dpAssembler, dpCPU, dpCount };

// The page that a tab index shows, given the sections the report holds.
int32_t PageOfTab(int32_t tab, bool modulesShown, bool assemblerShown);
// The tab that shows a page; -1 when the page has no tab.
int32_t TabOfPage(int32_t page, bool modulesShown, bool assemblerShown);
// The page the dialog opens: the stored front tab, or General when its
// section is not in the report.
int32_t FrontPage(TForegroundType front, bool modulesShown, bool assemblerShown);

// The Details button's caption in each mode.
std::string DetailsCaption(const std::string& details, bool detailedMode);
