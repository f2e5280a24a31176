#pragma once
// A label that draws its caption itself: alignment, vertical layout, word
// wrap, an ellipsis where the text does not fit, the "&" accelerator that
// focuses another control, embossed grey text when disabled, and a size that
// follows the text (AutoSize).
#include <string>

#include "framework/CustomControl.h"
#include "framework/StdCtrls.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TEllipsisPosition { epNone, epPathEllipsis, epEndEllipsis, epWordEllipsis };

class TCustomLabel : public TCustomControl {
public:
    explicit TCustomLabel(TComponent* owner);
    std::string ClassName() const override { return "TCustomLabel"; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    TEllipsisPosition EllipsisPosition() const { return FEllipsisPosition; }
    void SetEllipsisPosition(TEllipsisPosition value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout value);
    // Takes the focus when the caption's accelerator is typed.
    TWinControl* FocusControl = nullptr;
    bool Transparent = false;

    // Draws (or with DT_CALCRECT measures) the text into rect on the canvas.
    virtual void DoDrawText(RECT& rect, UINT flags);
    // Sizes the label to its text while AutoSize is on.
    virtual void AdjustBounds();

protected:
    // The 8-bit text the label draws.
    virtual std::string GetLabelText() { return Caption(); }
    void Paint() override;
    void CreateHandleDone() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // An accelerator: true (result 1) when it took it.
    virtual bool CMDialogChar(WPARAM charCode);

private:
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    TEllipsisPosition FEllipsisPosition = epNone;
    bool FShowAccelChar = true;
    bool FWordWrap = false;
    TTextLayout FLayout = tlTop;
};

// True when charCode is the accelerator ("&" marker) of the 8-bit caption.
bool IsAccel(WPARAM charCode, const std::string& caption);
