#include "day_data.h"
#include "dialogs.h"
#include "ini_file.h"
#include "regular_file.h"

#include "support/test_files.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>

using namespace tamarie;

namespace {

TDateValue D(int y, int m, int d) { return DateToValue(QDate(y, m, d)); }

class ConfigTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        data_.SetConfigPath(Path());
        dialogs::BeginScript();
    }
    void TearDown() override { dialogs::EndScript(); }
    QString Path() const { return dir_.path() + "/Config.ini"; }
    TDayData Reloaded() const
    {
        TDayData d;
        d.SetConfigPath(Path());
        d.LoadConfig();
        return d;
    }
    QTemporaryDir dir_;
    TDayData data_;
};

} // namespace

// ---- weekday rules and the holiday state ---------------------------------------

TEST(WeekdayRules, SundayAndSaturdayByDefault)
{
    const THolidayWeekdays w;
    EXPECT_TRUE(IsEveryWeekHoliday(w, D(2025, 6, 1)));  // Sunday
    EXPECT_TRUE(IsEveryWeekHoliday(w, D(2025, 6, 7)));  // Saturday
    for (int day = 2; day <= 6; ++day)
        EXPECT_FALSE(IsWeekdayRuleHoliday(w, D(2025, 6, day)));
    EXPECT_EQ(WeekdayIndex(D(2025, 6, 1)), 0);
    EXPECT_EQ(WeekdayIndex(D(2025, 6, 7)), 6);
    EXPECT_EQ(WeekdayIndex(std::nan("")), -1);
}

TEST(WeekdayRules, SecondAndFourthWednesday)
{
    THolidayWeekdays w;
    w.HolidayOfWeekPartOf[3] = true;   // 水
    w.HolidayOfWeekNumberOf[1] = true; // 第二
    w.HolidayOfWeekNumberOf[3] = true; // 第四
    // Wednesdays of January 2025: 1, 8, 15, 22, 29.
    EXPECT_FALSE(IsNthWeekHoliday(w, D(2025, 1, 1)));
    EXPECT_TRUE(IsNthWeekHoliday(w, D(2025, 1, 8)));
    EXPECT_FALSE(IsNthWeekHoliday(w, D(2025, 1, 15)));
    EXPECT_TRUE(IsNthWeekHoliday(w, D(2025, 1, 22)));
    EXPECT_FALSE(IsNthWeekHoliday(w, D(2025, 1, 29)));
    EXPECT_FALSE(IsNthWeekHoliday(w, D(2025, 1, 9)));  // a Thursday in the second week
    w.HolidayOfWeekNumberOf[4] = true; // 第五
    EXPECT_TRUE(IsNthWeekHoliday(w, D(2025, 1, 29)));
    EXPECT_EQ(WeekOfMonthIndex(D(2025, 1, 29)), 4);
    EXPECT_EQ(WeekOfMonthIndex(D(2025, 1, 31)), 4);
    EXPECT_EQ(WeekOfMonthIndex(D(2025, 1, 28)), 3);
}

TEST(DayState, OverrideBeatsHolidayBeatsWeekdayRules)
{
    TDayData data;
    const TDateValue seijin = D(2025, 1, 13); // Monday, 成人の日
    const TDateValue tuesday = D(2025, 1, 14);
    const TDateValue saturday = D(2025, 1, 18);
    EXPECT_TRUE(data.IsHolidayOfDate(seijin));
    EXPECT_FALSE(data.IsHolidayOfDate(tuesday));
    EXPECT_TRUE(data.IsHolidayOfDate(saturday));

    data.StorePersonalHoliday(seijin, false);
    data.StorePersonalHoliday(tuesday, true);
    data.StorePersonalHoliday(saturday, false);
    EXPECT_FALSE(data.IsHolidayOfDate(seijin));
    EXPECT_TRUE(data.IsHolidayOfDate(tuesday));
    EXPECT_FALSE(data.IsHolidayOfDate(saturday));

    const TDayLookup day = data.LookupDay(seijin);
    EXPECT_TRUE(day.national);
    EXPECT_EQ(day.holidayName, "成人の日");
    ASSERT_NE(day.personal, nullptr);
    EXPECT_FALSE(day.holiday);
    EXPECT_EQ(day.schedule, nullptr);

    // Changing an override flips it; it is never removed.
    data.StorePersonalHoliday(seijin, true);
    EXPECT_TRUE(data.IsHolidayOfDate(seijin));
    EXPECT_EQ(data.PersonalHolidayValueCount(), 3);
}

