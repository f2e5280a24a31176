#include <gtest/gtest.h>

#include <functional>

#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/options/OptionsStream.h"
#include "editor/crashreport/support/options/tests/OptionsTestSupport.h"
#include "framework/Exceptions.h"

namespace {

class ModuleOptions : public FakeModules {};

TEST_F(ModuleOptions, NewOptionsHoldTheDefaults)
{
    TZorvikModuleOptions o("self.exe");
    EXPECT_EQ(o.ModuleName(), "self.exe");
    EXPECT_EQ(o.ModuleHandle(), 0x400000u);
    EXPECT_EQ(o.PublishBlockCount(), 0);
    EXPECT_EQ(o.SMTPFrom(), DefaultSMTPFrom);
    EXPECT_EQ(o.SMTPHost(), "");
    EXPECT_EQ(o.SMTPPort(), 25);
    EXPECT_EQ(o.ProxyPort(), 8080);
    EXPECT_EQ(o.CompiledFileOptions(), TCompiledFileOptions{cfoReduceFileSize});
    EXPECT_EQ(o.TerminateBtnOperation(), tbRestart);
    EXPECT_FALSE(o.FreezeActivate());
    EXPECT_EQ(o.FreezeTimeout(), 60);
    EXPECT_EQ(o.ShowOptions().Bits(), 0xFFFFFFFFFFFFull);
    EXPECT_EQ(o.ExceptionDialogType(), edtMSClassic);
    EXPECT_EQ(o.ExceptionsFilters()->Count(), 0);
    EXPECT_EQ(o.TextsCollection(), "English");
    EXPECT_FALSE(o.ActivateLog());
    EXPECT_TRUE(o.ActivateHandle());
    EXPECT_FALSE(o.AppendLogs());
    EXPECT_TRUE(o.SaveLogFile());
    EXPECT_EQ(o.LogOptions().Bits(), 0x30u);
    EXPECT_EQ(o.CommonSendOptions().Bits(), 0x51u);
    EXPECT_EQ(o.ForegroundTab(), ftGeneral);
    EXPECT_EQ(o.ErrorsNumberToSave(), 32);
    EXPECT_EQ(o.ErrorsNumberToShowTerminateBtn(), 3);
    EXPECT_EQ(o.EMailSendMode(), esmNoSend);
    EXPECT_EQ(o.WebSendMode(), wsmNoSend);
    EXPECT_EQ(o.ExceptionDialogOptions().Bits(), 0x18Fu);
    EXPECT_EQ(o.AutoCloseDialogSecs(), 0);
    EXPECT_EQ(o.AutoCrashOperation(), tbRestart);
    EXPECT_EQ(o.AutoCrashNumber(), 10);
    EXPECT_EQ(o.AutoCrashMinutes(), 1);
    EXPECT_EQ(o.CallStackOptions().Bits(), 0x0Fu);
    EXPECT_EQ(o.BehaviourOptions().Bits(), 0x58u);
    EXPECT_EQ(o.LeaksOptions().Bits(), 0x1Eu);
    EXPECT_EQ(o.WebPort(), 0);
    EXPECT_TRUE(o.Active());
    for (int id = 0; id < MessageTypeCount; ++id)
        EXPECT_EQ(o.GetCustomizedTexts(static_cast<TMessageType>(id)), DefaultMessageText(id)) << id;
    EXPECT_EQ(o.HTMLLayout(),
              "<html>\r\n  <head>\r\n  </head>\r\n  <body TopMargin=10 LeftMargin=10>\r\n"
              "    <table width=\"100%\" border=\"0\">\r\n      <tr>\r\n        <td nowrap>\r\n"
              "          <font face=\"Lucida Console, Courier\" size=\"2\">\r\n            <%HTML_TAG%>\r\n"
              "          </font>\r\n        </td>\r\n      </tr>\r\n    </table>\r\n  </body>\r\n</html>");

    TZorvikModuleOptions nameless("");
    EXPECT_EQ(nameless.ModuleHandle(), 0u);
}

using Setter = std::function<void(TZorvikModuleOptions&)>;
#define SETTER(Name, value) {#Name, [](TZorvikModuleOptions& o) { o.Set##Name(value); }}

const std::vector<std::pair<const char*, Setter>>& AllSetters()
{
    static const std::vector<std::pair<const char*, Setter>> setters = {
        SETTER(SMTPFrom, "x"), SETTER(SMTPHost, "x"), SETTER(SMTPUserID, "x"), SETTER(SMTPPassword, "x"),
        SETTER(SMTPPort, 1), SETTER(ProxyURL, "x"), SETTER(ProxyUserID, "x"), SETTER(ProxyPassword, "x"),
        SETTER(ProxyPort, 1), SETTER(TrakerUserID, "x"), SETTER(TrakerPassword, "x"), SETTER(TrakerAssignTo, "x"),
        SETTER(TrakerProject, "x"), SETTER(TrakerCategory, "x"), SETTER(TrakerTrialID, "x"), SETTER(ZipPassword, "x"),
        SETTER(PreBuildEvent, "x"), SETTER(PostSuccessfulBuildEvent, "x"), SETTER(PostFailureBuildEvent, "x"),
        SETTER(CompiledFileOptions, {}), SETTER(TerminateBtnOperation, tbNone), SETTER(FreezeActivate, true),
        SETTER(FreezeTimeout, 5), SETTER(ModuleName, "self.exe"), {"ModuleHandle", [](TZorvikModuleOptions& o) { o.SetModuleHandle(o.ModuleHandle()); }},
        SETTER(ShowOptions, {}), SETTER(ExceptionDialogType, edtNone),
        SETTER(ExceptionsFilters, std::make_unique<TZorvikExceptionsFilters>(nullptr)),
        SETTER(TextsCollection, "x"), SETTER(ActivateLog, true), SETTER(ActivateHandle, false),
        SETTER(AppendLogs, true), SETTER(SaveLogFile, false), SETTER(LogOptions, {}),
        SETTER(CommonSendOptions, {}), SETTER(ForegroundTab, ftCPU), SETTER(ErrorsNumberToSave, 5),
        SETTER(ErrorsNumberToShowTerminateBtn, 5), SETTER(OutputPath, "x"), SETTER(EMailAddresses, "x"),
        SETTER(EMailSubject, "x"), SETTER(EMailMessage, "x"), SETTER(EMailSendMode, esmSMTPClient),
        SETTER(WebSendMode, wsmHTTP), SETTER(AttachedFiles, "x"), SETTER(ExceptionDialogOptions, {}),
        SETTER(AutoCloseDialogSecs, 5), SETTER(SupportURL, "x"), SETTER(HTMLLayout, "x"),
        SETTER(AutoCrashOperation, tbNone), SETTER(AutoCrashNumber, 5), SETTER(AutoCrashMinutes, 5),
        SETTER(CallStackOptions, {}), SETTER(BehaviourOptions, {}), SETTER(WebURL, "x"), SETTER(WebPort, 5),
        SETTER(WebPassword, "x"), SETTER(WebUserID, "x"), SETTER(ReproduceText, "x"), SETTER(Active, false),
        {"CustomizedTexts", [](TZorvikModuleOptions& o) { o.SetCustomizedTexts(mtDialog_Caption, "x"); }},
    };
    return setters;
}

TEST_F(ModuleOptions, EverySetterPublishesOnceAndOnlyForItsOwnModule)
{
    for (const auto& [name, set] : AllSetters()) {
        CountingOptions self, other("other.dll");
        set(self);
        set(other);
        EXPECT_EQ(self.Stores, 1) << name;
        EXPECT_EQ(other.Stores, 0) << name;

        CountingOptions held;
        held.DisableSharedDataWrite();
        set(held);
        EXPECT_EQ(held.Stores, 0) << name;
    }
}

TEST_F(ModuleOptions, SettersWithRulesOfTheirOwn)
{
    CountingOptions o;
    o.SetErrorsNumberToSave(0);
    EXPECT_EQ(o.ErrorsNumberToSave(), 1);

    // Ids beyond the table are ignored, not written past it.
    o.SetCustomizedTexts(static_cast<TMessageType>(200), "x");
    EXPECT_EQ(o.GetCustomizedTexts(static_cast<TMessageType>(200)), "");

    // A list handed over belongs to the options from then on.
    auto list = std::make_unique<TZorvikExceptionsFilters>(nullptr);
    TZorvikExceptionsFilters* given = list.get();
    o.SetExceptionsFilters(std::move(list));
    EXPECT_EQ(o.ExceptionsFilters(), given);
    EXPECT_EQ(given->Owner(), &o);
    int before = o.Stores;
    given->Add({});
    EXPECT_EQ(o.Stores, before + 1);
    o.SetExceptionsFilters(nullptr);
    ASSERT_NE(o.ExceptionsFilters(), nullptr);
    EXPECT_EQ(o.ExceptionsFilters()->Count(), 0);
}

TEST_F(ModuleOptions, AssignCopiesEverythingButActiveAndModule)
{
    CountingOptions source("other.dll");
    ChangeEveryOption(source);
    source.SetPreBuildEvent("pre");
    source.SetPostSuccessfulBuildEvent("ok");
    source.SetPostFailureBuildEvent("failed");
    source.SetReproduceText("clicked twice");
    source.SetActive(false);

    CountingOptions target;
    target.Assign(&source);
    EXPECT_EQ(StreamBytes(target), StreamBytes(source));
    EXPECT_EQ(target.PreBuildEvent(), "pre");
    EXPECT_EQ(target.PostSuccessfulBuildEvent(), "ok");
    EXPECT_EQ(target.PostFailureBuildEvent(), "failed");
    EXPECT_EQ(target.ReproduceText(), "clicked twice");
    EXPECT_TRUE(target.Active());
    EXPECT_EQ(target.ModuleName(), "self.exe");
    EXPECT_EQ(target.ModuleHandle(), 0x400000u);
    EXPECT_EQ(target.Stores, 1);
    EXPECT_EQ(target.FreezeSetterCalls, 1);  // through the overridable setter
    EXPECT_EQ(target.PublishBlockCount(), 0);
}

TEST_F(ModuleOptions, AssignFromItselfOrNothing)
{
    CountingOptions o;
    o.SetSMTPHost("host");
    o.Stores = 0;
    o.Assign(&o);
    EXPECT_EQ(o.Stores, 0);
    EXPECT_EQ(o.SMTPHost(), "host");
    try {
        o.Assign(nullptr);
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Impossible to assign nil as TZorvikModuleOptions.");
    }
}

TEST_F(ModuleOptions, DefaultsComeBackInOnePublication)
{
    CountingOptions o;
    ChangeEveryOption(o);
    o.SetReproduceText("x");
    o.SetActive(false);
    o.Stores = 0;
    o.SetToDefaultOptions();
    EXPECT_EQ(o.Stores, 1);
    TZorvikModuleOptions fresh("other.dll");
    EXPECT_EQ(StreamBytes(o), StreamBytes(fresh));
    EXPECT_EQ(o.ReproduceText(), "");
    EXPECT_TRUE(o.Active());
    EXPECT_EQ(o.ModuleName(), "self.exe");
}

TEST_F(ModuleOptions, HeldPublishingEndsWithOnePublicationEvenOnError)
{
    CountingOptions o;
    EXPECT_THROW(o.WithPublishingHeld([&] {
        o.SetSMTPHost("a");
        o.SetSMTPPort(2);
        throw EAbort("");
    }),
                 EAbort);
    EXPECT_EQ(o.Stores, 1);
    EXPECT_EQ(o.PublishBlockCount(), 0);

    // Nested holds publish once, at the outermost end.
    o.Stores = 0;
    o.WithPublishingHeld([&] { o.WithPublishingHeld([&] { o.SetWebPort(1); }); });
    EXPECT_EQ(o.Stores, 1);
}

#ifdef _WIN32
// The system's own answers: the test program is the module holding the code.
TEST(ModuleOptionsOfLoadedModules, OnlyTheProgramsOwnOptionsPublish)
{
    CountingOptions self("crash_options_tests.exe"), system("kernel32.dll"), none(""), absent("not-loaded.dll");
    EXPECT_NE(self.ModuleHandle(), 0u);
    EXPECT_EQ(self.ModuleHandle(), CurrentModuleHandle());
    EXPECT_NE(system.ModuleHandle(), 0u);
    EXPECT_EQ(absent.ModuleHandle(), 0u);
    for (CountingOptions* o : {&self, &system, &none, &absent}) o->SetWebPort(1);
    EXPECT_EQ(self.Stores, 1);
    EXPECT_EQ(system.Stores, 0);
    EXPECT_EQ(none.Stores, 0);
    EXPECT_EQ(absent.Stores, 0);
}
#endif

TEST_F(ModuleOptions, ExpandedTextsReplaceEnvironmentReferences)
{
    CountingOptions o;
    o.SetCustomizedTexts(mtDialog_Caption, "Error%TQ_SURELY_UNDEFINED_NAME% in 100% of cases");
    EXPECT_EQ(o.GetCustomizedExpandedTexts(mtDialog_Caption), "Error in 100% of cases");
    EXPECT_EQ(o.GetCustomizedTexts(mtDialog_Caption), "Error%TQ_SURELY_UNDEFINED_NAME% in 100% of cases");
}

}  // namespace
