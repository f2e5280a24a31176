// The editor's manual in both languages, as it is installed beside the
// viewer (the Windows tree reads the installed copy, the native tree the
// folders that are installed): every page of the contents tree exists,
// parses and lays out without a layout error, every link of every page leads
// to a page that exists, and every help context number the editor sends
// maps to a page.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "viewer/HelpIndex.h"
#include "viewer/PageLayout.h"
#include "viewer/PngPictureLoader.h"
#include "viewer/tests/LayoutFakes.h"

namespace {

// The help context numbers of the editor: the help index (menu Help Index
// and F1), the exact-location window, the menu item Search for..., the
// search and replace windows, the bit editor and the data types editor; and
// 0, where the viewer falls back for a number its map lacks.
const int32_t kEditorContexts[] = {0, 100, 3, 21, 301, 303, 404, 405};

std::string ManualFolder(const std::string& language) {
#ifdef _WIN32
    const char* bin = std::getenv("TQ_BINARY_DIR");
    return std::string(bin ? bin : ".") + "/bin/help_" + language + "/";
#else
    const char* src = std::getenv("TQ_SOURCE_DIR");
    return std::string(src ? src : "../..") + "/resources/help_" + language + "/";
#endif
}

bool ReadFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    bytes = s.str();
    return true;
}

// Collects the link targets and the pictures of a page as the reader
// reports them.
struct Links : xml_user {
    std::vector<std::string> Targets;
    std::vector<std::string> Pictures;
    void Attribute(const std::string& tag, const std::string& name, const std::string& value) override {
        if ((tag == "a" || tag == "A") && (name == "href" || name == "HREF")) Targets.push_back(value);
        if ((tag == "img" || tag == "IMG") && (name == "src" || name == "SRC")) Pictures.push_back(value);
    }
};

class Manual : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        Folder = ManualFolder(GetParam());
        std::string text;
        ASSERT_TRUE(ReadFile(Folder + "helptree.txt", text)) << Folder;
        Tree = ParseContentsTree(SplitLines(text));
        ASSERT_TRUE(ReadFile(Folder + "helpmap.txt", text)) << Folder;
        Map = ParseContextMap(SplitLines(text));
        for (const ContentsEntry& e : Tree.Entries) Pages.insert(e.Page);
        // The lists this test goes through must not be empty.
        ASSERT_GT(Tree.Entries.size(), 20u);
        ASSERT_FALSE(Map.empty());
    }
    bool Exists(const std::string& name) {
        std::string bytes;
        return ReadFile(Folder + name, bytes);
    }
    std::string Folder;
    ContentsTree Tree;
    std::map<int32_t, std::string> Map;
    std::set<std::string> Pages;
};

TEST_P(Manual, EveryPageOfTheTreeExistsAndLaysOutWithoutError) {
    FakeMeasurer measurer;
    PngPictureLoader pictures;
    for (const std::string& page : Pages) {
        SCOPED_TRACE(Folder + page);
        xml_parser parser;
        ASSERT_EQ(parser.ReadFile(Folder + page), 0);
        disphtml layout(measurer, pictures);
        layout.PageFolder = Folder;
        for (int32_t width : {600, 250}) {
            layout.LayoutWidth = width;
            layout.LayoutPage(parser);
            EXPECT_TRUE(layout.LayoutError().empty()) << layout.LayoutError();
            EXPECT_FALSE(layout.Title().empty());
            EXPECT_GT(layout.Items().size(), 20u);
            // Every heading closed: the next layout starts at the body size.
            EXPECT_EQ(layout.FontSize, 12);
        }
    }
}

TEST_P(Manual, EveryLinkLeadsToAPageThatExists) {
    size_t links = 0;
    for (const std::string& page : Pages) {
        xml_parser parser;
        ASSERT_EQ(parser.ReadFile(Folder + page), 0);
        Links found;
        parser.Parse(found);
        for (const std::string& target : found.Targets) {
            EXPECT_TRUE(Exists(target)) << page << " links to " << target;
            EXPECT_TRUE(Pages.count(target)) << page << " links to " << target << ", which the contents lack";
        }
        links += found.Targets.size();
    }
    EXPECT_GT(links, Pages.size());  // the pages are linked to one another
}

// The pictures are screenshots of our programs: each one a PNG file beside
// the pages that the viewer decodes, not larger than the view is wide, and
// small on disk.
TEST_P(Manual, EveryPictureExistsAndDecodes) {
    PngPictureLoader loader;
    size_t pictures = 0;
    for (const std::string& page : Pages) {
        xml_parser parser;
        ASSERT_EQ(parser.ReadFile(Folder + page), 0);
        Links found;
        parser.Parse(found);
        for (const std::string& src : found.Pictures) {
            SCOPED_TRACE(page + ": " + src);
            std::string bytes;
            ASSERT_TRUE(ReadFile(Folder + src, bytes));
            EXPECT_LT(bytes.size(), 64u * 1024);
            std::unique_ptr<TGraphic> picture;
            EXPECT_NO_THROW(picture = loader.Load(Folder + src));
            ASSERT_TRUE(picture);
            EXPECT_GT(picture->Width(), 100);
            EXPECT_LE(picture->Width(), 800);
            ++pictures;
        }
    }
    EXPECT_GE(pictures, 2u);  // the editor and the viewer at least
}

TEST_P(Manual, EveryContextTheEditorSendsMapsToAPage) {
    for (int32_t context : kEditorContexts) {
        auto found = Map.find(context);
        ASSERT_NE(found, Map.end()) << "context " << context;
        EXPECT_TRUE(Exists(found->second)) << "context " << context << ": " << found->second;
        EXPECT_TRUE(Pages.count(found->second)) << "context " << context;
    }
    EXPECT_EQ(Map.at(100), "index.htm");
}

// Both manuals hold the same pages, so that a context or a link leads to
// the same subject in either language.
TEST(ManualLanguages, BothLanguagesHoldTheSamePages) {
    std::string en, nl;
    ASSERT_TRUE(ReadFile(ManualFolder("en") + "helptree.txt", en));
    ASSERT_TRUE(ReadFile(ManualFolder("nl") + "helptree.txt", nl));
    std::vector<std::string> enPages, nlPages;
    for (const ContentsEntry& e : ParseContentsTree(SplitLines(en)).Entries) enPages.push_back(e.Page);
    for (const ContentsEntry& e : ParseContentsTree(SplitLines(nl)).Entries) nlPages.push_back(e.Page);
    ASSERT_FALSE(enPages.empty());
    EXPECT_EQ(enPages, nlPages);
}

INSTANTIATE_TEST_SUITE_P(Languages, Manual, ::testing::Values("en", "nl"));

}  // namespace
