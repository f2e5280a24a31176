#include <gtest/gtest.h>

#include "viewer/PageLayout.h"
#include "viewer/PngPictureLoader.h"
#include "viewer/tests/LayoutFakes.h"

namespace {

TEST(PagePictures, PngPicturesTakeTheirSizeAndBrokenOnesAreLeftOut) {
    FakeMeasurer measurer;
    PngPictureLoader pictures;
    disphtml layout(measurer, pictures);
    layout.LayoutWidth = 400;
    layout.PageFolder = "tests/data/pages/";
    xml_parser parser;
    parser.SetBuffer("<body>a<img src=search.png>b<img src=broken.png>c<img src=none.png>d</body>");
    layout.LayoutPage(parser);

    int pictureItems = 0;
    for (const PageItem& it : layout.Items())
        if (it.Kind == pkPicture) {
            ++pictureItems;
            ASSERT_NE(it.Picture(), nullptr);
            EXPECT_EQ(it.Picture()->Width(), 64);
            EXPECT_EQ(it.Picture()->Height(), 48);
            EXPECT_EQ(it.X, 16);
        }
    EXPECT_EQ(pictureItems, 1);
    ASSERT_EQ(layout.Items().size(), 5u);
    EXPECT_EQ(layout.Items()[2].Text(), "b");
    EXPECT_EQ(layout.Items()[2].X, 16 + 66);
    EXPECT_EQ(layout.Items()[4].Text(), "d");
    // The first failure of the layout is kept, once.
    EXPECT_EQ(layout.LayoutError(),
              "This \"Portable Network Graphics\" image is invalid because the decoder found an unexpected end "
              "of the file.");
}

}  // namespace
