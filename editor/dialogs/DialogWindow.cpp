#include "editor/dialogs/DialogWindow.h"

#include "framework/Application.h"

DialogHost* DialogHostWindow = nullptr;

void FixedDialogParams(TCreateParams& params, int clientWidth, int clientHeight) {
    params.Style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
    params.ExStyle = WS_EX_DLGMODALFRAME;
    RECT r = {0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, params.Style, FALSE, params.ExStyle);
    params.Width = r.right - r.left;
    params.Height = r.bottom - r.top;
    params.X = (GetSystemMetrics(SM_CXSCREEN) - params.Width) / 2;
    params.Y = (GetSystemMetrics(SM_CYSCREEN) - params.Height) / 2;
    params.WndParent = nullptr;
}

bool HelpKey(WORD& key, int helpContext) {
    if (key != VK_F1) return false;
    key = 0;
    Application->HelpContext(helpContext);
    return true;
}

void DialogKeysOn(TWinControl* control, std::function<void()> close, const int& helpContext) {
    control->OnKeyDown = [close = std::move(close), &helpContext](TObject*, WORD& key, TShiftState) {
        if (key == VK_ESCAPE) {
            key = 0;
            close();
        } else {
            HelpKey(key, helpContext);
        }
    };
}
