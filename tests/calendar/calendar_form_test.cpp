// Calendar window and backing window, headless: design state, the title
// drag with its threshold, the backing window following and forwarding, the
// colour-key shape and the renderings used by the capture.
#include "calendar/back_form.h"
#include "calendar/calendar_form.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace tamarie {
namespace {

QString U(const char *s)
{
    return QString::fromUtf8(s);
}

// A calendar window whose cursor the test moves and whose window-system
// move is either refused (the window then follows the pointer itself) or
// accepted (the window system takes over).
class TestCalendarForm : public TplCalendarForm {
public:
    QPoint cursor{100, 100};
    bool systemMove = false;
    int moveStarts = 0;

protected:
    QPoint CursorPos() const override { return cursor; }
    bool BeginWindowMove(const QPoint &) override
    {
        ++moveStarts;
        return systemMove;
    }
};

// Lets window-system notifications (moves, repaints, queued shape updates) arrive.
void Settle()
{
    for (int i = 0; i < 4; ++i)
        QApplication::processEvents();
}

void SendMouse(QWidget *w, QEvent::Type type, const QPoint &pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

TEST(CalendarForm, DesignState)
{
    TplCalendarForm form;
    EXPECT_EQ(form.size(), QSize(219, 202));
    EXPECT_EQ(form.Panel->geometry(), QRect(0, 0, 219, 31));
    EXPECT_EQ(form.Calendar->geometry(), QRect(0, 31, 219, 170));
    EXPECT_EQ(form.Panel->Color(), clMoneyGreen);
    EXPECT_EQ(form.Panel->FontColor(), clBlack);
    EXPECT_TRUE(form.Panel->font().bold());
    EXPECT_FALSE(form.Calendar->font().bold());
    EXPECT_EQ(form.Calendar->GridLineWidth(), 0);
    EXPECT_EQ(form.Calendar->StartOfWeek(), 0);
    EXPECT_EQ(form.Calendar->Color(), clWhite);
    EXPECT_EQ(form.Color(), clWhite);
    EXPECT_TRUE(form.TransparentColor());
    EXPECT_EQ(form.TransparentColorValue(), clWhite);
    EXPECT_EQ(form.FplCalendar, form.Calendar);
    EXPECT_EQ(form.Calendar->FCalForm, &form);
    EXPECT_TRUE(form.Calendar->FCanClose);
    EXPECT_EQ(form.PanelFormatDate(), U("yyyy年 M月"));
    EXPECT_TRUE(form.isWindow());
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
}

TEST(CalendarForm, FirstTitleIsTheCurrentMonth)
{
    TplCalendarForm form;
    const QDate today = QDate::currentDate();
    EXPECT_EQ(form.Panel->Caption(), QString::number(today.year()) + U("年 ") + QString::number(today.month()) + U("月"));
}

TEST(CalendarForm, PanelDatePattern)
{
    EXPECT_EQ(FormatPanelDate(U("yyyy年 M月"), DateToValue(QDate(2025, 3, 15))), U("2025年 3月"));
    EXPECT_EQ(FormatPanelDate(U("yyyy年 M月"), DateToValue(QDate(2024, 12, 1))), U("2024年 12月"));
    EXPECT_TRUE(FormatPanelDate(U("yyyy年 M月"), 1e15).isEmpty());
}

TEST(CalendarForm, OwnedByTheMainWindowYetTopLevel)
{
    QWidget mainWindow;
    auto *form = new TplCalendarForm(&mainWindow);
    EXPECT_TRUE(form->isWindow());
    EXPECT_EQ(form->parentWidget(), &mainWindow);
}

TEST(DragThreshold, NineByNineSquare)
{
    const QPoint down(100, 100);
    EXPECT_FALSE(DragThresholdExceeded(down, down));
    EXPECT_FALSE(DragThresholdExceeded(down, QPoint(104, 104)));
    EXPECT_FALSE(DragThresholdExceeded(down, QPoint(96, 96)));
    EXPECT_FALSE(DragThresholdExceeded(down, QPoint(104, 96)));
    EXPECT_TRUE(DragThresholdExceeded(down, QPoint(105, 100)));
    EXPECT_TRUE(DragThresholdExceeded(down, QPoint(100, 105)));
    EXPECT_TRUE(DragThresholdExceeded(down, QPoint(95, 100)));
    EXPECT_TRUE(DragThresholdExceeded(down, QPoint(100, 95)));
}

TEST(TitleDrag, FourPixelsMoveNothingFiveStartTheDrag)
{
    TestCalendarForm form;
    form.systemMove = true;
    form.move(300, 200);
    form.cursor = {310, 210};
    SendMouse(form.Panel, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(form.MouseDownPos, QPoint(310, 210));
    EXPECT_EQ(form.Panel->parentWidget()->focusWidget(), form.Panel);

    form.cursor = {314, 214};
    SendMouse(form.Panel, QEvent::MouseMove, {14, 14}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(form.moveStarts, 0);
    EXPECT_EQ(form.pos(), QPoint(300, 200));

    form.cursor = {315, 210};
    SendMouse(form.Panel, QEvent::MouseMove, {15, 10}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(form.moveStarts, 1);
}

TEST(TitleDrag, NoDragWithoutTheLeftButton)
{
    TestCalendarForm form;
    form.cursor = {0, 0};
    form.PanelMouseDown(form.Panel, Qt::LeftButton, Qt::LeftButton, 3, 3);
    form.cursor = {500, 500};
    form.PanelMouseMove(form.Panel, Qt::NoButton, 3, 3);
    form.PanelMouseMove(form.Panel, Qt::RightButton, 3, 3);
    EXPECT_EQ(form.moveStarts, 0);
    EXPECT_FALSE(form.Dragging());
}

TEST(TitleDrag, WindowFollowsThePointerAndTheBackingWindowFollows)
{
    TestCalendarForm form;
    TBackForm back;
    form.SetBackForm(&back);
    back.SetCalForm(&form);
    form.move(300, 200);
    back.move(300, 200);
    form.show();
    back.show();
    Settle();

    form.cursor = {310, 210};
    form.PanelMouseDown(form.Panel, Qt::LeftButton, Qt::LeftButton, 10, 10);
    // The first move seen comes late, far beyond the threshold: the point
    // pressed stays under the pointer all the same.
    form.cursor = {360, 210};
    form.PanelMouseMove(form.Panel, Qt::LeftButton, 20, 10);
    ASSERT_TRUE(form.Dragging());
    EXPECT_EQ(form.pos(), QPoint(350, 200));

    form.cursor = {350, 250};
    form.PanelMouseMove(form.Panel, Qt::LeftButton, 20, 10);
    Settle();
    EXPECT_EQ(form.pos(), QPoint(340, 240));
    EXPECT_EQ(back.pos(), form.pos());

    // Released further on than the last move seen: the drop is at the release.
    form.cursor = {380, 260};
    form.PanelMouseUp(form.Panel, Qt::LeftButton, 20, 10);
    EXPECT_FALSE(form.Dragging());
    Settle();
    EXPECT_EQ(form.pos(), QPoint(370, 250));
    form.cursor = {400, 400};
    form.PanelMouseMove(form.Panel, Qt::LeftButton, 20, 10);
    Settle();
    EXPECT_EQ(form.pos(), QPoint(370, 250));
}

TEST(TitleDrag, DuringStartUpTheBackingWindowStays)
{
    TplCalendarForm form;
    TBackForm back;
    form.SetBackForm(&back);
    bool starting = true;
    form.IsStarting = [&] { return starting; };
    back.move(10, 10);
    form.show();
    back.show();
    Settle();
    form.move(50, 60);
    Settle();
    EXPECT_EQ(back.pos(), QPoint(10, 10));
    starting = false;
    form.move(70, 80);
    Settle();
    EXPECT_EQ(back.pos(), QPoint(70, 80));
}

TEST(BackForm, DesignState)
{
    TBackForm back;
    EXPECT_EQ(back.size(), QSize(435, 297));
    EXPECT_EQ(back.Color(), clWhite);
    EXPECT_EQ(back.AlphaBlendValue(), 255);
    EXPECT_TRUE(back.windowFlags() & Qt::FramelessWindowHint);
    back.SetAlphaBlendValue(220);
    EXPECT_NEAR(back.windowOpacity(), 220 / 255.0, 0.01);
    back.SetAlphaBlendValue(999);
    EXPECT_EQ(back.AlphaBlendValue(), 255);
    back.SetAlphaBlendValue(-4);
    EXPECT_EQ(back.AlphaBlendValue(), 0);
}

TEST(BackForm, TitleArea)
{
    const QSize title(219, 31);
    EXPECT_TRUE(InTitleArea(title, 0, 0));
    EXPECT_TRUE(InTitleArea(title, 218, 30));
    EXPECT_FALSE(InTitleArea(title, 219, 10)); // right edge excluded
    EXPECT_FALSE(InTitleArea(title, 10, 31));  // bottom edge excluded
    EXPECT_FALSE(InTitleArea(title, -1, 10));
}

TEST(BackForm, PressInTheTitleAreaDragsTheCalendar)
{
    TestCalendarForm form;
    TBackForm back;
    form.SetBackForm(&back);
    back.SetCalForm(&form);
    form.move(300, 200);
    back.move(300, 200);
    form.show();
    back.show();
    Settle();

    // Outside the title area: nothing.
    form.cursor = {310, 260};
    SendMouse(&back, QEvent::MouseButtonPress, {10, 60}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(form.MouseDownPos, QPoint());
    form.cursor = {360, 300};
    SendMouse(&back, QEvent::MouseMove, {10, 60}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(form.moveStarts, 0);
    SendMouse(&back, QEvent::MouseButtonRelease, {10, 60}, Qt::LeftButton, Qt::NoButton);

    // Inside: the press and the moves go to the title drag.
    form.cursor = {310, 210};
    SendMouse(&back, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(form.MouseDownPos, QPoint(310, 210));
    form.cursor = {316, 210};
    SendMouse(&back, QEvent::MouseMove, {16, 10}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(form.moveStarts, 1);
    form.cursor = {336, 230};
    SendMouse(&back, QEvent::MouseMove, {16, 10}, Qt::NoButton, Qt::LeftButton);
    Settle();
    EXPECT_EQ(form.pos(), QPoint(326, 220));  // the point pressed under the pointer
    EXPECT_EQ(back.pos(), form.pos());
    SendMouse(&back, QEvent::MouseButtonRelease, {16, 10}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(form.Dragging());
}

TEST(BackForm, HooksReplaceTheDirectForwarding)
{
    TestCalendarForm form;
    TBackForm back;
    back.SetCalForm(&form);
    int downs = 0, moves = 0, doubles = 0;
    back.OnMouseDown = [&](QObject *s, Qt::MouseButton, Qt::MouseButtons, int x, int y) {
        EXPECT_EQ(s, &back);
        EXPECT_EQ(QPoint(x, y), QPoint(10, 10));
        ++downs;
    };
    back.OnMouseMove = [&](QObject *, Qt::MouseButtons, int, int) { ++moves; };
    back.OnDblClick = [&](QObject *s) {
        EXPECT_EQ(s, &back);
        ++doubles;
    };
    SendMouse(&back, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(&back, QEvent::MouseMove, {12, 10}, Qt::NoButton, Qt::LeftButton);
    SendMouse(&back, QEvent::MouseButtonDblClick, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(downs, 2);
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(form.MouseDownPos, QPoint()); // the hooks decide, not the window
}

TEST(BackForm, OutlivingItsCalendarIsHarmless)
{
    TBackForm back;
    auto *form = new TplCalendarForm;
    form->SetBackForm(&back);
    back.SetCalForm(form);
    delete form;
    EXPECT_EQ(back.CalForm(), nullptr);
    SendMouse(&back, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(&back, QEvent::MouseButtonRelease, {10, 10}, Qt::LeftButton, Qt::NoButton);
    back.FormActivate(&back);

    TplCalendarForm calendar;
    auto *other = new TBackForm;
    calendar.SetBackForm(other);
    delete other;
    EXPECT_EQ(calendar.BackForm(), nullptr);
    calendar.move(20, 30); // no backing window to move along
}

TEST(BackForm, RenderingIsItsColourAtItsOpacity)
{
    TBackForm back;
    back.resize(20, 10);
    back.SetColor(clBlack);
    back.SetAlphaBlendValue(128);
    QImage img(40, 40, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        back.RenderTo(p, QPoint(5, 5));
    }
    EXPECT_NEAR(qRed(img.pixel(10, 10)), 255 - 128, 2);
    EXPECT_EQ(img.pixel(30, 30), qRgb(255, 255, 255)); // outside the window
    EXPECT_EQ(img.pixel(4, 4), qRgb(255, 255, 255));
}

TEST(ColourKey, KeyedOutPixelsLeaveTheShapeAndTheRendering)
{
    TplCalendarForm form;
    form.Calendar->SetCalendarDate(DateToValue(QDate(2025, 6, 1))); // row 6 empty
    form.UpdateKeyMask();
    const QRegion shape = form.KeyMask();
    ASSERT_FALSE(shape.isEmpty());
    EXPECT_TRUE(shape.contains(QPoint(2, 2)));      // title background
    EXPECT_FALSE(shape.contains(QPoint(218, 201))); // key colour at the bottom right
    const QRect emptyCell = form.Calendar->CellRect(5, 6).translated(form.Calendar->pos());
    EXPECT_FALSE(shape.contains(emptyCell.center()));

    const QImage img = form.RenderImage();
    ASSERT_EQ(img.size(), form.size());
    EXPECT_EQ(qAlpha(img.pixel(2, 2)), 255);
    EXPECT_EQ(qAlpha(img.pixel(emptyCell.center())), 0);
    // Day numbers stay solid: some opaque pixel in the cell of the 1st.
    const QRect first = form.Calendar->CellRect(0, 1).translated(form.Calendar->pos());
    int opaque = 0;
    for (int y = first.top(); y <= first.bottom(); ++y)
        for (int x = first.left(); x <= first.right(); ++x)
            opaque += qAlpha(img.pixel(x, y)) == 255;
    EXPECT_GT(opaque, 0);
}

TEST(ColourKey, FollowsTheKeyColourAndCanBeSwitchedOff)
{
    TplCalendarForm form;
    const TColorValue sky = clSkyBlue;
    form.SetColor(sky);
    form.Calendar->SetColor(sky);
    form.SetTransparentColorValue(sky);
    form.UpdateKeyMask();
    EXPECT_FALSE(form.KeyMask().contains(QPoint(218, 201)));
    EXPECT_TRUE(form.KeyMask().contains(QPoint(2, 2)));

    // The title in the key colour too: it lets everything through but text.
    form.Panel->SetColor(sky);
    form.Panel->SetCaption(QString());
    form.UpdateKeyMask();
    EXPECT_FALSE(form.KeyMask().contains(QPoint(2, 2)));

    form.SetTransparentColor(false);
    form.UpdateKeyMask();
    EXPECT_TRUE(form.KeyMask().isEmpty());
    EXPECT_EQ(qAlpha(form.RenderImage().pixel(218, 201)), 255);
}

TEST(ColourKey, RecomputedAfterRepaintsByItself)
{
    TplCalendarForm form;
    form.show();
    Settle();
    ASSERT_FALSE(form.KeyMask().isEmpty());
    EXPECT_TRUE(form.KeyMask().contains(QPoint(2, 2)));
    form.Panel->SetColor(clWhite);
    form.Panel->SetCaption(QString());
    Settle();
    EXPECT_FALSE(form.KeyMask().contains(QPoint(2, 2)));
}

TEST(CalendarForm, ShowingGivesTheGridTheFocus)
{
    TplCalendarForm form;
    form.show();
    QApplication::processEvents();
    EXPECT_EQ(form.focusWidget(), form.Calendar);
}

} // namespace
} // namespace tamarie
