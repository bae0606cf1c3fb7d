// The calendar set: OK, placing and laying out the calendar pairs, the
// apply-to-month lists and the month message with its fallback.
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>

#include "color_box.h"
#include "document_drawing.h"
#include "editor_fixture.h"
#include "labeled_edit.h"
#include "radio_group.h"

using namespace tamarie;
using tamarie::testing::EditorTest;

namespace {

const QString kBadMonth = QStringLiteral("カレンダーの年月は半角文字で正しく入力してください。");
const QString kBadCount = QStringLiteral("カレンダーの数は半角で1～12を入力してください。");

class CalendarSet : public EditorTest {
protected:
    void Ok(const QString &year, const QString &month, const QString &count)
    {
        form->LECalendarYear->setText(year);
        form->LECalendarMonth->setText(month);
        form->LECalendarMonths->setText(count);
        form->BtnOK->click();
        QCoreApplication::processEvents();
    }
    QPoint PaperTopLeft() const { return ClientToScreen(form->Panel1->pos()); }
    QDate MonthOf(int n) const
    {
        return QDate(form->CalForm[n]->Calendar->Year(), form->CalForm[n]->Calendar->Month(), 1);
    }
    int Shown(const QString &text) const { return int(dialogs::Shown().count(text)); }
};

} // namespace

TEST_F(CalendarSet, OkWithThreeCascadesTheNewCalendarsFromThePaperCorner)
{
    TForm1 &f = Make();
    const QRect first = f.CalForm[1]->geometry();
    Ok("2025", "4", "3");
    EXPECT_EQ(f.CalendarCount(), 3);
    for (int n = 1; n <= 3; ++n) {
        ASSERT_NE(f.CalForm[n], nullptr) << n;
        ASSERT_NE(f.ABackForm[n], nullptr) << n;
        EXPECT_TRUE(f.CalForm[n]->isVisible()) << n;
        EXPECT_TRUE(f.ABackForm[n]->isVisible()) << n;
        EXPECT_EQ(f.CalForm[n]->Tag(), n);
        EXPECT_EQ(f.ABackForm[n]->Tag(), n);
        EXPECT_EQ(f.ABackForm[n]->geometry(), f.CalForm[n]->frameGeometry()) << n;
    }
    EXPECT_EQ(f.CalForm[4], nullptr);
    // Calendar 1 keeps its place and size; 2 and 3 cascade by 5 pixels each.
    EXPECT_EQ(f.CalForm[1]->geometry(), first);
    const QSize half(f.Panel1->width() / 2, f.Panel1->height() / 2);
    EXPECT_EQ(f.CalForm[2]->pos(), PaperTopLeft() + QPoint(10, 10));
    EXPECT_EQ(f.CalForm[3]->pos(), PaperTopLeft() + QPoint(15, 15));
    EXPECT_EQ(f.CalForm[2]->size(), half);
    EXPECT_EQ(f.CalForm[3]->size(), half);
    EXPECT_EQ(MonthOf(1), QDate(2025, 4, 1));
    EXPECT_EQ(MonthOf(2), QDate(2025, 5, 1));
    EXPECT_EQ(MonthOf(3), QDate(2025, 6, 1));
    EXPECT_EQ(Shown(kBadMonth), 0);
}

TEST_F(CalendarSet, ThreeThenOneThenThreeReusesThePairsPlacedAfresh)
{
    TForm1 &f = Make();
    Ok("2025", "4", "3");
    TplCalendarForm *cal2 = f.CalForm[2], *cal3 = f.CalForm[3];
    TBackForm *back2 = f.ABackForm[2], *back3 = f.ABackForm[3];

    Ok("2025", "4", "1");
    EXPECT_EQ(f.CalendarCount(), 1);
    EXPECT_TRUE(f.CalForm[1]->isVisible());
    EXPECT_FALSE(cal2->isVisible());
    EXPECT_FALSE(cal3->isVisible());
    EXPECT_FALSE(back2->isVisible());
    EXPECT_FALSE(back3->isVisible());
    EXPECT_EQ(f.CalForm[2], cal2); // hidden, not destroyed

    // Wherever they were, reused pairs come back at the cascade positions.
    cal2->setGeometry(cal2->x() + 123, cal2->y() + 77, 111, 99);
    cal3->setGeometry(cal3->x() + 31, cal3->y() + 17, 150, 140);
    Ok("2025", "4", "3");
    EXPECT_EQ(f.CalForm[2], cal2);
    EXPECT_EQ(f.CalForm[3], cal3);
    EXPECT_EQ(f.ABackForm[2], back2);
    EXPECT_EQ(f.ABackForm[3], back3);
    EXPECT_TRUE(cal2->isVisible());
    EXPECT_TRUE(back3->isVisible());
    const QSize half(f.Panel1->width() / 2, f.Panel1->height() / 2);
    EXPECT_EQ(cal2->geometry(), QRect(PaperTopLeft() + QPoint(10, 10), half));
    EXPECT_EQ(cal3->geometry(), QRect(PaperTopLeft() + QPoint(15, 15), half));
    EXPECT_EQ(back2->geometry(), cal2->frameGeometry());
}

