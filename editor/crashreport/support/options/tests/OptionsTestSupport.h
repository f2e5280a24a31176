#pragma once
// Options that count their publications, and fake module handles: "self.exe"
// is the module holding the code, "other.dll" another one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/crashreport/support/options/ModuleOptions.h"
#include "framework/Streams.h"

class CountingOptions : public TZorvikModuleOptions {
public:
    explicit CountingOptions(const std::string& moduleName = "self.exe") : TZorvikModuleOptions(moduleName) {}
    void StoreSharedData() override { ++Stores; }
    void SetFreezeActivate(bool value) override
    {
        ++FreezeSetterCalls;
        TZorvikModuleOptions::SetFreezeActivate(value);
    }
    int Stores = 0;
    int FreezeSetterCalls = 0;
};

class FakeModules : public ::testing::Test {
protected:
    void SetUp() override
    {
        zorvik_testing::SetModuleLookup(
            [](const std::string& name) -> TModuleHandle {
                if (name == "self.exe") return 0x400000;
                if (name == "other.dll") return 0x10000000;
                return 0;
            },
            0x400000);
    }
    void TearDown() override { zorvik_testing::SetModuleLookup(nullptr, 0); }
};

inline std::vector<uint8_t> StreamBytes(TZorvikModuleOptions& options)
{
    TMemoryStream stream;
    options.SaveToStream(stream);
    return stream.Bytes();
}

// Every option changed away from its default, filters and texts included.
inline void ChangeEveryOption(TZorvikModuleOptions& o)
{
    o.SetSMTPFrom("from@example.org");
    o.SetSMTPHost("smtp.example.org");
    o.SetSMTPUserID("smtp-user");
    o.SetSMTPPassword("smtp-pass");
    o.SetSMTPPort(587);
    o.SetProxyURL("proxy.example.org");
    o.SetProxyUserID("proxy-user");
    o.SetProxyPassword("proxy-pass");
    o.SetProxyPort(3128);
    o.SetTrakerUserID("tracker-user");
    o.SetTrakerPassword("tracker-pass");
    o.SetTrakerAssignTo("developer");
    o.SetTrakerProject("Tessaly");
    o.SetTrakerCategory("Crash");
    o.SetTrakerTrialID("trial");
    o.SetZipPassword("zip-pass");
    o.SetCompiledFileOptions(TCompiledFileOptions::FromBits(2));
    o.SetTerminateBtnOperation(tbTerminate);
    o.SetFreezeActivate(true);
    o.SetFreezeTimeout(15);
    o.SetShowOptions(TShowOptions::FromBits(0x0000A5A5A5A5A5A5ull));
    o.SetExceptionDialogType(edtZorvikLog);
    o.SetTextsCollection("Dutch");
    o.SetActivateLog(true);
    o.SetActivateHandle(false);
    o.SetAppendLogs(true);
    o.SetSaveLogFile(false);
    o.SetLogOptions({loNoDuplicateErrors, loAddComputerNameInLogFileName});
    o.SetCommonSendOptions({sndSendXMLLogCopy, sndAddComputerNameInFileName});
    o.SetForegroundTab(ftAssembler);
    o.SetErrorsNumberToSave(7);
    o.SetErrorsNumberToShowTerminateBtn(9);
    o.SetOutputPath("C:\\Logs\\crash.zvf");
    o.SetEMailAddresses("a@example.org;b@example.org");
    o.SetEMailSubject("A crash");
    o.SetEMailMessage("Line one\r\nLine two");
    o.SetEMailSendMode(esmSMTPServer);
    o.SetWebSendMode(wsmMantis);
    o.SetAttachedFiles("a.txt;b.txt");
    o.SetExceptionDialogOptions({edoShowInDetailedMode, edoShowCustomButton});
    o.SetAutoCloseDialogSecs(30);
    o.SetSupportURL("http://example.org/support");
    o.SetHTMLLayout("<p><%HTML_TAG%></p>");
    o.SetAutoCrashOperation(tbTerminate);
    o.SetAutoCrashNumber(4);
    o.SetAutoCrashMinutes(2);
    o.SetCallStackOptions({csoDoNotStoreProcNames});
    o.SetBehaviourOptions({boPauseFrameworkThreads, boCatchHandledExceptions});
    o.SetWebURL("http://example.org/bugs");
    o.SetWebPort(8443);
    o.SetWebPassword("web-pass");
    o.SetWebUserID("web-user");
    o.ExceptionsFilters()->Add({true, "EConvertError", "Bad number: %UserName%", fetHandled, fdtMessageBox, fhtRTL,
                                fatTerminate});
    o.ExceptionsFilters()->Add({false, "EAbort", "", fetAll, fdtNone, fhtNone, fatRestart});
    for (int id = 0; id < MessageTypeCount; ++id)
        o.SetCustomizedTexts(static_cast<TMessageType>(id), "Text " + std::to_string(id));
    o.SetCustomizedTexts(mtDialog_ErrorMsgCaption, "First line\r\nSecond line");
}
