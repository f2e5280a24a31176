#pragma once
// The system's open and save dialogs with 8-bit names: the settings of the
// dialog, the record the system call takes, and the chosen names.
#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Classes.h"

enum TOpenOption : unsigned {
    ofReadOnly = 1,
    ofOverwritePrompt = 2,
    ofNoChangeDir = 4,
    ofAllowMultiSelect = 8,
    ofExtensionDifferent = 16,
    ofPathMustExist = 32,
    ofFileMustExist = 64,
    ofOldStyleDialog = 128,
    ofNoValidate = 256,
    ofForceCurrentDir = 512,  // an empty initial folder means the current one
};

class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}
    std::string ClassName() const override { return "TOpenDialog"; }
    std::string DefaultExt;
    std::string FileName;
    std::string Filter;  // "text|pattern|text|pattern"
    int FilterIndex = 1;
    std::string Title;
    unsigned Options = 0;
    std::vector<std::string> Files;
    // Asked when the user accepts a name; clearing canClose keeps the
    // dialog open.
    std::function<void(TObject* sender, bool& canClose)> OnCanClose;
    virtual bool DoCanClose() {
        bool canClose = true;
        if (OnCanClose) OnCanClose(this, canClose);
        return canClose;
    }
    // Asked for every item the dialog would list, when set; clearing
    // include leaves the item out.
    std::function<void(const OFNOTIFYEXA& ofn, bool& include)> OnIncludeItem;
    virtual void DoIncludeItem(const OFNOTIFYEXA& ofn, bool& include) {
        if (OnIncludeItem) OnIncludeItem(ofn, include);
    }
    // A dialog template the system adds to its dialog (a child of the
    // explorer-style dialog): its name, or an integer resource made with
    // MAKEINTRESOURCEA; the text stays the caller's. Null: none.
    LPCSTR Template = nullptr;
    // The module holding the template; null: the program.
    HINSTANCE TemplateModule = nullptr;
    std::string InitialDir() const { return FInitialDir; }
    virtual void SetInitialDir(const std::string& value) { FInitialDir = value; }
    // True when the user accepted.
    virtual bool Execute(HWND parent = nullptr);
    // The record as the system call takes it, without the texts: owner,
    // flags, file buffer length, filter index and the template.
    void PrepareRecord(OPENFILENAMEA& ofn, HWND parent) const;
    // The largest file buffer, in characters.
    static constexpr DWORD kMaxFileBuffer = 0x8000;

protected:
    bool ExecuteA(BOOL(WINAPI* func)(OPENFILENAMEA*), HWND parent);

private:
    static UINT_PTR CALLBACK IncludeHook(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
    std::string FInitialDir;
};

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}
    std::string ClassName() const override { return "TSaveDialog"; }
    bool Execute(HWND parent = nullptr) override;
};
