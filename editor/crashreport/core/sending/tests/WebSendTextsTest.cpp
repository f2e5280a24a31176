#include <gtest/gtest.h>

#include "editor/crashreport/core/sending/WebSendTexts.h"
#include "framework/StringList.h"

TEST(WebSendTexts, SendStatesMoveTheBar) {
    const TSendStateStep connecting = SendStateStep(TSendState::ssConnecting, 0, 80);
    EXPECT_EQ(connecting.Text, mtSendDialog_Connecting);
    EXPECT_EQ(connecting.Position, 5);
    EXPECT_TRUE(connecting.ResetFirst);
    // The +5 steps count from the highest position reached.
    struct Case {
        TSendState state;
        TMessageType text;
    } fives[] = {{TSendState::ssConnected, mtSendDialog_Connected},
                 {TSendState::ssLogin, mtSendDialog_Login},
                 {TSendState::ssSelectProject, mtSendDialog_SelectProject},
                 {TSendState::ssSearching, mtSendDialog_Searching},
                 {TSendState::ssModifying, mtSendDialog_Modifying}};
    for (const Case& c : fives) {
        const TSendStateStep s = SendStateStep(c.state, 0, 20);
        EXPECT_EQ(s.Text, c.text);
        EXPECT_EQ(s.Position, 25);
        EXPECT_FALSE(s.ResetFirst);
    }
    EXPECT_EQ(SendStateStep(TSendState::ssSending, 0, 50).Position, 35);
    EXPECT_EQ(SendStateStep(TSendState::ssSending, 50, 0).Position, 68);  // 67.5 to the nearest
    EXPECT_EQ(SendStateStep(TSendState::ssSending, 100, 0).Position, 100);
    for (TSendState s : {TSendState::ssSent, TSendState::ssDisconnecting, TSendState::ssDisconnected})
        EXPECT_EQ(SendStateStep(s, 0, 10).Position, 100);
    EXPECT_EQ(SendStateStep(TSendState::ssDisconnected, 0, 10).Text, mtSendDialog_Disconnected);
}

TEST(WebSendTexts, FailureTexts) {
    EXPECT_EQ(UploadFailureText("HTTP", -1, "ignored"), "HTTP error code: -1 - Cannot find the \"wininet.dll\" library.");
    EXPECT_EQ(UploadFailureText("FTP", 12014, "Login refused"), "FTP error code: 12014 (Login refused)");
    EXPECT_EQ(UploadFailureText("HTTPS", 404, ""), "HTTPS error code: 404");
    EXPECT_EQ(TrackerResultText(TSendResult::srInvalidLogin), mtSend_InvalidLoginMsg);
    EXPECT_EQ(TrackerResultText(TSendResult::srInvalidModify), mtSend_InvalidModifyMsg);
    EXPECT_EQ(TrackerResultText(TSendResult::srUnknownError), mtSend_UnknownErrorMsg);
    EXPECT_EQ(TrackerFailureText("Login failed.", 0, ""), "Login failed.\r\n\r\nError Code: 0\r\nError Message: \"\"");
    TStringList fields;
    fields.Add("Custom=1");
    AddBuiltInWebFields(fields, "T1", "Windows 10", "19045", "Open a file.");
    EXPECT_EQ(fields.Text(),
              "Custom=1\r\nFogBugzTrialID=T1\r\nZV_OSType=Windows 10\r\nZV_OSBuild=19045\r\nZV_ReproduceText=Open a "
              "file.\r\n");
}
