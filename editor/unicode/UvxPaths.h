#pragma once
// Wide file names: '\' is the path delimiter, ':' also ends a drive.
// Positions are counted from 1, as the framework's 8-bit versions count them.
#include <string>

std::u16string WideIncludeTrailingPathDelimiter(const std::u16string& s);
std::u16string WideIncludeTrailingBackslash(const std::u16string& s);
std::u16string WideExcludeTrailingPathDelimiter(const std::u16string& s);
std::u16string WideExcludeTrailingBackslash(const std::u16string& s);
bool WideIsDelimiter(const std::u16string& delimiters, const std::u16string& s, int index);
bool WideIsPathDelimiter(const std::u16string& s, int index);
// Highest position of a character of delimiters in s; 0 when none.
int WideLastDelimiter(const std::u16string& delimiters, const std::u16string& s);
std::u16string WideChangeFileExt(const std::u16string& fileName, const std::u16string& extension);
std::u16string WideExtractFilePath(const std::u16string& fileName);
std::u16string WideExtractFileDir(const std::u16string& fileName);
std::u16string WideExtractFileDrive(const std::u16string& fileName);
std::u16string WideExtractFileName(const std::u16string& fileName);
std::u16string WideExtractFileExt(const std::u16string& fileName);
std::u16string WideExtractRelativePath(const std::u16string& baseName, const std::u16string& destName);
