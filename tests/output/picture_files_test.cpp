#include "output/picture_files.h"
#include "output/picture_save.h"
#include "output_test_support.h"
#include "platform/dialogs.h"
#include "platform/regular_file.h"

#include "support/test_files.h"

#include <QColorSpace>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef __linux__
#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace tamarie;

namespace {

quint32 le32(const QByteArray &b, int at)
{
    return quint32(uchar(b[at])) | quint32(uchar(b[at + 1])) << 8 | quint32(uchar(b[at + 2])) << 16
           | quint32(uchar(b[at + 3])) << 24;
}

bool samePixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF))
                return false;
    return true;
}

} // namespace

TEST(PictureFiles, BitmapIsUncompressed24BitAndReadsBack)
{
    TestApp();
    QTemporaryDir dir;
    const QString path = dir.filePath("cal.bmp");
    const QImage picture = PatternPicture(37, 23);  // 111 bytes a row: padded to 112
    QString error;
    ASSERT_TRUE(WriteBmp(picture, path, &error)) << error.toStdString();
    const QByteArray bytes = ReadAll(path);
    ASSERT_EQ(bytes.size(), 54 + 112 * 23);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(le32(bytes, 2), quint32(bytes.size()));
    EXPECT_EQ(le32(bytes, 10), 54u);
    EXPECT_EQ(le32(bytes, 18), 37u);
    EXPECT_EQ(le32(bytes, 22), 23u);
    EXPECT_EQ(uchar(bytes[28]), 24);  // bits per pixel
    EXPECT_EQ(le32(bytes, 30), 0u);   // no compression
    // First stored row is the bottom one, blue first.
    const QRgb bottomLeft = picture.pixel(0, 22);
    EXPECT_EQ(uchar(bytes[54]), qBlue(bottomLeft));
    EXPECT_EQ(uchar(bytes[55]), qGreen(bottomLeft));
    EXPECT_EQ(uchar(bytes[56]), qRed(bottomLeft));
    EXPECT_TRUE(samePixels(QImage(path), picture));
}

TEST(PictureFiles, PngIsEightBitRgbAndReadsBack)
{
    TestApp();
    QTemporaryDir dir;
    const QString path = dir.filePath("cal.png");
    const QImage picture = PatternPicture(200, 280);
    QString error;
    ASSERT_TRUE(WritePng(picture, path, &error)) << error.toStdString();
    const QByteArray bytes = ReadAll(path);
    ASSERT_GT(bytes.size(), 33);
    EXPECT_EQ(bytes.left(8), QByteArray("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(bytes.mid(12, 4), QByteArray("IHDR"));
    EXPECT_EQ(uchar(bytes[24]), 8);  // bit depth
    EXPECT_EQ(uchar(bytes[25]), 2);  // colour type RGB
    EXPECT_EQ(bytes.mid(37, 4), QByteArray("sRGB"));  // said to be sRGB, right after IHDR
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), QByteArray("png"));
    EXPECT_TRUE(samePixels(reader.read(), picture));
}

TEST(PictureFiles, JpegIsBaselineAndClose)
{
    TestApp();
    QTemporaryDir dir;
    const QString path = dir.filePath("cal.jpg");
    // A smooth picture, which a JPEG keeps within a few levels.
    QImage picture(320, 240, QImage::Format_RGB888);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            picture.setPixel(x, y, qRgb(x * 255 / 319, y * 255 / 239, 128));
    QString error;
    ASSERT_TRUE(WriteJpeg(picture, path, &error)) << error.toStdString();
    const QByteArray bytes = ReadAll(path);
    EXPECT_EQ(bytes.left(2), QByteArray("\xFF\xD8", 2));
    EXPECT_TRUE(bytes.contains(QByteArray("\xFF\xC0", 2)));   // baseline frame
    EXPECT_FALSE(bytes.contains(QByteArray("\xFF\xC2", 2)));  // not progressive
    const QImage back = QImage(path);
    ASSERT_EQ(back.size(), picture.size());
    // An sRGB profile says what the numbers mean.
    EXPECT_EQ(back.colorSpace().primaries(), QColorSpace::Primaries::SRgb);
    EXPECT_TRUE(back.colorSpace().description().startsWith(QStringLiteral("sRGB")));
    double total = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            const QRgb a = back.pixel(x, y), b = picture.pixel(x, y);
            total += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
        }
    EXPECT_LT(total / (320 * 240 * 3), 2.0);
}

