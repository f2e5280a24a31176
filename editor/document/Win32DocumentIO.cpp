#include "editor/document/Win32DocumentIO.h"

#include <windows.h>

#include "editor/unicode/UvxWindows.h"
#include "framework/WinText.h"

namespace {
class Win32DocumentFile : public DocumentFile {
public:
    explicit Win32DocumentFile(HANDLE handle) : FHandle(handle) {}
    ~Win32DocumentFile() override { CloseHandle(FHandle); }

    int64_t size() override {
        LARGE_INTEGER n;
        return GetFileSizeEx(FHandle, &n) ? n.QuadPart : -1;
    }
    int64_t read(uint8_t* buffer, int32_t count) override {
        DWORD done = 0;
        return ReadFile(FHandle, buffer, static_cast<DWORD>(count), &done, nullptr) ? done : -1;
    }
    // A plain WriteFile: the crash-report component hooks it in the import
    // table and forwards the call unchanged.
    int64_t write(const uint8_t* buffer, int32_t count) override {
        DWORD done = 0;
        return WriteFile(FHandle, buffer, static_cast<DWORD>(count), &done, nullptr) ? done : -1;
    }

private:
    HANDLE FHandle;
};

std::unique_ptr<DocumentFile> Open(const std::u16string& name, DWORD access, DWORD disposition) {
    HANDLE h = Uvx_CreateFileW(WC(name), access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32DocumentFile>(h);
}
}  // namespace

Win32DocumentIO& Win32DocumentIO::Instance() {
    static Win32DocumentIO io;
    return io;
}

std::unique_ptr<DocumentFile> Win32DocumentIO::openForReading(const std::u16string& name) {
    return Open(name, GENERIC_READ, OPEN_EXISTING);
}

std::unique_ptr<DocumentFile> Win32DocumentIO::createForWriting(const std::u16string& name) {
    return Open(name, GENERIC_WRITE, CREATE_ALWAYS);
}

// The name is joined in wide characters, so that a name outside the ANSI
// code page still reads right in the box.
void Win32DocumentIO::showFileError(const std::string& text, const std::u16string& fileName, const std::string& caption) {
    std::u16string message = AnsiToWide(text) + fileName;
    MessageBoxW(nullptr, WC(message), WC(AnsiToWide(caption)), MB_OK);
}
