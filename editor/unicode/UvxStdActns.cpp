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

TPropInfo WideActionText(const char* name, bool hint) {
    TPropInfo p{name, TTypeKind::tkWString};
    p.GetWStr = [hint](const TPersistent& o) {
        auto* a = const_cast<TCustomAction*>(dynamic_cast<const TCustomAction*>(&o));
        return hint ? UvxAction_GetHint(a) : UvxAction_GetCaption(a);
    };
    p.SetWStr = [hint](TPersistent& o, const std::u16string& v) {
        auto* a = dynamic_cast<TCustomAction*>(&o);
        hint ? UvxAction_SetHint(a, v) : UvxAction_SetCaption(a, v);
    };
    return p;
}
}  // namespace

const TClassInfo* UvxStdActn_ClassInfo(bool withCaption) {
    static const TClassInfo both{"TUvxStdAction", nullptr,
                                 {WideActionText("Caption", false), WideActionText("Hint", true)}};
    static const TClassInfo hintOnly{"TUvxHintAction", nullptr, {WideActionText("Hint", true)}};
    return withCaption ? &both : &hintOnly;
}

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