TEST(DayState, WeekdayRulesOnlySet)
{
    TDayData data;
    data.Weekdays.HolidayOfWeek = {};
    data.Weekdays.HolidayOfWeekPartOf[1] = true; // Monday
    data.Weekdays.HolidayOfWeekNumberOf[0] = true;
    const TDayLookup first = data.LookupDay(D(2025, 6, 2)); // first Monday
    EXPECT_TRUE(first.nthWeek);
    EXPECT_FALSE(first.everyWeek);
    EXPECT_TRUE(first.holiday);
    EXPECT_FALSE(data.LookupDay(D(2025, 6, 9)).holiday);
    EXPECT_FALSE(data.LookupDay(D(2025, 6, 1)).holiday); // Sunday unticked
}

TEST(Schedules, FirstEntryOfADateWins)
{
    TDayData data;
    EXPECT_EQ(data.StoreSchedule(D(2025, 4, 1), "入学式", 1), 0);
    EXPECT_EQ(data.StoreSchedule(D(2025, 4, 2), "", 0), 1); // empty text and no mark still count
    EXPECT_EQ(data.StoreSchedule(D(2025, 4, 1), "入学式 10時", 3), 0);
    EXPECT_EQ(data.ScheduleCount(), 2);
    ASSERT_NE(data.ScheduleOfDate(D(2025, 4, 1)), nullptr);
    EXPECT_EQ(data.ScheduleOfDate(D(2025, 4, 1))->Str, "入学式 10時");
    EXPECT_EQ(data.ScheduleOfDate(D(2025, 4, 1))->MarkNo, 3);
    EXPECT_EQ(data.ScheduleOfDate(D(2025, 4, 3)), nullptr);
    EXPECT_EQ(data.ScheduleOfDate(-0.0), nullptr);
    EXPECT_EQ(data.LookupDay(D(2025, 4, 2)).schedule, &data.Schedule()[1]);
}

TEST(Schedules, ManyEntriesStayFindable)
{
    TDayData data;
    for (int i = 0; i < 20000; ++i)
        data.StoreSchedule(D(2000, 1, 1) + i, QString::number(i), i % 5);
    for (int i = 0; i < 20000; i += 997) {
        const TSchedule *s = data.ScheduleOfDate(D(2000, 1, 1) + i);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->Str, QString::number(i));
    }
}

// ---- Config.ini ----------------------------------------------------------------------

TEST_F(ConfigTest, NoFileMeansDefaults)
{
    data_.LoadConfig();
    EXPECT_EQ(data_.ScheduleCount(), 0);
    EXPECT_EQ(data_.PersonalHolidayValueCount(), 0);
    EXPECT_EQ(data_.Weekdays.HolidayOfWeek, (std::array<bool, 7>{true, false, false, false, false, false, true}));
    EXPECT_EQ(data_.Weekdays.HolidayOfWeekPartOf, (std::array<bool, 7>{}));
    EXPECT_EQ(data_.Weekdays.HolidayOfWeekNumberOf, (std::array<bool, 5>{}));
    EXPECT_FALSE(QFile::exists(Path()));
}

TEST_F(ConfigTest, SchedulesAreWrittenKeyByKey)
{
    data_.StoreSchedule(D(2025, 1, 13), "Meeting", 1);
    ASSERT_TRUE(data_.WriteSchedules());
    EXPECT_EQ(ReadAll(Path()), QByteArray("[Schedule]\r\nCount=1\r\n"
                                          "[ScheduleDate]\r\n0=2025/01/13\r\n"
                                          "[ScheduleStr]\r\n0=Meeting\r\n"
                                          "[ScheduleMarkNo]\r\n0=1\r\n"));
    data_.StoreSchedule(D(2025, 2, 3), "", 0);
    data_.StoreSchedule(D(2025, 1, 13), "Meeting 2", 4);
    ASSERT_TRUE(data_.WriteSchedules());
    EXPECT_EQ(ReadAll(Path()), QByteArray("[Schedule]\r\nCount=2\r\n"
                                          "[ScheduleDate]\r\n0=2025/01/13\r\n1=2025/02/03\r\n"
                                          "[ScheduleStr]\r\n0=Meeting 2\r\n1=\r\n"
                                          "[ScheduleMarkNo]\r\n0=4\r\n1=0\r\n"));
    EXPECT_TRUE(dialogs::Shown().isEmpty());
}

