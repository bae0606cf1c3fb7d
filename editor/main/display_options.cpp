// Month titles in the chosen style, the live style samples, and the display
// options whose effect the day-cell painting reads on every paint.
#include <QCheckBox>

#include "calendar_form.h"
#include "labeled_edit.h"
#include "month_titles.h"
#include "radio_group.h"
#include "tform1.h"

namespace tamarie {

void TForm1::UpdateMonthTitles()
{
    // Each calendar's own month, not the entered one; sizes stay as laid out.
    const int style = RadioGroupMonthMode->ItemIndex();
    for (int n = 1; n <= CalendarCount; ++n) {
        if (!CalForm[n])
            continue;
        const TplCalendarFormCalendar *grid = CalForm[n]->Calendar;
        CalForm[n]->Panel->SetCaption(MonthTitleText(style, grid->Year(), grid->Month()));
    }
}

void TForm1::UpdateMonthStyleSamples()
{
    const QString y = LECalendarYear->text();
    const QString m = LECalendarMonth->text();
    if (!MonthSampleInputAccepted(y, m))
        return;
    const QStringList samples = MonthStyleSamples(y, m);
    for (int i = 0; i < samples.size() && i < RadioGroupMonthMode->Count(); ++i)
        RadioGroupMonthMode->SetItemCaption(i, samples[i]);
}

void TForm1::LECalendarYearChange()
{
    // The calendars themselves change only on OK.
    if (IsStart)
        return;
    if (MonthSampleInputAccepted(LECalendarYear->text(), LECalendarMonth->text()))
        UpdateMonthStyleSamples();
}

void TForm1::RadioGroupMonthModeClick()
{
    if (!IsLoadingFile)
        UpdateMonthTitles();
}

void TForm1::RepaintCalendarGrids()
{
    for (int n = 1; n <= CalendarCount; ++n)
        if (CalForm[n])
            CalForm[n]->Calendar->update();
}

void TForm1::RadioGroupFirstDayOfWeekClick()
{
    if (!IsLoadingFile)
        RepaintCalendarGrids();
}

void TForm1::RadioGroupWeekDayModeClick()
{
    if (!IsLoadingFile)
        RepaintCalendarGrids();
}

void TForm1::CheckBoxShowRokuyoClick()
{
    if (!IsLoadingFile)
        RepaintCalendarGrids();
}

} // namespace tamarie
