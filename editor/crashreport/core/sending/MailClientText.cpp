#include "editor/crashreport/core/sending/MailClientText.h"

#include "editor/crashreport/support/texts/CommonStrings.h"
#include "framework/SysUtils.h"

std::string MailtoEncode(const std::string& text) {
    static const char Hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() * 3);
    for (unsigned char c : text) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
        if (plain || c >= 128) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += Hex[c >> 4];
            out += Hex[c & 15];
        }
    }
    return out;
}

std::string MailtoAddress(const std::string& recipients, const std::string& subject, const std::string& body) {
    return "mailto:" + recipients + "?Subject=" + MailtoEncode(subject) + "&Body=" + MailtoEncode(body);
}

std::string MailClientCommandLine(const std::string& command, const std::string& address) {
    return QuickStringReplace(command, "%1", address);
}

TMapiMailRecord BuildMapiMailRecord(const std::string& recipients, const std::string& subject, const std::string& body,
                                    const std::vector<std::string>& files,
                                    const std::function<bool(const std::string&)>& exists,
                                    const std::function<std::string(const std::string&)>& travelName) {
    TMapiMailRecord record;
    record.Subject = OneString(subject);
    record.NoteText = body;
    std::vector<std::string> list;
    ExtractList(recipients, list, ",;", false, false);
    for (const std::string& r : list) {
        const std::string name = r.substr(0, MaxMapiRecipientLength);
        record.Recipients.push_back({name, "SMTP:" + name});
    }
    for (const std::string& entry : files) {
        if (record.Files.size() >= MaxMapiAttachments)
            break;
        const std::string path = Trim(entry);
        if (path.empty() || (exists && !exists(path)))
            continue;
        record.Files.push_back({path, travelName ? travelName(path) : ExtractFileNamePart(path)});
    }
    return record;
}
