// The schedule panel on the main window: choosing a date by double clicks,
// filling the panel without writing anything, and each store writing its
// own keys into Config.ini.
#include "back_form.h"
#include "calendar_form.h"
#include "check_list_box.h"
#include "dialogs.h"
#include "editor_fixture.h"
#include "ini_file.h"
#include "labeled_edit.h"
#include "month_grid.h"
#include "radio_group.h"
#include "tform1.h"

#include "support/temporary_home.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace tamarie {
namespace {

TDateValue Date(int y, int m, int d) { return DateToValue(QDate(y, m, d)); }

class SchedulePanel : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        // The data folder lives under the documents folder of this home.
        dialogs::BeginScript();
        form = std::make_unique<TForm1>();
        config = form->DayData.ConfigPath();
        ASSERT_TRUE(config.startsWith(home.path())) << config.toStdString();
        ASSERT_FALSE(QFile::exists(config));
        form->show();
        QApplication::processEvents();
        testing::ChangeDocument(*form, [](Document &d) { d.calendars[0].month = Date(2025, 3, 15); });  // the 1st is a Saturday
        form->CalForm[1]->setGeometry(100, 100, 420, 360);
        form->LayoutCalendar(1);
        QApplication::processEvents();
    }

    void TearDown() override
    {
        form.reset();
        dialogs::EndScript();
    }

    QString Read(const char *section, const QString &key) const
    {
        return IniFile(config).ReadString(QString::fromLatin1(section), key, QStringLiteral("<none>"));
    }

    void ShowDate(TDateValue d, int formNo = 1)
    {
        form->TempScheduleDate = d;
        form->ScheduleFormNo = formNo;
        form->ShowScheduleOfDate();
    }

    // Screen position of the middle of a day cell of calendar 1.
    QPoint CellCentre(int col, int row) const
    {
        TplCalendarFormCalendar *grid = form->CalForm[1]->Calendar;
        return grid->mapToGlobal(grid->CellRect(col, row).center());
    }

    TemporaryHome home;
    std::unique_ptr<TForm1> form;
    QString config;
};

// ---- Filling the panel ---------------------------------------------------

TEST_F(SchedulePanel, ShowingADateFillsThePanelAndWritesNothing)
{
    form->DayData.StoreSchedule(Date(2025, 3, 6), QStringLiteral("歯医者"), 3);
    form->PageControl1->setCurrentIndex(0);
    ShowDate(Date(2025, 3, 6));
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheetCalendar2);
    EXPECT_EQ(form->LESchedule->Caption(), QStringLiteral("2025/03/06の予定"));
    EXPECT_EQ(form->LESchedule->text(), QStringLiteral("歯医者"));
    EXPECT_EQ(form->RadioGroupMark->ItemIndex(), 3);
    EXPECT_FALSE(form->CheckBoxIsHoliday->isChecked());  // a Thursday
    EXPECT_FALSE(form->CheckBoxIsHolidayChangedByProc);

    // The Sunday after it: the mark and the check box change under the guard.
    ShowDate(Date(2025, 3, 9));
    EXPECT_TRUE(form->LESchedule->text().isEmpty());
    EXPECT_EQ(form->RadioGroupMark->ItemIndex(), 0);
    EXPECT_TRUE(form->CheckBoxIsHoliday->isChecked());
    EXPECT_EQ(form->DayData.ScheduleCount(), 1);
    EXPECT_EQ(form->DayData.PersonalHolidayValueCount(), 0);
    EXPECT_FALSE(QFile::exists(config));
}

TEST_F(SchedulePanel, HolidayBoxFollowsRulesHolidaysAndOverrides)
{
    ShowDate(Date(2025, 3, 20));  // 春分の日, a Thursday
    EXPECT_TRUE(form->CheckBoxIsHoliday->isChecked());
    ShowDate(Date(2025, 3, 19));
    EXPECT_FALSE(form->CheckBoxIsHoliday->isChecked());
    form->DayData.StorePersonalHoliday(Date(2025, 3, 20), false);
    ShowDate(Date(2025, 3, 20));
    EXPECT_FALSE(form->CheckBoxIsHoliday->isChecked());
    form->DayData.StorePersonalHoliday(Date(2025, 3, 19), true);
    ShowDate(Date(2025, 3, 19));
    EXPECT_TRUE(form->CheckBoxIsHoliday->isChecked());
    EXPECT_FALSE(QFile::exists(config));
}

