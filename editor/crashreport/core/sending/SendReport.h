#pragma once
// The send of a processed report: the files that go with it packed into one
// zip archive, the e-mail road and the web road as the options select, the
// action and error events around each, the final message, the clipboard copy
// and the saved copy of an unsent report, and the temporary files removed.
// It runs in the processing thread or in a send thread of its own.
#include <memory>
#include <vector>

#include "editor/crashreport/core/sending/SendContext.h"
#include "editor/crashreport/support/options/OptionTypes.h"

// Runs the send inline, or hands the context to a new send thread when the
// options ask for one and the processing does not run inline. The processing
// does not wait for the thread. True when a send thread took the send.
bool StartSending(std::unique_ptr<TSendContext> ctx);
// The whole send; true when every selected road succeeded.
bool SendReport(TSendContext& ctx);
// The attachment list, the AttachedFilesRequest event, the missing files
// dropped, the zip archive written; AttachedFiles ends as the archive alone.
void PrepareAttachments(TSendContext& ctx, bool forMail);
bool SendEmailReport(TSendContext& ctx);
bool SendWebReport(TSendContext& ctx);

// The processing's tail, after the send: the temporary screenshot removed,
// then, outside the development environment, the auto-crash rule:
// `terminate` with AutoCrashOperation when it is due. Without `terminate`
// the program ends at once (exit code 1, started again for tbRestart).
void CheckAutoCrash(const TSendContext& ctx, const std::vector<double>& crashTimes,
                    const std::function<void(TTerminateBtnOperation)>& terminate);
// Ends the program when termination was asked for this exception: exit
// code 1, started again first (its command line, in the folder it started
// in) for tbRestart. A console program whose main thread raised it ends
// with exit code 1.
void FinishProcessing(bool terminationRequested, TTerminateBtnOperation terminateBtnOperation,
                      bool consoleMainThreadException);
