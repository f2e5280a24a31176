#pragma once
// Writing zip archives (deflate, level 9). An entry may carry the traditional
// zip password, which the stored report formats expect; it keeps nothing
// secret.
#include <string>

using TZipArchive = void*;  // minizip's handle of an archive being written

// Replaces any file of that name with a new, empty archive; null on failure.
TZipArchive CreateZipFile(const std::string& fileName);
// Reads the whole source file and writes it into the archive as one entry.
// An empty password gives an unencrypted entry. The entry stays open until
// the next one or CloseZipFile. True when the file was read and written.
bool AddZipFile(TZipArchive archive, const std::string& sourceFile, const std::string& nameInArchive,
                const std::string& password);
// Closes the open entry and the archive; true when both succeed.
bool CloseZipFile(TZipArchive archive);

// One archive written file by file. The first failure is kept, so that a
// caller never sends a broken archive as if it were whole.
class TZipWriter {
public:
    TZipWriter(const std::string& fileName, const std::string& password);
    ~TZipWriter();
    TZipWriter(const TZipWriter&) = delete;
    TZipWriter& operator=(const TZipWriter&) = delete;

    bool AddFile(const std::string& sourceFile, const std::string& nameInArchive);
    // Finishes the archive; true when it and every earlier step succeeded.
    // The destructor closes an archive not closed by then.
    bool Close();

    bool Failed() const { return !FirstError_.empty(); }
    // What went wrong first, or empty.
    const std::string& FirstError() const { return FirstError_; }

private:
    void Fail(const std::string& message);

    TZipArchive Handle_ = nullptr;
    std::string Password_;
    std::string FileName_;
    std::string FirstError_;
};
