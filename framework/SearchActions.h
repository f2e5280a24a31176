#pragma once
// The search actions on the focused edit box: find (from the selection, or
// from the start of the text), find the next match again, and replace,
// through the modeless find and replace dialogs.
#include <memory>
#include <string>

#include "framework/CustomEdit.h"
#include "framework/FindDialogs.h"
#include "framework/StdActns.h"

class TSearchAction : public TCommonDialogAction {
public:
    explicit TSearchAction(TComponent* owner) : TCommonDialogAction(owner) {}
    ~TSearchAction() override;
    std::string ClassName() const override { return "TSearchAction"; }
    // Made on first use, of the action's dialog class.
    TFindDialog* Dialog();
    // On the focused edit box: it becomes the one searched, and the dialog shows.
    bool Execute() override;
    // Enabled while an edit box with text has the focus.
    bool Update() override;
    virtual bool HandlesTarget(TObject* target);
    virtual void UpdateTarget(TObject* target);
    virtual void ExecuteTarget(TObject* target);
    // Looks for the dialog's text in the edit box (target, else the one the
    // dialog was shown for) and selects it; tells the person when it is not
    // there. True when found.
    virtual bool Search(TCustomEdit* target = nullptr);
    // The edit box being searched, or null.
    TCustomEdit* Control() const { return FControl; }

protected:
    virtual std::unique_ptr<TFindDialog> NewDialog() { return std::make_unique<TFindDialog>(nullptr); }
    bool ExecuteDialog() override { return Dialog()->Execute(); }
    // The texts searched and searched for, widened from the 8-bit ones; the
    // Unicode layer gives the wide ones.
    virtual std::u16string FindWhat();
    virtual std::u16string EditText(TCustomEdit* edit);
    virtual void ReplaceSelection(TCustomEdit* edit, const std::u16string& text);
    // The selection in the edit box, in the characters of EditText.
    virtual void GetSelection(TCustomEdit* edit, int& start, int& length);
    virtual void Select(TCustomEdit* edit, int start, int length);
    virtual void TextNotFound(const std::u16string& what);
    void SetControl(TCustomEdit* edit);
    void Notification(TComponent* component, TOperation operation) override;
    // The next search starts at the beginning of the text.
    bool FFindFirst = false;

private:
    TCustomEdit* FControl = nullptr;
    std::unique_ptr<TFindDialog> FDialog;
};

class TSearchFind : public TSearchAction {
public:
    using TSearchAction::TSearchAction;
    std::string ClassName() const override { return "TSearchFind"; }
};

// Its first search, after the dialog shows, begins at the start of the text;
// the following ones go on from the match.
class TSearchFindFirst : public TSearchFind {
public:
    using TSearchFind::TSearchFind;
    std::string ClassName() const override { return "TSearchFindFirst"; }
    void ExecuteTarget(TObject* target) override;
};

// "Replace" replaces the match that is selected and finds the next one;
// "Replace All" replaces every match in the text.
class TSearchReplace : public TSearchAction {
public:
    using TSearchAction::TSearchAction;
    std::string ClassName() const override { return "TSearchReplace"; }
    TReplaceDialog* ReplaceDialog() { return static_cast<TReplaceDialog*>(Dialog()); }
    // Returns the number of replacements.
    virtual int Replace();

protected:
    std::unique_ptr<TFindDialog> NewDialog() override { return std::make_unique<TReplaceDialog>(nullptr); }
    virtual std::u16string ReplaceWith();
};

// Finds the text of its find action's dialog again, from the selection on.
class TSearchFindNext : public TCustomAction {
public:
    explicit TSearchFindNext(TComponent* owner) : TCustomAction(owner) {}
    ~TSearchFindNext() override;
    std::string ClassName() const override { return "TSearchFindNext"; }
    TSearchFind* SearchFind() const { return FSearchFind; }
    void SetSearchFind(TSearchFind* value);
    bool Execute() override;
    bool Update() override;
    // Enabled while the find action is and its dialog has a text.
    virtual bool HandlesTarget(TObject* target);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TSearchFind* FSearchFind = nullptr;
};
