#pragma once
// Common controls report to their parent window (WM_COMMAND, WM_NOTIFY,
// WM_DRAWITEM); the framework's container windows hand each report back to
// the control's own object, so a control's events live with the control.
#include <windows.h>

class TNotifiedControl {
public:
    virtual ~TNotifiedControl() = default;
    // A report about this control; true when handled, with the result.
    virtual bool Notified(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
};

// For a container's WndProc: true when msg was a report for a framework
// control that handled it. WM_MEASUREITEM names its control only by the
// control identifier, which a control that wants the question sets to its
// window handle (UseHandleAsControlId).
bool ReflectToControl(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
void UseHandleAsControlId(HWND control);
