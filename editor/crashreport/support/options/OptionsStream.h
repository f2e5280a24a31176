#pragma once
// The binary form of a module's crash-report options. It has no header and
// no version of its own: the reader goes by LastZorvikVersion, which its
// caller sets to the version of whoever wrote the stream, and converts older
// layouts; the writer always writes the current one.
#include <cstdint>

#include "editor/crashreport/support/texts/CommonStrings.h"

// The version of the options data that the next LoadFromStream interprets.
extern uint16_t LastZorvikVersion;

// Option texts are stored with each byte XORed with this value. It keeps
// the layout of the data the build step writes; it protects nothing.
constexpr uint8_t OptionsTextKey = 0x5A;

// The show options of an older layout moved to their current places: the
// set's 48 bits as a text of "0"/"1" characters (bit 0 first), each run of
// "1" inserted at its 1-based position in turn, the first 48 kept.
uint64_t ConvertOldShowOptions(uint64_t oldBits, uint16_t version);
