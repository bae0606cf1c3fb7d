// ファイル → 予定の読み込み/書き出し (iCalendar): schedules exchanged with
// other calendar programs, through the same day data and Config.ini.
#include "busy_dialog.h"
#include "calendar_form.h"
#include "data_folder.h"
#include "dialogs.h"
#include "ical_schedules.h"
#include "labeled_edit.h"
#include "radio_group.h"
#include "replacing_file.h"
#include "month_grid.h"
#include "tform1.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>

#include <algorithm>

namespace tamarie {

namespace {

const QString kIcsFilters = QStringLiteral("iCalendar ファイル (*.ics);;すべてのファイル (*)");

} // namespace

void TForm1::MenuImportICalendarClick()
{
    const dialogs::FileAnswer answer =
        dialogs::OpenFile(QStringLiteral("予定の読み込み(iCalendar)"), kIcsFilters, DocumentsFolder(), this);
    if (answer.path.isEmpty())
        return;
    // Repeating events are written for the whole years of the months on the paper.
    int firstYear = 0, lastYear = 0;
    for (int i = 1; i <= std::min(CalendarCount(), kMaxCalendars); ++i) {
        if (!CalForm[i] || !CalForm[i]->Calendar)
            continue;
        const int y = CalForm[i]->Calendar->Year();
        firstYear = firstYear ? std::min(firstYear, y) : y;
        lastYear = std::max(lastYear, y);
    }
    if (!firstYear)
        firstYear = lastYear = QDate::currentDate().year();
    // Read on a worker thread: a large or contrived file keeps the window alive.
    TIcsRead read;
    bool cancelled = false;
    RunWithBusyDialog(QStringLiteral("予定を読み込んでいます…"), this, [&](const std::atomic<bool> &cancel) {
        read = ReadIcsFile(answer.path, QDate(firstYear, 1, 1), QDate(lastYear, 12, 31), &cancel);
        cancelled = cancel;
    });
    if (cancelled)
        return;
    if (!read.error.isEmpty()) {
        dialogs::ShowMessage(QStringLiteral("%1 から予定を読み込めません(%2)。")
                                 .arg(QDir::toNativeSeparators(answer.path), read.error),
                             this);
        return;
    }
    const bool panelDateWasFree = !DayData.ScheduleOfDate(TempScheduleDate);
    const TIcsImport result = ImportIcsDays(DayData, read.days);
    if (result.added > 0) {
        RepaintCalendarGrids();
        DayData.WriteSchedules();
        // The panel must show what is now stored for its date, or the next
        // mark click would store its empty text over the imported one.
        const TSchedule *shown = DayData.ScheduleOfDate(TempScheduleDate);
        if (panelDateWasFree && shown) {
            CheckBoxIsHolidayChangedByProc = true;
            LESchedule->setText(shown->Str);
            RadioGroupMark->SetItemIndex(0);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            CheckBoxIsHolidayChangedByProc = false;
        }
    }
    dialogs::ShowMessage(QStringLiteral("%1 件の予定を追加しました。すでに予定のある日の %2 件は追加しませんでした。")
                             .arg(result.added)
                             .arg(result.skipped),
                         this);
}

void TForm1::MenuExportICalendarClick()
{
    const TIcsExport ics = IcsOfSchedules(DayData.Schedule(), QDateTime::currentDateTimeUtc());
    // Schedules on dates iCalendar cannot hold are named, never passed off as written.
    const QString skipped =
        ics.skipped == 0 ? QString()
                         : QStringLiteral("%1 など %2 件の予定は、iCalendar で書けない日付のため書き出しません。")
                               .arg(ics.firstSkipped.toString(QStringLiteral("yyyy/MM/dd")))
                               .arg(ics.skipped);
    if (ics.written == 0) {
        dialogs::ShowMessage(QStringLiteral("書き出す予定がありません。") + skipped, this);
        return;
    }
    const dialogs::FileAnswer answer = dialogs::SaveFile(QStringLiteral("予定の書き出し(iCalendar)"), kIcsFilters, 1,
                                                         QStringLiteral("ics"), QStringLiteral("予定.ics"), this);
    if (answer.path.isEmpty())
        return;
    QString reason;
    if (!ReplaceFileContent(answer.path, ics.text, &reason)) {
        dialogs::ShowMessage(
            QStringLiteral("%1 に書き込めません").arg(QDir::toNativeSeparators(answer.path)) + u'\n' + reason, this);
        return;
    }
    dialogs::ShowMessage(QStringLiteral("%1 件の予定を書き出しました。").arg(ics.written) + skipped, this);
}

} // namespace tamarie
