#include <gtest/gtest.h>

#include <unzip.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "editor/crashreport/support/archive/ZipExtractor.h"
#include "editor/crashreport/support/archive/ZipWriter.h"
#include "editor/crashreport/support/files/LocalFiles.h"
#include "editor/crashreport/support/testing/TestFiles.h"

namespace {

// A fixture from tests/data, as the program under test names it.
std::string DataFile(const std::string& name) {
    return SourceTreeFile("editor/crashreport/support/archive/tests/data/" + name);
}

struct SourceFile {
    std::string file;    // name in the source folder
    std::string entry;   // name inside the archive as given
    std::string stored;  // name inside the archive as readers see it
    std::string bytes;
};

std::vector<SourceFile> SampleFiles() {
    std::mt19937 rng(9);
    std::string noise(100000, '\0');
    for (char& c : noise)
        c = char(rng());
    std::string text;
    for (int i = 0; i < 500; ++i)
        text += "line " + std::to_string(i) + " of the report\r\n";
    return {
        {"report.txt", "report.txt", "report.txt", text},
        {"shot.png", "sub/Screenshot.png", "sub/Screenshot.png", noise},
        {"empty.log", "empty.log", "empty.log", ""},
        {"app.log", "logs\\app.log", "logs/app.log", "backslashes become slashes"},
    };
}

// Writes the sample files and zips them; returns the archive's path.
std::string WriteSampleArchive(const std::string& folder, const std::string& password) {
    for (const SourceFile& f : SampleFiles())
        WriteTestFile(folder + f.file, f.bytes);
    // A known local time for one file, to see it in the entry.
    std::string out;
    EXPECT_EQ(RunShell("touch -d '2021-03-04 05:06:08' '" + UnixPath(folder) + "report.txt'", out), 0) << out;
    TZipWriter writer(folder + "out.zip", password);
    for (const SourceFile& f : SampleFiles())
        EXPECT_TRUE(writer.AddFile(folder + f.file, f.entry)) << f.file;
    EXPECT_TRUE(writer.Close()) << writer.FirstError();
    EXPECT_FALSE(writer.Failed());
    return folder + "out.zip";
}

std::string Quoted(const std::string& path) { return "'" + UnixPath(path) + "'"; }

// Every file under a folder, relative, with "/".
std::set<std::string> FilesUnder(const std::string& folder) {
    std::string out;
    EXPECT_EQ(RunShell("cd " + Quoted(folder) + " && find . -type f | sed 's|^./||'", out), 0) << out;
    std::set<std::string> files;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);)
        files.insert(line);
    return files;
}

std::string Native(const std::string& folder, const std::string& relative) {
    std::string p = folder + relative;
    std::replace(p.begin(), p.end(), '/', PathDelim);
    return p;
}

}  // namespace

TEST(Zip, OurArchivesExtractWithOurReader) {
    for (const std::string password : {"", "hunter2"}) {
        std::string folder = TestFolder(password.empty() ? "own_plain" : "own_password");
        std::string archive = WriteSampleArchive(folder, password);
        EXPECT_TRUE(ExtractZipFiles(archive, folder + "x", password));
        std::set<std::string> expected;
        for (const SourceFile& f : SampleFiles()) {
            EXPECT_TRUE(ReadTestFile(Native(folder + "x/", f.stored)) == f.bytes) << f.stored;
            expected.insert(f.stored);
        }
        EXPECT_EQ(FilesUnder(folder + "x"), expected);
    }
}

