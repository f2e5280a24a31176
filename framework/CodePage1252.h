#pragma once
// Code page 1252 (Western European), the ANSI code page the framework's 8-bit
// texts are in. Portable, so that 8-bit texts convert the same way everywhere.
#include <string>

std::u16string Cp1252ToWide(const std::string& s);
// Characters the code page lacks become '?'; usedDefault tells whether any did.
std::string WideToCp1252(const std::u16string& s, bool* usedDefault = nullptr);
