// The companion font record: its 116 bytes, reading bad files, the file names.
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include "font_record.h"

namespace tamarie {
namespace {

TEST(FontRecordLayout, BytesAtTheirOffsetsLittleEndian)
{
    TCalendarFontRecord r;
    r.Name = QStringLiteral("ＭＳ ゴシック");  // code page 932: 82 6C 82 72 20 83 53 83 56 83 62 83 4E
    r.Charset = 128;
    r.Size = 0x01020304;
    r.Style = kFontStyleBold | kFontStyleStrikeOut;
    r.Color = 0x00C0DCC0;
    const QByteArray b = EncodeFontRecord(r);
    ASSERT_EQ(b.size(), 116);
    const unsigned char name[] = {0x82, 0x6C, 0x82, 0x72, 0x20, 0x83, 0x53, 0x83, 0x56, 0x83, 0x62, 0x83, 0x4E};
    EXPECT_EQ(uchar(b[0]), sizeof name);
    for (std::size_t i = 0; i < sizeof name; ++i)
        EXPECT_EQ(uchar(b[1 + int(i)]), name[i]) << i;
    for (int i = 1 + int(sizeof name); i <= 100; ++i)
        EXPECT_EQ(b[i], '\0') << i;
    EXPECT_EQ(uchar(b[101]), 128);
    EXPECT_EQ(b[102], '\0');
    EXPECT_EQ(b[103], '\0');
    EXPECT_EQ(uchar(b[104]), 0x04);
    EXPECT_EQ(uchar(b[105]), 0x03);
    EXPECT_EQ(uchar(b[106]), 0x02);
    EXPECT_EQ(uchar(b[107]), 0x01);
    EXPECT_EQ(uchar(b[108]), 0x09);
    EXPECT_EQ(b[109], '\0');
    EXPECT_EQ(b[110], '\0');
    EXPECT_EQ(b[111], '\0');
    EXPECT_EQ(uchar(b[112]), 0xC0);
    EXPECT_EQ(uchar(b[113]), 0xDC);
    EXPECT_EQ(uchar(b[114]), 0xC0);
    EXPECT_EQ(uchar(b[115]), 0x00);
}

TEST(FontRecordLayout, NegativeSizeAndSystemColourAreTwosComplement)
{
    TCalendarFontRecord r;
    r.Name = QStringLiteral("A");
    r.Size = -12;
    r.Color = static_cast<TColorValue>(0xFF000008u);
    const QByteArray b = EncodeFontRecord(r);
    EXPECT_EQ(b.mid(104, 4), QByteArray("\xF4\xFF\xFF\xFF", 4));
    EXPECT_EQ(b.mid(112, 4), QByteArray("\x08\x00\x00\xFF", 4));
    const FontRecordResult back = DecodeFontRecord(b);
    ASSERT_EQ(back.Status, FontRecordStatus::Ok);
    EXPECT_EQ(back.Record.Size, -12);
    EXPECT_EQ(back.Record.Color, static_cast<TColorValue>(0xFF000008u));
}

TEST(FontRecordLayout, LongNamesAreCutWholeCharactersWithinHundredBytes)
{
    TCalendarFontRecord r;
    r.Name = QString(49, QChar(u'あ')) + QStringLiteral("xいう");  // 98 + 1 + 2 + 2 bytes
    const QByteArray b = EncodeFontRecord(r);
    EXPECT_EQ(uchar(b[0]), 101 - 2);  // 'い' would end at byte 101: it and the rest are cut
    const FontRecordResult back = DecodeFontRecord(b);
    ASSERT_EQ(back.Status, FontRecordStatus::Ok);
    EXPECT_EQ(back.Record.Name, QString(49, QChar(u'あ')) + u'x');

    r.Name = QString(120, QChar(u'z'));
    EXPECT_EQ(uchar(EncodeFontRecord(r)[0]), 100);
}

TEST(FontRecordLayout, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    TCalendarFontRecord r;
    r.Name = QStringLiteral("나눔A");
    const QByteArray b = EncodeFontRecord(r);
    EXPECT_EQ(uchar(b[0]), 3);
    EXPECT_EQ(b.mid(1, 3), QByteArray("??A"));
}

TEST(FontRecordRead, ByteFromAWindowsFileDecode)
{
    // Typed by hand: "Tahoma", DEFAULT_CHARSET, 11 pt, italic+underline, clRed; junk in name tail and gaps.
    QByteArray b(116, '\x5A');
    b[0] = 6;
    b.replace(1, 6, "Tahoma");
    b[101] = 1;
    b.replace(104, 4, QByteArray("\x0B\x00\x00\x00", 4));
    b[108] = 6;
    b.replace(112, 4, QByteArray("\xFF\x00\x00\x00", 4));
    const FontRecordResult r = DecodeFontRecord(b + QByteArray("trailing"));
    ASSERT_EQ(r.Status, FontRecordStatus::Ok);
    EXPECT_EQ(r.Record.Name, QStringLiteral("Tahoma"));
    EXPECT_EQ(r.Record.Charset, 1);
    EXPECT_EQ(r.Record.Size, 11);
    EXPECT_EQ(r.Record.Style, kFontStyleItalic | kFontStyleUnderline);
    EXPECT_EQ(r.Record.Color, 0xFF);
}

TEST(FontRecordRead, LengthAboveHundredCountsAsHundredAndNulEndsTheName)
{
    QByteArray b(116, '\0');
    b[0] = char(250);
    b.replace(1, 100, QByteArray(100, 'q'));
    EXPECT_EQ(DecodeFontRecord(b).Record.Name, QString(100, u'q'));
    b[0] = 5;
    b.replace(1, 5, QByteArray("ab\0cd", 5));
    EXPECT_EQ(DecodeFontRecord(b).Record.Name, QStringLiteral("ab"));
}

TEST(FontRecordRead, BadInput)
{
    EXPECT_EQ(DecodeFontRecord(QByteArray(115, '\0')).Status, FontRecordStatus::TooShort);
    EXPECT_EQ(DecodeFontRecord(QByteArray()).Status, FontRecordStatus::TooShort);
    QByteArray b(116, '\0');
    b[0] = 2;
    b[1] = char(0x82);  // lead byte followed by a byte that cannot trail it
    b[2] = char(0x20);
    EXPECT_EQ(DecodeFontRecord(b).Status, FontRecordStatus::BadName);
    b[0] = 1;
    b[1] = char(0xFD);  // never valid in code page 932
    EXPECT_EQ(DecodeFontRecord(b).Status, FontRecordStatus::BadName);
    b[0] = 0;
    EXPECT_EQ(DecodeFontRecord(b).Status, FontRecordStatus::Ok);
}

TEST(FontRecordFile, WriteReadAndFailures)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("plan.dat");
    EXPECT_EQ(ReadFontRecordFile(path).Status, FontRecordStatus::Missing);

