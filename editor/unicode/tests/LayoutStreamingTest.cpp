#include <gtest/gtest.h>

#include "editor/unicode/UvxComponentHelper.h"
#include "editor/unicode/UvxPropertyStreaming.h"
#include "editor/unicode/UvxStringLists.h"
#include "editor/unicode/UvxSyncedStrings.h"
#include "framework/Exceptions.h"
#include "framework/Filer.h"
#include "framework/Streams.h"
#include "framework/TypeInfo.h"

namespace {
// The framework's 8-bit control, as far as streaming sees it.
class TPlainLabel : public TComponent {
public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TPlainLabel"; }
    const TClassInfo* ClassInfo() const override { return &Info; }
    std::string Caption, Hint;
    static const TClassInfo Info;
};
const TClassInfo TPlainLabel::Info{"TPlainLabel", nullptr,
                                   {published::String<TPlainLabel>("Caption", &TPlainLabel::Caption),
                                    published::String<TPlainLabel>("Hint", &TPlainLabel::Hint)}};

// The layer's version: a wide Caption kept in step with the 8-bit one, a wide
// accelerator character and wide lines.
class TUvxTestLabel : public TPlainLabel {
public:
    using TPlainLabel::TPlainLabel;
    std::string ClassName() const override { return "TUvxTestLabel"; }
    const TClassInfo* ClassInfo() const override { return &Info; }
    void DefineProperties(TFiler* filer) override {
        TPlainLabel::DefineProperties(filer);
        UvxPersistent_AfterInherited_DefineProperties(filer, this);
    }
    std::u16string GetCaption() { return GetSyncedWideString(FCaption, Caption); }
    void SetCaption(const std::u16string& v) {
        SetSyncedWideString(v, FCaption, Caption, [this](const std::string& s) { Caption = s; });
    }
    char16_t Accel = 0;
    TUvxStringList Lines;
    static const TClassInfo Info;

private:
    std::u16string FCaption;
};

TPropInfo WideCaption() {
    TPropInfo p{"Caption", TTypeKind::tkWString};
    p.GetWStr = [](const TPersistent& o) { return const_cast<TUvxTestLabel&>(static_cast<const TUvxTestLabel&>(o)).GetCaption(); };
    p.SetWStr = [](TPersistent& o, const std::u16string& v) { static_cast<TUvxTestLabel&>(o).SetCaption(v); };
    return p;
}
const TClassInfo TUvxTestLabel::Info{"TUvxTestLabel", &TPlainLabel::Info,
                                     {WideCaption(), published::WideChar<TUvxTestLabel>("Accel", &TUvxTestLabel::Accel),
                                      published::Object<TUvxTestLabel>("Lines", &TUvxTestLabel::Lines)}};

class TTestForm : public TComponent {
public:
    std::string ClassName() const override { return "TTestForm"; }
};

std::string Write(TComponent& root) {
    TMemoryStream m;
    TWriter(m).WriteRootComponent(root);
    return std::string(m.Bytes().begin(), m.Bytes().end());
}

void Read(TComponent& root, const std::string& text) {
    TMemoryStream m;
    m.WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
    m.SetPosition(0);
    TReader(m).ReadRootComponent(root);
}
}  // namespace

TEST(LayoutStreaming, AWidePropertyTravelsBesideItsEightBitTwin) {
    TTestForm form;
    form.SetName("Form1");
    auto* label = new TUvxTestLabel(&form);
    label->SetName("Label1");
    label->SetCaption(u"Caf\u00E9 \u0416");
    label->Hint = "plain";
    label->Accel = u'\u0416';
    label->Lines.Add(u"\u65E5\u672C");
    label->Lines.Add(u"it's");
    EXPECT_EQ(label->Caption, "Caf\xE9 ?");

    std::string layout = Write(form);
    EXPECT_EQ(layout,
              "object Form1: TTestForm\r\n"
              "  object Label1: TUvxTestLabel\r\n"
              "    Caption = W'Caf'#233' '#1046\r\n"
              "    Hint = 'plain'\r\n"
              "    Accel = W#1046\r\n"
              "    Lines.Strings = (\r\n"
              "      W#26085#26412\r\n"
              "      W'it''s')\r\n"
              "  end\r\n"
              "end\r\n");

    TTestForm back;
    auto* again = new TUvxTestLabel(&back);
    again->SetName("Label1");
    Read(back, layout);
    EXPECT_EQ(back.Name(), "Form1");
    EXPECT_EQ(again->GetCaption(), u"Caf\u00E9 \u0416");
    EXPECT_EQ(again->Caption, "Caf\xE9 ?");  // the 8-bit twin in step
    EXPECT_EQ(again->Hint, "plain");
    EXPECT_EQ(again->Accel, u'\u0416');
    EXPECT_TRUE(again->Lines.Equals(label->Lines));
}

