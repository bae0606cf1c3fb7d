// The user's day data as steps of the history: a schedule or mark stored for
// a date, a date's holiday override, a weekday list.  They belong to the
// user, not to the arrangement (Config.ini keeps them), so their steps leave
// the document as it is; their undo and redo store the other value and
// write Config.ini again.
#include <QCheckBox>

#include "calendar_form.h"
#include "check_list_box.h"
#include "labeled_edit.h"
#include "radio_group.h"
#include "tform1.h"

namespace tamarie {

namespace {

// One date's schedule or override, or the weekday lists, before and after.
struct DayDataState {
    std::optional<TSchedule> schedule;
    std::optional<bool> holiday;
    THolidayWeekdays weekdays;
};

class TDayDataCommand : public QUndoCommand {
public:
    TDayDataCommand(TForm1 *form, const QString &name, TDayDataKind kind, TDateValue date, DayDataState before,
                    DayDataState after)
        : QUndoCommand(name), Form(form), Kind(kind), Date(date), Before(std::move(before)), After(std::move(after))
    {
    }
    // The first redo is the store the handler has done already.
    void redo() override
    {
        if (Done)
            Form->RestoreDayData(Kind, Date, After.schedule, After.holiday, After.weekdays);
        Done = true;
    }
    void undo() override { Form->RestoreDayData(Kind, Date, Before.schedule, Before.holiday, Before.weekdays); }

private:
    TForm1 *Form;
    TDayDataKind Kind;
    TDateValue Date;
    DayDataState Before;
    DayDataState After;
    bool Done = false;
};

std::optional<TSchedule> ScheduleOf(const TDayData &data, TDateValue date)
{
    const TSchedule *s = data.ScheduleOfDate(date);
    return s ? std::optional<TSchedule>(*s) : std::nullopt;
}

std::optional<bool> HolidayOf(const TDayData &data, TDateValue date)
{
    const TPersonalHoliday *h = data.PersonalHolidayOfDate(date);
    return h ? std::optional<bool>(h->Value) : std::nullopt;
}

} // namespace

void TForm1::RecordDayDataStep(const QString &Name, TDayDataKind Kind, TDateValue Date,
                               const std::optional<TSchedule> &ScheduleBefore, std::optional<bool> HolidayBefore,
                               const THolidayWeekdays &WeekdaysBefore)
{
    const DayDataState before{ScheduleBefore, HolidayBefore, WeekdaysBefore};
    const DayDataState after{ScheduleOf(DayData, Date), HolidayOf(DayData, Date), DayData.Weekdays};
    const bool changed = Kind == TDayDataKind::Schedule  ? before.schedule != after.schedule
                         : Kind == TDayDataKind::Holiday ? before.holiday != after.holiday
                                                         : !(before.weekdays == after.weekdays);
    if (changed)
        History->Push(new TDayDataCommand(this, Name, Kind, Date, before, after));
}

void TForm1::RestoreDayData(TDayDataKind Kind, TDateValue Date, const std::optional<TSchedule> &Schedule,
                            std::optional<bool> Holiday, const THolidayWeekdays &Weekdays)
{
    switch (Kind) {
    case TDayDataKind::Schedule:
        if (Schedule)
            DayData.StoreSchedule(Date, Schedule->Str, Schedule->MarkNo);
        else
            DayData.RemoveSchedule(Date);
        DayData.WriteSchedules();
        break;
    case TDayDataKind::Holiday:
        if (Holiday)
            DayData.StorePersonalHoliday(Date, *Holiday);
        else
            DayData.RemovePersonalHoliday(Date);
        DayData.WritePersonalHolidays();
        break;
    case TDayDataKind::Weekdays: {
        const THolidayWeekdays was = DayData.Weekdays;
        DayData.Weekdays = Weekdays;
        ShowHolidayWeekdays();
        if (was.HolidayOfWeek != Weekdays.HolidayOfWeek)
            DayData.WriteHolidayOfWeek();
        if (was.HolidayOfWeekPartOf != Weekdays.HolidayOfWeekPartOf)
            DayData.WriteHolidayOfWeekPartOf();
        if (was.HolidayOfWeekNumberOf != Weekdays.HolidayOfWeekNumberOf)
            DayData.WriteHolidayOfWeekNumberOf();
        break;
    }
    }
    RepaintCalendarGrids();
    // The schedule panel shows what is now stored for its date.
    if (Kind == TDayDataKind::Weekdays) {
        RefreshHolidayCheckBox();
    } else if (Date == TempScheduleDate) {
        CheckBoxIsHolidayChangedByProc = true;
        const TSchedule *entry = DayData.ScheduleOfDate(Date);
        LESchedule->setText(entry ? entry->Str : QString());
        RadioGroupMark->SetItemIndex(entry && entry->MarkNo >= 0 && entry->MarkNo < RadioGroupMark->Count() ? entry->MarkNo : 0);
        CheckBoxIsHoliday->setChecked(DayData.IsHolidayOfDate(Date));
        CheckBoxIsHolidayChangedByProc = false;
    }
}

} // namespace tamarie
