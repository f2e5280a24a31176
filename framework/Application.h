#pragma once
// The application object: title, forms, message loop and the one place where
// exceptions that escape an event handler land.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>

#include "framework/Classes.h"

// The application object has a MessageBox of its own.
#undef MessageBox

class TForm;
class Exception;

using TExceptionEvent = std::function<void(TObject* sender, Exception& e)>;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* owner);
    std::string ClassName() const override { return "TApplication"; }

    // Reads the user's locale (decimal separator) and the common controls.
    void Initialize();
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& title) { FTitle = title; }

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
    void ShowException(const Exception& e);
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);

    TExceptionEvent OnException;
    // Called for every message before it is dispatched; true means handled.
    std::function<bool(MSG&)> OnMessage;

private:
    bool ProcessMessage(MSG& msg);
    std::string FTitle;
    TForm* FMainForm = nullptr;
    bool FTerminated = false;
};

// The process's one application object.
extern TApplication* Application;
