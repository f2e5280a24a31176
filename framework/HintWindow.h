#pragma once
// Hints: when the mouse rests on a control, the control is asked
// (CM_HINTSHOW) with a hint information record it may change, and a hint
// window of the record's class shows the text below the cursor.
#include <string>

#include "framework/CustomControl.h"

class THintWindow;

// A class of hint window: its name, its parent class, and how to make one.
struct THintWindowClassInfo {
    const char* Name;
    const THintWindowClassInfo* Parent;
    THintWindow* (*Create)(TComponent* owner);
    bool InheritsFrom(const THintWindowClassInfo* other) const;
};
using THintWindowClass = const THintWindowClassInfo*;

// What CM_HINTSHOW (lParam) hands a control; it may change any of it.
struct THintInfo {
    TWinControl* HintControl = nullptr;
    THintWindowClass HintWindowClass = nullptr;
    POINT HintPos{};   // screen position of the hint window
    int HintMaxWidth = 0;
    TColor HintColor = 0;
    RECT CursorRect{};
    POINT CursorPos{};  // in the control's client coordinates
    std::string HintStr;
    void* HintData = nullptr;
};

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* owner);
    std::string ClassName() const override { return "THintWindow"; }
    static const THintWindowClassInfo ClassInfo;
    virtual THintWindowClass HintClass() const { return &ClassInfo; }
    // Places the window on rect (screen) with the text and shows it.
    virtual void ActivateHint(RECT rect, const std::string& hint);
    virtual void ActivateHintData(RECT rect, const std::string& hint, void* data);
    // The window rectangle the text needs, at most maxWidth wide.
    virtual RECT CalcHintRect(int maxWidth, const std::string& hint, void* data);
    void ReleaseHandle() { DestroyHandle(); }

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// The class of the hint windows the application makes; THintWindow unless set.
extern THintWindowClass HintWindowClass;
// Shows the hint of the control under the cursor (screen position), as the
// application does when the mouse rests; returns the hint window, or null.
THintWindow* ActivateHintAt(POINT cursorPos);
// Hides the hint window that shows, if any.
void CancelHintWindow();
// The hint window that shows, or null.
THintWindow* CurrentHintWindow();
