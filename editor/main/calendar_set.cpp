// The set of calendars: first showing of the main window, OK, creating and
// placing the calendar pairs, their inner layout, and the apply-to-month lists.
#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QThread>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <algorithm>

#include "back_form.h"
#include "calendar_form.h"
#include "color_box.h"
#include "desktop_compositing.h"
#include "document_drawing.h"
#include "dialogs.h"
#include "labeled_edit.h"
#include "photo_image.h"
#include "tform1.h"

namespace tamarie {

namespace {

const QString kBadCountMessage = QStringLiteral("カレンダーの数は半角で1～12を入力してください。");
// How long the first showing waits for the window system to maximise the window.
constexpr int kMaximizeWaitMs = 400;

const QString kBadMonthMessage = QStringLiteral("カレンダーの年月は半角文字で正しく入力してください。");

int TextToInt(const QString &text)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok ? v : 0;
}

int PointSizeOf(const QFont &font)
{
    return font.pointSize() > 0 ? font.pointSize() : QFontInfo(font).pointSize();
}

} // namespace

TDateValue TForm1::CalendarMonthDate(int N)
{
    const int year = TextToInt(LECalendarYear->text());
    const int month = TextToInt(LECalendarMonth->text());
    QDate date;
    if (year >= 1 && year <= 9999 && month >= 1 && month <= 12)
        date = QDate(year, month, 1).addMonths(N - 1);
    // A month past 9999-12 cannot be shown either.
    if (!date.isValid() || date.year() > 9999) {
        dialogs::ShowMessage(kBadMonthMessage, this);
        return DateToValue(QDate::currentDate());
    }
    return DateToValue(date);
}

TForm1::TCalendarPair TForm1::CalendarPair(int N) const
{
    if (N < 1 || N > kMaxCalendars || !CalForm[N])
        return {};
    return {CalForm[N], ABackForm[N]};
}

void TForm1::CreateCalendarPair(int N)
{
    if (N < 1 || N > kMaxCalendars || CalForm[N])
        return;
    // On a compositing desktop a pair is one translucent window.
    const bool translucent = DesktopComposites();
    auto *cal = new TplCalendarForm(this, translucent);
    CalForm[N] = cal;
    cal->OnPaintWindow = [this, N](QPainter &p, CalendarSurface surface) { PaintCalendarWindow(N, p, surface); };
    cal->SetTag(N);
    cal->Calendar->OnDblClick = [this](QObject *sender) { CalendarDblClick(sender); };
    cal->IsStarting = [this] { return IsStart; };
    cal->OnBoundsChanged = [this, N] { RememberCalendarPlace(N); };

    auto *back = new TBackForm(this);
    ABackForm[N] = back;
    back->SetTag(N);
    back->SetCalForm(cal);
    back->SetPartOfCalendar(translucent);
    cal->SetBackForm(back);
    back->OnDblClick = [this](QObject *sender) { BackFormDblClick(sender); };
    back->OnMouseDown = [this](QObject *sender, Qt::MouseButton button, Qt::MouseButtons shift, int x, int y) {
        BackFormMouseDown(sender, button, shift, x, y);
    };
    back->OnMouseMove = [this](QObject *sender, Qt::MouseButtons shift, int x, int y) {
        BackFormMouseMove(sender, shift, x, y);
    };
}

void TForm1::PlaceCalendar(int N, bool KeepBounds)
{
    TplCalendarForm *cal = CalendarPair(N).Cal;
    if (!cal)
        return;
    if (IsStart) {
        // Across the lower half of the paper.
        cal->resize(Panel1->width() - 15, Panel1->height() / 2 - 20);
        const QPoint p = ClientArea->mapToGlobal(QPoint(Panel1->x(), Panel1->height() / 2 + 5));
        cal->move(p.x() + 8, p.y());
    } else if (!KeepBounds) {
        if (CheckBoxSameSize->isChecked() && CalForm[1])
            cal->resize(CalForm[1]->frameGeometry().size());
        else
            cal->resize(Panel1->width() / 2, Panel1->height() / 2);
        // Cascade from the paper's top-left corner, 5 pixels per calendar.
        const QPoint p = ClientArea->mapToGlobal(Panel1->pos());
        cal->move(p.x() + 5 * N, p.y() + 5 * N);
    }
    cal->show();
    LayoutCalendar(N);
    if (TBackForm *back = ABackForm[N]) {
        back->setGeometry(cal->frameGeometry());
        back->show();
        back->StackBehindCalendar();
    }
}

