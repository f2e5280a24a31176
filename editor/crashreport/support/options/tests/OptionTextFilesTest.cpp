// Texts of the options in a real text-collection file, through the system's
// profile functions.
#include <gtest/gtest.h>

#include "editor/crashreport/support/files/ProfileFiles.h"
#include "editor/crashreport/support/options/tests/OptionsTestSupport.h"
#include "editor/crashreport/support/testing/TestFiles.h"

namespace {

class OptionTextFiles : public FakeModules {};

TEST_F(OptionTextFiles, TextsGoThroughACollectionFileAndNameIt)
{
    std::string folder = TestFolder("OptionTextFiles");
    TPrivateProfileStore profile;
    CountingOptions source;
    source.SetCustomizedTexts(mtDialog_Caption, "Fout opgetreden");
    source.SetCustomizedTexts(mtMSDialog_EmailCaption, "\"Quoted\"\r\nand a second line");
    source.SaveCustomizedTextsToFile(folder + "Dutch.ini", profile);
    EXPECT_EQ(source.TextsCollection(), folder + "Dutch");
    EXPECT_NE(ReadTestFile(folder + "Dutch.ini").find("mtDialog_Caption0=\"Fout opgetreden\""), std::string::npos);

    CountingOptions target;
    target.LoadCustomizedTextsFromFile(folder + "Dutch.ini", profile);
    EXPECT_EQ(target.CustomizedTexts(), source.CustomizedTexts());
    EXPECT_EQ(target.GetCustomizedTexts(mtDialog_ErrorMsgCaption), DefaultMessageText(mtDialog_ErrorMsgCaption));
    EXPECT_EQ(target.TextsCollection(), folder + "Dutch");
    EXPECT_EQ(target.Stores, 1);

    // A missing file leaves the texts as they are.
    CountingOptions untouched;
    untouched.SetCustomizedTexts(mtDialog_Caption, "mine");
    untouched.LoadCustomizedTextsFromFile(folder + "missing.ini", profile);
    EXPECT_EQ(untouched.GetCustomizedTexts(mtDialog_Caption), "mine");
}

// A file written by hand: a count and quoted lines make a text of lines.
TEST_F(OptionTextFiles, HandWrittenLinesMakeOneText)
{
    std::string folder = TestFolder("OptionTextFilesByHand");
    WriteTestFile(folder + "Custom.ini", "[Exception Log]\r\n"
                                         "Count mtDialog_ErrorMsgCaption=2\r\n"
                                         "mtDialog_ErrorMsgCaption0=\"Something went wrong.\"\r\n"
                                         "mtDialog_ErrorMsgCaption1=\"  Details follow.\"\r\n"
                                         "Count mtDialog_Caption=1\r\n"
                                         "mtDialog_Caption0=\"\"Quoted\"\"\r\n");
    TPrivateProfileStore profile;
    CountingOptions o;
    o.LoadCustomizedTextsFromFile(folder + "Custom.ini", profile);
    EXPECT_EQ(o.GetCustomizedTexts(mtDialog_ErrorMsgCaption), "Something went wrong.\r\n  Details follow.");
    EXPECT_EQ(o.GetCustomizedTexts(mtDialog_Caption), "\"Quoted\"");
    EXPECT_EQ(o.GetCustomizedTexts(mtDialog_GeneralCaption), DefaultMessageText(mtDialog_GeneralCaption));
    EXPECT_EQ(o.TextsCollection(), folder + "Custom");
}

}  // namespace
