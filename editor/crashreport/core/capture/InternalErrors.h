#pragma once
// The core's own failures: the last internal error and the warnings that
// keep it, and the internal error reporter that the support services call
// when a guarded step of the component fails (it writes the internal error
// log when the program runs under a debugger).
#include <cstdint>
#include <functional>
#include <string>

#include "editor/crashreport/core/capture/CoreServiceTexts.h"

// Keeps the code and message as the last internal error and writes the
// warning line to the debugger output; a failed send is shown in a box
// while the send-progress dialog is open and ShowInternalSendErrors is set.
void ZorvikLogWarning(TZorvikLogErrorCode code, const std::string& message);
// The warning of a failing step, called inside its catch: "[section]
// message" for an exception of the framework, else "General 'section' error.".
void ZorvikLogStepWarning(TZorvikLogErrorCode code, const std::string& section);
TZorvikLogErrorCode GetLastZorvikLogErrorCode();
std::string GetLastZorvikLogErrorMsg();
void ClearLastZorvikLogError();
// Keeps the code and message as the last internal error, nothing more.
void SetLastZorvikLogError(TZorvikLogErrorCode code, const std::string& message);

// Whether internal send errors are shown (initially on).
extern volatile bool ShowInternalSendErrors;
// Set by the sending stage: the send-progress dialog is open.
extern std::function<bool()> SendProgressDialogOpen;

// Makes the core's reporter the support services' internal-error procedure.
void InstallInternalErrorReporter();

// The local time now in RFC-822 form with the zone's exact offset.
std::string CurrentRfc822Date();
// The program's (or a module's) file name without a "\??\" prefix, in its
// long form.
std::string ZorvikModuleFileName(uintptr_t module);
