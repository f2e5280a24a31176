#include "framework/ControlNotify.h"

#include "framework/Controls.h"

bool ReflectToControl(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND from = nullptr;
    if (msg == WM_COMMAND) from = reinterpret_cast<HWND>(lParam);
    else if (msg == WM_NOTIFY && lParam) from = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
    else if (msg == WM_DRAWITEM && lParam) from = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
    else if (msg == WM_MEASUREITEM && lParam) {
        const auto* m = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        if (m->CtlType == ODT_MENU || m->CtlID == 0) return false;
        from = static_cast<HWND>(LongToHandle(static_cast<LONG>(m->CtlID)));
        if (!IsWindow(from)) return false;
    }
    if (!from) return false;
    auto* target = dynamic_cast<TNotifiedControl*>(TWinControl::FromHandle(from));
    return target && target->Notified(msg, wParam, lParam, result);
}

void UseHandleAsControlId(HWND control) {
    SetWindowLongPtrA(control, GWLP_ID, static_cast<LONG_PTR>(HandleToLong(control)));
}
