// The editing area on the main window: the paper after a settled resize, the
// orientation, minimising, the paper colour; and the direct manipulation on
// it: wheel resizing of calendars and photos, the size/position hints and the
// picture commands.
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

#include "color_box.h"
#include "editor_fixture.h"
#include "hint_texts.h"
#include "input_state.h"
#include "labeled_edit.h"
#include "photo_frames.h"
#include "paper_layout.h"
#include "photo_image.h"
#include "photo_layers.h"
#include "radio_group.h"
#include "title_panel.h"
#include "wheel_steps.h"

using namespace tamarie;
using tamarie::testing::ChangeDocument;
using tamarie::testing::ScriptedInputTest;

namespace {

class Layout : public ScriptedInputTest {
protected:
    TForm1 &MakeWith(int count)
    {
        TForm1 &f = Make();
        f.LECalendarYear->setText(QStringLiteral("2025"));
        f.LECalendarMonth->setText(QStringLiteral("4"));
        f.LECalendarMonths->setText(QString::number(count));
        f.BtnOK->click();
        QCoreApplication::processEvents();
        dialogs::ClearShown();
        return f;
    }

    // Waits for a pending resize layout to run.
    static void Settle(TForm1 &f)
    {
        for (int i = 0; i < 200 && f.ResizeTimer->isActive(); ++i)
            QTest_wait(10);
    }
    static void QTest_wait(int ms)
    {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }

    // A layout of the paper would now move the photo and calendar 1: where
    // resizes place them from differs from where they are.
    static void MisplaceForALayout(TForm1 &f)
    {
        ChangeDocument(f, [](Document &d) {
            d.photos[0].scaleFrom = PlaceOf(QRect(1, 2, 30, 40), d.paper.layoutSize);
            d.calendars[0].scaleFrom = PlaceOf(QRect(3, 4, 50, 60), d.paper.layoutSize);
        });
    }

    // Pointer on calendar n's title, which has the focus.
    void AimAtTitle(int n)
    {
        TTitlePanel *title = form->CalForm[n]->Panel;
        input::SetFocusWidget(title);
        input::SetCursorPos(title->mapToGlobal(QPoint(3, 3)));
    }
    // Pointer on the selected photo, the settings pages focused.
    void AimAtPhoto()
    {
        TImage *photo = form->ImgPicture[form->SelectedImgPictureNo()];
        input::SetFocusWidget(form->PageControl1);
        input::SetCursorPos(photo->mapToGlobal(QPoint(2, 2)));
    }
};

} // namespace

// ---- Paper layout ----------------------------------------------------------

TEST_F(Layout, MainWindowCannotShrinkBelowAUsableClientArea)
{
    TForm1 &f = Make();
    f.setWindowState(Qt::WindowNoState);
    f.resize(100, 50);
    EXPECT_GE(f.width(), kMinClientWidth);
    EXPECT_GE(f.height(), kMinClientHeight);
}

TEST_F(Layout, ResizeScalesPhotosWithThePaper)
{
    TForm1 &f = Make();
    // The paper of the last layout was 500 x 700; the client area now gives 607 x 850.
    f.setWindowState(Qt::WindowNoState);
    f.resize(1600, 850 + f.menuBar()->height());
    QCoreApplication::processEvents();
    Settle(f);
    if (f.ClientWidth() != 1600 || f.ClientHeight() != 850)
        GTEST_SKIP() << "the window system did not give the requested client area";
    ChangeDocument(f, [](Document &d) { d.paper.layoutSize = QSize(500, 700); });
    f.Image1->setGeometry(50, 40, 300, 200);
    f.FormResize();
    EXPECT_EQ(f.Panel1->size(), QSize(607, 850));
    EXPECT_EQ(f.PanelConfig->x(), 1600 - f.PanelConfig->width() - 10);
    EXPECT_EQ(f.Image1->geometry(), QRect(61, 49, 364, 243));
    EXPECT_EQ(f.CurrentPanelWidth(), 607);
    EXPECT_EQ(f.CurrentPanelHeight(), 850);
}

TEST_F(Layout, ResizeLaysOutOnceItHasSettled)
{
    TForm1 &f = Make();
    f.setWindowState(Qt::WindowNoState);
    QCoreApplication::processEvents();
    Settle(f);
    f.resize(900, 700);
    f.resize(1000, 760);
    QCoreApplication::sendPostedEvents();
    Settle(f);
    EXPECT_FALSE(f.ResizeTimer->isActive());
    const QSize expected =
        ResizePaperLayout(QSize(f.ClientWidth(), f.ClientHeight()), f.PanelConfig->width(), PaperOrientation::Portrait)
            .paper;
    EXPECT_EQ(f.Panel1->size(), expected);
    EXPECT_EQ(QSize(f.CurrentPanelWidth(), f.CurrentPanelHeight()), expected);
}