TEST(LayoutStreaming, EightBitValuesAndTheReadOnlyEntries) {
    TTestForm form;
    auto* label = new TUvxTestLabel(&form);
    label->SetName("L");
    const std::string layout =
        "object F: TTestForm\r\n"
        "  object L: TUvxTestLabel\r\n"
        "    Caption = 'Caf'#233       // an 8-bit value for the wide property\r\n"
        "    CaptionW = 'x'#195#169\r\n"
        "    Caption_UTF7 = '+BBY-'\r\n"
        "    AccelW = 'q'\r\n"
        "    Lines.WideStrings = ('one' W#1046)\r\n"
        "  end\r\n"
        "end\r\n";
    Read(form, layout);
    // The UTF-8 and UTF-7 entries are read and dropped unless run-time UTF streaming is on.
    EXPECT_EQ(label->GetCaption(), u"Caf\u00E9");
    EXPECT_EQ(label->Accel, u'q');
    EXPECT_EQ(label->Lines.Text(), u"one\r\n\u0416\r\n");

    RuntimeUTFStreaming = true;
    Read(form, layout);
    RuntimeUTFStreaming = false;
    EXPECT_EQ(label->GetCaption(), u"\u0416");  // the last entry wins
    EXPECT_EQ(label->Caption, "?");

    auto readError = [&](const std::string& body) {
        try {
            Read(form, "object F: TTestForm\r\n  object L: TUvxTestLabel\r\n" + body + "\r\n  end\r\nend\r\n");
        } catch (const EReadError& e) {
            return std::string(e.what());
        } catch (const Exception& e) {
            return e.ClassName() + ": " + e.what();
        }
        return std::string("nothing raised");
    };
    EXPECT_EQ(readError("AccelW = 'ab'"), "Invalid property value");
    EXPECT_EQ(readError("AccelW = 12"), "Invalid property value");
    EXPECT_EQ(readError("Colour = 1"), "Error reading Colour: Property Colour does not exist");
    EXPECT_EQ(readError("Caption_UTF7 = '+'"), "EUvxGeneralError: Invalid UTF7");
}

TEST(LayoutStreaming, TheUtf7ListEntryIsReadOnly) {
    TUvxStringList list;
    list.Add(u"a");
    TMemoryStream m;
    {
        TWriter w(m);
        w.WriteProperties(list);
    }
    std::string text(m.Bytes().begin(), m.Bytes().end());
    EXPECT_EQ(text, "Strings = (\r\n  W'a')\r\n");  // nothing but the framework's entry
}

TEST(ComponentHelpers, OrderedByComponentAndGoneWithIt) {
    TList helpers;
    auto* a = new TComponent;
    auto* b = new TComponent;
    new TWideComponentHelper(b, helpers);
    new TWideComponentHelper(a, helpers);
    ASSERT_EQ(helpers.Count(), 2);
    EXPECT_EQ(FindWideComponentHelper(helpers, a)->Component(), a);
    EXPECT_EQ(FindWideComponentHelper(helpers, b)->Component(), b);
    delete a;
    EXPECT_EQ(helpers.Count(), 1);
    EXPECT_EQ(FindWideComponentHelper(helpers, a), nullptr);
    delete b;
    EXPECT_EQ(helpers.Count(), 0);
    try {
        TWideComponentHelper bad(nullptr);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "UVX Internal Error: TWideComponentHelper.Create should never be encountered.");
    }
}
