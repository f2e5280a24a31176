// A report leaves the machine only when the user agreed. Tessaly.exe, with
// test options that mail to the tests' loopback SMTP peer, crashes through
// its test seam; the test answers the error dialog as a person would. Each
// refusal leaves the peer without a connection, each consent brings it one
// mail, and the log is written in every case.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "TessalyRunner.h"
#include "editor/crashreport/core/sending/tests/SmtpPeer.h"

namespace {

bool MailComplete(const TSmtpPeer& peer)
{
    if (peer.Connections() < 1)
        return false;
    const std::string data = peer.Data(1);
    return data.size() >= 5 && data.compare(data.size() - 5, 5, "\r\n.\r\n") == 0;
}

// Brings a check box to the state by clicking it, as a person would.
bool SetCheckBox(HWND dialog, int id, bool checked)
{
    const HWND box = GetDlgItem(dialog, id);
    if (!box || !IsWindowVisible(box))
        return false;
    const LRESULT wanted = checked ? BST_CHECKED : BST_UNCHECKED;
    if (SendMessageA(box, BM_GETCHECK, 0, 0) != wanted)
        PostMessageA(box, BM_CLICK, 0, 0);
    for (int i = 0; i < 100; ++i) {
        if (SendMessageA(box, BM_GETCHECK, 0, 0) == wanted)
            return true;
        Sleep(20);
    }
    return false;
}

enum class TAnswer { Escape, Button, CheckThenOk, UncheckThenOk };

struct ConsentCase {
    const char* name;
    TExceptionDialogType dialog;
    TAnswer answer;
    int button;  // for TAnswer::Button
    bool sends;
};

// The classic dialog: Send (1000) and Don't Send (1001); the detailed
// dialog: the send box (3000) and OK (102). Escape in both.
const ConsentCase consentCases[] = {
    {"ClassicEscape", edtMSClassic, TAnswer::Escape, 0, false},
    {"ClassicDontSend", edtMSClassic, TAnswer::Button, 1001, false},
    {"ClassicSend", edtMSClassic, TAnswer::Button, 1000, true},
    {"DetailedEscape", edtZorvikLog, TAnswer::Escape, 0, false},
    {"DetailedSendBoxUnchecked", edtZorvikLog, TAnswer::UncheckThenOk, 102, false},
    {"DetailedSendBoxChecked", edtZorvikLog, TAnswer::CheckThenOk, 102, true},
};

class TessalyConsent : public testing::TestWithParam<ConsentCase> {};

TEST_P(TessalyConsent, OnlyAnAgreedReportIsMailedAndEveryOneIsLogged)
{
    const ConsentCase& c = GetParam();
    TSmtpPeer peer;
    if (peer.Port == 0)
        GTEST_SKIP() << peer.Problem;
    TZorvikModuleOptions options("Tessaly.exe");
    options.SetExceptionDialogType(c.dialog);
    options.SetAutoCloseDialogSecs(20);
    options.SetTerminateBtnOperation(tbNone);
    MailToPeer(options, peer.Port);
    options.SetCommonSendOptions({});
    options.SetSaveLogFile(true);
    TLogOptions log = options.LogOptions();
    log.Exclude(loAppendReproduceText);
    options.SetLogOptions(log);
    TExceptionDialogOptions shown = options.ExceptionDialogOptions();
    shown.Include(edoShowSendErrorReportOption);
    options.SetExceptionDialogOptions(shown);

    std::string problem;
    bool closed = false;
    DWORD loggedAt = 0;
    TTessalyRunSteps steps;
    steps.Drive = [&](HWND dialog) {
        switch (c.answer) {
        case TAnswer::Escape:
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            break;
        case TAnswer::CheckThenOk:
        case TAnswer::UncheckThenOk:
            if (!SetCheckBox(dialog, 3000, c.answer == TAnswer::CheckThenOk))
                problem = "the send box could not be set";
            [[fallthrough]];
        case TAnswer::Button: {
            const HWND button = GetDlgItem(dialog, c.button);
            if (!button || !IsWindowVisible(button))
                problem = "button " + std::to_string(c.button) + " is not shown";
            PostMessageA(button, BM_CLICK, 0, 0);
            break;
        }
        }
        for (int i = 0; i < 100 && IsWindow(dialog); ++i)
            Sleep(50);
        closed = !IsWindow(dialog);
    };
    // A consent ends the run with the whole mail; a refusal 3 s after the
    // report is logged (a send starts right after the log is saved).
    steps.Done = [&](const TTessalyRun& run) {
        if (run.Reports.empty())
            return false;
        if (!loggedAt)
            loggedAt = GetTickCount();
        return c.sends ? MailComplete(peer) : peer.Connections() > 0 || GetTickCount() - loggedAt > 3000;
    };
    const TTessalyRun run = RunTessalyFault(std::string("consent_") + c.name, "exception", options, steps);
    ASSERT_NE(run.ProcessId, 0u) << "Tessaly.exe did not start";
    ASSERT_TRUE(run.DialogShown);
    EXPECT_EQ(problem, "");
    EXPECT_TRUE(closed);
    EXPECT_EQ(run.Reports.size(), 1u);
    if (c.sends) {
        EXPECT_EQ(peer.Connections(), 1);
        EXPECT_TRUE(MailComplete(peer));
    } else {
        EXPECT_EQ(peer.Connections(), 0);
    }
    // The editor goes on after its exception.
    EXPECT_EQ(run.ExitCode, STILL_ACTIVE);
}

INSTANTIATE_TEST_SUITE_P(Answers, TessalyConsent, testing::ValuesIn(consentCases),
                         [](const testing::TestParamInfo<ConsentCase>& info) { return info.param.name; });

}  // namespace
