#pragma once
// The character set of a text file, told by its byte-order mark.
class TStream;

enum TextCharSet { tcsAnsi = 0, tcsUtf16LE = 1, tcsUtf16BE = 2, tcsUtf8 = 3 };

// Reads from the stream's position: after a mark the stream stands behind it;
// without one (tcsAnsi) it stands where it started.
TextCharSet AutoDetectCharacterSet(TStream& stream);
