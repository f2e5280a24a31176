#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "LogSamples.h"
#include "editor/crashreport/support/log/LogFile.h"
#include "editor/crashreport/support/log/LogItem.h"
#include "editor/crashreport/support/texts/CommonStrings.h"

namespace {

std::string Saved(const TLogFile& log)
{
    TMemoryStream stream;
    log.SaveToStream(stream);
    stream.SetPosition(0);
    std::string text(static_cast<size_t>(stream.Size()), '\0');
    stream.Read(text.data(), static_cast<int32_t>(text.size()));
    return text;
}

void Load(TLogFile& log, const std::string& text)
{
    TMemoryStream stream;
    stream.Write(text.data(), static_cast<int32_t>(text.size()));
    stream.SetPosition(0);
    log.LoadFromStream(stream);
}

// A log file of tests/data/log.
std::string LogFixture(const std::string& name)
{
    const char* source = std::getenv("TQ_SOURCE_DIR");
    std::ifstream file(std::string(source ? source : ".") + "/editor/crashreport/support/log/tests/data/log/" + name,
                       std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

}  // namespace

TEST(LogFile, SavedLogReadsBackTheSameReports)
{
    TLogFile log;
    log.Append(SampleReport("AAAA"), -1);
    log.Append(SampleReport("BBBB"), -1);
    TLogFile again;
    Load(again, Saved(log));
    ASSERT_EQ(again.GetCount(), 2);
    EXPECT_EQ(again.GetItem(0), log.GetItem(0));
    EXPECT_EQ(again.GetItem(1), log.GetItem(1));
    EXPECT_EQ(Saved(again), Saved(log));
}

TEST(LogFile, AppendKeepsTheNewestReports)
{
    TLogFile log;
    for (int i = 0; i < 5; ++i)
        log.Append(SampleReport("E" + std::to_string(i)), -1);
    log.Append(SampleReport("New"), 3);
    ASSERT_EQ(log.GetCount(), 3);
    EXPECT_EQ(log.GetItemValue("2.7", 0), "E3");
    EXPECT_EQ(log.GetItemValue("2.7", 1), "E4");
    EXPECT_EQ(log.GetItemValue("2.7", 2), "New");
    log.Append(SampleReport("One"), 1);
    ASSERT_EQ(log.GetCount(), 1);
    EXPECT_EQ(log.GetItemValue("2.7", 0), "One");
    log.Append(SampleReport("Zero"), 0);  // a maximum of 0 keeps just the new report
    EXPECT_EQ(log.GetCount(), 1);
}

TEST(LogFile, LoadingDropsWhatIsNotAReport)
{
    const std::string report = SampleReport("X") + "\r\n\r\n\r\n\r\n";
    struct Case {
        const char* name;
        std::string text;
        int count;
    } cases[] = {
        {"no table row", "ZorvikLog 6.0\r\n\r\nGeneral:\r\n---\r\n  1.1 A: b\r\n\r\n\r\n\r\n", 0},
        {"too short", "ab", 0},
        {"two reports", report + report, 2},
        {"junk between", report + "junk\r\n\r\n\r\n\r\n" + report, 2},
        {"lone line feeds", QuickStringReplace(report + report, "\r\n", "\n"), 2},
        // Junk after the last report: a line cut short is not a report.
        {"junk after", report + "junk", 1},
    };
    for (const Case& c : cases) {
        TLogFile log;
        Load(log, c.text);
        EXPECT_EQ(log.GetCount(), c.count) << c.name;
    }
}

// Four CR LF pairs end a report. A last report that lost some or all of
// them is still whole and is kept; one whose last line was cut short is a
// truncated report and is dropped, while the reports before it stay.
TEST(LogFile, ALastReportWithoutItsLineBreaksIsKept)
{
    const struct {
        const char* file;
        int count;
    } files[] = {
        {"ends-three-line-breaks.zvf", 2},
        {"ends-without-line-breaks.zvf", 2},
        {"ends-cut-mid-line.zvf", 1},
    };
    for (const auto& f : files) {
        const std::string text = LogFixture(f.file);
        ASSERT_GT(text.size(), 1000u) << f.file;
        TLogFile log;
        Load(log, text);
        ASSERT_EQ(log.GetCount(), f.count) << f.file;
        EXPECT_EQ(log.GetItemValue("2.7", 0), "AAAA") << f.file;
        if (f.count == 2) {
            // The kept report reads as the whole one does, dump included.
            EXPECT_EQ(log.GetItemValue("2.7", 1), "BBBB") << f.file;
            EXPECT_EQ(log.GetItem(1), QuickStringReplace(log.GetItem(0), "AAAA", "BBBB")) << f.file;
            EXPECT_NE(log.GetItem_CPU(1).find("0012FF04: 00000000"), std::string::npos) << f.file;
            EXPECT_EQ(log.GetItem_CPU(1), log.GetItem_CPU(0)) << f.file;
        }
    }

    // The endings a report can have: a full dump line, the rule of an empty
    // dump, the rule under the registers' head when the log keeps no
    // processor data, a table's closing rule (a short report); cut anywhere
    // inside its last line it is truncated.
    const std::string whole = SampleReport("X") + "\r\n\r\n\r\n\r\n";
    const std::string full = SampleReport("Y");
    const std::string toRegisters = full.substr(0, full.find("\r\nRegisters:"));
    const std::string emptyDump = full.substr(0, full.find("\r\nStack:")) + "\r\nStack:               Memory Dump:\r\n" +
                                  std::string(18, '-') + "   " + std::string(75, '-');
    const std::string noProcessorData = toRegisters + "\r\nRegisters:\r\n" + std::string(10, '-');
    const std::string toProcesses = full.substr(0, full.find("\r\n\r\nAssembler"));
    const struct {
        const char* name;
        std::string last;
        int count;
    } endings[] = {
        {"full dump line", full, 2},
        {"one CR LF", full + "\r\n", 2},
        {"two CR LF", full + "\r\n\r\n", 2},
        {"three CR LF", full + "\r\n\r\n\r\n", 2},
        {"lone line feeds", full + "\n\n\n", 2},
        {"empty dump", emptyDump, 2},
        {"no processor data", noProcessorData, 2},
        {"a table's closing rule", toProcesses, 2},
        {"cut in the characters", full.substr(0, full.size() - 3), 1},
        {"cut in the bytes", full.substr(0, full.size() - 30), 1},
        {"cut in the empty dump's rule", emptyDump.substr(0, emptyDump.size() - 5), 1},
        {"cut in the registers' rule", noProcessorData.substr(0, noProcessorData.size() - 1), 1},
        {"cut in a closing rule", toProcesses.substr(0, toProcesses.size() - 4), 1},
        {"cut in a register line", toRegisters + "\r\nRegisters:\r\n" + std::string(60, '-') + "\r\nEAX: 000", 1},
        {"cut in a table row", full.substr(0, full.find("Button1Click")), 1},
    };
    for (const auto& e : endings) {
        TLogFile log;
        Load(log, whole + e.last);
        ASSERT_EQ(log.GetCount(), e.count) << e.name;
        EXPECT_EQ(log.GetItemValue("2.7", 0), "X") << e.name;
        if (e.count == 2) {
            EXPECT_EQ(log.GetItemValue("2.7", 1), "Y") << e.name;
        }
    }
}

TEST(LogFile, FindItemMatchesByItemNumberAndValuePrefix)
{
    TLogFile log;
    EXPECT_EQ(log.FindItem({"2.7"}, {"AAAA"}), -1);
    log.Append(SampleReport("AAAA1234"), -1);
    log.Append(SampleReport("BBBB"), -1);
    log.Append(SampleReport("AAAA"), -1);
    EXPECT_EQ(log.FindItem({"2.7"}, {"AAAA"}), 2);        // the last match wins
    EXPECT_EQ(log.FindItem({"2.7"}, {"AAAA12"}), 0);      // a beginning of a stored value
    EXPECT_EQ(log.FindItem({"2.7"}, {"CCCC"}), -1);
    EXPECT_EQ(log.FindItem({"9.9", "2.7"}, {"x", "BBBB"}), 1);
    EXPECT_EQ(log.FindItem({"2.9"}, {"Access violation at address 00401000.\r\nRead of address 00000000: null"}), 2);
    EXPECT_EQ(log.FindItem({"2.9"}, {"Access violation at address 00401000.\r\nRead of"}), 2);
    // A one-line value is stored with its ": " as it is, and found so.
    log.Append(SampleReport("Key: value."), -1);
    EXPECT_EQ(log.FindItem({"2.7"}, {"Key: value."}), 3);
    EXPECT_EQ(log.GetItemValue("2.7", 3), "Key: value.");
}

TEST(LogFile, GetItemValueReadsValuesAsTheyWereGiven)
{
    TLogFile log;
    log.Append(SampleReport("ID1"), -1);
    EXPECT_EQ(log.GetItemValue("1.1", 0), "Thu, 10 Dec 2026 14:00:00");
    EXPECT_EQ(log.GetItemValue("2.9", 0), "Access violation at address 00401000.\r\nRead of address 00000000: null");
    EXPECT_EQ(log.GetItemValue("2.3", 0), "");  // left out
    EXPECT_EQ(log.GetItemValue("2.7", 1), "");
    EXPECT_EQ(log.GetItemValue("2.7", -1), "");

    TLogFile blanks;
    TLogItem item(1);
    item.AddHeader("H");
    item.AddItem("Value", "first: a\n\nthird", true);
    blanks.Append("ZorvikLog 6.0\r\n\r\n" + item.GetString() + "\r\nT:\r\n---\r\n|x|\r\n---", -1);
    EXPECT_EQ(blanks.GetItemValue("2.1", 0), "first: a\r\n \r\nthird");

    // Only a line that is "." alone stands for an empty line: full stops
    // that end or begin lines of text stay.
    TLogItem stops(1);
    stops.AddHeader("H");
    stops.AddItem("Value", "One.\n.Two\nThree.", true);
    blanks.Append("ZorvikLog 6.0\r\n\r\n" + stops.GetString() + "\r\nT:\r\n---\r\n|x|\r\n---", -1);
    EXPECT_EQ(blanks.GetItemValue("2.1", 1), "One.\r\n.Two\r\nThree.");
}

TEST(LogFile, SetItemValueChangesOneValueOrAddsTheItem)
{
    TLogFile log;
    log.Append(SampleReport("ID1"), -1);
    const std::string before = log.GetItem(0);
    log.SetItemValue("2.8", "2", "Count", 0);
    EXPECT_EQ(log.GetItemValue("2.8", 0), "2");
    EXPECT_EQ(log.GetItemValue("2.9", 0), "Access violation at address 00401000.\r\nRead of address 00000000: null");
    EXPECT_EQ(log.GetItemValue("2.7", 0), "ID1");
    EXPECT_EQ(log.GetItem(0).size(), before.size());

    // A missing item goes at the end of its section.
    log.SetItemValue("1.5", "yes", "Restarted", 0);
    EXPECT_EQ(log.GetItemValue("1.5", 0), "yes");
    EXPECT_NE(log.GetItem(0).find("  1.5 Restarted       : yes\r\n\r\nException:"), std::string::npos);
    EXPECT_EQ(log.GetItemValue("1.2", 0), "Tessaly.exe - byte editor");

    const std::string now = log.GetItem(0);
    log.SetItemValue("7.1", "x", "Nowhere", 0);
    log.SetItemValue("nodot", "x", "Nowhere", 0);
    log.SetItemValue("2.8", "x", "Count", 3);
    EXPECT_EQ(log.GetItem(0), now);
}

TEST(LogFile, SectionReadersCutTheReport)
{
    TLogFile log;
    log.Append(SampleReport("ID1"), -1);
    const std::string generals = log.GetItem_Generals(0);
    EXPECT_EQ(generals.rfind("ZorvikLog 6.0.20\r\n\r\nApplication:", 0), 0u);
    EXPECT_EQ(generals.substr(generals.size() - 4), "null");
    const std::string stack = log.GetItem_CallStack(0);
    EXPECT_EQ(stack.rfind(std::string(60, '-') + "\r\n|Address", 0), 0u);
    EXPECT_EQ(stack.substr(stack.size() - 63), "|\r\n" + std::string(60, '-'));
    EXPECT_NE(log.GetItem_Modules(0).find("|00400000|Tessaly.exe"), std::string::npos);
    EXPECT_NE(log.GetItem_Processes(0).find("|42 |Tessaly.exe"), std::string::npos);
    EXPECT_EQ(log.GetItem_Assembler(0),
              "; Main.pas line 12\r\n00401000  mov eax, [ebx]     ; <-- EXCEPTION\r\n00401002  ret");
    const std::string cpu = log.GetItem_CPU(0);
    EXPECT_EQ(cpu.rfind("Registers:\r\n", 0), 0u);
    EXPECT_EQ(cpu.substr(cpu.size() - 16), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(log.GetLogVersion(0), "6.0.20");
    EXPECT_FALSE(log.GetCorruptedLog(0));
    EXPECT_EQ(log.GetItem_Generals(5), "");

    log.Append(SampleReport("Old", "5.1"), -1);
    EXPECT_EQ(log.GetItem_Processes(1), "");
    EXPECT_EQ(log.GetItem_Assembler(1), "");
}

TEST(LogFile, ReadersAnswerEmptyOnDamagedReports)
{
    const std::string full = SampleReport("ID1");
    TLogFile log;
    log.Append("Garbage\r\n-\r\n|", -1);
    log.Append("-\r\n|x", -1);
    log.Append(full.substr(0, full.find("Modules")), -1);
    log.Append(full.substr(0, full.find("Registers")), -1);
    EXPECT_TRUE(log.GetCorruptedLog(0));
    EXPECT_EQ(log.GetLogVersion(0), "");
    for (int32_t i = 0; i < log.GetCount(); ++i) {
        if (i < 3)
            EXPECT_EQ(log.GetItem_Processes(i), "") << i;
        EXPECT_EQ(log.GetItem_CPU(i), "") << i;
        log.GetItem_Generals(i);
        log.GetItem_CallStack(i);
        log.GetItem_Modules(i);
        log.GetItem_Assembler(i);
        log.GetItem_Reproduce(i);
    }
    EXPECT_EQ(TLogFile::SectionIndex("no table", 2, true), 0);
    EXPECT_EQ(TLogFile::SectionIndex("-\r\n|", 1, false), 0);
}
