#pragma once
// A status bar of panels, each with its width, alignment and text; a
// right-click shows the bar's pop-up menu.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/StdCtrls.h"

class TPopupMenu;

class TStatusBar : public TWinControl {
public:
    explicit TStatusBar(TComponent* owner);
    ~TStatusBar() override;
    std::string ClassName() const override { return "TStatusBar"; }

    int PanelCount() const { return static_cast<int>(FPanels.size()); }
    void AddPanel(int width, TAlignment alignment);
    std::string PanelText(int index) const { return FPanels.at(static_cast<size_t>(index)).Text; }
    void SetPanelText(int index, const std::string& text);
    int PanelWidth(int index) const { return FPanels.at(static_cast<size_t>(index)).Width; }
    void SetPanelWidth(int index, int width);
    // The width of a text in the panels' font, in pixels.
    int TextWidth(const std::string& text);
    // The font of the panels' texts.
    void SetFont(const std::string& name, int height);
    // Shown on a right-click (not owned).
    TPopupMenu* PopupMenu = nullptr;
    // Places the bar along the bottom of its parent; returns its height.
    int AlignToParent();

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    struct Panel {
        std::string Text;
        int Width = 50;
        TAlignment Alignment = taLeftJustify;
    };
    void WriteParts();
    void WriteText(int index);
    std::vector<Panel> FPanels;
    HFONT FFont = nullptr;
};
