#include "editor/crashreport/support/options/ModuleOptions.h"

#include "editor/crashreport/support/system/EnvVariables.h"
#include "framework/Exceptions.h"

const char* const DefaultSMTPFrom = "crash.report@example.com";

std::string DefaultHTMLLayout()
{
    static const struct {
        int blanks;
        const char* text;
    } lines[] = {
        {0, "<html>"},
        {2, "<head>"},
        {2, "</head>"},
        {2, "<body TopMargin=10 LeftMargin=10>"},
        {4, "<table width=\"100%\" border=\"0\">"},
        {6, "<tr>"},
        {8, "<td nowrap>"},
        {10, "<font face=\"Lucida Console, Courier\" size=\"2\">"},
        {12, "<%HTML_TAG%>"},
        {10, "</font>"},
        {8, "</td>"},
        {6, "</tr>"},
        {4, "</table>"},
        {2, "</body>"},
        {0, "</html>"},
    };
    std::string page;
    for (const auto& line : lines) {
        if (!page.empty()) page += "\r\n";
        page.append(line.blanks, ' ');
        page += line.text;
    }
    return page;
}

TZorvikModuleOptions::TZorvikModuleOptions(const std::string& moduleName)
    : FModuleName(moduleName),
      FModuleHandle(ModuleHandleOf(moduleName)),
      FExceptionsFilters(std::make_unique<TZorvikExceptionsFilters>(this))
{
    // A subclass's StoreSharedData is not reachable from here: a subclass that
    // publishes calls SaveToSharedData once its own construction is done.
    TZorvikModuleOptions::SetToDefaultOptions();
    FPublishBlockCount = 0;
}

TZorvikModuleOptions::~TZorvikModuleOptions()
{
    // Never publish a half-destroyed object (freeing the filters would).
    DisableSharedDataWrite();
    FExceptionsFilters.reset();
}

void TZorvikModuleOptions::SaveToSharedData()
{
    if (FPublishBlockCount > 0) return;
    // Options that describe another module are that module's to publish.
    if (FModuleHandle == CurrentModuleHandle()) StoreSharedData();
}

void TZorvikModuleOptions::EndHeldPublishing()
{
    EnableSharedDataWrite();
    SaveToSharedData();
}

void TZorvikModuleOptions::SetActive(bool value)
{
    FActive = value;
    SaveToSharedData();
}

void TZorvikModuleOptions::SetFreezeActivate(bool value)
{
    FFreezeActivate = value;
    SaveToSharedData();
}

void TZorvikModuleOptions::SetErrorsNumberToSave(int32_t value)
{
    FErrorsNumberToSave = value == 0 ? 1 : value;
    SaveToSharedData();
}

void TZorvikModuleOptions::SetExceptionsFilters(std::unique_ptr<TZorvikExceptionsFilters> filters)
{
    if (!filters) filters = std::make_unique<TZorvikExceptionsFilters>(this);
    filters->SetOwner(this);
    FExceptionsFilters = std::move(filters);
    SaveToSharedData();
}

const std::string& TZorvikModuleOptions::GetCustomizedTexts(TMessageType id) const
{
    static const std::string none;
    return id < MessageTypeCount ? FCustomizedTexts[id] : none;
}

void TZorvikModuleOptions::SetCustomizedTexts(TMessageType id, const std::string& text)
{
    if (id >= MessageTypeCount) return;
    FCustomizedTexts[id] = text;
    SaveToSharedData();
}

std::string TZorvikModuleOptions::GetCustomizedExpandedTexts(TMessageType id) const
{
    return ExpandEnvVars(GetCustomizedTexts(id));
}

void TZorvikModuleOptions::SaveCustomizedTextsToFile(const std::string& fileName, TProfileStore& store)
{
    ::SaveCustomizedTextsToFile(store, FCustomizedTexts, fileName);
    SetTextsCollection(TextsCollectionName(fileName));
}

void TZorvikModuleOptions::LoadCustomizedTextsFromFile(const std::string& fileName, TProfileStore& store)
{
    WithPublishingHeld([&] {
        ::LoadCustomizedTextsFromFile(store, FCustomizedTexts, fileName);
        SetTextsCollection(TextsCollectionName(fileName));
    });
}

void TZorvikModuleOptions::SetToDefaultOptions()
{
    WithPublishingHeld([this] { ApplyDefaults(); });
}