TEST_F(Layout, MinimisingAndRestoringChangesNothing)
{
    TForm1 &f = Make();
    QCoreApplication::processEvents();
    Settle(f);
    MisplaceForALayout(f);  // a layout now would move the photo
    const QSize paper = f.Panel1->size();
    const QRect photo = f.Image1->geometry();
    f.setWindowState(Qt::WindowMinimized);
    QCoreApplication::processEvents();
    Settle(f);
    EXPECT_TRUE(f.IsMinimized);
    f.setWindowState(Qt::WindowMaximized);
    QCoreApplication::processEvents();
    Settle(f);
    EXPECT_FALSE(f.IsMinimized);
    EXPECT_EQ(f.Panel1->size(), paper);
    EXPECT_EQ(f.Image1->geometry(), photo);
}

TEST_F(Layout, FirstResizeAfterRestoringIsSkipped)
{
    TForm1 &f = Make();
    MisplaceForALayout(f);
    const QSize paper = f.Panel1->size();
    const QRect photo = f.Image1->geometry();
    f.IsMinimized = true;  // restored from the task bar
    f.FormResize();
    EXPECT_FALSE(f.IsMinimized);
    EXPECT_EQ(f.Panel1->size(), paper);
    EXPECT_EQ(f.Image1->geometry(), photo);
}

TEST_F(Layout, OrientationFitsButNeverScales)
{
    TForm1 &f = MakeWith(2);
    f.CalForm[1]->resize(120, 100);
    MisplaceForALayout(f);  // scaling would be visible at once
    const QPoint pos1 = f.CalForm[1]->pos();
    f.RadioGroupHoko->SetItemIndex(1);
    f.RadioGroupHokoClick();
    const QSize paper = f.Panel1->size();
    EXPECT_GT(paper.width(), paper.height());
    EXPECT_EQ(paper,
              ResizePaperLayout(QSize(f.ClientWidth(), f.ClientHeight()), f.PanelConfig->width(),
                                PaperOrientation::Landscape)
                  .paper);
    EXPECT_EQ(f.CalForm[1]->size(), QSize(120, 100));
    EXPECT_EQ(f.CalForm[1]->pos(), pos1);
    EXPECT_EQ(f.CurrentPanelWidth(), paper.width());

    // Back to portrait: a calendar wider than the paper is cut to its width
    // and laid out again, with its backing window.
    f.CalForm[2]->resize(paper.width(), 100);
    f.RadioGroupHoko->SetItemIndex(0);
    f.RadioGroupHokoClick();
    EXPECT_EQ(f.CalForm[2]->width(), f.Panel1->width());
    EXPECT_EQ(f.ABackForm[2]->size(), f.CalForm[2]->size());
    EXPECT_LE(f.Image1->width(), f.Panel1->width() - 15);
}

TEST_F(Layout, OrientationIgnoredWhileLoading)
{
    TForm1 &f = Make();
    const QSize paper = f.Panel1->size();
    f.IsLoadingFile = true;
    f.RadioGroupHoko->SetItemIndex(1);
    f.RadioGroupHokoClick();
    f.IsLoadingFile = false;
    EXPECT_EQ(f.Panel1->size(), paper);
}

TEST_F(Layout, PaperColourShowsAtOnceEvenWhileLoading)
{
    TForm1 &f = Make();
    f.IsLoadingFile = true;
    f.ColorBoxPaperColor->SetSelected(clWhite);
    EXPECT_EQ(f.Panel1->palette().color(QPalette::Window), QColor(Qt::white));
}

// ---- Wheel ---------------------------------------------------------------

TEST_F(Layout, WheelOnAFocusedTitleResizesTheCalendarAndItsBackingWindow)
{
    TForm1 &f = MakeWith(2);
    f.CalForm[2]->resize(200, 150);
    AimAtTitle(2);
    f.MouseWheelStep(-120);
    EXPECT_EQ(f.CalForm[2]->size(), QSize(220, 165));
    EXPECT_EQ(f.ABackForm[2]->size(), QSize(220, 165));
    // Laid out again: the grid's width is a whole number of columns.
    EXPECT_EQ(f.CalForm[2]->Calendar->width() % 7, 0);
    EXPECT_EQ(f.CalForm[2]->Calendar->font().pointSize(), RoundHalfEven(220 * 0.04));
    f.MouseWheelStep(240);
    EXPECT_EQ(f.CalForm[2]->size(), QSize(198, 148));  // one step whatever the distance
}

