#pragma once
// Where the crash-report component's files go: every file it writes finds a
// writable place, falling back to the per-user library folder.
#include <string>

// The per-user application-data folder ("\" when none is known).
std::string AppDataFolder();
// The component's own folder: application data + "\ZorvikLog".
std::string LibraryFolder();
// Where ini files given without a folder are kept.
std::string SettingsFolder();

// Opens the file for reading and writing (creating it when missing, and
// deleting it again then); false when that fails.
bool IsWritableFile(const std::string& name);
// The existing file opens for reading.
bool IsReadableFile(const std::string& name);
// Creates the folder and its missing parents; false for an empty path or
// when a folder cannot be made.
bool ForceDirectoriesEx(const std::string& path);

// Expands environment references in `fileName`; when the file is not
// accessible (readable, or else writable), tries the same name in the
// library folder (with addModuleFolder, in the program's subfolder of it).
// True and the usable name, or false with the expanded name.
bool GetWorkingFile(std::string& fileName, bool addModuleFolder, bool readOnly);
// The same for a folder, probed through a file "X" in it; on success the
// folder ends with "\".
bool GetWorkingDir(std::string& folder, bool addModuleFolder, bool readOnly);

// The full name of a file the component writes, for an options object whose
// output path is `outputPath` (a ".zvf" output path is itself the name).
std::string OutputFileFor(const std::string& outputPath, const std::string& fileName);
// The log file name: `fileName`, or the module's own name when empty, with
// the extension ".zvf"; with addComputerName, "_<computer>" before it.
std::string OutputLogFileFor(const std::string& outputPath, const std::string& moduleName,
                             const std::string& fileName, bool addComputerName);
// The computer name made safe for a file name.
std::string FileNameSafeComputerName();

// The program's own path.
std::string Real_GetMainModuleFileName();
// Last write time as a local date-time (days since 30 Dec 1899); 0 when the
// file does not exist.
double GetModifiedDate(const std::string& fileName);
// A path with "~" rebuilt from the long names of its components.
std::string GetLongNameFromShort(const std::string& path);
