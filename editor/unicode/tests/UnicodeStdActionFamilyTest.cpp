#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "editor/unicode/UvxButtons.h"
#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxControls.h"
#include "editor/unicode/UvxStdActnsDialog.h"
#include "editor/unicode/UvxStdActnsHelp.h"
#include "editor/unicode/UvxStdActnsHint.h"
#include "editor/unicode/tests/ControlTestForm.h"

using namespace guitest;

namespace {
// One standard action: its Unicode class, the framework class it stands in
// for, and whether it has a caption (the hint action has a hint only).
struct FamilyCase {
    std::string name;
    std::string frameworkName;
    std::function<TCustomAction*()> makeWide;
    std::function<TCustomAction*()> makeFramework;
    std::function<bool(TCustomAction*)> isFramework;
    bool hasCaption = true;
};

template <class Wide, class Framework>
FamilyCase Case(std::string name, std::string frameworkName, bool hasCaption = true) {
    return {std::move(name), std::move(frameworkName), [] { return new Wide(nullptr); },
            [] { return new Framework(nullptr); },
            [](TCustomAction* a) { return dynamic_cast<Framework*>(a) != nullptr; }, hasCaption};
}

const std::vector<FamilyCase>& Family() {
    static const std::vector<FamilyCase> cases = {
        Case<TUvxHintAction, THintAction>("TUvxHintAction", "THintAction", false),
        Case<TUvxHelpAction, THelpAction>("TUvxHelpAction", "THelpAction"),
        Case<TUvxHelpContents, THelpContents>("TUvxHelpContents", "THelpContents"),
        Case<TUvxHelpTopicSearch, THelpTopicSearch>("TUvxHelpTopicSearch", "THelpTopicSearch"),
        Case<TUvxHelpOnHelp, THelpOnHelp>("TUvxHelpOnHelp", "THelpOnHelp"),
        Case<TUvxHelpContextAction, THelpContextAction>("TUvxHelpContextAction", "THelpContextAction"),
        Case<TUvxCommonDialogAction, TCommonDialogAction>("TUvxCommonDialogAction", "TCommonDialogAction"),
        Case<TUvxFileAction, TFileAction>("TUvxFileAction", "TFileAction"),
        Case<TUvxFilePrintSetup, TFilePrintSetup>("TUvxFilePrintSetup", "TFilePrintSetup"),
        Case<TUvxFilePageSetup, TFilePageSetup>("TUvxFilePageSetup", "TFilePageSetup"),
        Case<TUvxFontEdit, TFontEdit>("TUvxFontEdit", "TFontEdit"),
        Case<TUvxColorSelect, TColorSelect>("TUvxColorSelect", "TColorSelect"),
        Case<TUvxPrintDlg, TPrintDlg>("TUvxPrintDlg", "TPrintDlg"),
        Case<TUvxFileExit, TFileExit>("TUvxFileExit", "TFileExit"),
    };
    return cases;
}

const std::u16string kCaption = u"\u0421\u043F\u0440\u0430\u0432\u043A\u0430 \u0392\u03BF\u03AE\u03B8\u03B5\u03B9\u03B1";  // Справка Βοήθεια
const std::u16string kHint = u"\u041F\u043E\u0434\u0441\u043A\u0430\u0437\u043A\u0430|\u03B4\u03B5\u03CD\u03C4\u03B5\u03C1\u03BF";
}  // namespace

TEST(UnicodeStdActionFamily, EachIsAUnicodeActionOfItsFrameworkClass) {
    ASSERT_FALSE(Family().empty());
    for (const FamilyCase& c : Family()) {
        std::unique_ptr<TCustomAction> wide(c.makeWide()), plain(c.makeFramework());
        EXPECT_EQ(wide->ClassName(), c.name);
        EXPECT_EQ(plain->ClassName(), c.frameworkName);
        EXPECT_NE(dynamic_cast<IUvxAction*>(wide.get()), nullptr) << c.name;
        EXPECT_EQ(dynamic_cast<IUvxAction*>(plain.get()), nullptr) << c.frameworkName;
        EXPECT_TRUE(c.isFramework(wide.get())) << c.name << " stands in for " << c.frameworkName;
    }
}