TEST_F(CalendarSet, ExistingCalendarsKeepTheirBoundsOnOk)
{
    TForm1 &f = Make();
    Ok("2025", "4", "2");
    f.CalForm[2]->setGeometry(QRect(PaperTopLeft() + QPoint(40, 60), QSize(260, 240)));
    Ok("2025", "6", "2");
    EXPECT_EQ(f.CalForm[2]->geometry(), QRect(PaperTopLeft() + QPoint(40, 60), QSize(260, 240)));
    EXPECT_EQ(MonthOf(2), QDate(2025, 7, 1));
}

TEST_F(CalendarSet, SameSizeGivesNewCalendarsTheOuterSizeOfCalendarOne)
{
    TForm1 &f = Make();
    f.CheckBoxSameSize->setChecked(true);
    Ok("2025", "1", "3");
    EXPECT_EQ(f.CalForm[2]->frameGeometry().size(), f.CalForm[1]->frameGeometry().size());
    EXPECT_EQ(f.CalForm[3]->frameGeometry().size(), f.CalForm[1]->frameGeometry().size());
    EXPECT_EQ(f.CalForm[3]->pos(), PaperTopLeft() + QPoint(15, 15));
}

TEST_F(CalendarSet, DecemberRunsIntoTheNextYear)
{
    Make();
    Ok("2024", "12", "3");
    EXPECT_EQ(MonthOf(1), QDate(2024, 12, 1));
    EXPECT_EQ(MonthOf(2), QDate(2025, 1, 1));
    EXPECT_EQ(MonthOf(3), QDate(2025, 2, 1));
}

TEST_F(CalendarSet, ApplyToListsAfterOk)
{
    TForm1 &f = Make();
    Ok("2024", "12", "3");
    for (QComboBox *list : f.TekiyoLists()) {
        ASSERT_EQ(list->count(), 4);
        EXPECT_EQ(list->itemText(0), QString("すべての月"));
        EXPECT_EQ(list->itemText(1), QString("2024/12"));
        EXPECT_EQ(list->itemText(2), QString("2025/01"));
        EXPECT_EQ(list->itemText(3), QString("2025/02"));
        EXPECT_EQ(list->currentIndex(), -1);
    }
    EXPECT_EQ(f.ScheduleFormNo, 1);
    EXPECT_EQ(ValueToDate(f.TempScheduleDate), QDate(2024, 12, 1));

    Ok("2024", "5", "1");
    for (QComboBox *list : f.TekiyoLists()) {
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->itemText(1), QString("2024/05"));
        EXPECT_EQ(list->currentIndex(), 1);
    }
}

TEST_F(CalendarSet, InvalidMonthShowsTheMessageOncePerCalendarAndUsesToday)
{
    TForm1 &f = Make();
    const QDate thisMonth(QDate::currentDate().year(), QDate::currentDate().month(), 1);
    Ok("2025", "13", "5");
    EXPECT_EQ(Shown(kBadMonth), 5);
    EXPECT_EQ(f.CalendarCount(), 5);
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(MonthOf(n), thisMonth) << n;

    dialogs::ClearShown();
    Ok("", "4", "2");
    EXPECT_EQ(Shown(kBadMonth), 2);
    dialogs::ClearShown();
    Ok("0", "4", "1");
    EXPECT_EQ(Shown(kBadMonth), 1);
    dialogs::ClearShown();
    Ok("2025", "0", "1");
    EXPECT_EQ(Shown(kBadMonth), 1);
    EXPECT_EQ(MonthOf(1), thisMonth);
}

TEST_F(CalendarSet, MonthsBeyondYear9999FallBackOnlyWhereNeeded)
{
    Make();
    Ok("9999", "11", "3");
    EXPECT_EQ(Shown(kBadMonth), 1);
    EXPECT_EQ(MonthOf(1), QDate(9999, 11, 1));
    EXPECT_EQ(MonthOf(2), QDate(9999, 12, 1));
    EXPECT_EQ(MonthOf(3), QDate(QDate::currentDate().year(), QDate::currentDate().month(), 1));
}

