// tamarie-render: draws a work-state file as a picture or a PDF without
// showing any window, exactly as the editor's own picture output draws it.
#include "arrangement_capture.h"
#include "arrangement_render.h"
#include "data_folder.h"
#include "fonts.h"
#include "ini_update.h"
#include "paper_offset.h"
#include "pdf_output.h"
#include "picture_files.h"
#include "platform/dialogs.h"
#include "print_resolution.h"
#include "render_args.h"
#include "screen_copies.h"
#include "tform1.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>

using namespace tamarie;

namespace {

void Err(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stderr);
    if (!text.endsWith(QLatin1Char('\n')))
        std::fputc('\n', stderr);
}

// Photos too small for print, named once the output is written.
void TellLowResolution(const Arrangement &arrangement)
{
    const QString notice = LowResolutionNotice(arrangement);
    if (!notice.isEmpty())
        Err(notice);
}

// The messages the editor would have shown in boxes.
int ReportShown(const QString &fallback)
{
    const QStringList shown = dialogs::Shown();
    Err(shown.isEmpty() ? fallback : shown.join(QLatin1Char('\n')));
    return 1;
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
    const QString unreadable = QStringLiteral("作業状態ファイルを読み込めません。");
    if (!QFileInfo(request.workState).isFile())
        return Err(request.workState + QLatin1Char('\n') + unreadable), 1;
    if (!request.config.isEmpty() && !QFileInfo(request.config).isFile())
        return Err(request.config + QStringLiteral("\n設定ファイルを読み込めません。")), 1;

    // Message boxes become texts on standard error; nothing waits for a click.
    dialogs::BeginScript();
    // Nothing is shown, so no copies for the screen are decoded.
    ScreenCopies::Instance().SetEnabled(false);
    // A renderer only reads: the settings the editor would note (recent
    // files, dialog folders, the paper's place) are not written.
    SetSharedIniWritesAllowed(false);
    TForm1 form;
    form.show();
    QApplication::processEvents();
    const QString config = request.config.isEmpty() ? ConfigIniPath(form.DataFolda) : request.config;
    // Where the editor's frames put the paper when it saved; without a
    // record, this program's own frames stand in for them.
    const QPoint paperOffset = ReadPaperOffset(config).value_or(form.PaperOffsetInFrame());
    if (!request.config.isEmpty()) {
        form.DayData.SetConfigPath(request.config);
        form.DayData.LoadConfig();
        form.ShowHolidayWeekdays();
        // Nothing the rendering does writes back to that file.
        form.DayData.SetConfigPath(QString());
    }
    dialogs::ClearShown();
    if (!form.OpenWorkStateFile(request.workState))
        return ReportShown(request.workState + QLatin1Char('\n') + unreadable);
    form.RestoreSavedPlaces(paperOffset);

    const Arrangement arrangement = form.CaptureArrangement();
    const CalendarPaintData data = form.PaintData();
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