void TForm1::LayoutCalendar(int N)
{
    TplCalendarForm *cal = CalendarPair(N).Cal;
    if (!cal)
        return;
    TplCalendarFormCalendar *grid = cal->Calendar;
    TTitlePanel *title = cal->Panel;
    const int W = cal->width();
    const int H = cal->height();
    const bool fontFromFile = IsLoadingFile && CalendarFontLoaded[N];

    QFont gridFont = grid->font();
    if (IsLoadingFile && !CalendarFontLoaded[N])
        gridFont.setFamily(CalendarFontFace().family());
    if (!fontFromFile)
        gridFont.setPointSize(GridPointsForWidth(W));
    grid->setFont(gridFont);

    QFont titleFont = title->font();
    if (IsLoadingFile && !CalendarFontLoaded[N]) {
        titleFont = CalendarFontFace();
        title->SetFontColor(CalendarFontColor());
    }
    titleFont.setPointSize(std::max(1, RoundHalfEven(PointSizeOf(gridFont) * 1.5)));
    title->setFont(titleFont);

    // The title's height comes from a sample text in its font.
    const CalendarInnerRects inner = CalendarInnerRectsFor(QSize(W, H), QFontMetrics(titleFont, cal).height() + 10);
    title->setGeometry(inner.title);
    grid->setGeometry(inner.grid);

    if (!IsStart)
        cal->update();
}

void TForm1::RefreshMonthLists(TDateValue D)
{
    const QDate start = ValueToDate(D);
    for (QComboBox *list : TekiyoLists()) {
        list->clear();
        list->addItem(QStringLiteral("すべての月"));
        for (int n = 1; n <= CalendarCount; ++n) {
            const QDate month = start.isValid() ? start.addMonths(n - 1) : QDate();
            list->addItem(month.isValid() ? month.toString(QStringLiteral("yyyy/MM")) : QString());
        }
        list->setCurrentIndex(CalendarCount == 1 ? 1 : -1);
    }
    ScheduleFormNo = 1;
    TempScheduleDate = D;
    ShowScheduleOfDate();
}

void TForm1::ApplyCalendarBackColor(int N)
{
    const TCalendarPair pair = CalendarPair(N);
    TplCalendarForm *cal = pair.Cal;
    if (!cal)
        return;
    // The window's background is keyed out, so the backing window in the same
    // colour shows through at its own opacity while the texts stay solid.
    cal->SetColor(CalendarBackColor);
    cal->SetTransparentColorValue(CalendarBackColor);
    cal->Calendar->SetColor(CalendarBackColor);
    if (pair.Back)
        pair.Back->SetColor(CalendarBackColor);
    cal->update();
}

void TForm1::setVisible(bool visible)
{
    // The showing-change handling runs once the window system shows the
    // window; re-mapping after a minimise is no change of showing.
    const bool wasVisible = isVisible();
    QMainWindow::setVisible(visible);
    if (visible && !wasVisible)
        FormShowingChanged();
}

void TForm1::FormShowingChanged()
{
    if (IsLoadingFile || !isVisible())
        return;
    repaint();

    for (int n = 1; n <= CalendarCount; ++n) {
        CreateCalendarPair(n);
        CalForm[n]->Calendar->SetCalendarDate(CalendarMonthDate(n));
        if (IsStart)
            CalForm[n]->show();
        else
            PlaceCalendar(n, false);
        ABackForm[n]->setGeometry(CalForm[n]->frameGeometry());
        ABackForm[n]->show();
        ABackForm[n]->StackBehindCalendar();
    }

    if (!IsStart)
        return;

    // Finish start-up: maximise, then lay out the paper and calendar 1.
    QApplication::processEvents();
    MaximizeAndSettle();
    QApplication::processEvents();

    // The same paper as every later resize layout gives this client area, so
    // that a resize round trip brings the paper back to this size exactly.
    const int cw = ClientWidth();
    PanelConfig->move(cw - PanelConfig->width() - 10, PanelConfig->y());
    Panel1->resize(ResizePaperLayout(QSize(cw, ClientHeight()), PanelConfig->width(), PaperOrientation::Portrait).paper);
    CurrentPanelWidth = Panel1->width();
    CurrentPanelHeight = Panel1->height();
    UpdateScrollRange();

    Image1->setGeometry(6, Image1->y(), Panel1->width() - 15, Panel1->height() / 2);

    // The calendars' font is calendar 1's grid font itself until a font is
    // chosen in the dialog.
    CalendarFont.FollowsCalendar1 = true;
    QFont gridFont = CalForm[1]->Calendar->font();
    gridFont.setFamily(LblFontName->text());
    CalForm[1]->Calendar->setFont(gridFont);
    CalForm[1]->Panel->setFont(gridFont);
    CalForm[1]->Panel->SetFontColor(CalForm[1]->Calendar->FontColor());

    PlaceCalendar(1, false);
    RefreshMonthLists(CalForm[1]->Calendar->CalendarDate());
    CalendarBackColor = ColorBoxCalendarBackColor->Selected();
    ApplyCalendarBackColor(1);
    ABackForm[1]->SetAlphaBlendValue(TrackBarAlphaBlend->value());
    PageControl1->setCurrentIndex(0);
    // The resize layout scales from here on, starting from this client size.
    LaidOutClientSize = QSize(ClientWidth(), ClientHeight());
    IsStart = false;
    RecordCalendarPlace(1);
}

