// The display of one error with a scripted platform: which dialog runs, the
// beep, the message-box fallback for a dialog that was never painted, and
// the termination veto.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/crashreport/core/dialogs/ErrorDisplay.h"

namespace {

class ScriptedPlatform : public TErrorDisplayPlatform {
public:
    explicit ScriptedPlatform(TDialogFlags& flags) : Flags(flags) {}
    void LoadRichEdit() override { Log.push_back("load"); }
    void UnloadRichEdit() override { Log.push_back("unload"); }
    void RememberForeground() override { Log.push_back("remember"); }
    void RestoreForeground() override { Log.push_back("restore"); }
    void Beep() override { Log.push_back("beep"); }
    void RunDetailedDialog() override
    {
        Log.push_back("detailed");
        if (Dialog)
            Dialog();
    }
    void RunClassicDialog() override
    {
        Log.push_back("classic");
        if (Dialog)
            Dialog();
    }
    void ShowMessageBox() override { Log.push_back("box"); }
    bool WindowsNT() override { return NT; }
    void ClearLibraryError() override { Log.push_back("clear"); }
    void NotifyTerminating(bool& execute) override
    {
        Log.push_back("terminating");
        if (Vetoes > 0) {
            --Vetoes;
            execute = false;
        }
    }
    void RecordShowError(const std::string& message) override { Log.push_back("error:" + message); }

    TDialogFlags& Flags;
    std::vector<std::string> Log;
    std::function<void()> Dialog;  // what the user does in the dialog
    bool NT = true;
    int Vetoes = 0;
};

// The user looks at the dialog and closes it.
void Closes(TDialogFlags& f, bool terminate = false)
{
    f.Painted = true;
    f.DialogType = edtNone;
    f.TerminateFlag = f.TerminateFlag || terminate;
}

using Log = std::vector<std::string>;

TEST(ErrorDisplay, ClassicDialogRunsOnceWithABeep)
{
    TDialogFlags f;
    f.DialogType = edtMSClassic;
    ScriptedPlatform p(f);
    p.Dialog = [&] { Closes(f); };
    RunErrorDisplay(f, p, true);
    EXPECT_EQ(p.Log, (Log{"load", "remember", "beep", "classic", "unload", "restore"}));
    EXPECT_FALSE(f.DialogFailed);
    EXPECT_FALSE(f.Painted);
}

TEST(ErrorDisplay, MessageBoxNeverBeepsAndNoneShowsNothing)
{
    TDialogFlags f;
    f.DialogType = edtMessageBox;
    ScriptedPlatform p(f);
    RunErrorDisplay(f, p, true);
    EXPECT_EQ(p.Log, (Log{"load", "remember", "box", "unload", "restore"}));
    EXPECT_EQ(f.DialogType, edtNone);

    TDialogFlags none;
    ScriptedPlatform q(none);
    RunErrorDisplay(none, q, true);
    EXPECT_EQ(q.Log, (Log{"load", "remember", "beep", "unload", "restore"}));
    EXPECT_FALSE(none.DialogFailed);
}

TEST(ErrorDisplay, ADialogNeverPaintedFallsBackToTheMessageBoxAndFails)
{
    TDialogFlags f;
    f.DialogType = edtZorvikLog;
    ScriptedPlatform p(f);
    p.Dialog = [&] { f.DialogType = edtNone; };  // ended by its not-painted timer
    RunErrorDisplay(f, p, false);
    EXPECT_EQ(p.Log, (Log{"load", "remember", "detailed", "box", "error:Cannot show the DialogBox window.", "unload",
                          "restore"}));
    EXPECT_TRUE(f.DialogFailed);
    EXPECT_EQ(f.DialogType, edtNone);

    // Outside the NT family there is no message box either.
    TDialogFlags g;
    g.DialogType = edtMSClassic;
    ScriptedPlatform q(g);
    q.NT = false;
    RunErrorDisplay(g, q, false);
    EXPECT_EQ(q.Log, (Log{"load", "remember", "classic", "error:Cannot show the DialogBox window.", "unload",
                          "restore"}));
}

TEST(ErrorDisplay, AVetoedTerminationShowsTheDialogAgain)
{
    TDialogFlags f;
    f.DialogType = edtMSClassic;
    ScriptedPlatform p(f);
    p.Vetoes = 1;
    p.Dialog = [&] { Closes(f, true); };
    RunErrorDisplay(f, p, false);
    EXPECT_EQ(p.Log, (Log{"load", "remember", "classic", "clear", "terminating", "classic", "clear", "terminating",
                          "unload", "restore"}));
    EXPECT_TRUE(f.TerminateFlag);

    // Asked once more, the user no longer asks to terminate.
    TDialogFlags g;
    g.DialogType = edtMSClassic;
    ScriptedPlatform q(g);
    q.Vetoes = 1;
    int round = 0;
    q.Dialog = [&] { Closes(g, ++round == 1); };
    RunErrorDisplay(g, q, false);
    EXPECT_EQ(round, 2);
    EXPECT_FALSE(g.TerminateFlag);
}

} // namespace
