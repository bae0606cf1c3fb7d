#pragma once
// The folders the program works with: its own folder (sample photo, help
// file) and the per-user data folder below the documents folder, which holds
// the settings file.
#include <QString>

namespace tamarie {

// Folder of the running program, without a trailing separator.
QString ProgramFolder();
// A file shipped with the program (name relative to the program folder, e.g.
// "ReadMe.txt"): beside the program first, as in the build tree or an unpacked
// folder, then in ../share/tamarie as installed on Linux. When neither holds
// it, the place beside the program.
QString ProgramFileIn(const QString &programFolder, const QString &name);
inline QString ProgramFile(const QString &name) { return ProgramFileIn(ProgramFolder(), name); }
// The user's documents folder; the home folder when the desktop names none.
QString DocumentsFolder();
// documentsFolder + "/Norte/TamarieData".
QString DataFolderIn(const QString &documentsFolder);
inline QString DataFolder() { return DataFolderIn(DocumentsFolder()); }
// Creates the folder with any missing parents; true when it exists afterwards.
bool EnsureFolder(const QString &folder);
// The settings file of a data folder.
QString ConfigIniPath(const QString &dataFolder);

} // namespace tamarie
