#pragma once
// The application object: title, forms, message loop and the one place where
// exceptions that escape an event handler land.
#include <windows.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/Classes.h"
#include "framework/Controls.h"

// The application object has a MessageBox of its own.
#undef MessageBox

class TBasicAction;
class TForm;
class TWinControl;
class Exception;
using TNotifyEvent = std::function<void(TObject* sender)>;

using TExceptionEvent = std::function<void(TObject* sender, Exception& e)>;
// A help request: command (HELP_CONTEXT, ...) and its data; the handler sets
// callHelp to false when it served the request itself.
using THelpEvent = std::function<bool(uint16_t command, int data, bool& callHelp)>;

// Where an exception that reaches TApplication::HandleException goes first
// (the crash-report component sets it); false: the framework's own handling
// is skipped.
using TApplicationExceptionHook = bool (*)(TObject* sender);
extern TApplicationExceptionHook ApplicationExceptionHook;
// Where an exception shown through TApplication::ShowException goes first,
// unless HandleException is already showing it (the crash-report component
// sets it); false: the message box is skipped.
using TApplicationShowExceptionHook = bool (*)(const Exception& e);
extern TApplicationShowExceptionHook ApplicationShowExceptionHook;

// Whom modal windows belong to: pmNone the application window, the other
// modes the active form.
enum TPopupMode { pmNone, pmAuto, pmExplicit };

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* owner);
    std::string ClassName() const override { return "TApplication"; }

    // Reads the user's locale (separators, date order, morning and afternoon
    // marks) and the common controls.
    void Initialize();
    const std::string& Title() const { return FTitle; }
    // Also the text of the application window, when it exists.
    void SetTitle(const std::string& title);
    // The hidden application window (made on first use); its messages go to
    // the hooks first, in the order they were added.
    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    using TWindowHook = std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)>;
    // Returns a number that UnhookMainWindow takes.
    int HookMainWindow(TWindowHook hook);
    void UnhookMainWindow(int id);
    // A message to the application window's procedure (its hooks, then the
    // application's own handling) without making the window; 0 when no one
    // handled it.
    LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);

    // The hint of what the mouse or the menu points at. On every change
    // OnHint runs; without one a hint action carries the hint to the
    // application window (see OnActionExecute).
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& hint);
    TNotifyEvent OnHint;
    // An action offered to the application window (the hint action, and any
    // action that finds no one else) once the window's hooks have passed it.
    std::function<void(TBasicAction* action, bool& handled)> OnActionExecute;
    // Hides the hint window that shows and forgets a pending hint.
    void CancelHint();
    // Hints show once the mouse rests HintPause ms on a control, follow it
    // to the next control after HintShortPause while one shows, and hide
    // after HintHidePause; none with ShowHint off.
    bool ShowHint = true;
    int HintPause = 500;
    int HintShortPause = 50;
    int HintHidePause = 2500;
    // The framework control under the mouse, or null.
    TWinControl* MouseControl() const;
    // A modeless dialog window whose keys IsDialogMessage should see, or null.
    HWND DialogHandle = nullptr;
    // The form whose window is active, or null.
    TForm* ActiveForm() const;
    TPopupMode ModalPopupMode = pmNone;

    // Creates a form owned by the application; the first is the main form.
    template <class T>
    T* CreateForm() {
        T* form = new T(this);
        AddForm(form);
        return form;
    }
    void AddForm(TForm* form);
    TForm* MainForm() const { return FMainForm; }

    // Shows the main form and runs the message loop until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Takes and dispatches one message, waiting for it.
    void HandleMessage();
    // Dispatches every waiting message without waiting.
    void ProcessMessages();

    // Hands the exception being handled to OnException, or shows it.
    void HandleException(TObject* sender);
    // The same without the hooks: for an error that is the input's matter
    // (a file too large for memory), not a fault of the program to report.
    void HandleExceptionUnreported(TObject* sender);
    void ShowException(const Exception& e);
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);

    TExceptionEvent OnException;
    // The application became active or lost the focus to another program.
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    bool Active() const { return FActive; }
    void SetActive(bool active);
    // Help for a context number: OnHelp decides; there is no help system of
    // the framework's own behind it.
    THelpEvent OnHelp;
    // The program's help file, for OnHelp to open; a form may name its own.
    std::string HelpFile;
    // The active form's help file when it names one, else the program's.
    std::string CurrentHelpFile() const;
    // The reading order the program's windows take: the message dialogs
    // place and read their texts from the right under bdRightToLeft.
    TBiDiMode BiDiMode = bdLeftToRight;
    bool HelpContext(int context);
    // Any help command (HELP_CONTEXT, HELP_FINDER, HELP_HELPONHELP, ...)
    // with its data, through OnHelp; false when no one served it.
    bool HelpCommand(uint16_t command, int data);
    // The main form comes to the front.
    void BringToFront();
    // Called for every message before it is dispatched; true means handled.
    std::function<bool(MSG&)> OnMessage;

private:
    bool ProcessMessage(MSG& msg);
    bool IsShortCutMessage(const MSG& msg);
    void Idle();
    static LRESULT CALLBACK AppWndProc(HWND, UINT, WPARAM, LPARAM);
    bool HandleWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    std::string FTitle;
    std::string FHint;
    HWND FHandle = nullptr;
    std::vector<std::pair<int, TWindowHook>> FHooks;
    int FNextHook = 1;
    TForm* FMainForm = nullptr;
    bool FTerminated = false;
    bool FActive = false;
    // HandleException's own handling is under way: ShowException does not
    // hand the exception to its hook a second time.
    bool FHandlingException = false;
    [[gnu::noinline]] void ShowHandledException(TObject* sender);
};

// The hint timer (with the hint windows) sees each message the loop takes
// before it is dispatched, and hides the hint; null without hint windows.
extern void (*ApplicationHintMessageHook)(const MSG& msg);
extern void (*ApplicationCancelHintHook)();

// The process's one application object.
extern TApplication* Application;
