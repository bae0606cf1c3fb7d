// Month titles in the chosen style, the live samples, and the display options
// repainting the calendars in use.
#include <QCheckBox>
#include <QDate>
#include <QPushButton>

#include "editor_fixture.h"
#include "labeled_edit.h"
#include "radio_group.h"

using namespace tamarie;
using tamarie::testing::EditorTest;

namespace {

// Counts paint events of one widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget *w) { w->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

class DisplayOptions : public EditorTest {
protected:
    void Ok(const QString &year, const QString &month, const QString &count)
    {
        form->LECalendarYear->setText(year);
        form->LECalendarMonth->setText(month);
        form->LECalendarMonths->setText(count);
        form->BtnOK->click();
        QCoreApplication::processEvents();
    }
    QString Title(int n) const { return form->CalForm[n]->Panel->Caption(); }
};

} // namespace

TEST_F(DisplayOptions, OkWritesTitlesInTheChosenStyle)
{
    TForm1 &f = Make();
    Ok("2024", "12", "2");
    EXPECT_EQ(Title(1), QString("2024年12月"));
    EXPECT_EQ(Title(2), QString("2025年1月"));

    f.RadioGroupMonthMode->SetItemIndex(1);
    EXPECT_EQ(Title(1), QString("2024/12"));
    f.RadioGroupMonthMode->SetItemIndex(2);
    EXPECT_EQ(Title(2), QString("1月"));
    f.RadioGroupMonthMode->SetItemIndex(3);
    EXPECT_EQ(Title(1), QString("12"));
    f.RadioGroupMonthMode->SetItemIndex(4);
    EXPECT_EQ(Title(1), QString("December 2024"));
    EXPECT_EQ(Title(2), QString("January 2025"));
    f.RadioGroupMonthMode->SetItemIndex(5);
    EXPECT_EQ(Title(2), QString("January"));
    f.RadioGroupMonthMode->SetItemIndex(6);
    EXPECT_EQ(Title(1), QString("令和6年12月"));
    EXPECT_EQ(Title(2), QString("令和7年1月"));
}

TEST_F(DisplayOptions, EraTitlesAtTheBoundaries)
{
    TForm1 &f = Make();
    f.RadioGroupMonthMode->SetItemIndex(6);
    Ok("2019", "4", "2");
    EXPECT_EQ(Title(1), QString("平成31年4月"));
    EXPECT_EQ(Title(2), QString("令和1年5月"));
    Ok("1867", "12", "1");
    EXPECT_EQ(Title(1), QString("12月"));
}

TEST_F(DisplayOptions, TitlesUseEachCalendarsOwnMonthNotTheTypedOne)
{
    TForm1 &f = Make();
    Ok("2025", "3", "1");
    f.LECalendarMonth->setText("7");
    f.RadioGroupMonthMode->SetItemIndex(4);
    EXPECT_EQ(Title(1), QString("March 2025"));
}

TEST_F(DisplayOptions, StyleChangeWhileOpeningAFileLeavesTitles)
{
    TForm1 &f = Make();
    Ok("2025", "3", "1");
    f.IsLoadingFile = true;
    f.RadioGroupMonthMode->SetItemIndex(1);
    EXPECT_EQ(Title(1), QString("2025年3月"));
    f.IsLoadingFile = false;
}

TEST_F(DisplayOptions, SamplesFollowTheTextsAsTyped)
{
    TForm1 &f = Make();
    f.LECalendarYear->setText("2024");
    f.LECalendarMonth->setText("05");
    EXPECT_EQ(f.RadioGroupMonthMode->ItemCaption(0), QString("\"2024年05月\""));
    EXPECT_EQ(f.RadioGroupMonthMode->ItemCaption(1), QString("\"2024/05\""));
    EXPECT_EQ(f.RadioGroupMonthMode->ItemCaption(4), QString("\"May 2024\""));
    EXPECT_EQ(f.RadioGroupMonthMode->ItemCaption(6), QString("\"令和6年05月\""));

    // A cleared year or a month out of range leaves the samples as they were.
    const QString before = f.RadioGroupMonthMode->ItemCaption(0);
    f.LECalendarYear->setText("");
    EXPECT_EQ(f.RadioGroupMonthMode->ItemCaption(0), before);
    f.LECalendarYear->setText("2024");
    f.LECalendarMonth->setText("13");
    EXPECT_EQ(f.RadioGroupMonthMode->ItemCaption(0), before);

    // Calendars are titled with plain numbers.
    f.LECalendarMonth->setText("05");
    f.LECalendarMonths->setText("1");
    f.BtnOK->click();
    EXPECT_EQ(Title(1), QString("2024年5月"));
}

TEST_F(DisplayOptions, SamplesStayWhileStarting)
{
    TForm1 &f = Make(false);
    const QString before = f.RadioGroupMonthMode->ItemCaption(0);
    f.LECalendarYear->setText("1999");
    EXPECT_EQ(f.RadioGroupMonthMode->ItemCaption(0), before);
}

TEST_F(DisplayOptions, OptionsRepaintEveryCalendarInUse)
{
    TForm1 &f = Make();
    Ok("2025", "3", "3");
    Ok("2025", "3", "2"); // calendar 3 hidden
    QCoreApplication::processEvents();
    const QRect g1 = f.CalForm[1]->geometry(), g2 = f.CalForm[2]->geometry();
    auto check = [&](const char *what, const std::function<void()> &change) {
        PaintCounter c1(f.CalForm[1]->Calendar), c2(f.CalForm[2]->Calendar);
        change();
        QCoreApplication::processEvents();
        EXPECT_GT(c1.count, 0) << what;
        EXPECT_GT(c2.count, 0) << what;
    };
    check("first day", [&] { f.RadioGroupFirstDayOfWeek->SetItemIndex(1); });
    check("weekday names", [&] { f.RadioGroupWeekDayMode->SetItemIndex(1); });
    check("rokuyo", [&] { f.CheckBoxShowRokuyo->setChecked(false); });
    // Months and sizes stay.
    EXPECT_EQ(f.CalForm[1]->Calendar->Month(), 3);
    EXPECT_EQ(f.CalForm[2]->Calendar->Month(), 4);
    EXPECT_EQ(f.CalForm[1]->geometry(), g1);
    EXPECT_EQ(f.CalForm[2]->geometry(), g2);
}

TEST_F(DisplayOptions, OptionsDoNothingWhileOpeningAFile)
{
    TForm1 &f = Make();
    QCoreApplication::processEvents();
    f.IsLoadingFile = true;
    PaintCounter c1(f.CalForm[1]->Calendar);
    f.RadioGroupFirstDayOfWeek->SetItemIndex(2);
    f.CheckBoxShowRokuyo->setChecked(false);
    f.RadioGroupWeekDayMode->SetItemIndex(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(c1.count, 0);
    f.IsLoadingFile = false;
}
