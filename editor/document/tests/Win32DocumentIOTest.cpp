// The document on real files under Windows: wide names, sharing, empty and
// huge files, and the system's message box.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "editor/document/DataFile.h"
#include "editor/document/Win32DocumentIO.h"
#include "editor/document/tests/DocumentTestSupport.h"
#include "framework/Exceptions.h"
#include "framework/WinText.h"

namespace {
// The real file access, with the message box recorded instead of shown.
class QuietIO : public Win32DocumentIO {
public:
    std::vector<std::u16string> messages;
    void showFileError(const std::string& text, const std::u16string& fileName, const std::string& caption) override {
        messages.push_back(AnsiToWide(caption) + u"|" + AnsiToWide(text) + fileName);
    }
};

std::u16string TempName(const std::u16string& leaf) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    return U16(dir) + leaf;
}

void WriteWhole(const std::u16string& name, const std::string& content) {
    HANDLE h = CreateFileW(WC(name), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD n = 0;
    if (!content.empty()) WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &n, nullptr);
    CloseHandle(h);
}

std::string ReadWhole(const std::u16string& name) {
    HANDLE h = CreateFileW(WC(name), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string s(1 << 16, '\0');
    DWORD n = 0;
    ReadFile(h, s.data(), static_cast<DWORD>(s.size()), &n, nullptr);
    CloseHandle(h);
    s.resize(n);
    return s;
}

// A sparse file of the size: quick to make whatever its size.
void MakeSparseFile(const std::u16string& name, int64_t size) {
    HANDLE h = CreateFileW(WC(name), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LARGE_INTEGER to;
    to.QuadPart = size;
    EXPECT_TRUE(SetFilePointerEx(h, to, nullptr, FILE_BEGIN));
    EXPECT_TRUE(SetEndOfFile(h));
    CloseHandle(h);
}

class Win32DocumentIOTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { LoadEnglishPackFromSources(); }
    void SetUp() override {
        SetBytes(doc, Text("previous"));
        doc.beginStep();
        doc.setByte(0, 'P');
    }
    void ExpectUnchanged() {
        EXPECT_EQ(std::string(doc.data, doc.data + doc.size), "Previous");
        EXPECT_EQ(doc.undoList.size(), 2u);
    }
    QuietIO io;
    TDataFile doc{&io};
};
}  // namespace

TEST_F(Win32DocumentIOTest, SavesAndLoadsFilesWithWideNames) {
    const std::u16string name = TempName(u"tq_doc_\u0416\u4E2D.bin");
    std::string content;
    for (int i = 0; i < 70000; ++i) content += static_cast<char>(i * 7);
    SetBytes(doc, Text(content));
    ASSERT_TRUE(doc.saveToFile(name));
    EXPECT_EQ(ReadWhole(name), content.substr(0, 1 << 16));
    doc.newFile();
    ASSERT_TRUE(doc.loadFromFile(name));
    EXPECT_EQ(std::string(doc.data, doc.data + doc.size), content);
    EXPECT_TRUE(doc.undoList.empty());
    // Saving over an existing, longer file replaces it.
    SetBytes(doc, Text("short"));
    ASSERT_TRUE(doc.saveToFile(name));
    EXPECT_EQ(ReadWhole(name), "short");
    EXPECT_TRUE(io.messages.empty());
    DeleteFileW(WC(name));
}

TEST_F(Win32DocumentIOTest, AMissingFileIsReportedAndChangesNothing) {
    const std::u16string name = TempName(u"tq_doc_no_such_file.bin");
    DeleteFileW(WC(name));
    EXPECT_FALSE(doc.loadFromFile(name));
    ExpectUnchanged();
    ASSERT_EQ(io.messages.size(), 1u);
    EXPECT_EQ(io.messages[0], u"File Error|Cannot read from " + name);
}

