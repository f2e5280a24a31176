#pragma once
// What the core is about to do or has done with a report: the value the
// action and error events carry to handlers in the program and in other
// modules.
#include <cstdint>

enum TZorvikActionType : uint8_t {
    atShowingExceptionInfo,
    atShowedExceptionInfo,
    atSavingLogFile,
    atSavedLogFile,
    atSendingEmail,
    atSentEmail,
    atSendingWebMessage,
    atSentWebMessage,
    atTerminating
};
