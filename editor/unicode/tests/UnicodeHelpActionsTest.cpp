#include <gtest/gtest.h>

#include "editor/unicode/UvxEdits.h"
#include "editor/unicode/UvxMenus.h"
#include "editor/unicode/UvxStdActnsHelp.h"
#include "editor/unicode/tests/ControlTestForm.h"
#include "framework/Application.h"

using namespace guitest;

namespace {
// A form with a Help menu whose items are linked to the four help actions,
// and two edits; the application's help records every request.
struct HelpForm {
    TControlTestForm form;
    TUvxMainMenu& menu = *new TUvxMainMenu(&form);
    TUvxMenuItem* help = new TUvxMenuItem(&form);
    TUvxHelpContents contents{nullptr};
    TUvxHelpTopicSearch search{nullptr};
    TUvxHelpOnHelp onHelp{nullptr};
    TUvxHelpContextAction context{nullptr};
    TUvxMenuItem* contentsItem = Item(contents, u"\u0421\u043E\u0434\u0435\u0440\u0436\u0430\u043D\u0438\u0435");
    TUvxMenuItem* searchItem = Item(search, u"\u041F\u043E\u0438\u0441\u043A");
    TUvxMenuItem* onHelpItem = Item(onHelp, u"\u041E \u0441\u043F\u0440\u0430\u0432\u043A\u0435");
    TUvxMenuItem* contextItem = Item(context, u"\u041A\u043E\u043D\u0442\u0435\u043A\u0441\u0442");
    TUvxEdit* withContext = form.Put(new TUvxEdit(&form), 10, 10, 200, 22);
    TUvxEdit* without = form.Put(new TUvxEdit(&form), 10, 40, 200, 22);
    std::vector<std::pair<uint16_t, int>> requests;
    THelpEvent savedOnHelp = Application->OnHelp;

    HelpForm() {
        help->SetCaption(u"\u0421\u043F\u0440\u0430\u0432\u043A\u0430");
        menu.Items()->Add(help);
        form.SetMenu(&menu);
        form.HelpContext = 7;
        withContext->HelpContext = 42;
        form.ShowAndSettle();
    }
    ~HelpForm() {
        Application->OnHelp = savedOnHelp;
        for (TMenuItem* item : {contentsItem, searchItem, onHelpItem, contextItem}) item->SetAction(nullptr);
    }
    TUvxMenuItem* Item(TCustomAction& action, const std::u16string& caption) {
        UvxAction_SetCaption(&action, caption);
        auto* item = new TUvxMenuItem(&form);
        help->Add(item);
        item->SetAction(&action);
        return item;
    }
    void ServeHelp() {
        Application->OnHelp = [this](uint16_t command, int data, bool& callHelp) {
            requests.emplace_back(command, data);
            callHelp = false;
            return true;
        };
    }
    // The Help menu opens (its items update from their actions), then the
    // item's command comes, as a click on the item sends it.
    void OpenMenu() { SendMessageW(form.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(help->Handle()), 1); }
    void Choose(TMenuItem* item) {
        OpenMenu();
        PostMessageW(form.Handle(), WM_COMMAND, item->Command(), 0);
        PumpUntilIdle();
    }
};

}  // namespace

TEST(UnicodeHelpActions, MenuCommandsSendTheirHelpCommandsThroughTheApplication) {
    HelpForm f;
    f.ServeHelp();
    f.withContext->SetFocus();
    f.Choose(f.contentsItem);
    f.Choose(f.searchItem);
    f.Choose(f.onHelpItem);
    f.Choose(f.contextItem);
    f.without->SetFocus();
    f.Choose(f.contextItem);
    EXPECT_EQ(f.requests, (std::vector<std::pair<uint16_t, int>>{
                              {HELP_FINDER, 0}, {HELP_PARTIALKEY, 0}, {HELP_HELPONHELP, 0},
                              {HELP_CONTEXT, 42}, {HELP_CONTEXT, 7}}))
        << "the focused edit's context, then the form's for an edit without one";
    EXPECT_EQ(NativeMenuText(f.help->Handle(), f.contentsItem->Command()),
              u"\u0421\u043E\u0434\u0435\u0440\u0436\u0430\u043D\u0438\u0435")
        << "the wide caption of the action is the menu's text";
}

TEST(UnicodeHelpActions, WithoutHelpOrAContextTheItemsAreDisabledAndAskNothing) {
    HelpForm f;
    Application->OnHelp = nullptr;
    f.OpenMenu();
    for (TMenuItem* item : {f.contentsItem, f.searchItem, f.onHelpItem, f.contextItem})
        EXPECT_FALSE(item->Enabled()) << "no help to give";
    EXPECT_FALSE(f.contents.Execute()) << "and running one anyway serves nothing";

    f.ServeHelp();
    f.form.HelpContext = 0;
    f.without->SetFocus();
    f.OpenMenu();
    EXPECT_TRUE(f.contentsItem->Enabled());
    EXPECT_FALSE(f.contextItem->Enabled()) << "no context on the focused edit nor on its form";
    f.Choose(f.contextItem);
    EXPECT_TRUE(f.requests.empty());
    f.withContext->SetFocus();
    f.OpenMenu();
    EXPECT_TRUE(f.contextItem->Enabled());
}
