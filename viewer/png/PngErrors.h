#pragma once
// The errors a PNG picture raises, each its own class with a fixed message.
#include <string>

#include "framework/Exceptions.h"

#define TQ_PNG_ERROR(Name, Text)                                          \
    class Name : public Exception {                                       \
    public:                                                               \
        Name() : Exception(Text) {}                                       \
        explicit Name(std::string message) : Exception(std::move(message)) {} \
        std::string ClassName() const override { return #Name; }         \
    };

TQ_PNG_ERROR(EPngInvalidCRC,
             R"(This "Portable Network Graphics" image is not valid because it contains invalid pieces of data (crc error))")
TQ_PNG_ERROR(EPngInvalidIHDR,
             R"(The "Portable Network Graphics" image could not be loaded because one of its main piece of data (ihdr) might be corrupted)")
TQ_PNG_ERROR(EPNGMissingMultipleIDAT,
             R"(This "Portable Network Graphics" image is invalid because it has missing image parts.)")
TQ_PNG_ERROR(EPNGZLIBError, "Could not decompress the image because it contains invalid compressed data.")
TQ_PNG_ERROR(EPNGInvalidPalette, R"(The "Portable Network Graphics" image contains an invalid palette.)")
TQ_PNG_ERROR(EPNGInvalidFileHeader,
             R"(The file being readed is not a valid "Portable Network Graphics" image because it contains an invalid header. This file may be corruped, try obtaining it again.)")
TQ_PNG_ERROR(EPNGIHDRNotFirst,
             "This \"Portable Network Graphics\" image is not supported or it might be invalid.\r\n(IHDR chunk is not the first)")
TQ_PNG_ERROR(EPNGSizeExceeds,
             R"(This "Portable Network Graphics" image is not supported because either it's width or height exceeds the maximum size, which is 65535 pixels length.)")
TQ_PNG_ERROR(EPngError, "There is no such palette entry.")
TQ_PNG_ERROR(EPNGUnknownCriticalChunk,
             R"(This "Portable Network Graphics" image contains an unknown critical part which could not be decoded.)")
TQ_PNG_ERROR(EPNGUnknownCompression,
             R"(This "Portable Network Graphics" image is encoded with an unknown compression scheme which could not be decoded.)")
TQ_PNG_ERROR(EPNGUnknownInterlace,
             R"(This "Portable Network Graphics" image uses an unknown interlace scheme which could not be decoded.)")
TQ_PNG_ERROR(EPngUnexpectedEnd,
             R"(This "Portable Network Graphics" image is invalid because the decoder found an unexpected end of the file.)")
TQ_PNG_ERROR(EPNGNoImageData, R"(This "Portable Network Graphics" image contains no data.)")
TQ_PNG_ERROR(EPNGHeaderNotPresent, "This operation is not valid because the current image contains no valid header.")
TQ_PNG_ERROR(EPNGInvalidNewSize, "The new size provided for image resizing is invalid.")
TQ_PNG_ERROR(EPNGOutMemory,
             "Some operation could not be performed because the system is out of resources. Close some windows and try again.")
// Kept for callers that name it; the decoder raises the more precise classes.
TQ_PNG_ERROR(EPNGInvalidSpec, R"(The "Portable Network Graphics" image is not valid.)")

#undef TQ_PNG_ERROR

// The message of EPngError when two chunks of different classes are copied.
inline const char* PngIncompatibleChunksMessage() { return "The chunks must be compatible to be assigned."; }

// EPNGZLIBError with zlib's own words for what went wrong.
inline EPNGZLIBError PngZlibError(const std::string& description) {
    return EPNGZLIBError(std::string(EPNGZLIBError().Message) + "\r\n Description: " + description);
}
