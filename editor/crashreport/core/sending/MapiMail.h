#pragma once
// The report handed to the user's mail program: through Simple MAPI (the
// default mail client's own library, else "mapi32.dll"), and, when that
// fails, by starting the program registered for mailto links.
#include <string>
#include <vector>

#include "editor/crashreport/core/sending/MailClientText.h"
#include "editor/crashreport/core/sending/SendContext.h"

class TZorvikModuleOptions;

// True when the mail program took the message or the user cancelled it.
// Failures are reported with eeEmailMAPIError.
bool SendMAPIMail(TSendContext& ctx, const std::string& recipients, const std::string& subject,
                  const std::string& body, const std::vector<std::string>& attachments,
                  const std::vector<std::string>& extras);

// For other code: the attachments one text split at "," and ";".
bool ZorvikLogSendEmail(const std::string& recipients, const std::string& subject, const std::string& body,
                        const std::string& attachments, TZorvikModuleOptions* options = nullptr);

// Starts the mailto program with subject and message + the report and waits
// until it ends; true when it started and ended normally. Failures are
// reported with eeEmailShellError.
bool SendByMailClient(TSendContext& ctx, const std::string& recipients, const std::string& subject,
                      const std::string& message);

// The default mail client's MAPI library ("DLLPath", the user's, else the
// machine's), environment references expanded; "" when none.
std::string MailClientLibraryPath();
// The registered mailto command (environment references expanded).
std::string MailtoCommand();
// The message record as SendMAPIMail hands it over, for a context.
TMapiMailRecord MapiMailRecordFor(const TSendContext& ctx, const std::string& recipients, const std::string& subject,
                                  const std::string& body, const std::vector<std::string>& attachments,
                                  const std::vector<std::string>& extras);
