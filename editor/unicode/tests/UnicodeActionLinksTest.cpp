#include <gtest/gtest.h>

#include "editor/unicode/UvxActnList.h"
#include "editor/unicode/UvxButtons.h"
#include "editor/unicode/UvxCodePage.h"
#include "editor/unicode/UvxForms.h"
#include "editor/unicode/UvxHintWindow.h"
#include "editor/unicode/UvxLabels.h"
#include "editor/unicode/tests/ControlTestForm.h"
#include "framework/ActionClients.h"
#include "framework/Application.h"
#include "framework/Buttons.h"
#include "framework/CustomControl.h"
#include "framework/ListView.h"

using namespace guitest;

namespace {
// The Unicode face of a framework control, as the layer gives it to each
// kind: a Unicode window (a twin of the system class where there is one)
// with the wide caption and hint.
template <class T>
class TWide : public TUvxWideControl<T> {
public:
    explicit TWide(TComponent* owner) : TUvxWideControl<T>(owner) {}
    std::string ClassName() const override { return "TWide" + T::ClassName(); }

protected:
    void CreateWindowHandle(const TCreateParams& params) override {
        CreateUnicodeHandle(this, params, AnsiToWideSys(params.SystemClassName));
    }
};

const std::u16string kCaption = u"\u0391\u03C0\u03BF\u03B8\u03AE\u03BA\u03B5\u03C5\u03C3\u03B7";  // Αποθήκευση
}  // namespace

TEST(UnicodeActionLinks, EachKindOfControlGetsItsOwnLinkAndTheWideCaption) {
    TControlTestForm form;
    TUvxAction action(nullptr);
    action.SetCaption(u"x");
    struct Case { TWinControl* control; std::string link; };
    const Case cases[] = {
        {form.Put(new TWide<TListView>(&form), 10, 10, 100, 60), "TUvxListViewActionLink"},
        {form.Put(new TWide<TComboBoxEx>(&form), 10, 80, 100, 100), "TUvxComboBoxExActionLink"},
        {form.Put(new TWide<TSpeedButton>(&form), 120, 10, 80, 24), "TUvxSpeedButtonActionLink"},
        {form.Put(new TWide<TBitBtn>(&form), 120, 40, 80, 24), "TUvxBitBtnActionLink"},
        {form.Put(new TWide<TToolButton>(&form), 120, 70, 80, 24), "TUvxToolButtonActionLink"},
        {form.Put(new TUvxButton(&form), 210, 10, 80, 24), "TUvxButtonActionLink"},
        {form.Put(new TUvxCheckBox(&form), 210, 40, 80, 20), "TUvxButtonActionLink"},
        {form.Put(new TUvxRadioButton(&form), 210, 70, 80, 20), "TUvxButtonActionLink"},
        {form.Put(new TUvxGroupBox(&form), 300, 10, 80, 50), "TUvxWinControlActionLink"},
    };
    for (const Case& c : cases) {
        c.control->Handle();
        c.control->SetAction(&action);
        ASSERT_NE(c.control->ActionLink(), nullptr);
        EXPECT_EQ(c.control->ActionLink()->ClassName(), c.link) << c.control->ClassName();
    }
    action.SetCaption(kCaption);
    action.SetHint(u"\u0392\u03BF\u03AE\u03B8\u03B5\u03B9\u03B1");
    for (const Case& c : cases) {
        EXPECT_EQ(UvxControl_GetText(c.control), kCaption) << c.control->ClassName();
        EXPECT_EQ(UvxControl_GetHint(c.control), u"\u0392\u03BF\u03AE\u03B8\u03B5\u03B9\u03B1") << c.control->ClassName();
        c.control->SetAction(nullptr);
    }
}

TEST(UnicodeActionLinks, SpeedAndBitmapButtonsNeverTakeTheActionsImageIndex) {
    TControlTestForm form;
    TUvxAction action(nullptr);
    auto* speed = form.Put(new TWide<TSpeedButton>(&form), 10, 10, 80, 24);
    auto* bitmap = form.Put(new TWide<TBitBtn>(&form), 10, 40, 80, 24);
    auto* tool = form.Put(new TWide<TToolButton>(&form), 10, 70, 80, 24);
    auto* plainBitmap = form.Put(new TBitBtn(&form), 10, 100, 80, 24);
    speed->ImageIndex = bitmap->ImageIndex = 7;
    for (TWinControl* c : std::initializer_list<TWinControl*>{speed, bitmap, tool, plainBitmap}) c->SetAction(&action);
    EXPECT_TRUE(speed->ActionLink()->IsImageIndexLinked());
    EXPECT_TRUE(bitmap->ActionLink()->IsImageIndexLinked());
    action.SetImageIndex(3);
    EXPECT_EQ(speed->ImageIndex, 7) << "the speed button keeps its glyph";
    EXPECT_EQ(bitmap->ImageIndex, 7) << "the bitmap button keeps its glyph";
    EXPECT_EQ(tool->ImageIndex, 3) << "a tool button follows the action";
    EXPECT_EQ(plainBitmap->ImageIndex, 3) << "the framework's own bitmap button follows it too";
}

TEST(UnicodeActionLinks, TheIdleControlOfAFrameworkMainFormRunsTheIdleStep) {
    if (Application->MainForm()) GTEST_SKIP() << "another test made the main form";
    auto* main = Application->CreateForm<TForm>();
    EXPECT_EQ(UvxApplication->IdleEventControl(), nullptr);
    PostMessageA(main->Handle(), WM_NULL, 0, 0);
    Application->ProcessMessages();  // the hook sees a message once a main form exists
    TWinControl* idle = UvxApplication->IdleEventControl();
    ASSERT_NE(idle, nullptr);
    EXPECT_EQ(idle->Owner(), main);
    EXPECT_FALSE(idle->HandleAllocated()) << "it has no window";
    // The idle step takes the wide hint of the control under the mouse when
    // the application hint is its 8-bit form.
    Application->SetHint("");
    UvxApplication->SetHint(u"\u0416");
    EXPECT_EQ(Application->Hint(), "?");
    main->UpdateActions();  // what idle time does
    EXPECT_EQ(UvxApplication->GetHint(), u"\u0416") << "nothing under the mouse changes nothing";
    delete idle;
    EXPECT_EQ(UvxApplication->IdleEventControl(), nullptr) << "it leaves the application when freed";
}

TEST(UnicodeEnvironment, DialogFontAndWideHintWindows) {
    THintWindowClass saved = HintWindowClass;
    InitUvxEnvironment();
    char expected[32] = {};
    GetProfileStringA("FontSubstitutes", "MS Shell Dlg 2", "", expected, sizeof expected);
    EXPECT_STRNE(expected, "") << "the substitute exists afterwards";
    EXPECT_STREQ(DefFontData.Name, expected);
    EXPECT_EQ(HintWindowClass, &TUvxHintWindow::ClassInfo);
    HintWindowClass = saved;
}
