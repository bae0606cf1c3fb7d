// Month titles in the chosen style, the live style samples, and the display
// options whose effect the day-cell painting reads on every paint.
#include <QCheckBox>

#include "calendar_form.h"
#include "document_edits.h"
#include "labeled_edit.h"
#include "month_titles.h"
#include "radio_group.h"
#include "tform1.h"

namespace tamarie {

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
    Document d = Doc();
    d.settings.options.monthMode = RadioGroupMonthMode->ItemIndex();
    if (!IsLoadingFile)
        UpdateMonthTitles(d);
    Edit(QStringLiteral("月の表記"), d);
}

void TForm1::RepaintCalendarGrids()
{
    for (int n = 1; n <= CalendarCount(); ++n)
        if (CalForm[n])
            CalForm[n]->Calendar->update();
}

// The other options take effect in the painting, which reads them from the
// document; showing the new document repaints the calendars.
void TForm1::RadioGroupFirstDayOfWeekClick()
{
    if (IsLoadingFile)
        return;
    Document d = Doc();
    d.settings.options.firstDayOfWeek = RadioGroupFirstDayOfWeek->ItemIndex();
    Edit(QStringLiteral("週の始まり"), d);
}

void TForm1::RadioGroupWeekDayModeClick()
{
    if (IsLoadingFile)
        return;
    Document d = Doc();
    d.settings.options.weekDayMode = RadioGroupWeekDayMode->ItemIndex();
    Edit(QStringLiteral("曜日の表記"), d);
}

void TForm1::CheckBoxShowRokuyoClick()
{
    if (IsLoadingFile)
        return;
    Document d = Doc();
    d.settings.options.showAlmanac = CheckBoxShowRokuyo->isChecked();
    Edit(QStringLiteral("六曜"), d);
}

} // namespace tamarie
