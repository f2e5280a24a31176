#include <gtest/gtest.h>

#include "editor/crashreport/core/report/RichText.h"
#include "editor/crashreport/support/texts/CommonStrings.h"

namespace {

// The coloured lines of a document, between its head and its closing "}".
std::vector<std::string> Body(const std::string& rtf)
{
    std::vector<std::string> lines = SplitText(rtf, "\r\n");
    EXPECT_EQ(lines.back(), "}");
    return std::vector<std::string>(lines.begin() + 3, lines.end() - 1);
}

}  // namespace

TEST(RichText, Escape)
{
    EXPECT_EQ(EscapeRichText("a{b}\\c\r\n"), "a\\{b\\}\\\\c\\par\r\n");
    EXPECT_EQ(EscapeRichText(""), "");
    EXPECT_EQ(EscapeRichText("x\ny"), "x\ny");
}

TEST(RichText, DocumentHead)
{
    TRichTextFont font;
    font.Charset = 238;
    font.FaceName = "Lucida Console";
    font.Size = 10;
    const std::vector<std::string> lines = SplitText(GeneralRichText("", font), "\r\n");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1040{\\fonttbl{\\f0\\fmodern\\fprq1\\fcharset238 "
                        "Lucida Console;}}");
    EXPECT_EQ(lines[1], "{\\colortbl ;\\red0\\green100\\blue100;\\red0\\green0\\blue0;\\red40\\green40\\blue40;"
                        "\\red0\\green0\\blue160;\\red160\\green0\\blue0;\\red80\\green80\\blue80;"
                        "\\red0\\green100\\blue0;}");
    EXPECT_EQ(lines[2], "\\f0\\fs20");
}

TEST(RichText, GeneralDocumentColours)
{
    const std::string general = "ZorvikLog 6.0.20\r\n\r\nApplication:\r\n------------------\r\n"
                                "  1.2 Name/Description: a{b}\\c\r\n  1.10 Note: \r\n";
    const std::vector<std::string> lines = Body(GeneralRichText(general, TRichTextFont()));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "\\cf1\\b ZorvikLog 6.0.20\\par\\b0");
    EXPECT_EQ(lines[1], "\\par");
    EXPECT_EQ(lines[2], "\\cf3\\b Application:\\par\\b0");
    EXPECT_EQ(lines[3], "\\cf3 ------------------\\par");
    // A line holding "{" or "\" shows them unchanged.
    EXPECT_EQ(lines[4], "\\cf5   1.2\\cf2  Name/Description:\\cf4  a\\{b\\}\\\\c\\par");
    EXPECT_EQ(lines[5], "\\cf5   1.10\\cf2  Note:\\cf4  \\par");
    EXPECT_EQ(lines[6], "");
}

TEST(RichText, AssemblerDocumentColours)
{
    const std::string assembler = "; Main.Crash\r\n; -----------\r\n"
                                  "00401012  mov     dword ptr [eax], $00000001  ; <-- EXCEPTION\r\n"
                                  "0040\r\n"
                                  "00401018  nop";
    const std::vector<std::string> lines = Body(AssemblerRichText(assembler, TRichTextFont()));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "\\cf6 ; Main.Crash\\par");
    EXPECT_EQ(lines[2], "\\cf5 00401012 \\cf4\\b  mov\\b0\\cf7      dword ptr [eax], $00000001  \\cf6 ; <-- EXCEPTION\\par");
    // A line shorter than 14 characters still receives the bold colour at its end.
    EXPECT_EQ(lines[3], "\\cf5 0040\\par\\cf4\\b \\b0");
    EXPECT_EQ(lines[4], "\\cf5 00401018 \\cf4\\b  nop\\b0");
}

TEST(RichText, CPUDocumentColours)
{
    const std::string cpu = "Registers:\r\n-----------------------------\r\n"
                            "EAX: 00000000   EDI: 0012FF60\r\nEBX: 7FFDF000   ESI: 00A31F40\r\n"
                            "ECX: 0000000C   ESP: 0012FF00\r\nEDX: 7C90E514   EIP: 00401012\r\n\r\n"
                            "Stack:               Memory Dump:\r\n" +
                            std::string(18, '-') + "   " + std::string(75, '-') + "\r\n" +
                            "0012FF00: 3B342D20   00401012: C7 00 01 00 00 00 E8 E3 FF FF FF 5D C3 90 90 90  "
                            "...........]....\r\n";
    const std::vector<std::string> lines = Body(CPURichText(cpu, TRichTextFont(), 2160));
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0], "\\cf3\\b Registers:\\par\\cf2\\b0");
    EXPECT_EQ(lines[1], "\\cf3 -----------------------------\\par\\cf2");
    EXPECT_EQ(lines[2], "EAX: \\cf4 00000000\\cf2    EDI: \\cf4 0012FF60\\cf2 \\par");
    EXPECT_EQ(lines[6], "\\par");
    EXPECT_EQ(lines[7], "\\pard\\tx2160\\cf3\\b Stack:\\tab Memory Dump:\\par\\cf2\\b0");
    EXPECT_EQ(lines[8], "\\cf3 " + std::string(18, '-') + "\\tab " + std::string(75, '-') + "\\par\\cf2");
    EXPECT_EQ(lines[9], "0012FF00: \\cf4 3B342D20\\cf2 \\tab 00401012: \\cf4 C7 00 01 00 00 00 E8 E3 FF FF FF 5D C3 90 "
                        "90 90\\cf5   ...........]....\\par\\cf2 ");
    EXPECT_EQ(lines[10], "");
}
