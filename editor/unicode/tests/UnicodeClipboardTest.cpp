#include <gtest/gtest.h>

#include <windows.h>

#include "editor/unicode/UvxClipBrd.h"
#include "framework/Exceptions.h"
#include "framework/WinText.h"

namespace {
// The clipboard as another program sees it.
std::string RawText() {
    if (!OpenClipboard(nullptr)) return "(closed)";
    std::string s;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        s = static_cast<const char*>(GlobalLock(h));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return s;
}

std::u16string RawWideText(bool* present = nullptr) {
    if (!OpenClipboard(nullptr)) return u"(closed)";
    std::u16string s;
    HANDLE h = GetClipboardData(CF_UNICODETEXT);
    if (present) *present = h != nullptr;
    if (h) {
        s = U16(static_cast<const wchar_t*>(GlobalLock(h)));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return s;
}

// Puts the given formats on, as another program would.
void PutRaw(const char* ansi, const wchar_t* wide) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    auto put = [](UINT format, const void* data, size_t size) {
        HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, size);
        memcpy(GlobalLock(mem), data, size);
        GlobalUnlock(mem);
        SetClipboardData(format, mem);
    };
    if (ansi) put(CF_TEXT, ansi, strlen(ansi) + 1);
    if (wide) put(CF_UNICODETEXT, wide, (wcslen(wide) + 1) * 2);
    CloseClipboard();
}
}  // namespace

TEST(UnicodeClipboard, WideTextGoesOnInBothFormsAndComesBackWhole) {
    UvxClipboard()->SetAsWideText(u"\u4E2D \u0396\u03AE\u03C4\u03B1 caf\u00E9");
    EXPECT_EQ(RawWideText(), u"\u4E2D \u0396\u03AE\u03C4\u03B1 caf\u00E9") << "intact as CF_UNICODETEXT";
    EXPECT_EQ(RawText(), "? ??ta caf\xE9") << "the 8-bit twin has the code page's replacements";
    EXPECT_EQ(UvxClipboard()->GetAsWideText(), u"\u4E2D \u0396\u03AE\u03C4\u03B1 caf\u00E9");
    EXPECT_EQ(UvxClipboard(), UvxClipboard()) << "one shared instance";
}

TEST(UnicodeClipboard, ReadingFallsBackToTheEightBitText) {
    PutRaw("caf\xE9 only 8-bit", nullptr);
    bool present = true;
    RawWideText(&present);
    if (present) GTEST_SKIP() << "this system synthesises CF_UNICODETEXT from CF_TEXT";
    EXPECT_EQ(UvxClipboard()->GetAsWideText(), u"caf\u00E9 only 8-bit");
}

TEST(UnicodeClipboard, EmptyWideTextBesideEightBitTextReadsTheEightBitText) {
    PutRaw("r\xE9sum\xE9", L"");
    EXPECT_EQ(UvxClipboard()->GetAsWideText(), u"r\u00E9sum\u00E9");
    PutRaw(nullptr, nullptr);
    EXPECT_EQ(UvxClipboard()->GetAsWideText(), u"") << "no text at all reads as empty";
}

TEST(UnicodeClipboard, AClipboardHeldByAnotherWindowCannotBeOpened) {
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(other));
    try {
        UvxClipboard()->SetAsWideText(u"x");
        ADD_FAILURE() << "nothing raised";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Cannot open clipboard");
    }
    CloseClipboard();
    DestroyWindow(other);
    UvxClipboard()->SetAsWideText(u"\u0416");
    EXPECT_EQ(UvxClipboard()->GetAsWideText(), u"\u0416") << "usable again";
}
