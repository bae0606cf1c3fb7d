#include "replacing_file.h"

#include "regular_file.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tamarie {

namespace {
QByteArray Native(const QString &path) { return QFile::encodeName(path); }
} // namespace

QString ReplacingTemporaryPath(const QString &target)
{
    const qsizetype slash = target.lastIndexOf(u'/');
    return target.left(slash + 1) + u'.' + target.mid(slash + 1) + QStringLiteral(".tamarie-tmp");
}

ReplacingFile::~ReplacingFile() { Cancel(); }

bool ReplacingFile::Fail(int error)
{
    if (error_ == 0)
        error_ = error ? error : EIO;
    return false;
}

bool ReplacingFile::Open()
{
    if (fd_ >= 0 || error_)
        return !error_;
    struct stat st;
    const bool exists = ::stat(Native(target_).constData(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode))
        return Fail(S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
    // A file the user made read-only is not replaced behind their back.
    if (exists && ::access(Native(target_).constData(), W_OK) != 0)
        return Fail(errno);
    const QByteArray temp = Native(ReplacingTemporaryPath(target_));
    // O_NOFOLLOW: a link planted under the temporary name is not written through.
    fd_ = ::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd_ < 0)
        return Fail(errno);
    struct stat tst;
    if (::fstat(fd_, &tst) != 0 || !S_ISREG(tst.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        return Fail(EINVAL);
    }
    if (exists) // the replaced file's permissions carry over
        ::fchmod(fd_, st.st_mode & 07777);
    synced_ = false;
    return true;
}

bool ReplacingFile::Write(const char *data, qint64 size)
{
    if (fd_ < 0 || error_)
        return Fail(EBADF);
    while (size > 0) {
        const ssize_t n = ::write(fd_, data, static_cast<size_t>(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Fail(errno);
        }
        if (n == 0)
            return Fail(ENOSPC);
        data += n;
        size -= n;
    }
    synced_ = false;
    return true;
}

bool ReplacingFile::Sync()
{
    if (fd_ < 0 || error_)
        return Fail(EBADF);
    if (::fsync(fd_) != 0)
        return Fail(errno);
    synced_ = true;
    return true;
}

bool ReplacingFile::Commit()
{
    if (!synced_ && !Sync())
        return false;
    // close() can report a write-back failure of its own.
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        Fail(errno);
        ::unlink(Native(ReplacingTemporaryPath(target_)).constData());
        return false;
    }
    if (::rename(Native(ReplacingTemporaryPath(target_)).constData(), Native(target_).constData()) != 0) {
        Fail(errno);
        ::unlink(Native(ReplacingTemporaryPath(target_)).constData());
        return false;
    }
    return true;
}

void ReplacingFile::Cancel()
{
    if (fd_ < 0)
        return;
    ::close(fd_);
    fd_ = -1;
    ::unlink(Native(ReplacingTemporaryPath(target_)).constData());
}

QString ReplacingFile::ErrorString() const { return error_ ? SystemErrorText(error_) : QString(); }

bool ReplaceFileContent(const QString &target, const QByteArray &bytes, QString *error)
{
    ReplacingFile f(target);
    const bool ok = f.Open() && f.Write(bytes) && f.Commit();
    if (!ok && error)
        *error = f.ErrorString();
    return ok;
}

} // namespace tamarie
