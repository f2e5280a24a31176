#pragma once
// The system's printer dialogs: printer setup, page setup and print. They
// share the printer chosen last (its device mode and names), which each
// dialog starts from and hands on.
#include <windows.h>

#include <string>

#include "framework/CommonDialog.h"

// The printer the dialogs chose last, process-wide; empty names until one
// of them was accepted (the system's default printer is meant then).
std::string ChosenPrinterName();
// Forgets the chosen printer.
void ResetChosenPrinter();

class TPrinterSetupDialog : public TCommonDialog {
public:
    explicit TPrinterSetupDialog(TComponent* owner) : TCommonDialog(owner) {}
    std::string ClassName() const override { return "TPrinterSetupDialog"; }
    bool Execute(HWND owner) override;
};

enum TPageMeasureUnits { pmDefault, pmMillimeters, pmInches };

class TPageSetupDialog : public TCommonDialog {
public:
    explicit TPageSetupDialog(TComponent* owner) : TCommonDialog(owner) {}
    std::string ClassName() const override { return "TPageSetupDialog"; }
    bool Execute(HWND owner) override;
    // Margins and the paper size, in thousandths of an inch or hundredths of
    // a millimetre (Units; pmDefault: the user's locale decides, and Units
    // tells afterwards which it was).
    TPageMeasureUnits Units = pmDefault;
    int MarginLeft = 0, MarginTop = 0, MarginRight = 0, MarginBottom = 0;
    int PageWidth = 0, PageHeight = 0;
};

enum TPrintRange { prAllPages, prSelection, prPageNums };

class TPrintDialog : public TCommonDialog {
public:
    explicit TPrintDialog(TComponent* owner) : TCommonDialog(owner) {}
    std::string ClassName() const override { return "TPrintDialog"; }
    bool Execute(HWND owner) override;
    int Copies = 1;
    bool Collate = false;
    bool PrintToFile = false;
    TPrintRange PrintRange = prAllPages;
    // Page numbers offered (MinPage..MaxPage; page numbers are allowed only
    // when MaxPage > 0) and chosen (FromPage..ToPage).
    int FromPage = 0, ToPage = 0, MinPage = 0, MaxPage = 0;
};
