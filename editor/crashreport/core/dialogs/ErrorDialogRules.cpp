#include "editor/crashreport/core/dialogs/ErrorDialogRules.h"

#include "editor/crashreport/core/dialogs/DialogFlags.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "framework/SysUtils.h"

bool SendModeSet(const TZorvikModuleOptions& o)
{
    return o.EMailSendMode() != esmNoSend || o.WebSendMode() != wsmNoSend;
}

bool ClassicSendOptionShown(const TZorvikModuleOptions& o, bool duplicate)
{
    return SendModeSet(o) && !duplicate && o.ExceptionDialogOptions().Contains(edoShowSendErrorReportOption);
}

bool ShowTerminateCheck(const TZorvikModuleOptions& o, int32_t errorsCount)
{
    return o.TerminateBtnOperation() != tbNone && o.ErrorsNumberToShowTerminateBtn() < errorsCount;
}

TClassicLayoutInput ClassicLayoutInput(const TZorvikModuleOptions& o, const std::string& message,
                                       int32_t errorsCount, bool sendOptionShown, bool sendCheck)
{
    auto text = [&](TMessageType id) { return o.GetCustomizedExpandedTexts(id); };
    TClassicLayoutInput in;
    in.Title = text(mtMSDialog_ErrorMsgCaption);
    in.Message = message;
    in.TerminateCaption =
        text(o.TerminateBtnOperation() == tbTerminate ? mtMSDialog_TerminateCaption : mtMSDialog_RestartCaption);
    in.Please = text(mtMSDialog_PleaseCaption);
    in.Description = text(mtMSDialog_DescriptionCaption);
    in.SeeDetails = text(mtMSDialog_SeeDetailsCaption);
    in.SeeClick = text(mtMSDialog_SeeClickCaption);
    in.HowToReproduce = text(mtMSDialog_HowToReproduceCaption);
    in.EmailCaption = text(mtMSDialog_EmailCaption);
    in.SendCaption = text(mtMSDialog_SendButtonCaption);
    in.NoSendCaption = text(mtMSDialog_NoSendButtonCaption);
    in.OKCaption = text(mtDialog_OKButtonCaption);
    in.CustomCaption = text(mtDialog_CustomButtonCaption);
    in.ShowTerminate = ShowTerminateCheck(o, errorsCount);
    in.SendOptionShown = sendOptionShown;
    in.ShowDetailsLink = o.ExceptionDialogOptions().Contains(edoShowDetailsButton);
    in.ShowReproduce = o.LogOptions().Contains(loAppendReproduceText);
    in.ShowEmail = sendOptionShown && (o.EMailSendMode() != esmEmailClient || o.WebSendMode() != wsmNoSend);
    in.ShowCustomButton = o.ExceptionDialogOptions().Contains(edoShowCustomButton);
    in.SendCheck = sendCheck;
    return in;
}

TEmailCheck CheckUserEmail(const std::string& email)
{
    const std::string e = Trim(email);
    if (e.empty())
        return ecEmpty;
    return e.find('@') != std::string::npos && e.find('.') != std::string::npos ? ecValid : ecInvalid;
}

std::string ReplaceUserEmailLine(const std::string& report, const std::string& email)
{
    const std::string marker = "\r\n  3.3 ";
    const size_t item = report.find(marker);
    if (item == std::string::npos)
        return report;
    const size_t lineStart = item + 2;
    size_t lineEnd = report.find("\r\n", lineStart);
    if (lineEnd == std::string::npos)
        lineEnd = report.size();
    const size_t colon = report.find(": ", lineStart);
    if (colon == std::string::npos || colon >= lineEnd)
        return report;
    return report.substr(0, colon + 2) + email + report.substr(lineEnd);
}

bool ShouldAskReproduceText(const TZorvikModuleOptions& o, const TDialogFlags& flags, bool guiProgram)
{
    if (!o.LogOptions().Contains(loAppendReproduceText) || !guiProgram || flags.DuplicateFlag)
        return false;
    if (!flags.SendCheck && !o.SaveLogFile())
        return false;
    return !flags.DialogFailed;
}

bool ShouldShowSendDialog(const TZorvikModuleOptions& o, const TDialogFlags& flags, bool guiProgram)
{
    return o.CommonSendOptions().Contains(sndShowSendDialog) && SendModeSet(o) && guiProgram && !flags.DialogFailed;
}

bool WaitForSendDialog(const std::function<bool()>& focused, const std::function<bool(uint32_t)>& waitForEnd,
                       const std::function<uint32_t()>& tickCount, uint32_t limitMs)
{
    const uint32_t start = tickCount();
    while (!focused()) {
        if (waitForEnd(50))
            return focused();
        if (tickCount() - start >= limitMs)
            return false;
    }
    return true;
}
