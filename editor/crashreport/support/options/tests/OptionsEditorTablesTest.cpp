#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "editor/crashreport/support/options/OptionsEditorTables.h"

// The grouped texts: 14 titles in their order, each followed by its ids;
// every one of the 158 text ids once.
TEST(OptionsEditorTables, TextsGroupedForEditing) {
    ASSERT_EQ(EMsgs.size(), 172u);
    EXPECT_EQ(EMsgs.front().Caption, "Message captions");
    EXPECT_EQ(EMsgs.front().Id, -1);
    EXPECT_EQ(EMsgs.back().Id, mtInvalidEmailMsg);
    EXPECT_EQ(EMsgs.back().Caption, "Invalid email");

    // Each title with the first and the last id of its group.
    struct Group {
        std::string title;
        int first, last, count;
    };
    const std::vector<Group> expected = {
        {"Message captions", mtInformationMsgCaption, mtErrorMsgCaption, 3},
        {"Exception Dialog (ZorvikLog type)", mtDialog_Caption, mtDialog_SupportMessage, 23},
        {"Exception Dialog (MS Classic type)", mtMSDialog_ErrorMsgCaption, mtMSDialog_NoSendButtonCaption, 11},
        {"Send Dialog", mtSendDialog_Caption, mtSendDialog_Disconnected, 13},
        {"Reproduce Dialog", mtReproduceDialog_Caption, mtReproduceDialog_OKButtonCaption, 3},
        {"General Data", mtLog_AppHeader, mtLog_CustInfoHeader, 55},
        {"Call Stack", mtCallStack_Address, mtCallStack_Line, 6},
        {"Threads Data", mtCallStack_MainThread, mtCallStack_ThreadClass, 7},
        {"Leaks Data", mtCallStack_LeakCaption, mtCallStack_LeakCount, 5},
        {"Modules List", mtModules_Handle, mtModules_Path, 7},
        {"Processes List", mtProcesses_ID, mtProcesses_Path, 8},
        {"CPU", mtCPU_Registers, mtCPU_MemoryDump, 3},
        {"Send messages", mtSend_SuccessMsg, mtSend_InvalidModifyMsg, 9},
        {"Other messages", mtReserved, mtInvalidEmailMsg, 5},
    };
    std::vector<Group> found;
    std::set<int> ids;
    for (const TMsgsRecord& r : EMsgs) {
        if (r.Id == -1) {
            found.push_back({std::string(r.Caption), -1, -1, 0});
            continue;
        }
        ASSERT_FALSE(found.empty()) << "a text before the first title";
        EXPECT_FALSE(r.Caption.empty()) << r.Id;
        EXPECT_TRUE(ids.insert(r.Id).second) << "id " << r.Id << " twice";
        Group& g = found.back();
        if (g.first == -1)
            g.first = r.Id;
        g.last = r.Id;
        ++g.count;
    }
    ASSERT_EQ(found.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].title);
        EXPECT_EQ(found[i].title, expected[i].title);
        EXPECT_EQ(found[i].first, expected[i].first);
        EXPECT_EQ(found[i].last, expected[i].last);
        EXPECT_EQ(found[i].count, expected[i].count);
    }
    EXPECT_EQ(ids.size(), static_cast<size_t>(MessageTypeCount));
    EXPECT_EQ(*ids.begin(), 0);
    EXPECT_EQ(*ids.rbegin(), MessageTypeCount - 1);
}

// A caption per report field, in the order of the field values, each a
// group and a label.
TEST(OptionsEditorTables, ShowOptionCaptions) {
    ASSERT_EQ(EShowOptions.size(), 48u);
    EXPECT_EQ(EShowOptions[soAppStartDate], "Application|Start Date");
    EXPECT_EQ(EShowOptions[soUserPrivileges], "User|Privileges");
    EXPECT_EQ(EShowOptions[soNetDHCP], "Network|DHCP");
    EXPECT_EQ(EShowOptions[soCustomData], "Custom Data|All");
    EXPECT_EQ(EShowOptions.back(), "Custom Data|All");
    for (std::string_view caption : EShowOptions) {
        const size_t bar = caption.find('|');
        ASSERT_NE(bar, std::string_view::npos) << caption;
        EXPECT_GT(bar, 0u) << caption;
        EXPECT_LT(bar + 1, caption.size()) << caption;
        EXPECT_EQ(caption.find('|', bar + 1), std::string_view::npos) << caption;
    }
}

// The variables a text may hold, the component's own first, then the
// environment's, each "Name | description".
TEST(OptionsEditorTables, VariablesATextMayHold) {
    ASSERT_EQ(EVariablesOptions.size(), 26u);
    std::vector<std::string> names;
    for (std::string_view line : EVariablesOptions) {
        const size_t bar = line.find(" | ");
        ASSERT_NE(bar, std::string_view::npos) << line;
        EXPECT_LT(bar + 3, line.size()) << line;
        names.emplace_back(line.substr(0, bar));
    }
    const std::vector<std::string> expected = {
        "_BugReport", "_ExceptModuleDesc", "_ExceptModuleName", "_ExceptModuleVer", "_ExceptMsg", "_LineBreak",
        "_MainModuleDesc", "_MainModuleName", "_MainModuleVer", "AllUsersProfile", "AppData", "CD", "ComputerName",
        "Date", "HomeDrive", "HomePath", "ProgramFiles", "SystemDrive", "SystemRoot", "Temp", "Time", "Tmp",
        "UserDomain", "UserName", "UserProfile", "WinDir"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(EVariablesOptions.front().substr(0, 13), "_BugReport | ");
    EXPECT_EQ(EVariablesOptions.back().substr(0, 9), "WinDir | ");
}
