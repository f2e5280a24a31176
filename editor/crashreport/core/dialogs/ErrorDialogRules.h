#pragma once
// The decisions of the error dialogs that depend on the options and the
// user's input only: what the classic dialog shows, the user's e-mail, and
// whether the request and send-progress dialogs appear.
#include <cstdint>
#include <functional>
#include <string>

#include "editor/crashreport/core/dialogs/ClassicDialogLayout.h"

class TZorvikModuleOptions;
struct TDialogFlags;

// A send mode is configured (e-mail or web).
bool SendModeSet(const TZorvikModuleOptions& o);
// The classic dialog offers to send: a send mode, no duplicate, and the option.
bool ClassicSendOptionShown(const TZorvikModuleOptions& o, bool duplicate);
// The restart (or terminate) check box: from the error after the option's number on.
bool ShowTerminateCheck(const TZorvikModuleOptions& o, int32_t errorsCount);

// Everything the classic layout needs from the options and the state, with
// the system's metrics still to be filled in.
TClassicLayoutInput ClassicLayoutInput(const TZorvikModuleOptions& o, const std::string& message,
                                       int32_t errorsCount, bool sendOptionShown, bool sendCheck);

enum TEmailCheck { ecEmpty, ecValid, ecInvalid };
// Trimmed; valid when it holds both "@" and ".".
TEmailCheck CheckUserEmail(const std::string& email);
// The report with the value of its user e-mail line (item 3.3) replaced;
// unchanged when the report has no such line.
std::string ReplaceUserEmailLine(const std::string& report, const std::string& email);

// The request dialog asks how to reproduce the error.
bool ShouldAskReproduceText(const TZorvikModuleOptions& o, const TDialogFlags& flags, bool guiProgram);
// The send-progress dialog appears.
bool ShouldShowSendDialog(const TZorvikModuleOptions& o, const TDialogFlags& flags, bool guiProgram);

// The send dialog's starter waits until the dialog has the focus; it stops
// waiting when the dialog's thread has ended (waitForEnd waits up to the
// given milliseconds and tells whether it ended) or after limitMs, so that
// a dialog that cannot be shown never holds the sender up. True when the
// dialog is ready.
bool WaitForSendDialog(const std::function<bool()>& focused, const std::function<bool(uint32_t)>& waitForEnd,
                       const std::function<uint32_t()>& tickCount, uint32_t limitMs);
