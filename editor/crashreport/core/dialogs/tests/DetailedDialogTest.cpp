#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/crashreport/core/dialogs/DetailedDialog.h"
#include "editor/crashreport/core/dialogs/DetailedLayout.h"
#include "editor/crashreport/core/dialogs/DetailedPages.h"
#include "editor/crashreport/core/dialogs/DialogState.h"
#include "editor/crashreport/core/dialogs/DialogStateFile.h"
#include "editor/crashreport/core/dialogs/ErrorDialog.h"
#include "editor/crashreport/core/lookup/ModuleInfo.h"
#include "editor/crashreport/support/log/LogFile.h"
#include "editor/crashreport/support/log/tests/LogSamples.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "framework/testing/GuiTest.h"

using namespace guitest;

namespace {

// The dialog runs modally; the test's steps run one per tick of a thread
// timer, so that between two steps the dialog's own loop (with its key
// handling) processes what a step posted.
struct TScript {
    std::vector<std::function<void(HWND)>> Steps;
    size_t Next = 0;
    bool Running = false;  // a step that pumps messages must not start the next one
    int IdleTicks = 0;
    bool GaveUp = false;
};
TScript* gScript = nullptr;

VOID CALLBACK ScriptTick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = DetailedDialogWindow();
    if (!gScript || !dialog || gScript->Running)
        return;
    if (gScript->Next < gScript->Steps.size()) {
        gScript->Running = true;
        gScript->Steps[gScript->Next++](dialog);
        gScript->Running = false;
    } else if (++gScript->IdleTicks == 100) {
        // The steps are done and the dialog is still up: end it, and fail.
        gScript->GaveUp = true;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

void RunScripted(std::vector<std::function<void(HWND)>> steps, UINT intervalMs = 150,
                 const std::function<void()>& show = RunDetailedDialog)
{
    TScript script;
    script.Steps = std::move(steps);
    gScript = &script;
    UINT_PTR timer = SetTimer(nullptr, 0, intervalMs, ScriptTick);
    show();
    KillTimer(nullptr, timer);
    gScript = nullptr;
    EXPECT_EQ(script.Next, script.Steps.size()) << "the dialog closed before the steps were done";
    EXPECT_FALSE(script.GaveUp) << "the dialog did not close";
}

HWND Item(HWND dialog, int id) { return GetDlgItem(dialog, id); }

int WindowWidth(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r.right - r.left;
}

bool Visible(HWND dialog, int id) { return IsWindowVisible(Item(dialog, id)) != FALSE; }

// A click as a person makes it: down and up at the centre of the control.
void ClickControl(HWND control)
{
    RECT r{};
    GetClientRect(control, &r);
    LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(control, WM_LBUTTONUP, 0, at);
}

void PressEscape()
{
    HWND focus = GetFocus();
    PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageA(focus, WM_KEYUP, VK_ESCAPE, 0xC0000001);
}

void ClickTab(HWND dialog, int index)
{
    HWND tab = Item(dialog, ddcTabs);
    RECT r{};
    SendMessageA(tab, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(tab, WM_LBUTTONUP, 0, at);
}

std::vector<std::string> TabCaptions(HWND dialog)
{
    HWND tab = Item(dialog, ddcTabs);
    std::vector<std::string> captions;
    int count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char buffer[128] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        captions.push_back(buffer);
    }
    return captions;
}

std::string PageLabel() { return WindowText(GetDlgItem(CurrentDetailedPage(), 102)); }
HWND PageContent() { return GetDlgItem(CurrentDetailedPage(), 103); }

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

class DetailedDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        options = std::make_unique<TZorvikModuleOptions>("Tessaly.exe");
        TDialogState& s = DialogState();
        s.Options = options.get();
        s.ExceptionMessage = "Boom.";
        s.CustomErrorMessage.clear();
        s.ErrorsCount = 1;
        s.DialogType = edtZorvikLog;
        s.SendCheck = s.ScreenshotCheck = s.CancelFlag = s.CopyCheck = s.TerminateFlag = false;
        s.DuplicateFlag = s.DetailsForced = false;

        TReportFacts facts;
        TReportModule module;
        module.Handle = 0x400000;
        module.Path = "C:\\Program Files\\Tessaly\\Tessaly.exe";
        module.Description = "Byte editor";
        module.Version = "1.0.0.1";
        module.Size = 1234567;
        module.Modified = 46366.5;
        facts.Modules.push_back(module);
        module.Handle = 0x7b600000;
        module.Path = "C:\\windows\\system32\\kernel32.dll";
        module.Description = "Wine core dll";
        module.Version = "10.0.19043.1";
        module.Size = 987654;
        facts.Modules.push_back(module);
        TReportProcess p;
        p.ProcessId = 42;
        p.Path = "C:\\Program Files\\Tessaly\\Tessaly.exe";
        p.Description = "Byte editor";
        p.Version = "1.0.0.1";
        p.Memory = 9 << 20;
        p.PriorityClass = 32;
        p.Threads = 3;
        facts.Processes.push_back(p);
        p.ProcessId = 8;
        p.Path = "\\??\\C:\\windows\\system32\\services.exe";
        p.Description = "";
        p.PriorityClass = 0x8000;
        p.Threads = 0;
        facts.Processes.push_back(p);

        exe.Handle = 0x400000;
        exe.Path = "C:\\Program Files\\Tessaly\\Tessaly.exe";
        exe.ModuleType = TZorvikModuleType::mtMainModule;
        kernel.Handle = 0x7b600000;
        kernel.Path = "C:\\windows\\system32\\kernel32.dll";
        kernel.ModuleType = TZorvikModuleType::mtOSLibrary;
        auto row = [&](uint32_t thread, uint8_t kind, bool exception, TZorvikDebugDetail detail,
                       TZorvikModuleInfo* module, uintptr_t address, const char* unit, const char* cls,
                       const char* proc, int line, int offset) {
            TZorvikDebugInfo r;
            r.ThreadID = thread;
            r.ThreadKind = kind;
            r.ExceptionRow = exception;
            r.DebugDetail = detail;
            r.ModuleInfo = module;
            r.Address = address;
            r.UnitName = unit;
            r.ClassName = cls;
            r.ProcedureName = proc;
            r.Line = line;
            r.LineOffset = offset;
            facts.CallStack.Rows.push_back(r);
        };
        row(100, 1, true, ddSourceCode, &exe, 0x401a2b, "MainForm.cpp", "TMainForm", "ButtonClick", 112, 3);
        row(100, 1, false, ddSourceCode, &exe, 0x402000, "Forms.cpp", "TForm", "Dispatch", 77, 12);
        row(100, 1, false, ddProcedure, &kernel, 0x7b6114c0, "", "", "CallWindowProcA", 0, 0);
        row(200, 1, false, ddSourceCode, &exe, 0x403000, "Saver.cpp", "TSaver", "Execute", 40, 0);
        row(100, 0, false, ddSourceCode, &exe, 0x404000, "Main.cpp", "", "WinMain", 50, 1);
        facts.MainThreadId = 100;
        facts.Threads = {{100, true, 0, ""}, {200, true, 0, "TSaver"}};

        // The report's text sections, as the log holds them.
        log.Append(SampleReport("2B1DAE45"), -1);
        pages = DetailedReportPages(facts, log.GetItem_Generals(0), log.GetItem_Assembler(0), log.GetItem_CPU(0),
                                    options.get(), false);
        SetDetailedReportInput(&pages);
    }
    void TearDown() override
    {
        SetDetailedReportInput(nullptr);
        DialogState().Options = nullptr;
    }