TEST_F(CalendarSet, InvalidCountChangesNothing)
{
    TForm1 &f = Make();
    Ok("2025", "4", "2");
    const QRect before = f.CalForm[2]->geometry();
    for (const char *count : {"0", "13", "", "99999999999"}) {
        dialogs::ClearShown();
        Ok("2030", "1", count);
        EXPECT_EQ(Shown(kBadCount), 1) << count;
        EXPECT_EQ(Shown(kBadMonth), 0) << count;
        EXPECT_EQ(f.CalendarCount(), 2);
        EXPECT_EQ(MonthOf(1), QDate(2025, 4, 1));
        EXPECT_EQ(f.CalForm[2]->geometry(), before);
    }
}

TEST_F(CalendarSet, OkResetsAppearanceToTheGlobalSettings)
{
    TForm1 &f = Make();
    f.ColorBoxDayTextColor->SetSelected(0xFF0000);     // blue
    f.ColorBoxHolidayTextColor->SetSelected(0x008000); // green
    tamarie::testing::ChangeDocument(f, [](Document &d) {
        d.settings.backColor = 0x00FFFF;
        d.settings.panelColor = 0xF0FBFF;
    });
    f.TrackBarAlphaBlend->setValue(128);
    f.CurrentIniFile = "/tmp/plan.ini";
    f.setWindowTitle("plan-タマリエ");
    f.PageControl1->setCurrentIndex(2);
    Ok("2025", "4", "2");
    for (int n = 1; n <= 2; ++n) {
        TplCalendarForm *cal = f.CalForm[n];
        EXPECT_EQ(cal->Calendar->FontColor(), 0xFF0000) << n;
        EXPECT_EQ(f.HolidayTextColor(n), 0x008000) << n;
        EXPECT_EQ(cal->Calendar->Color(), 0x00FFFF);
        EXPECT_EQ(cal->Color(), 0x00FFFF);
        EXPECT_EQ(cal->TransparentColorValue(), 0x00FFFF);
        EXPECT_EQ(cal->Panel->Color(), 0xF0FBFF);
        EXPECT_EQ(f.ABackForm[n]->Color(), 0x00FFFF);
        EXPECT_EQ(f.ABackForm[n]->AlphaBlendValue(), 128);
        // While the font follows calendar 1 the titles take the weekday colour.
        EXPECT_EQ(cal->Panel->FontColor(), 0xFF0000) << n;
        EXPECT_EQ(cal->Calendar->font().family(), f.LblFontName->text());
    }
    EXPECT_TRUE(f.CurrentIniFile.isEmpty());
    EXPECT_EQ(f.windowTitle(), QString("無題-タマリエ"));
    EXPECT_EQ(f.PageControl1->currentIndex(), 0);
}

TEST_F(CalendarSet, ConfirmedFontGivesTheTitlesItsColour)
{
    TForm1 &f = Make();
    tamarie::testing::ChangeDocument(f, [](Document &d) { d.settings.font = {false, QFont("Serif"), 12, 0x008080, {}}; });
    f.ColorBoxDayTextColor->SetSelected(0xFF0000);
    Ok("2025", "4", "2");
    for (int n = 1; n <= 2; ++n) {
        EXPECT_EQ(f.CalForm[n]->Panel->FontColor(), 0x008080) << n;
        EXPECT_EQ(f.CalForm[n]->Calendar->FontColor(), 0xFF0000) << n;
        EXPECT_EQ(f.CalForm[n]->Calendar->font().family(), QFont("Serif").family());
    }
}

// ---- LayoutCalendar ---------------------------------------------------------

class LayoutCalendarTest : public CalendarSet {
protected:
    TplCalendarForm &Sized(int w, int h)
    {
        TplCalendarForm *cal = form->CalForm[1];
        cal->resize(w, h);
        form->LayoutCalendar(1);
        return *cal;
    }
};

TEST_F(LayoutCalendarTest, FontSizesFollowTheWidth)
{
    Make();
    TplCalendarForm &a = Sized(250, 220);
    EXPECT_EQ(a.Calendar->font().pointSize(), 10);
    EXPECT_EQ(a.Panel->font().pointSize(), 15);
    TplCalendarForm &b = Sized(275, 220);
    EXPECT_EQ(b.Calendar->font().pointSize(), 11);
    EXPECT_EQ(b.Panel->font().pointSize(), 16); // 16.5 to the even neighbour
    TplCalendarForm &c = Sized(325, 220);
    EXPECT_EQ(c.Calendar->font().pointSize(), 13);
    EXPECT_EQ(c.Panel->font().pointSize(), 20); // 19.5 to the even neighbour
}

