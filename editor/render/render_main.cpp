// tamarie-render: draws a work-state file as a picture or a PDF without any
// window, exactly as the editor's own picture output draws it: the file is
// read into the editor's document, placed on the paper as it lay when the
// file was saved, and painted.  Nothing it reads is ever written.
#include "arrangement_capture.h"
#include "arrangement_render.h"
#include "day_cell_painter.h"
#include "data_folder.h"
#include "document_drawing.h"
#include "document_file.h"
#include "fonts.h"
#include "holiday_list.h"
#include "ini_update.h"
#include "holidays.h"
#include "ini_file.h"
#include "paper_offset.h"
#include "pdf_output.h"
#include "picture_files.h"
#include "print_resolution.h"
#include "platform/dialogs.h"
#include "render_args.h"
#include "work_state_format.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>

#include <cstdio>

using namespace tamarie;

namespace {

void Err(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stderr);
    if (!text.endsWith(QLatin1Char('\n')))
        std::fputc('\n', stderr);
}

const QString kUnreadable = QStringLiteral("作業状態ファイルを読み込めません。");

// Photos too small for print, named once the output is written.
void TellLowResolution(const Arrangement &arrangement)
{
    const QString notice = LowResolutionNotice(arrangement);
    if (!notice.isEmpty())
        Err(notice);
}

// Where the editor's paper lies in its window when no saving recorded it:
// below the menu bar, inside the paper's frame line (no window frames here).
QPoint DefaultPaperOffset()
{
    QMainWindow window;
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSize(9);
    window.setFont(font);
    window.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    return QPoint(0, window.menuBar()->sizeHint().height()) + kPaperDrawingOrigin;
}

// The editor's document at start, which a file leaves open where it says nothing.
Document StartDocument()
{
    Document d;
    DocumentCalendar first;
    first.gridFont = DesignGridFont();
    first.gridFont.setFamily(QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family());
    first.titleFont = first.gridFont;
    d.calendars = {first};
    d.calendarOrder = {1};
    return d;
}

bool Damaged(const WorkStateFont &font)
{
    return font.status == FontRecordStatus::Unreadable || font.status == FontRecordStatus::TooShort;
}

} // namespace

int main(int argc, char *argv[])
{
    // No window reaches a screen, whatever the session offers; the offscreen
    // platform's notes about what it cannot do are not the user's concern.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            Err(text);
    });
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tamarie"));
    QApplication::setApplicationDisplayName(QStringLiteral("タマリエ"));
    fonts::InstallSubstitutions();

    const render::Request request = render::ParseArguments(app.arguments().mid(1));
    if (request.help) {
        std::fputs(render::Usage().toUtf8().constData(), stdout);
        return 0;
    }
    if (!request.error.isEmpty()) {
        Err(QStringLiteral("tamarie-render: ") + request.error);
        Err(render::Usage());
        return 2;
    }
    if (!QFileInfo(request.workState).isFile())
        return Err(request.workState + QLatin1Char('\n') + kUnreadable), 1;
    if (!request.config.isEmpty() && !QFileInfo(request.config).isFile())
        return Err(request.config + QStringLiteral("\n設定ファイルを読み込めません。")), 1;
    // Messages a reading would show in boxes become texts on standard error.
    dialogs::BeginScript();
    // A renderer only reads: no settings are noted anywhere.
    SetSharedIniWritesAllowed(false);

    // The user's day data and holiday list, read and never written back.
    const QString config = request.config.isEmpty() ? ConfigIniPath(DataFolder()) : request.config;
    TDayData dayData;
    dayData.SetConfigPath(config);
    dayData.LoadConfig();
    dayData.SetConfigPath(QString());
    THolidayListRead list = ReadHolidayListFile(DataFolder() + u'/' + QString::fromUtf16(kHolidayListFileName));
    UseHolidayList(list.list ? std::move(*list.list) : THolidayList());

    // The file and its font files, read whole.
    IniFile ini;
    if (!ini.Load(request.workState))
        return Err(request.workState + QLatin1Char('\n') + kUnreadable), 1;
    const Document start = StartDocument();
    ScreenPlacement basis{false, QRect(0, 0, 1200, 900), QRect(0, 0, 400, 560), kPaperDrawingOrigin};
    WorkState current = WorkStateOf(start, basis);
    current.month = DateToValue(QDate::currentDate());
    const QScreen *screen = QGuiApplication::primaryScreen();
    WorkState state = ReadWorkState(ini, current, {screen ? screen->virtualGeometry() : QRect()});
    state.commonFont = ReadCommonFontFile(request.workState);
    ReadCalendarFontFiles(request.workState, state);
    if (Damaged(state.commonFont))
        return Err(FontRecordErrorMessage(CommonFontFilePath(request.workState), state.commonFont.status)), 1;
    for (std::size_t n = 1; n <= state.calendars.size(); ++n)
        if (Damaged(state.calendars[n - 1].font))
            return Err(FontRecordErrorMessage(CalendarFontFilePath(request.workState, int(n)),
                                              state.calendars[n - 1].font.status)),
                   1;
    if (state.commonFont.status == FontRecordStatus::Ok)
        fonts::DrawAsFaceUsed(state.commonFont.record.Name);
    for (const WorkStateCalendar &c : state.calendars)
        if (c.font.status == FontRecordStatus::Ok)
            fonts::DrawAsFaceUsed(c.font.record.Name);

    // The paper as large as the file says, with the calendars on it where
    // they stood on saving: the file keeps them in screen pixels, which the
    // editor's frames put at the recorded offset from its window.
    const QPoint offset = ReadPaperOffset(config).value_or(DefaultPaperOffset());
    const ScreenPlacement placement{false, state.mainWindow, state.paper,
                                    state.mainWindow.topLeft() + offset + state.paper.topLeft() - kPaperDrawingOrigin};
    const Document document =
        DocumentOf(state, placement, start,
                   state.commonFont.status == FontRecordStatus::Ok && FontFaceInstalled(state.commonFont.record.Name));

    const Arrangement arrangement = ArrangementOf(document, screen ? qRound(screen->logicalDotsPerInchY()) : 96);
    DayDataCells cells(dayData);
    const CalendarPaintData data{&cells, dayData.Weekdays};

    QString error;
    if (request.kind == render::OutputKind::Pdf) {
        if (!WriteArrangementPdf(request.out, arrangement, data, &error))
            return Err(request.out + QLatin1Char('\n') + error), 1;
        TellLowResolution(arrangement);
        return 0;
    }
    // Without a width, the picture the editor saves: 2000 x 2800 or 2800 x 2000.
    const QSize portrait = PictureSize(false);
    QSize size = PictureSize(arrangement.landscape);
    if (request.width > 0 && !arrangement.landscape)
        size = QSize(request.width, RoundHalfEven(double(request.width) * portrait.height() / portrait.width()));
    else if (request.width > 0)
        size = QSize(request.width, RoundHalfEven(double(request.width) * portrait.width() / portrait.height()));
    const QImage picture = RenderArrangementPicture(arrangement, data, size);
    if (picture.isNull())
        return Err(QStringLiteral("画像を作成できません。")), 1;
    const PictureFormat format = request.kind == render::OutputKind::Jpeg ? PictureFormat::Jpeg
                                 : request.kind == render::OutputKind::Bmp ? PictureFormat::Bmp
                                                                           : PictureFormat::Png;
    if (!WritePicture(picture, request.out, format, &error))
        return Err(request.out + QLatin1Char('\n') + error), 1;
    TellLowResolution(arrangement);
    return 0;
}
