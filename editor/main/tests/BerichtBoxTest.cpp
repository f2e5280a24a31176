#include <gtest/gtest.h>

#include "editor/main/BerichtBox.h"
#include "editor/main/tests/BoxAnswers.h"
#include "framework/testing/GuiTest.h"

using namespace boxanswers;

namespace {
int ShowBox(int buttons) {
    switch (buttons) {
        case 1: return BerichtBox1("One", "Tessaly", "Ok");
        case 2: return BerichtBox2("Two", "Tessaly", "&Yes", "&No");
        default: return BerichtBox3("Three", "Tessaly", "&Yes", "&No", "Cancel");
    }
}
}  // namespace

// KeyEnter always answers with the first button; Esc with the box's last one.
TEST(BerichtBox, KeysAndButtonsGiveTheirModalResults) {
    struct Case {
        int buttons;
        Answer answer;
        int result;
    } cases[] = {
        {1, KeyEnter, 6},  {1, KeyEsc, 6}, {1, Click1, 6},                    //
        {2, KeyEnter, 6},  {2, KeyEsc, 7}, {2, Click1, 6}, {2, Click2, 7},    //
        {3, KeyEnter, 6},  {3, KeyEsc, 2}, {3, Click1, 6}, {3, Click2, 7}, {3, Click3, 2},
        // Closing the window answers as Esc does, never with a result the
        // box does not offer.
        {1, CloseBox, 6},  {2, CloseBox, 7}, {3, CloseBox, 2},
    };
    Answerer answers;
    for (const Case& c : cases) {
        answers.plan = {c.answer};
        EXPECT_EQ(ShowBox(c.buttons), c.result) << c.buttons << " buttons, answer " << c.answer;
    }
}

TEST(BerichtBox, ShowsOnlyTheButtonsItWasAskedFor) {
    Answerer answers;
    answers.plan = {KeyEsc, KeyEsc, KeyEsc};
    BerichtBox3("Save?", "Exit Tessaly", "&Yes", "&No", "Cancel");
    BerichtBox1("Done.", "Tessaly", "Ok");
    BerichtBox2("Clear?", "Tessaly", "&Ja", "&Nee");
    ASSERT_EQ(answers.shown.size(), 3u);
    const Shown& three = answers.shown[0];
    EXPECT_EQ(three.caption, "Exit Tessaly");
    EXPECT_EQ(three.text, "Save?");
    EXPECT_EQ(three.b1 + "|" + three.b2 + "|" + three.b3, "&Yes|&No|Cancel");
    EXPECT_TRUE(three.v1 && three.v2 && three.v3);
    const Shown& one = answers.shown[1];
    EXPECT_EQ(one.b1, "Ok");
    EXPECT_TRUE(one.v1);
    EXPECT_FALSE(one.v2 || one.v3);
    const Shown& two = answers.shown[2];
    EXPECT_EQ(two.b1 + "|" + two.b2 + "|" + two.b3, "&Ja|&Nee|");
    EXPECT_TRUE(two.v1 && two.v2);
    EXPECT_FALSE(two.v3);
}

// A longer text makes the box taller; its width never changes and the
// buttons keep their distances.
TEST(BerichtBox, GrowsWithItsTextAndKeepsItsWidth) {
    Answerer answers;
    answers.plan = {KeyEsc};
    BerichtBox3("One line", "Tessaly", "&Yes", "&No", "Cancel");
    int shortHeight = BerichtBox->ClientHeight();
    int width = BerichtBox->ClientWidth();
    EXPECT_EQ(width, 449);
    EXPECT_EQ(shortHeight, BerichtBox->Label1->Height() + 45);

    std::string lines = "First line\nSecond line\nThird line, and a long one that has to wrap because it is "
                        "much wider than the box can show in one line of text";
    // The box is looked at while it shows, then answered.
    answers.beforeAnswer = [] {
        guitest::PumpUntilIdle();
        guitest::SaveScreenshot(BerichtBox->Handle(), guitest::ScreenshotPath("bericht_box_three_lines"));
    };
    answers.plan = {KeyEsc};
    BerichtBox3(lines, "Tessaly", "&Yes", "&No", "Cancel");
    int h = BerichtBox->Label1->Height();
    EXPECT_GE(h, 4 * (shortHeight - 45));
    EXPECT_EQ(BerichtBox->ClientHeight(), h + 45);
    EXPECT_EQ(BerichtBox->ClientWidth(), 449);
    EXPECT_EQ(BerichtBox->Button1->Top(), h + 15);
    EXPECT_EQ(BerichtBox->Button3->Top(), h + 15);
    EXPECT_EQ(BerichtBox->Button2->Left() - BerichtBox->Button1->Left(), 82 + 14);
    EXPECT_EQ(BerichtBox->Button3->Left() - BerichtBox->Button2->Left(), 82 + 14);
    int centre = BerichtBox->Width() / 2;
    EXPECT_LE(std::abs(BerichtBox->Button2->Left() + 41 - centre), 1);
}
