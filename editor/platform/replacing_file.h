#pragma once
// Replacing a file whole.  The new content goes to one temporary file beside
// the target whose name is fixed by the target's ("plan.ini" ->
// ".plan.ini.tamarie-tmp"), is flushed to disk and renamed over the target.
// Killed at any moment, a save leaves the old or the new file and at most that
// one temporary file, which the next save of the target truncates and renames
// away.  Failures keep the system's own reason (strerror).
#include <QByteArray>
#include <QString>

namespace tamarie {

// The temporary file used for target.
QString ReplacingTemporaryPath(const QString &target);

class ReplacingFile {
public:
    explicit ReplacingFile(const QString &target) : target_(target) {}
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile &) = delete;
    ReplacingFile &operator=(const ReplacingFile &) = delete;

    // Creates or truncates the temporary file.  Refuses a target that exists
    // and is no regular file.
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
    bool Failed() const { return error_ != 0; }
    int Error() const { return error_; }
    // The system's text for the first failure, e.g. "No space left on device".
    QString ErrorString() const;

private:
    bool Fail(int error);

    QString target_;
    int fd_ = -1;
    bool synced_ = false;
    int error_ = 0;
};

// The whole file in one call: false with the system's reason in *error.
bool ReplaceFileContent(const QString &target, const QByteArray &bytes, QString *error = nullptr);

} // namespace tamarie
