#include "editor/crashreport/core/sending/WebSending.h"

#include <windows.h>

#include <cmath>

#include "editor/crashreport/core/sending/SendProgress.h"
#include "editor/crashreport/core/sending/WebSendTexts.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/system/EnvVariables.h"
#include "editor/crashreport/support/system/SystemFacts.h"
#include "editor/crashreport/support/web/HttpUrl.h"
#include "editor/crashreport/support/web/WebSettings.h"
#include "editor/crashreport/support/web/WebUploads.h"
#include "editor/crashreport/support/web/WinInetChannel.h"

std::function<std::unique_ptr<THttpChannel>()> WebChannelMaker = [] { return NewWinInetChannel(); };

THTTPConnection::THTTPConnection(TSendContext& ctx, const std::string& url, const std::string& proxyUrl,
                                 std::unique_ptr<THttpChannel> channel)
    : THTTPConnectionBase(url, proxyUrl, std::move(channel)), FContext(ctx) {}

void THTTPConnection::SetSendState(TSendState state, int32_t value) {
    if (FContext.DialogWindow() == 0)
        return;
    const TSendStateStep step = SendStateStep(state, value, FContext.ProgressPosition);
    if (step.ResetFirst)
        FContext.ProgressPosition = 0;
    SetSendStatus(FContext, FContext.Text(step.Text), false);
    SetSendPosition(FContext, step.Position);
}

namespace {

TUploadProgress UploadProgress(TSendContext& ctx) {
    return [&ctx](TConnectionType stage, int64_t total, int64_t done) {
        switch (stage) {
        case TConnectionType::ctConnection:
            ctx.ProgressPosition = 0;
            SetSendPosition(ctx, 0);
            SetSendStatus(ctx, ctx.Text(mtSendDialog_Connecting), false);
            break;
        case TConnectionType::ctConnected:
            SetSendStatus(ctx, ctx.Text(mtSendDialog_Connected), false);
            break;
        case TConnectionType::ctSending:
            SetSendStatus(ctx, ctx.Text(mtSendDialog_Sending), false);
            if (total > 0)
                SetSendPosition(ctx, static_cast<int32_t>(std::llround(static_cast<double>(done) / total * 100.0)));
            break;
        }
    };
}

void SetProxyFromOptions(const TZorvikModuleOptions* options) {
    if (options == nullptr)
        return;
    SetProxyServer(options->ProxyURL(), options->ProxyPort());
    SetProxyAuthenticationData(options->ProxyUserID(), options->ProxyPassword());
}

std::vector<std::string> TravelNames(const TSendContext& ctx) {
    std::vector<std::string> names;
    for (const std::string& f : ctx.AttachedFiles)
        names.push_back(ctx.DecorateReportFileName(f));
    return names;
}

bool ReportUpload(TSendContext& ctx, uint32_t code, const std::string& label, TZorvikLogErrorCode errorCode,
                  const std::string& errorText) {
    if (code == 0) {
        ctx.SendFlag = 1;
        return true;
    }
    ctx.ReportWarning(errorCode, UploadFailureText(label, static_cast<int32_t>(code), errorText));
    return false;
}

}  // namespace

bool SendByHTTP(TSendContext& ctx, const std::string& host, const std::string& path, const std::string& user,
                const std::string& password, uint16_t port) {
    if (ctx.CustomWebFieldsRequest)
        ctx.CustomWebFieldsRequest(ctx.WebFields);
    SetProxyFromOptions(ctx.Options);
    const bool secure = ctx.Options && ctx.Options->WebSendMode() == wsmHTTPS;
    const std::string label = secure ? "HTTPS" : "HTTP";
    const TZorvikLogErrorCode errorCode = secure ? eeWebHTTPSError : eeWebHTTPError;
    const std::vector<std::string> names = TravelNames(ctx);
    uint32_t code = 0;
    std::string errorText;
    if (!ctx.AttachedFiles.empty())
        code = HTTPUploadFiles(host, path, user, password, port, secure, ctx.AttachedFiles, names, ctx.WebFields,
                               UploadProgress(ctx), errorText);
    CloseSendDialog(ctx);
    return ReportUpload(ctx, code, label, errorCode, errorText);
}

