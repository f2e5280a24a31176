#include <gtest/gtest.h>

#include <cstdlib>

#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxStreams.h"
#include "editor/unicode/UvxStringLists.h"
#include "editor/unicode/UvxSyncedStrings.h"
#include "editor/unicode/tests/EightBitPlatform.h"
#include "editor/unicode/tests/TempFolder.h"
#include "framework/Exceptions.h"
#include "framework/Filer.h"
#include "framework/TypeInfo.h"
#include "framework/WinText.h"

namespace {
std::u16string Fixture(const char* leaf) {
    const char* dir = std::getenv("TQ_SOURCE_DIR");
    return AnsiToWideSys(std::string(dir ? dir : "../..") + "/editor/unicode/tests/data/" + leaf);
}

std::string ReadBytes(const std::u16string& name) {
    TUvxFileStream f(name, fmOpenRead);
    std::string bytes(static_cast<size_t>(f.Size()), '\0');
    f.ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    return bytes;
}
}  // namespace

TEST(WideTextFiles, FourEncodingsLoadAndSaveAsUtf16WithItsMark) {
    const std::u16string full = u"caf\u00E9 \u20AC\r\n\u0416\u4E2D\r\n";
    struct Case {
        const char* leaf;
        TextCharSet set;
        std::u16string text;
    } cases[] = {
        {"lines-utf16le.txt", tcsUtf16LE, full},
        {"lines-utf16be.txt", tcsUtf16BE, full},
        {"lines-utf8.txt", tcsUtf8, full},
        {"lines-ansi.txt", tcsAnsi, u"caf\u00E9 \u20AC\r\nAB\r\n"},
    };
    TempFolder folder(u"tq_text_\u0416");
    for (const auto& c : cases) {
        TUvxStringList list;
        list.LoadFromFile(Fixture(c.leaf));
        EXPECT_EQ(list.DetectedCharSet(), c.set) << c.leaf;
        EXPECT_EQ(list.Text(), c.text) << c.leaf;
        std::u16string copy = folder / (u"copy \u4E2D " + AnsiToWideSys(c.leaf));
        list.SaveToFile(copy);
        std::string bytes = ReadBytes(copy);
        EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
        EXPECT_EQ(bytes.size(), 2 + 2 * c.text.size());
        TUvxStringList back;
        back.LoadFromFile(copy);
        EXPECT_EQ(back.DetectedCharSet(), tcsUtf16LE);
        EXPECT_EQ(back.Text(), c.text);
    }
}

TEST(WideTextFiles, EightBitListsByCodePage) {
    TempFolder folder(u"tq_ansi_lists");
    TUvxStringList list;
    list.Add(u"\u0416\u00E9");
    std::u16string utf8 = folder / u"u8.txt";
    list.AnsiStrings().SaveToFileEx(utf8, 65001);
    EXPECT_EQ(ReadBytes(utf8), "\xEF\xBB\xBF\xD0\x96\xC3\xA9\r\n");
    std::u16string ansi = folder / u"a.txt";
    list.AnsiStrings().SaveToFile(ansi);
    EXPECT_EQ(ReadBytes(ansi), "?\xE9\r\n");
    TUvxStringList back;
    back.AnsiStrings().LoadFromFileEx(utf8, 65001);
    EXPECT_EQ(back[0], u"\uFEFF\u0416\u00E9");  // the 8-bit view keeps what the file holds
    back.AnsiStrings().LoadFromFile(ansi);
    EXPECT_EQ(back[0], u"?\u00E9");
}

TEST(WideStreams, FileErrorsNameTheFileAndTheReason) {
    TempFolder folder(u"tq_stream_errors");
    std::u16string missing = folder / u"missing.bin";
    try {
        TUvxFileStream f(missing, fmOpenRead);
        ADD_FAILURE();
    } catch (const EFOpenError& e) {
        std::string expected = "Cannot open file \"" + WideToAnsiSys(missing) + "\". ";
        EXPECT_EQ(std::string(e.what()).substr(0, expected.size()), expected);
        EXPECT_GT(std::string(e.what()).size(), expected.size());
    }
    EXPECT_THROW(TUvxFileStream(folder / u"no\\such\\dir\\x", fmCreate), EFCreateError);

    for (bool wide : kBothPlatforms) {
        Platform platform(wide);
        TUvxMemoryStream m;
        m.WriteBuffer("bytes", 5);
        std::u16string name = folder / (wide ? u"\u0416.bin" : u"caf\u00E9.bin");
        m.SaveToFile(name);
        TUvxMemoryStream back;
        back.LoadFromFile(name);
        EXPECT_EQ(std::string(back.Bytes().begin(), back.Bytes().end()), "bytes");
    }
}

TEST(WideStreams, ResourcesReadOnly) {
    TUvxResourceStream plain(GetModuleHandleW(nullptr), u"PLAIN", MAKEINTRESOURCEW(10));
    char buf[8] = {};
    EXPECT_EQ(plain.Read(buf, 8), 4);
    EXPECT_STREQ(buf, "ABC");
    EXPECT_THROW(plain.Write(buf, 1), EStreamError);
    try {
        TUvxResourceStream missing(GetModuleHandleW(nullptr), u"NOPE", MAKEINTRESOURCEW(10));
        ADD_FAILURE();
    } catch (const EResNotFound& e) {
        EXPECT_STREQ(e.what(), "Resource NOPE not found");
    }
    TempFolder folder(u"tq_res");
    plain.SaveToFile(folder / u"plain.bin");
    EXPECT_EQ(ReadBytes(folder / u"plain.bin"), std::string("ABC\0", 4));
    EXPECT_FALSE(ClassIsRegistered(GUID{0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}}));
}

namespace {
// A form whose layout is a resource named after its class, as the program's are.
class TTestForm : public TComponent {
public:
    TTestForm() {
        TUvxResourceStream layout(GetModuleHandleW(nullptr), u"TTESTFORM", MAKEINTRESOURCEW(10));
        TReader(layout).ReadRootComponent(*this);
    }
    std::string ClassName() const override { return "TTestForm"; }
    const TClassInfo* ClassInfo() const override { return &Info; }
    std::string Caption, Hint;  // the framework's 8-bit properties
    std::u16string WideCaption() { return GetSyncedWideString(FWideCaption, Caption); }
    void SetWideCaption(const std::u16string& v) {
        SetSyncedWideString(v, FWideCaption, Caption, [this](const std::string& s) { Caption = s; });
    }
    static const TClassInfo Info;

private:
    std::u16string FWideCaption;
};

TPropInfo CaptionProp() {
    TPropInfo p{"Caption", TTypeKind::tkWString};
    p.GetWStr = [](const TPersistent& o) {
        return const_cast<TTestForm&>(static_cast<const TTestForm&>(o)).WideCaption();
    };
    p.SetWStr = [](TPersistent& o, const std::u16string& v) { static_cast<TTestForm&>(o).SetWideCaption(v); };
    return p;
}
const TClassInfo TTestForm::Info{"TTestForm", nullptr,
                                 {CaptionProp(), published::String<TTestForm>("Hint", &TTestForm::Hint)}};
}  // namespace

TEST(WideStreams, AFormReadsItsLayoutResource) {
    TTestForm form;
    EXPECT_EQ(form.Name(), "TestForm");
    EXPECT_EQ(form.WideCaption(), u"Caf\u00E9 \u0416");
    EXPECT_EQ(form.Caption, "Caf\xE9 ?");
    EXPECT_EQ(form.Hint, "plain");
    form.Caption = "changed through the framework";
    EXPECT_EQ(form.WideCaption(), u"changed through the framework");
}