    void AllSections()
    {
        TLogOptions logOptions = options->LogOptions();
        logOptions.Include(loSaveModulesAndProcessesSections);
        logOptions.Include(loSaveAssemblerAndCPUSections);
        options->SetLogOptions(logOptions);
    }
    void DialogOption(TExceptionDialogOption o, bool on)
    {
        TExceptionDialogOptions set = options->ExceptionDialogOptions();
        set.Set(o, on);
        options->SetExceptionDialogOptions(set);
    }

    std::unique_ptr<TZorvikModuleOptions> options;
    TLogFile log;
    TZorvikModuleInfo exe, kernel;
    TDetailedReportPages pages;
};

TEST_F(DetailedDialogTest, CompactAndDetailedModesAndTheSixPages)
{
    AllSections();
    // The check boxes' line is measured with the message: short texts leave
    // "Boom." to decide the width.
    options->SetCustomizedTexts(mtDialog_SendMessage, "&Send");
    options->SetCustomizedTexts(mtDialog_CopyMessage, "&Copy");
    const std::vector<std::string> labels = {"General Information",   "Call Stack Information",
                                             "Modules Information",   "Processes Information",
                                             "Assembler Information", "CPU Information"};
    const std::vector<std::string> pageNames = {"general", "callstack", "modules", "processes", "assembler", "cpu"};
    std::vector<std::function<void(HWND)>> steps;
    steps.push_back([](HWND d) {
        EXPECT_FALSE(DetailedDialogInDetailedMode());
        EXPECT_EQ(WindowText(d), "Error occurred");
        EXPECT_EQ(WindowText(Item(d, ddcMessage)), "Boom.");
        EXPECT_EQ(WindowWidth(d), CompactMinimumWidth);
        EXPECT_EQ(WindowText(Item(d, ddcDetails)), "&Details >>");
        EXPECT_TRUE(Visible(d, ddcDetails));
        EXPECT_FALSE(Visible(d, ddcTabs));
        EXPECT_EQ(WindowText(Item(d, ddcOK)), "&OK");
        EXPECT_EQ(LOWORD(SendMessageA(d, DM_GETDEFID, 0, 0)), ddcOK);
        EXPECT_EQ(GetFocus(), Item(d, ddcOK));
        // No send mode: the send boxes are hidden, the copy box shows.
        EXPECT_FALSE(Visible(d, ddcSend));
        EXPECT_FALSE(Visible(d, ddcScreenshot));
        EXPECT_TRUE(Visible(d, ddcCopy));
        EXPECT_EQ(WindowText(Item(d, ddcCopy)), "&Copy");
        EXPECT_FALSE(Visible(d, ddcTerminate));
        EXPECT_FALSE(Visible(d, ddcCustom));
        // The buttons stand in the dialog, OK in the middle.
        RECT client{}, ok{};
        GetClientRect(d, &client);
        GetWindowRect(Item(d, ddcOK), &ok);
        MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&ok), 2);
        EXPECT_NEAR((ok.left + ok.right) / 2, client.right / 2, 2);
        EXPECT_LE(ok.bottom, client.bottom);
        SaveScreenshot(d, ScreenshotPath("detailed_dialog_compact"));
        ClickControl(Item(d, ddcDetails));
    });
    steps.push_back([this, labels](HWND d) {
        EXPECT_TRUE(DetailedDialogInDetailedMode());
        EXPECT_EQ(WindowText(Item(d, ddcDetails)), "<< &Details");
        EXPECT_TRUE(Visible(d, ddcTabs));
        EXPECT_EQ(WindowText(Item(d, ddcMessage)), options->GetCustomizedExpandedTexts(mtDialog_ErrorMsgCaption));
        EXPECT_EQ(TabCaptions(d), (std::vector<std::string>{"General", "Call Stack", "Modules", "Processes",
                                                            "Assembler", "CPU"}));
        EXPECT_GT(WindowWidth(d), CompactMinimumWidth);
        EXPECT_TRUE(GetWindowLongPtrA(d, GWL_STYLE) & WS_THICKFRAME);
        EXPECT_EQ(PageLabel(), labels[0]);
    });
    for (int i = 0; i < 6; ++i) {
        steps.push_back([i](HWND d) { ClickTab(d, i); });
        steps.push_back([i, labels, pageNames](HWND d) {
            EXPECT_EQ(CurrentDetailedPageNumber(), i);
            EXPECT_EQ(PageLabel(), labels[static_cast<size_t>(i)]);
            HWND content = PageContent();
            bool list = i >= 1 && i <= 3;
            EXPECT_EQ(ClassOf(content), list ? "SysListView32" : "RichEdit20A");
            // The page fills the tab control's display area.
            RECT page{}, tab{};
            GetWindowRect(content, &page);
            GetWindowRect(Item(d, ddcTabs), &tab);
            EXPECT_GT(page.right - page.left, (tab.right - tab.left) - 30);
            EXPECT_GT(page.bottom - page.top, (tab.bottom - tab.top) - 70);
            if (!list) {
                std::string text = WindowText(content);
                EXPECT_GT(text.size(), 20u);
            }
            SaveScreenshot(d, ScreenshotPath("detailed_dialog_" + pageNames[static_cast<size_t>(i)]));
        });
    }
    steps.push_back([](HWND d) { ClickControl(Item(d, ddcDetails)); });
    steps.push_back([](HWND d) {
        EXPECT_FALSE(DetailedDialogInDetailedMode());
        EXPECT_EQ(WindowText(Item(d, ddcDetails)), "&Details >>");
        EXPECT_FALSE(Visible(d, ddcTabs));
        EXPECT_EQ(WindowWidth(d), CompactMinimumWidth);
        ClickControl(Item(d, ddcOK));
    });
    RunScripted(steps);
    EXPECT_EQ(DialogState().DialogType, edtNone);
    EXPECT_FALSE(DialogState().CancelFlag);
}

