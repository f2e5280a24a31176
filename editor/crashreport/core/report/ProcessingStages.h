#pragma once
// Puts the stages of the report stage into the processing's steps: the
// filter match, the duplicate test, the log, the screenshot and the custom
// sections. The report text itself is the report-building step's
// (InstallReportBuilding); the dialog and the sending are their stages'.
void InstallProcessingStages();
