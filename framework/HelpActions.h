#pragma once
// Help actions: each sends one help command through the application (whose
// OnHelp serves it) and is enabled while the application has help to give.
#include <cstdint>
#include <string>

#include "framework/ActnList.h"

class TWinControl;

class THelpAction : public TAction {
public:
    explicit THelpAction(TComponent* owner) : TAction(owner) {}
    std::string ClassName() const override { return "THelpAction"; }
    // Its own OnExecute, else the help command; false when no one served it.
    bool Execute() override;
    // Its own OnUpdate, else enabled while help is available.
    bool Update() override;

protected:
    // The request of the action: false for none.
    virtual bool HelpRequest(uint16_t& command, int& data) { return false; }
    virtual bool HelpAvailable();
};

// The contents of the help (HELP_FINDER).
class THelpContents : public THelpAction {
public:
    explicit THelpContents(TComponent* owner) : THelpAction(owner) {}
    std::string ClassName() const override { return "THelpContents"; }

protected:
    bool HelpRequest(uint16_t& command, int& data) override;
};

// The search of the help with no keyword typed yet (HELP_PARTIALKEY, data 0).
class THelpTopicSearch : public THelpAction {
public:
    explicit THelpTopicSearch(TComponent* owner) : THelpAction(owner) {}
    std::string ClassName() const override { return "THelpTopicSearch"; }

protected:
    bool HelpRequest(uint16_t& command, int& data) override;
};

// How to use the help (HELP_HELPONHELP).
class THelpOnHelp : public THelpAction {
public:
    explicit THelpOnHelp(TComponent* owner) : THelpAction(owner) {}
    std::string ClassName() const override { return "THelpOnHelp"; }

protected:
    bool HelpRequest(uint16_t& command, int& data) override;
};

// The help of the control that has the focus (HELP_CONTEXT): its help
// context, else the nearest of its parents' that is set. Enabled only when
// there is one.
class THelpContextAction : public THelpAction {
public:
    explicit THelpContextAction(TComponent* owner) : THelpAction(owner) {}
    std::string ClassName() const override { return "THelpContextAction"; }
    // The help context of the focused control or its parents; 0 for none.
    static int FocusedHelpContext();

protected:
    bool HelpRequest(uint16_t& command, int& data) override;
    bool HelpAvailable() override;
};
