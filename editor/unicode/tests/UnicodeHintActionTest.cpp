#include <gtest/gtest.h>

#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxMenus.h"
#include "editor/unicode/UvxStdActnsHint.h"
#include "editor/unicode/tests/ControlTestForm.h"
#include "framework/Application.h"

using namespace guitest;

namespace {
const std::u16string kLong = u"\u041E\u0442\u043A\u0440\u044B\u0432\u0430\u0435\u0442 \u0444\u0430\u0439\u043B \u6587\u4EF6";

// A form with a menu item with a wide hint; the hint actions that reach the
// application window are recorded, the wide and the plain apart.
struct HintForm {
    TControlTestForm form;
    TUvxMainMenu& menu = *new TUvxMainMenu(&form);
    TUvxMenuItem* file = new TUvxMenuItem(&form);
    TUvxMenuItem* open = new TUvxMenuItem(&form);
    std::vector<std::u16string> wideHints;
    std::vector<std::string> plainHints;
    TNotifyEvent savedOnHint = Application->OnHint;
    std::function<void(TBasicAction*, bool&)> savedOnActionExecute = Application->OnActionExecute;

    HintForm() {
        file->SetCaption(u"\u0424\u0430\u0439\u043B");
        open->SetCaption(u"\u041E\u0442\u043A\u0440\u044B\u0442\u044C");
        open->SetHint(u"\u041E\u0442\u043A\u0440\u044B\u0442\u044C|" + kLong);
        file->Add(open);
        menu.Items()->Add(file);
        form.SetMenu(&menu);
        form.ShowAndSettle();
        Application->OnHint = nullptr;
        SelectNothing();  // the application's hint starts empty
        Application->OnActionExecute = [this](TBasicAction* action, bool& handled) {
            if (auto* wide = dynamic_cast<TUvxHintAction*>(action)) wideHints.push_back(wide->GetHint());
            else if (auto* plain = dynamic_cast<THintAction*>(action)) plainHints.push_back(plain->Hint());
            handled = true;
        };
    }
    ~HintForm() {
        Application->OnHint = savedOnHint;
        Application->OnActionExecute = savedOnActionExecute;
    }
    // The menu loop reports the highlighted item, or that the menu closed.
    void SelectOpen() {
        SendMessageW(form.Handle(), WM_MENUSELECT, MAKEWPARAM(open->Command(), MF_STRING),
                     reinterpret_cast<LPARAM>(file->Handle()));
    }
    void SelectNothing() { SendMessageW(form.Handle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0); }
};
}  // namespace

TEST(UnicodeHintAction, AHighlightedMenuItemsWideHintTravelsWholeInAWideHintAction) {
    HintForm f;
    f.SelectOpen();
    f.SelectNothing();
    EXPECT_EQ(f.wideHints, (std::vector<std::u16string>{kLong, u""}))
        << "the long part of the hint, then nothing as the menu closes";
    EXPECT_TRUE(f.plainHints.empty()) << "the framework's own hint action gave way each time";
    EXPECT_EQ(Application->Hint(), "");
}

TEST(UnicodeHintAction, AHintActionCarryingAnotherHintIsLeftToTheApplication) {
    HintForm f;
    THintAction other(nullptr);
    other.SetHint("elsewhere");
    EXPECT_TRUE(other.Execute()) << "the application's handler took it";
    EXPECT_EQ(f.plainHints, std::vector<std::string>{"elsewhere"});
    EXPECT_TRUE(f.wideHints.empty());
}

TEST(UnicodeHintAction, AnOnHintHandlerTakesTheHintAndNoActionTravels) {
    HintForm f;
    std::string seen;
    Application->OnHint = [&](TObject*) { seen = Application->Hint(); };
    f.SelectOpen();
    EXPECT_EQ(seen, WideToAnsiSys(kLong));
    EXPECT_TRUE(f.wideHints.empty());
    EXPECT_TRUE(f.plainHints.empty());
}
