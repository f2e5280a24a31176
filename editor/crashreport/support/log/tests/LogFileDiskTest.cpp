#include <gtest/gtest.h>

#include "LogSamples.h"
#include "editor/crashreport/support/log/LogFile.h"
#include "editor/crashreport/support/log/XmlBuilder.h"
#include "editor/crashreport/support/testing/TestFiles.h"

TEST(LogFileDisk, SaveCreatesRewritesAndTruncatesTheFile)
{
    const std::string name = TestFolder("logfile-save") + "Tessaly.zvf";
    {
        TLogFile log(name, false);
        EXPECT_EQ(log.FileName(), name);
        EXPECT_EQ(log.GetCount(), 0);
        EXPECT_FALSE(TestFileExists(name));
        log.Append(SampleReport("AAAA"), -1);
        log.Append(SampleReport("BBBB"), -1);
        log.Save();
        log.SetItemValue("2.8", "2", "Count", 1);
        log.Save();
    }
    {
        TLogFile log(name, false);
        ASSERT_EQ(log.GetCount(), 2);
        EXPECT_EQ(log.GetItemValue("2.8", 1), "2");
        log.DeleteItem(0);
        log.Save();  // shorter than the file: the rest is cut off
    }
    TLogFile reader(name, true);
    ASSERT_EQ(reader.GetCount(), 1);
    EXPECT_EQ(reader.GetItemValue("2.7", 0), "BBBB");
    TLogFile memory;
    memory.Append(SampleReport("BBBB"), -1);
    memory.SetItemValue("2.8", "2", "Count", 0);
    TMemoryStream expected;
    memory.SaveToStream(expected);
    EXPECT_EQ(ReadTestFile(name).size(), static_cast<size_t>(expected.Size()));
}

TEST(LogFileDisk, AReadOnlyLogIsSharedWithWriters)
{
    const std::string name = TestFolder("logfile-shared") + "Tessaly.zvf";
    TLogFile writer(name, false);
    writer.Append(SampleReport("AAAA"), -1);
    writer.Save();
    TLogFile reader(name, true);
    EXPECT_EQ(reader.GetCount(), 1);
    writer.Append(SampleReport("BBBB"), -1);
    writer.Save();
    EXPECT_EQ(TLogFile(name, true).GetCount(), 2);
}

TEST(LogFileDisk, XmlCopiesAreWrittenLineByLine)
{
    const std::string folder = TestFolder("logfile-xml");
    TLogFile log;
    log.Append(SampleReport("AAAA"), -1);
    log.SaveXMLCopy(folder + "log.xml");
    EXPECT_EQ(ReadTestFile(folder + "log.xml"), log.GetXML());
    TXMLItem item("Item");
    item.SetValue("v");
    item.SaveXMLToFile(folder + "item.xml");
    EXPECT_EQ(ReadTestFile(folder + "item.xml"), "<Item>v</Item>\r\n");
}
