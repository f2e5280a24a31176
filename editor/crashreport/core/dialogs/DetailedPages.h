#pragma once
// The report pages of the detailed error dialog: one child dialog at a time
// inside its tab control, rich text for General, Assembler and CPU,
// collapsible owner-drawn rows for Call Stack, Modules and Processes.
#include <windows.h>

#include <string>

#include "editor/crashreport/core/dialogs/DetailedPageRows.h"

// The report the pages show while the dialog is up (not owned).
void SetDetailedReportPages(const TDetailedReportPages* pages);

// Activates a page: n <= 0 names page -n; 1 is page 1; above 1 it is a tab
// index. The previous page window goes; the new one is fitted into the tab
// control. Returns the new page window (null when it could not be made).
HWND ActivateDetailedPage(int n, HWND dialog, HWND tab, bool modulesShown, bool assemblerShown);
// Places the page into the display rectangle of the tab control.
void FitDetailedPage(HWND tab, HWND page);
// The page window now shown, and its page number (-1 when none).
HWND CurrentDetailedPage();
int CurrentDetailedPageNumber();
void DestroyDetailedPage();

// The RTF document of a page's text; the CPU page sets its stack column at
// the tab position (twips).
std::string PageRichText(int page, const std::string& text, int cpuTabPosition);
