#include "regular_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tamarie {

namespace {
FileStamp StampOfStat(const struct stat &st)
{
    FileStamp s;
    s.exists = true;
    s.device = st.st_dev;
    s.inode = st.st_ino;
    s.size = st.st_size;
    s.modifiedNs = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    return s;
}
} // namespace

FileStamp StampOfFile(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? StampOfStat(st) : FileStamp{};
}

FileStamp StampOfDescriptor(int fd)
{
    struct stat st;
    return ::fstat(fd, &st) == 0 ? StampOfStat(st) : FileStamp{};
}

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

RegularFileContent ReadRegularFile(const QString &path, qint64 maxBytes)
{
    RegularFileContent c;
    QFile f;
    c.result = OpenRegularFile(path, f);
    if (c.result.status != RegularFileStatus::Ok)
        return c;
    c.opened = true;
    c.stamp = StampOfDescriptor(f.handle());
    if (f.size() > maxBytes) {
        c.result = {RegularFileStatus::TooLarge, EFBIG};
        return c;
    }
    // Read as it comes (a read of maxBytes would allocate that much at once),
    // to one byte past the bound in case the file grew since its size was taken.
    c.bytes.reserve(qsizetype(std::min(f.size(), maxBytes) + 1));
    while (c.bytes.size() <= maxBytes) {
        const QByteArray chunk = f.read(std::min<qint64>(1 << 16, maxBytes + 1 - c.bytes.size()));
        if (chunk.isEmpty())
            break;
        c.bytes += chunk;
    }
    if (f.error() != QFileDevice::NoError) {
        c.result = {RegularFileStatus::Failed, EIO};
        c.bytes.clear();
    } else if (c.bytes.size() > maxBytes) {
        c.result = {RegularFileStatus::TooLarge, EFBIG};
        c.bytes.clear();
    }
    return c;
}

std::optional<QString> ReadRefusalText(const RegularFileContent &content)
{
    switch (content.result.status) {
    case RegularFileStatus::Ok:
        return std::nullopt;
    case RegularFileStatus::Missing:
        return QStringLiteral("ファイルが見つかりません");
    case RegularFileStatus::NotRegular:
        return QStringLiteral("普通のファイルではありません");
    case RegularFileStatus::TooLarge:
        return QStringLiteral("ファイルが大きすぎます");
    case RegularFileStatus::Failed:
        break;
    }
    return content.opened ? QStringLiteral("ファイルを読めません") : QStringLiteral("ファイルを開けません");
}

// The interface is Japanese whatever the locale: the reasons users meet in
// their own words, anything rarer as the system gives it.
QString SystemErrorText(int error)
{
    switch (error) {
    case ENOENT:
        return QStringLiteral("ファイルが見つかりません");
    case ENOTDIR:
        return QStringLiteral("フォルダーが見つかりません");
    case EACCES:
    case EPERM:
        return QStringLiteral("アクセスが拒否されました");
    case EROFS:
        return QStringLiteral("書き込みが禁止されている場所です");
    case ENOSPC:
        return QStringLiteral("ディスクの空き領域が足りません");
    case EDQUOT:
        return QStringLiteral("ディスクの割り当てを超えました");
    case EFBIG:
        return QStringLiteral("ファイルが大きすぎます");
    case EISDIR:
        return QStringLiteral("フォルダーです");
    case ENAMETOOLONG:
        return QStringLiteral("ファイル名が長すぎます");
    case EIO:
        return QStringLiteral("読み書きの途中でエラーが起きました");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("ファイルは使用中です");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString RegularFileErrorText(const RegularFileResult &result)
{
    switch (result.status) {
    case RegularFileStatus::Ok:
        return QString();
    case RegularFileStatus::Missing:
        return SystemErrorText(ENOENT);
    case RegularFileStatus::NotRegular:
        return QStringLiteral("通常のファイルではありません");
    case RegularFileStatus::TooLarge:
        return SystemErrorText(EFBIG);
    case RegularFileStatus::Failed:
        break;
    }
    return SystemErrorText(result.error);
}

} // namespace tamarie
