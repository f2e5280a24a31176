#pragma once
// The small vocabulary the sending roads share with the rest of the core:
// the internal error codes a road reports with, and the actions the action
// and error events name.
#include <cstdint>
#include <string>

#include "editor/crashreport/core/capture/CoreServiceTexts.h"

// The code's identifier as written in source ("eeEmailSMTPError").
std::string ZorvikLogErrorCodeName(TZorvikLogErrorCode code);

enum TZorvikActionType : uint8_t {
    atShowingExceptionInfo,
    atShowedExceptionInfo,
    atSavingLogFile,
    atSavedLogFile,
    atSendingEmail,
    atSentEmail,
    atSendingWebMessage,
    atSentWebMessage,
    atTerminating,
};
