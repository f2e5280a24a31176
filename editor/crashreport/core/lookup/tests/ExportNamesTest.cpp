#include <gtest/gtest.h>

#include "editor/crashreport/core/lookup/ExportNames.h"
#include "editor/crashreport/core/lookup/ModuleInfo.h"

namespace {

TEST(ExportNames, UnitClassAndProcedureFromTheName)
{
    struct Case {
        const char* name;
        TZorvikDebugDetail detail;
        const char* unit;
        const char* cls;
        const char* proc;
    } cases[] = {
        {"@Main@TForm1@Button1Click$qqrp14System@TObject", ddUnitAndProcedure, "Main.pas", "TForm1", "Button1Click"},
        {"@A@B@C@D$qqrv", ddModule, "", "", ""},
        {"Sleep", ddProcedure, "", "", "Sleep"},
        {"@Unit@Proc$qqrv", ddUnitAndProcedure, "Unit.pas", "", "Proc"},
        {"@Unit@@Init$qqrv", ddUnitAndProcedure, "Unit.pas", "", "_Init"},
        {"@Unit@Proc@$qqrv", ddUnitAndProcedure, "Unit.pas", "", "Proc"},
        {"System.SysUtils.Format", ddUnitAndProcedure, "System.pas", "SysUtils", "Format"},
        {"Unit.Proc@8", ddUnitAndProcedure, "Unit.pas", "", "Proc"},
        {"@Foo", ddProcedure, "", "", "_Foo"},
        {"?Mangled@@YAXXZ", ddModule, "", "", ""},
        {"@$xp$Thing", ddProcedure, "", "", "_$xp$Thing"},
    };
    for (const Case& c : cases) {
        TZorvikDebugInfo info;
        EXPECT_EQ(ReadExportName(c.name, info), c.detail) << c.name;
        if (c.detail != ddModule) {
            EXPECT_EQ(info.UnitName, c.unit) << c.name;
            EXPECT_EQ(info.ClassName, c.cls) << c.name;
            EXPECT_EQ(info.ProcedureName, c.proc) << c.name;
        }
    }
}

TEST(ExportNames, FunctionHoldingAnAddress)
{
    std::vector<TZorvikFunctionInfo> functions = {{0x1000, 0, false, "A"}, {0x1100, 0, false, "B"}};
    EXPECT_EQ(FindExportedFunction(functions, 0x0FFF, nullptr), nullptr);
    ASSERT_NE(FindExportedFunction(functions, 0x1000, nullptr), nullptr);
    EXPECT_EQ(FindExportedFunction(functions, 0x10FF, nullptr)->Name, "A");
    // Measured sizes bound the functions.
    std::vector<TZorvikFunctionInfo> measured = {{0x1000, 0, false, "A"}, {0x1100, 0, false, "B"}};
    auto size16 = [](uintptr_t) { return 0x10u; };
    EXPECT_EQ(FindExportedFunction(measured, 0x1010, size16)->Name, "A");
    EXPECT_EQ(FindExportedFunction(measured, 0x1011, size16), nullptr);
    EXPECT_EQ(FindExportedFunction(measured, 0x1105, size16)->Name, "B");
}

}  // namespace
