#include "replacing_file.h"

#include "regular_file.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tamarie {

namespace {

const QString kSuffix = QStringLiteral(".tamarie-tmp");
constexpr int kUniqueLength = 6;

QByteArray Native(const QString &path) { return QFile::encodeName(path); }

QString FolderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? QStringLiteral(".") : slash == 0 ? QStringLiteral("/") : path.left(slash);
}

QString NameOf(const QString &path) { return path.mid(path.lastIndexOf(u'/') + 1); }

QString UniqueTemporaryPath(const QString &target)
{
    static const char16_t kLetters[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString unique;
    for (int i = 0; i < kUniqueLength; ++i)
        unique += QChar(kLetters[QRandomGenerator::global()->bounded(62)]);
    const qsizetype slash = target.lastIndexOf(u'/');
    return target.left(slash + 1) + u'.' + target.mid(slash + 1) + u'.' + unique + kSuffix;
}

bool IsTemporaryName(const QString &name) { return name.startsWith(u'.') && name.endsWith(kSuffix); }

bool SameFile(int fd, const QByteArray &path)
{
    struct stat a, b;
    return ::fstat(fd, &a) == 0 && ::lstat(path.constData(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Removes path when it is a temporary file no save holds: its lock is free
// only once the save that made it has ended without renaming it.
bool RemoveWhenLeft(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    bool removed = false;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 && SameFile(fd, path))
        removed = ::unlink(path.constData()) == 0;
    ::close(fd);
    return removed;
}

} // namespace

bool IsReplacingTemporaryOf(const QString &target, const QString &fileName)
{
    const QString prefix = u'.' + NameOf(target);
    if (!fileName.startsWith(prefix) || !fileName.endsWith(kSuffix))
        return false;
    const QStringView rest = QStringView(fileName).mid(prefix.size());
    if (rest == kSuffix) // the fixed name earlier versions used
        return true;
    if (rest.size() != 1 + kUniqueLength + kSuffix.size() || rest[0] != u'.')
        return false;
    for (QChar c : rest.mid(1, kUniqueLength))
        if (!(c.isDigit() || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')))
            return false;
    return true;
}

int RemoveLeftTemporaries(const QString &folder, const QString &target)
{
    std::unique_ptr<DIR, int (*)(DIR *)> dir(::opendir(Native(folder).constData()), ::closedir);
    if (!dir)
        return 0;
    int removed = 0;
    const QString base = folder.endsWith(u'/') ? folder : folder + u'/';
    while (const dirent *e = ::readdir(dir.get())) {
        const QString name = QFile::decodeName(e->d_name);
        if (target.isEmpty() ? IsTemporaryName(name) : IsReplacingTemporaryOf(target, name))
            removed += RemoveWhenLeft(Native(base + name));
    }
    return removed;
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
    RemoveLeftTemporaries(FolderOf(target_));
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString temporary = UniqueTemporaryPath(target_);
        const QByteArray native = Native(temporary);
        // O_EXCL: this save's own file; no link planted under the name is followed.
        const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return Fail(errno);
        }
        // Held until the rename.  A cleaner that took the file for a killed
        // save's in the moment before has removed it: then take another.
        if (::flock(fd, LOCK_EX) != 0 || !SameFile(fd, native)) {
            ::close(fd);
            continue;
        }
        fd_ = fd;
        temporary_ = temporary;
        break;
    }
    if (fd_ < 0)
        return Fail(EEXIST);
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
    if (!synced_ && !Sync()) {
        Cancel();
        return false;
    }
    stamp_ = StampOfDescriptor(fd_);
    // Renamed while still locked, so no cleaner takes it for a left one; the
    // content is on disk already, so closing has nothing left to report.
    if (::rename(Native(temporary_).constData(), Native(target_).constData()) != 0) {
        Fail(errno);
        Cancel();
        return false;
    }
    ::close(fd_);
    fd_ = -1;
    return true;
}

void ReplacingFile::Cancel()
{
    if (fd_ < 0)
        return;
    ::unlink(Native(temporary_).constData());
    ::close(fd_);
    fd_ = -1;
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
