// Undo and redo as a user meets them: two hundred random edits through the
// editor's own handlers over twelve calendars and three photos, then every
// step undone and every step redone.  The document, what the windows and
// controls show, and a picture drawn from them must come back exactly.
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QUndoStack>

#include <random>

#include "arrangement_render.h"
#include "back_form.h"
#include "calendar_form.h"
#include "color_box.h"
#include "editor_fixture.h"
#include "font_color_dialogs.h"
#include "input_state.h"
#include "photo_image.h"
#include "radio_group.h"
#include "title_panel.h"

namespace tamarie::testing {
namespace {

// What the windows and controls show, as text.
QStringList WindowsOf(TForm1 &f)
{
    QStringList out;
    auto rect = [](const QRect &r) { return QStringLiteral("%1,%2,%3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()); };
    for (int n = 1; n <= kMaxCalendars; ++n) {
        const TplCalendarForm *cal = f.CalForm[n];
        if (!cal || !cal->isVisible())
            continue;
        const TBackForm *back = f.ABackForm[n];
        out << QStringLiteral("cal %1 %2 %3 %4 %5 %6 %7 %8 %9 %10")
                   .arg(n)
                   .arg(rect(cal->geometry()), rect(cal->Panel->geometry()), rect(cal->Calendar->geometry()))
                   .arg(cal->Color())
                   .arg(cal->Panel->Color())
                   .arg(cal->Calendar->FontColor())
                   .arg(cal->Calendar->font().toString(), cal->Panel->font().toString(), cal->Panel->Caption())
               << QStringLiteral("back %1 %2 %3 %4").arg(n).arg(rect(back->geometry())).arg(back->AlphaBlendValue()).arg(back->Color())
               << QStringLiteral("month %1 %2").arg(n).arg(cal->Calendar->CalendarDate());
    }
    for (QObject *child : f.Panel1->children())
        if (auto *photo = qobject_cast<TImage *>(child); photo && f.ImgPicture.contains(photo))
            out << QStringLiteral("photo %1 %2 %3 %4")
                       .arg(photo->Tag)
                       .arg(rect(photo->geometry()), photo->FileName())
                       .arg(photo->QuarterTurns());
    out << QStringLiteral("paper %1 %2").arg(rect(f.Panel1->geometry())).arg(f.Panel1->palette().color(QPalette::Window).name())
        << QStringLiteral("controls %1 %2 %3 %4 %5 %6 %7 %8 %9")
               .arg(f.ColorBoxCalendarBackColor->Selected())
               .arg(f.ColorBoxYearMonthBackColor->Selected())
               .arg(f.TrackBarAlphaBlend->value())
               .arg(f.ColorBoxHolidayTextColor->Selected())
               .arg(f.ColorBoxDayTextColor->Selected())
               .arg(f.RadioGroupFirstDayOfWeek->ItemIndex())
               .arg(f.RadioGroupMonthMode->ItemIndex())
               .arg(f.RadioGroupWeekDayMode->ItemIndex())
               .arg(f.CheckBoxShowRokuyo->isChecked())
        << QStringLiteral("more %1 %2 %3 %4 %5 %6")
               .arg(f.CheckBoxSameSize->isChecked())
               .arg(f.CheckBoxSameBackColor->isChecked())
               .arg(f.RadioGroupHoko->ItemIndex())
               .arg(f.ColorBoxPaperColor->Selected())
               .arg(f.LblFontName->text())
               .arg(f.ImgThumbnail->pixmap().isNull() ? 0u : f.ImgThumbnail->pixmap().toImage().pixel(5, 5));
    return out;
}

struct State {
    Document doc;
    QStringList windows;
    QImage picture;
};

class UndoProperty : public ScriptedInputTest {
protected:
    State Now(TForm1 &f)
    {
        QCoreApplication::processEvents();
        return {f.Doc(), WindowsOf(f), RenderArrangementPicture(f.CaptureArrangement(), f.PaintData(), QSize(400, 560))};
    }

    static void Mouse(QWidget *w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }
    static void Pick(QComboBox *list, int i)
    {
        list->setCurrentIndex(i);
        emit list->activated(i);
    }

    // One edit of the user, chosen by the generator.
    void RandomEdit(TForm1 &f, std::mt19937 &rng)
    {
        auto pick = [&rng](int n) { return int(rng() % unsigned(n)); };
        const TColorValue colours[] = {0x102030, 0xC0C0FF, 0x00FFFF, 0xFF0000, 0x408040, 0xFFFFFF};
        const int count = f.CalendarCount();
        switch (pick(12)) {
        case 0: {  // a title drag
            TplCalendarForm *cal = f.CalForm[1 + pick(count)];
            const QPoint at = cal->Panel->mapToGlobal(QPoint(cal->Panel->width() / 2, 3));
            QCursor::setPos(at);
            cal->PanelMouseDown(cal->Panel, Qt::LeftButton, Qt::LeftButton, 0, 0);
            const QPoint by(pick(81) - 40, pick(81) - 40 + 7);
            for (int step = 1; step <= 3; ++step) {
                QCursor::setPos(at + by * step / 3);
                cal->PanelMouseMove(cal->Panel, Qt::LeftButton, 0, 0);
            }
            cal->PanelMouseUp(cal->Panel, Qt::LeftButton, 0, 0);
            break;
        }
        case 1: {  // wheel notches on a title, [X] or [Y] held or neither
            TplCalendarForm *cal = f.CalForm[1 + pick(count)];
            input::SetFocusWidget(cal->Panel);
            input::SetCursorPos(cal->Panel->mapToGlobal(QPoint(2, 2)));
            input::SetKeyHeld(Qt::Key_X, pick(3) == 0);
            for (int notch = pick(3); notch >= 0; --notch)
                f.MouseWheelStep(pick(2) ? 120 : -120);
            input::SetKeyHeld(Qt::Key_X, false);
            break;
        }
        case 2: {  // a photo drag
            if (f.ImgCount() == 0)
                break;
            TImage *photo = f.ImgPicture[pick(f.ImgCount())];
            const QPoint by(pick(61) - 30, 6 + pick(30));
            Mouse(photo, QEvent::MouseButtonPress, QPoint(2, 2), Qt::LeftButton, Qt::LeftButton);
            Mouse(photo, QEvent::MouseMove, QPoint(2, 2) + by, Qt::NoButton, Qt::LeftButton);
            Mouse(photo, QEvent::MouseButtonRelease, QPoint(2, 2), Qt::LeftButton, Qt::NoButton);
            break;
        }
        case 3:  // wheel notches on the selected photo
            if (f.SelectedImgPictureNo() >= 0) {
                input::SetFocusWidget(f.PageControl1);
                input::SetCursorPos(f.ImgPicture[f.SelectedImgPictureNo()]->mapToGlobal(QPoint(0, 0)));
                f.MouseWheelStep(pick(2) ? 120 : -120);
            }
            break;
        case 4:  // a photo more or less, keeping about three
            if (f.ImgCount() < 3 || (f.ImgCount() < 4 && pick(2))) {
                dialogs::AnswerFile(Photos[pick(3)]);
                f.BtnAddPicture->click();
            } else {
                dialogs::Answer(true);
                f.BtnDeletePicture->click();
            }
            break;
        case 5:
            (pick(2) ? f.MenuTop : f.MenuBack)->trigger();
            break;
        case 6: {  // a colour for all months, one, or none chosen
            const int target = pick(count + 2) - 1;
            switch (pick(5)) {
            case 0:
                Pick(f.ComboBoxCalendarBackColorTekiyo, target);
                f.ColorBoxCalendarBackColor->SetSelected(colours[pick(6)]);
                break;
            case 1:
                Pick(f.ComboBoxYearMonthBackColorTekiyo, target);
                f.ColorBoxYearMonthBackColor->SetSelected(colours[pick(6)]);
                break;
            case 2:
                Pick(f.ComboBoxAlphaBlendTekiyo, target);
                f.TrackBarAlphaBlend->setValue(pick(256));
                break;
            case 3:
                Pick(f.ComboBoxHolidayTextColorTekiyo, target);
                f.ColorBoxHolidayTextColor->SetSelected(colours[pick(6)]);
                break;
            default:
                Pick(f.ComboBoxDayTextColorTekiyo, target);
                f.ColorBoxDayTextColor->SetSelected(colours[pick(6)]);
                break;
            }
            break;
        }
        case 7: {  // the font dialog
            Pick(f.ComboBoxFontTekiyo, pick(count + 1));
            QFont font(pick(2) ? QStringLiteral("Serif") : QStringLiteral("Sans"));
            font.setPointSize(8 + pick(10));
            font.setBold(pick(2));
            dialogs::AnswerFont(font, QColor(colours[pick(6)] & 0xFF, 0, 0));
            f.BtnCalendarFont->click();
            break;
        }
        case 8:
            f.RadioGroupFirstDayOfWeek->SetItemIndex(pick(7));
            f.RadioGroupMonthMode->SetItemIndex(pick(7));
            break;
        case 9:
            if (pick(2))
                f.RadioGroupWeekDayMode->SetItemIndex(pick(2));
            else
                f.CheckBoxShowRokuyo->toggle();
            break;
        case 10:
            if (pick(2))
                f.ColorBoxPaperColor->SetSelected(colours[pick(6)]);
            else
                f.RadioGroupHoko->SetItemIndex(pick(2));
            break;
        default:
            (pick(2) ? f.CheckBoxSameSize : f.CheckBoxSameBackColor)->toggle();
            break;
        }
    }

    QStringList Photos;
    QTemporaryDir dir;
};

TEST_F(UndoProperty, TwoHundredRandomEditsUndoneAndRedoneComeBackExactly)
{
    TForm1 &f = MakeShowingMonths(2026, 1, 12);
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue};
    for (int i = 0; i < 3; ++i) {
        Photos << dir.filePath(QStringLiteral("p%1.png").arg(i));
        QImage picture(48 + 8 * i, 36, QImage::Format_RGB32);
        picture.fill(colours[i]);
        ASSERT_TRUE(picture.save(Photos[i]));
    }
    ChangeDocument(f, [&](Document &d) {
        while (d.PhotoCount() > 0)
            RemovePhoto(d, 0);
        for (int i = 0; i < 3; ++i) {
            const PaperPlace place = PlaceOf(QRect(30 * i, 40 * i, 160, 120), d.paper.layoutSize);
            AddPhoto(d, {Photos[i], place, place, 0});
        }
        d.selectedPhoto = 0;
    });
    QUndoStack *stack = f.History->Stack();
    const int first = stack->index();
    const State start = Now(f);

    std::mt19937 rng(20261211);
    for (int edit = 0; edit < 200; ++edit)
        RandomEdit(f, rng);
    const State end = Now(f);
    const int last = stack->index();
    ASSERT_GT(last - first, 100) << "most edits are steps";
    EXPECT_NE(end.doc, start.doc);

    while (stack->index() > first)
        stack->undo();
    const State undone = Now(f);
    EXPECT_TRUE(undone.doc == start.doc);
    EXPECT_EQ(undone.windows, start.windows);
    EXPECT_TRUE(undone.picture == start.picture);

    while (stack->index() < last)
        stack->redo();
    const State redone = Now(f);
    EXPECT_TRUE(redone.doc == end.doc);
    EXPECT_EQ(redone.windows, end.windows);
    EXPECT_TRUE(redone.picture == end.picture);
}

} // namespace
} // namespace tamarie::testing
