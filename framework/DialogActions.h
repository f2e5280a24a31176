#pragma once
// The standard actions that show the system's printer, page, font, colour
// and print dialogs: BeforeExecute, the dialog (made on first use, owned by
// the action), then OnAccept (or OnExecute) or OnCancel.
#include <memory>
#include <string>

#include "framework/ColorDialog.h"
#include "framework/FontDialog.h"
#include "framework/PrintDialogs.h"
#include "framework/StdActns.h"

// The dialog of type D, made on first use; the action owns it.
template <class D>
class TDialogHolder {
public:
    D* Get() {
        if (!FDialog) FDialog = std::make_unique<D>(nullptr);
        return FDialog.get();
    }

private:
    std::unique_ptr<D> FDialog;
};

class TFilePrintSetup : public TFileAction {
public:
    explicit TFilePrintSetup(TComponent* owner) : TFileAction(owner) {}
    std::string ClassName() const override { return "TFilePrintSetup"; }
    TPrinterSetupDialog* Dialog() { return FDialog.Get(); }

protected:
    bool ExecuteDialog() override { return Dialog()->Execute(DialogParent()); }

private:
    TDialogHolder<TPrinterSetupDialog> FDialog;
};

class TFilePageSetup : public TFileAction {
public:
    explicit TFilePageSetup(TComponent* owner) : TFileAction(owner) {}
    std::string ClassName() const override { return "TFilePageSetup"; }
    TPageSetupDialog* Dialog() { return FDialog.Get(); }

protected:
    bool ExecuteDialog() override { return Dialog()->Execute(DialogParent()); }

private:
    TDialogHolder<TPageSetupDialog> FDialog;
};

class TFontEdit : public TCommonDialogAction {
public:
    explicit TFontEdit(TComponent* owner) : TCommonDialogAction(owner) {}
    std::string ClassName() const override { return "TFontEdit"; }
    TFontDialog* Dialog() { return FDialog.Get(); }

protected:
    bool ExecuteDialog() override { return Dialog()->Execute(DialogParent()); }

private:
    TDialogHolder<TFontDialog> FDialog;
};

class TColorSelect : public TCommonDialogAction {
public:
    explicit TColorSelect(TComponent* owner) : TCommonDialogAction(owner) {}
    std::string ClassName() const override { return "TColorSelect"; }
    TColorDialog* Dialog() { return FDialog.Get(); }

protected:
    bool ExecuteDialog() override { return Dialog()->Execute(DialogParent()); }

private:
    TDialogHolder<TColorDialog> FDialog;
};

class TPrintDlg : public TCommonDialogAction {
public:
    explicit TPrintDlg(TComponent* owner) : TCommonDialogAction(owner) {}
    std::string ClassName() const override { return "TPrintDlg"; }
    TPrintDialog* Dialog() { return FDialog.Get(); }

protected:
    bool ExecuteDialog() override { return Dialog()->Execute(DialogParent()); }

private:
    TDialogHolder<TPrintDialog> FDialog;
};
