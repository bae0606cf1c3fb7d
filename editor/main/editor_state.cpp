// Start-up of the editor state, the settings file read at start, and the
// main window's reactions to closing, clicks on its surface and activation.
#include <QFontInfo>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDate>
#include <QFontDatabase>
#include <QLabel>
#include <QTabWidget>

#include "check_list_box.h"
#include "color_box.h"
#include "document_file.h"
#include "data_folder.h"
#include "labeled_edit.h"
#include "month_titles.h"
#include "photo_image.h"
#include <QSlider>
#include "tform1.h"
#include "calendar_form.h"
#include "back_form.h"

namespace tamarie {

std::array<TDateValue, 5> EraStartDate{};
std::array<bool, kMaxCalendars + 1> CalendarFontLoaded{};

namespace {

const QString kHelpText = QStringLiteral(
    "[カレンダー/画像のサイズ変更]\r\n"
    "　月の部分/画像をクリックしてからマウスホイールを回転\r\n"
    "　[X]キーを押しながら回転すると横サイズ変更\r\n"
    "　[Y]キーを押しながら回転すると縦サイズ変更\r\n"
    "[カレンダーの移動]　月の部分をドラッグ\r\n"
    "[画像の移動]　画像をドラッグ\r\n"
    "カレンダーの日にちをダブルクリックすると予定を書きこめます。");

} // namespace

void TForm1::FormCreate()
{
    // 1. Era start dates, newest first.
    const auto eras = EraStartDates();
    for (std::size_t i = 0; i < eras.size(); ++i)
        EraStartDate[i] = DateToValue(eras[i]);

    // 2, 3. Program folder and the per-user data folder (created when missing;
    // a failure shows itself later, when the settings file is written).
    Folda = ProgramFolder();
    DataFolda = DataFolder();
    EnsureFolder(DataFolda);

    // 4.
    IsStart = true;

    // 5. The desktop's default interface font, by the face actually drawn.
    LblFontName->setText(QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family().left(32));

    // 6. The current month (the change handler does nothing while starting).
    const QDate today = QDate::currentDate();
    LECalendarYear->setText(QString::number(today.year()));
    LECalendarMonth->setText(QString::number(today.month()));

    // 7 to 9. The start document: one calendar, one photo showing the
    // sample photo, the paper at its design size.
    Document d;
    d.paper.layoutSize = Panel1->size();
    d.settings.alpha = TrackBarAlphaBlend->value();
    d.settings.holidayColor = ColorBoxHolidayTextColor->Selected();
    d.settings.dayTextColor = ColorBoxDayTextColor->Selected();
    DocumentCalendar first;
    first.month = DateToValue(QDate(today.year(), today.month(), 1));
    first.title = FormatPanelDate(QStringLiteral("yyyy年 M月"), first.month);
    first.bounds = PlaceOf(QRect(0, 0, 219, 202), d.paper.layoutSize);
    first.scaleFrom = first.bounds;
    first.dayTextColor = clWindowText;
    // The calendars' font starts as the desktop's own face, as the font
    // label names it.
    first.gridFont = DesignGridFont();
    first.gridFont.setFamily(QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family().left(32));
    first.titleFont = DesignTitleFont();
    d.calendars = {first};
    d.calendarOrder = {1};
    AddPhoto(d, {Folda + QStringLiteral("/Data/fukurouoyako_fm.jpg"), PlaceOf(QRect(0, 0, 385, 280), d.paper.layoutSize),
                 PlaceOf(QRect(0, 0, 385, 280), d.paper.layoutSize), 0});
    d.selectedPhoto = 0;
    History->Reset(d, false);

    // 10.
    LblHelp->setText(kHelpText);

    // 11. Work-state files start in the documents folder.
    SaveDialog1.InitialDir = DocumentsFolder();
    SaveDialog1.DefaultExt = QStringLiteral("ini");
    OpenDialog1.InitialDir = SaveDialog1.InitialDir;
    OpenDialog1.DefaultExt = QStringLiteral("ini");

    // 12. Sunday and Saturday are weekday holidays by default.
    CheckListBoxHoliday->SetChecked(0, true);
    CheckListBoxHoliday->SetChecked(6, true);

    // 14.
    UpdateMonthStyleSamples();

    // 15.
    ReadSettingsFile();
}

void TForm1::ReadSettingsFile()
{
    // Keys missing from the file keep what the lists show now (Sunday and
    // Saturday as weekday holidays); a missing file is a first run.
    DayData.SetConfigPath(ConfigIniPath(DataFolda));
    StoreHolidayWeekdays();
    DayData.LoadConfig();
    ShowHolidayWeekdays();
    ReadHolidayList();
    ShowOutputChoice();
    WatchConfig();
}

void TForm1::StoreHolidayWeekdays()
{
    THolidayWeekdays &w = DayData.Weekdays;
    for (int i = 0; i < 7; ++i) {
        w.HolidayOfWeek[i] = CheckListBoxHoliday->Checked(i);
        w.HolidayOfWeekPartOf[i] = CheckListBoxHolidayPartOf->Checked(i);
    }
    for (int i = 0; i < 5; ++i)
        w.HolidayOfWeekNumberOf[i] = CheckListBoxHolidayNumberOf->Checked(i);
}

void TForm1::ShowHolidayWeekdays()
{
    const THolidayWeekdays &w = DayData.Weekdays;
    for (int i = 0; i < 7; ++i) {
        CheckListBoxHoliday->SetChecked(i, w.HolidayOfWeek[i]);
        CheckListBoxHolidayPartOf->SetChecked(i, w.HolidayOfWeekPartOf[i]);
    }
    for (int i = 0; i < 5; ++i)
        CheckListBoxHolidayNumberOf->SetChecked(i, w.HolidayOfWeekNumberOf[i]);
}

void TForm1::FormCloseQuery(bool &CanClose)
{
    // The save question decides whether the window may close.
    ConfirmSave();
    CanClose = IsSaved;
}

void TForm1::closeEvent(QCloseEvent *event)
{
    bool canClose = true;
    FormCloseQuery(canClose);
    if (!canClose) {
        event->ignore();
        return;
    }
    // The calendar and backing windows close with the main window.
    for (int n = 1; n <= kMaxCalendars; ++n) {
        if (CalForm[n])
            CalForm[n]->hide();
        if (ABackForm[n])
            ABackForm[n]->hide();
    }
    event->accept();
}

void TForm1::FormClick()
{
    // The mouse wheel resizes a photo only while the settings pages have the focus.
    PageControl1->setFocus(Qt::MouseFocusReason);
}

void TForm1::FormActivateApp(bool active)
{
    // The window manager draws the frame of an inactive application as
    // inactive by itself; nothing to do on either change.
    Q_UNUSED(active);
}

} // namespace tamarie
