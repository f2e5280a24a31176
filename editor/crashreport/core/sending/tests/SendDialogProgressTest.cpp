#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "editor/crashreport/core/dialogs/DialogState.h"
#include "editor/crashreport/core/dialogs/SendDialog.h"
#include "editor/crashreport/core/sending/SendReport.h"
#include "editor/crashreport/core/sending/tests/SmtpPeer.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/testing/TestFiles.h"
#include "editor/crashreport/support/texts/MessageTypes.h"
#include "framework/testing/GuiTest.h"

// The mail road drives the real send-progress dialog: the status line with
// the recipient prefix, the bar moving forward, and the dialog closed at the
// end of the send.
TEST(SendDialogProgress, SmtpSendDrivesTheDialog) {
    TSmtpPeer peer;
    if (peer.Port == 0)
        GTEST_SKIP() << peer.Problem;
    TZorvikModuleOptions options("");
    options.DisableSharedDataWrite();
    options.SetEMailSendMode(esmSMTPClient);
    options.SetSMTPHost("127.0.0.1");
    options.SetSMTPPort(peer.Port);
    options.SetSMTPFrom("tessaly@example.test");
    options.SetEMailAddresses("bugs@example.test");
    options.SetCommonSendOptions({sndShowSendDialog});
    TDialogState& state = DialogState();
    state.Options = &options;
    state.GuiProgram = true;
    state.InlineProcessing = false;
    state.DialogFailed = false;

    const std::string folder = TestFolder("send_dialog_progress");
    CreateDirectoryA((folder + "temp").c_str(), nullptr);
    TSendContext ctx;
    ctx.Options = &options;
    ctx.ReportText = ctx.LogTextToSend = std::string(20000, 'r') + "\r\n";
    ctx.LogFile = folder + "Tessaly.zvf";
    ctx.TempFolder = folder + "temp\\";
    ctx.SaveTempXMLCopy = [] {};
    ctx.StartSendDialog = [](bool centred) { StartSendDialog(centred); };
    ctx.SendDialogWindow = [] { return reinterpret_cast<uintptr_t>(SendDialogWindow()); };

    std::atomic<bool> done{false};
    bool ok = false;
    std::thread sender([&] {
        ok = SendReport(ctx);
        done = true;
    });
    std::string status;
    int highest = 0;
    bool shot = false;
    while (!done) {
        if (HWND d = SendDialogWindow()) {
            char text[256] = "";
            GetDlgItemTextA(d, 100, text, sizeof text);
            if (text[0] != '\0' && text[0] != '.')
                status = text;
            highest = std::max<int>(highest, static_cast<int>(SendDlgItemMessageA(d, 101, PBM_GETPOS, 0, 0)));
            if (!shot && status.find(DefaultMessageText(mtSendDialog_Connected)) != std::string::npos) {
                shot = guitest::SaveScreenshot(d, guitest::ScreenshotPath("crash_send_dialog_smtp"));
            }
        }
        Sleep(20);
    }
    sender.join();
    state.Options = nullptr;
    EXPECT_TRUE(ok);
    EXPECT_TRUE(shot);
    EXPECT_EQ(status.rfind(DefaultMessageText(mtSendDialog_Message) + " 1/1: ", 0), 0u) << status;
    EXPECT_EQ(highest, 100);
    // The send ended the dialog.
    if (state.SendDialogThread) {
        EXPECT_EQ(WaitForSingleObject(state.SendDialogThread, 5000), WAIT_OBJECT_0);
    }
    EXPECT_EQ(SendDialogWindow(), nullptr);
    EXPECT_FALSE(peer.Data(1).empty());
}
