#include <gtest/gtest.h>

#include "editor/unicode/UvxActnList.h"
#include "editor/unicode/UvxControls.h"
#include "editor/unicode/UvxForms.h"
#include "editor/unicode/UvxMenus.h"
#include "editor/unicode/UvxPropertyStreaming.h"
#include "editor/unicode/tests/EightBitPlatform.h"
#include "framework/Filer.h"
#include "framework/Streams.h"
#include "framework/WinText.h"

namespace {
std::u16string WindowTextW(HWND h) {
    wchar_t buf[256] = {};
    int n = GetWindowTextW(h, buf, 256);
    return U16(buf, static_cast<size_t>(n));
}

// Counts the captions the action hands to its clients.
class CountingLink : public TBasicActionLink {
public:
    using TBasicActionLink::TBasicActionLink;
    void SetCaption(const std::string& s) override { captions.push_back(s); }
    std::vector<std::string> captions;
};

const std::u16string kTest = u"\u0422\u0435\u0441\u0442";  // both "????" in 8 bits
const std::u16string kDate = u"\u0414\u0430\u0442\u0430";
}  // namespace

TEST(UnicodeActions, WideCaptionReachesLinkedMenuItemsAndControls) {
    TUvxForm form(nullptr);
    TUvxAction action(nullptr);
    TUvxMenuItem item(nullptr);
    action.SetCaption(kTest);
    action.SetHint(u"\u0416|long \u0416");
    item.SetAction(&action);
    form.SetAction(&action);
    EXPECT_EQ(item.GetCaption(), kTest);
    EXPECT_EQ(item.GetHint(), u"\u0416|long \u0416");
    EXPECT_EQ(form.GetCaption(), kTest);
    HWND h = form.Handle();
    EXPECT_EQ(WindowTextW(h), kTest);

    // Same 8-bit form ("????"), new wide text: every client still follows.
    action.SetCaption(kDate);
    EXPECT_EQ(action.GetCaption(), kDate);
    EXPECT_EQ(item.GetCaption(), kDate);
    EXPECT_EQ(WindowTextW(h), kDate);
    action.SetHint(u"\u0417");
    EXPECT_EQ(item.GetHint(), u"\u0417");
    EXPECT_EQ(form.GetHint(), u"\u0417");

    // A client edited by hand is no longer linked.
    item.SetCaption(u"mine");
    action.SetCaption(u"\u041D\u043E\u0432\u043E\u0435");
    EXPECT_EQ(item.GetCaption(), u"mine");
    EXPECT_EQ(WindowTextW(h), u"\u041D\u043E\u0432\u043E\u0435");
    EXPECT_TRUE(item.IsCaptionStored());
    EXPECT_FALSE(UvxControl_IsCaptionStored(&form));
}

TEST(UnicodeActions, TheSameCaptionNotifiesNobodyAndEightBitChangesWin) {
    TUvxAction action(nullptr);
    action.SetCaption(kTest);
    CountingLink link(nullptr);
    link.SetAction(&action);
    action.SetCaption(kTest);
    EXPECT_TRUE(link.captions.empty());
    action.SetCaption(kDate);
    EXPECT_EQ(link.captions, (std::vector<std::string>{"", "????"})) << "the empty step forces the change";
    action.TCustomAction::SetCaption("plain");
    EXPECT_EQ(action.GetCaption(), u"plain");
}

TEST(UnicodeActions, CheckDefaultsTakesTheCaptionOnlyWhereTheControlHasNone) {
    TUvxAction action(nullptr);
    action.SetCaption(kTest);
    action.SetHint(u"\u0416");
    TUvxForm named(nullptr);
    named.SetName("Form1");
    named.TWinControl::SetCaption("Form1");
    UvxControl_BeforeInherited_ActionChange(&named, &action, true);
    EXPECT_EQ(named.GetCaption(), kTest);
    EXPECT_EQ(named.GetHint(), u"\u0416");
    TUvxForm own(nullptr);
    own.SetCaption(u"own");
    own.SetHint(u"own hint");
    UvxControl_BeforeInherited_ActionChange(&own, &action, true);
    EXPECT_EQ(own.GetCaption(), u"own");
    EXPECT_EQ(own.GetHint(), u"own hint");
}

