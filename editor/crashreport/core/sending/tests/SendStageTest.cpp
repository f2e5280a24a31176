#include <gtest/gtest.h>

#include "editor/crashreport/core/report/ExceptionProcessing.h"
#include "editor/crashreport/core/sending/SendStage.h"
#include "editor/crashreport/core/sending/tests/SmtpPeer.h"
#include "editor/crashreport/support/options/ModuleOptions.h"

// The processing's Send step mails the report of the exception processed.
TEST(SendStage, ProcessingSendStepMailsTheReport) {
    TSmtpPeer peer;
    if (peer.Port == 0)
        GTEST_SKIP() << peer.Problem;
    InstallSendingStage();
    ASSERT_TRUE(static_cast<bool>(ProcessingSteps().Send));

    TZorvikModuleOptions options("");
    options.DisableSharedDataWrite();
    options.SetEMailSendMode(esmSMTPClient);
    options.SetSMTPHost("127.0.0.1");
    options.SetSMTPPort(peer.Port);
    options.SetSMTPFrom("tessaly@example.test");
    options.SetEMailAddresses("bugs@example.test");
    options.SetCommonSendOptions({});
    TCapture capture;
    capture.ClassName = "EAccessViolation";
    capture.Message = "Access violation.";
    TProcessingState state;
    state.Capture = &capture;
    state.Options = &options;
    state.ReportText = state.TextToSend = "ZorvikLog 6.0.20\r\n\r\nReport of the stage\r\n";
    state.ExceptionId = "1A2B";

    const auto ctx = SendContextFor(state);
    EXPECT_EQ(ctx->ExceptionClassName, "EAccessViolation");
    EXPECT_EQ(ctx->BugIdentifier, "1A2B");
    EXPECT_FALSE(ctx->TempFolder.empty());

    ProcessingSteps().Send(state);
    ASSERT_EQ(peer.Connections(), 1);
    EXPECT_EQ(peer.Commands(1).back(), "DATA");
    // The log copy travels in the archive: its name is in the mail.
    EXPECT_NE(peer.Data(1).find("BugReport.zip"), std::string::npos);
}
