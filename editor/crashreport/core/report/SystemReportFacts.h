#pragma once
// The facts of the user, the computer, the operating system and the network
// for a crash report, read from the running system. A fact that cannot be
// read stays empty.
#include <string>
#include <vector>

#include "editor/crashreport/core/report/ReportFacts.h"

// User, active window, computer, operating system and network facts.
void GatherSystemFacts(TReportFacts& facts);

std::string GetRegisteredCompanyText();
// One line per privilege of the process token (name, " - ON" or " - OFF").
std::string GetPrivilegesText();
std::string GetProcessorText();
std::string GetVideoCardText();
std::string GetPrinterText();
std::string GetLanguageText();
std::vector<TReportAdapter> GetNetworkAdapters();
