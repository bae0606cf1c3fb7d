// Reading a work-state file back into the editor: the file and its font
// files read whole into values, then the main window placed as the file
// says and the file's content made the document.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QFileInfo>
#include <QFrame>
#include <QStringList>
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
#include "document_file.h"
#include "photo_decoder.h"
#include "radio_group.h"
#include "tform1.h"
#include "work_state_format.h"

namespace tamarie {

namespace {

const QString kUnreadableMessage = QStringLiteral("作業状態ファイルを読み込めません。");

QString Num(int n) { return QString::number(n); }

bool Damaged(const WorkStateFont &font)
{
    return font.status == FontRecordStatus::Unreadable || font.status == FontRecordStatus::TooShort;
}

} // namespace

WorkStateBounds TForm1::DesktopBounds() const
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    return {screen ? screen->virtualGeometry() : QRect()};
}

bool TForm1::LoadWorkState(const QString &FileName, QStringList *Undecodable)
{
    // The file and its font files are read whole before anything changes:
    // a file that cannot be read leaves the arrangement as it was.
    const WorkStateFont common = ReadCommonFontFile(FileName);
    if (Damaged(common)) {
        dialogs::ShowMessage(FontRecordErrorMessage(CommonFontFilePath(FileName), common.status), this);
        return false;
    }
    IniFile ini;
    if (!QFileInfo(FileName).isFile() || !ini.Load(FileName)) {
        dialogs::ShowMessage(kUnreadableMessage, this);
        return false;
    }
    // Defaults from the editor as it stands.  The pairs the file counts are
    // made first (not yet shown), so a calendar the file does not place keeps
    // the place a new window has.
    for (int n = 1; n <= WorkStateCalendarCount(ini, CalendarCount()); ++n)
        CreateCalendarPair(n);
    WorkState current = WorkStateOf(Doc(), Placement());
    current.month = DateToValue(QDate::currentDate());
    std::vector<QRect> windows;
    for (int n = 1; n <= kMaxCalendars; ++n)
        windows.push_back(CalForm[n] ? CalForm[n]->geometry() : QRect());
    WorkState state = ReadWorkState(ini, current, DesktopBounds(), windows);
    state.commonFont = common;
    ReadCalendarFontFiles(FileName, state);
    for (std::size_t n = 1; n <= state.calendars.size(); ++n) {
        if (Damaged(state.calendars[n - 1].font)) {
            dialogs::ShowMessage(
                FontRecordErrorMessage(CalendarFontFilePath(FileName, int(n)), state.calendars[n - 1].font.status),
                this);
            return false;
        }
    }
    // A photo that cannot be decoded keeps its frame and its file name.
    if (Undecodable)
        for (const WorkStatePhoto &p : state.photos)
            if (!p.fileName.isEmpty())
                if (const PhotoProbe probe = ProbePhoto(p.fileName); !probe.Ok())
                    *Undecodable << probe.error;

    // Faces a file names are drawn in their installed relatives.
    if (common.status == FontRecordStatus::Ok)
        fonts::DrawAsFaceUsed(common.record.Name);
    for (const WorkStateCalendar &c : state.calendars)
        if (c.font.status == FontRecordStatus::Ok)
            fonts::DrawAsFaceUsed(c.font.record.Name);

    // The months asked for.
    const QDate first = ValueToDate(state.month);
    LECalendarYear->setText(Num(first.year()));
    LECalendarMonth->setText(Num(first.month()));
    LECalendarMonths->setText(Num(state.months));

    // The main window's placement.
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
    PanelConfig->move(ClientWidth() - PanelConfig->width() - 10, PanelConfig->y());

    // The paper, narrowed to the space left of the settings panel.
    int width = state.paper.width();
    int height = state.paper.height();
    if (PanelConfig->x() - 5 < width) {
        width = std::max(0, PanelConfig->x() - 5);
        if (state.orientation == 0)
            height = RoundHalfEven(width * 1.4);
        else if (state.orientation == 1)
            height = RoundHalfEven(width / 1.4);
        else
            height = Panel1->height();
    }
    Panel1->setGeometry(state.paper.x(), state.paper.y(), std::max(1, width), std::max(1, height));
    UpdateScrollRange();

    // The file's content, placed on the paper as it now lies on the screen,
    // is the document; its history starts afresh.
    std::vector<bool> fontFromFile;
    const Document d = DocumentOf(state, Placement(), Doc(),
                                  common.status == FontRecordStatus::Ok && FontFaceInstalled(common.record.Name),
                                  &fontFromFile);
    for (int n = 1; n <= kMaxCalendars; ++n)
        CalendarFontLoaded[n] = n <= int(fontFromFile.size()) && fontFromFile[n - 1];
    LastPaperOnScreen = PaperOnScreen();
    History->Reset(d, true);
    RefreshMonthLists(d.calendars[0].month);

    QApplication::processEvents();
    // The size now on screen is laid out; a resize that settles later with
    // the same size changes nothing.
    LaidOutClientSize = QSize(ClientWidth(), ClientHeight());
    return true;
}

} // namespace tamarie
