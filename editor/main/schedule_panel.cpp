// The schedule panel of the second settings page: choosing a date by double
// clicks on a calendar, showing what is stored for it, storing schedules,
// per-date overrides and the weekday lists into Config.ini at once; and the
// painting of the day cells from the same data.
#include <QCheckBox>
#include <QCoreApplication>
#include <QCursor>
#include <QDate>
#include <QTabWidget>

#include <algorithm>

#include "back_form.h"
#include "calendar_form.h"
#include "check_list_box.h"
#include "day_cell_painter.h"
#include "ini_file.h"
#include "labeled_edit.h"
#include "month_grid.h"
#include "radio_group.h"
#include "tform1.h"

namespace tamarie {

namespace {

int DayNumberOf(const QString &cellText)
{
    bool ok = false;
    const int n = cellText.toInt(&ok);
    return ok ? n : 0;
}


} // namespace

// ---- Choosing a date -------------------------------------------------------

void TForm1::CalendarDblClick(QObject *Sender)
{
    auto *grid = dynamic_cast<TplCalendarFormCalendar *>(Sender);
    if (!grid || !grid->FCalForm)
        return;
    TplCalendarForm *cal = grid->FCalForm;
    const QPoint cursor = QCursor::pos();
    if (cal->Panel && cal->Panel->geometry().contains(cal->mapFromGlobal(cursor)))
        return;
    const QPoint p = grid->mapFromGlobal(cursor);
    int col = -1, row = -1;
    grid->MouseToCell(p.x(), p.y(), col, row);
    if (DayNumberOf(grid->GetCellText(col, row)) <= 0)
        return;
    // The click before the double click has made this day the grid's date.
    ScheduleFormNo = cal->Tag();
    TempScheduleDate = grid->CalendarDate();
    ShowScheduleOfDate();
    FocusScheduleEdit();
}

void TForm1::BackFormDblClick(QObject *Sender)
{
    auto *back = dynamic_cast<TBackForm *>(Sender);
    if (!back)
        return;
    const int k = back->Tag();
    TplCalendarForm *cal = k >= 1 && k <= kMaxCalendars ? CalForm[k] : nullptr;
    if (!cal || !cal->Calendar)
        return;
    const QPoint cursor = QCursor::pos();
    if (cal->Panel && cal->Panel->geometry().contains(cal->mapFromGlobal(cursor)))
        return;
    // The backing window lies exactly behind the calendar window, so the grid
    // occupies the same rectangle in both.
    const QPoint p = back->mapFromGlobal(cursor);
    TplCalendarFormCalendar *grid = cal->Calendar;
    const QRect gridRect = grid->geometry();
    if (!gridRect.contains(p))
        return;
    int col = -1, row = -1;
    grid->MouseToCell(p.x() - gridRect.left(), p.y() - gridRect.top(), col, row);
    const int day = DayNumberOf(grid->GetCellText(col, row));
    const QDate date(grid->Year(), grid->Month(), day);
    if (day <= 0 || !date.isValid())
        return;
    ScheduleFormNo = k;
    TempScheduleDate = DateToValue(date);
    ShowScheduleOfDate();
    FocusScheduleEdit();
}

void TForm1::FocusScheduleEdit()
{
    // Typing goes to the schedule at once: the main window takes the keyboard
    // from the calendar that was double-clicked.
    activateWindow();
    LESchedule->setFocus(Qt::OtherFocusReason);
}

// ---- Showing and storing ---------------------------------------------------

void TForm1::ShowScheduleOfDate()
{
    PageControl1->setCurrentWidget(TabSheetCalendar2);
    // The controls below raise their change events; the handlers ignore them.
    CheckBoxIsHolidayChangedByProc = true;
    LESchedule->SetCaption(FormatIniDate(TempScheduleDate) + QStringLiteral("の予定"));
    LESchedule->clear();
    RadioGroupMark->SetItemIndex(0);
    if (const TSchedule *entry = DayData.ScheduleOfDate(TempScheduleDate)) {
        LESchedule->setText(entry->Str);
        if (entry->MarkNo >= 0 && entry->MarkNo < RadioGroupMark->Count())
            RadioGroupMark->SetItemIndex(entry->MarkNo);
    }
    // Weekday rules, national holidays, then the date's own override.
    CheckBoxIsHoliday->setChecked(DayData.IsHolidayOfDate(TempScheduleDate));
    // Posted notifications still run under the guard; user input waits, so
    // no other date can be chosen half way through.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    CheckBoxIsHolidayChangedByProc = false;
}

bool TForm1::LEScheduleKeyPress(QChar Key)
{
    if (Key != QChar(13))
        return false;
    StoreSchedules();
    return true;
}

void TForm1::RadioGroupMarkClick()
{
    if (IsStart || CheckBoxIsHolidayChangedByProc)
        return;
    StoreSchedulesAs(QStringLiteral("マーク"));
}

void TForm1::RepaintScheduleCalendar()
{
    if (ScheduleFormNo >= 1 && ScheduleFormNo <= kMaxCalendars && CalForm[ScheduleFormNo])
        CalForm[ScheduleFormNo]->Calendar->update();
}

void TForm1::StoreSchedules() { StoreSchedulesAs(QStringLiteral("予定")); }

void TForm1::StoreSchedulesAs(const QString &StepName)
{
    const TDateValue date = TempScheduleDate;
    const TSchedule *was = DayData.ScheduleOfDate(date);
    const std::optional<TSchedule> before = was ? std::optional<TSchedule>(*was) : std::nullopt;
    // An empty text without mark is stored like any other entry.
    DayData.StoreSchedule(date, LESchedule->text(), std::max(0, RadioGroupMark->ItemIndex()));
    RepaintScheduleCalendar();
    DayData.WriteSchedules();
    RecordDayDataStep(StepName, TDayDataKind::Schedule, date, before, std::nullopt, DayData.Weekdays);
}

void TForm1::CheckBoxIsHolidayClick()
{
    if (IsStart || CheckBoxIsHolidayChangedByProc)
        return;
    const TDateValue date = TempScheduleDate;
    const TPersonalHoliday *was = DayData.PersonalHolidayOfDate(date);
    const std::optional<bool> before = was ? std::optional<bool>(was->Value) : std::nullopt;
    DayData.StorePersonalHoliday(date, CheckBoxIsHoliday->isChecked());
    RepaintScheduleCalendar();
    DayData.WritePersonalHolidays();
    RecordDayDataStep(QStringLiteral("休日"), TDayDataKind::Holiday, date, std::nullopt, before, DayData.Weekdays);
}

// ---- Weekday lists ---------------------------------------------------------

void TForm1::CheckListBoxHolidayClick()
{
    if (IsStart)
        return;
    StoreHolidayWeekdays();
    RefreshHolidayCheckBox();
    RepaintCalendarGrids();
    DayData.WriteHolidayOfWeek();
}

void TForm1::CheckListBoxHolidayPartOfClick()
{
    if (IsStart)
        return;
    StoreHolidayWeekdays();
    RefreshHolidayCheckBox();
    RepaintCalendarGrids();
    DayData.WriteHolidayOfWeekPartOf();
}

void TForm1::CheckListBoxHolidayNumberOfClick()
{
    if (IsStart)
        return;
    StoreHolidayWeekdays();
    RefreshHolidayCheckBox();
    RepaintCalendarGrids();
    DayData.WriteHolidayOfWeekNumberOf();
}

void TForm1::RefreshHolidayCheckBox()
{
    // An override decides by itself; national holidays are not looked at here.
    if (DayData.PersonalHolidayOfDate(TempScheduleDate))
        return;
    CheckBoxIsHolidayChangedByProc = true;
    CheckBoxIsHoliday->setChecked(IsWeekdayRuleHoliday(DayData.Weekdays, TempScheduleDate));
    CheckBoxIsHolidayChangedByProc = false;
}

// ---- Almanac labels -------------------------------------------------------

QString TForm1::GetRokuyo(TDateValue D) const { return tamarie::GetRokuyo(D); }

QString TForm1::GetSekki(TDateValue D) const { return tamarie::GetSekki(D); }

} // namespace tamarie
