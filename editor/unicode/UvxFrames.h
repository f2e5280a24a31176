#pragma once
// Scroll boxes and frames as Unicode windows with wide hints.
#include <string>

#include "editor/unicode/UvxWideControl.h"
#include "framework/ScrollBox.h"

class TUvxScrollBox : public TUvxWideControl<TScrollBox> {
public:
    explicit TUvxScrollBox(TComponent* owner) : TUvxWideControl<TScrollBox>(owner) {}
    std::string ClassName() const override { return "TUvxScrollBox"; }

protected:
    void CreateWindowHandle(const TCreateParams& params) override { CreateUnicodeHandle(this, params, u""); }
    // Sizes that set off further sizes stop being handled 32 levels deep.
    LRESULT WMSize(WPARAM wParam, LPARAM lParam) override;

private:
    int FSizeDepth = 0;
};

class TUvxCustomFrame : public TUvxWideControl<TCustomFrame> {
public:
    explicit TUvxCustomFrame(TComponent* owner) : TUvxWideControl<TCustomFrame>(owner) {}
    std::string ClassName() const override { return "TUvxCustomFrame"; }

protected:
    void CreateWindowHandle(const TCreateParams& params) override { CreateUnicodeHandle(this, params, u""); }
};

class TUvxFrame : public TUvxCustomFrame {
public:
    explicit TUvxFrame(TComponent* owner) : TUvxCustomFrame(owner) {}
    std::string ClassName() const override { return "TUvxFrame"; }
};