TEST_F(Layout, WheelKeysChangeOneSideBySevenPixels)
{
    TForm1 &f = MakeWith(1);
    f.CalForm[1]->resize(200, 150);
    AimAtTitle(1);
    input::SetKeyHeld(Qt::Key_X, true);
    input::SetKeyHeld(Qt::Key_Y, true);
    f.MouseWheelStep(-120);
    EXPECT_EQ(f.CalForm[1]->size(), QSize(207, 150));
    input::SetKeyHeld(Qt::Key_X, false);
    f.MouseWheelStep(120);
    EXPECT_EQ(f.CalForm[1]->size(), QSize(207, 143));
}

TEST_F(Layout, WheelGrowthStopsAtThePaper)
{
    TForm1 &f = MakeWith(1);
    f.CalForm[1]->resize(f.Panel1->width() - 3, 100);
    AimAtTitle(1);
    input::SetKeyHeld(Qt::Key_X, true);
    f.MouseWheelStep(-120);
    EXPECT_EQ(f.CalForm[1]->width(), f.Panel1->width());
}

TEST_F(Layout, FocusedTitleWithThePointerElsewhereFallsBackToThePhoto)
{
    TForm1 &f = MakeWith(1);
    const QSize cal = f.CalForm[1]->size();
    f.Image1->resize(100, 80);
    input::SetFocusWidget(f.CalForm[1]->Panel);
    input::SetCursorPos(f.Image1->mapToGlobal(QPoint(1, 1)));
    f.MouseWheelStep(-120);
    EXPECT_EQ(f.CalForm[1]->size(), cal);
    EXPECT_EQ(f.Image1->size(), QSize(100, 80));  // the settings pages lack the focus
    AimAtPhoto();
    f.MouseWheelStep(-120);
    EXPECT_EQ(f.Image1->size(), QSize(110, 88));
    EXPECT_EQ(f.CalForm[1]->size(), cal);
}

TEST_F(Layout, WheelWithZeroDistanceOrNoPhotoDoesNothing)
{
    TForm1 &f = Make();
    f.Image1->resize(100, 80);
    AimAtPhoto();
    f.MouseWheelStep(0);
    EXPECT_EQ(f.Image1->size(), QSize(100, 80));
    f.BtnDeletePictureClickFrom(nullptr);
    ASSERT_EQ(f.ImgCount(), 0);
    input::SetCursorPos(f.Panel1->mapToGlobal(QPoint(5, 5)));
    f.MouseWheelStep(-120);  // nothing to resize, nothing breaks
    EXPECT_EQ(f.SelectedImgPictureNo(), -1);
}

TEST_F(Layout, SameSizeSpreadsOneNotchToEveryCalendar)
{
    TForm1 &f = MakeWith(5);
    f.CheckBoxSameSize->setChecked(true);
    f.CalForm[3]->resize(200, 150);
    AimAtTitle(3);
    f.MouseWheelStep(-120);
    for (int n = 1; n <= 5; ++n) {
        EXPECT_EQ(f.CalForm[n]->size(), QSize(220, 165)) << n;
        EXPECT_EQ(f.ABackForm[n]->size(), QSize(220, 165)) << n;
        EXPECT_EQ(f.CalForm[n]->Calendar->font().pointSize(), RoundHalfEven(220 * 0.04)) << n;
    }
}

TEST_F(Layout, ShrinkingPastZeroKeepsTheNumbersButNotTheWindowSize)
{
    TForm1 &f = MakeWith(1);
    f.Image1->resize(10, 50);
    AimAtPhoto();
    input::SetKeyHeld(Qt::Key_X, true);
    f.MouseWheelStep(120);
    f.MouseWheelStep(120);
    EXPECT_EQ(f.Image1->size(), QSize(1, 50));
    QString hint;
    bool canShow = true;
    f.ApplicationEvents1ShowHint(hint, canShow, f.Image1);
    EXPECT_TRUE(hint.startsWith(PhotoHintText(-4, 50, f.Image1->x(), f.Image1->y()))) << hint.toStdString();
    input::SetCursorPos(f.Image1->mapToGlobal(QPoint(0, 0)));  // the one pixel left
    f.MouseWheelStep(-120);
    EXPECT_EQ(f.Image1->size(), QSize(3, 50));

    // A calendar stays big enough to be clicked and grown again.
    f.CalForm[1]->resize(20, 30);
    AimAtTitle(1);
    f.MouseWheelStep(120);
    f.MouseWheelStep(120);
    f.MouseWheelStep(120);
    EXPECT_GE(f.CalForm[1]->width(), kMinShownCalendar.width());
    EXPECT_GE(f.CalForm[1]->height(), kMinShownCalendar.height());
    f.ApplicationEvents1ShowHint(hint, canShow, f.CalForm[1]->Calendar);
    EXPECT_TRUE(hint.contains(QStringLiteral("横:-1X 縦:30"))) << hint.toStdString();
}

