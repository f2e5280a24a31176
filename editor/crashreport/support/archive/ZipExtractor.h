#pragma once
// Extracting a whole zip archive into a folder.
#include <string>

// True when every entry was extracted. Entries whose names would land outside
// the folder (a ".." part, a drive, a leading slash or backslash, a device
// name) are refused and make the result false, as do entries that cannot be
// created, read or whose data fails its check (a damaged archive or a wrong
// password); their partial files are removed. Folders in entry names are
// created. An empty password means none.
bool ExtractZipFiles(const std::string& archiveName, const std::string& folder, const std::string& password);

// For tests and the extraction above: the entry name as a path relative to
// the target folder with the platform's delimiters, or false when it must be
// refused. A name ending in a delimiter (a folder entry) keeps it at the end.
bool SafeEntryPath(const std::string& entryName, std::string& relativePath);

// Extracts an archive without a password when constructed.
class TZipExtractor {
public:
    TZipExtractor(const std::string& archiveName, const std::string& folder);
    bool Extracted = false;
};
