#pragma once
// Replacing a file whole.  The new content goes to a temporary file of this
// save's own beside the target ("plan.ini" -> ".plan.ini.Xq3Zp0.tamarie-tmp",
// created exclusively), is flushed to disk and renamed over the target, so
// two saves of one target at once leave one whole version of it, never a mix.
// A save holds an advisory lock on its temporary file until the rename; a
// temporary file nobody holds was left by a killed save and is removed by the
// next save into the same folder (or by RemoveLeftTemporaries).  Failures keep
// the system's reason (SystemErrorText).
#include "regular_file.h"

#include <QByteArray>
#include <QString>

namespace tamarie {

// Whether fileName (a name in the target's folder) is a temporary file of a
// save of target.
bool IsReplacingTemporaryOf(const QString &target, const QString &fileName);
// Removes the temporary files in folder that no save holds any more (only
// those of target when one is given).  The number removed.
int RemoveLeftTemporaries(const QString &folder, const QString &target = QString());

class ReplacingFile {
public:
    explicit ReplacingFile(const QString &target) : target_(target) {}
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile &) = delete;
    ReplacingFile &operator=(const ReplacingFile &) = delete;

    // Creates this save's temporary file (and removes those killed saves
    // left in the folder).  Refuses a target that exists and is no regular file.
    bool Open();
    bool Write(const char *data, qint64 size);
    bool Write(const QByteArray &bytes) { return Write(bytes.constData(), bytes.size()); }
    // Flushes the temporary file to disk (Commit does it when not done yet).
    bool Sync();
    // Renames the temporary file over the target.
    bool Commit();
    // Removes the temporary file; the target stays as it was.
    void Cancel();

    const QString &Target() const { return target_; }
    const QString &TemporaryPath() const { return temporary_; }
    // The replaced file as Commit left it.
    const FileStamp &Stamp() const { return stamp_; }
    bool Failed() const { return error_ != 0; }
    int Error() const { return error_; }
    // The system's text for the first failure, e.g. "No space left on device".
    QString ErrorString() const;

private:
    bool Fail(int error);

    QString target_;
    QString temporary_;
    FileStamp stamp_;
    int fd_ = -1;
    bool synced_ = false;
    int error_ = 0;
};

// The whole file in one call: false with the system's reason in *error.
bool ReplaceFileContent(const QString &target, const QByteArray &bytes, QString *error = nullptr);

} // namespace tamarie
