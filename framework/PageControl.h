#pragma once
// A tab control whose tabs each show one page (a panel) of controls.
#include <string>
#include <vector>

#include "framework/ControlNotify.h"
#include "framework/ExtCtrls.h"

class TPageControl;

class TTabSheet : public TPanel {
public:
    TTabSheet(TComponent* owner, TPageControl* pages, const std::string& caption);
    std::string ClassName() const override { return "TTabSheet"; }
    TNotifyEvent OnShow;  // the page becomes the active one
};

class TPageControl : public TWinControl, public TNotifiedControl {
public:
    explicit TPageControl(TComponent* owner);
    std::string ClassName() const override { return "TPageControl"; }

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Page(int index) const { return FPages[static_cast<size_t>(index)]; }
    TTabSheet* ActivePage() const { return FActive >= 0 ? FPages[static_cast<size_t>(FActive)] : nullptr; }
    void SetActivePage(TTabSheet* page);

    bool Notified(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void Resize() override;

private:
    friend class TTabSheet;
    void AddPage(TTabSheet* page);
    void ShowActive();
    std::vector<TTabSheet*> FPages;  // owned by their owner
    int FActive = -1;
};
