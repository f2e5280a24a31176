// A damaged or hostile log file must never crash the reader, the section
// readers, the item editors or the XML form.
#include <cstddef>
#include <cstdint>
#include <string>

#include "editor/crashreport/support/log/LogFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TLogFile log;
    TMemoryStream stream;
    stream.Write(data, static_cast<int32_t>(size));
    stream.SetPosition(0);
    log.LoadFromStream(stream);
    log.SetPassword(size % 2 ? "secret" : "");
    for (int32_t i = 0; i < log.GetCount() && i < 8; ++i) {
        log.GetItemValue("2.7", i);
        log.SetItemValue("2.8", "2", "Count", i);
        log.SetItemValue("2.19", "x", "Label", i);
        log.GetItem_Reproduce(i);
        log.GetItem_XML(i);
    }
    log.FindItem({"2.7", "1.1"}, {"A: b\r\n\r\nc", ""});
    // A limit taken from the input, the huge and the negative included.
    int32_t max = 0;
    for (size_t i = 0; i < size && i < 4; ++i)
        max = static_cast<int32_t>(static_cast<uint32_t>(max) << 8 | data[i]);
    if (log.GetCount() > 0)
        log.Append(log.GetItem(0), max);
    TMemoryStream out;
    log.SaveToStream(out);
    return 0;
}
