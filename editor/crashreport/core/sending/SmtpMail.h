#pragma once
// The report mail by SMTP: through the configured server, or straight to
// each recipient's mail exchanger. One connection per recipient; no QUIT,
// the dialogue ends by closing the connection.
#include <cstdint>
#include <string>
#include <vector>

#include "editor/crashreport/core/sending/SendContext.h"

class TZorvikClientSMTP;

// True when at least one recipient's message was accepted. Every recipient
// is tried; each failure is reported through the context's warning with
// eeEmailSMTPError and section "SMTP".
bool SendSMTPMail(TSendContext& ctx, bool direct, const std::string& from, const std::string& host,
                  const std::vector<std::string>& attachments, const std::vector<std::string>& extras,
                  const std::string& body, const std::string& subject, const std::string& recipients,
                  const std::string& password, const std::string& user, uint16_t port);

// One connection for one recipient; true when every step succeeded.
bool SendSMTPMessage(TSendContext& ctx, const std::string& from, const std::string& host,
                     const std::vector<std::string>& attachments, const std::vector<std::string>& extras,
                     const std::string& body, const std::string& subject, const std::string& recipient,
                     const std::string& password, const std::string& user, uint16_t port);

// One command and its reply; the transport raises for a refused reply.
bool SMTPCommand(TSendContext& ctx, TZorvikClientSMTP& client, const std::string& command,
                 const std::vector<int>& accepted);

// The MIME body of the mail: the text and one part per existing attachment
// (the list's entries, then the extras), each named as it travels.
std::string BuildSMTPBody(const TSendContext& ctx, const std::string& text, const std::vector<std::string>& attachments,
                          const std::vector<std::string>& extras);

// The current local time as a mail header's date.
std::string CurrentRFC822Date();