bool SendByFTP(TSendContext& ctx, const std::string& host, const std::string& path, const std::string& user,
               const std::string& password, uint16_t port) {
    SetProxyFromOptions(ctx.Options);
    const std::vector<std::string> names = TravelNames(ctx);
    std::string errorText;
    const uint32_t code =
        FTPUploadFiles(host, path, user, password, port, ctx.AttachedFiles, names, UploadProgress(ctx), errorText);
    CloseSendDialog(ctx);
    return ReportUpload(ctx, code, "FTP", eeWebFTPError, errorText);
}

bool SendToTracker(TSendContext& ctx) {
    const TZorvikModuleOptions* o = ctx.Options;
    if (o == nullptr)
        return false;
    TTrackerReport report;
    report.AttachedFile = ctx.AttachedFiles.empty() ? std::string() : ctx.AttachedFiles.front();
    std::string site = o->WebURL();
    AddAuthenticationToURL(site, o->WebUserID(), o->WebPassword(), o->WebPort());
    std::string proxy = o->ProxyURL();
    AddAuthenticationToURL(proxy, o->ProxyUserID(), o->ProxyPassword(), o->ProxyPort());
    report.SiteURL = site;
    report.ProxyURL = proxy;

    THTTPSendReportClass driver;
    switch (o->WebSendMode()) {
    case wsmBugZilla: driver = NewSendReport<THTTPBugzillaSendReport>; break;
    case wsmFogBugz: driver = NewSendReport<THTTPFogBugzSendReport>; break;
    default: driver = NewSendReport<THTTPMantisSendReport>; break;
    }

    if (ctx.CustomWebFieldsRequest)
        ctx.CustomWebFieldsRequest(ctx.WebFields);
    TStringList fields;
    fields.AddStrings(ctx.WebFields);
    AddBuiltInWebFields(fields, o->TrakerTrialID(), GetWindowsTypeText(), GetWindowsBuildText(), o->ReproduceText());
    for (int i = 0; i < fields.Count(); ++i)
        report.WebFields.push_back(fields[i]);

    report.Version = ctx.Version;
    report.ClassName = ctx.ExceptionClassName.empty() ? "Unknown exception type" : ctx.ExceptionClassName;
    report.Message = ctx.ExceptionMessage;
    report.BugIdentifier = ctx.BugIdentifier;
    report.User = o->TrakerUserID();
    report.Password = o->TrakerPassword();
    report.Project = ExpandEnvVars(o->TrakerProject());
    report.Category = ExpandEnvVars(o->TrakerCategory());
    report.AssignTo = ExpandEnvVars(o->TrakerAssignTo());

    THTTPConnectionClass connections = [&ctx](const std::string& url, const std::string& proxyUrl) {
        return std::unique_ptr<THTTPConnectionBase>(
            std::make_unique<THTTPConnection>(ctx, url, proxyUrl, WebChannelMaker()));
    };
    THTTPResponse response;
    TSendResult result = TSendResult::srUnknownError;
    // A connection that cannot be opened or closed raises: it is this road's
    // failure, reported like any other, and the send goes on to its end.
    try {
        result = SendWebTrakerReport(connections, driver, report, response);
    } catch (const std::exception& e) {
        CloseSendDialog(ctx);
        ctx.ReportWarning(eeWebTrakerError, TrackerFailureText(ctx.Text(mtSend_UnknownErrorMsg), 0, e.what()));
        return false;
    } catch (...) {
        CloseSendDialog(ctx);
        ctx.ReportWarning(eeWebTrakerError, TrackerFailureText(ctx.Text(mtSend_UnknownErrorMsg), 0, "General 'Tracker' error."));
        return false;
    }
    const bool dialogOpen = ctx.DialogWindow() != 0;
    CloseSendDialog(ctx);
    if (result == TSendResult::srBugClosed && dialogOpen) {
        const unsigned flags = MB_ICONINFORMATION | MB_TASKMODAL | MB_TOPMOST | MB_SERVICE_NOTIFICATION;
        if (ctx.ShowMessage)
            ctx.ShowMessage(ctx.Text(mtSend_BugClosedMsg), ctx.Text(mtInformationMsgCaption), flags);
        else
            MessageBoxA(nullptr, ctx.Text(mtSend_BugClosedMsg).c_str(), ctx.Text(mtInformationMsgCaption).c_str(), flags);
        ctx.ClosedNoticeShown = true;
    }
    if (result == TSendResult::srOK || result == TSendResult::srBugClosed) {
        ctx.SendFlag = 1;
        return true;
    }
    ctx.ReportWarning(eeWebTrakerError, TrackerFailureText(ctx.Text(TrackerResultText(result)), response.ErrorCode,
                                                           response.ErrorMessage));
    return false;
}
