#include <gtest/gtest.h>

#include "framework/Exceptions.h"
#include "framework/Streams.h"

TEST(MemoryStream, ReadWriteSeekAndSize) {
    TMemoryStream m;
    m.WriteBuffer("hello", 5);
    EXPECT_EQ(m.Size(), 5);
    m.Seek(-2, soEnd);
    char buf[8] = {};
    EXPECT_EQ(m.Read(buf, 8), 2);
    EXPECT_STREQ(buf, "lo");
    EXPECT_EQ(m.Read(buf, 8), 0);
    m.SetPosition(0);
    EXPECT_THROW(m.ReadBuffer(buf, 6), EReadError);
    m.SetSize(2);
    EXPECT_EQ(m.Position(), 2);
    TMemoryStream copy;
    copy.CopyFrom(m, 0);
    EXPECT_EQ(copy.Size(), 2);
    EXPECT_EQ(std::string(copy.Bytes().begin(), copy.Bytes().end()), "he");
}
