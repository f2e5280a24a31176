#pragma once
// The sending as a stage of the processing: the processing's Send step
// builds the send context from the exception being processed (its report,
// options and facts, the core's events, warnings, send dialog and lock) and
// starts the send.
#include <memory>

#include "editor/crashreport/core/sending/SendContext.h"

struct TProcessingState;

// Puts the send into the processing's steps.
void InstallSendingStage();
// The context of one send for the exception being processed.
std::unique_ptr<TSendContext> SendContextFor(const TProcessingState& state);
