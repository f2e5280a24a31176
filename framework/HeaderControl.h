#pragma once
// A header control: a row of sections whose widths the user drags. The
// widths live here too, so they can be read and set before the window exists.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/ControlNotify.h"
#include "framework/Controls.h"

class THeaderControl;
using TSectionNotifyEvent = std::function<void(THeaderControl* control, int section)>;

class THeaderControl : public TWinControl, public TNotifiedControl {
public:
    explicit THeaderControl(TComponent* owner);
    ~THeaderControl() override;
    std::string ClassName() const override { return "THeaderControl"; }

    int SectionCount() const { return static_cast<int>(FSections.size()); }
    void AddSection(const std::string& text, int width);
    std::string SectionText(int index) const { return At(index).Text; }
    void SetSectionText(int index, const std::string& text);
    int SectionWidth(int index) const { return At(index).Width; }
    void SetSectionWidth(int index, int width);
    // The height the control wants for its font.
    int PreferredHeight();

    // After the user changed the width of a section (not after SetSectionWidth).
    TSectionNotifyEvent OnSectionResize;

    bool Notified(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;

private:
    struct Section {
        std::string Text;
        int Width = 0;
    };
    const Section& At(int index) const { return FSections.at(static_cast<size_t>(index)); }
    void WriteItem(int index, bool insert);
    std::vector<Section> FSections;
    HFONT FFont = nullptr;
    bool FSetting = false;
};
