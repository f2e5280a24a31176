// Untrusted bytes from the network (DNS replies) must never crash their
// reader.
#include <cstddef>
#include <cstdint>
#include <string>

#include "editor/crashreport/support/net/DnsMx.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string reply(reinterpret_cast<const char*>(data), size);
    (void)ParseMxReply(reply);
    return 0;
}
