#include "editor/crashreport/core/dialogs/IdeRecord.h"

#include <cstring>

#include "framework/SysUtils.h"

namespace {

constexpr size_t TextField = 90;

void PutText(TIdeRecord& r, size_t offset, const std::string& text)
{
    const size_t n = std::min(text.size(), TextField - 1);
    std::memcpy(r.data() + offset, text.data(), n);
    r[offset + n] = 0;
}

void PutInt32(TIdeRecord& r, size_t offset, int32_t value)
{
    const uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        r[offset + i] = static_cast<uint8_t>(v >> (8 * i));
}

void PutDouble(TIdeRecord& r, size_t offset, double value)
{
    uint64_t v = 0;
    std::memcpy(&v, &value, sizeof v);
    for (int i = 0; i < 8; ++i)
        r[offset + i] = static_cast<uint8_t>(v >> (8 * i));
}

} // namespace

std::optional<TIdeRecord> BuildIdeRecord(const std::string& lineText, const std::string& unitName,
                                         const std::string& className, const std::string& procName,
                                         const std::string& offsetText, double compilationDate)
{
    int32_t line = 0;
    if (Trim(lineText).empty() || !TryStrToInt(Trim(lineText), line))
        return std::nullopt;
    int32_t offset = -1;
    if (!TryStrToInt(Trim(offsetText), offset))
        offset = -1;
    TIdeRecord r{};
    PutText(r, 0, "");
    PutText(r, 90, unitName);
    PutText(r, 180, className);
    PutText(r, 270, procName);
    PutInt32(r, 360, line);
    PutInt32(r, 364, offset);
    PutDouble(r, 368, compilationDate);
    return r;
}

std::string IdeMailslotName(uint32_t processId)
{
    return "\\\\.\\mailslot\\ZorvikLog" + std::to_string(processId);
}
