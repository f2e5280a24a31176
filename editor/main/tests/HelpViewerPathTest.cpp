#include <gtest/gtest.h>

#include "editor/main/HelpViewerPath.h"

TEST(HelpViewerPath, IsInTheLanguagesHelpFolderBesideTheEditor) {
    struct Case {
        const char* exe;
        const char* dir;
        const char* expected;
    } cases[] = {
        {"C:\\Program Files\\Tessaly\\Tessaly.exe", "help_en\\", "C:\\Program Files\\Tessaly\\help_en\\Vellumo.exe"},
        {"D:\\t\\Tessaly.exe", "help_nl\\", "D:\\t\\help_nl\\Vellumo.exe"},
        {"C:Tessaly.exe", "help_en\\", "C:help_en\\Vellumo.exe"},
        {"Tessaly.exe", "help_en\\", "help_en\\Vellumo.exe"},
    };
    for (const Case& c : cases) EXPECT_EQ(HelpViewerPath(c.exe, c.dir), c.expected) << c.exe;
}