TEST(UnicodeActions, PlainActionIsServedThroughItsEightBitTexts) {
    TAction plain(nullptr);
    plain.SetCaption("Caf\xE9");
    TUvxMenuItem item(nullptr);
    item.SetAction(&plain);
    EXPECT_EQ(item.GetCaption(), u"Caf\u00E9");
    EXPECT_EQ(UvxAction_GetCaption(&plain), u"Caf\u00E9");
    UvxAction_SetCaption(&plain, u"\u0416ar");
    EXPECT_EQ(plain.Caption(), "?ar");
    EXPECT_EQ(item.GetCaption(), u"?ar");
}

TEST(UnicodeActions, AssignCopiesTheWideTexts) {
    TUvxAction source(nullptr), copy(nullptr);
    source.SetCaption(kTest);
    source.SetHint(u"h\u0416");
    copy.Assign(&source);
    EXPECT_EQ(copy.Caption(), "????");
    EXPECT_EQ(copy.Hint(), "h?");
    TUvxForm form(nullptr);
    form.SetCaption(u"Caf\u00E9");
    copy.Assign(&form);
    EXPECT_EQ(copy.GetCaption(), u"Caf\u00E9");
}

TEST(UnicodeActions, EightBitPlatformKeepsClientsInStep) {
    Platform eightBit(false);
    TUvxAction action(nullptr);
    TUvxForm form(nullptr);
    form.SetAction(&action);
    action.SetCaption(u"Caf\u00E9 \u0416");
    EXPECT_EQ(form.Caption(), "Caf\xE9 ?");
    EXPECT_FALSE(IsWindowUnicode(form.Handle()));
}

namespace {
class TActionsRoot : public TComponent {
public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TActionsRoot"; }
};

void ReadLayout(TComponent& root, const std::string& text) {
    TMemoryStream m;
    m.WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
    m.SetPosition(0);
    TReader(m).ReadRootComponent(root);
}
}  // namespace

// The wide caption and hint of the layer's own actions travel in a layout
// beside their 8-bit twins, and the UTF-8 and UTF-7 entries read back.
TEST(UnicodeActions, WideCaptionsAndHintsOfActionsTravelInALayout) {
    TActionsRoot out(nullptr);
    out.SetName("Root");
    auto* action = new TUvxAction(&out);
    action->SetName("Action1");
    auto* custom = new TUvxCustomAction(&out);
    custom->SetName("Custom1");
    action->SetCaption(kTest);
    action->SetHint(u"\u0416|long \u0416");
    custom->SetCaption(kDate);
    TMemoryStream m;
    TWriter(m).WriteRootComponent(out);
    const std::string layout(m.Bytes().begin(), m.Bytes().end());
    EXPECT_NE(layout.find("Caption = W#"), std::string::npos) << layout;
    EXPECT_NE(layout.find("Hint = W#"), std::string::npos) << layout;

    TActionsRoot in(nullptr);
    auto* action2 = new TUvxAction(&in);
    action2->SetName("Action1");
    auto* custom2 = new TUvxCustomAction(&in);
    custom2->SetName("Custom1");
    ReadLayout(in, layout);
    EXPECT_EQ(action2->GetCaption(), kTest);
    EXPECT_EQ(action2->GetHint(), u"\u0416|long \u0416");
    EXPECT_EQ(action2->Caption(), "????");
    EXPECT_EQ(custom2->GetCaption(), kDate);

    // Layouts written where the wide texts went as UTF-8 or UTF-7 beside the 8-bit ones.
    TActionsRoot again(nullptr);
    auto* action3 = new TUvxAction(&again);
    action3->SetName("Action1");
    auto* custom3 = new TUvxCustomAction(&again);
    custom3->SetName("Custom1");
    RuntimeUTFStreaming = true;
    ReadLayout(again,
               "object Root: TActionsRoot\r\n"
               "  object Action1: TUvxAction\r\n"
               "    Caption = '?'\r\n"
               "    Caption_UTF7 = '+BBY-'\r\n"
               "    Hint_UTF7 = '+BBQ-|+BBY-'\r\n"
               "  end\r\n"
               "  object Custom1: TUvxCustomAction\r\n"
               "    CaptionW = #208#148\r\n"
               "    HintW = #206#146\r\n"
               "  end\r\n"
               "end\r\n");
    RuntimeUTFStreaming = false;
    EXPECT_EQ(action3->GetCaption(), u"\u0416");
    EXPECT_EQ(action3->GetHint(), u"\u0414|\u0416");
    EXPECT_EQ(custom3->GetCaption(), u"\u0414");
    EXPECT_EQ(custom3->GetHint(), u"\u0392");
}
