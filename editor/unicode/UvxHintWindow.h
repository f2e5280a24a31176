#pragma once
// Hint windows that show wide hints: the hint information that a control of
// the layer fills in (ProcessCMHintShowMsg) carries a mark by which the hint
// window knows to take the control's wide short hint instead of the 8-bit one.
#include <string>

#include "framework/HintWindow.h"

class TUvxCustomHintWindow : public THintWindow {
public:
    explicit TUvxCustomHintWindow(TComponent* owner) : THintWindow(owner) {}
    std::string ClassName() const override { return "TUvxCustomHintWindow"; }
    static const THintWindowClassInfo ClassInfo;
    THintWindowClass HintClass() const override { return &ClassInfo; }
    std::u16string GetCaption();
    void SetCaption(const std::u16string& value);
    using THintWindow::SetCaption;
    void ActivateHint(RECT rect, const std::string& hint) override;
    void ActivateHintData(RECT rect, const std::string& hint, void* data) override;
    RECT CalcHintRect(int maxWidth, const std::string& hint, void* data) override;

protected:
    void CreateWindowHandle(const TCreateParams& params) override;
    void Paint() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // The wide text measured as the hint window measures it.
    RECT CalcWideHintRect(int maxWidth, const std::u16string& hint);
    bool FActivating = false;
    bool FBlockPaint = false;
};

class TUvxHintWindow : public TUvxCustomHintWindow {
public:
    explicit TUvxHintWindow(TComponent* owner) : TUvxCustomHintWindow(owner) {}
    std::string ClassName() const override { return "TUvxHintWindow"; }
    static const THintWindowClassInfo ClassInfo;
    THintWindowClass HintClass() const override { return &ClassInfo; }
    using TUvxCustomHintWindow::ActivateHint;
    using TUvxCustomHintWindow::ActivateHintData;
    using TUvxCustomHintWindow::CalcHintRect;
    void ActivateHint(RECT rect, const std::u16string& hint);
    void ActivateHintData(RECT rect, const std::u16string& hint, void* data);
    RECT CalcHintRect(int maxWidth, const std::u16string& hint, void* data);
};

// For CM_HINTSHOW (lParam a THintInfo) of a control of the layer: a plain
// hint window becomes a wide one, and the information carries the wide hint.
void ProcessCMHintShowMsg(LPARAM hintInfo);
