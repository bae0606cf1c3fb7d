// Reading a work-state file back into the editor.  The order matters: later
// steps rely on windows created and values set by earlier ones, and setting
// a control runs its change handler (which does next to nothing while
// IsLoadingFile is true).
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QSlider>
#include <algorithm>

#include "back_form.h"
#include "calendar_form.h"
#include "color_box.h"
#include "dialogs.h"
#include "fonts.h"
#include "ini_file.h"
#include "labeled_edit.h"
#include "paper_offset.h"
#include "photo_image.h"
#include "photo_layers.h"
#include "radio_group.h"
#include "tform1.h"
#include "work_state_format.h"

namespace tamarie {

namespace {

const QString kUnreadableMessage = QStringLiteral("作業状態ファイルを読み込めません。");

QString Num(int n) { return QString::number(n); }

void SetTextColor(QLabel *label, TColorValue color)
{
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, ResolveColorValue(color));
    label->setPalette(pal);
}

void SetBackground(QLabel *label, TColorValue color)
{
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, ResolveColorValue(color));
    label->setPalette(pal);
}

QFont WithRecord(QFont font, const TCalendarFontRecord &r, int points)
{
    fonts::DrawAsFaceUsed(r.Name);
    font.setFamily(r.Name);
    font.setPointSize(points);
    ApplyFontStyleBits(font, r.Style);
    return font;
}

} // namespace

WorkStateBounds TForm1::DesktopBounds() const
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    return {screen ? screen->virtualGeometry() : QRect()};
}