TEST_F(LayoutCalendarTest, GridIsAWholeNumberOfColumnsCentredUnderTheTitle)
{
    Make();
    TplCalendarForm &a = Sized(221, 230);
    EXPECT_EQ(a.Calendar->width(), 217);
    EXPECT_EQ(a.Calendar->x(), 2);
    TplCalendarForm &b = Sized(224, 230);
    EXPECT_EQ(b.Calendar->width(), 224);
    EXPECT_EQ(b.Calendar->x(), 0);

    // Title: full width at the top, as high as a sample text plus 10.
    const int titleHeight = QFontMetrics(b.Panel->font(), &b).height() + 10;
    EXPECT_EQ(b.Panel->geometry(), QRect(0, 0, 224, titleHeight));
    // Grid directly under it, its height the multiple of 7 below what is left.
    EXPECT_EQ(b.Calendar->y(), titleHeight);
    const int left = 230 - titleHeight;
    EXPECT_EQ(b.Calendar->height(), left - left % 7);
    EXPECT_EQ(b.Calendar->height() % 7, 0);
}

TEST_F(LayoutCalendarTest, TinyWindowsNeverGetANegativeOrZeroFont)
{
    Make();
    TplCalendarForm &a = Sized(5, 8);
    EXPECT_GE(a.Calendar->font().pointSize(), 1);
    EXPECT_GE(a.Panel->font().pointSize(), 1);
    EXPECT_GE(a.Calendar->height(), 0);
    // The window keeps its title on screen; the grid is whole columns of it.
    EXPECT_EQ(a.size(), kMinShownCalendar);
    EXPECT_EQ(a.Calendar->width() % 7, 0);
}

TEST_F(LayoutCalendarTest, AFileKeepsTheFontsOfItsFontFilesOthersTakeTheCommonFontAtTheirWidth)
{
    TForm1 &f = Make();
    WorkState w = WorkStateOf(f.Doc(), f.Placement());
    w.calendars.resize(2, w.calendars[0]);
    w.calendars[0].window.setSize(QSize(250, 220));
    w.calendars[1].window.setSize(QSize(250, 220));
    w.calendars[0].font = {FontRecordStatus::Ok, {QStringLiteral("Serif"), 1, 21, 0, 0}};
    w.calendars[1].font = {};
    Document current = f.Doc();
    current.settings.font = {false, QFont("Monospace"), 30, 0x0000FF, {}};
    const Document d = DocumentOf(w, f.Placement(), current, false);
    EXPECT_EQ(d.calendars[0].gridPoints, 21);
    EXPECT_EQ(d.calendars[0].titlePoints, 32);  // 31.5 to the even neighbour
    EXPECT_EQ(d.calendars[1].gridFont.family(), QFont("Monospace").family());
    EXPECT_EQ(d.calendars[1].gridPoints, 10);
    EXPECT_EQ(d.calendars[1].titleFont.family(), QFont("Monospace").family());
    EXPECT_EQ(d.calendars[1].titlePoints, 15);
    EXPECT_EQ(d.calendars[1].titleColor, 0x0000FF);
}

// ---- Backing window forwarding ---------------------------------------------

TEST_F(CalendarSet, BackingWindowPressesInTheTitleAreaStartTheTitleDrag)
{
    TForm1 &f = Make();
    TplCalendarForm &cal = *f.CalForm[1];
    const QPoint sentinel(-12345, -12345);
    cal.MouseDownPos = sentinel;
    const int w = cal.Panel->width(), h = cal.Panel->height();
    f.BackFormMouseDown(f.ABackForm[1], Qt::LeftButton, Qt::LeftButton, w, 0); // right edge excluded
    EXPECT_EQ(cal.MouseDownPos, sentinel);
    f.BackFormMouseDown(f.ABackForm[1], Qt::LeftButton, Qt::LeftButton, 0, h); // bottom edge excluded
    EXPECT_EQ(cal.MouseDownPos, sentinel);
    f.BackFormMouseDown(f.ABackForm[1], Qt::LeftButton, Qt::LeftButton, w - 1, h - 1);
    EXPECT_NE(cal.MouseDownPos, sentinel);
}
