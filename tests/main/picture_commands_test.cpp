// The picture and help menus of the main window: the arrangement the capture
// composes (paper, photo, translucent calendar, stacking), the scroll check in
// front of saving and printing, saving through the menu, printing to a PDF
// file, the about window and the help file.
#include <QDesktopServices>
#include <QFileInfo>
#include <QFrame>
#include <QImageReader>
#include <QPrinter>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>
#include <cmath>

#include "arrangement_capture.h"
#include "editor_fixture.h"
#include "help_file.h"
#include "labeled_edit.h"
#include "photo_image.h"
#include "print_form.h"
#include "radio_group.h"
#include "version_form.h"

namespace tamarie::testing {
namespace {

const QString kScroll = QStringLiteral("ウィンドウのスクロールバーを一番上にしてからやり直してください。");
const QString kSaveTitle = QStringLiteral("名前を付けて保存");
const QRgb kPhoto = qRgb(30, 140, 90);

// top over below at opacity alpha (0..255), to the nearest.
QRgb Over(QRgb top, QRgb below, int alpha)
{
    auto mix = [&](int t, int b) { return int(std::lround((t * alpha + b * (255.0 - alpha)) / 255.0)); };
    return qRgb(mix(qRed(top), qRed(below)), mix(qGreen(top), qGreen(below)), mix(qBlue(top), qBlue(below)));
}

class PictureCommands : public EditorTest {
protected:
    // A shown window whose print and about windows exist from the start, as
    // the program entry makes them.
    TForm1 &MakeWithOutputWindows()
    {
        TForm1 &f = Make(false);
        f.CreateOutputWindows();
        f.show();
        QCoreApplication::processEvents();
        return f;
    }

    // The photo layer made one colour and spread over the whole paper, from a
    // file with pixels enough for print (outputs decode it again).
    void OneColourPhoto(TForm1 &f)
    {
        QImage solid(1300, 1820, QImage::Format_RGB32);
        solid.fill(kPhoto);
        const QString path = photos.filePath(QStringLiteral("solid.png"));
        ASSERT_TRUE(solid.save(path));
        ChangeDocument(f, [&](Document &d) { d.photos[0].fileName = path; });
        f.Image1->setGeometry(f.Panel1->rect());
    }
    QTemporaryDir photos;

    // Picture position (before resampling) of a point given in calendar N's
    // window coordinates: the picture starts at the paper's client (5, 5).
    QPoint PictureOf(TForm1 &f, int n, const QPoint &p)
    {
        const QPoint global = f.CalForm[n]->mapToGlobal(p);
        return f.Panel1->mapFromGlobal(global) - f.Panel1->contentsRect().topLeft() - QPoint(5, 5);
    }

    // Points of calendar N's own rendering that the picture shows: keyed-out
    // (clear) ones and opaque dark ink, at least 3 pixels inside the window.
    struct CalendarPoints {
        QPoint clear{-1, -1};
        QPoint ink{-1, -1};
        QRgb inkColour = 0;
    };
    CalendarPoints FindPoints(TForm1 &f, int n, const QRect &picture)
    {
        CalendarPoints pts;
        const QImage own = f.CalForm[n]->RenderImage();
        for (int y = 3; y < own.height() - 3; ++y)
            for (int x = 3; x < own.width() - 3; ++x) {
                if (!picture.contains(PictureOf(f, n, QPoint(x, y))))
                    continue;
                const QRgb p = own.pixel(x, y);
                if (qAlpha(p) == 0 && pts.clear.x() < 0)
                    pts.clear = QPoint(x, y);
                if (qAlpha(p) == 255 && qGray(p) < 60 && pts.ink.x() < 0) {
                    pts.ink = QPoint(x, y);
                    pts.inkColour = p;
                }
            }
        return pts;
    }


    // OK with the save question answered No.
    void Ok(TForm1 &f, const QString &count)
    {
        f.LECalendarYear->setText(QStringLiteral("2025"));
        f.LECalendarMonth->setText(QStringLiteral("4"));
        f.LECalendarMonths->setText(count);
        AnswerSaveQuestion(f, false);
        f.BtnOKClick();
        QCoreApplication::processEvents();
    }