void TForm1::MaximizeAndSettle()
{
    // The window system answers a maximise request asynchronously; the paper
    // is laid out from the maximised client area, so wait for the answer.
    // Without a window manager nobody answers: then take the screen's
    // available area ourselves.
    const QSize before = size();
    setWindowState(windowState() | Qt::WindowMaximized);
    QElapsedTimer waited;
    waited.start();
    while (size() == before && waited.elapsed() < kMaximizeWaitMs) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        if (size() == before)
            QThread::msleep(2);
    }
    if (size() == before) {
        if (const QScreen *s = screen()) {
            const QRect avail = s->availableGeometry();
            const QMargins frame(geometry().left() - frameGeometry().left(), geometry().top() - frameGeometry().top(),
                                 frameGeometry().right() - geometry().right(),
                                 frameGeometry().bottom() - geometry().bottom());
            setGeometry(avail.marginsRemoved(frame));
        }
    }
}

void TForm1::BtnOKClick()
{
    // The arrangement on screen is about to be replaced: ask to save it first.
    ConfirmSave();
    if (!IsSaved)
        return;
    const int count = TextToInt(LECalendarMonths->text());
    if (count < 1 || count > kMaxCalendars) {
        dialogs::ShowMessage(kBadCountMessage, this);
        LECalendarMonths->setFocus();
        return;
    }

    if (count > CalendarCount) {
        for (int n = CalendarCount + 1; n <= count; ++n) {
            CreateCalendarPair(n);
            PlaceCalendar(n, false);
        }
    } else if (count < CalendarCount) {
        // Surplus pairs are hidden and kept for reuse.
        for (int n = count + 1; n <= CalendarCount; ++n) {
            if (CalForm[n])
                CalForm[n]->hide();
            if (ABackForm[n])
                ABackForm[n]->hide();
        }
    }
    CalendarCount = count;

    for (int n = 1; n <= count; ++n) {
        TplCalendarForm *cal = CalForm[n];
        TBackForm *back = ABackForm[n];
        if (!cal || !back)
            continue;
        cal->Calendar->SetCalendarDate(CalendarMonthDate(n));
        cal->Calendar->setFont(CalendarFontFace());
        cal->Calendar->SetFontColor(ColorBoxDayTextColor->Selected());
        HolidayTextColor[n] = ColorBoxHolidayTextColor->Selected();
        cal->Calendar->SetColor(CalendarBackColor);
        cal->SetColor(CalendarBackColor);
        cal->SetTransparentColorValue(CalendarBackColor);
        cal->Panel->SetColor(CalendarPanelColor);
        // Read after the grid above: while the font follows calendar 1, the
        // titles take its font colour, the weekday text colour.
        cal->Panel->setFont(CalendarFontFace());
        cal->Panel->SetFontColor(CalendarFontColor());
        back->SetColor(CalendarBackColor);
        back->SetAlphaBlendValue(TrackBarAlphaBlend->value());
        LayoutCalendar(n);
    }

    RefreshMonthLists(CalForm[1]->Calendar->CalendarDate());
    UpdateMonthTitles();
    CurrentIniFile.clear();
    setWindowTitle(QStringLiteral("無題-タマリエ"));
    PageControl1->setCurrentIndex(0);
}

void TForm1::BackFormMouseDown(QObject *Sender, Qt::MouseButton Button, Qt::MouseButtons Shift, int X, int Y)
{
    auto *back = dynamic_cast<TBackForm *>(Sender);
    TplCalendarForm *cal = CalendarPair(back ? back->Tag() : 0).Cal;
    if (cal && InTitleArea(cal->Panel->size(), X, Y))
        cal->PanelMouseDown(Sender, Button, Shift, X, Y);
}

void TForm1::BackFormMouseMove(QObject *Sender, Qt::MouseButtons Shift, int X, int Y)
{
    auto *back = dynamic_cast<TBackForm *>(Sender);
    TplCalendarForm *cal = CalendarPair(back ? back->Tag() : 0).Cal;
    // A drag under way goes on wherever the pointer has got to in the window
    // (the window system may not have caught up with the last move yet).
    if (cal && (cal->Dragging() || InTitleArea(cal->Panel->size(), X, Y)))
        cal->PanelMouseMove(Sender, Shift, X, Y);
}

} // namespace tamarie
