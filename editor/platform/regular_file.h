#pragma once
// Opening files for reading only when they are regular files.  A FIFO, a
// device or a folder named where a file is expected is refused at once:
// opening is non-blocking and the kind is checked on the opened descriptor,
// so nothing waits for a writer that never comes.
#include <QByteArray>
#include <QFile>
#include <QString>

#include <optional>

namespace tamarie {

// What tells one version of a file from another: a replaced file has a new
// inode, an edited one a new size or modification time.
struct FileStamp {
    bool exists = false;
    unsigned long long device = 0, inode = 0;
    long long size = 0, modifiedNs = 0;
    bool operator==(const FileStamp &) const = default;
};
FileStamp StampOfFile(const QString &path);
FileStamp StampOfDescriptor(int fd);

enum class RegularFileStatus {
    Ok,
    Missing,     // no such file
    NotRegular,  // a FIFO, device, socket or folder
    Failed,      // exists but cannot be opened or read (the system's error number is kept)
    TooLarge,    // larger than the reader takes
};

struct RegularFileResult {
    RegularFileStatus status = RegularFileStatus::Missing;
    int error = 0;  // errno for Failed
};

// Opens path read-only into file (which then owns the descriptor).
RegularFileResult OpenRegularFile(const QString &path, QFile &file);

// A whole regular file of at most maxBytes, read at once.  A FIFO or device
// is refused without waiting; a larger file is refused without reading it.
struct RegularFileContent {
    RegularFileResult result;
    bool opened = false;  // Failed after the open: the read itself failed
    QByteArray bytes;
    FileStamp stamp;      // of the file read, when it was opened
};
RegularFileContent ReadRegularFile(const QString &path, qint64 maxBytes);
// Why a read gave no content, in the words the data-file readers show
// ("ファイルが見つかりません", "普通のファイルではありません", ...); nothing when it did.
std::optional<QString> ReadRefusalText(const RegularFileContent &content);

// The reason for an error number, in Japanese for the common ones ("アクセスが拒否されました", ...).
QString SystemErrorText(int error);
// What a failed open says: the system's text, or a note that the path is not a plain file.
QString RegularFileErrorText(const RegularFileResult &result);

} // namespace tamarie
