#pragma once
// The framework's dialog actions (printer setup, page setup, font, colour,
// print) and the exit action with wide captions and hints. Copying from a
// framework action keeps its dialog events (UvxStdActn_AfterInherited_Assign).
#include <string>

#include "editor/unicode/UvxStdActns.h"
#include "framework/DialogActions.h"

class TUvxCommonDialogAction : public TUvxStdAction<TCommonDialogAction> {
public:
    using TUvxStdAction<TCommonDialogAction>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxCommonDialogAction"; }
};

class TUvxFileAction : public TUvxStdAction<TFileAction> {
public:
    using TUvxStdAction<TFileAction>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxFileAction"; }
};

class TUvxFilePrintSetup : public TUvxStdAction<TFilePrintSetup> {
public:
    using TUvxStdAction<TFilePrintSetup>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxFilePrintSetup"; }
};

class TUvxFilePageSetup : public TUvxStdAction<TFilePageSetup> {
public:
    using TUvxStdAction<TFilePageSetup>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxFilePageSetup"; }
};

class TUvxFontEdit : public TUvxStdAction<TFontEdit> {
public:
    using TUvxStdAction<TFontEdit>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxFontEdit"; }
};

class TUvxColorSelect : public TUvxStdAction<TColorSelect> {
public:
    using TUvxStdAction<TColorSelect>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxColorSelect"; }
};

class TUvxPrintDlg : public TUvxStdAction<TPrintDlg> {
public:
    using TUvxStdAction<TPrintDlg>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxPrintDlg"; }
};

class TUvxFileExit : public TUvxStdAction<TFileExit> {
public:
    using TUvxStdAction<TFileExit>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxFileExit"; }
};