TEST_F(DetailedDialogTest, RichTextPagesShowTheReportTextUnchanged)
{
    AllSections();
    pages.General = "Report {1}\r\n  1.1 Path : C:\\Tessaly\\Tessaly.exe\r\n";
    options->SetForegroundTab(ftGeneral);
    DialogOption(edoShowInDetailedMode, true);
    RunScripted({[](HWND d) {
        std::string text = WindowText(PageContent());
        EXPECT_NE(text.find("Report {1}"), std::string::npos) << text;
        EXPECT_NE(text.find("C:\\Tessaly\\Tessaly.exe"), std::string::npos) << text;
        ClickControl(Item(d, ddcOK));
    }});
}

TEST_F(DetailedDialogTest, EscapeNeverSendsCopiesOrRestarts)
{
    options->SetEMailSendMode(esmSMTPClient);
    options->SetTerminateBtnOperation(tbRestart);
    DialogState().ErrorsCount = 5;
    DialogState().ScreenshotCheck = true;
    RunScripted({[](HWND d) {
                     EXPECT_TRUE(Visible(d, ddcSend));
                     EXPECT_TRUE(Visible(d, ddcScreenshot));
                     EXPECT_TRUE(Visible(d, ddcTerminate));
                     EXPECT_EQ(WindowText(Item(d, ddcTerminate)), "&Restart");
                     EXPECT_EQ(IsDlgButtonChecked(d, ddcSend), BST_CHECKED);
                     ClickControl(Item(d, ddcCopy));
                 },
                 [](HWND d) {
                     EXPECT_EQ(IsDlgButtonChecked(d, ddcCopy), BST_CHECKED);
                     SaveScreenshot(d, ScreenshotPath("detailed_dialog_compact_send"));
                     SetFocus(Item(d, ddcOK));
                     PressEscape();
                 }});
    const TDialogState& f = DialogState();
    EXPECT_FALSE(f.SendCheck);
    EXPECT_FALSE(f.CopyCheck);
    EXPECT_FALSE(f.TerminateFlag);
    EXPECT_TRUE(f.CancelFlag);
    EXPECT_EQ(f.DialogType, edtNone);
}