    TCalendarFontRecord r{QStringLiteral("IPAゴシック"), 128, 14, kFontStyleBold, 0x123456};
    WriteAll(path, QByteArray(300, 'x'));  // a longer old file is replaced, not overwritten in part
    ASSERT_TRUE(WriteFontRecordFile(path, r));
    EXPECT_EQ(QFileInfo(path).size(), 116);
    const FontRecordResult back = ReadFontRecordFile(path);
    ASSERT_EQ(back.Status, FontRecordStatus::Ok);
    EXPECT_EQ(back.Record.Name, r.Name);
    EXPECT_EQ(back.Record.Charset, 128);
    EXPECT_EQ(back.Record.Size, 14);
    EXPECT_EQ(back.Record.Style, kFontStyleBold);
    EXPECT_EQ(back.Record.Color, 0x123456);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"plan.dat"});  // no temporary left

    WriteAll(path, QByteArray(60, '\0'));
    EXPECT_EQ(ReadFontRecordFile(path).Status, FontRecordStatus::TooShort);
    EXPECT_EQ(ReadFontRecordFile(dir.path()).Status, FontRecordStatus::Unreadable);  // a folder

    EXPECT_FALSE(WriteFontRecordFile(dir.filePath("missing/b.dat"), r));
    EXPECT_FALSE(WriteFontRecordFile(dir.path(), r));  // a folder is no record file

    // A disk that fills up leaves the old file as it was.
    const QString old = dir.filePath("old.dat");
    WriteAll(old, QByteArray(30, '\x01'));
    {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limit{50, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
        EXPECT_FALSE(WriteFontRecordFile(old, r));
        setrlimit(RLIMIT_FSIZE, &saved);
    }
    EXPECT_EQ(ReadAll(old), QByteArray(30, '\x01'));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"old.dat", "plan.dat"}));
}

