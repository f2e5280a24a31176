#pragma once
// The texts of a report mail: the From header and the envelope sender, the
// recipients, the MIME body with its Base64 attachments, the message as it
// travels after DATA, and the commands of the greeting and login. No sockets
// here.
#include <cstdint>
#include <string>
#include <vector>

extern const char* const SmtpBoundary;           // "=_xcjvnxkbhvfkxzhfdbvzldjhfv"
extern const char* const SmtpContentTypeHeader;  // multipart/mixed with the boundary, and MIME-Version
extern const char* const SmtpBodyPreamble;       // up to the first part's plain text
// Attachments travel in Base64 lines of this many characters.
constexpr int SmtpBase64LineLength = 80;
constexpr int32_t SmtpTimeoutMs = 30000;
constexpr uint16_t SmtpDirectPort = 25;

// The From header: a sender holding a double quote or "<" as it stands (its
// control runs made blanks); else "\"owner\" <sender>".
std::string SmtpFromHeader(const std::string& sender, const std::string& ownerName);
// The address the envelope names: the text inside the last "<...>" of the
// From header, else the whole header.
std::string SmtpEnvelopeSender(const std::string& fromHeader);

// The recipients split at every "," and ";", trimmed, empty entries dropped.
std::vector<std::string> SmtpRecipients(const std::string& recipients);

// The Base64 text of data in lines of 80 characters, each full line followed
// by CR LF, the last shorter line without.
std::string SmtpBase64Lines(const std::string& data);

// "image/png" for a ".png" name in any case, else "application/octet-stream".
std::string SmtpAttachmentType(const std::string& name);
// One MIME part of an attachment travelling as `name`; begins with CR LF.
std::string SmtpAttachmentPart(const std::string& name, const std::string& data);

// The body: preamble, text, CR LF, the parts, and the closing boundary line.
std::string SmtpMessageBody(const std::string& text, const std::vector<std::string>& parts);

// What follows DATA, up to and including the final "." (the transport adds
// the last CR LF): the headers, a blank line and the body, every body line
// beginning with "." sent with the dot doubled.
struct TSmtpHeaderFacts {
    std::string Date;        // RFC 822
    std::string From;        // the From header
    std::string Subject;
    std::string Recipient;
    uint32_t TickCount = 0;  // makes the Message-ID
};
std::string SmtpMessageText(const TSmtpHeaderFacts& facts, const std::string& body);

// A line-start "." doubled after every CR LF and at the very start.
std::string SmtpDotStuffed(const std::string& text);

// One step of the dialogue: the command and the reply codes it accepts.
struct TSmtpStep {
    std::string Command;
    std::vector<int> Accepted;
};
// Greeting, login when a user or password is set, and MAIL FROM.
std::vector<TSmtpStep> SmtpGreetingSteps(const std::string& localHost, const std::string& user,
                                         const std::string& password, const std::string& envelopeSender);
// RCPT TO and DATA.
std::vector<TSmtpStep> SmtpRecipientSteps(const std::string& recipient);