// Info-ZIP's unzip and Python's zipfile read what we write, password
// entries with the password only; an empty password gives plain entries.
TEST(Zip, IndependentReadersOpenOurArchives) {
    for (const std::string password : {"", "hunter2"}) {
        std::string folder = TestFolder(password.empty() ? "check_plain" : "check_password");
        std::string archive = WriteSampleArchive(folder, password);
        std::string out;
        std::string pw = password.empty() ? "" : " -P " + password;
        EXPECT_EQ(RunShell("unzip -t" + pw + " " + Quoted(archive), out), 0) << out;
        EXPECT_NE(out.find("No errors detected"), std::string::npos) << out;

        std::string py = "import sys, zipfile\n"
                         "z = zipfile.ZipFile(sys.argv[1])\n"
                         "pw = sys.argv[2].encode() or None\n"
                         "for i in z.infolist():\n"
                         "    print(i.filename, i.flag_bits & 1, i.compress_type, i.file_size, i.date_time)\n"
                         "    data = z.read(i, pwd=pw)\n"
                         "    src = open(sys.argv[3] + '/' + sys.argv[4 + len([0 for j in z.infolist() if j.header_offset < i.header_offset])], 'rb').read()\n"
                         "    assert data == src, i.filename\n"
                         "print('all equal')\n";
        WriteTestFile(folder + "check.py", py);
        std::string files;
        for (const SourceFile& f : SampleFiles())
            files += " " + f.file;
        EXPECT_EQ(RunShell("python3 " + Quoted(folder + "check.py") + " " + Quoted(archive) + " '" + password + "' " +
                               Quoted(folder) + files,
                           out),
                  0)
            << out;
        std::string flag = password.empty() ? " 0 8 " : " 1 8 ";
        for (const SourceFile& f : SampleFiles())
            EXPECT_NE(out.find(f.stored + flag + std::to_string(f.bytes.size())), std::string::npos) << out;
        EXPECT_NE(out.find("all equal"), std::string::npos) << out;
        EXPECT_NE(out.find("report.txt" + flag + "11890 (2021, 3, 4, 5, 6, 8)"), std::string::npos) << out;

        if (!password.empty()) {
            EXPECT_NE(RunShell("unzip -t -P wrong " + Quoted(archive), out), 0) << out;
        }
    }
}

TEST(Zip, ArchivesOfOtherToolsExtract) {
    std::string bin;
    for (int i = 0; i < 4; ++i)
        for (int b = 0; b < 256; ++b)
            bin += char(b);
    std::string text;
    for (int i = 0; i < 20; ++i)
        text += "Archives written by another tool open in ours.\r\n";
    for (const char* fixture : {"python_deflated.zip", "python_stored.zip"}) {
        std::string folder = TestFolder(std::string("fixture_") + fixture);
        TZipExtractor extractor(DataFile(fixture), folder);
        EXPECT_TRUE(extractor.Extracted) << fixture;
        EXPECT_TRUE(ReadTestFile(Native(folder, "hello.txt")) == text);
        EXPECT_TRUE(ReadTestFile(Native(folder, "data/bin.dat")) == bin);
        EXPECT_TRUE(TestFileExists(Native(folder, "empty.txt")));
        EXPECT_EQ(FilesUnder(folder), (std::set<std::string>{"hello.txt", "data/bin.dat", "empty.txt"}));
    }

    std::string a;
    for (int i = 0; i < 10; ++i)
        a += "first file, protected by the traditional zip password\n";
    std::string folder = TestFolder("fixture_password");
    EXPECT_TRUE(ExtractZipFiles(DataFile("infozip_password.zip"), folder, "letmein"));
    EXPECT_TRUE(ReadTestFile(Native(folder, "a.txt")) == a);
    EXPECT_TRUE(ReadTestFile(Native(folder, "sub/b.txt")) == bin.substr(0, 256));

    // A wrong password or none extracts nothing and says so.
    for (const char* wrong : {"letmeout", ""}) {
        std::string f = TestFolder(std::string("fixture_wrong_password") + (*wrong ? "_x" : "_none"));
        EXPECT_FALSE(ExtractZipFiles(DataFile("infozip_password.zip"), f, wrong)) << wrong;
        EXPECT_TRUE(FilesUnder(f).empty()) << wrong;
    }
}

