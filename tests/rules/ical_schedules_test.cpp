// iCalendar events to dated schedule texts in Japan time; files that are
// not whole iCalendar text are refused.
#include "hang_watchdog.h"
#include "holiday_list.h"
#include "ical_schedules.h"
#include "support/hostile_ics.h"

#include <QDate>
#include <QProcess>
#include <QTemporaryDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

namespace tamarie {
namespace {

// A timed event in UTC, an all-day event, a weekly event in Tokyo with one
// week left out, and a weekly event in New York across the change to summer
// time; a cancelled event and a second event on one date.
const char kIcs[] =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//test//EN\r\n"
    "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\n"
    "BEGIN:DAYLIGHT\r\nTZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nTZNAME:EDT\r\nDTSTART:19700308T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\nEND:DAYLIGHT\r\n"
    "BEGIN:STANDARD\r\nTZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nTZNAME:EST\r\nDTSTART:19701101T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
    "BEGIN:VEVENT\r\nUID:a\r\nDTSTAMP:20261201T000000Z\r\nDTSTART:20270105T200000Z\r\n"
    "SUMMARY:会議\\, 東京\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:b\r\nDTSTAMP:20261201T000000Z\r\nDTSTART;VALUE=DATE:20270110\r\n"
    "DTEND;VALUE=DATE:20270111\r\nSUMMARY:旅行\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:c\r\nDTSTAMP:20261201T000000Z\r\nDTSTART;TZID=Asia/Tokyo:20270104T090000\r\n"
    "RRULE:FREQ=WEEKLY;BYDAY=MO\r\nEXDATE;TZID=Asia/Tokyo:20270111T090000\r\nSUMMARY:朝礼\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:d\r\nDTSTAMP:20261201T000000Z\r\nDTSTART;TZID=America/New_York:20270305T103000\r\n"
    "RRULE:FREQ=WEEKLY;COUNT=3\r\nSUMMARY:NY call\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:e\r\nDTSTAMP:20261201T000000Z\r\nDTSTART;VALUE=DATE:20270106\r\n"
    "SUMMARY:同じ日\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:f\r\nDTSTAMP:20261201T000000Z\r\nDTSTART;VALUE=DATE:20270107\r\n"
    "STATUS:CANCELLED\r\nSUMMARY:中止\r\nEND:VEVENT\r\n"
    "END:VCALENDAR\r\n";

QStringList Lines(const std::vector<TIcsDay> &days)
{
    QStringList out;
    for (const TIcsDay &d : days)
        out << d.date.toString(Qt::ISODate) + u' ' + d.text;
    return out;
}

TEST(IcalSchedules, EventsFallOnTheirJapanDates)
{
    const TIcsRead r = ParseIcs(kIcs, QDate(2027, 1, 1), QDate(2027, 3, 31));
    ASSERT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    const QStringList lines = Lines(r.days);
    // Mondays from 4 January to the end of March but 11 January.
    EXPECT_EQ(lines.filter("朝礼").size(), 12);
    EXPECT_FALSE(lines.contains("2027-01-11 朝礼"));
    EXPECT_EQ(lines.mid(0, 5), QStringList({"2027-01-04 朝礼", "2027-01-06 会議, 東京", "2027-01-06 同じ日",
                                            "2027-01-10 旅行", "2027-01-18 朝礼"}));
    // 10:30 in New York is 00:30 the next day in Tokyo in winter, 23:30 the
    // same day in summer time.
    EXPECT_EQ(lines.filter("NY call"), QStringList({"2027-03-06 NY call", "2027-03-13 NY call", "2027-03-19 NY call"}));
    EXPECT_EQ(lines.filter("中止"), QStringList());
}

QList<QDate> DaysOf(const QByteArray &rule, const QDate &from, const QDate &to)
{
    const TIcsRead r =
        ParseIcs(testing::IcsCalendar(testing::IcsEvent(":" + from.toString("yyyyMMdd").toLatin1() + "T090000",
                                                        "RRULE:" + rule + "\r\n")),
                 from, to);
    EXPECT_TRUE(r.error.isEmpty()) << rule.constData() << ": " << r.error.toStdString();
    QList<QDate> out;
    for (const TIcsDay &d : r.days)
        out << d.date;
    return out;
}

// A schedule is per day: rules repeating every second or minute are worked
// out a day at a time, including those that never match.
TEST(IcalSchedules, RulesBelowADayGiveTheDaysTheyTouch)
{
    testing::HangWatchdog watchdog("expanding rules below a day", std::chrono::seconds(60));
    const QDate jan1(2027, 1, 1), dec31(2027, 12, 31);
    QList<QDate> monthEnds{jan1}; // the start is the first occurrence
    for (int m = 1; m <= 12; ++m)
        monthEnds << QDate(2027, m, QDate(2027, m, 1).daysInMonth());
    EXPECT_EQ(DaysOf("FREQ=SECONDLY;BYMONTHDAY=-1", jan1, dec31), monthEnds);
    EXPECT_EQ(DaysOf("FREQ=MINUTELY;BYMONTHDAY=-1", jan1, dec31), monthEnds);
    EXPECT_EQ(DaysOf("FREQ=SECONDLY;BYMONTH=2;BYMONTHDAY=30", jan1, dec31), QList<QDate>{jan1});
    EXPECT_EQ(DaysOf("FREQ=SECONDLY;BYYEARDAY=-1", jan1, dec31), (QList<QDate>{jan1, dec31}));
    // Every fifth hour from 09:00, kept at 9, 10 and 11 o'clock: a day is 4
    // hours short of a multiple of 5, so days 0, 1 and 2 of every five.
    QList<QDate> threeOfFive;
    for (QDate d = jan1; d <= dec31; d = d.addDays(1))
        if (jan1.daysTo(d) % 5 < 3)
            threeOfFive << d;
    EXPECT_EQ(DaysOf("FREQ=HOURLY;INTERVAL=5;BYHOUR=9,10,11", jan1, dec31), threeOfFive);
}

TEST(IcalSchedules, RulesFollowTheCalendar)
{
    const QDate from(2027, 1, 1), to(2028, 12, 31);
    // Sundays ending the last week of the years from the start's (weeks from
    // Monday, week 1 holding four days of its year): one falls in January.
    QList<QDate> lastWeeks{from}, lastWeekdays{from};
    for (QDate d = from; d <= to; d = d.addDays(1)) {
        int year = 0, next = 0;
        d.weekNumber(&year);
        d.addDays(7).weekNumber(&next);
        if (d.dayOfWeek() == 7 && next != year && year >= from.year())
            lastWeeks << d;
        if (d.dayOfWeek() <= 5 && (d.addDays(1).month() != d.month() ||
                                   (d.addDays(1).dayOfWeek() > 5 && d.addDays(3).month() != d.month())))
            lastWeekdays << d;
    }
    EXPECT_EQ(DaysOf("FREQ=YEARLY;BYWEEKNO=-1;BYDAY=SU", from, to), lastWeeks);
    EXPECT_EQ(DaysOf("FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1", from, to), lastWeekdays);
    // A BY part without a valid value matches nothing.
    EXPECT_EQ(DaysOf("FREQ=WEEKLY;BYHOUR=99", from, to), QList<QDate>{from});
    // The start counts towards COUNT.
    EXPECT_EQ(DaysOf("FREQ=WEEKLY;INTERVAL=2;COUNT=3", from, to),
              (QList<QDate>{from, from.addDays(14), from.addDays(28)}));
}

// A zone whose rule starts in 1601 and begins again every hour is worked out
// only around the year asked for.
TEST(IcalSchedules, ZonesRepeatingSince1601AreBounded)
{
    testing::HangWatchdog watchdog("time zones from 1601", std::chrono::seconds(60));
    // 16:30 at UTC+2 is 23:30 in Japan; at the zone's UTC+1 before 1601 it
    // would be 00:30 the next day.
    const TIcsRead one = ParseIcs(
        testing::IcsCalendar(testing::HourlyZone(0) + testing::IcsEvent(";TZID=Z0:20270105T163000", "")),
        QDate(2027, 1, 1), QDate(2027, 12, 31));
    ASSERT_EQ(one.days.size(), 1u);
    EXPECT_EQ(one.days[0].date, QDate(2027, 1, 5));
    const TIcsRead many = ParseIcs(testing::HourlyZonesIcs(2000), QDate(2027, 1, 1), QDate(2027, 12, 31));
    EXPECT_EQ(many.days.size(), 2000u);
}

TEST(IcalSchedules, BadFilesAreRefused)
{
    const QByteArray good(kIcs);
    QByteArray binary(4096, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((i * 7919) & 0xff);
    QByteArray huge = "BEGIN:VCALENDAR\r\n" + QByteArray(10 * 1024 * 1024, 'x') + "\r\nEND:VCALENDAR\r\n";
    for (const QByteArray &bytes : {good.left(good.size() / 2), binary, huge, QByteArray(), QByteArray("hello")}) {
        const TIcsRead r = ParseIcs(bytes, QDate(2027, 1, 1), QDate(2027, 12, 31));
        EXPECT_FALSE(r.error.isEmpty());
        EXPECT_TRUE(r.days.empty());
    }
    // Refused before anything is built from it.
    EXPECT_EQ(ParseIcs(testing::NestedIcs(270000), QDate(2027, 1, 1), QDate(2027, 12, 31)).error,
              QStringLiteral("入れ子が深すぎます"));
}

// Nothing writes to these FIFOs: a read that waited would never return.
TEST(IcalSchedules, FifoNamedAsTheCalendarOrTheHolidayListIsRefusedAtOnce)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString fifo = dir.filePath("pipe.ics");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    testing::HangWatchdog watchdog("reading a FIFO", std::chrono::seconds(20));
    const TIcsRead ics = ReadIcsFile(fifo, QDate(2027, 1, 1), QDate(2027, 12, 31));
    EXPECT_EQ(ics.error, QStringLiteral("普通のファイルではありません"));
    EXPECT_TRUE(ics.days.empty());
    const THolidayListRead list = ReadHolidayListFile(fifo);
    EXPECT_FALSE(list.list);
    EXPECT_EQ(list.error, QStringLiteral("普通のファイルではありません"));
    EXPECT_EQ(ReadIcsFile(dir.filePath("none.ics"), QDate(2027, 1, 1), QDate(2027, 12, 31)).error,
              QStringLiteral("ファイルが見つかりません"));
}

#ifdef TAMARIE_KOYOMI_PATH
TEST(IcalSchedules, KoyomiListsTheDaysOfAFile)
{
    QTemporaryDir dir;
    QFile f(dir.filePath("a.ics"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(kIcs);
    f.close();
    QProcess p;
    p.start(TAMARIE_KOYOMI_PATH, {"--ics", f.fileName(), "2027-03"});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + 5 + 3); // header, Mondays of March, the New York calls
    EXPECT_TRUE(lines[0].endsWith("\t予定"));
    EXPECT_TRUE(lines.filter("2027-03-06\t土").value(0).endsWith("\tNY call"));
}

// The whole program on the worst files, in a gigabyte of address space.
TEST(IcalSchedules, KoyomiReadsHostileFilesInAGigabyte)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit";
#endif
    QTemporaryDir dir;
    const std::pair<QByteArray, QString> files[] = {
        {testing::NestedIcs(270000), QString()},
        {testing::HourlyZonesIcs(2000), "2027-01-05"},
        {testing::IcsCalendar(testing::IcsEvent(":20270101T090000", "RRULE:FREQ=SECONDLY;BYMONTHDAY=-1\r\n")),
         "2027-12-31"},
    };
    for (const auto &[bytes, lastDate] : files) {
        QFile f(dir.filePath("hostile.ics"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        QProcess p;
        p.setChildProcessModifier([] {
            const rlimit limit{1L << 30, 1L << 30};
            setrlimit(RLIMIT_AS, &limit);
        });
        p.start(TAMARIE_KOYOMI_PATH, {"--ics", f.fileName(), "2027"});
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        if (lastDate.isEmpty()) {
            EXPECT_EQ(p.exitCode(), 1);
            EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains("入れ子が深すぎます"));
        } else {
            EXPECT_EQ(p.exitCode(), 0);
            ASSERT_FALSE(lines.isEmpty());
            EXPECT_TRUE(lines.last().startsWith(lastDate));
        }
    }
}
#endif

} // namespace
} // namespace tamarie
