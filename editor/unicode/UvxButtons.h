#pragma once
// Push buttons, check boxes, radio buttons, scroll bars and group boxes as
// Unicode windows with wide captions and hints; accelerators answered by the
// wide caption; the group box paints its frame and wide caption itself.
#include <string>

#include "editor/unicode/UvxWideControl.h"
#include "framework/ButtonCtrls.h"
#include "framework/GroupBox.h"
#include "framework/ScrollBar.h"
#include "framework/StdCtrls.h"

// A push button's accelerator: clicks it; true (result 1) when it did.
bool UvxButton_CMDialogChar(TButton* button, WPARAM charCode);

class TUvxButton : public TUvxWideControl<TButton> {
public:
    explicit TUvxButton(TComponent* owner) : TUvxWideControl<TButton>(owner) {}
    std::string ClassName() const override { return "TUvxButton"; }

protected:
    void CreateWindowHandle(const TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

class TUvxCustomCheckBox : public TUvxWideControl<TCustomCheckBox> {
public:
    explicit TUvxCustomCheckBox(TComponent* owner) : TUvxWideControl<TCustomCheckBox>(owner) {}
    std::string ClassName() const override { return "TUvxCustomCheckBox"; }

protected:
    void CreateWindowHandle(const TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

class TUvxCheckBox : public TUvxCustomCheckBox {
public:
    explicit TUvxCheckBox(TComponent* owner) : TUvxCustomCheckBox(owner) {}
    std::string ClassName() const override { return "TUvxCheckBox"; }
};

class TUvxRadioButton : public TUvxWideControl<TRadioButton> {
public:
    explicit TUvxRadioButton(TComponent* owner) : TUvxWideControl<TRadioButton>(owner) {}
    std::string ClassName() const override { return "TUvxRadioButton"; }

protected:
    void CreateWindowHandle(const TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

class TUvxScrollBar : public TUvxWideControl<TScrollBar> {
public:
    explicit TUvxScrollBar(TComponent* owner) : TUvxWideControl<TScrollBar>(owner) {}
    std::string ClassName() const override { return "TUvxScrollBar"; }

protected:
    void CreateWindowHandle(const TCreateParams& params) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

class TUvxCustomGroupBox : public TUvxWideControl<TCustomGroupBox> {
public:
    explicit TUvxCustomGroupBox(TComponent* owner) : TUvxWideControl<TCustomGroupBox>(owner) {}
    std::string ClassName() const override { return "TUvxCustomGroupBox"; }

protected:
    void CreateWindowHandle(const TCreateParams& params) override;
    void Paint() override;
    bool CMDialogChar(WPARAM charCode) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void PaintThemed(HDC dc, const std::u16string& caption);
};

class TUvxGroupBox : public TUvxCustomGroupBox {
public:
    explicit TUvxGroupBox(TComponent* owner) : TUvxCustomGroupBox(owner) {}
    std::string ClassName() const override { return "TUvxGroupBox"; }
};
