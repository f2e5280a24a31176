#pragma once
// The exception classes of the Unicode layer.
#include "framework/Exceptions.h"

// Errors a caller can cause with valid calls ("Unable to create directory", "Invalid UTF7").
TQ_EXCEPTION_CLASS(EUvxGeneralError, Exception)
// Conditions only a fault in the layer can cause ("Buffer overflow", ...).
TQ_EXCEPTION_CLASS(EUvxInternalError, Exception)
// Declared for callers; the layer itself never raises it.
TQ_EXCEPTION_CLASS(EUvxUserError, Exception)
