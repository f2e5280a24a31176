#pragma once
// The open and save dialogs with wide file names, filters, folders and
// titles; on an 8-bit platform the framework's dialogs run instead.
#include <functional>
#include <memory>
#include <string>

#include "editor/unicode/UvxStringLists.h"
#include "framework/OpenDialog.h"

// Asked for every item the dialog would list; clearing include leaves it out.
using TIncludeItemEventW = std::function<void(const OFNOTIFYEXW& ofn, bool& include)>;

// The owner of a dialog shown without one: the active form's window when
// the application's modal pop-up mode is on and a form is active, else the
// application window.
HWND GetModalParentWnd();

class TUvxOpenDialog : public TOpenDialog {
public:
    explicit TUvxOpenDialog(TComponent* owner);
    ~TUvxOpenDialog() override;
    std::string ClassName() const override { return "TUvxOpenDialog"; }
    std::u16string GetDefaultExt();
    void SetDefaultExt(const std::u16string& value);
    std::u16string GetFileName();
    void SetFileName(const std::u16string& value);
    std::u16string GetFilter();
    void SetFilter(const std::u16string& value);
    std::u16string GetInitialDir();
    void SetInitialDir(const std::u16string& value);
    using TOpenDialog::SetInitialDir;
    std::u16string GetTitle();
    void SetTitle(const std::u16string& value);
    // The chosen names, full paths.
    TUvxStrings* Files();
    bool Execute(HWND parent = nullptr) override;
    // The framework's decision only while a name is being accepted.
    bool DoCanClose() override { return FMayDecideClosing ? TOpenDialog::DoCanClose() : true; }
    // On a Unicode platform the wide event decides, the framework's is not asked.
    TIncludeItemEventW OnIncludeItem;
    void DoIncludeItem(const OFNOTIFYEXA& ofn, bool& include) override;
    // The dialog window while it runs, or null.
    HWND DialogWindow() const { return FDialog; }

protected:
    bool DoExecuteW(BOOL(WINAPI* func)(OPENFILENAMEW*), HWND parent);
    static BOOL TaskModal(BOOL(WINAPI* func)(OPENFILENAMEW*), OPENFILENAMEW& ofn);

private:
    // The names in the record's buffer into both file lists.
    void GetFileNamesW(const OPENFILENAMEW& ofn);
    bool CanCloseW(const OPENFILENAMEW& ofn);
    static UINT_PTR CALLBACK Hook(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
    std::u16string FDefaultExt, FFileName, FFilter, FInitialDir, FTitle;
    std::unique_ptr<TUvxStringList> FFiles;
    HWND FDialog = nullptr;
    bool FMayDecideClosing = false;
};

class TUvxSaveDialog : public TUvxOpenDialog {
public:
    explicit TUvxSaveDialog(TComponent* owner) : TUvxOpenDialog(owner) {}
    std::string ClassName() const override { return "TUvxSaveDialog"; }
    bool Execute(HWND parent = nullptr) override;
};