TEST(UnicodeStdActionFamily, WideCaptionsAndHintsReachLinkedButtonsWhole) {
    TControlTestForm form;
    std::vector<std::pair<std::unique_ptr<TCustomAction>, TUvxButton*>> linked;
    int top = 10;
    for (const FamilyCase& c : Family()) {
        auto* button = form.Put(new TUvxButton(&form), 10 + (top / 300) * 260, 10 + top % 300, 250, 26);
        top += 30;
        linked.emplace_back(c.makeWide(), button);
    }
    form.ShowAndSettle();
    for (auto& [action, button] : linked) {
        button->SetAction(action.get());
        UvxAction_SetHint(action.get(), kHint);
        EXPECT_EQ(UvxAction_GetHint(action.get()), kHint) << action->ClassName();
        EXPECT_EQ(UvxControl_GetHint(button), kHint) << action->ClassName();
        EXPECT_EQ(action->Hint(), WideToAnsiSys(kHint)) << "the framework keeps the 8-bit form";
        if (dynamic_cast<THintAction*>(action.get())) continue;
        UvxAction_SetCaption(action.get(), kCaption + u" " + AnsiToWideSys(action->ClassName()));
        EXPECT_EQ(WideWindowText(button->Handle()), kCaption + u" " + AnsiToWideSys(action->ClassName()))
            << "the button's window shows the whole wide caption";
    }
    SaveScreenshot(form.Handle(), ScreenshotPath("std_action_family_buttons"));
    for (auto& [action, button] : linked) button->SetAction(nullptr);
}

TEST(UnicodeStdActionFamily, AssignFromTheFrameworkActionCarriesCaptionHintAndEvents) {
    for (const FamilyCase& c : Family()) {
        std::unique_ptr<TCustomAction> wide(c.makeWide()), plain(c.makeFramework());
        plain->SetCaption("Gr\xF6\xDF" "e \xC4ndern");  // Größe Ändern in code page 1252
        plain->SetHint("Kurz|Lang \xE9t\xE9");
        int executed = 0, updated = 0;
        plain->OnExecute = [&](TObject*) { ++executed; };
        plain->OnUpdate = [&](TObject*) { ++updated; };
        std::vector<std::string> dialogEvents;
        auto* plainDialog = dynamic_cast<TCommonDialogAction*>(plain.get());
        if (plainDialog) {
            plainDialog->BeforeExecute = [&](TObject*) { dialogEvents.push_back("before"); };
            plainDialog->OnAccept = [&](TObject*) { dialogEvents.push_back("accept"); };
            plainDialog->OnCancel = [&](TObject*) { dialogEvents.push_back("cancel"); };
        }
        wide->Assign(plain.get());
        if (c.hasCaption) {
            EXPECT_EQ(UvxAction_GetCaption(wide.get()), u"Gr\u00F6\u00DFe \u00C4ndern") << c.name;
        }
        EXPECT_EQ(UvxAction_GetHint(wide.get()), u"Kurz|Lang \u00E9t\u00E9") << c.name;
        ASSERT_TRUE(wide->OnExecute && wide->OnUpdate) << c.name;
        wide->OnExecute(wide.get());
        wide->OnUpdate(wide.get());
        EXPECT_EQ(executed, 1) << c.name;
        EXPECT_EQ(updated, 1) << c.name;
        auto* wideDialog = dynamic_cast<TCommonDialogAction*>(wide.get());
        EXPECT_EQ(wideDialog != nullptr, plainDialog != nullptr) << c.name;
        if (!wideDialog) continue;
        ASSERT_TRUE(wideDialog->BeforeExecute && wideDialog->OnAccept && wideDialog->OnCancel) << c.name;
        wideDialog->BeforeExecute(wide.get());
        wideDialog->OnAccept(wide.get());
        wideDialog->OnCancel(wide.get());
        EXPECT_EQ(dialogEvents, (std::vector<std::string>{"before", "accept", "cancel"})) << c.name;
    }
}
