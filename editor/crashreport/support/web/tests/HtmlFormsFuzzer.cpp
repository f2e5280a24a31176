// Pages from a server are untrusted: every scanner of the form scraping
// runs over arbitrary text, in time linear in it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "editor/crashreport/support/web/HtmlForms.h"
#include "editor/crashreport/support/web/HttpUrl.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string page(reinterpret_cast<const char*>(data), size);
    std::string value;
    for (const char* name : {"tok", "summary", "status", "project_id", "description"}) {
        FindInputValue(page, name, value);
        FindTextAreaText(page, name, value);
        FindSelectedListValue(page, name, value);
        FindListValueByTitle(page, name, "Tessaly", value);
    }
    HasOptionValue(page, "1.0");
    FindTextAfterMarker(page, "bug_update_page.php?bug_id=", 2);
    DecodeHTMLEntities(page);
    size_t position = 0;
    while (!FindTagText(page, "<input ", InputStops, position).empty()) {
    }
    std::string raised;
    RaiseBugCount(page, raised);

    // Addresses come from option files; redirects from servers.
    std::string protocol, user, password, host, path;
    int32_t port = 0;
    ElaborateURL(page, protocol, user, password, host, path, port);
    ResolveRedirect(page, SplitRequestPath("bugs/login.php?x=1"), "tracker.local", path);
    return 0;
}
