#include "regular_file.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tamarie {

RegularFileResult OpenRegularFile(const QString &path, QFile &file)
{
    RegularFileResult r;
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        r.error = errno;
        r.status = r.error == ENOENT || r.error == ENOTDIR ? RegularFileStatus::Missing : RegularFileStatus::Failed;
        return r;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        r.error = errno;
        ::close(fd);
        r.status = RegularFileStatus::NotRegular;
        return r;
    }
    // Reads of a regular file never wait; plain blocking mode from here on.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    file.setFileName(path);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        r.status = RegularFileStatus::Failed;
        r.error = EIO;
        return r;
    }
    r.status = RegularFileStatus::Ok;
    return r;
}

QString SystemErrorText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QString RegularFileErrorText(const RegularFileResult &result)
{
    switch (result.status) {
    case RegularFileStatus::Ok:
        return QString();
    case RegularFileStatus::Missing:
        return SystemErrorText(ENOENT);
    case RegularFileStatus::NotRegular:
        return QStringLiteral("通常のファイルではありません");
    case RegularFileStatus::Failed:
        break;
    }
    return SystemErrorText(result.error);
}

} // namespace tamarie