TEST_F(ConfigTest, OverridesAreWrittenKeyByKey)
{
    data_.StorePersonalHoliday(D(2025, 1, 13), false);
    ASSERT_TRUE(data_.WritePersonalHolidays());
    EXPECT_EQ(ReadAll(Path()), QByteArray("[PersonalHolidayValue]\r\nCount=1\r\n0=0\r\n"
                                          "[PersonalHolidayValueDate]\r\n0=2025/01/13\r\n"));
    data_.StorePersonalHoliday(D(2025, 1, 14), true);
    ASSERT_TRUE(data_.WritePersonalHolidays());
    EXPECT_EQ(ReadAll(Path()), QByteArray("[PersonalHolidayValue]\r\nCount=2\r\n0=0\r\n1=1\r\n"
                                          "[PersonalHolidayValueDate]\r\n0=2025/01/13\r\n1=2025/01/14\r\n"));
}

TEST_F(ConfigTest, WeekdayListsAreWrittenWhole)
{
    data_.Weekdays.HolidayOfWeek[6] = false;
    ASSERT_TRUE(data_.WriteHolidayOfWeek());
    EXPECT_EQ(ReadAll(Path()), QByteArray("[Calendar]\r\nHolidayOfWeek0=1\r\nHolidayOfWeek1=0\r\nHolidayOfWeek2=0\r\n"
                                          "HolidayOfWeek3=0\r\nHolidayOfWeek4=0\r\nHolidayOfWeek5=0\r\n"
                                          "HolidayOfWeek6=0\r\n"));
    data_.Weekdays.HolidayOfWeekPartOf[3] = true;
    data_.Weekdays.HolidayOfWeekNumberOf[1] = true;
    ASSERT_TRUE(data_.WriteHolidayOfWeekPartOf());
    ASSERT_TRUE(data_.WriteHolidayOfWeekNumberOf());
    const IniFile ini(Path());
    EXPECT_EQ(ini.Keys("Calendar").size(), 7 + 7 + 5);
    EXPECT_EQ(ini.ReadString("Calendar", "HolidayOfWeekPartOf3"), "1");
    EXPECT_EQ(ini.ReadString("Calendar", "HolidayOfWeekNumberOf1"), "1");
    EXPECT_EQ(ini.ReadString("Calendar", "HolidayOfWeekNumberOf4"), "0");

    const TDayData back = Reloaded();
    EXPECT_EQ(back.Weekdays.HolidayOfWeek, data_.Weekdays.HolidayOfWeek);
    EXPECT_EQ(back.Weekdays.HolidayOfWeekPartOf, data_.Weekdays.HolidayOfWeekPartOf);
    EXPECT_EQ(back.Weekdays.HolidayOfWeekNumberOf, data_.Weekdays.HolidayOfWeekNumberOf);
}

TEST_F(ConfigTest, OnlyPresentHolidayOfWeekKeysChangeTheList)
{
    WriteAll(Path(), "[Calendar]\r\nHolidayOfWeek0=0\r\n");
    data_.LoadConfig();
    EXPECT_EQ(data_.Weekdays.HolidayOfWeek, (std::array<bool, 7>{false, false, false, false, false, false, true}));
    WriteAll(Path(), "[Schedule]\r\nCount=0\r\n");
    TDayData fresh;
    fresh.SetConfigPath(Path());
    fresh.LoadConfig();
    EXPECT_EQ(fresh.Weekdays.HolidayOfWeek, (std::array<bool, 7>{true, false, false, false, false, false, true}));
}

TEST_F(ConfigTest, EverythingReadsBack)
{
    data_.StoreSchedule(D(2025, 3, 20), "彼岸の中日", 2);
    data_.StoreSchedule(D(1899, 12, 30), "day zero", 1);
    data_.StoreSchedule(D(9999, 12, 31), "far", 3);
    data_.StorePersonalHoliday(D(2025, 5, 1), true);
    data_.StorePersonalHoliday(D(2025, 5, 3), false);
    ASSERT_TRUE(data_.WriteSchedules());
    ASSERT_TRUE(data_.WritePersonalHolidays());
    const TDayData back = Reloaded();
    ASSERT_EQ(back.ScheduleCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(back.Schedule()[i].Date, data_.Schedule()[i].Date);
        EXPECT_EQ(back.Schedule()[i].Str, data_.Schedule()[i].Str);
        EXPECT_EQ(back.Schedule()[i].MarkNo, data_.Schedule()[i].MarkNo);
    }
    ASSERT_EQ(back.PersonalHolidayValueCount(), 2);
    EXPECT_TRUE(back.PersonalHolidayOfDate(D(2025, 5, 1))->Value);
    EXPECT_FALSE(back.PersonalHolidayOfDate(D(2025, 5, 3))->Value);
    EXPECT_EQ(IniFile(Path()).Encoding(), TextEncoding::Cp932);
}

