#pragma once
// A speed button: a push button that never takes the focus, showing a small
// picture (its glyph, a bitmap resource of the program) beside its caption.
// The glyph's bottom-left pixel gives the colour that shows through; a
// disabled button shows its glyph and caption greyed out.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/Controls.h"

class TSpeedButton : public TWinControl {
public:
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;
    std::string ClassName() const override { return "TSpeedButton"; }
    // The bitmap resource of that name in the program; false when there is none.
    bool LoadGlyph(const std::string& resourceName);
    bool HasGlyph() const { return Glyph_ != nullptr; }
    // As a click by the user: runs OnClick when the button is enabled.
    void DoClick();

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Click() override {}  // clicks come from the button's own mouse handling

private:
    void Paint();
    HIMAGELIST Glyph_ = nullptr;
    int GlyphWidth_ = 0, GlyphHeight_ = 0;
    bool Down_ = false;  // the left button went down on it and is held
    bool Inside_ = false;
};
