#pragma once
// Actions: a command with caption, hint, shortcut, enabled and checked state
// that controls and menu items link to. A change made to the action reaches
// every client through its link before the action stores it.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/Classes.h"

class TBasicAction;
class TWinControl;
using TActionNotify = std::function<void(TObject* sender)>;

// The tie of one client (a control or a menu item) to its action.
class TBasicActionLink : public TObject {
public:
    explicit TBasicActionLink(TObject* client) : FClient(client) {}
    ~TBasicActionLink() override;
    std::string ClassName() const override { return "TBasicActionLink"; }
    TBasicAction* Action() const { return FAction; }
    void SetAction(TBasicAction* action);
    TObject* Client() const { return FClient; }

    // Each is called by the action before it stores the new value; a linked
    // property follows the action, an unlinked one keeps the client's own.
    virtual bool IsCaptionLinked();
    virtual bool IsHintLinked();
    virtual bool IsEnabledLinked();
    virtual bool IsCheckedLinked();
    virtual bool IsShortCutLinked();
    virtual bool IsImageIndexLinked();
    virtual void SetCaption(const std::string&) {}
    virtual void SetHint(const std::string&) {}
    virtual void SetEnabled(bool) {}
    virtual void SetChecked(bool) {}
    virtual void SetShortCut(uint16_t) {}
    virtual void SetVisible(bool) {}
    virtual void SetImageIndex(int) {}
    bool Execute();

protected:
    TObject* FClient;
    TBasicAction* FAction = nullptr;
};
using TActionLink = TBasicActionLink;

// Ties client to action through link (made with make on first use), or
// frees the link for no action; true when the client now has an action.
bool LinkClientToAction(TBasicActionLink*& link, TBasicActionLink* (*make)(TObject*), TObject* client,
                        TBasicAction* action);

class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* owner) : TComponent(owner) {}
    ~TBasicAction() override;
    std::string ClassName() const override { return "TBasicAction"; }
    // Runs OnExecute; false when there is none.
    virtual bool Execute();
    // Runs OnUpdate; false when there is none.
    virtual bool Update();
    TActionNotify OnExecute;
    TActionNotify OnUpdate;

    int ClientCount() const { return static_cast<int>(FClients.size()); }
    TBasicActionLink* Clients(int i) const { return FClients[static_cast<size_t>(i)]; }

private:
    friend class TBasicActionLink;
    std::vector<TBasicActionLink*> FClients;
};

class TActionList;

class TCustomAction : public TBasicAction {
public:
    explicit TCustomAction(TComponent* owner) : TBasicAction(owner) {}
    ~TCustomAction() override;
    std::string ClassName() const override { return "TCustomAction"; }
    const std::string& Caption() const { return FCaption; }
    // Each setter tells the linked clients first, then stores the value.
    virtual void SetCaption(const std::string& value);
    const std::string& Hint() const { return FHint; }
    virtual void SetHint(const std::string& value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    uint16_t ShortCut() const { return FShortCut; }
    void SetShortCut(uint16_t value);
    // The picture of the action in an image list; -1 for none.
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    TActionList* ActionList = nullptr;

protected:
    void AssignTo(TPersistent* dest) const override;

private:
    std::string FCaption, FHint;
    bool FEnabled = true, FChecked = false, FVisible = true;
    uint16_t FShortCut = 0;
    int FImageIndex = -1;
};

class TAction : public TCustomAction {
public:
    explicit TAction(TComponent* owner) : TCustomAction(owner) {}
    std::string ClassName() const override { return "TAction"; }
};

// Holds actions (it owns those it creates through AddAction).
class TActionList : public TComponent {
public:
    explicit TActionList(TComponent* owner) : TComponent(owner) {}
    std::string ClassName() const override { return "TActionList"; }
    void AddAction(TCustomAction* action);
    void RemoveAction(TCustomAction* action);
    int ActionCount() const { return static_cast<int>(FActions.size()); }
    TCustomAction* Actions(int i) const { return FActions[static_cast<size_t>(i)]; }
    // Lets every action update its state.
    void UpdateActions();

protected:
    // Told of every action added (opInsert) or removed (opRemove).
    virtual void ActionNotify(TCustomAction* action, TOperation operation) {}
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::vector<TCustomAction*> FActions;
};

// The link of a control: caption and hint follow the action while they equal it.
class TControlActionLink : public TBasicActionLink {
public:
    using TBasicActionLink::TBasicActionLink;
    std::string ClassName() const override { return "TControlActionLink"; }
    static TBasicActionLink* Make(TObject* client) { return new TControlActionLink(client); }
    bool IsCaptionLinked() override;
    bool IsHintLinked() override;
    void SetCaption(const std::string& value) override;
    void SetHint(const std::string& value) override;
    void SetEnabled(bool value) override;
    void SetVisible(bool value) override;

protected:
    TWinControl* Control() const;
};

class TWinControlActionLink : public TControlActionLink {
public:
    using TControlActionLink::TControlActionLink;
    std::string ClassName() const override { return "TWinControlActionLink"; }
    static TBasicActionLink* Make(TObject* client) { return new TWinControlActionLink(client); }
};
