#pragma once
// The search actions with wide captions and hints. They show the layer's
// find and replace dialogs and search the edit box's wide text for the wide
// text a person entered; "not found" is told with that text whole.
#include <memory>
#include <string>
#include <type_traits>

#include "editor/unicode/UvxFindDialogs.h"
#include "editor/unicode/UvxStdActns.h"
#include "framework/SearchActions.h"

// The wide texts the search works on, for the search action classes.
std::u16string UvxSearch_FindWhat(TFindDialog* dialog);
std::u16string UvxSearch_ReplaceWith(TFindDialog* dialog);
std::u16string UvxSearch_EditText(TCustomEdit* edit);
void UvxSearch_GetSelection(TCustomEdit* edit, int& start, int& length);
void UvxSearch_Select(TCustomEdit* edit, int start, int length);
void UvxSearch_ReplaceSelection(TCustomEdit* edit, const std::u16string& text);
void UvxSearch_TextNotFound(const std::u16string& what);

template <class Base>
class TUvxSearchTexts : public Base {
public:
    using Base::Base;

protected:
    std::unique_ptr<TFindDialog> NewDialog() override {
        if constexpr (std::is_base_of_v<TSearchReplace, Base>) return std::make_unique<TUvxReplaceDialog>(nullptr);
        else return std::make_unique<TUvxFindDialog>(nullptr);
    }
    std::u16string FindWhat() override { return UvxSearch_FindWhat(this->Dialog()); }
    std::u16string EditText(TCustomEdit* edit) override { return UvxSearch_EditText(edit); }
    void GetSelection(TCustomEdit* edit, int& start, int& length) override {
        UvxSearch_GetSelection(edit, start, length);
    }
    void Select(TCustomEdit* edit, int start, int length) override { UvxSearch_Select(edit, start, length); }
    void ReplaceSelection(TCustomEdit* edit, const std::u16string& text) override {
        UvxSearch_ReplaceSelection(edit, text);
    }
    void TextNotFound(const std::u16string& what) override { UvxSearch_TextNotFound(what); }
};

class TUvxSearchAction : public TUvxStdAction<TUvxSearchTexts<TSearchAction>> {
public:
    using TUvxStdAction<TUvxSearchTexts<TSearchAction>>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxSearchAction"; }
};

class TUvxSearchFind : public TUvxStdAction<TUvxSearchTexts<TSearchFind>> {
public:
    using TUvxStdAction<TUvxSearchTexts<TSearchFind>>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxSearchFind"; }
    TUvxFindDialog* GetDialog() { return static_cast<TUvxFindDialog*>(Dialog()); }
};

class TUvxSearchReplace : public TUvxStdAction<TUvxSearchTexts<TSearchReplace>> {
public:
    using TUvxStdAction<TUvxSearchTexts<TSearchReplace>>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxSearchReplace"; }
    TUvxReplaceDialog* GetDialog() { return static_cast<TUvxReplaceDialog*>(Dialog()); }

protected:
    std::u16string ReplaceWith() override { return UvxSearch_ReplaceWith(Dialog()); }
};

class TUvxSearchFindFirst : public TUvxStdAction<TUvxSearchTexts<TSearchFindFirst>> {
public:
    using TUvxStdAction<TUvxSearchTexts<TSearchFindFirst>>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxSearchFindFirst"; }
    TUvxFindDialog* GetDialog() { return static_cast<TUvxFindDialog*>(Dialog()); }
};

class TUvxSearchFindNext : public TUvxStdAction<TSearchFindNext> {
public:
    using TUvxStdAction<TSearchFindNext>::TUvxStdAction;
    std::string ClassName() const override { return "TUvxSearchFindNext"; }
};
