#include <gtest/gtest.h>

#include "editor/crashreport/core/report/CpuSection.h"
#include "editor/crashreport/core/report/tests/ReportFixtures.h"
#include "editor/crashreport/support/options/ModuleOptions.h"
#include "editor/crashreport/support/texts/CommonStrings.h"

TEST(CpuSection, RegistersStackAndDump)
{
    TReportSample sample;
    TZorvikModuleOptions options("x");
    const std::string cpu = BuildCPUSection(sample.Facts, options);
    EXPECT_EQ(cpu, GoldenText("CpuSection.txt", cpu));
    const std::vector<std::string> lines = SplitText(cpu, "\r\n");
    ASSERT_EQ(lines.size(), 26u);  // 9 head lines, 16 dump lines, the end
    EXPECT_EQ(lines[1], std::string(29, '-'));
    EXPECT_EQ(lines[2], "EAX: 00000000   EDI: 0012FF60");
    EXPECT_EQ(lines[7], "Stack:               Memory Dump:");
    EXPECT_EQ(lines[8], std::string(18, '-') + "   " + std::string(75, '-'));
    EXPECT_EQ(lines[9], "0012FF00: 352E2720   00401012: C7 00 01 00 00 00 E8 E3 FF FF FF 5D C3 90 90 90  "
                        "...........]....");
    EXPECT_EQ(lines[24].substr(0, 20), "0012FF3C: D9D2CBC4  ");
}

TEST(CpuSection, NoContextAndUnreadableMemory)
{
    TReportSample sample;
    sample.Facts.Registers.Valid = false;
    sample.Facts.ExceptionAddress = 0x00300000;  // nothing there
    TZorvikModuleOptions options("x");
    const std::string cpu = BuildCPUSection(sample.Facts, options);
    EXPECT_EQ(cpu,
              "Registers:\r\n-----------------------------\r\n"
              "EAX: ????       EDI: ????    \r\n"
              "EBX: ????       ESI: ????    \r\n"
              "ECX: ????       ESP: ????    \r\n"
              "EDX: ????       EIP: ????    \r\n\r\n"
              "Stack:               Memory Dump:\r\n" +
                  std::string(18, '-') + "   " + std::string(75, '-') + "\r\n");
    EXPECT_EQ(MemoryDumpText(sample.Facts), "");
    const TAssemblerSection assembler = BuildAssemblerSection(sample.Facts, options);
    EXPECT_EQ(assembler.Text, "");
    EXPECT_EQ(assembler.Header, "Assembler Information:\r\n" + std::string(22, '-'));

    // 255 readable bytes at the address are not enough for the dump.
    TReportSample shortMemory;
    shortMemory.Facts.ExceptionAddress = SampleCode + 0x200 - 255;
    EXPECT_EQ(MemoryDumpText(shortMemory.Facts), "");
    shortMemory.Facts.ExceptionAddress = SampleCode + 0x200 - 256;
    EXPECT_NE(MemoryDumpText(shortMemory.Facts), "");
}

TEST(CpuSection, AssemblerListsTheProcedureThatHoldsTheFault)
{
    TReportSample sample;
    TZorvikModuleOptions options("x");
    const TAssemblerSection assembler = BuildAssemblerSection(sample.Facts, options);
    const std::string text = assembler.Header + "\r\n" + assembler.Text;
    EXPECT_EQ(text, GoldenText("AssemblerSection.txt", text));
    const std::vector<std::string> lines = SplitText(assembler.Text, "\r\n");
    ASSERT_FALSE(lines.empty());
    // The listing starts with the procedure that holds the fault and ends
    // with the return right after it.
    EXPECT_EQ(lines.front(), "; Main.Crash (Line=20 - Offset=0)");
    EXPECT_EQ(lines.back().substr(0, 10), "0040101E  ");
    EXPECT_NE(lines.back().find("ret"), std::string::npos);
    EXPECT_NE(assembler.Text.find("<-- EXCEPTION"), std::string::npos);
    EXPECT_NE(assembler.Text.find("'Hello.!'"), std::string::npos);
    EXPECT_NE(assembler.Text.find("Main.Other"), std::string::npos);
    size_t longest = 0;
    for (const std::string& line : lines)
        longest = std::max(longest, line.size());
    EXPECT_EQ(SplitText(assembler.Header, "\r\n")[1], std::string(longest, '-'));
}

TEST(CpuSection, AssemblerStopsTenInstructionsAfterTheFault)
{
    TReportSample sample;
    sample.Facts.ExceptionAddress = SampleCode + 0x40;  // inside the nops, no source
    TZorvikModuleOptions options("x");
    const std::vector<std::string> lines = SplitText(BuildAssemblerSection(sample.Facts, options).Text, "\r\n");
    // At most 10 before, the fault, 10 after.
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[10].substr(0, 8), "00401040");
    EXPECT_NE(lines[10].find("<-- EXCEPTION"), std::string::npos);
    EXPECT_EQ(lines[20].substr(0, 8), "0040104A");
}

TEST(CpuSection, AssemblerEndsAtTheTopOfTheAddressSpace)
{
    TReportSample sample;
    const uintptr_t top = UINTPTR_MAX - 3;
    sample.Memory.Add(top, {0x90, 0x90, 0x90, 0x90});
    sample.Facts.ExceptionAddress = top;
    TZorvikModuleOptions options("x");
    const std::vector<std::string> lines = SplitText(BuildAssemblerSection(sample.Facts, options).Text, "\r\n");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("<-- EXCEPTION"), std::string::npos);
}