// Names that would land outside the target are refused; the rest are
// extracted, folders and all.
TEST(Zip, ExtractionStaysInsideTheFolder) {
    std::string root = TestFolder("unsafe");
    EXPECT_FALSE(ExtractZipFiles(DataFile("unsafe_names.zip"), root + "target", ""));
    EXPECT_EQ(FilesUnder(root), (std::set<std::string>{"target/ok/nested/good.txt", "target/ok/back/slash.txt"}));
    EXPECT_EQ(ReadTestFile(Native(root, "target/ok/nested/good.txt")), "content of ok/nested/good.txt");
    EXPECT_FALSE(TestFileExists("/evil2.txt"));
}

TEST(Zip, SafeEntryPaths) {
    const std::string D(1, PathDelim);
    const std::pair<const char*, std::string> accepted[] = {
        {"a.txt", "a.txt"},
        {"dir/sub/a.txt", "dir" + D + "sub" + D + "a.txt"},
        {"dir\\a.txt", "dir" + D + "a.txt"},
        {"./a//b.txt", "a" + D + "b.txt"},
        {"dir/", "dir" + D},
        {"..a/b..", "..a" + D + "b.."},
        {"CONSOLE.txt", "CONSOLE.txt"},
    };
    for (const auto& [name, path] : accepted) {
        std::string got;
        EXPECT_TRUE(SafeEntryPath(name, got)) << name;
        EXPECT_EQ(got, path) << name;
    }
    for (const char* name : {"", "..", "../a", "a/../../b", "a/..", "/a", "\\a", "C:a", "c:\\a", "a/b:c", "a/ ../b",
                             "a/.../b", "nul", "Com1.txt", "a/LPT9", "aux .txt"}) {
        std::string got;
        EXPECT_FALSE(SafeEntryPath(name, got)) << name;
    }
}

TEST(Zip, CreatingOverAnExistingFileReplacesIt) {
    std::string folder = TestFolder("replace");
    std::string archive = WriteSampleArchive(folder, "");
    WriteTestFile(folder + "one.txt", "only entry");
    TZipWriter writer(archive, "");
    EXPECT_TRUE(writer.AddFile(folder + "one.txt", "one.txt"));
    EXPECT_TRUE(writer.Close());
    std::string out;
    EXPECT_EQ(RunShell("python3 -c \"import zipfile,sys; print(zipfile.ZipFile(sys.argv[1]).namelist())\" " +
                           Quoted(archive),
                       out),
              0)
        << out;
    EXPECT_NE(out.find("['one.txt']"), std::string::npos) << out;
}

// The writer keeps its first failure, and closing says the archive is not
// whole.
TEST(Zip, WriterReportsItsFirstFailure) {
    std::string folder = TestFolder("writer_failure");
    WriteTestFile(folder + "a.txt", "a");
    {
        TZipWriter writer(folder + "w.zip", "pw");
        EXPECT_TRUE(writer.AddFile(folder + "a.txt", "a.txt"));
        EXPECT_FALSE(writer.AddFile(folder + "missing.txt", "missing.txt"));
        EXPECT_TRUE(writer.AddFile(folder + "a.txt", "again.txt"));
        EXPECT_TRUE(writer.Failed());
        EXPECT_NE(writer.FirstError().find("missing.txt"), std::string::npos) << writer.FirstError();
        EXPECT_FALSE(writer.Close());
        EXPECT_NE(writer.FirstError().find("missing.txt"), std::string::npos);
    }
    {
        TZipWriter writer(folder + "no" + PathDelim + "such" + PathDelim + "w.zip", "");
        EXPECT_TRUE(writer.Failed());
        EXPECT_FALSE(writer.AddFile(folder + "a.txt", "a.txt"));
        EXPECT_FALSE(writer.Close());
        EXPECT_NE(writer.FirstError().find("w.zip"), std::string::npos) << writer.FirstError();
    }
    // An archive without entries is whole and empty.
    TZipArchive empty = CreateZipFile(folder + "empty.zip");
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(CloseZipFile(empty));
    std::string out;
    EXPECT_EQ(RunShell("python3 -c \"import zipfile,sys; print(len(zipfile.ZipFile(sys.argv[1]).namelist()))\" " +
                           Quoted(folder + "empty.zip"),
                       out),
              0)
        << out;
    EXPECT_EQ(out, "0\n");
    EXPECT_FALSE(AddZipFile(nullptr, folder + "a.txt", "a.txt", ""));
    EXPECT_FALSE(CloseZipFile(nullptr));
}

