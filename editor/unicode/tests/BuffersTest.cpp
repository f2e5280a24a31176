#include <gtest/gtest.h>

#include "editor/unicode/UvxBuffers.h"
#include "editor/unicode/UvxErrors.h"

TEST(BufferedStrings, GrowAndClear) {
    TBufferedWideString w;
    w.AddChar(u'a');
    w.AddChar(u'b');
    EXPECT_EQ(w.Value(), u"ab");
    w.Clear();
    EXPECT_EQ(w.Value(), u"");
    EXPECT_EQ(w.Capacity(), 32);
    TBufferedAnsiString a;
    a.AddString("");
    EXPECT_EQ(a.Capacity(), 0);
    a.AddString(std::string(40, 'x'));
    EXPECT_EQ(a.Capacity(), 48);  // steps of max(capacity / 2, 8)
    a.AddChar('y');
    const char part[] = {'1', '2', '\0', '3'};
    a.AddBuffer(part, 4);  // stops at the 0
    EXPECT_EQ(a.Value(), std::string(40, 'x') + "y12");
}

TEST(BufferedStreamReader, ReadsAcrossTheBufferAndRefusesWrites) {
    TMemoryStream source;
    std::string data;
    for (int i = 0; i < 100; ++i) data += static_cast<char>('0' + i % 10);
    source.WriteBuffer(data.data(), 100);
    TBufferedStreamReader r(source, 16);
    char buf[64] = {};
    r.Seek(10, soBeginning);
    EXPECT_EQ(r.Read(buf, 4), 4);
    EXPECT_EQ(std::string(buf, 4), data.substr(10, 4));
    EXPECT_EQ(r.Read(buf, 40), 40);  // part from the buffer, whole blocks straight, the rest refilled
    EXPECT_EQ(std::string(buf, 40), data.substr(14, 40));
    r.Seek(-10, soEnd);
    EXPECT_EQ(r.Read(buf, 64), 10);
    EXPECT_EQ(std::string(buf, 10), data.substr(90));
    EXPECT_EQ(r.Read(buf, 1), 0);
    r.Seek(-5, soBeginning);
    EXPECT_EQ(r.Read(buf, 1), 0);
    try {
        r.Write(buf, 1);
        ADD_FAILURE();
    } catch (const EUvxInternalError& e) {
        EXPECT_STREQ(e.what(), "Internal Error: class can not write.");
    }
}
