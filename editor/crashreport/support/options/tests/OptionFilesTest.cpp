#include <gtest/gtest.h>

#include "editor/crashreport/support/files/LocalFiles.h"
#include "editor/crashreport/support/options/OptionsStream.h"
#include "editor/crashreport/support/options/tests/OptionsTestSupport.h"
#include "editor/crashreport/support/testing/TestFiles.h"
#include "framework/Exceptions.h"

namespace {

class OptionFiles : public FakeModules {};

TEST_F(OptionFiles, SavedFileHoldsTheStreamAndLoadsBack)
{
    std::string folder = TestFolder("OptionFiles.RoundTrip");
    CountingOptions source;
    ChangeEveryOption(source);
    std::vector<uint8_t> bytes = StreamBytes(source);
    source.SaveToFile(folder + "module.opt");
    std::string file = ReadTestFile(folder + "module.opt");
    EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.end()), bytes);

    // Saving again replaces the file rather than adding to it.
    source.SaveToFile(folder + "module.opt");
    EXPECT_EQ(ReadTestFile(folder + "module.opt").size(), bytes.size());

    CountingOptions target;
    LastZorvikVersion = ZorvikLogCurrentVersion;
    target.LoadFromFile(folder + "module.opt");
    EXPECT_EQ(StreamBytes(target), bytes);
    EXPECT_EQ(target.Stores, 1);
}

TEST_F(OptionFiles, MissingAndUnwritableFilesRaiseFileErrors)
{
    std::string folder = TestFolder("OptionFiles.Errors");
    CountingOptions o;
    try {
        o.LoadFromFile(folder + "missing.opt");
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"" + folder + "missing.opt\". ", 0), 0u) << e.what();
    }
    try {
        o.SaveToFile(folder + "no such folder" + PathDelim + "x.opt");
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"", 0), 0u) << e.what();
    }
    EXPECT_EQ(o.Stores, 0);
}

TEST_F(OptionFiles, ADamagedFileChangesNothing)
{
    std::string folder = TestFolder("OptionFiles.Damaged");
    CountingOptions source;
    ChangeEveryOption(source);
    std::vector<uint8_t> bytes = StreamBytes(source);
    WriteTestFile(folder + "cut.opt", std::string(bytes.begin(), bytes.begin() + bytes.size() / 2));
    WriteTestFile(folder + "empty.opt", "");

    CountingOptions target;
    std::vector<uint8_t> before = StreamBytes(target);
    EXPECT_THROW(target.LoadFromFile(folder + "cut.opt"), EReadError);
    EXPECT_THROW(target.LoadFromFile(folder + "empty.opt"), EReadError);
    EXPECT_EQ(StreamBytes(target), before);
    EXPECT_EQ(target.Stores, 2);
}

}  // namespace
