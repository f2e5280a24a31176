#include "framework/PrintDialogs.h"

#include <commdlg.h>

#include <algorithm>

namespace {
// The printer chosen last, as the dialogs take it: a device mode and the
// device names. The system may replace the blocks it is given (and frees
// those itself), so after every dialog the record's handles are ours.
struct ChosenPrinter {
    HGLOBAL DevMode = nullptr;
    HGLOBAL DevNames = nullptr;
    ~ChosenPrinter() { Reset(); }
    void Reset() {
        if (DevMode) GlobalFree(DevMode);
        if (DevNames) GlobalFree(DevNames);
        DevMode = DevNames = nullptr;
    }
    void Take(HGLOBAL mode, HGLOBAL names) {
        DevMode = mode;
        DevNames = names;
    }
};

ChosenPrinter& Chosen() {
    static ChosenPrinter chosen;
    return chosen;
}

// A locked device mode, or null; unlocked when it goes.
class LockedDevMode {
public:
    explicit LockedDevMode(HGLOBAL h) : FHandle(h), FMode(h ? static_cast<DEVMODEA*>(GlobalLock(h)) : nullptr) {}
    ~LockedDevMode() {
        if (FMode) GlobalUnlock(FHandle);
    }
    LockedDevMode(const LockedDevMode&) = delete;
    LockedDevMode& operator=(const LockedDevMode&) = delete;
    DEVMODEA* operator->() const { return FMode; }
    explicit operator bool() const { return FMode != nullptr; }

private:
    HGLOBAL FHandle;
    DEVMODEA* FMode;
};
}  // namespace

std::string ChosenPrinterName() {
    HGLOBAL h = Chosen().DevNames;
    if (!h) return {};
    auto* names = static_cast<const DEVNAMES*>(GlobalLock(h));
    if (!names) return {};
    std::string device = reinterpret_cast<const char*>(names) + names->wDeviceOffset;
    GlobalUnlock(h);
    return device;
}

void ResetChosenPrinter() { Chosen().Reset(); }

bool TPrinterSetupDialog::Execute(HWND owner) {
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner;
    pd.hDevMode = Chosen().DevMode;
    pd.hDevNames = Chosen().DevNames;
    pd.Flags = PD_PRINTSETUP;
    const bool accepted = PrintDlgA(&pd) != 0;
    Chosen().Take(pd.hDevMode, pd.hDevNames);
    return accepted;
}

bool TPageSetupDialog::Execute(HWND owner) {
    PAGESETUPDLGA ps{};
    ps.lStructSize = sizeof ps;
    ps.hwndOwner = owner;
    ps.hDevMode = Chosen().DevMode;
    ps.hDevNames = Chosen().DevNames;
    if (Units == pmMillimeters) ps.Flags |= PSD_INHUNDREDTHSOFMILLIMETERS;
    if (Units == pmInches) ps.Flags |= PSD_INTHOUSANDTHSOFINCHES;
    if (MarginLeft || MarginTop || MarginRight || MarginBottom) {
        ps.Flags |= PSD_MARGINS;
        ps.rtMargin = {MarginLeft, MarginTop, MarginRight, MarginBottom};
    }
    const bool accepted = PageSetupDlgA(&ps) != 0;
    Chosen().Take(ps.hDevMode, ps.hDevNames);
    if (!accepted) return false;
    MarginLeft = ps.rtMargin.left;
    MarginTop = ps.rtMargin.top;
    MarginRight = ps.rtMargin.right;
    MarginBottom = ps.rtMargin.bottom;
    PageWidth = ps.ptPaperSize.x;
    PageHeight = ps.ptPaperSize.y;
    if (ps.Flags & PSD_INHUNDREDTHSOFMILLIMETERS) Units = pmMillimeters;
    else if (ps.Flags & PSD_INTHOUSANDTHSOFINCHES) Units = pmInches;
    return true;
}

bool TPrintDialog::Execute(HWND owner) {
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner;
    pd.hDevMode = Chosen().DevMode;
    pd.hDevNames = Chosen().DevNames;
    pd.nCopies = static_cast<WORD>(std::clamp(Copies, 1, 0xFFFF));
    pd.Flags = PD_USEDEVMODECOPIESANDCOLLATE;
    if (Collate) pd.Flags |= PD_COLLATE;
    if (PrintToFile) pd.Flags |= PD_PRINTTOFILE;
    if (PrintRange == prSelection) pd.Flags |= PD_SELECTION;
    else pd.Flags |= PD_NOSELECTION;
    if (MaxPage > 0) {
        pd.nMinPage = static_cast<WORD>(std::clamp(MinPage, 0, 0xFFFF));
        pd.nMaxPage = static_cast<WORD>(std::clamp(MaxPage, MinPage, 0xFFFF));
        pd.nFromPage = static_cast<WORD>(std::clamp(FromPage, MinPage, MaxPage));
        pd.nToPage = static_cast<WORD>(std::clamp(ToPage, MinPage, MaxPage));
        if (PrintRange == prPageNums) pd.Flags |= PD_PAGENUMS;
    } else {
        pd.Flags |= PD_NOPAGENUMS;
    }
    const bool accepted = PrintDlgA(&pd) != 0;
    Chosen().Take(pd.hDevMode, pd.hDevNames);
    if (!accepted) return false;
    // Copies and collation stand in the device mode when the driver does
    // them, else in the record.
    Copies = pd.nCopies;
    Collate = (pd.Flags & PD_COLLATE) != 0;
    if (LockedDevMode mode{pd.hDevMode}) {
        if ((mode->dmFields & DM_COPIES) && mode->dmCopies > Copies) Copies = mode->dmCopies;
        if (mode->dmFields & DM_COLLATE) Collate = Collate || mode->dmCollate == DMCOLLATE_TRUE;
    }
    PrintToFile = (pd.Flags & PD_PRINTTOFILE) != 0;
    PrintRange = (pd.Flags & PD_SELECTION) ? prSelection : (pd.Flags & PD_PAGENUMS) ? prPageNums : prAllPages;
    if (PrintRange == prPageNums) {
        FromPage = pd.nFromPage;
        ToPage = pd.nToPage;
    }
    return true;
}
