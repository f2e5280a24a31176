#include <gtest/gtest.h>

#include "editor/unicode/UvxPaths.h"

TEST(Paths, PartsOfAName) {
    EXPECT_EQ(WideExtractFileName(u"C:\\dir\\name.txt"), u"name.txt");
    EXPECT_EQ(WideExtractFileName(u"C:name"), u"name");
    EXPECT_EQ(WideExtractFilePath(u"C:\\dir\\name.txt"), u"C:\\dir\\");
    EXPECT_EQ(WideExtractFileExt(u"C:\\dir.x\\name"), u"");
    EXPECT_EQ(WideExtractFileExt(u"C:\\dir\\a.tar.gz"), u".gz");
    EXPECT_EQ(WideExtractFileDir(u"C:\\"), u"C:\\");
    EXPECT_EQ(WideExtractFileDir(u"C:\\dir\\"), u"C:\\dir");
    EXPECT_EQ(WideExtractFileDir(u"\\a"), u"\\");
    EXPECT_EQ(WideExtractFileDrive(u"\\\\server\\share\\dir"), u"\\\\server\\share");
    EXPECT_EQ(WideExtractFileDrive(u"\\\\server\\share"), u"\\\\server\\share");
    EXPECT_EQ(WideExtractFileDrive(u"D:\\x"), u"D:");
    EXPECT_EQ(WideExtractFileDrive(u"x\\y"), u"");
    EXPECT_EQ(WideChangeFileExt(u"C:\\a.b\\c", u".txt"), u"C:\\a.b\\c.txt");
    EXPECT_EQ(WideChangeFileExt(u"c.bin", u".txt"), u"c.txt");
}

TEST(Paths, DelimitersAndRelativePaths) {
    EXPECT_EQ(WideIncludeTrailingPathDelimiter(u""), u"\\");
    EXPECT_EQ(WideIncludeTrailingBackslash(u"C:\\a\\"), u"C:\\a\\");
    EXPECT_EQ(WideExcludeTrailingPathDelimiter(u"C:\\a\\"), u"C:\\a");
    EXPECT_TRUE(WideIsPathDelimiter(u"a\\b", 2));
    EXPECT_FALSE(WideIsPathDelimiter(u"a\\b", 0));
    EXPECT_FALSE(WideIsDelimiter(u"\\", u"a\\b", 4));
    EXPECT_EQ(WideLastDelimiter(u"\\:", u"C:\\a\\b"), 5);
    EXPECT_EQ(WideLastDelimiter(u"\\", u"abc"), 0);
    EXPECT_EQ(WideExtractRelativePath(u"C:\\a\\b\\x.txt", u"C:\\a\\c\\y.txt"), u"..\\c\\y.txt");
    EXPECT_EQ(WideExtractRelativePath(u"C:\\a\\b\\x.txt", u"D:\\y.txt"), u"D:\\y.txt");
    EXPECT_EQ(WideExtractRelativePath(u"c:\\A\\x.txt", u"C:\\a\\y.txt"), u"y.txt");
    EXPECT_EQ(WideExtractRelativePath(u"C:\\a\\x.txt", u"C:\\a\\b\\c\\y.txt"), u"b\\c\\y.txt");
}