TEST_F(SchedulePanel, HolidayBoxFollowsTheNthWeekRule)
{
    form->CheckListBoxHolidayPartOf->SetChecked(3, true);    // Wednesday
    form->CheckListBoxHolidayNumberOf->SetChecked(1, true);  // second
    form->StoreHolidayWeekdays();
    ShowDate(Date(2025, 3, 12));
    EXPECT_TRUE(form->CheckBoxIsHoliday->isChecked());
    ShowDate(Date(2025, 3, 5));
    EXPECT_FALSE(form->CheckBoxIsHoliday->isChecked());
}

// ---- Storing schedules ---------------------------------------------------

TEST_F(SchedulePanel, EnterStoresTextAndMarkAndWritesTheScheduleKeys)
{
    ShowDate(Date(2025, 3, 6));
    form->LESchedule->setText(QStringLiteral("会議"));
    form->RadioGroupMark->Button(2)->click();  // "□" chosen by the user stores at once
    EXPECT_TRUE(form->LEScheduleKeyPress(QChar(13)));
    ASSERT_EQ(form->DayData.ScheduleCount(), 1);
    EXPECT_EQ(Read("Schedule", "Count"), "1");
    EXPECT_EQ(Read("ScheduleDate", "0"), "2025/03/06");
    EXPECT_EQ(Read("ScheduleStr", "0"), QStringLiteral("会議"));
    EXPECT_EQ(Read("ScheduleMarkNo", "0"), "2");
    // Nothing else is written by a schedule store.
    EXPECT_EQ(Read("PersonalHolidayValue", "Count"), "<none>");
    EXPECT_EQ(Read("Calendar", "HolidayOfWeek0"), "<none>");
}

TEST_F(SchedulePanel, OtherKeysTypeNormallyAndStoreNothing)
{
    ShowDate(Date(2025, 3, 6));
    EXPECT_FALSE(form->LEScheduleKeyPress(QLatin1Char('a')));
    EXPECT_FALSE(form->LEScheduleKeyPress(QChar(10)));
    EXPECT_EQ(form->DayData.ScheduleCount(), 0);
    EXPECT_FALSE(QFile::exists(config));
}

TEST_F(SchedulePanel, EmptyTextWithoutMarkStillAddsAnEntry)
{
    ShowDate(Date(2025, 3, 7));
    ASSERT_TRUE(form->LESchedule->text().isEmpty());
    ASSERT_EQ(form->RadioGroupMark->ItemIndex(), 0);
    form->LEScheduleKeyPress(QChar(13));
    EXPECT_EQ(form->DayData.ScheduleCount(), 1);
    EXPECT_EQ(Read("Schedule", "Count"), "1");
    EXPECT_EQ(Read("ScheduleStr", "0"), "");
    EXPECT_EQ(Read("ScheduleMarkNo", "0"), "0");
}

TEST_F(SchedulePanel, StoringTheSameDateAgainReplacesItsEntry)
{
    ShowDate(Date(2025, 3, 6));
    form->LESchedule->setText(QStringLiteral("a"));
    form->LEScheduleKeyPress(QChar(13));
    ShowDate(Date(2025, 3, 8));
    form->LESchedule->setText(QStringLiteral("b"));
    form->LEScheduleKeyPress(QChar(13));
    ShowDate(Date(2025, 3, 6));
    EXPECT_EQ(form->LESchedule->text(), "a");
    form->LESchedule->setText(QStringLiteral("c"));
    form->LEScheduleKeyPress(QChar(13));
    EXPECT_EQ(form->DayData.ScheduleCount(), 2);
    EXPECT_EQ(Read("Schedule", "Count"), "2");
    EXPECT_EQ(Read("ScheduleStr", "0"), "c");
    EXPECT_EQ(Read("ScheduleStr", "1"), "b");
    EXPECT_EQ(Read("ScheduleDate", "1"), "2025/03/08");
}