// Damaged data fails its check; the half-written file is not left behind.
TEST(Zip, DamagedEntryIsNotExtracted) {
    std::string folder = TestFolder("damaged");
    std::string text(20000, '\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = char('a' + i * 7 % 26);
    WriteTestFile(folder + "t.txt", text);
    TZipWriter writer(folder + "d.zip", "");
    ASSERT_TRUE(writer.AddFile(folder + "t.txt", "t.txt"));
    ASSERT_TRUE(writer.Close());
    std::string zip = ReadTestFile(folder + "d.zip");
    size_t data = 30 + uint8_t(zip[26]) + 256 * uint8_t(zip[27]) + uint8_t(zip[28]) + 256 * uint8_t(zip[29]);
    zip[data + 40] ^= 0x20;
    WriteTestFile(folder + "d.zip", zip);
    EXPECT_FALSE(ExtractZipFiles(folder + "d.zip", folder + "out", ""));
    EXPECT_FALSE(TestFileExists(Native(folder, "out/t.txt")));
    EXPECT_FALSE(ExtractZipFiles(folder + "nothing.zip", folder + "out", ""));
}

// Whether the reader, given the password, ends the first entry's data
// early without reporting an error: fewer bytes than declared, which
// extraction must not take for a whole entry.
bool EndsEarlyWithoutError(const std::string& archive, const char* password) {
    bool early = false;
    unzFile zip = unzOpen(archive.c_str());
    if (zip == nullptr)
        return false;
    unz_file_info info;
    if (unzGetCurrentFileInfo(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) == UNZ_OK &&
        unzOpenCurrentFilePassword(zip, password) == UNZ_OK) {
        char buffer[65536];
        uLong total = 0;
        int n;
        while ((n = unzReadCurrentFile(zip, buffer, sizeof buffer)) > 0)
            total += uLong(n);
        early = n == 0 && total < info.uncompressed_size;
        unzCloseCurrentFile(zip);
    }
    unzClose(zip);
    return early;
}

// Info-ZIP's archive of one 10,890-byte text with the password "s3cret".
// A wrong password decrypts the data to garbage, which now and then ends
// the deflate stream early instead of failing it.
TEST(Zip, AWrongPasswordThatEndsTheDataEarlyExtractsNothing) {
    const std::string archive = DataFile("infozip_s3cret.zip");
    std::string good = TestFolder("s3cret_right");
    ASSERT_TRUE(ExtractZipFiles(archive, good, "s3cret"));
    EXPECT_EQ(ReadTestFile(Native(good, "report.txt")).size(), 10890u);

    std::vector<std::string> early;
    for (int i = 0; i < 3000; ++i) {
        const std::string wrong = "guess" + std::to_string(i);
        if (EndsEarlyWithoutError(archive, wrong.c_str()))
            early.push_back(wrong);
    }
    ASSERT_FALSE(early.empty()) << "no wrong password ended the data early";
    // Those, and a few of the ordinary wrong ones.
    for (const std::string& wrong : {early.front(), early.back(), std::string("guess0"), std::string("S3CRET")}) {
        std::string folder = TestFolder("s3cret_" + wrong);
        EXPECT_FALSE(ExtractZipFiles(archive, folder, wrong)) << wrong;
        EXPECT_TRUE(FilesUnder(folder).empty()) << wrong;
    }
    for (const std::string& wrong : early) {
        std::string folder = TestFolder("s3cret_early");
        EXPECT_FALSE(ExtractZipFiles(archive, folder, wrong)) << wrong;
        EXPECT_FALSE(TestFileExists(Native(folder, "report.txt"))) << wrong;
    }
}

// One flipped bit anywhere in a deflated member: the entry is either
// extracted exactly (a bit the stream ignores) or not at all.
TEST(Zip, AFlippedBitInDeflatedDataNeverPassesForWhole) {
    std::string folder = TestFolder("flipped");
    std::string text;
    for (int i = 0; text.size() < 10890; ++i) {
        char line[96];
        std::snprintf(line, sizeof line, "Line %04d of the sample report: the quick brown fox jumps over the lazy dog.\n", i);
        text += line;
    }
    text.resize(10890);
    WriteTestFile(folder + "report.txt", text);
    {
        TZipWriter writer(folder + "plain.zip", "");
        ASSERT_TRUE(writer.AddFile(folder + "report.txt", "report.txt"));
        ASSERT_TRUE(writer.Close());
    }
    const std::string zip = ReadTestFile(folder + "plain.zip");
    const size_t data = 30 + uint8_t(zip[26]) + 256 * uint8_t(zip[27]) + uint8_t(zip[28]) + 256 * uint8_t(zip[29]);
    const size_t packed = uint8_t(zip[18]) + 256 * uint8_t(zip[19]) + 65536 * uint8_t(zip[20]);
    ASSERT_GT(packed, 20u);
    int refused = 0, endingEarly = 0;
    for (int k = 0; k < 400; ++k) {
        const size_t bit = size_t(k) * 7919 % (packed * 8);
        std::string damaged = zip;
        damaged[data + bit / 8] ^= char(1 << (bit % 8));
        const std::string name = folder + "d" + std::to_string(k) + ".zip";
        WriteTestFile(name, damaged);
        endingEarly += EndsEarlyWithoutError(name, nullptr);
        const std::string out = folder + "out" + std::to_string(k);
        if (ExtractZipFiles(name, out, "")) {
            EXPECT_TRUE(ReadTestFile(Native(out + PathDelim, "report.txt")) == text) << "bit " << bit;
        } else {
            ++refused;
            EXPECT_FALSE(TestFileExists(Native(out + PathDelim, "report.txt"))) << "bit " << bit;
        }
    }
    EXPECT_GT(endingEarly, 0) << "no flipped bit ended the data early";
    EXPECT_GT(refused, 300);
}

// Names are 8-bit texts of the code page, stored as they are.
TEST(Zip, CodePageNamesRoundTrip) {
    std::string folder = TestFolder("code_page");
    WriteTestFile(folder + "caf\xE9.txt", "menu");
    {
        TZipWriter writer(folder + "c.zip", "");
        EXPECT_TRUE(writer.AddFile(folder + "caf\xE9.txt", "d\xE9j\xE0" + std::string(1, PathDelim) + "caf\xE9.txt"));
    }
    EXPECT_TRUE(ExtractZipFiles(folder + "c.zip", folder + "out", ""));
    EXPECT_EQ(ReadTestFile(Native(folder, "out/d\xE9j\xE0/caf\xE9.txt")), "menu");
}

// The folder is trimmed, and works with or without its delimiter.
TEST(Zip, TargetFolderForms) {
    std::string folder = TestFolder("folder_forms");
    WriteTestFile(folder + "a.txt", "A");
    {
        TZipWriter writer(folder + "f.zip", "");
        writer.AddFile(folder + "a.txt", "a.txt");
    }
    EXPECT_TRUE(ExtractZipFiles(folder + "f.zip", "  " + folder + "one  ", ""));
    EXPECT_EQ(ReadTestFile(Native(folder, "one/a.txt")), "A");
    EXPECT_TRUE(ExtractZipFiles(folder + "f.zip", folder + "two" + PathDelim, ""));
    EXPECT_EQ(ReadTestFile(Native(folder, "two/a.txt")), "A");
}
