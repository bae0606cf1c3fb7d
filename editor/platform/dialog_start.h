#pragma once
// Where the file dialogs start: the documents or pictures folder at first,
// then the folder last used for the same kind of file, remembered per user in
// a section of its own in the settings file (other programs reading the file
// skip a section they do not know).
#include <QString>

namespace tamarie {

enum class DialogFolder { WorkState, Photo, Picture };

// The last folder used for kind when it still exists, else its usual folder.
QString DialogStartFolder(const QString &configIni, DialogFolder kind);
// Remembers the folder of a chosen file.
void RememberDialogFolder(const QString &configIni, DialogFolder kind, const QString &chosenFile);

// The file the work-state save dialog proposes: the current file, or
// "無題.ini" in folder while untitled.
QString ProposedWorkStateFile(const QString &currentFile, const QString &folder);

} // namespace tamarie
