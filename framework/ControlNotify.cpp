#include "framework/ControlNotify.h"

#include "framework/Controls.h"

bool ReflectToControl(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND from = nullptr;
    if (msg == WM_COMMAND) from = reinterpret_cast<HWND>(lParam);
    else if (msg == WM_NOTIFY && lParam) from = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
    else if (msg == WM_DRAWITEM && lParam) from = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
    if (!from) return false;
    auto* target = dynamic_cast<TNotifiedControl*>(TWinControl::FromHandle(from));
    return target && target->Notified(msg, wParam, lParam, result);
}
