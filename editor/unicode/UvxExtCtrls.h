#pragma once
// The framework's extended controls with wide hints, and the panel and
// control bar with wide captions: shapes, paint boxes, images (whose picture
// opens wide file names), bevels, panels, control bars and splitters.
#include <string>

#include "editor/unicode/UvxGraphics.h"
#include "editor/unicode/UvxWideControl.h"
#include "framework/Bevel.h"
#include "framework/CustomPanel.h"
#include "framework/ExtCtrls.h"
#include "framework/GraphicCtrls.h"
#include "framework/Image.h"
#include "framework/Shape.h"

// A control whose hint information gets the wide hint first (CM_HINTSHOW).
template <class Base>
class TUvxHintedControl : public TUvxWideControl<Base> {
public:
    using TUvxWideControl<Base>::TUvxWideControl;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

class TUvxShape : public TUvxHintedControl<TShape> {
public:
    explicit TUvxShape(TComponent* owner) : TUvxHintedControl<TShape>(owner) {}
    std::string ClassName() const override { return "TUvxShape"; }
};

class TUvxPaintBox : public TUvxHintedControl<TPaintBox> {
public:
    explicit TUvxPaintBox(TComponent* owner) : TUvxHintedControl<TPaintBox>(owner) {}
    std::string ClassName() const override { return "TUvxPaintBox"; }
};

class TUvxImage : public TUvxHintedControl<TImage> {
public:
    explicit TUvxImage(TComponent* owner);
    std::string ClassName() const override { return "TUvxImage"; }
    TUvxPicture* GetPicture() const { return static_cast<TUvxPicture*>(Picture()); }
};

class TUvxBevel : public TUvxHintedControl<TBevel> {
public:
    explicit TUvxBevel(TComponent* owner) : TUvxHintedControl<TBevel>(owner) {}
    std::string ClassName() const override { return "TUvxBevel"; }
};

class TUvxSplitter : public TUvxHintedControl<TSplitter> {
public:
    explicit TUvxSplitter(TComponent* owner) : TUvxHintedControl<TSplitter>(owner) {}
    std::string ClassName() const override { return "TUvxSplitter"; }
};

class TUvxCustomPanel : public TUvxHintedControl<TCustomPanel> {
public:
    explicit TUvxCustomPanel(TComponent* owner) : TUvxHintedControl<TCustomPanel>(owner) {}
    std::string ClassName() const override { return "TUvxCustomPanel"; }

protected:
    void CreateWindowHandle(const TCreateParams& params) override { CreateUnicodeHandle(this, params, u""); }
    void Paint() override;
};

class TUvxPanel : public TUvxCustomPanel {
public:
    explicit TUvxPanel(TComponent* owner) : TUvxCustomPanel(owner) {}
    std::string ClassName() const override { return "TUvxPanel"; }
};

class TUvxCustomControlBar : public TUvxHintedControl<TCustomControlBar> {
public:
    explicit TUvxCustomControlBar(TComponent* owner) : TUvxHintedControl<TCustomControlBar>(owner) {}
    std::string ClassName() const override { return "TUvxCustomControlBar"; }

protected:
    void CreateWindowHandle(const TCreateParams& params) override { CreateUnicodeHandle(this, params, u""); }
};

class TUvxControlBar : public TUvxCustomControlBar {
public:
    explicit TUvxControlBar(TComponent* owner) : TUvxCustomControlBar(owner) {}
    std::string ClassName() const override { return "TUvxControlBar"; }
};