TEST_F(ConfigTest, TextOutsideCp932IsNotLost)
{
    data_.StoreSchedule(D(2025, 7, 7), QString::fromUtf8("七夕 ☆彡 🎋"), 1);
    ASSERT_TRUE(data_.WriteSchedules());
    EXPECT_TRUE(ReadAll(Path()).startsWith("\xFF\xFE"));
    EXPECT_EQ(Reloaded().ScheduleOfDate(D(2025, 7, 7))->Str, QString::fromUtf8("七夕 ☆彡 🎋"));
}

TEST_F(ConfigTest, LongTextIsCutTo2047WhenRead)
{
    data_.StoreSchedule(D(2025, 7, 7), QString(3000, u'a'), 0);
    ASSERT_TRUE(data_.WriteSchedules());
    EXPECT_EQ(Reloaded().Schedule()[0].Str.size(), 2047);
}

TEST_F(ConfigTest, UnwritableFileIsReportedAndTheChangeKept)
{
    const QString path = dir_.path() + "/missing/Config.ini";
    data_.SetConfigPath(path);
    data_.StoreSchedule(D(2025, 1, 1), "x", 1);
    EXPECT_FALSE(data_.WriteSchedules());
    EXPECT_EQ(dialogs::Shown(), QStringList({path + " に書き込めません\n" + SystemErrorText(ENOENT)}));
    EXPECT_EQ(data_.ScheduleCount(), 1);
    EXPECT_FALSE(data_.WriteHolidayOfWeek());
    EXPECT_EQ(dialogs::Shown().size(), 2);
}

TEST_F(ConfigTest, AFileThatCannotBeReadIsNotOverwritten)
{
    {
        QFile f(Path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Schedule]\r\nCount=1\r\n");
        ASSERT_TRUE(f.resize(kIniMaxFileSize + 1));
    }
    data_.LoadConfig();
    EXPECT_EQ(data_.ScheduleCount(), 0);
    data_.StoreSchedule(D(2025, 1, 1), "x", 0);
    EXPECT_FALSE(data_.WriteSchedules());
    EXPECT_EQ(dialogs::Shown(), QStringList({Path() + " に書き込めません\n" + SystemErrorText(EFBIG)}));
    EXPECT_EQ(QFileInfo(Path()).size(), kIniMaxFileSize + 1);
}

// ---- damaged files ------------------------------------------------------------------

TEST_F(ConfigTest, AbsurdCountsReadOnlyWhatIsThere)
{
    WriteAll(Path(), "[Schedule]\r\nCount=2147483647\r\n"
                     "[ScheduleDate]\r\n0=2025/01/01\r\n1=2025/01/02\r\n"
                     "[ScheduleStr]\r\n0=a\r\n1=b\r\n2=only text\r\n"
                     "[PersonalHolidayValue]\r\nCount=-7\r\n0=1\r\n"
                     "[PersonalHolidayValueDate]\r\n0=2025/01/05\r\n");
    data_.LoadConfig();
    ASSERT_EQ(data_.ScheduleCount(), 3);
    EXPECT_EQ(data_.Schedule()[2].Str, "only text");
    EXPECT_EQ(data_.Schedule()[2].Date, 0.0);
    // A negative count: the entries there in a row are read.
    EXPECT_EQ(data_.PersonalHolidayValueCount(), 1);

    WriteAll(Path(), "[Schedule]\r\nCount=abc\r\n[ScheduleDate]\r\n0=2025/01/01\r\n");
    TDayData other;
    other.SetConfigPath(Path());
    other.LoadConfig();
    EXPECT_EQ(other.ScheduleCount(), 1);
}

TEST_F(ConfigTest, CountBelowTheEntriesReadsTheCount)
{
    WriteAll(Path(), "[Schedule]\r\nCount=1\r\n[ScheduleDate]\r\n0=2025/01/01\r\n1=2025/01/02\r\n");
    data_.LoadConfig();
    EXPECT_EQ(data_.ScheduleCount(), 1);
}

