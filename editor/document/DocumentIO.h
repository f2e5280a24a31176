#pragma once
// How the document reaches files and the user: the Win32 shell implements it
// with Uvx_CreateFileW, ReadFile, WriteFile and MessageBoxW; tests give fakes.
#include <cstdint>
#include <memory>
#include <string>

// An open file; destroying it closes it.
class DocumentFile {
public:
    virtual ~DocumentFile() = default;
    // The whole size in bytes (64 bits), or -1 when it cannot be asked.
    virtual int64_t size() = 0;
    // One read or write call; the number of bytes moved, or -1 on failure.
    virtual int64_t read(uint8_t* buffer, int32_t count) = 0;
    virtual int64_t write(const uint8_t* buffer, int32_t count) = 0;
};

class DocumentIO {
public:
    virtual ~DocumentIO() = default;
    // Opened without sharing; null when the file cannot be opened.
    virtual std::unique_ptr<DocumentFile> openForReading(const std::u16string& name) = 0;
    // Created or emptied, without sharing; null when that fails.
    virtual std::unique_ptr<DocumentFile> createForWriting(const std::u16string& name) = 0;
    // Tells the user about a file failure: text followed directly by the file name.
    virtual void showFileError(const std::string& text, const std::u16string& fileName, const std::string& caption) = 0;
};
