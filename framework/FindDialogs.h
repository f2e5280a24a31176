#pragma once
// The system's find and replace dialogs with 8-bit texts. They are modeless:
// Execute shows the dialog and returns; every press of its buttons comes
// back as OnFind or OnReplace while the program goes on.
#include <windows.h>
#include <commdlg.h>
// The dialogs' texts are FindText and ReplaceText, not the system calls the
// system header renames.
#undef FindText
#undef ReplaceText

#include <functional>
#include <string>

#include "framework/Classes.h"
#include "framework/TextSearch.h"

using TNotifyEvent = std::function<void(TObject* sender)>;

class TFindDialog : public TComponent {
public:
    explicit TFindDialog(TComponent* owner);
    ~TFindDialog() override;
    std::string ClassName() const override { return "TFindDialog"; }
    std::string FindText;
    TFindOptions Options = frDown;
    // A person pressed "Find Next".
    TNotifyEvent OnFind;
    TNotifyEvent OnShow;
    TNotifyEvent OnClose;
    // Shows the dialog, owned by parent (by default the active window), or
    // brings it to the front when it is shown already; true when it shows.
    virtual bool Execute(HWND parent = nullptr);
    void CloseDialog();
    // The dialog window while it is shown, else null.
    HWND Handle() const { return FHandle; }
    // The longest text the dialog takes, in characters.
    static constexpr WORD kTextLength = 255;

protected:
    virtual bool IsReplaceDialog() const { return false; }
    // Creates the system's dialog with these flags and the hook; the 8-bit
    // one here, a wide one in the Unicode layer.
    virtual HWND CreateSystemDialog(HWND owner, DWORD flags, LPFRHOOKPROC hook, LPARAM data);
    // Takes the texts a person entered from the record the system reports.
    virtual void ReadTexts(const void* record);
    virtual void Find();
    virtual void Replace() {}
    // The dialog window exists and holds its first texts.
    virtual void InitDialog(HWND) {}

private:
    friend class TFindRedirector;
    // A report of the dialog (its record).
    void Report(const FINDREPLACEA& record);
    static UINT_PTR CALLBACK Hook(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK RedirectorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    FINDREPLACEA FRecord{};
    std::string FFindBuffer, FReplaceBuffer;
    HWND FHandle = nullptr;
    // The hidden window the dialog reports to.
    HWND FRedirector = nullptr;
};

class TReplaceDialog : public TFindDialog {
public:
    explicit TReplaceDialog(TComponent* owner) : TFindDialog(owner) {}
    std::string ClassName() const override { return "TReplaceDialog"; }
    std::string ReplaceText;
    // A person pressed "Replace" or "Replace All" (frReplace or frReplaceAll
    // in Options).
    TNotifyEvent OnReplace;

protected:
    bool IsReplaceDialog() const override { return true; }
    void ReadTexts(const void* record) override;
    void Replace() override;
};

// The dialog flags for the options, and the options a report's flags give.
DWORD FindOptionsToFlags(TFindOptions options);
TFindOptions FindFlagsToOptions(DWORD flags, TFindOptions options);
