#include "editor/crashreport/core/sending/SendReport.h"

#include <windows.h>


#include "editor/crashreport/core/capture/ProcessWindows.h"
#include "editor/crashreport/core/report/ReportFiles.h"
#include "editor/crashreport/core/sending/MapiMail.h"
#include "editor/crashreport/core/sending/SendProgress.h"
#include "editor/crashreport/core/sending/SendRules.h"
#include "editor/crashreport/core/sending/SmtpMail.h"
#include "editor/crashreport/core/sending/WebSending.h"
#include "editor/crashreport/support/archive/ZipWriter.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/system/ComponentThreads.h"
#include "editor/crashreport/support/system/SystemFacts.h"
#include "editor/crashreport/support/texts/CommonStrings.h"
#include "editor/crashreport/support/texts/MessageTypes.h"
#include "editor/crashreport/support/web/HttpUrl.h"
#include "framework/SysUtils.h"

namespace {

bool HasSendOption(const TSendContext& ctx, TCommonSendOption option) {
    return ctx.Options && ctx.Options->CommonSendOptions().Contains(option);
}

bool HasBehaviour(const TSendContext& ctx, TBehaviourOption option) {
    return ctx.Options && ctx.Options->BehaviourOptions().Contains(option);
}

bool FileExists(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void DeleteTemporary(const std::string& path) {
    if (path.empty())
        return;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

void WriteTextFile(const std::string& path, const std::string& text) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
}

void ShowSendMessage(TSendContext& ctx, const std::string& text, unsigned icon) {
    const std::string caption = ctx.Text(mtInformationMsgCaption);
    const unsigned flags = icon | MB_TASKMODAL | MB_TOPMOST | MB_SERVICE_NOTIFICATION;
    if (ctx.ShowMessage)
        ctx.ShowMessage(text, caption, flags);
    else
        MessageBoxA(nullptr, text.c_str(), caption.c_str(), flags);
}

bool RaiseAction(TSendContext& ctx, TZorvikActionType action) {
    bool execute = ctx.SendFlag != 0;
    if (ctx.ActionNotify)
        ctx.ActionNotify(action, execute);
    ctx.SendFlag = execute ? 1 : 0;
    return execute;
}

bool RaiseError(TSendContext& ctx, TZorvikActionType action) {
    bool retry = false;
    if (ctx.ErrorNotify)
        ctx.ErrorNotify(action, retry);
    ctx.RetryFlag = retry ? 1 : 0;
    return retry;
}

void StartDialog(TSendContext& ctx) {
    if (ctx.StartSendDialog)
        ctx.StartSendDialog(!HasSendOption(ctx, sndSendInSeparatedThread));
}

// The files a send made, removed at its end however it ends.
struct TTemporaryFiles {
    TSendContext& Ctx;
    bool LogCopyWritten = false, ExtrasWritten = false, ZipReached = false;
    ~TTemporaryFiles() {
        if (ZipReached)
            DeleteTemporary(Ctx.ZipFile());
        if (ExtrasWritten) {
            DeleteTemporary(Ctx.XMLCopyFile());
            if (!Ctx.CGIProgram)
                DeleteTemporary(Ctx.AttachedLastHTMLPageFile());
        }
        if (LogCopyWritten)
            DeleteTemporary(Ctx.LogCopyFile());
    }
};

// Moves the archive of an unsent report beside the log and prunes the
// copies kept there.
void SaveCompressedCopy(TSendContext& ctx) {
    const std::string zip = ctx.ZipFile();
    if (!FileExists(zip))
        return;
    const std::string folder = ExtractFileFolder(ctx.LogFile);
    const std::string saved = folder + ctx.DecorateReportFileName(zip);
    if (!MoveFileExA(zip.c_str(), saved.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        return;
    PruneSavedReportCopies(folder);
}

}  // namespace

void PrepareAttachments(TSendContext& ctx, bool forMail) {
    const std::vector<std::string> list = ctx.BuildAttachmentList(forMail);
    TStringList files;
    for (const std::string& f : list)
        files.Add(f);
    if (ctx.AttachedFilesRequest)
        ctx.AttachedFilesRequest(files);
    std::vector<std::string> existing;
    for (int i = 0; i < files.Count(); ++i) {
        const std::string path = Trim(files[i]);
        if (!path.empty() && FileExists(path))
            existing.push_back(path);
    }
    const std::string zip = ctx.ZipFile();
    if (!existing.empty()) {
        TZipWriter writer(zip, ctx.Options ? ctx.Options->ZipPassword() : std::string());
        for (const std::string& path : existing)
            writer.AddFile(path, ExtractFileNamePart(path));
        writer.Close();
    }
    ctx.AttachedFiles = {zip};
}

bool SendEmailReport(TSendContext& ctx) {
    ctx.SendFlag = 1;
    if (!RaiseAction(ctx, atSendingEmail))
        return false;
    const TZorvikModuleOptions& o = *ctx.Options;
    bool result = false;
    do {
        ctx.SendFlag = 0;
        const std::string recipients = o.EMailAddresses();
        const std::string subject = o.EMailSubject();
        const std::string message = o.EMailMessage();
        const std::string suffix = o.AppendLogs() ? "\r\n\r\n\r\n" + ctx.LogTextToSend : std::string();
        const TEmailSendMode mode = o.EMailSendMode();
        const bool smtp = mode == esmSMTPClient || mode == esmSMTPServer;
        result = false;
        if (smtp) {
            StartDialog(ctx);
            result = SendSMTPMail(ctx, mode == esmSMTPServer, o.SMTPFrom(), o.SMTPHost(), ctx.AttachedFiles, {},
                                  message + suffix, subject, recipients, o.SMTPPassword(), o.SMTPUserID(), o.SMTPPort());
        } else if (mode == esmEmailClient) {
            result = SendMAPIMail(ctx, recipients, subject, message + suffix, ctx.AttachedFiles, {});
        }
        if (!result && !smtp)
            result = SendByMailClient(ctx, recipients, subject, message);
        ctx.RetryFlag = 0;
        if (!result)
            RaiseError(ctx, atSentEmail);
    } while (ctx.RetryFlag != 0);
    ctx.SendFlag = result ? 1 : 0;
    RaiseAction(ctx, atSentEmail);
    return result;
}

bool SendWebReport(TSendContext& ctx) {
    ctx.SendFlag = 1;
    if (!RaiseAction(ctx, atSendingWebMessage))
        return false;
    const TZorvikModuleOptions& o = *ctx.Options;
    bool result = false;
    do {
        ctx.SendFlag = 0;
        StartDialog(ctx);
        std::string protocol, user, password, host, path;
        int32_t port = 0;
        ElaborateURL(o.WebURL(), protocol, user, password, host, path, port);
        const uint16_t webPort = static_cast<uint16_t>(o.WebPort());
        switch (o.WebSendMode()) {
        case wsmHTTP:
        case wsmHTTPS:
            result = SendByHTTP(ctx, host, path, o.WebUserID(), o.WebPassword(), webPort);
            break;
        case wsmFTP:
            result = SendByFTP(ctx, host, path, o.WebUserID(), o.WebPassword(), webPort);
            break;
        case wsmBugZilla:
        case wsmFogBugz:
        case wsmMantis:
            result = SendToTracker(ctx);
            break;
        default:
            result = false;
            break;
        }
        ctx.RetryFlag = 0;
        if (ctx.SendFlag == 0)
            RaiseError(ctx, atSentWebMessage);
    } while (ctx.RetryFlag != 0);
    RaiseAction(ctx, atSentWebMessage);
    return result;
}

bool SendReport(TSendContext& ctx) {
    if (ctx.Options == nullptr)
        return false;
    const TZorvikModuleOptions& o = *ctx.Options;
    ctx.SendFlag = 1;
    ctx.AttachedFiles.clear();
    ctx.WebFields.Clear();
    ctx.ClosedNoticeShown = false;
    ctx.ClearLastError();

    TTemporaryFiles temporary{ctx};
    bool ok = true;
    try {
        const std::string copy = ctx.LogCopyFile();
        if (!copy.empty()) {
            temporary.LogCopyWritten = true;
            WriteTextFile(copy, LogCopyText(ctx.LogTextToSend));
        }
        temporary.ExtrasWritten = true;
        try {
            SaveLastHTMLPage(ctx, ctx.LastHTMLPage);
            if (ctx.SaveTempXMLCopy)
                ctx.SaveTempXMLCopy();
            else
                SaveTempXMLCopy(ctx, "");
        } catch (...) {
            // A copy that cannot be written is simply not attached.
        }

        temporary.ZipReached = true;
        if (o.EMailSendMode() != esmNoSend) {
            PrepareAttachments(ctx, true);
            ok = SendEmailReport(ctx);
        }
        if (o.WebSendMode() != wsmNoSend) {
            if (o.EMailSendMode() == esmNoSend || o.AppendLogs())
                PrepareAttachments(ctx, false);
            ok = SendWebReport(ctx) && ok;
        }
    } catch (const std::exception& e) {
        ok = false;
        ctx.ReportWarning(eeShowError, std::string("[Send] ") + e.what());
    } catch (...) {
        ok = false;
        ctx.ReportWarning(eeShowError, "General 'Send' error.");
    }

    if (!ok && HasBehaviour(ctx, boCopyLogInCaseOfError))
        CopyTextToClipboard(ctx.ReportText);
    if (HasSendOption(ctx, sndShowSuccessFailureMsg) && !ctx.ClosedNoticeShown)
        ShowSendMessage(ctx, ctx.Text(ok ? mtSend_SuccessMsg : mtSend_FailureMsg), ok ? MB_ICONINFORMATION : MB_ICONERROR);
    if (!ok && HasBehaviour(ctx, boSaveCompressedCopyInCaseOfError))
        SaveCompressedCopy(ctx);
    return ok;
}

namespace {

DWORD WINAPI SendThreadExecute(LPVOID parameter) {
    std::unique_ptr<TSendContext> ctx(static_cast<TSendContext*>(parameter));
    if (ctx->EnterProcessingLock)
        ctx->EnterProcessingLock();
    try {
        SendReport(*ctx);
        if (ctx->AfterSendInThread)
            ctx->AfterSendInThread(*ctx);
    } catch (...) {
        // Nothing of the send may end the program it reports on.
    }
    if (ctx->LeaveProcessingLock)
        ctx->LeaveProcessingLock();
    return 0;
}

}  // namespace

bool StartSending(std::unique_ptr<TSendContext> ctx) {
    if (!ctx)
        return false;
    if (!ctx->InlineProcessing && HasSendOption(*ctx, sndSendInSeparatedThread)) {
        TSendContext* raw = ctx.release();
        HANDLE thread = CreateComponentThread(SendThreadExecute, raw, CREATE_SUSPENDED);
        if (thread != nullptr) {
            SetThreadPriority(thread, THREAD_PRIORITY_HIGHEST);
            ResumeThread(thread);
            CloseHandle(thread);
            return true;
        }
        ctx.reset(raw);
    }
    SendReport(*ctx);
    return false;
}

void CheckAutoCrash(const TSendContext& ctx, const std::vector<double>& crashTimes,
                    const std::function<void(TTerminateBtnOperation)>& terminate) {
    DeleteTemporary(ctx.ScreenshotFile());
    if (ctx.Options == nullptr || IntoIDE())
        return;
    const TZorvikModuleOptions& o = *ctx.Options;
    if (o.AutoCrashOperation() == tbNone)
        return;
    if (AutoCrashDue(crashTimes, o.AutoCrashNumber(), o.AutoCrashMinutes()))
        terminate ? terminate(o.AutoCrashOperation()) : TerminateApplication(o.AutoCrashOperation() == tbRestart);
}

void FinishProcessing(bool terminationRequested, TTerminateBtnOperation terminateBtnOperation,
                      bool consoleMainThreadException) {
    if (terminationRequested)
        TerminateApplication(terminateBtnOperation == tbRestart);
    if (consoleMainThreadException)
        TerminateProcess(GetCurrentProcess(), 1);
}