TEST_F(Layout, AWheelEventTakenFromTheQueueIsOneStep)
{
    TForm1 &f = Make();
    f.Image1->resize(100, 80);
    AimAtPhoto();
    const QPointF local(2, 2);
    QWheelEvent wheel(local, f.Image1->mapToGlobal(local), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(f.windowHandle(), &wheel);
    EXPECT_EQ(f.Image1->size(), QSize(110, 88));
}

// ---- Hints ---------------------------------------------------------------

TEST_F(Layout, HintsReadOutCalendarsAndPhotos)
{
    TForm1 &f = MakeWith(2);
    f.CalForm[1]->resize(219, 202);
    QString hint;
    bool canShow = true;
    f.ApplicationEvents1ShowHint(hint, canShow, f.ABackForm[1]);
    const QPoint at = f.ScrollBox->viewport()->mapFromGlobal(f.CalForm[1]->pos());
    EXPECT_EQ(hint, CalendarHintText(1, 219, 202, at.x(), at.y()));
    QString fromTitle;
    f.ApplicationEvents1ShowHint(fromTitle, canShow, f.CalForm[1]->Panel);
    EXPECT_EQ(fromTitle, hint);

    // A photo's read-out goes on with its pixels and what they give in print.
    f.Image1->setGeometry(6, 7, 385, 280);
    f.ApplicationEvents1ShowHint(hint, canShow, f.Image1);
    EXPECT_TRUE(hint.startsWith(QString::fromUtf8("[画像]\r横:385X 縦:280\r左上座標:(6,7)\r元画像:800X600ピクセル\r印刷時:約")))
        << hint.toStdString();

    QString other = QStringLiteral("unchanged");
    f.ApplicationEvents1ShowHint(other, canShow, f.BtnOK);
    EXPECT_EQ(other, QStringLiteral("unchanged"));
}

// ---- Picture commands ------------------------------------------------------

TEST_F(Layout, AddPictureThenCancelLeavesANewEmptySelectedPhoto)
{
    TForm1 &f = Make();
    const QPixmap thumb = f.ImgThumbnail->pixmap();
    f.BtnAddPicture->click();  // no file answer queued: the dialog is cancelled
    EXPECT_EQ(f.ImgCount(), 2);
    EXPECT_EQ(f.SelectedImgPictureNo(), 1);
    EXPECT_EQ(f.ImgPicture[1]->geometry(), QRect(0, 0, 200, 150));
    EXPECT_TRUE(f.ImageFileName()[1].isEmpty());
    EXPECT_EQ(f.ImgThumbnail->pixmap().cacheKey(), thumb.cacheKey());
    EXPECT_EQ(dialogs::Shown().size(), 1);  // the picture dialog was asked
}

TEST_F(Layout, AddPictureFromTheReaderOpensNoDialog)
{
    TForm1 &f = Make();
    f.BtnAddPictureClickFrom(nullptr);
    EXPECT_EQ(f.ImgCount(), 2);
    EXPECT_TRUE(dialogs::Shown().isEmpty());
}

TEST_F(Layout, DeleteAsksWithTheFileNameAndNoKeepsThePhoto)
{
    TForm1 &f = Make();
    ChangeDocument(f, [](Document &d) { d.photos[0].fileName = QStringLiteral("/somewhere/Data/fukurouoyako_fm.jpg"); });
    f.BtnDeletePicture->click();  // no answer: No
    EXPECT_EQ(dialogs::Shown(), QStringList{QString::fromUtf8("画像\"fukurouoyako_fm\"を削除しますか?")});
    EXPECT_EQ(f.ImgCount(), 1);
    dialogs::Answer(true);
    f.BtnDeletePicture->click();
    EXPECT_EQ(f.ImgCount(), 0);
    EXPECT_EQ(f.SelectedImgPictureNo(), -1);
    EXPECT_TRUE(f.ImgThumbnail->pixmap().isNull());
    // Nothing selected: change and delete do nothing, not even ask.
    dialogs::ClearShown();
    f.BtnLoadPicture->click();
    f.BtnDeletePicture->click();
    EXPECT_TRUE(dialogs::Shown().isEmpty());
}

TEST_F(Layout, ReplacingAPictureUpdatesTheThumbnailAndFitsItWithinTheFrame)
{
    TForm1 &f = Make();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("photo.tif"));
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(Qt::green);
    ASSERT_TRUE(img.save(path, "PNG"));  // content decides, not the extension
    const QRect bounds = f.Image1->geometry();
    dialogs::AnswerFile(path);
    f.BtnLoadPicture->click();
    EXPECT_EQ(f.ImageFileName()[0], path);
    EXPECT_EQ(f.Image1->geometry(), FittedFrame(QSize(40, 30), bounds));
    EXPECT_EQ(f.Image1->PixelSize(), QSize(40, 30));
    ASSERT_TRUE(WaitForScreenCopies());
    EXPECT_FALSE(f.ImgThumbnail->pixmap().isNull());
}
