#pragma once
// The record a double click on a call-stack row sends to the development
// environment that started the program, so that it can show the source
// line: 376 bytes, little-endian, sent through the mailslot
// "\\.\mailslot\ZorvikLog<process id>".
#include <array>
#include <cstdint>
#include <optional>
#include <string>

constexpr size_t IdeRecordSize = 376;
using TIdeRecord = std::array<uint8_t, IdeRecordSize>;

// The record for a call-stack row; none when the line text is empty or not a
// number (there is no line to show). An offset text that is empty or not a
// number gives -1; names longer than 89 characters are cut.
std::optional<TIdeRecord> BuildIdeRecord(const std::string& lineText, const std::string& unitName,
                                         const std::string& className, const std::string& procName,
                                         const std::string& offsetText, double compilationDate);

// "\\.\mailslot\ZorvikLog" followed by the id in decimal.
std::string IdeMailslotName(uint32_t processId);