void TZorvikModuleOptions::ApplyDefaults()
{
    for (int id = 0; id < MessageTypeCount; ++id) FCustomizedTexts[id] = DefaultMessageText(id);
    FTextsCollection = "English";
    FSMTPFrom = DefaultSMTPFrom;
    FSMTPHost.clear();
    FSMTPUserID.clear();
    FSMTPPassword.clear();
    FSMTPPort = 25;
    FProxyURL.clear();
    FProxyUserID.clear();
    FProxyPassword.clear();
    FProxyPort = 8080;
    FTrakerUserID.clear();
    FTrakerPassword.clear();
    FTrakerAssignTo.clear();
    FTrakerProject.clear();
    FTrakerCategory.clear();
    FTrakerTrialID.clear();
    FZipPassword.clear();
    FPreBuildEvent.clear();
    FPostSuccessfulBuildEvent.clear();
    FPostFailureBuildEvent.clear();
    FCompiledFileOptions = {cfoReduceFileSize};
    FTerminateBtnOperation = tbRestart;
    FFreezeActivate = false;
    FFreezeTimeout = 60;
    FShowOptions = AllShowOptions();
    FExceptionDialogType = edtMSClassic;
    FActivateLog = false;
    FActivateHandle = true;
    FAppendLogs = false;
    FSaveLogFile = true;
    FLogOptions = {loSaveModulesAndProcessesSections, loSaveAssemblerAndCPUSections};
    FCommonSendOptions = {sndShowSendDialog, sndSendScreenshot, sndSendLastHTMLPage};
    FForegroundTab = ftGeneral;
    FErrorsNumberToSave = 32;
    FErrorsNumberToShowTerminateBtn = 3;
    FOutputPath.clear();
    FEMailAddresses.clear();
    FEMailSubject.clear();
    FEMailMessage.clear();
    FEMailSendMode = esmNoSend;
    FWebSendMode = wsmNoSend;
    FAttachedFiles.clear();
    FExceptionDialogOptions = {edoSendErrorReportChecked,  edoAttachScreenshotChecked,   edoShowCopyToClipOption,
                               edoShowDetailsButton,       edoShowSendErrorReportOption, edoShowAttachScreenshotOption};
    FAutoCloseDialogSecs = 0;
    FSupportURL.clear();
    FHTMLLayout = DefaultHTMLLayout();
    FAutoCrashOperation = tbRestart;
    FAutoCrashNumber = 10;
    FAutoCrashMinutes = 1;
    FCallStackOptions = {csoShowDLLs, csoShowBPLs, csoShowFrameworkThreads, csoShowWindowsThreads};
    FBehaviourOptions = {boUseMainModuleOptions, boCopyLogInCaseOfError, boHandleSafeCallExceptions};
    FLeaksOptions = {loGroupsSonLeaks, loHideFrameworkLeaks, loFreeAllLeaks, loCatchLeaksExceptions};
    FWebURL.clear();
    FWebPort = 0;
    FWebPassword.clear();
    FWebUserID.clear();
    FExceptionsFilters->Clear();
    FReproduceText.clear();
    FActive = true;
}

void TZorvikModuleOptions::Assign(const TZorvikModuleOptions* source)
{
    if (source == nullptr) throw EConvertError("Impossible to assign nil as TZorvikModuleOptions.");
    if (source == this) return;
    const TZorvikModuleOptions& s = *source;
    WithPublishingHeld([&] {
        FExceptionsFilters->Assign(*s.FExceptionsFilters);
        FCustomizedTexts = s.FCustomizedTexts;
        SetTextsCollection(s.FTextsCollection);
        SetActivateLog(s.FActivateLog);
        SetSaveLogFile(s.FSaveLogFile);
        SetFreezeActivate(s.FFreezeActivate);  // virtual: a watchdog follows the flag
        SetFreezeTimeout(s.FFreezeTimeout);
        SetSMTPFrom(s.FSMTPFrom);
        SetSMTPHost(s.FSMTPHost);
        SetSMTPPort(s.FSMTPPort);
        SetSMTPUserID(s.FSMTPUserID);
        SetSMTPPassword(s.FSMTPPassword);
        SetForegroundTab(s.FForegroundTab);
        SetActivateHandle(s.FActivateHandle);
        SetAppendLogs(s.FAppendLogs);
        SetTerminateBtnOperation(s.FTerminateBtnOperation);
        SetLogOptions(s.FLogOptions);
        SetErrorsNumberToSave(s.FErrorsNumberToSave);
        SetErrorsNumberToShowTerminateBtn(s.FErrorsNumberToShowTerminateBtn);
        SetOutputPath(s.FOutputPath);
        SetEMailAddresses(s.FEMailAddresses);
        SetEMailSubject(s.FEMailSubject);
        SetEMailMessage(s.FEMailMessage);
        SetEMailSendMode(s.FEMailSendMode);
        SetShowOptions(s.FShowOptions);
        SetWebSendMode(s.FWebSendMode);
        SetWebURL(s.FWebURL);
        SetWebUserID(s.FWebUserID);
        SetWebPassword(s.FWebPassword);
        SetWebPort(s.FWebPort);
        SetCommonSendOptions(s.FCommonSendOptions);
        SetAttachedFiles(s.FAttachedFiles);
        SetExceptionDialogOptions(s.FExceptionDialogOptions);
        SetAutoCloseDialogSecs(s.FAutoCloseDialogSecs);
        SetSupportURL(s.FSupportURL);
        SetHTMLLayout(s.FHTMLLayout);
        SetCallStackOptions(s.FCallStackOptions);
        SetBehaviourOptions(s.FBehaviourOptions);
        SetAutoCrashOperation(s.FAutoCrashOperation);
        SetAutoCrashNumber(s.FAutoCrashNumber);
        SetAutoCrashMinutes(s.FAutoCrashMinutes);
        SetProxyURL(s.FProxyURL);
        SetProxyUserID(s.FProxyUserID);
        SetProxyPassword(s.FProxyPassword);
        SetProxyPort(s.FProxyPort);
        SetTrakerUserID(s.FTrakerUserID);
        SetTrakerPassword(s.FTrakerPassword);
        SetTrakerAssignTo(s.FTrakerAssignTo);
        SetTrakerProject(s.FTrakerProject);
        SetTrakerCategory(s.FTrakerCategory);
        SetTrakerTrialID(s.FTrakerTrialID);
        SetZipPassword(s.FZipPassword);
        SetPreBuildEvent(s.FPreBuildEvent);
        SetPostSuccessfulBuildEvent(s.FPostSuccessfulBuildEvent);
        SetPostFailureBuildEvent(s.FPostFailureBuildEvent);
        SetCompiledFileOptions(s.FCompiledFileOptions);
        SetExceptionDialogType(s.FExceptionDialogType);
        FLeaksOptions = s.FLeaksOptions;
        FReproduceText = s.FReproduceText;
    });
}
