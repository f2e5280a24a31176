#include "editor/crashreport/core/sending/SmtpMessage.h"

#include "editor/crashreport/support/archive/Base64.h"
#include "editor/crashreport/support/texts/CommonStrings.h"
#include "framework/SysUtils.h"

const char* const SmtpBoundary = "=_xcjvnxkbhvfkxzhfdbvzldjhfv";
const char* const SmtpContentTypeHeader =
    "Content-Type: multipart/mixed; boundary=\"=_xcjvnxkbhvfkxzhfdbvzldjhfv\";\r\nMIME-Version: 1.0";
const char* const SmtpBodyPreamble =
    "This is a multi-part message in MIME format\r\n\r\n--=_xcjvnxkbhvfkxzhfdbvzldjhfv\r\n"
    "Content-Type: text/plain\r\nContent-Transfer-Encoding: 7bit\r\n\r\n";

namespace {

// The domain after the at sign of every Message-ID we make.
const char* const MessageIdDomain = "crashreport.tessaly.invalid";

}  // namespace

std::string SmtpFromHeader(const std::string& sender, const std::string& ownerName) {
    if (sender.find('"') != std::string::npos || sender.find('<') != std::string::npos)
        return OneString(sender);
    return "\"" + ownerName + "\" <" + OneString(sender) + ">";
}

// Whatever the display name looks like, the envelope carries only the
// address between the angle brackets: a server takes no name in MAIL FROM.
std::string SmtpEnvelopeSender(const std::string& fromHeader) {
    const size_t open = fromHeader.rfind('<');
    if (open != std::string::npos) {
        const size_t close = fromHeader.find('>', open + 1);
        if (close != std::string::npos)
            return Trim(fromHeader.substr(open + 1, close - open - 1));
    }
    return Trim(fromHeader);
}

std::vector<std::string> SmtpRecipients(const std::string& recipients) {
    std::vector<std::string> list;
    ExtractList(recipients, list, ",;", false, false);
    return list;
}

std::string SmtpBase64Lines(const std::string& data) {
    const std::string encoded = Base64EncodeToString(data.data(), static_cast<int32_t>(data.size()));
    std::string out;
    out.reserve(encoded.size() + encoded.size() / SmtpBase64LineLength * 2);
    for (size_t at = 0; at < encoded.size(); at += SmtpBase64LineLength) {
        const size_t n = std::min<size_t>(SmtpBase64LineLength, encoded.size() - at);
        out.append(encoded, at, n);
        if (n == static_cast<size_t>(SmtpBase64LineLength))
            out += "\r\n";
    }
    return out;
}

std::string SmtpAttachmentType(const std::string& name) {
    const size_t dot = name.rfind('.');
    const std::string ext = dot == std::string::npos ? std::string() : UpperCase(name.substr(dot));
    return ext == ".PNG" ? "image/png" : "application/octet-stream";
}

std::string SmtpAttachmentPart(const std::string& name, const std::string& data) {
    std::string part = "\r\n";
    part += "--" + std::string(SmtpBoundary) + "\r\n";
    part += "Content-Type: " + SmtpAttachmentType(name) + ";\r\n";
    part += "        name=\"" + name + "\"\r\n";
    part += "Content-Transfer-Encoding: base64\r\n";
    part += "Content-Disposition: attachment;\r\n";
    part += "        filename=\"" + name + "\"\r\n";
    part += "\r\n";
    part += SmtpBase64Lines(data) + "\r\n";
    return part;
}

std::string SmtpMessageBody(const std::string& text, const std::vector<std::string>& parts) {
    std::string body = SmtpBodyPreamble + text + "\r\n";
    for (const std::string& p : parts)
        body += p;
    body += "--" + std::string(SmtpBoundary) + "--\r\n";
    return body;
}

std::string SmtpDotStuffed(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 16);
    bool lineStart = true;
    for (size_t i = 0; i < text.size(); ++i) {
        if (lineStart && text[i] == '.')
            out += '.';
        out += text[i];
        lineStart = text[i] == '\n' && i > 0 && text[i - 1] == '\r';
    }
    return out;
}

std::string SmtpMessageText(const TSmtpHeaderFacts& facts, const std::string& body) {
    std::string text;
    text += "Date: " + facts.Date + "\r\n";
    text += "From: " + facts.From + "\r\n";
    text += "Subject: " + OneString(facts.Subject) + "\r\n";
    text += "To: <" + OneString(facts.Recipient) + ">\r\n";
    text += std::string(SmtpContentTypeHeader) + "\r\n";
    text += "Message-ID: <" + std::to_string(facts.TickCount) + "@" + MessageIdDomain + ">\r\n";
    text += "\r\n";
    // The body always ends with CR LF, so the final "." stands on a line of
    // its own and is the only one not doubled.
    text += SmtpDotStuffed(body);
    text += ".";
    return text;
}

std::vector<TSmtpStep> SmtpGreetingSteps(const std::string& localHost, const std::string& user,
                                         const std::string& password, const std::string& envelopeSender) {
    std::vector<TSmtpStep> steps;
    if (!user.empty() || !password.empty()) {
        steps.push_back({"EHLO " + localHost, {250}});
        steps.push_back({"RSET", {250}});
        steps.push_back({"AUTH LOGIN", {334, 500, 502}});
        steps.push_back({Base64EncodeString(user), {334, 500, 502}});
        steps.push_back({Base64EncodeString(password), {235, 500, 502}});
    } else {
        steps.push_back({"HELO " + localHost, {250}});
        steps.push_back({"RSET", {250}});
    }
    steps.push_back({"MAIL FROM:<" + envelopeSender + ">", {250}});
    return steps;
}

std::vector<TSmtpStep> SmtpRecipientSteps(const std::string& recipient) {
    return {{"RCPT TO:<" + recipient + ">", {250, 251}}, {"DATA", {354}}};
}