    QTemporaryDir out;
};

// ---- The arrangement handed to the capture ---------------------------------

TEST_F(PictureCommands, StartUpCreatesThePrintAndAboutWindowsOwnedByTheMainWindow)
{
    TForm1 &f = MakeWithOutputWindows();
    ASSERT_NE(f.PrintForm, nullptr);
    ASSERT_NE(f.VersionForm, nullptr);
    EXPECT_EQ(f.PrintForm->parent(), &f);
    EXPECT_EQ(f.VersionForm->parent(), &f);
    EXPECT_EQ(f.PrintForm->windowTitle(), QStringLiteral("印刷-タマリエ"));
    EXPECT_EQ(f.VersionForm->windowTitle(), QStringLiteral("タマリエのバージョン情報"));
    EXPECT_FALSE(f.PrintForm->isVisible());
    EXPECT_FALSE(f.VersionForm->isVisible());
    EXPECT_TRUE(bool(f.PrintForm->GatherArrangement));
    // Created once: a second call keeps the same windows.
    TPrintForm *print = f.PrintForm;
    f.CreateOutputWindows();
    EXPECT_EQ(f.PrintForm, print);
}

TEST_F(PictureCommands, PaperRenderingStartsAtThePaperClientOrigin)
{
    TForm1 &f = MakeWithOutputWindows();
    OneColourPhoto(f);
    // The photo only on the right half: the left half shows the paper colour.
    f.Image1->setGeometry(f.Panel1->width() / 2, 0, f.Panel1->width() / 2, f.Panel1->height());
    const QImage paper = f.RenderPaper();
    ASSERT_EQ(paper.size(), f.Panel1->size());
    const QRgb paperColour = f.Panel1->palette().color(QPalette::Window).rgb();
    const QPoint inset = f.Panel1->contentsRect().topLeft();
    // Panel (x, y) is rendering (x - inset).
    const int edge = f.Panel1->width() / 2 - inset.x();
    EXPECT_EQ(paper.pixel(edge - 1, 100), paperColour);
    EXPECT_EQ(paper.pixel(edge, 100), kPhoto);
    EXPECT_EQ(paper.pixel(10, 10), paperColour);
}

TEST_F(PictureCommands, CalendarBackgroundAtHalfOpacityBlendsWithThePhotoAndItsInkIsOpaque)
{
    TForm1 &f = MakeWithOutputWindows();
    OneColourPhoto(f);
    ASSERT_TRUE(f.CalForm[1] && f.ABackForm[1]);
    f.ABackForm[1]->SetAlphaBlendValue(128);
    QCoreApplication::processEvents();

    const ArrangementRendering arrangement = f.GatherArrangement();
    ASSERT_EQ(arrangement.pairs.size(), 1u);
    EXPECT_FALSE(arrangement.landscape);
    const QImage composed = ComposeArrangement(arrangement.paper, arrangement.pairs);
    ASSERT_EQ(composed.size(), f.Panel1->size() - QSize(20, 20));

    const CalendarPoints pts = FindPoints(f, 1, composed.rect());
    ASSERT_GE(pts.clear.x(), 0) << "no keyed-out pixel of the calendar lies on the picture";
    ASSERT_GE(pts.ink.x(), 0) << "no text pixel of the calendar lies on the picture";

    const QRgb back = ValueToColor(f.ABackForm[1]->Color()).rgb();
    EXPECT_EQ(composed.pixel(PictureOf(f, 1, pts.clear)) & 0xFFFFFF, Over(back, kPhoto, 128) & 0xFFFFFF);
    EXPECT_EQ(composed.pixel(PictureOf(f, 1, pts.ink)) & 0xFFFFFF, pts.inkColour & 0xFFFFFF);
    // Outside the calendar: the photo as it is. Picture (0, 0) is paper client (5, 5).
    EXPECT_EQ(composed.pixel(0, 0) & 0xFFFFFF, kPhoto & 0xFFFFFF);
}

TEST_F(PictureCommands, BackgroundFullyClearShowsThePhotoAndOpaqueShowsTheBackground)
{
    TForm1 &f = MakeWithOutputWindows();
    OneColourPhoto(f);
    const QRect pictureRect(QPoint(0, 0), f.Panel1->size() - QSize(20, 20));
    const CalendarPoints pts = FindPoints(f, 1, pictureRect);
    ASSERT_GE(pts.clear.x(), 0);
    const QPoint at = PictureOf(f, 1, pts.clear);

    f.ABackForm[1]->SetAlphaBlendValue(0);
    ArrangementRendering a = f.GatherArrangement();
    EXPECT_EQ(ComposeArrangement(a.paper, a.pairs).pixel(at) & 0xFFFFFF, kPhoto & 0xFFFFFF);

    f.ABackForm[1]->SetColor(0x00FFFF);  // yellow
    f.ABackForm[1]->SetAlphaBlendValue(255);
    a = f.GatherArrangement();
    EXPECT_EQ(ComposeArrangement(a.paper, a.pairs).pixel(at) & 0xFFFFFF, 0xFFFF00u);
}

TEST_F(PictureCommands, OnlyVisibleCalendarsInTheOrderTheyCameToTheFront)
{
    TForm1 &f = MakeWithOutputWindows();
    Ok(f, QStringLiteral("3"));
    ASSERT_EQ(f.CalendarCount(), 3);
    EXPECT_EQ(f.CalendarStackingOrder(), QVector<int>({1, 2, 3}));

    // Activating calendar 1 or the backing window of 2 brings that pair up.
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(f.CalForm[1], &activate);
    EXPECT_EQ(f.CalendarStackingOrder(), QVector<int>({2, 3, 1}));
    QCoreApplication::sendEvent(f.ABackForm[2], &activate);
    EXPECT_EQ(f.CalendarStackingOrder(), QVector<int>({3, 1, 2}));

    const QPoint origin = f.Panel1->mapToGlobal(f.Panel1->contentsRect().topLeft());
    ArrangementRendering a = f.GatherArrangement();
    ASSERT_EQ(a.pairs.size(), 3u);
    const int expected[] = {3, 1, 2};
    for (int i = 0; i < 3; ++i) {
        const int n = expected[i];
        EXPECT_EQ(a.pairs[i].calendarGeometry, f.CalForm[n]->geometry().translated(-origin)) << "pair " << i;
        EXPECT_EQ(a.pairs[i].backGeometry, f.ABackForm[n]->geometry().translated(-origin)) << "pair " << i;
        EXPECT_EQ(a.pairs[i].calendar.size(), f.CalForm[n]->size());
        EXPECT_EQ(a.pairs[i].alpha, f.ABackForm[n]->AlphaBlendValue());
    }

    // Fewer calendars: the hidden pairs are left out.
    Ok(f, QStringLiteral("1"));
    EXPECT_EQ(f.CalendarStackingOrder(), QVector<int>({1}));
    EXPECT_EQ(f.GatherArrangement().pairs.size(), 1u);
}

TEST_F(PictureCommands, CalendarWithoutColourKeyIsWhollyOpaque)
{
    TForm1 &f = MakeWithOutputWindows();
    OneColourPhoto(f);
    f.CalForm[1]->SetTransparentColor(false);
    f.ABackForm[1]->SetAlphaBlendValue(0);
    const ArrangementRendering a = f.GatherArrangement();
    ASSERT_EQ(a.pairs.size(), 1u);
    const QImage composed = ComposeArrangement(a.paper, a.pairs);
    const QImage own = f.CalForm[1]->RenderImage();
    // Every calendar pixel on the picture is the window's own.
    int checked = 0;
    for (int y = 0; y < own.height(); y += 7)
        for (int x = 0; x < own.width(); x += 7) {
            const QPoint at = PictureOf(f, 1, QPoint(x, y));
            if (!composed.rect().contains(at))
                continue;
            ASSERT_EQ(composed.pixel(at) & 0xFFFFFF, own.pixel(x, y) & 0xFFFFFF) << x << "," << y;
            ++checked;
        }
    EXPECT_GT(checked, 100);
}

TEST_F(PictureCommands, LandscapePaperGivesALandscapePicture)
{
    TForm1 &f = MakeWithOutputWindows();
    f.RadioGroupHoko->SetItemIndex(1);
    QCoreApplication::processEvents();
    const ArrangementRendering a = f.GatherArrangement();
    EXPECT_TRUE(a.landscape);
    QString error;
    EXPECT_EQ(CaptureCalendarPicture(a, &error).size(), QSize(2800, 2000));
}

// ---- Menu commands ----------------------------------------------------------

TEST_F(PictureCommands, SaveAndPrintRefuseWhileScrolledDown)
{
    TForm1 &f = MakeWithOutputWindows();
    if (!ScrollDown(f))
        GTEST_SKIP() << "the window cannot be made small enough to scroll";
    const QString path = out.filePath(QStringLiteral("cal.png"));
    dialogs::ClearShown();
    dialogs::AnswerFile(path, 3);
    f.MenuSaveAsPictureClick();
    EXPECT_EQ(dialogs::Shown(), QStringList{kScroll});  // no capture, no file dialog
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(f.PrintForm->CalendarBTM.isNull());

    dialogs::ClearShown();
    bool printWindowShown = false;
    QTimer::singleShot(0, f.PrintForm, [&] {
        printWindowShown = f.PrintForm->isVisible();
        f.PrintForm->reject();
    });
    f.MenuPrintClick();
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs::Shown(), QStringList{kScroll});
    EXPECT_FALSE(printWindowShown);

