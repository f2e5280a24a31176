#pragma once
// Unit, class and procedure read from the name of an exported function, for
// addresses of a module that carries no debug information of any kind.
#include <string>

#include "editor/crashreport/core/lookup/DebugInfoTypes.h"

// Fills UnitName, ClassName and ProcedureName of the row from the export's
// name and returns the detail it gives: ddUnitAndProcedure for a name that
// splits into unit and procedure (or unit, class and procedure), ddProcedure
// for a plain name, ddModule for one that says nothing usable.
TZorvikDebugDetail ReadExportName(const std::string& name, TZorvikDebugInfo& info);
