// Whatever the INI writer puts into a file reads back as exactly the same
// text, whichever encoding the file was in, and bytes without a mark are
// taken for code page 932 unless they cannot be that.
#include "ini_file.h"
#include "text_codec.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace tamarie;

namespace {

QString HalfWidthKatakana(int i) { return QString(QChar(char16_t(0xFF61 + i))); } // 63 of them

// Characters code page 932 holds, the half-width katakana among them, and
// characters that force the file into UTF-16.
const QString kCp932Pool = QStringLiteral("予定写真誕生日会議休表能ソ十○□△ー～①あいうアイウ漢字н\\=;[]\"' #");
const QString kUtf16Pool = QString::fromUtf8("é€☃🍣\u00A0\u2028");

QString RandomText(std::mt19937 &rng, bool forceUtf16)
{
    std::uniform_int_distribution<int> length(1, 8), pick(0, 9);
    QString s;
    const int n = length(rng);
    for (int i = 0; i < n; ++i) {
        const int kind = pick(rng);
        if (kind < 3)
            s += HalfWidthKatakana(std::uniform_int_distribution<int>(0, 62)(rng));
        else if (kind < 5)
            s += QChar(char16_t(std::uniform_int_distribution<int>(0x20, 0x7E)(rng)));
        else
            s += kCp932Pool[std::uniform_int_distribution<int>(0, int(kCp932Pool.size()) - 1)(rng)];
    }
    if (forceUtf16) {
        const int at = std::uniform_int_distribution<int>(0, int(kUtf16Pool.size()) - 1)(rng);
        if (kUtf16Pool[at].isHighSurrogate())
            s += kUtf16Pool.mid(at, 2);
        else if (!kUtf16Pool[at].isLowSurrogate())
            s += kUtf16Pool[at];
        else
            s += kUtf16Pool.mid(at - 1, 2);
    }
    return s;
}

// Files as the program meets them: new, code page 932 with half-width
// katakana, UTF-8 edited on Linux, UTF-16 without mark in both byte orders.
std::vector<QByteArray> StartingFiles()
{
    const QString text = QStringLiteral("[ScheduleStr]\r\n0=ﾃｽﾄ予定\r\n[Calendar]\r\nHolidayOfWeek0=1\r\n");
    return {QByteArray(), *EncodeCp932(text), QStringLiteral("[A]\nk=予定\n").toUtf8(), EncodeUtf16Le(text),
            EncodeUtf16Be(text)};
}

// Writes values into ini, then checks that every key of the file reads back
// the same after the bytes the writer produced are parsed again.
void ExpectRoundTrip(IniFile &ini, const std::vector<std::pair<QString, QString>> &writes, const QString &what)
{
    for (const auto &[key, value] : writes) {
        ini.WriteString(QStringLiteral("ScheduleStr"), key, value);
        ASSERT_EQ(ini.ReadString(QStringLiteral("ScheduleStr"), key), value) << what.toStdString();
    }
    IniFile back;
    back.Parse(ini.Serialize());
    ASSERT_EQ(back.Sections(), ini.Sections()) << what.toStdString();
    for (const QString &section : ini.Sections()) {
        ASSERT_EQ(back.Keys(section), ini.Keys(section)) << what.toStdString();
        for (const QString &key : ini.Keys(section))
            ASSERT_EQ(back.ReadString(section, key), ini.ReadString(section, key))
                << what.toStdString() << " [" << section.toStdString() << "] " << key.toStdString()
                << " in encoding " << int(back.Encoding());
    }
}

bool HoldsEscapes(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF; });
}

} // namespace

TEST(TextRoundTrip, EveryTwoLetterHalfWidthKatakanaTextReadsBack)
{
    // 63 x 63 texts such as "ﾐｽ0", whose code page 932 bytes are often valid UTF-8 too.
    const std::vector<QByteArray> starts = StartingFiles();
    for (int a = 0; a < 63; ++a)
        for (int b = 0; b < 63; ++b) {
            const QString text = HalfWidthKatakana(a) + HalfWidthKatakana(b) + u'0';
            IniFile ini;
            ini.Parse(starts[std::size_t(a + b) % starts.size()]);
            ExpectRoundTrip(ini, {{QStringLiteral("0"), text}}, text);
        }
}

TEST(TextRoundTrip, RandomTextsReadBackFromDiskInEveryStartingEncoding)
{
    std::mt19937 rng(20261209);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::vector<QByteArray> starts = StartingFiles();
    for (int round = 0; round < 1500; ++round) {
        std::vector<std::pair<QString, QString>> writes;
        const bool utf16 = round % 3 == 2;
        for (int k = 0; k < 4; ++k)
            writes.emplace_back(QString::number(k), RandomText(rng, utf16 && k == 3));
        IniFile ini;
        ini.Parse(starts[std::size_t(round) % starts.size()]);
        ExpectRoundTrip(ini, writes, writes.back().second);
        if (round % 25 == 0) { // through the file system as Config.ini and work-state files go
            const QString path = dir.filePath(QStringLiteral("r%1.ini").arg(round));
            ini.SetPath(path);
            ASSERT_TRUE(ini.Save());
            const IniFile loaded(path);
            for (const auto &[key, value] : writes)
                ASSERT_EQ(loaded.ReadString(QStringLiteral("ScheduleStr"), key), value);
        }
    }
}

