#include "editor/crashreport/core/dialogs/ErrorDialog.h"

#include "editor/crashreport/core/dialogs/DialogWindowServices.h"
#include "editor/crashreport/core/dialogs/ErrorDialogRules.h"
#include "editor/crashreport/core/dialogs/ErrorDisplay.h"
#include "editor/crashreport/core/dialogs/RequestDialog.h"
#include "editor/crashreport/support/options/ModuleOptions.h"

namespace {

constexpr UINT MessageBoxFlags = MB_ICONHAND | MB_TASKMODAL | MB_TOPMOST | MB_SERVICE_NOTIFICATION;  // 0x242010

class TWin32ErrorDisplay : public TErrorDisplayPlatform {
public:
    void LoadRichEdit() override { FRichEdit = LoadLibraryA("RICHED20.DLL"); }
    void UnloadRichEdit() override
    {
        if (FRichEdit)
            FreeLibrary(FRichEdit);
        FRichEdit = nullptr;
    }
    void RememberForeground() override
    {
        DialogState().PreviousForeground = GetForegroundWindow();
        DialogState().KeepInFrontWindow = nullptr;
    }
    void RestoreForeground() override
    {
        if (HWND w = DialogState().PreviousForeground; w && IsWindow(w))
            SetForegroundWindow(w);
    }
    void Beep() override { MessageBeep(MB_ICONHAND); }
    void RunDetailedDialog() override
    {
        if (DLGPROC proc = DialogState().DetailedDialogProc)
            DialogBoxParamA(DialogResourceModule(), "ZV_Dialog", nullptr, proc, 0);
    }
    void RunClassicDialog() override
    {
        DialogBoxParamA(DialogResourceModule(), "ZV_MS_Dialog", nullptr, ClassicDialogProc, 0);
    }
    void ShowMessageBox() override { ShowErrorMessageBox(); }
    bool WindowsNT() override
    {
        // Every system this program runs on is of the NT family.
        return true;
    }
    void ClearLibraryError() override {}
    void NotifyTerminating(bool& execute) override
    {
        if (DialogState().TerminatingNotify)
            DialogState().TerminatingNotify(execute);
    }
    void RecordShowError(const std::string& message) override
    {
        // The processing's internal error log writes the warning line when
        // it is linked; without it the line is written here.
        if (DialogState().ShowErrorRecorded) {
            DialogState().ShowErrorRecorded(message);
            return;
        }
        const std::string line = "[WARNING] - Code: eeShowError - Address: 00000000 - Message: \"" + message + "\"";
        OutputDebugStringA(line.c_str());
    }

private:
    HMODULE FRichEdit = nullptr;
};

struct TFindMain {
    HWND Found = nullptr;
};

BOOL CALLBACK FindMainWindow(HWND w, LPARAM data)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(w) && !GetWindow(w, GW_OWNER)) {
        reinterpret_cast<TFindMain*>(data)->Found = w;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HINSTANCE DialogResourceModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&DialogResourceModule), &module);
    return module ? module : GetModuleHandleA(nullptr);
}

void SetCustomErrorMessage(const std::string& text)
{
    DialogState().CustomErrorMessage = text;
}

std::string MessageShown()
{
    const TDialogState& s = DialogState();
    return s.CustomErrorMessage.empty() ? s.ExceptionMessage : s.CustomErrorMessage;
}

void ShowErrorMessageBox()
{
    const TZorvikModuleOptions* o = DialogState().Options;
    const std::string caption = o ? o->GetCustomizedExpandedTexts(mtDialog_Caption) : "";
    MessageBoxA(nullptr, MessageShown().c_str(), caption.c_str(), MessageBoxFlags);
}

void ShowErrorDialog(bool beep)
{
    TWin32ErrorDisplay platform;
    RunErrorDisplay(DialogState(), platform, beep);
}

void DisplayErrorDialogs(const TErrorDialogInput& in)
{
    TDialogState& s = DialogState();
    s.Options = in.Options;
    s.ExceptionMessage = in.Message;
    s.Report = in.Report;
    s.ErrorsCount = in.ErrorsCount;
    s.DuplicateFlag = in.Duplicate;
    s.GuiProgram = in.GuiProgram;
    s.DialogType = in.DialogType;
    if (!s.Options || s.DialogType == edtNone)
        return;
    s.SendCheck = SendModeSet(*s.Options);
    s.ScreenshotCheck = s.Options->CommonSendOptions().Contains(sndSendScreenshot);
    s.CancelFlag = false;
    const bool firstDetailed = s.DialogType == edtZorvikLog;
    s.DetailsForced = false;
    ShowErrorDialog(true);
    while (s.DialogType != edtNone) {
        s.DetailsForced = true;
        ShowErrorDialog(false);
    }
    if (firstDetailed)
        AskReproduceText();
}

void RestoreMainWindow(HWND mainWindow)
{
    if (!mainWindow) {
        TFindMain find;
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&find));
        mainWindow = find.Found;
    }
    if (!mainWindow || !IsIconic(mainWindow))
        return;
    PostMessageA(mainWindow, WM_SYSCOMMAND, SC_RESTORE, 0);
    if (GetWindowThreadProcessId(mainWindow, nullptr) != GetCurrentThreadId()) {
        // Its thread may be the hung one: asked, not waited for.
        ShowWindowAsync(mainWindow, SW_SHOWNORMAL);
        SetForegroundWindow(mainWindow);
        return;
    }
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_QUIT) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    ShowWindow(mainWindow, SW_SHOWNORMAL);
    SetForegroundWindow(mainWindow);
}
