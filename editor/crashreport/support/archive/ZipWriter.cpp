#include "editor/crashreport/support/archive/ZipWriter.h"

#include <zip.h>
#include <zlib.h>

#include <cstdio>
#include <ctime>
#include <vector>

#include "editor/crashreport/support/archive/Crc.h"
#include "editor/crashreport/support/files/LocalFiles.h"

namespace {

// The entry's time both as DOS date and time and as its parts; DOS dates
// start in 1980.
void SetEntryTime(zip_fileinfo& info, const std::tm& when) {
    std::tm t = when;
    if (t.tm_year < 80) {
        t = std::tm{};
        t.tm_year = 80;
        t.tm_mday = 1;
    }
    info.tmz_date.tm_sec = uInt(t.tm_sec);
    info.tmz_date.tm_min = uInt(t.tm_min);
    info.tmz_date.tm_hour = uInt(t.tm_hour);
    info.tmz_date.tm_mday = uInt(t.tm_mday);
    info.tmz_date.tm_mon = uInt(t.tm_mon);
    info.tmz_date.tm_year = uInt(t.tm_year + 1900);
    uLong date = uLong(t.tm_year - 80) << 9 | uLong(t.tm_mon + 1) << 5 | uLong(t.tm_mday);
    uLong time = uLong(t.tm_hour) << 11 | uLong(t.tm_min) << 5 | uLong(t.tm_sec / 2);
    info.dosDate = date << 16 | time;
}

// Names inside a zip archive separate folders with "/".
std::string ZipEntryName(const std::string& name) {
    std::string result = name;
    for (char& c : result)
        if (c == '\\')
            c = '/';
    return result;
}

}  // namespace

TZipArchive CreateZipFile(const std::string& fileName) {
    std::remove(fileName.c_str());
    return zipOpen(fileName.c_str(), APPEND_STATUS_CREATE);
}

bool AddZipFile(TZipArchive archive, const std::string& sourceFile, const std::string& nameInArchive,
                const std::string& password) {
    if (archive == nullptr)
        return false;
    std::vector<uint8_t> data;
    if (!ReadWholeFile(sourceFile, data))
        return false;
    zip_fileinfo info{};
    std::tm when{};
    if (FileLocalTime(sourceFile, when))
        SetEntryTime(info, when);
    // The traditional encryption header carries a byte of the data's CRC, so
    // it is needed before the entry starts.
    const char* pw = password.empty() ? nullptr : password.c_str();
    uLong crc = pw != nullptr ? GetCRC32(data.data(), int32_t(data.size())) : 0;
    std::string name = ZipEntryName(nameInArchive);
    if (zipOpenNewFileInZip3(archive, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, 9, 0,
                             -MAX_WBITS, 8, Z_DEFAULT_STRATEGY, pw, crc) != ZIP_OK)
        return false;
    static const unsigned char none = 0;
    const void* bytes = data.empty() ? &none : data.data();
    return zipWriteInFileInZip(archive, bytes, unsigned(data.size())) == ZIP_OK;
}

bool CloseZipFile(TZipArchive archive) {
    if (archive == nullptr)
        return false;
    // zipClose closes an open entry itself and passes on its failure; it
    // also handles an archive whose last entry never opened, which a separate
    // zipCloseFileInZip would report as an error.
    return zipClose(archive, nullptr) == ZIP_OK;
}

TZipWriter::TZipWriter(const std::string& fileName, const std::string& password)
    : Password_(password), FileName_(fileName) {
    Handle_ = CreateZipFile(fileName);
    if (Handle_ == nullptr)
        Fail("Cannot create the archive \"" + fileName + "\"");
}

TZipWriter::~TZipWriter() {
    Close();
}

void TZipWriter::Fail(const std::string& message) {
    if (FirstError_.empty())
        FirstError_ = message;
}

bool TZipWriter::AddFile(const std::string& sourceFile, const std::string& nameInArchive) {
    if (Handle_ == nullptr) {
        Fail("The archive \"" + FileName_ + "\" is not open");
        return false;
    }
    if (!AddZipFile(Handle_, sourceFile, nameInArchive, Password_)) {
        Fail("Cannot add \"" + sourceFile + "\" to the archive \"" + FileName_ + "\"");
        return false;
    }
    return true;
}

bool TZipWriter::Close() {
    if (Handle_ != nullptr) {
        TZipArchive handle = Handle_;
        Handle_ = nullptr;
        if (!CloseZipFile(handle))
            Fail("Cannot finish the archive \"" + FileName_ + "\"");
    }
    return !Failed();
}
