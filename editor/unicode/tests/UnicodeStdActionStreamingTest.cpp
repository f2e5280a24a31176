#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/unicode/UvxPropertyStreaming.h"
#include "editor/unicode/UvxStdActns.h"
#include "editor/unicode/UvxStdActnsDialog.h"
#include "editor/unicode/UvxStdActnsHint.h"
#include "editor/unicode/UvxStdActnsSearch.h"
#include "editor/unicode/UvxStdActnsWindow.h"
#include "framework/Filer.h"
#include "framework/Streams.h"

namespace {
class TActionsRoot : public TComponent {
public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TActionsRoot"; }
};

// One action of each group, and the hint action, which has no caption.
struct Actions {
    TActionsRoot root{nullptr};
    std::vector<TCustomAction*> all{new TUvxEditCut(&root), new TUvxFileSaveAs(&root), new TUvxWindowCascade(&root),
                                    new TUvxFontEdit(&root), new TUvxSearchFind(&root)};
    TUvxHintAction* hint = new TUvxHintAction(&root);
    Actions() {
        root.SetName("Root");
        for (size_t i = 0; i < all.size(); ++i) all[i]->SetName("Action" + std::to_string(i));
        hint->SetName("Hint1");
    }
};

std::u16string Greek(size_t i) { return u"\u0395\u03BD\u03AD\u03C1\u03B3\u03B5\u03B9\u03B1 " + std::u16string(1, u'\u03B1' + i); }
}  // namespace

TEST(UnicodeStdActionStreaming, WideCaptionsAndHintsTravelInALayoutBesideTheirEightBitTwins) {
    Actions out;
    for (size_t i = 0; i < out.all.size(); ++i) {
        auto* a = dynamic_cast<IUvxAction*>(out.all[i]);
        ASSERT_NE(a, nullptr) << i;
        UvxAction_SetCaption(out.all[i], Greek(i));
        UvxAction_SetHint(out.all[i], u"\u0392\u03BF\u03AE\u03B8\u03B5\u03B9\u03B1|" + Greek(i));
    }
    out.hint->SetHint(u"\u0394\u03B5\u03AF\u03BA\u03C4\u03B7\u03C2");

    TMemoryStream m;
    TWriter(m).WriteRootComponent(out.root);
    const std::string layout(m.Bytes().begin(), m.Bytes().end());
    for (size_t i = 0; i < out.all.size(); ++i) {
        const std::string head = "object Action" + std::to_string(i);
        const size_t at = layout.find(head);
        ASSERT_NE(at, std::string::npos) << layout;
        const std::string body = layout.substr(at, layout.find("end", at) - at);
        EXPECT_NE(body.find("Caption = W#"), std::string::npos) << body;
        EXPECT_NE(body.find("Hint = W#"), std::string::npos) << body;
    }
    const size_t hintAt = layout.find("object Hint1");
    ASSERT_NE(hintAt, std::string::npos) << layout;
    const std::string hintBody = layout.substr(hintAt);
    EXPECT_NE(hintBody.find("Hint = W#"), std::string::npos) << hintBody;
    EXPECT_EQ(hintBody.find("Caption"), std::string::npos) << hintBody;

    Actions in;
    m.SetPosition(0);
    TReader(m).ReadRootComponent(in.root);
    for (size_t i = 0; i < in.all.size(); ++i) {
        EXPECT_EQ(UvxAction_GetCaption(in.all[i]), Greek(i)) << i;
        EXPECT_EQ(UvxAction_GetHint(in.all[i]), u"\u0392\u03BF\u03AE\u03B8\u03B5\u03B9\u03B1|" + Greek(i)) << i;
    }
    EXPECT_EQ(in.hint->GetHint(), u"\u0394\u03B5\u03AF\u03BA\u03C4\u03B7\u03C2");

    // A layout written where the wide texts went as UTF-8 beside the 8-bit ones.
    const std::string utf8 =
        "object Root: TActionsRoot\r\n"
        "  object Action4: TUvxSearchFind\r\n"
        "    Caption = '?'\r\n"
        "    CaptionW = #206#149#207#129\r\n"
        "    HintW = #206#146\r\n"
        "  end\r\n"
        "  object Hint1: TUvxHintAction\r\n"
        "    HintW = #206#148\r\n"
        "  end\r\n"
        "end\r\n";
    Actions again;
    TMemoryStream u;
    u.WriteBuffer(utf8.data(), static_cast<int32_t>(utf8.size()));
    u.SetPosition(0);
    RuntimeUTFStreaming = true;
    TReader(u).ReadRootComponent(again.root);
    RuntimeUTFStreaming = false;
    EXPECT_EQ(UvxAction_GetCaption(again.all[4]), u"\u0395\u03C1");
    EXPECT_EQ(UvxAction_GetHint(again.all[4]), u"\u0392");
    EXPECT_EQ(again.hint->GetHint(), u"\u0394");
}