TEST_F(ConfigTest, NextWriteKeepsEverythingRead)
{
    WriteAll(Path(), "[Schedule]\r\nCount=99999999\r\n"
                     "[ScheduleDate]\r\n0=2025/01/01\r\n5=2025/01/06\r\n1=bad date\r\n"
                     "[ScheduleStr]\r\n0=first\r\n5=sixth\r\n1=second\r\n0=duplicate\r\n"
                     "[scheduledate]\r\n7=2025/01/08\r\n"
                     "[ScheduleMarkNo]\r\n0=1\r\n5=0x2\r\n7=junk\r\n");
    data_.LoadConfig();
    ASSERT_EQ(data_.ScheduleCount(), 4); // entries 0, 1, 5 and 7
    EXPECT_EQ(data_.Schedule()[0].Str, "first");
    EXPECT_EQ(data_.Schedule()[1].Str, "second");
    EXPECT_EQ(data_.Schedule()[1].Date, 0.0);
    EXPECT_EQ(data_.Schedule()[2].MarkNo, 2);
    EXPECT_EQ(data_.Schedule()[3].Date, D(2025, 1, 8));
    EXPECT_EQ(data_.Schedule()[3].MarkNo, 0);

    data_.StoreSchedule(D(2025, 2, 1), "new", 3);
    ASSERT_TRUE(data_.WriteSchedules());
    const TDayData back = Reloaded();
    ASSERT_EQ(back.ScheduleCount(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(back.Schedule()[i].Date, data_.Schedule()[i].Date) << i;
        EXPECT_EQ(back.Schedule()[i].Str, data_.Schedule()[i].Str) << i;
        EXPECT_EQ(back.Schedule()[i].MarkNo, data_.Schedule()[i].MarkNo) << i;
    }
}

TEST_F(ConfigTest, DuplicateDatesKeepTheFirstAndAreWrittenBack)
{
    WriteAll(Path(), "[Schedule]\r\nCount=2\r\n[ScheduleDate]\r\n0=2025/01/01\r\n1=2025/1/1\r\n"
                     "[ScheduleStr]\r\n0=one\r\n1=two\r\n");
    data_.LoadConfig();
    EXPECT_EQ(data_.ScheduleOfDate(D(2025, 1, 1))->Str, "one");
    data_.StoreSchedule(D(2025, 1, 1), "changed", 0);
    ASSERT_TRUE(data_.WriteSchedules());
    const TDayData back = Reloaded();
    ASSERT_EQ(back.ScheduleCount(), 2);
    EXPECT_EQ(back.Schedule()[0].Str, "changed");
    EXPECT_EQ(back.Schedule()[1].Str, "two");
}

TEST_F(ConfigTest, GarbageAndTruncatedFilesLoad)
{
    QByteArray junk;
    for (int i = 0; i < 20000; ++i)
        junk.append(char((i * 2654435761u) >> 24));
    WriteAll(Path(), junk);
    data_.LoadConfig();
    EXPECT_GE(data_.ScheduleCount(), 0);

    const QByteArray whole = "[Schedule]\r\nCount=3\r\n[ScheduleDate]\r\n0=2025/01/01\r\n1=2025/01/02\r\n"
                             "2=2025/01/03\r\n[ScheduleStr]\r\n0=a\r\n1=b\r\n2=c\r\n";
    for (int cut = 0; cut <= whole.size(); ++cut) {
        WriteAll(Path(), whole.left(cut));
        TDayData d;
        d.SetConfigPath(Path());
        d.LoadConfig();
        ASSERT_LE(d.ScheduleCount(), 3) << cut;
    }
    WriteAll(Path(), whole.left(whole.indexOf("1=2025/01/02") + 6)); // "1=2025" and no more
    TDayData cut;
    cut.SetConfigPath(Path());
    cut.LoadConfig();
    ASSERT_EQ(cut.ScheduleCount(), 2);
    EXPECT_EQ(cut.Schedule()[1].Date, 0.0); // an unreadable date gives date value 0
}

TEST_F(ConfigTest, UnusableCountsReadTheEntriesInARowAndTheNextStoresKeepThem)
{
    for (const QByteArray &count : {QByteArray(), QByteArray("Count=-3\r\n"), QByteArray("Count=abc\r\n"),
                                   QByteArray("Count=\r\n")}) {
        WriteAll(Path(), "[Schedule]\r\n" + count +
                             "[ScheduleDate]\r\n0=2025/01/01\r\n1=2025/01/02\r\n2=2025/01/03\r\n"
                             "[ScheduleStr]\r\n0=a\r\n1=b\r\n2=c\r\n[ScheduleMarkNo]\r\n0=1\r\n1=2\r\n2=3\r\n"
                             "[PersonalHolidayValue]\r\n" + count + "0=1\r\n1=0\r\n"
                             "[PersonalHolidayValueDate]\r\n0=2025/02/01\r\n1=2025/02/02\r\n");
        TDayData d = Reloaded();
        ASSERT_EQ(d.ScheduleCount(), 3) << count.constData();
        ASSERT_EQ(d.PersonalHolidayValueCount(), 2) << count.constData();
        d.StoreSchedule(D(2025, 3, 1), "new", 4);
        d.StorePersonalHoliday(D(2025, 3, 2), true);
        ASSERT_TRUE(d.WriteSchedules());
        ASSERT_TRUE(d.WritePersonalHolidays());
        const TDayData back = Reloaded();
        ASSERT_EQ(back.ScheduleCount(), 4) << count.constData();
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(back.Schedule()[i].Date, D(2025, 1, 1 + i)) << i;
            EXPECT_EQ(back.Schedule()[i].Str, QString(QChar(u'a' + i))) << i;
            EXPECT_EQ(back.Schedule()[i].MarkNo, 1 + i) << i;
        }
        EXPECT_EQ(back.Schedule()[3].Str, "new");
        ASSERT_EQ(back.PersonalHolidayValueCount(), 3);
        EXPECT_TRUE(back.PersonalHoliday()[0].Value);
        EXPECT_FALSE(back.PersonalHoliday()[1].Value);
        EXPECT_EQ(back.PersonalHoliday()[1].Date, D(2025, 2, 2));
        EXPECT_EQ(back.PersonalHoliday()[2].Date, D(2025, 3, 2));
    }
}

