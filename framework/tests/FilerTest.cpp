#include <gtest/gtest.h>

#include "framework/Exceptions.h"
#include "framework/Filer.h"
#include "framework/Streams.h"
#include "framework/StringList.h"
#include "framework/TypeInfo.h"

namespace {
class TPanel : public TComponent {
public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TPanel"; }
    const TClassInfo* ClassInfo() const override { return &Info; }
    int Left = 0;
    bool Visible = false;
    std::string Caption, OnClick;
    std::u16string Title;
    TStringList Items;
    static const TClassInfo Info;
};
const TClassInfo TPanel::Info{"TPanel", nullptr,
                              {published::Integer<TPanel>("Left", &TPanel::Left),
                               published::Boolean<TPanel>("Visible", &TPanel::Visible),
                               published::String<TPanel>("Caption", &TPanel::Caption),
                               published::WideString<TPanel>("Title", &TPanel::Title),
                               published::Event<TPanel>("OnClick", &TPanel::OnClick),
                               published::Object<TPanel>("Items", &TPanel::Items)}};

// Keeps one extra entry of its own, written only when it has data.
class TCounter : public TPanel {
public:
    using TPanel::TPanel;
    std::string ClassName() const override { return "TCounter"; }
    std::vector<int> Values;
    void DefineProperties(TFiler* filer) override {
        filer->DefineProperty(
            "Values",
            [this](TReader& r) {
                Values.clear();
                r.ReadListBegin();
                while (!r.EndOfList()) Values.push_back(r.ReadInteger());
                r.ReadListEnd();
            },
            [this](TWriter& w) {
                w.WriteListBegin();
                for (int v : Values) w.WriteInteger(v);
                w.WriteListEnd();
            },
            !Values.empty());
    }
};

std::unique_ptr<TMemoryStream> StreamOf(const std::string& text) {
    auto m = std::make_unique<TMemoryStream>();
    m->WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
    m->SetPosition(0);
    return m;
}
}  // namespace

TEST(Filer, ComponentTreesRoundTrip) {
    TPanel root;
    root.SetName("Main");
    root.Left = -12;
    root.Visible = true;
    root.Caption = "Caf\xE9 'x'\r\n";
    root.Title = u"\u0416";
    root.OnClick = "MainClick";
    root.Items.Add("one");
    root.Items.Add("");
    auto* child = new TCounter(&root);
    child->SetName("Count");
    child->Values = {1, -2, 2147483647};

    TMemoryStream m;
    TWriter(m).WriteRootComponent(root);
    std::string text(m.Bytes().begin(), m.Bytes().end());
    EXPECT_EQ(text,
              "object Main: TPanel\r\n"
              "  Left = -12\r\n"
              "  Visible = True\r\n"
              "  Caption = 'Caf'#233' ''x'''#13#10\r\n"
              "  Title = W#1046\r\n"
              "  OnClick = MainClick\r\n"
              "  Items.Strings = (\r\n"
              "    'one'\r\n"
              "    '')\r\n"
              "  object Count: TCounter\r\n"
              "    Left = 0\r\n"
              "    Visible = False\r\n"
              "    Caption = ''\r\n"
              "    Title = W''\r\n"
              "    Values = (\r\n"
              "      1\r\n"
              "      -2\r\n"
              "      2147483647)\r\n"
              "  end\r\n"
              "end\r\n");

    TPanel back;
    auto* backChild = new TCounter(&back);
    backChild->SetName("Count");
    m.SetPosition(0);
    TReader(m).ReadRootComponent(back);
    EXPECT_EQ(back.Name(), "Main");
    EXPECT_EQ(back.Left, -12);
    EXPECT_TRUE(back.Visible);
    EXPECT_EQ(back.Caption, root.Caption);
    EXPECT_EQ(back.Title, u"\u0416");
    EXPECT_EQ(back.OnClick, "MainClick");
    EXPECT_TRUE(back.Items.Equals(root.Items));
    EXPECT_EQ(backChild->Values, child->Values);
}

TEST(Filer, ChildrenAreMadeByClassNameWhenTheOwnerDidNot) {
    RegisterComponentClass("TCounter", [](TComponent* owner) { return new TCounter(owner); });
    TPanel root;
    auto m = StreamOf(
        "// a layout\r\n"
        "object Main: TPanel\r\n"
        "  Title = U'x'#195#169   // UTF-8 into a wide property\r\n"
        "  object New: TCounter Left = $1F Values = () end\r\n"
        "end");
    TReader(*m).ReadRootComponent(root);
    EXPECT_EQ(root.Title, u"x\u00E9");
    auto* made = dynamic_cast<TCounter*>(root.FindComponent("New"));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->Left, 31);
    EXPECT_TRUE(made->Values.empty());
}

TEST(Filer, BadLayoutsRaiseReadErrors) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"object A: TPanel\r\n  Width = 3\r\nend", "Error reading Width: Property Width does not exist"},
        {"object A: TPanel\r\n  Left = 'x'\r\nend", "Invalid property value"},
        {"object A: TPanel\r\n  Left = 99999999999\r\nend", "Invalid property value"},
        {"object A: TPanel\r\n  Caption = W'x'\r\nend", "Invalid property value"},
        {"object A: TPanel\r\n  Caption = 'open\r\nend", "Invalid stream format (line 2)"},
        {"object A: TPanel\r\n  Caption = #300\r\nend", "Invalid stream format (line 2)"},
        {"object A: TPanel\r\n  Left = 1", "Invalid stream format (line 2)"},
        {"object A: TPanel\r\n  object B: TNothing\r\n  end\r\nend", "Class TNothing not found"},
        {"object A: TPanel\r\n  Items.Strings = ('a' 1)\r\nend", "Invalid property value"},
        {"thing", "Invalid stream format (line 1)"},
    };
    for (const auto& c : cases) {
        TPanel root;
        auto m = StreamOf(c.text);
        try {
            TReader(*m).ReadRootComponent(root);
            ADD_FAILURE() << c.text;
        } catch (const EReadError& e) {
            EXPECT_STREQ(e.what(), c.message) << c.text;
        }
    }
}

TEST(Filer, NestingHasALimit) {
    std::string deep = "object A: TPanel\r\n";
    for (int i = 0; i < 300; ++i) deep += "object B: TPanel\r\n";
    TPanel root;
    auto m = StreamOf(deep);
    EXPECT_THROW(TReader(*m).ReadRootComponent(root), EReadError);
    auto lists = StreamOf(std::string(300, '(') + std::string(300, ')'));
    EXPECT_THROW(TReader(*lists).SkipValue(), EReadError);
    auto shallow = StreamOf("((1 'a') W'b')");
    TReader reader(*shallow);
    reader.SkipValue();
    EXPECT_EQ(reader.NextValue(), TValueType::vaNull);
}