TEST(PictureFiles, FullSizePictureWritesInEveryFormat)
{
    TestApp();
    QTemporaryDir dir;
    QImage picture(2000, 2800, QImage::Format_RGB888);
    picture.fill(qRgb(30, 140, 200));
    for (auto [name, format] : {std::pair{"a.bmp", PictureFormat::Bmp}, std::pair{"a.png", PictureFormat::Png},
                                std::pair{"a.jpg", PictureFormat::Jpeg}}) {
        QString error;
        ASSERT_TRUE(WritePicture(picture, dir.filePath(name), format, &error)) << name;
        EXPECT_EQ(QImageReader(dir.filePath(name)).size(), QSize(2000, 2800)) << name;
    }
    // Only the three files: no temporary files left beside them.
    EXPECT_EQ(FilesIn(dir.path()).size(), 3);
}

TEST(PictureFiles, MissingFolderReportsAndLeavesNothing)
{
    TestApp();
    QTemporaryDir dir;
    const QImage picture = PatternPicture(10, 10);
    for (auto format : {PictureFormat::Bmp, PictureFormat::Png, PictureFormat::Jpeg}) {
        QString error;
        EXPECT_FALSE(WritePicture(picture, dir.filePath("missing/cal.x"), format, &error));
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_TRUE(FilesIn(dir.path()).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("missing")));
}

TEST(PictureFiles, FileInPlaceOfFolderReportsAndLeavesNothing)
{
    TestApp();
    QTemporaryDir dir;
    QFile blocker(dir.filePath("plain"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QString error;
    EXPECT_FALSE(WritePng(PatternPicture(4, 4), dir.filePath("plain/cal.png"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(FilesIn(dir.path()), QStringList{QStringLiteral("plain")});
}

TEST(PictureFiles, EmptyPictureIsRefused)
{
    TestApp();
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(WriteBmp(QImage(), dir.filePath("e.bmp"), &error));
    EXPECT_FALSE(WritePng(QImage(), dir.filePath("e.png"), &error));
    EXPECT_FALSE(WriteJpeg(QImage(), dir.filePath("e.jpg"), &error));
    EXPECT_TRUE(FilesIn(dir.path()).isEmpty());
}

#ifdef __linux__
// A file-size limit makes the writes fail part-way, as a full disk does.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        ok_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    bool ok() const { return ok_; }

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
    bool ok_ = false;
};

TEST(PictureFiles, WriteFailingPartWayKeepsTheOldFileAndLeavesNoOther)
{
    TestApp();
    QTemporaryDir dir;
    QImage picture = PatternPicture(2000, 2800);
    for (auto [name, format] : {std::pair{"a.bmp", PictureFormat::Bmp}, std::pair{"a.png", PictureFormat::Png},
                                std::pair{"a.jpg", PictureFormat::Jpeg}}) {
        const QString path = dir.filePath(name);
        {
            QFile old(path);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("old picture");
        }
        QString error;
        bool written;
        {
            FileSizeLimit limit(64 * 1024);
            ASSERT_TRUE(limit.ok());
            written = WritePicture(picture, path, format, &error);
        }
        EXPECT_FALSE(written) << name;
        EXPECT_FALSE(error.isEmpty()) << name;
        EXPECT_EQ(ReadAll(path), QByteArray("old picture")) << name;
    }
    EXPECT_EQ(FilesIn(dir.path()).size(), 3);  // the three old files, no temporary ones
}
// What the user reads after a failed save: the file, then the system's reason.
TEST(PictureFiles, FullDiskAndNoPermissionAreNamedAfterThePath)
{
    TestApp();
    QTemporaryDir dir;
    const QImage picture = PatternPicture(600, 400);
    const QString closed = dir.filePath("closed");
    ASSERT_TRUE(QDir().mkpath(closed));
    ::chmod(QFile::encodeName(closed).constData(), 0555);
    dialogs::BeginScript();
    for (const char *name : {"a.png", "a.bmp", "a.jpg"}) {
        dialogs::ClearShown();
        const QString path = dir.filePath(name);
        {
            FileSizeLimit full(4096);
            ASSERT_TRUE(full.ok());
            EXPECT_FALSE(SavePictureFile(picture, path));
        }
        EXPECT_EQ(dialogs::Shown(), QStringList{path + u'\n' + SystemErrorText(EFBIG)}) << name;
        EXPECT_TRUE(FilesIn(dir.path()).isEmpty()) << name;

        // The superuser passes every permission check, so it asks as nobody.
        dialogs::ClearShown();
        const QString denied = closed + "/" + name;
        const bool asNobody = ::geteuid() == 0;
        if (asNobody) {
            ASSERT_EQ(::seteuid(65534), 0);
        }
        const bool saved = SavePictureFile(picture, denied);
        if (asNobody) {
            ASSERT_EQ(::seteuid(0), 0);
        }
        EXPECT_FALSE(saved) << name;
        EXPECT_EQ(dialogs::Shown(), QStringList{denied + u'\n' + SystemErrorText(EACCES)}) << name;
    }
    dialogs::EndScript();
    EXPECT_TRUE(FilesIn(closed).isEmpty());
}
#endif
