// Another editor of the same user (or a text editor) may change Config.ini
// while this one runs.  Stores replace the file, so its folder is watched;
// when the file is no longer the one this editor last read or wrote, the day
// data is read again, and the calendars, the weekday lists and the schedule
// panel show what is new.  A store here reads the file back as well and
// brings in the same way what others stored meanwhile.
#include "ini_update.h"
#include "labeled_edit.h"
#include "replacing_file.h"
#include "tform1.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTabWidget>
#include <QTimer>

namespace tamarie {

namespace {

class ConfigWatch : public QObject {
public:
    explicit ConfigWatch(TForm1 *form) : QObject(form), form_(form)
    {
        auto *watcher = new QFileSystemWatcher(this);
        if (QFileInfo(form->DataFolda).isDir())
            watcher->addPath(form->DataFolda);
        // A store is several events (its temporary file, the rename); read once.
        settle_.setSingleShot(true);
        settle_.setInterval(100);
        connect(watcher, &QFileSystemWatcher::directoryChanged, &settle_, qOverload<>(&QTimer::start));
        connect(&settle_, &QTimer::timeout, this, &ConfigWatch::Reload);
        show_.setSingleShot(true);
        show_.setInterval(0);
        connect(&show_, &QTimer::timeout, this, &ConfigWatch::Show);
        connect(form->PageControl1, &QTabWidget::currentChanged, this, [this] {
            if (panelStale_ && form_->PageControl1->currentWidget() == form_->TabSheetCalendar2)
                ShowPanel();
        });
        // Shown once the event that brought it in is over (a store, say).
        form->DayData.SetChangedElsewhereHandler([this] { show_.start(); });
    }

private:
    QString StoredText() const
    {
        const TSchedule *s = form_->DayData.ScheduleOfDate(form_->TempScheduleDate);
        return s ? s->Str : QString();
    }

    void Reload()
    {
        // Text typed into the panel and not yet stored stays as it is.
        typing_ = form_->LESchedule->text() != StoredText();
        form_->DayData.ReloadIfChangedElsewhere();
    }

    void Show()
    {
        form_->ShowHolidayWeekdays();
        form_->RepaintCalendarGrids();
        if (form_->IsStart || std::exchange(typing_, false))
            return;
        if (form_->PageControl1->currentWidget() == form_->TabSheetCalendar2)
            ShowPanel();
        else
            panelStale_ = true;
    }

    void ShowPanel()
    {
        panelStale_ = false;
        form_->ShowScheduleOfDate();
    }

    TForm1 *form_;
    QTimer settle_, show_;
    bool typing_ = false;
    bool panelStale_ = false;
};

} // namespace

void TForm1::WatchConfig()
{
    // What saves killed part way left in the data folder goes at start.
    if (SharedIniWritesAllowed())
        RemoveLeftTemporaries(DataFolda);
    new ConfigWatch(this);
}

} // namespace tamarie