TEST_F(SchedulePanel, ChoosingAMarkStoresTheTextThatStandsThere)
{
    ShowDate(Date(2025, 3, 6));
    form->LESchedule->setText(QStringLiteral("typed, no Enter"));
    form->RadioGroupMark->Button(1)->click();
    ASSERT_EQ(form->DayData.ScheduleCount(), 1);
    EXPECT_EQ(form->DayData.Schedule()[0].Str, QStringLiteral("typed, no Enter"));
    EXPECT_EQ(Read("ScheduleMarkNo", "0"), "1");
}

TEST_F(SchedulePanel, MarkAndHolidayClicksDoNothingWhileStarting)
{
    ShowDate(Date(2025, 3, 6));
    form->IsStart = true;
    form->RadioGroupMark->Button(4)->click();
    form->CheckBoxIsHoliday->click();
    form->CheckListBoxHoliday->Item(3)->click();
    EXPECT_EQ(form->DayData.ScheduleCount(), 0);
    EXPECT_EQ(form->DayData.PersonalHolidayValueCount(), 0);
    EXPECT_FALSE(QFile::exists(config));
}

// ---- Per-date overrides --------------------------------------------------

TEST_F(SchedulePanel, HolidayClickStoresAnOverrideAndWritesItsKeys)
{
    ShowDate(Date(2025, 3, 20));
    ASSERT_TRUE(form->CheckBoxIsHoliday->isChecked());
    form->CheckBoxIsHoliday->click();  // the user makes the national holiday a working day
    ASSERT_EQ(form->DayData.PersonalHolidayValueCount(), 1);
    EXPECT_FALSE(form->DayData.PersonalHoliday()[0].Value);
    EXPECT_EQ(Read("PersonalHolidayValue", "Count"), "1");
    EXPECT_EQ(Read("PersonalHolidayValueDate", "0"), "2025/03/20");
    EXPECT_EQ(Read("PersonalHolidayValue", "0"), "0");
    EXPECT_EQ(Read("Schedule", "Count"), "<none>");

    form->CheckBoxIsHoliday->click();  // and back: the same entry changes
    EXPECT_EQ(form->DayData.PersonalHolidayValueCount(), 1);
    EXPECT_EQ(Read("PersonalHolidayValue", "0"), "1");
}

// ---- Weekday lists -------------------------------------------------------

TEST_F(SchedulePanel, EachListWritesOnlyItsOwnKeys)
{
    form->CheckListBoxHolidayPartOf->Item(3)->click();
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(Read("Calendar", "HolidayOfWeekPartOf" + QString::number(i)), i == 3 ? "1" : "0") << i;
    EXPECT_EQ(Read("Calendar", "HolidayOfWeek0"), "<none>");
    EXPECT_EQ(Read("Calendar", "HolidayOfWeekNumberOf0"), "<none>");

    form->CheckListBoxHolidayNumberOf->Item(4)->click();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Read("Calendar", "HolidayOfWeekNumberOf" + QString::number(i)), i == 4 ? "1" : "0") << i;
    EXPECT_EQ(Read("Calendar", "HolidayOfWeekNumberOf5"), "<none>");

    form->CheckListBoxHoliday->Item(6)->click();  // Saturday is no longer off
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(Read("Calendar", "HolidayOfWeek" + QString::number(i)), i == 0 ? "1" : "0") << i;
    EXPECT_FALSE(form->DayData.Weekdays.HolidayOfWeek[6]);
    EXPECT_TRUE(form->DayData.Weekdays.HolidayOfWeekNumberOf[4]);
}

TEST_F(SchedulePanel, ListClickShowsTheWeekdayRulesOnlyUnlessOverridden)
{
    ShowDate(Date(2025, 3, 20));  // national holiday, Thursday
    ASSERT_TRUE(form->CheckBoxIsHoliday->isChecked());
    form->CheckListBoxHolidayPartOf->Item(1)->click();  // any list click
    EXPECT_FALSE(form->CheckBoxIsHoliday->isChecked());
    EXPECT_EQ(form->DayData.PersonalHolidayValueCount(), 0);  // refreshed under the guard

    form->CheckListBoxHoliday->Item(4)->click();  // Thursdays off
    EXPECT_TRUE(form->CheckBoxIsHoliday->isChecked());

    form->DayData.StorePersonalHoliday(Date(2025, 3, 20), false);
    ShowDate(Date(2025, 3, 20));
    form->CheckListBoxHoliday->Item(4)->click();
    form->CheckListBoxHoliday->Item(4)->click();
    EXPECT_FALSE(form->CheckBoxIsHoliday->isChecked());  // the override decides
}

