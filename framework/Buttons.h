#pragma once
// A speed button: a push button that never takes the focus, showing a small
// picture (its glyph, a bitmap resource of the program) beside its caption.
// The glyph's bottom-left pixel gives the colour that shows through; a
// disabled button shows its glyph and caption greyed out.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/ActnList.h"
#include "framework/ButtonCtrls.h"
#include "framework/Controls.h"
#include "framework/StdCtrls.h"

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
    // The picture an action may give it (-1: none); the glyph stays as loaded.
    int ImageIndex = -1;

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Click() override {}  // clicks come from the button's own mouse handling
    TActionLinkClass GetActionLinkClass() override;

private:
    void Paint();
    HIMAGELIST Glyph_ = nullptr;
    int GlyphWidth_ = 0, GlyphHeight_ = 0;
    bool Down_ = false;  // the left button went down on it and is held
    bool Inside_ = false;
};

// A push button with a picture: the ImageIndex-th of an image list.
class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* owner) : TButton(owner) {}
    std::string ClassName() const override { return "TBitBtn"; }
    int ImageIndex = -1;

protected:
    TActionLinkClass GetActionLinkClass() override;
};

// The links of these buttons: an action's image index becomes the button's.
class TSpeedButtonActionLink : public TControlActionLink {
public:
    using TControlActionLink::TControlActionLink;
    std::string ClassName() const override { return "TSpeedButtonActionLink"; }
    static TBasicActionLink* Make(TObject* client) { return new TSpeedButtonActionLink(client); }
    void SetImageIndex(int value) override;
};

class TBitBtnActionLink : public TButtonActionLink {
public:
    using TButtonActionLink::TButtonActionLink;
    std::string ClassName() const override { return "TBitBtnActionLink"; }
    static TBasicActionLink* Make(TObject* client) { return new TBitBtnActionLink(client); }
    void SetImageIndex(int value) override;
};