    // Back at the top the save goes ahead (and names the sample photo, too
    // small for print at its size).
    f.VertScrollBar()->setValue(0);
    dialogs::ClearShown();
    f.MenuSaveAsPictureClick();
    EXPECT_EQ(dialogs::Shown().value(0), kSaveTitle);
    EXPECT_TRUE(QFileInfo::exists(path));
}

TEST_F(PictureCommands, SaveAsPictureWritesWhatThePaperShowsAtTwoThousandByTwoThousandEightHundred)
{
    TForm1 &f = MakeWithOutputWindows();
    OneColourPhoto(f);
    ASSERT_TRUE(out.isValid());
    dialogs::ClearShown();
    dialogs::AnswerFile(out.filePath(QStringLiteral("cal")), 3);  // "PNGファイル(*.png)"
    f.MenuSaveAsPictureClick();
    EXPECT_EQ(dialogs::Shown(), QStringList{kSaveTitle});

    const QString path = out.filePath(QStringLiteral("cal.png"));
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), QByteArray("png"));
    const QImage saved = reader.read();
    ASSERT_EQ(saved.size(), QSize(2000, 2800));
    // The top-left corner lies on the photo (the calendar covers the lower half).
    EXPECT_EQ(saved.pixel(0, 0) & 0xFFFFFF, kPhoto & 0xFFFFFF);
    EXPECT_EQ(saved.pixel(1000, 300) & 0xFFFFFF, kPhoto & 0xFFFFFF);
    EXPECT_TRUE(f.PrintForm->CalendarBTM.isNull());
}

