#pragma once
// The senders' side of the send-progress dialog: the status line (control
// 100), the bar (control 101, forward only) and the close message. All do
// nothing while no dialog exists. When the processing runs inline the
// sender's thread pumps its messages around every update.
#include <cstdint>
#include <string>

#include "editor/crashreport/core/sending/SendContext.h"

// The dialog's controls and its close message.
constexpr int SendDialogTextId = 100;
constexpr int SendDialogBarId = 101;
constexpr unsigned SendDialogCloseMessage = 2258;  // WM_USER + 1234

// The status line: with the prefix "<mtSendDialog_Message> n/count: ".
void SetSendStatus(TSendContext& ctx, const std::string& text, bool withRecipient);
// The bar, when position is not below the highest reached.
void SetSendPosition(TSendContext& ctx, int32_t position);
// Asks the dialog to end.
void CloseSendDialog(TSendContext& ctx);
// Ends a dialog of the sender's own thread (inline processing).
void DestroySendDialog(TSendContext& ctx);
// Inline processing: every pending message of the thread dispatched, WM_QUIT
// taken and dropped.
void ProcessSendMessages(const TSendContext& ctx);
