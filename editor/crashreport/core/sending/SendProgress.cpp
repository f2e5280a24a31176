#include "editor/crashreport/core/sending/SendProgress.h"

#include <windows.h>
#include <commctrl.h>

#include "editor/crashreport/support/texts/MessageTypes.h"

namespace {

HWND DialogOf(const TSendContext& ctx) {
    return reinterpret_cast<HWND>(ctx.DialogWindow());
}

}  // namespace

void ProcessSendMessages(const TSendContext& ctx) {
    if (!ctx.InlineProcessing)
        return;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void SetSendStatus(TSendContext& ctx, const std::string& text, bool withRecipient) {
    HWND dialog = DialogOf(ctx);
    if (dialog == nullptr)
        return;
    std::string line = text;
    if (withRecipient)
        line = ctx.Text(mtSendDialog_Message) + " " + std::to_string(ctx.RecipientNumber) + "/" +
               std::to_string(ctx.RecipientCount) + ": " + text;
    ProcessSendMessages(ctx);
    SetDlgItemTextA(dialog, SendDialogTextId, line.c_str());
    ProcessSendMessages(ctx);
}

void SetSendPosition(TSendContext& ctx, int32_t position) {
    HWND dialog = DialogOf(ctx);
    if (dialog == nullptr || position < ctx.ProgressPosition)
        return;
    ctx.ProgressPosition = position;
    ProcessSendMessages(ctx);
    SendDlgItemMessageA(dialog, SendDialogBarId, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    ProcessSendMessages(ctx);
}

void CloseSendDialog(TSendContext& ctx) {
    HWND dialog = DialogOf(ctx);
    if (dialog == nullptr)
        return;
    SendMessageA(dialog, SendDialogCloseMessage, 0, 0);
    ProcessSendMessages(ctx);
}

void DestroySendDialog(TSendContext& ctx) {
    HWND dialog = DialogOf(ctx);
    if (dialog != nullptr && ctx.InlineProcessing)
        DestroyWindow(dialog);
}
