#include "editor/crashreport/core/sending/SmtpMail.h"

#include "editor/crashreport/support/net/ZorvikSockets.h"

#include <windows.h>

#include "editor/crashreport/core/capture/CoreServiceTexts.h"
#include "editor/crashreport/core/sending/SendProgress.h"
#include "editor/crashreport/core/sending/SmtpMessage.h"
#include "editor/crashreport/support/files/LocalFiles.h"
#include "editor/crashreport/support/system/EnvVariables.h"
#include "editor/crashreport/support/system/SystemFacts.h"
#include "editor/crashreport/support/texts/MessageTypes.h"
#include "framework/SysUtils.h"

namespace {

const char* const SmtpSection = "SMTP";

void ReportSmtpFailure(TSendContext& ctx, const std::exception* e) {
    const std::string message = e ? "[" + std::string(SmtpSection) + "] " + e->what()
                                  : "General '" + std::string(SmtpSection) + "' error.";
    ctx.ReportWarning(eeEmailSMTPError, message);
}

std::string LocalHostName() {
    char name[251] = "";
    if (gethostname(name, 250) != 0)
        return "";
    name[250] = '\0';
    return name;
}

std::string OwnerName() {
    const std::string owner = GetRegisteredOwnerText();
    return owner.empty() ? GetUserNameText() : owner;
}

bool ReadAttachment(const std::string& path, std::string& data) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes))
        return false;
    data.assign(bytes.begin(), bytes.end());
    return true;
}

}  // namespace

std::string CurrentRFC822Date() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    // The zone's exact offset: a zone of half hours is written "+0530".
    return Rfc822Date({st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond}, GetGMTMinutes());
}

std::string BuildSMTPBody(const TSendContext& ctx, const std::string& text, const std::vector<std::string>& attachments,
                          const std::vector<std::string>& extras) {
    std::vector<std::string> parts;
    auto add = [&](const std::string& entry) {
        const std::string path = Trim(entry);
        std::string data;
        if (path.empty() || !ReadAttachment(path, data))
            return;
        parts.push_back(SmtpAttachmentPart(ctx.DecorateReportFileName(path), data));
    };
    for (const std::string& a : attachments)
        add(a);
    for (const std::string& a : extras)
        add(a);
    return SmtpMessageBody(text, parts);
}

bool SMTPCommand(TSendContext& ctx, TZorvikClientSMTP& client, const std::string& command,
                 const std::vector<int>& accepted) {
    ProcessSendMessages(ctx);
    const bool result = client.SendCommand(command, accepted);
    ProcessSendMessages(ctx);
    return result;
}

bool SendSMTPMessage(TSendContext& ctx, const std::string& from, const std::string& host,
                     const std::vector<std::string>& attachments, const std::vector<std::string>& extras,
                     const std::string& body, const std::string& subject, const std::string& recipient,
                     const std::string& password, const std::string& user, uint16_t port) {
    try {
        SetSendStatus(ctx, ctx.Text(mtSendDialog_Connecting), true);
        TZorvikClientSMTP client(host, SmtpTimeoutMs, true, port);
        client.Open();

        const std::string fromHeader = SmtpFromHeader(from, OwnerName());
        const std::string mimeBody = BuildSMTPBody(ctx, body, attachments, extras);

        SetSendStatus(ctx, ctx.Text(mtSendDialog_Connected), true);
        for (const TSmtpStep& step : SmtpGreetingSteps(LocalHostName(), user, password, SmtpEnvelopeSender(fromHeader)))
            SMTPCommand(ctx, client, step.Command, step.Accepted);

        SetSendStatus(ctx, ctx.Text(mtSendDialog_Sending), true);
        TSmtpHeaderFacts facts;
        facts.Date = CurrentRFC822Date();
        facts.From = fromHeader;
        facts.Subject = subject;
        facts.Recipient = recipient;
        facts.TickCount = GetTickCount();
        const std::string message = SmtpMessageText(facts, mimeBody);

        for (const TSmtpStep& step : SmtpRecipientSteps(recipient))
            SMTPCommand(ctx, client, step.Command, step.Accepted);

        if (ctx.DialogWindow() != 0)
            client.OnProgress = [&ctx](TZorvikClientSocket*, int32_t sent, int32_t total) {
                if (total > 0)
                    SetSendPosition(ctx, static_cast<int32_t>(static_cast<int64_t>(sent) * 100 / total));
            };
        struct CallbackRemoval {
            TZorvikClientSMTP& c;
            ~CallbackRemoval() { c.OnProgress = nullptr; }
        } removal{client};
        SMTPCommand(ctx, client, message, {250});
        DestroySendDialog(ctx);
        return true;
    } catch (const std::exception& e) {
        ReportSmtpFailure(ctx, &e);
    } catch (...) {
        ReportSmtpFailure(ctx, nullptr);
    }
    return false;
}

bool SendSMTPMail(TSendContext& ctx, bool direct, const std::string& from, const std::string& host,
                  const std::vector<std::string>& attachments, const std::vector<std::string>& extras,
                  const std::string& body, const std::string& subject, const std::string& recipients,
                  const std::string& password, const std::string& user, uint16_t port) {
    bool result = false;
    try {
        if (direct)
            port = SmtpDirectPort;
        const std::string expandedSubject = ExpandEnvVars(subject);
        const std::string expandedBody = ExpandEnvVars(body);
        const std::vector<std::string> list = SmtpRecipients(recipients);
        ctx.RecipientCount = static_cast<int32_t>(list.size());
        for (size_t i = 0; i < list.size(); ++i) {
            // Each recipient on its own: a failed lookup or dialogue for one
            // leaves the others to be tried.
            try {
                ctx.ProgressPosition = 0;
                SetSendPosition(ctx, 0);
                ctx.RecipientNumber = static_cast<int32_t>(i + 1);
                std::string server = host;
                std::string u = user, p = password;
                if (direct) {
                    SetSendStatus(ctx, ctx.Text(mtSendDialog_Resolving), true);
                    server = GetMXServerFromEmail(list[i], SmtpTimeoutMs);
                    u.clear();
                    p.clear();
                }
                if (SendSMTPMessage(ctx, from, server, attachments, extras, expandedBody, expandedSubject, list[i], p,
                                    u, port))
                    result = true;
            } catch (const std::exception& e) {
                ReportSmtpFailure(ctx, &e);
            } catch (...) {
                ReportSmtpFailure(ctx, nullptr);
            }
        }
    } catch (const std::exception& e) {
        result = false;
        ReportSmtpFailure(ctx, &e);
    } catch (...) {
        result = false;
        ReportSmtpFailure(ctx, nullptr);
    }
    CloseSendDialog(ctx);
    return result;
}
