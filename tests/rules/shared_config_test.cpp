// Two editors with one home share Config.ini: each store goes into the file
// as it stands, so neither loses what the other stored, and each comes to
// show the other's schedules, overrides and weekday lists.
#include "day_data.h"
#include "dialogs.h"
#include "ini_file.h"

#include <QDate>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tamarie;

namespace {

TDateValue Day(int d) { return DateToValue(QDate(2026, 3, d)); }

class SharedConfigTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        for (TDayData *d : {&a_, &b_}) {
            d->SetConfigPath(Path());
            d->LoadConfig();
        }
        dialogs::BeginScript();
    }
    void TearDown() override { dialogs::EndScript(); }
    QString Path() const { return dir_.filePath("Config.ini"); }
    QString Str(const TDayData &d, int day) const
    {
        const TSchedule *s = d.ScheduleOfDate(Day(day));
        return s ? s->Str : QStringLiteral("(none)");
    }

    QTemporaryDir dir_;
    TDayData a_, b_;
};

} // namespace

TEST_F(SharedConfigTest, EachStoreKeepsTheOthersAndEachEditorComesToShowThem)
{
    int bNoticed = 0;
    b_.SetChangedElsewhereHandler([&] { ++bNoticed; });
    a_.StoreSchedule(Day(10), "A10", 1);
    ASSERT_TRUE(a_.WriteSchedules());
    b_.StoreSchedule(Day(17), "B17", 2);
    ASSERT_TRUE(b_.WriteSchedules());
    EXPECT_EQ(Str(b_, 10), "A10"); // read back with the store
    EXPECT_EQ(bNoticed, 1);
    a_.StoreSchedule(Day(24), "A24", 3);
    ASSERT_TRUE(a_.WriteSchedules());

    // Numbered in the order first stored, whoever stored them.
    const IniFile ini(Path());
    EXPECT_EQ(ini.ReadInteger("Schedule", "Count", -1), 3);
    for (const auto &[n, day, text] : {std::tuple{0, 10, "A10"}, {1, 17, "B17"}, {2, 24, "A24"}}) {
        EXPECT_EQ(ini.ReadDate("ScheduleDate", QString::number(n), 0), Day(day));
        EXPECT_EQ(ini.ReadString("ScheduleStr", QString::number(n)), text);
    }
    EXPECT_EQ(Str(a_, 17), "B17");
    EXPECT_EQ(Str(b_, 24), "(none)");
    EXPECT_TRUE(b_.ReloadIfChangedElsewhere());
    EXPECT_EQ(Str(b_, 24), "A24");
    EXPECT_EQ(bNoticed, 2);
    EXPECT_FALSE(b_.ReloadIfChangedElsewhere());

    // A date both store is one entry; overrides and weekday lists go across too.
    b_.StoreSchedule(Day(10), "B10", 4);
    b_.StorePersonalHoliday(Day(11), true);
    b_.Weekdays.HolidayOfWeek[3] = true;
    ASSERT_TRUE(b_.WritePersonalHolidays());
    ASSERT_TRUE(b_.WriteHolidayOfWeek());
    EXPECT_TRUE(a_.ReloadIfChangedElsewhere());
    EXPECT_EQ(a_.ScheduleCount(), 3);
    EXPECT_EQ(Str(a_, 10), "B10");
    ASSERT_TRUE(a_.PersonalHolidayOfDate(Day(11)));
    EXPECT_TRUE(a_.Weekdays.HolidayOfWeek[3]);
    EXPECT_TRUE(dialogs::Shown().isEmpty());
}

TEST_F(SharedConfigTest, AStoreThatCouldNotBeWrittenGoesWithTheNext)
{
    const QString folder = dir_.filePath("later");
    a_.SetConfigPath(folder + "/Config.ini");
    a_.StoreSchedule(Day(1), "first", 1);
    EXPECT_FALSE(a_.WriteSchedules());
    EXPECT_EQ(dialogs::Shown().size(), 1);
    ASSERT_TRUE(QDir().mkpath(folder));
    a_.StorePersonalHoliday(Day(2), false);
    ASSERT_TRUE(a_.WritePersonalHolidays());
    TDayData back;
    back.SetConfigPath(folder + "/Config.ini");
    back.LoadConfig();
    EXPECT_EQ(Str(back, 1), "first");
    ASSERT_TRUE(back.PersonalHolidayOfDate(Day(2)));
}