TEST_F(DetailedDialogTest, ButtonsHandBackTheUsersChoices)
{
    options->SetEMailSendMode(esmSMTPClient);
    options->SetTerminateBtnOperation(tbTerminate);
    DialogState().ErrorsCount = 4;
    // OK with the send box cleared and the copy box checked.
    RunScripted({[](HWND d) {
                     ClickControl(Item(d, ddcSend));
                     ClickControl(Item(d, ddcCopy));
                 },
                 [](HWND d) {
                     EXPECT_FALSE(IsWindowEnabled(Item(d, ddcScreenshot)));
                     ClickControl(Item(d, ddcOK));
                 }});
    EXPECT_FALSE(DialogState().SendCheck);
    EXPECT_TRUE(DialogState().CopyCheck);
    EXPECT_FALSE(DialogState().TerminateFlag);
    EXPECT_FALSE(options->ExceptionDialogOptions().Contains(edoSendErrorReportChecked));

    // Terminate.
    DialogState().DialogType = edtZorvikLog;
    RunScripted({[](HWND d) {
        EXPECT_EQ(WindowText(Item(d, ddcTerminate)), "&Terminate");
        EXPECT_EQ(IsDlgButtonChecked(d, ddcSend), BST_UNCHECKED);  // as the option now says
        ClickControl(Item(d, ddcTerminate));
    }});
    EXPECT_TRUE(DialogState().TerminateFlag);
    EXPECT_EQ(DialogState().DialogType, edtNone);
}

TEST_F(DetailedDialogTest, WithTheSendOptionHiddenTheSendCheckEqualsTheOption)
{
    options->SetEMailSendMode(esmSMTPClient);
    DialogOption(edoShowSendErrorReportOption, false);
    for (bool checked : {true, false}) {
        DialogOption(edoSendErrorReportChecked, checked);
        RunScripted({[](HWND d) {
            EXPECT_FALSE(Visible(d, ddcSend));
            ClickControl(Item(d, ddcOK));
        }});
        EXPECT_EQ(DialogState().SendCheck, checked);
    }
}

TEST_F(DetailedDialogTest, AutoCloseEndsTheDialogASecondAfterTheLastActivity)
{
    options->SetAutoCloseDialogSecs(1);
    bool openAfterActivity = false;
    // 750 ms in, a click on the dialog; 750 ms later, past the first second,
    // it is still up; then nothing more happens and it closes by itself.
    std::vector<std::function<void(HWND)>> steps(10, [](HWND) {});
    steps[4] = [](HWND d) { PostMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 30)); };
    steps[9] = [&openAfterActivity](HWND d) { openAfterActivity = IsWindowVisible(d) != FALSE; };
    RunScripted(steps, 150);
    EXPECT_TRUE(openAfterActivity);
    EXPECT_FALSE(DialogState().CancelFlag);
    EXPECT_EQ(DialogState().DialogType, edtNone);
}