TEST_F(PictureCommands, SaveCommandCreatesTheWindowsItNeedsWhenStartUpDidNot)
{
    TForm1 &f = Make();
    ASSERT_EQ(f.PrintForm, nullptr);
    dialogs::AnswerFile(out.filePath(QStringLiteral("cal.bmp")), 1);
    f.MenuSaveAsPictureClick();
    ASSERT_NE(f.PrintForm, nullptr);
    EXPECT_EQ(QImage(out.filePath(QStringLiteral("cal.bmp"))).size(), QSize(2000, 2800));
}

TEST_F(PictureCommands, PrintMenuShowsThePrintWindowModallyAndPrintsTheFittedPicture)
{
    TForm1 &f = MakeWithOutputWindows();
    if (!f.PrintForm->PrintsToPdfFile())
        GTEST_SKIP() << "a printer is installed; printing to it is not tried here";
    const QString pdf = out.filePath(QStringLiteral("cal.pdf"));
    bool modal = false;
    QTimer::singleShot(0, f.PrintForm, [&] {
        modal = f.PrintForm->isVisible() && f.PrintForm->isModal();
        dialogs::AnswerFile(pdf, 1);
        f.PrintForm->BtnPrintClick();
    });
    f.MenuPrintClick();
    EXPECT_TRUE(modal);
    EXPECT_FALSE(f.PrintForm->isVisible());
    EXPECT_TRUE(QFileInfo(pdf).size() > 0);
    EXPECT_TRUE(dialogs::Shown().contains(QStringLiteral("カレンダーをプリンターポートへ送信しました。")));
    // A portrait picture on a portrait A4 page fills the page width, keeping
    // its proportions, centred on the page's height.
    const QRect drawn = f.PrintForm->LastPrintRect();
    const int pw = f.PrintForm->Printer()->width();  // printable area in device pixels
    const int ph = f.PrintForm->Printer()->height();
    EXPECT_EQ(drawn.left(), 0);
    EXPECT_EQ(drawn.width(), pw);
    EXPECT_EQ(drawn.height(), int(std::nearbyint(2800.0 * pw / 2000.0)));
    EXPECT_EQ(drawn.top(), (ph - drawn.height()) / 2);
}

TEST_F(PictureCommands, VersionMenuShowsTheAboutWindowModally)
{
    TForm1 &f = MakeWithOutputWindows();
    bool shownModal = false;
    QTimer::singleShot(0, f.VersionForm, [&] {
        shownModal = f.VersionForm->isVisible() && f.VersionForm->isModal();
        f.VersionForm->reject();
    });
    f.MenuVersionClick();
    EXPECT_TRUE(shownModal);
    EXPECT_FALSE(f.VersionForm->isVisible());
}

} // namespace

// Receives the desktop's "open" requests for files instead of a viewer.
class OpenedUrls : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls.append(url); }
};

namespace {

TEST_F(PictureCommands, HelpMenuFocusesTheSettingsAndOpensTheHelpFile)
{
    TForm1 &f = MakeWithOutputWindows();
    OpenedUrls opened;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "open");
    f.LECalendarYear->setFocus();
    f.MenuHelpClick();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    ASSERT_EQ(opened.urls.size(), 1);
    EXPECT_EQ(opened.urls[0], QUrl::fromLocalFile(f.Folda + QStringLiteral("/ReadMe.txt")));
    // The page control passes its focus to its tab bar.
    EXPECT_TRUE(f.focusWidget() == f.PageControl1 || f.PageControl1->isAncestorOf(f.focusWidget()));
    EXPECT_FALSE(f.LECalendarYear->isAncestorOf(f.focusWidget()) || f.focusWidget() == f.LECalendarYear);
}

} // namespace
} // namespace tamarie::testing

#include "picture_commands_test.moc"
