#pragma once
// A wide property that keeps the framework's 8-bit property of the same name
// in step: the wide value counts while its 8-bit form still equals the 8-bit
// property; a change made through the 8-bit property wins.
#include <functional>
#include <string>

std::u16string GetSyncedWideString(std::u16string& wideStr, const std::string& ansiStr);
void SetSyncedWideString(const std::u16string& value, std::u16string& wideStr, const std::string& ansiStr,
                         const std::function<void(const std::string&)>& setAnsiStr);
