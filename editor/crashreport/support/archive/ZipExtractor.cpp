#include "editor/crashreport/support/archive/ZipExtractor.h"

#include <unzip.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "editor/crashreport/support/files/LocalFiles.h"
#include "framework/SysUtils.h"

namespace {

const size_t kMaxNameLength = 256;
const unsigned kPieceSize = 65536;

bool IsNameDelimiter(char c) { return c == '/' || c == '\\'; }

// Names that Windows maps to devices, with or without an extension.
bool IsDeviceName(const std::string& part) {
    std::string stem = UpperCase(part.substr(0, part.find('.')));
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    static const char* const devices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* d : devices)
        if (stem == d)
            return true;
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
           stem[3] >= '1' && stem[3] <= '9';
}

// A part made only of dots and blanks other than "." may mean the parent
// folder to Windows, which drops trailing dots and blanks.
bool IsDotsAndBlanks(const std::string& part) {
    return part.find_first_not_of(". ") == std::string::npos;
}

// Copies the current entry to the file. The entry counts only when the
// bytes written are exactly its declared size and their CRC-32 is the
// declared one: a wrong password that passes the one-byte password check, or
// a damaged deflate stream, can end the data early without any error from
// the reader, and the reader checks the CRC only after the full size.
bool WriteEntry(unzFile zip, std::FILE* out, const unz_file_info& info) {
    std::vector<char> piece(kPieceSize);
    uint64_t written = 0;
    uLong crc = crc32(0L, Z_NULL, 0);
    for (;;) {
        int n = unzReadCurrentFile(zip, piece.data(), kPieceSize);
        if (n < 0)
            return false;
        if (n == 0)
            return written == info.uncompressed_size && crc == info.crc;
        written += uint64_t(n);
        if (written > info.uncompressed_size)
            return false;
        crc = crc32(crc, reinterpret_cast<const Bytef*>(piece.data()), uInt(n));
        if (std::fwrite(piece.data(), 1, size_t(n), out) != size_t(n))
            return false;
    }
}

// One entry, already made the current one. False when it was not extracted;
// `stop` tells the caller to give up on the archive.
bool ExtractCurrent(unzFile zip, const std::string& base, const std::string& password, bool& stop) {
    unz_file_info info;
    char name[kMaxNameLength + 1];
    if (unzGetCurrentFileInfo(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK) {
        stop = true;
        return false;
    }
    std::string relative;
    if (info.size_filename > kMaxNameLength || !SafeEntryPath(name, relative))
        return false;
    if (relative.empty() || relative.back() == PathDelim)
        return ForceFolders(base + relative);

    // Only an encrypted entry gets the password: minizip would otherwise
    // decrypt plain data.
    bool encrypted = (info.flag & 1) != 0;
    if (encrypted && password.empty())
        return false;
    if (unzOpenCurrentFilePassword(zip, encrypted ? password.c_str() : nullptr) != UNZ_OK) {
        stop = true;
        return false;
    }
    std::string target = base + relative;
    size_t cut = target.find_last_of(PathDelim);
    std::FILE* out = nullptr;
    if (cut == std::string::npos || ForceFolders(target.substr(0, cut)))
        out = CreateFileAlways(target);
    if (out == nullptr) {
        unzCloseCurrentFile(zip);
        return false;
    }
    bool ok = WriteEntry(zip, out, info);
    ok = std::fclose(out) == 0 && ok;
    ok = unzCloseCurrentFile(zip) == UNZ_OK && ok;
    if (!ok)
        std::remove(target.c_str());
    return ok;
}

}  // namespace

bool SafeEntryPath(const std::string& entryName, std::string& relativePath) {
    relativePath.clear();
    if (entryName.empty() || IsNameDelimiter(entryName[0]) || entryName.find(':') != std::string::npos)
        return false;
    std::vector<std::string> parts(1);
    for (char c : entryName) {
        if (IsNameDelimiter(c))
            parts.emplace_back();
        else
            parts.back() += c;
    }
    // Empty parts and "." stay where they are; the name ends in a folder
    // when its last part is one of them.
    bool folder = parts.back().empty() || parts.back() == ".";
    std::string path;
    for (const std::string& part : parts) {
        if (part.empty() || part == ".")
            continue;
        if (IsDotsAndBlanks(part) || IsDeviceName(part))
            return false;
        path += part;
        path += PathDelim;
    }
    if (!folder && !path.empty())
        path.pop_back();
    relativePath = path;
    return true;
}

bool ExtractZipFiles(const std::string& archiveName, const std::string& folder, const std::string& password) {
    unzFile zip = unzOpen(archiveName.c_str());
    if (zip == nullptr)
        return false;
    // An empty folder means the current one, never the root.
    std::string base = Trim(folder);
    if (!base.empty() && !IsNameDelimiter(base.back()))
        base += PathDelim;
    bool all = base.empty() || ForceFolders(base);
    unz_global_info global;
    if (all && unzGetGlobalInfo(zip, &global) == UNZ_OK) {
        bool stop = false;
        for (uLong i = 0; i < global.number_entry && !stop; ++i) {
            if (i > 0 && unzGoToNextFile(zip) != UNZ_OK) {
                all = false;
                break;
            }
            if (!ExtractCurrent(zip, base, password, stop))
                all = false;
        }
    } else {
        all = false;
    }
    unzClose(zip);
    return all;
}

TZipExtractor::TZipExtractor(const std::string& archiveName, const std::string& folder)
    : Extracted(ExtractZipFiles(archiveName, folder, "")) {}
