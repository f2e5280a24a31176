#include "editor/unicode/UvxCodePage.h"

namespace {
IUvxCodePages* gPages = nullptr;
}

IUvxCodePages& UvxCodePages() { return gPages ? *gPages : SystemUvxCodePages(); }
void SetUvxCodePages(IUvxCodePages* pages) { gPages = pages; }

uint32_t DefaultSystemCodePage() { return UvxCodePages().SystemCodePage(); }

std::u16string AnsiToWideSys(const std::string& s) { return UvxCodePages().ToWide(s, DefaultSystemCodePage()); }

std::string WideToAnsiSys(const std::u16string& s) {
    return UvxCodePages().FromWide(s, DefaultSystemCodePage(), nullptr);
}