TEST_F(DetailedDialogTest, AStoredCPUTabWithoutItsSectionOpensGeneral)
{
    TLogOptions logOptions = options->LogOptions();
    logOptions.Include(loSaveModulesAndProcessesSections);
    logOptions.Exclude(loSaveAssemblerAndCPUSections);
    options->SetLogOptions(logOptions);
    options->SetForegroundTab(ftCPU);
    DialogState().DetailsForced = true;
    RunScripted({[](HWND d) {
        EXPECT_TRUE(DetailedDialogInDetailedMode());
        // A repeated showing starts detailed, without the Details button.
        EXPECT_FALSE(Visible(d, ddcDetails));
        EXPECT_EQ(TabCaptions(d), (std::vector<std::string>{"General", "Call Stack", "Modules", "Processes"}));
        EXPECT_EQ(SendMessageA(Item(d, ddcTabs), TCM_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(CurrentDetailedPageNumber(), dpGeneral);
        ClickControl(Item(d, ddcOK));
    }});
}

TEST_F(DetailedDialogTest, CallStackHeadersFoldOnADoubleClickAndColumnWidthsPersist)
{
    AllSections();
    options->SetForegroundTab(ftCallStack);
    DialogOption(edoShowInDetailedMode, true);
    int before = 0;
    RunScripted({[&before](HWND d) {
                     HWND list = PageContent();
                     before = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
                     // header, 3 rows, separator, header, row, header, row
                     EXPECT_EQ(before, 9);
                     SaveScreenshot(d, ScreenshotPath("detailed_dialog_callstack_start"));
                     RECT r{};
                     r.left = LVIR_BOUNDS;
                     SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
                     LPARAM at = MAKELPARAM(200, (r.top + r.bottom) / 2);
                     PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
                     PostMessageA(list, WM_LBUTTONUP, 0, at);
                     PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
                     PostMessageA(list, WM_LBUTTONUP, 0, at);
                 },
                 [&before](HWND d) {
                     HWND list = PageContent();
                     // The exception thread's three rows are folded away.
                     EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), before - 3);
                     SaveScreenshot(d, ScreenshotPath("detailed_dialog_callstack_folded"));
                     ClickTab(d, 2);
                 },
                 [](HWND d) {
                     EXPECT_EQ(CurrentDetailedPageNumber(), dpModules);
                     // The path column, stored under ColMod5, is made narrower.
                     SendMessageA(PageContent(), LVM_SETCOLUMNWIDTH, 6, 333);
                     ClickControl(Item(d, ddcOK));
                 }});
    EXPECT_EQ(ReadColumnWidths(DialogStateStore(), scModules)[5], 333);
    options->SetForegroundTab(ftModules);
    RunScripted({[](HWND d) {
        EXPECT_EQ(SendMessageA(PageContent(), LVM_GETCOLUMNWIDTH, 6, 0), 333);
        SendMessageA(PageContent(), LVM_SETCOLUMNWIDTH, 6, 712);
        ClickControl(Item(d, ddcOK));
    }});
}

TEST_F(DetailedDialogTest, TheErrorDisplayShowsTheDetailedKind)
{
    TLogOptions logOptions = options->LogOptions();
    logOptions.Exclude(loAppendReproduceText);  // no request dialog after it
    options->SetLogOptions(logOptions);
    PrepareDetailedDialog(pages);
    TErrorDialogInput input;
    input.Options = options.get();
    input.Message = "Boom.";
    input.ErrorsCount = 1;
    input.DialogType = edtZorvikLog;
    RunScripted({[](HWND d) {
                     EXPECT_FALSE(DetailedDialogInDetailedMode());
                     EXPECT_EQ(WindowText(Item(d, ddcMessage)), "Boom.");
                     EXPECT_TRUE(Visible(d, ddcDetails));
                     ClickControl(Item(d, ddcDetails));
                 },
                 [](HWND d) {
                     EXPECT_TRUE(DetailedDialogInDetailedMode());
                     EXPECT_EQ(CurrentDetailedPageNumber(), dpGeneral);
                     ClickControl(Item(d, ddcOK));
                 }},
                150, [&input] { DisplayErrorDialogs(input); });
    EXPECT_EQ(DialogState().DialogType, edtNone);
    EXPECT_FALSE(DialogState().DialogFailed);
    EXPECT_FALSE(DialogState().CancelFlag);
}

}  // namespace