TEST(FontRecordFile, SeveralFilesAreReplacedTogetherOrNotAtAll)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const TCalendarFontRecord a{QStringLiteral("A"), 1, 10, 0, 1};
    const TCalendarFontRecord b{QStringLiteral("B"), 128, 20, kFontStyleBold, 2};
    WriteAll(dir.filePath("x.dat"), QByteArray(116, '\x07'));
    ASSERT_TRUE(QDir().mkdir(dir.filePath("y.dat")));
    EXPECT_EQ(WriteFontRecordFiles({{dir.filePath("x.dat"), a}, {dir.filePath("y.dat"), b}}), 0);
    EXPECT_EQ(ReadAll(dir.filePath("x.dat")), QByteArray(116, '\x07'));

    EXPECT_EQ(WriteFontRecordFiles({{dir.filePath("x.dat"), a}, {dir.filePath("z.dat"), b}}), 2);
    EXPECT_EQ(ReadAll(dir.filePath("x.dat")), EncodeFontRecord(a));
    EXPECT_EQ(ReadAll(dir.filePath("z.dat")), EncodeFontRecord(b));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"x.dat", "z.dat"}));
}

TEST(FontRecordFile, CompanionNames)
{
    EXPECT_EQ(CommonFontFilePath("/w/plan.ini"), "/w/plan.dat");
    EXPECT_EQ(CalendarFontFilePath("/w/plan.ini", 1), "/w/plan_1.dat");
    EXPECT_EQ(CalendarFontFilePath("/w/plan.ini", 12), "/w/plan_12.dat");
    EXPECT_EQ(CommonFontFilePath("/w/plan"), "/w/plan.dat");
    EXPECT_EQ(CalendarFontFilePath("/w/plan", 2), "/w/plan_2.dat");
    EXPECT_EQ(CommonFontFilePath("/w.d/plan"), "/w.d/plan.dat");
    EXPECT_EQ(CommonFontFilePath("/w/a.b.ini"), "/w/a.b.dat");
    EXPECT_EQ(CalendarFontFilePath("/w/a.b.ini", 3), "/w/a.b_3.dat");
    EXPECT_EQ(CommonFontFilePath("/w/plan.config"), "/w/plan.dat");
}

TEST(FontRecordStyle, BitsFollowTheFont)
{
    QFont f;
    ApplyFontStyleBits(f, kFontStyleBold | kFontStyleItalic | kFontStyleUnderline | kFontStyleStrikeOut);
    EXPECT_TRUE(f.bold());
    EXPECT_TRUE(f.italic());
    EXPECT_TRUE(f.underline());
    EXPECT_TRUE(f.strikeOut());
    EXPECT_EQ(FontStyleBits(f), 15);
    f.setWeight(QFont::DemiBold);
    EXPECT_EQ(FontStyleBits(f) & kFontStyleBold, 0);
    ApplyFontStyleBits(f, 0);
    EXPECT_EQ(FontStyleBits(f), 0);
    EXPECT_EQ(SaneFontPointSize(0), 1);
    EXPECT_EQ(SaneFontPointSize(-5), 1);
    EXPECT_EQ(SaneFontPointSize(12), 12);
    EXPECT_EQ(SaneFontPointSize(1 << 30), 999);
}

TEST(FontRecordCharset, NoteHoldsOnlyForItsFace)
{
    TFontCharsetNote note{QStringLiteral("IPAGothic"), 128};
    EXPECT_EQ(note.CharsetFor("IPAGothic"), 128);
    EXPECT_EQ(note.CharsetFor("ipagothic"), kDefaultCharset);
    EXPECT_EQ(TFontCharsetNote{}.CharsetFor("x"), kDefaultCharset);
}

} // namespace
} // namespace tamarie
