#pragma once
// The colours dialog: six swatches for the byte view's colours, each opening
// the system's colour dialog; two buttons that load a whole set; and a test
// that shows the swatches in the main window, at once with Automatic test.
#include <array>
#include <functional>

#include "editor/unicode/UvxForms.h"
#include "framework/Graphic.h"

class TButton;
class TCheckBox;
class TColorDialog;
class TLabel;
class TShape;

// The six colours in swatch order: background, selection background,
// selected text, text colour 1, text colour 2, extra cursors.
using TSwatchColors = std::array<TColor, 6>;

class TPrefForm : public TUvxForm {
public:
    explicit TPrefForm(TComponent* owner);
    ~TPrefForm() override;
    std::string ClassName() const override { return "TPrefForm"; }

    void ShapeMouseDown(int swatch);
    void TestButtonClick(TObject* sender);
    void AutoTestClick(TObject* sender);
    void Button1Click(TObject* sender);
    void Button2Click(TObject* sender);
    TSwatchColors Swatches() const;
    void SetSwatches(const TSwatchColors& colors);

    // The main window's six colours, and its redraw after they changed.
    std::function<TSwatchColors()> GetTarget;
    std::function<void(const TSwatchColors&)> SetTarget;

    std::array<TShape*, 6> Shapes{};
    std::array<TLabel*, 6> Labels{};
    TColorDialog* ColorDialog = nullptr;
    TButton* OkButton = nullptr;
    TButton* CancelButton = nullptr;
    TButton* TestButton = nullptr;
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;
    TCheckBox* AutoTest = nullptr;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    void AutomaticTest();
};

extern TPrefForm* PrefForm;
