// The editor's one document, reading and writing real files.
#include "editor/document/DataFile.h"
#include "editor/document/Win32DocumentIO.h"

TDataFile DataFile(&Win32DocumentIO::Instance());
