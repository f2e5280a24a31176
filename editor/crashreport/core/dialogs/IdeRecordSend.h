#pragma once
// Sends a call-stack row's record to the development environment that
// started this program, through its mailslot. Nothing happens when the line
// text is empty or no such mailslot exists.
#include <string>

void SendIdeRecord(const std::string& lineText, const std::string& unitName, const std::string& className,
                   const std::string& procName, const std::string& offsetText, double compilationDate);
