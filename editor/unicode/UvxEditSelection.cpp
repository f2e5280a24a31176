#include "editor/unicode/UvxEditSelection.h"

#include <algorithm>

#include "editor/unicode/UvxCodePage.h"

namespace {
size_t Clamp(int value, size_t size) { return static_cast<size_t>(std::clamp<int64_t>(value, 0, static_cast<int64_t>(size))); }
}  // namespace

int WideSelStartFromAnsi(const std::string& ansiText, int byteStart) {
    return static_cast<int>(AnsiToWideSys(ansiText.substr(0, Clamp(byteStart, ansiText.size()))).size());
}

int AnsiSelStartFromWide(const std::u16string& wideText, int wideStart) {
    return static_cast<int>(WideToAnsiSys(wideText.substr(0, Clamp(wideStart, wideText.size()))).size());
}

int AnsiSelLengthFromWide(const std::u16string& wideText, int wideStart, int wideLength) {
    size_t start = Clamp(wideStart, wideText.size());
    return static_cast<int>(WideToAnsiSys(wideText.substr(start, Clamp(wideLength, wideText.size() - start))).size());
}
