// Feeds arbitrary bytes to the readers of text that comes from outside: the
// UTF-7 and UTF-8 decoders, text files with or without a byte-order mark, and
// the layout reader.
#include <cstddef>
#include <cstdint>
#include <string>

#include "editor/unicode/UvxErrors.h"
#include "editor/unicode/UvxStringLists.h"
#include "editor/unicode/UvxTextConversions.h"
#include "framework/Exceptions.h"
#include "framework/Filer.h"
#include "framework/Streams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        std::u16string w = UTF7ToWideString(bytes);
        // What decodes must encode and decode back to itself.
        if (UTF7ToWideString(WideStringToUTF7(w)) != w) __builtin_trap();
    } catch (const EUvxGeneralError&) {
    }
    std::u16string fromUtf8 = UTF8ToWideString(bytes);
    if (UTF8ToWideString(WideStringToUTF8(fromUtf8)) != fromUtf8) __builtin_trap();

    TMemoryStream m;
    if (size) m.WriteBuffer(data, static_cast<int32_t>(size));
    m.SetPosition(0);
    TUvxStringList list;
    list.LoadFromStream(m);

    m.SetPosition(0);
    TComponent root;
    try {
        TReader(m).ReadRootComponent(root);
    } catch (const Exception&) {
    }
    return 0;
}