// ---- Double clicks -------------------------------------------------------

TEST_F(SchedulePanel, DoubleClickOnTheBackingWindowFindsTheDayUnderTheCursor)
{
    // March 2025, Sunday first: 20 March stands in column 4 of row 4.
    ASSERT_EQ(form->CalForm[1]->Calendar->GetCellText(4, 4), "20");
    QCursor::setPos(CellCentre(4, 4));
    form->BackFormDblClick(form->ABackForm[1]);
    EXPECT_EQ(form->TempScheduleDate, Date(2025, 3, 20));
    EXPECT_EQ(form->ScheduleFormNo, 1);
    EXPECT_EQ(form->LESchedule->Caption(), QStringLiteral("2025/03/20の予定"));
}

TEST_F(SchedulePanel, DoubleClickOnBlankHeaderOrTitleDoesNothing)
{
    form->TempScheduleDate = 7;
    form->ScheduleFormNo = 0;
    QCursor::setPos(CellCentre(0, 1));  // before the 1st
    form->BackFormDblClick(form->ABackForm[1]);
    QCursor::setPos(CellCentre(2, 0));  // header
    form->BackFormDblClick(form->ABackForm[1]);
    TplCalendarForm *cal = form->CalForm[1];
    QCursor::setPos(cal->mapToGlobal(QPoint(5, 3)));  // title panel
    form->BackFormDblClick(form->ABackForm[1]);
    form->CalendarDblClick(cal->Calendar);
    QCursor::setPos(cal->mapToGlobal(QPoint(cal->width() + 40, 10)));  // outside
    form->BackFormDblClick(form->ABackForm[1]);
    EXPECT_EQ(form->TempScheduleDate, 7);
    EXPECT_EQ(form->ScheduleFormNo, 0);
}

TEST_F(SchedulePanel, DoubleClickOnTheGridTakesTheGridsDate)
{
    TplCalendarFormCalendar *grid = form->CalForm[1]->Calendar;
    grid->SetCalendarDate(Date(2025, 3, 26));  // what the click before it did
    QCursor::setPos(CellCentre(3, 5));
    form->CalendarDblClick(grid);
    EXPECT_EQ(form->TempScheduleDate, Date(2025, 3, 26));
    EXPECT_EQ(form->ScheduleFormNo, 1);
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheetCalendar2);
}

// ---- Painting through the main window ------------------------------------

TEST_F(SchedulePanel, CalendarPaintsWithTheCalendarsHolidayColour)
{
    TplCalendarFormCalendar *grid = form->CalForm[1]->Calendar;
    testing::ChangeDocument(*form, [](Document &d) { d.calendars[0].holidayColor = 0x00FF00; });  // green
    form->CheckBoxShowRokuyo->setChecked(false);
    const QImage image = form->CalForm[1]->RenderImage().copy(grid->geometry());
    // The Sunday column (0) is off every week: some pure green there, none elsewhere in row 2.
    auto greenIn = [&image](const QRect &r) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                n += c.green() > 160 && c.red() < 90 && c.blue() < 90;
            }
        return n;
    };
    EXPECT_GT(greenIn(grid->CellRect(0, 2)), 3);
    EXPECT_EQ(greenIn(grid->CellRect(3, 2)), 0);
}

TEST_F(SchedulePanel, PaintingTheCalendarRelaysItsGridForTheFirstWeekday)
{
    TplCalendarFormCalendar *grid = form->CalForm[1]->Calendar;
    grid->SetCalendarDate(Date(2025, 3, 15));  // the 1st is a Saturday
    form->RadioGroupFirstDayOfWeek->SetItemIndex(1);
    form->RadioGroupFirstDayOfWeekClick();
    form->CalForm[1]->RenderImage();
    EXPECT_EQ(grid->StartOfWeek(), 1);
    EXPECT_EQ(grid->GetCellText(5, 1), "1");  // so a click on column 5 of row 1 takes the 1st
}

} // namespace
} // namespace tamarie
