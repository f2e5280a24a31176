#include "editor/unicode/UvxStdActns.h"

#include <utility>

#include "framework/SearchActions.h"

namespace {
// Both the action and the source are of class T: the pair, else nulls.
template <class T>
std::pair<T*, const T*> Both(TCustomAction* action, const TPersistent* source) {
    auto* a = dynamic_cast<T*>(action);
    auto* s = dynamic_cast<const T*>(source);
    if (a && s) return {a, s};
    return {nullptr, nullptr};
}
}  // namespace

void UvxStdActn_AfterInherited_Assign(TCustomAction* action, const TPersistent* source) {
    UvxAction_AfterInherited_Assign(action, source);
    if (auto [a, s] = Both<TCommonDialogAction>(action, source); a) {
        a->BeforeExecute = s->BeforeExecute;
        a->OnAccept = s->OnAccept;
        a->OnCancel = s->OnCancel;
    }
    if (auto [a, s] = Both<TFileOpen>(action, source); a)
        a->UseDefaultApp = s->UseDefaultApp;
    if (auto [a, s] = Both<TFileOpenWith>(action, source); a) {
        a->FileName = s->FileName;
        a->AfterOpen = s->AfterOpen;
    }
    if (auto [a, s] = Both<TSearchFindNext>(action, source); a) a->SetSearchFind(s->SearchFind());
}

void TUvxEditDelete::UpdateTarget(TObject*) { SetEnabled(true); }

void TUvxEditDelete::ExecuteTarget(TObject* target) {
    TCustomEdit* edit = GetControl(target);
    if (edit->SelLength() == 0) edit->SetSelLength(1);
    edit->SetSelText("");
}
