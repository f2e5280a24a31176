#pragma once
// Puts the stages that exist into the processing's steps: the report's
// facts and text, the duplicate test, the log, the screenshot and the
// custom sections. The dialog and the sending stay empty until they exist.
void InstallProcessingStages();
