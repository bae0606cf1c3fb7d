// Runs the built tamarie-koyomi command: the holiday rules and the almanac
// library together, end to end.
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#ifdef TAMARIE_KOYOMI_PATH

namespace {

struct KoyomiRun {
    int status = -1;
    QStringList lines; // stdout, without the final empty piece
    QString err;
};

KoyomiRun Koyomi(const QStringList &args)
{
    QProcess p;
    p.start(TAMARIE_KOYOMI_PATH, args);
    KoyomiRun r;
    if (!p.waitForFinished(60000))
        return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    QString out = QString::fromUtf8(p.readAllStandardOutput());
    if (out.endsWith(u'\n'))
        out.chop(1);
    r.lines = out.isEmpty() ? QStringList() : out.split(u'\n');
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QStringList Fields(const QString &line) { return line.split(u'\t'); }

} // namespace

TEST(KoyomiCommand, OneDayWithHeader)
{
    const KoyomiRun r = Koyomi({"2025-01-29"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    ASSERT_EQ(r.lines.size(), 2);
    EXPECT_EQ(Fields(r.lines[0]).size(), 7);
    // Lunar new year 2025: the first day of the first month, a 先勝 day.
    EXPECT_EQ(Fields(r.lines[1]), QStringList({"2025-01-29", "水", "", "1", "1", "先勝", ""}));
}

TEST(KoyomiCommand, KnownAlmanacDays)
{
    const KoyomiRun equinox = Koyomi({"2025-03-20"});
    ASSERT_EQ(equinox.status, 0);
    const QStringList f = Fields(equinox.lines.value(1));
    ASSERT_EQ(f.size(), 7);
    EXPECT_EQ(f[2], "春分の日");
    EXPECT_EQ(f[6], "春分");

    // The leap sixth month of 2025 began on 25 July.
    const QStringList leap = Fields(Koyomi({"2025-07-25"}).lines.value(1));
    ASSERT_EQ(leap.size(), 7);
    EXPECT_EQ(leap[3], "閏6");
    EXPECT_EQ(leap[4], "1");
    EXPECT_EQ(leap[5], "赤口"); // the first day of the sixth month

    const QStringList solstice = Fields(Koyomi({"2020-06-21"}).lines.value(1));
    ASSERT_EQ(solstice.size(), 7);
    EXPECT_EQ(solstice[6], "夏至");
    EXPECT_EQ(Fields(Koyomi({"2020-12-21"}).lines.value(1)).value(6), "冬至");
    EXPECT_EQ(Fields(Koyomi({"2025-02-03"}).lines.value(1)).value(6), "立春");
}

TEST(KoyomiCommand, MonthAndRange)
{
    const KoyomiRun feb = Koyomi({"2025-02"});
    ASSERT_EQ(feb.status, 0);
    ASSERT_EQ(feb.lines.size(), 1 + 28);
    EXPECT_TRUE(feb.lines[1].startsWith("2025-02-01\t土\t"));
    EXPECT_TRUE(feb.lines[28].startsWith("2025-02-28\t金\t"));
    // The old-calendar day advances by one or starts a new month, and the
    // rokuyo follows its cycle (first day of month m: index (m - 1) mod 6).
    const QStringList rokuyo = {"先勝", "友引", "先負", "仏滅", "大安", "赤口"};
    for (int i = 2; i <= 28; ++i) {
        const QStringList prev = Fields(feb.lines[i - 1]), cur = Fields(feb.lines[i]);
        ASSERT_EQ(cur.size(), 7);
        if (cur[4] == "1") {
            EXPECT_EQ(rokuyo.indexOf(cur[5]), (QString(cur[3]).remove("閏").toInt() - 1) % 6);
        } else {
            EXPECT_EQ(cur[4].toInt(), prev[4].toInt() + 1);
            EXPECT_EQ(rokuyo.indexOf(cur[5]), (rokuyo.indexOf(prev[5]) + 1) % 6);
        }
    }

    const KoyomiRun range = Koyomi({"--from", "2024-12-30", "--to=2025-01-02"});
    ASSERT_EQ(range.status, 0);
    ASSERT_EQ(range.lines.size(), 5);
    EXPECT_TRUE(range.lines[3].startsWith("2025-01-01\t水\t元日\t"));
}

TEST(KoyomiCommand, HolidaysOnly)
{
    const KoyomiRun r = Koyomi({"--holidays", "2025"});
    ASSERT_EQ(r.status, 0);
    const QStringList expected = {
        "2025-01-01\t元日", "2025-01-13\t成人の日", "2025-02-11\t建国記念の日", "2025-02-23\t天皇誕生日",
        "2025-02-24\t振替休日", "2025-03-20\t春分の日", "2025-04-29\t昭和の日", "2025-05-03\t憲法記念日",
        "2025-05-04\tみどりの日", "2025-05-05\tこどもの日", "2025-05-06\t振替休日", "2025-07-21\t海の日",
        "2025-08-11\t山の日", "2025-09-15\t敬老の日", "2025-09-23\t秋分の日", "2025-10-13\tスポーツの日",
        "2025-11-03\t文化の日", "2025-11-23\t勤労感謝の日", "2025-11-24\t振替休日"};
    EXPECT_EQ(r.lines, expected);
    EXPECT_EQ(Koyomi({"--holidays", "--from", "2021-08-01", "--to", "2021-08-31"}).lines,
              QStringList({"2021-08-08\t山の日", "2021-08-09\t振替休日"}));
}

TEST(KoyomiCommand, BadArgumentsExitWithTwo)
{
    for (const QStringList &args :
         {QStringList{}, QStringList{"2025-02-30"}, QStringList{"2025-13"}, QStringList{"0"},
          QStringList{"10000-01-01"}, QStringList{"--from", "2025-02-01", "--to", "2025-01-31"},
          QStringList{"--from", "2025-02-01"}, QStringList{"--to"}, QStringList{"--bogus", "2025"},
          QStringList{"2025", "2026"}, QStringList{"yesterday"}, QStringList{"--from", "2025-01", "--to", "2025-02-01"}}) {
        const KoyomiRun r = Koyomi(args);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.lines.isEmpty()) << args.join(' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty()) << args.join(' ').toStdString();
    }
    EXPECT_EQ(Koyomi({"--help"}).status, 0);
    EXPECT_EQ(Koyomi({"9999-12-31"}).status, 0);
    EXPECT_EQ(Koyomi({"--holidays", "1"}).status, 0);
}

#endif
