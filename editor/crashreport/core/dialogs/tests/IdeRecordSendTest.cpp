// The development-environment record through a real mailslot: a program not
// started from the environment writes to the slot with id 0.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "editor/crashreport/core/dialogs/IdeRecordSend.h"

namespace {

TEST(IdeRecordSend, WritesTheRecordToTheSlotOfIdZero)
{
    HANDLE slot = CreateMailslotA("\\\\.\\mailslot\\ZorvikLog0", 0, 0, nullptr);
    if (slot == INVALID_HANDLE_VALUE)
        GTEST_SKIP() << "no mailslots here";
    SendIdeRecord(" 42 ", "Unit1.pas", "TForm1", "Button1Click", "3", 45000.5);
    DWORD next = 0, count = 0;
    ASSERT_TRUE(GetMailslotInfo(slot, nullptr, &next, &count, nullptr));
    ASSERT_EQ(count, 1u);
    ASSERT_EQ(next, 376u);
    char record[376] = {};
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(slot, record, sizeof record, &read, nullptr));
    EXPECT_STREQ(record + 90, "Unit1.pas");
    EXPECT_STREQ(record + 180, "TForm1");
    EXPECT_STREQ(record + 270, "Button1Click");
    int32_t line = 0;
    std::memcpy(&line, record + 360, 4);
    EXPECT_EQ(line, 42);

    // No line: nothing is sent.
    SendIdeRecord("", "Unit1.pas", "TForm1", "Button1Click", "3", 0);
    ASSERT_TRUE(GetMailslotInfo(slot, nullptr, &next, &count, nullptr));
    EXPECT_EQ(count, 0u);
    CloseHandle(slot);
}

TEST(IdeRecordSend, AMissingSlotIsIgnored)
{
    SendIdeRecord("1", "U", "C", "P", "", 0);  // nothing listens: no error, no wait
    SUCCEED();
}

} // namespace