TEST(TextRoundTrip, BytesWithoutAMarkAreCp932UnlessTheyCannotBe)
{
    // Code page 932 bytes that are no UTF-8.
    EXPECT_EQ(DetectTextEncoding(*EncodeCp932(u"k=予定")), TextEncoding::Cp932);
    // Valid UTF-8 that is no code page 932: a file edited on Linux.
    const QByteArray linux = QStringLiteral("k=予定").toUtf8();
    ASSERT_TRUE(HoldsEscapes(DecodeCp932(linux)));
    EXPECT_EQ(DetectTextEncoding(linux), TextEncoding::Utf8);
    // Neither: code page 932, the bad bytes kept as they are.
    EXPECT_EQ(DetectTextEncoding(QByteArray("k=\x80\xFF\xC0", 5)), TextEncoding::Cp932);
    // Valid both ways.  Half-width katakana pairs, as the Windows program
    // writes them, stay code page 932.
    int ambiguous = 0;
    for (int a = 0; a < 63; ++a)
        for (int b = 0; b < 63; ++b) {
            const QByteArray bytes =
                "[ScheduleStr]\r\n0=" + *EncodeCp932(HalfWidthKatakana(a) + HalfWidthKatakana(b) + u'0') + "\r\n";
            ambiguous += !HoldsEscapes(DecodeUtf8(bytes.constData(), bytes.size()));
            ASSERT_EQ(DetectTextEncoding(bytes), TextEncoding::Cp932) << a << " " << b;
        }
    EXPECT_EQ(ambiguous, 930);
    // Two hiragana typed in UTF-8 on Linux are UTF-8, also where the bytes
    // are code page 932 too.
    int ambiguousKana = 0;
    for (char16_t a = 0x3041; a < 0x3094; ++a)
        for (char16_t b = 0x3041; b < 0x3094; b += 7) {
            const QByteArray bytes = "[ScheduleStr]\r\n0=" + (QString(QChar(a)) + QChar(b)).toUtf8() + "\r\n";
            ambiguousKana += !HoldsEscapes(DecodeCp932(bytes));
            ASSERT_EQ(DetectTextEncoding(bytes), TextEncoding::Utf8) << int(a) << " " << int(b);
        }
    EXPECT_GT(ambiguousKana, 0);
}

// Every level-2 kanji followed by every half-width katakana ("發ｱ" is
// e1 a2 b1, one character in UTF-8), and every two half-width katakana, as
// the Windows program writes them into a file of its own: read back as written.
TEST(TextRoundTrip, WindowsTextsOfALevel2KanjiOrHalfWidthKatakanaAndAHalfWidthKatakanaReadBack)
{
    std::vector<QString> firsts;
    for (int lead : {0x98, 0x99, 0x9A, 0x9B, 0x9C, 0x9D, 0x9E, 0x9F, 0xE0, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7,
                     0xE8, 0xE9, 0xEA})
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const int code = lead << 8 | trail;
            if (trail == 0x7F || code < 0x989F || code > 0xEAA4)
                continue;
            const QString kanji = DecodeCp932(QByteArray(1, char(lead)) + char(trail));
            if (kanji.size() == 1 && !HoldsEscapes(kanji))
                firsts.push_back(kanji);
        }
    ASSERT_EQ(firsts.size(), 3390u); // JIS level 2
    for (int h = 0; h < 63; ++h)
        firsts.push_back(HalfWidthKatakana(h));
    int validUtf8 = 0;
    for (const QString &first : firsts)
        for (int h = 0; h < 63; ++h) {
            const QString file = QStringLiteral("[ScheduleStr]\r\n0=") + first + HalfWidthKatakana(h) + QStringLiteral("\r\n");
            const QByteArray bytes = *EncodeCp932(file);
            validUtf8 += !HoldsEscapes(DecodeUtf8(bytes.constData(), bytes.size()));
            const DecodedText read = DecodeText(bytes);
            ASSERT_EQ(read.text.toStdString(), file.toStdString()) << int(first[0].unicode()) << " " << h;
            ASSERT_EQ(read.encoding, TextEncoding::Cp932);
        }
    EXPECT_GT(validUtf8, 20000); // the texts UTF-8 could claim
}

// Japanese as a Linux text editor saves it: UTF-8 without a mark, also where
// the same bytes would be valid code page 932.
TEST(TextRoundTrip, OrdinaryJapaneseInUtf8ReadsAsUtf8)
{
    const char16_t *sentences[] = {
        u"会議",           u"誕生日",         u"明日は雨",         u"健康診断",
        u"結婚記念日",     u"東京へ出張",     u"授業参観",         u"給料日",
        u"美容院",         u"引っ越し",       u"図書館で本を返す", u"電気代の支払い",
        u"歯科検診",       u"今日は晴れ",     u"母の誕生日",       u"友だちと映画を見る",
        u"café で会う",    u"誕生日🎂",       u"会議①、10時から",  u"ライブ♪",
    };
    int bothWays = 0;
    for (const char16_t *sentence : sentences) {
        const QString s = QString::fromUtf16(sentence);
        const QString file = QStringLiteral("[ScheduleStr]\n0=") + s + QStringLiteral("\n");
        const QByteArray bytes = file.toUtf8();
        bothWays += !HoldsEscapes(DecodeCp932(bytes));
        const DecodedText read = DecodeText(bytes);
        EXPECT_EQ(read.encoding, TextEncoding::Utf8) << s.toStdString();
        EXPECT_EQ(read.text, file) << s.toStdString();
    }
    EXPECT_GE(bothWays, 10);
}