TEST_F(ConfigTest, Utf16FilesAreReadAndStoresKeepTheirOneEncoding)
{
    const QString text = "[Schedule]\r\nCount=1\r\n[ScheduleDate]\r\n0=2025/01/01\r\n[ScheduleStr]\r\n0=初詣\r\n";
    for (TextEncoding encoding : {TextEncoding::Utf16Le, TextEncoding::Utf16Be, TextEncoding::Utf16BeBom}) {
        WriteAll(Path(), *EncodeText(text, encoding));
        TDayData d = Reloaded();
        ASSERT_EQ(d.ScheduleCount(), 1) << int(encoding);
        EXPECT_EQ(d.Schedule()[0].Str, "初詣");
        d.StoreSchedule(D(2025, 1, 2), "ﾐｽ0 予定", 1);
        ASSERT_TRUE(d.WriteSchedules());
        d.StorePersonalHoliday(D(2025, 1, 3), true);
        ASSERT_TRUE(d.WritePersonalHolidays());

        // The whole file, old lines and new, is UTF-16 of the byte order it had.
        const QByteArray bytes = ReadAll(Path());
        ASSERT_EQ(bytes.size() % 2, 0);
        const bool big = encoding != TextEncoding::Utf16Le;
        const qsizetype mark = bytes.startsWith("\xFE\xFF") || bytes.startsWith("\xFF\xFE") ? 2 : 0;
        const QString whole = big ? DecodeUtf16Be(bytes.constData() + mark, bytes.size() - mark)
                                  : DecodeUtf16Le(bytes.constData() + mark, bytes.size() - mark);
        for (const char *line : {"[ScheduleStr]\r\n0=初詣\r\n1=ﾐｽ0 予定\r\n", "[Schedule]\r\nCount=2\r\n",
                                 "[PersonalHolidayValueDate]\r\n0=2025/01/03\r\n"})
            EXPECT_TRUE(whole.contains(QString::fromUtf8(line))) << int(encoding) << " " << line;
        EXPECT_TRUE(whole.endsWith("\r\n"));
        const TDayData back = Reloaded();
        ASSERT_EQ(back.ScheduleCount(), 2);
        EXPECT_EQ(back.Schedule()[1].Str, "ﾐｽ0 予定");
        EXPECT_EQ(back.PersonalHolidayValueCount(), 1);
    }
}
