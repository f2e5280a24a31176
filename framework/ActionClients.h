#pragma once
// Common controls that take an action: the tool button (painted) and the
// extended combo box, and the links of those and of the list view.
#include "framework/ActnList.h"
#include "framework/CustomControl.h"

class TToolButton : public TCustomControl {
public:
    explicit TToolButton(TComponent* owner);
    std::string ClassName() const override { return "TToolButton"; }
    int ImageIndex = -1;

protected:
    void Paint() override;
    TActionLinkClass GetActionLinkClass() override;
};

class TComboBoxEx : public TWinControl {
public:
    explicit TComboBoxEx(TComponent* owner);
    std::string ClassName() const override { return "TComboBoxEx"; }

protected:
    void CreateParams(TCreateParams& params) override;
    TActionLinkClass GetActionLinkClass() override;
};

class TToolButtonActionLink : public TControlActionLink {
public:
    using TControlActionLink::TControlActionLink;
    std::string ClassName() const override { return "TToolButtonActionLink"; }
    static TBasicActionLink* Make(TObject* client) { return new TToolButtonActionLink(client); }
    void SetImageIndex(int value) override;
};

class TComboBoxExActionLink : public TWinControlActionLink {
public:
    using TWinControlActionLink::TWinControlActionLink;
    std::string ClassName() const override { return "TComboBoxExActionLink"; }
    static TBasicActionLink* Make(TObject* client) { return new TComboBoxExActionLink(client); }
};

class TListViewActionLink : public TWinControlActionLink {
public:
    using TWinControlActionLink::TWinControlActionLink;
    std::string ClassName() const override { return "TListViewActionLink"; }
    static TBasicActionLink* Make(TObject* client) { return new TListViewActionLink(client); }
};