bool TForm1::LoadWorkState(const QString &FileName)
{
    // 1. The common calendar font, when its face is installed.
    const WorkStateFont common = ReadCommonFontFile(FileName);
    if (common.status == FontRecordStatus::Unreadable || common.status == FontRecordStatus::TooShort) {
        dialogs::ShowMessage(FontRecordErrorMessage(CommonFontFilePath(FileName), common.status), this);
        return false;
    }
    if (common.status == FontRecordStatus::Ok && FontFaceInstalled(common.record.Name)) {
        const TCalendarFontRecord &r = common.record;
        const int points = SaneFontPointSize(r.Size);
        // While the calendars' font is calendar 1's grid font, that font is the one set.
        if (CalendarFont.FollowsCalendar1 && CalForm[1]) {
            CalForm[1]->Calendar->setFont(WithRecord(CalForm[1]->Calendar->font(), r, points));
            CalForm[1]->Calendar->SetFontColor(r.Color);
        } else {
            CalendarFont.Font = WithRecord(CalendarFont.Font, r, points);
            CalendarFont.Color = r.Color;
        }
        CalendarFontCharset = {r.Name, r.Charset};
        QFont face = LblFontName->font();
        face.setFamily(r.Name);
        LblFontName->setFont(face);
        // The face drawn: a Windows face name is shown as its relative.
        LblFontName->setText(fonts::FaceShown(r.Name));
        SetTextColor(LblFontName, r.Color);
    }

    // 2.
    if (!QFileInfo::exists(FileName))
        return true;
    IniFile ini;
    if (!ini.Load(FileName)) {
        dialogs::ShowMessage(kUnreadableMessage, this);
        return false;
    }

    // The whole file as values, defaults from the editor as it stands.  The
    // pairs the file counts are made first (not yet shown), so a calendar
    // the file does not place keeps the place a new window has.
    for (int n = 1; n <= WorkStateCalendarCount(ini, CalendarCount); ++n)
        CreateCalendarPair(n);
    WorkState current = CaptureWorkState();
    current.month = DateToValue(QDate::currentDate());
    std::vector<QRect> windows;
    for (int n = 1; n <= kMaxCalendars; ++n)
        windows.push_back(CalForm[n] ? CalForm[n]->geometry() : QRect());
    WorkState state = ReadWorkState(ini, current, DesktopBounds(), windows);
    ReadCalendarFontFiles(FileName, state);

    // 3. The first month.
    const TDateValue d = state.month;
    const QDate first = ValueToDate(d);
    LECalendarYear->setText(Num(first.year()));
    LECalendarMonth->setText(Num(first.month()));

    // 4.
    LECalendarMonths->setText(Num(state.months));

    // 5, 6.
    CalendarBackColor = state.backColor;
    ColorBoxCalendarBackColor->SetSelected(CalendarBackColor);
    CalendarPanelColor = state.panelColor;
    ColorBoxYearMonthBackColor->SetSelected(CalendarPanelColor);
    SetBackground(LblFontName, CalendarPanelColor);

    // 7 to 10. The settings controls.
    TrackBarAlphaBlend->setValue(state.alpha);
    ColorBoxHolidayTextColor->SetSelected(state.holidayColor);
    ColorBoxDayTextColor->SetSelected(state.dayTextColor);
    RadioGroupFirstDayOfWeek->SetItemIndex(state.options.firstDayOfWeek);
    RadioGroupMonthMode->SetItemIndex(state.options.monthMode);
    RadioGroupWeekDayMode->SetItemIndex(state.options.weekDayMode);
    CheckBoxShowRokuyo->setChecked(state.options.showAlmanac);
    CheckBoxSameSize->setChecked(state.sameSize);

    // 11. The calendar count; surplus pairs are hidden and kept for reuse.
    const int old = CalendarCount;
    CalendarCount = int(state.calendars.size());
    for (int n = CalendarCount + 1; n <= old; ++n) {
        if (CalForm[n])
            CalForm[n]->hide();
        if (ABackForm[n])
            ABackForm[n]->hide();
    }

    // 12. Each calendar.
    for (int n = 1; n <= CalendarCount; ++n) {
        TplCalendarForm *cal = CalForm[n];
        TBackForm *back = ABackForm[n];
        if (!cal || !back)
            continue;
        const WorkStateCalendar &c = state.calendars[n - 1];
        cal->setGeometry(c.window);
        back->setGeometry(cal->geometry());
        cal->show();
        back->show();
        back->StackBehindCalendar();

        QDate month = first.addMonths(n - 1);
        if (!month.isValid() || month.year() > 9999)
            month = first;
        cal->Calendar->SetCalendarDate(DateToValue(month));

        cal->Calendar->SetColor(c.backColor);
        cal->SetColor(c.backColor);
        cal->SetTransparentColorValue(c.backColor);
        back->SetColor(c.backColor);
        back->SetAlphaBlendValue(c.alpha);
        cal->Panel->SetColor(c.panelColor);
        HolidayTextColor[n] = c.holidayColor;
        cal->Calendar->SetFontColor(c.dayTextColor);

        // The calendar's own fonts, whether or not the face is installed.
        if (c.font.status == FontRecordStatus::Unreadable || c.font.status == FontRecordStatus::TooShort) {
            dialogs::ShowMessage(FontRecordErrorMessage(CalendarFontFilePath(FileName, n), c.font.status), this);
            return false;
        }
        CalendarFontLoaded[n] = c.font.status == FontRecordStatus::Ok;
        if (CalendarFontLoaded[n]) {
            const TCalendarFontRecord &r = c.font.record;
            const int points = SaneFontPointSize(r.Size);
            cal->Calendar->setFont(WithRecord(cal->Calendar->font(), r, points));
            cal->Panel->setFont(WithRecord(cal->Panel->font(), r, RoundHalfEven(points * 1.5)));
            cal->Panel->SetFontColor(r.Color);
            TitleFontCharset[n] = {r.Name, r.Charset};
        }
    }

    // 13 to 15.
    for (int n = 1; n <= CalendarCount; ++n)
        LayoutCalendar(n);
    RefreshMonthLists(d);
    UpdateMonthTitles();

    // 16. A file of the older single-photo layout is converted on disk.  A
    // file that cannot be rewritten is still read in the converted form.
    if (HasOlderPhotoLayout(ini)) {
        ConvertOlderPhotoLayout(ini);
        ini.Save();
    }

    // 17. As many photos as the file holds, added empty or removed from the top.
    const int m = int(state.photos.size());
    if (PhotoLayers) {
        while (ImgCount < m) {
            const int before = ImgCount;
            BtnAddPictureClickFrom(MenuOpen);
            if (ImgCount == before)
                break;
        }
        while (ImgCount > m) {
            const int before = ImgCount;
            PhotoLayers->Select(ImgCount - 1);
            BtnDeletePictureClickFrom(MenuOpen);
            if (ImgCount == before)
                break;
        }
    }

    // 18. Their bounds and pictures.
    if (ImgCount <= 0) {
        SelectedImgPictureNo = -1;
        ShowThumbnailOf(QImage());
    } else {
        for (int i = 0; i < ImgCount && i < ImgPicture.size() && i < m; ++i) {
            const WorkStatePhoto &p = state.photos[i];
            TImage *photo = ImgPicture[i];
            photo->setGeometry(p.bounds);
            Photos.SetFileName(i, p.fileName);
            // The header tells whether it can be shown; the pixels come later.
            const PhotoProbe probe = p.fileName.isEmpty() ? PhotoProbe() : ProbePhoto(p.fileName);
            if (!probe.Ok()) {
                dialogs::ShowMessage(probe.error, this);
                return false;
            }
            photo->ShowPhoto(p.fileName, p.quarterTurns);
        }
        if (PhotoLayers)
            PhotoLayers->Select(0);
    }

    // 19. The paper colour (the colour box's handler colours the paper).
    ColorBoxPaperColor->SetSelected(state.paperColor);
    ColorBoxPaperColorChange();

    LoadedFrameTopLeft = state.mainWindow.topLeft();
    LoadedPaper = state.paper;

    // 20. The main window's placement.
    if (state.maximized) {
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    } else {
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
        const QRect frame = frameGeometry();
        move(state.mainWindow.topLeft());
        // Width and Height are the outer size; the decorations are not ours to size.
        resize(std::max(1, state.mainWindow.width() - (frame.width() - width())),
               std::max(1, state.mainWindow.height() - (frame.height() - height())));
    }
    // The new state and size reach the client area through the event queue.
    QApplication::processEvents();

    // 21, 22.
    PanelConfig->move(ClientWidth() - PanelConfig->width() - 10, PanelConfig->y());
    RadioGroupHoko->SetItemIndex(state.orientation);

    // 23. The paper, narrowed to the space left of the settings panel.
    int width = state.paper.width();
    int height = state.paper.height();
    if (PanelConfig->x() - 5 < width) {
        width = std::max(0, PanelConfig->x() - 5);
        if (RadioGroupHoko->ItemIndex() == 0)
            height = RoundHalfEven(width * 1.4);
        else if (RadioGroupHoko->ItemIndex() == 1)
            height = RoundHalfEven(width / 1.4);
        else
            height = Panel1->height();
    }
    Panel1->setGeometry(state.paper.x(), state.paper.y(), width, height);

    // 24.
    CurrentPanelWidth = Panel1->width();
    CurrentPanelHeight = Panel1->height();
    UpdateScrollRange();

    // 25.
    QApplication::processEvents();
    // The size now on screen is laid out; a resize that settles later with
    // the same size changes nothing.
    LaidOutClientSize = QSize(ClientWidth(), ClientHeight());
    return true;
}

void TForm1::RestoreSavedPlaces(const QPoint &offset)
{
    if (!LoadedPaper.isEmpty())
        Panel1->setGeometry(LoadedPaper);
    const QPoint paper = Panel1->mapToGlobal(Panel1->contentsRect().topLeft());
    const QPoint shift = CalendarShiftOntoPaper(LoadedFrameTopLeft, LoadedPaper.topLeft(), offset, paper);
    if (shift.isNull())
        return;
    for (int n = 1; n <= CalendarCount; ++n)
        if (const TCalendarPair pair = CalendarPair(n); pair.Cal && pair.Cal->isVisible())
            pair.Cal->move(pair.Cal->pos() + shift);
}

} // namespace tamarie