TEST_F(Win32DocumentIOTest, ALockedFileIsReportedAndChangesNothing) {
    const std::u16string name = TempName(u"tq_doc_locked.bin");
    WriteWhole(name, "locked content");
    HANDLE lock = CreateFileW(WC(name), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(doc.loadFromFile(name));
    ExpectUnchanged();
    EXPECT_FALSE(doc.saveToFile(name));
    CloseHandle(lock);
    ASSERT_EQ(io.messages.size(), 2u);
    EXPECT_EQ(io.messages[0], u"File Error|Cannot read from " + name);
    EXPECT_EQ(io.messages[1], u"File Error|Cannot write to " + name);
    EXPECT_EQ(ReadWhole(name), "locked content");
    // The load holds no sharing while it reads, and lets go afterwards.
    ASSERT_TRUE(doc.loadFromFile(name));
    HANDLE again = CreateFileW(WC(name), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(again, INVALID_HANDLE_VALUE);
    CloseHandle(again);
    DeleteFileW(WC(name));
}

TEST_F(Win32DocumentIOTest, AnEmptyFileLoadsAsAnEmptyDocument) {
    const std::u16string name = TempName(u"tq_doc_empty.bin");
    WriteWhole(name, "");
    ASSERT_TRUE(doc.loadFromFile(name));
    EXPECT_EQ(doc.size, 0);
    EXPECT_TRUE(doc.undoList.empty());
    ASSERT_TRUE(doc.saveToFile(name));
    EXPECT_EQ(ReadWhole(name), "");
    EXPECT_TRUE(io.messages.empty());
    DeleteFileW(WC(name));
}

TEST_F(Win32DocumentIOTest, FilesBeyondTheLargestDocumentAreRefusedWhole) {
    // Sparse files: 2 GiB exactly, and 4 GiB + 16 bytes, whose low 32 bits
    // alone would read as a 16-byte file.
    for (int64_t size : {int64_t{1} << 31, (int64_t{1} << 32) + 16}) {
        const std::u16string name = TempName(u"tq_doc_huge.bin");
        MakeSparseFile(name, size);
        io.messages.clear();
        EXPECT_FALSE(doc.loadFromFile(name)) << size;
        ExpectUnchanged();
        ASSERT_EQ(io.messages.size(), 1u);
        EXPECT_EQ(io.messages[0], u"File Error|Cannot read all data from " + name);
        DeleteFileW(WC(name));
    }
}

// Almost 2 GiB fits a document but not the address space of this 32-bit
// process: the out-of-memory error leaves the document and closes the file.
TEST_F(Win32DocumentIOTest, AFileTooLargeForMemoryRaisesOutOfMemory) {
    const std::u16string name = TempName(u"tq_doc_large.bin");
    MakeSparseFile(name, MaxDocumentSize);
    try {
        doc.loadFromFile(name);
        GTEST_SKIP() << "the allocation succeeded";
    } catch (const EOutOfMemory&) {
    }
    ExpectUnchanged();
    EXPECT_TRUE(io.messages.empty());
    HANDLE h = CreateFileW(WC(name), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(h, INVALID_HANDLE_VALUE) << "the load left the file open";
    CloseHandle(h);
    DeleteFileW(WC(name));
}

TEST_F(Win32DocumentIOTest, TheOneDocumentUsesTheSystemFiles) {
    EXPECT_EQ(DataFile.size, 256);
    const std::u16string name = TempName(u"tq_doc_global.bin");
    WriteWhole(name, "global");
    ASSERT_TRUE(DataFile.loadFromFile(name));
    EXPECT_EQ(std::string(DataFile.data, DataFile.data + DataFile.size), "global");
    DataFile.newFile();
    DeleteFileW(WC(name));
}

// The real box: its caption and text are read from the window and it is
// closed with its button, as a user would.
TEST(Win32FileErrorBox, ShowsTheSystemMessageBox) {
    LoadEnglishPackFromSources();
    std::atomic<bool> done{false};
    std::u16string seenCaption, seenText;
    std::thread closer([&] {
        for (int i = 0; i < 200 && !done; ++i) {
            HWND box = FindWindowW(L"#32770", L"File Error");
            if (box) {
                wchar_t buf[512];
                GetWindowTextW(box, buf, 512);
                seenCaption = U16(buf);
                HWND text = GetDlgItem(box, 0xFFFF);
                GetWindowTextW(text, buf, 512);
                seenText = U16(buf);
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(50);
        }
    });
    TDataFile doc(&Win32DocumentIO::Instance());
    const std::u16string name = TempName(u"tq_doc_missing_\u0416.bin");
    EXPECT_FALSE(doc.loadFromFile(name));
    done = true;
    closer.join();
    EXPECT_EQ(seenCaption, u"File Error");
    EXPECT_EQ(seenText, u"Cannot read from " + name);
}
