#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "editor/unicode/UvxGraphics.h"
#include "editor/unicode/tests/TempFolder.h"
#include "framework/Exceptions.h"
#include "framework/Streams.h"

namespace {
// A picture class of the test: its file is its text.
class TTextGraphic : public TGraphic {
public:
    std::string Text;
    void Draw(TCanvas&, const TRect&) override {}
    bool Empty() const override { return Text.empty(); }
    int32_t Width() const override { return 1; }
    int32_t Height() const override { return 1; }
    void SetWidth(int32_t) override {}
    void SetHeight(int32_t) override {}
    void LoadFromStream(TStream& s) override {
        Text.assign(static_cast<size_t>(s.Size() - s.Position()), '\0');
        s.Read(Text.data(), static_cast<int32_t>(Text.size()));
    }
    void SaveToStream(TStream& s) override { s.Write(Text.data(), static_cast<int32_t>(Text.size())); }
};

// A picture class of the test whose writing fails before the file is written.
class TFailingGraphic : public TTextGraphic {
public:
    void SaveToStream(TStream&) override { throw EWriteError("Stream write error"); }
};

struct Registration {
    Registration() {
        TPicture::RegisterFileFormat("uvt", "Test text", [] { return std::make_unique<TTextGraphic>(); });
    }
    ~Registration() { TPicture::UnregisterFileFormat("uvt"); }
};

std::string Contents(const std::u16string& name) {
    HANDLE h = CreateFileW(WC(name), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    char buf[256];
    DWORD n = 0;
    ReadFile(h, buf, sizeof buf, &n, nullptr);
    CloseHandle(h);
    return std::string(buf, n);
}

size_t FileCount(const TempFolder& folder) {
    WIN32_FIND_DATAW data;
    size_t n = 0;
    HANDLE find = FindFirstFileW(WC(folder / u"*"), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do n += !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    while (FindNextFileW(find, &data));
    FindClose(find);
    return n;
}
}  // namespace

TEST(UvxPicture, SavesOverAndLoadsFromAWideName) {
    Registration registration;
    TempFolder folder(u"tq_pic");
    const std::u16string name = folder / u"\u041A\u0430\u0440\u0442\u0438\u043D\u043A\u0430 \u6D4B.uvt";
    TUvxPicture picture;
    picture.SaveToFile(name);  // no graphic: nothing
    EXPECT_EQ(FileCount(folder), 0u);

    auto graphic = std::make_unique<TTextGraphic>();
    graphic->Text = "first";
    picture.SetGraphic(std::move(graphic));
    picture.SaveToFile(name);
    EXPECT_EQ(Contents(name), "first");
    static_cast<TTextGraphic*>(picture.Graphic())->Text = "second";
    picture.SaveToFile(name);
    EXPECT_EQ(Contents(name), "second") << "saving over an existing file replaces it";
    EXPECT_EQ(FileCount(folder), 1u) << "no temporary file is left";

    TUvxPicture loaded;
    loaded.LoadFromFile(name);
    ASSERT_NE(loaded.Graphic(), nullptr);
    EXPECT_EQ(static_cast<TTextGraphic*>(loaded.Graphic())->Text, "second");
}

// A write that fails only when the file is closed (the last of it stays in
// the stream's buffer until then) is reported, not taken as done.
TEST(UvxPicture, AWriteThatFailsOnClosingIsReported) {
    const std::string full = "Z:\\dev\\full";  // every write there finds the disk full
    // (Wine answers no attributes for a device, so it is opened to see that it is there.)
    HANDLE device = CreateFileA(full.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (device == INVALID_HANDLE_VALUE) GTEST_SKIP() << "no " << full;
    CloseHandle(device);
    TTextGraphic graphic;
    graphic.Text = "small enough to wait in the buffer";
    EXPECT_THROW(graphic.SaveToFile(full), EWriteError);
}

// A picture whose writing fails leaves the file it was to replace as it was,
// and no temporary file beside it.
TEST(UvxPicture, AFailedSaveKeepsTheOldFile) {
    Registration registration;
    TempFolder folder(u"tq_pic_fail");
    const std::u16string name = folder / u"\u041A\u0430\u0440\u0442\u0438\u043D\u043A\u0430.uvt";
    TUvxPicture picture;
    auto graphic = std::make_unique<TTextGraphic>();
    graphic->Text = "old picture";
    picture.SetGraphic(std::move(graphic));
    picture.SaveToFile(name);
    ASSERT_EQ(Contents(name), "old picture");
    picture.SetGraphic(std::make_unique<TFailingGraphic>());
    EXPECT_THROW(picture.SaveToFile(name), EWriteError);
    EXPECT_EQ(Contents(name), "old picture");
    EXPECT_EQ(FileCount(folder), 1u) << "no temporary file is left";
}
