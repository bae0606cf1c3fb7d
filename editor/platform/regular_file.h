#pragma once
// Opening files for reading only when they are regular files.  A FIFO, a
// device or a folder named where a file is expected is refused at once:
// opening is non-blocking and the kind is checked on the opened descriptor,
// so nothing waits for a writer that never comes.
#include <QByteArray>
#include <QFile>
#include <QString>

namespace tamarie {

enum class RegularFileStatus {
    Ok,
    Missing,     // no such file
    NotRegular,  // a FIFO, device, socket or folder
    Failed,      // exists but cannot be opened (the system's error number is kept)
};

struct RegularFileResult {
    RegularFileStatus status = RegularFileStatus::Missing;
    int error = 0;  // errno for Failed
};

// Opens path read-only into file (which then owns the descriptor).
RegularFileResult OpenRegularFile(const QString &path, QFile &file);

// The system's text for an error number ("Permission denied", ...).
QString SystemErrorText(int error);
// What a failed open says: the system's text, or a note that the path is not a plain file.
QString RegularFileErrorText(const RegularFileResult &result);

} // namespace tamarie
