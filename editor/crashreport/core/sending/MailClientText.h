#pragma once
// The texts of the mail-client road: the mailto address handed to the
// program registered for mailto links, and the record of a Simple MAPI
// message (subject, note, recipients, files) before it becomes the system's
// structures.
#include <functional>
#include <string>
#include <vector>

// Every byte below 128 that is not an ASCII letter, digit or "-" as "%XX";
// bytes of 128 and more unchanged.
std::string MailtoEncode(const std::string& text);
// "mailto:" + recipients + "?Subject=" + encoded subject + "&Body=" + encoded body.
std::string MailtoAddress(const std::string& recipients, const std::string& subject, const std::string& body);
// The registered command with every "%1" replaced by the address.
std::string MailClientCommandLine(const std::string& command, const std::string& address);

constexpr size_t MaxMapiAttachments = 32;
constexpr size_t MaxMapiRecipientLength = 256;

struct TMapiRecipientRecord {
    std::string Name;     // the recipient text
    std::string Address;  // "SMTP:" + the recipient text
};
struct TMapiFileRecord {
    std::string PathName;  // full path
    std::string FileName;  // the name it travels under
};
struct TMapiMailRecord {
    std::string Subject;   // control runs made one blank
    std::string NoteText;
    std::vector<TMapiRecipientRecord> Recipients;
    std::vector<TMapiFileRecord> Files;
};

// The message: recipients split at "," and ";" (each cut to 256 characters),
// the files in the order given, empty entries and those `exists` denies
// skipped, at most 32; `travelName` names each file.
TMapiMailRecord BuildMapiMailRecord(const std::string& recipients, const std::string& subject, const std::string& body,
                                    const std::vector<std::string>& files,
                                    const std::function<bool(const std::string&)>& exists,
                                    const std::function<std::string(const std::string&)>& travelName);
