#include "editor/unicode/UvxCodePage.h"

#include "framework/Filer.h"

namespace {
IUvxCodePages* gPages = nullptr;
// Layouts read 8-bit strings into wide properties through the system code page.
const bool kReaderUsesSystemCodePage = (ReaderAnsiToWide = &AnsiToWideSys, true);
}  // namespace

IUvxCodePages& UvxCodePages() { return gPages ? *gPages : SystemUvxCodePages(); }
void SetUvxCodePages(IUvxCodePages* pages) { gPages = pages; }

uint32_t DefaultSystemCodePage() { return UvxCodePages().SystemCodePage(); }

std::u16string AnsiToWideSys(const std::string& s) { return UvxCodePages().ToWide(s, DefaultSystemCodePage()); }

std::string WideToAnsiSys(const std::u16string& s) {
    return UvxCodePages().FromWide(s, DefaultSystemCodePage(), nullptr);
}
