// Any bytes as a help page: the reader, the text extraction and the layout
// must take them without fault.
#include <cstddef>
#include <cstdint>
#include <string>

#include "viewer/PageLayout.h"
#include "viewer/PageText.h"
#include "viewer/tests/LayoutFakes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    xml_parser parser;
    parser.SetBuffer(std::string(reinterpret_cast<const char*>(data), size));
    ihtml text;
    parser.Parse(text);

    FakeMeasurer measurer;
    FakePictures pictures;
    pictures.Known["pics\\a.png"] = {30, 20};
    disphtml layout(measurer, pictures);
    layout.PageFolder = "pics\\";
    layout.SearchWords.Split("a the -", BlankDelimiters());
    for (int32_t width : {600, 40}) {
        layout.LayoutWidth = width;
        layout.LayoutPage(parser);
    }
    return 0;
}
