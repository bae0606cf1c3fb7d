// The set of calendars: first showing of the main window, OK, creating and
// placing the calendar pairs, their inner layout, and the apply-to-month lists.
#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QThread>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
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
#include "document_edits.h"
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

// OK's step: the new set of months, untitled; its undo brings back the
// arrangement and the file it replaced.
class TMonthsCommand : public DocumentCommand {
public:
    TMonthsCommand(TForm1 *form, const Document &after, const QString &file)
        : DocumentCommand(form->History, QStringLiteral("月の設定"), form->Doc(), after), Form(form), File(file)
    {
    }
    void redo() override
    {
        DocumentCommand::redo();
        Form->NameCurrentFile(QString());
    }
    void undo() override
    {
        DocumentCommand::undo();
        Form->NameCurrentFile(File);
    }

private:
    TForm1 *Form;
    QString File;
};

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
    cal->OnBoundsChanged = [this, N] { CalendarWindowMoved(N); };
    // A press on the title brings the calendar to the front; a drag that
    // follows is one step with it.
    cal->OnTitlePress = [this, N] {
        TitlePressDocument = Doc();
        if (Doc().calendarOrder.value(Doc().calendarOrder.size() - 1) != N) {
            Document d = Doc();
            RaiseCalendar(d, N);
            Adjust(d);
        }
    };

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

void TForm1::LayoutCalendar(int N)
{
    TplCalendarForm *cal = CalendarPair(N).Cal;
    if (!cal || !Doc().Calendar(N))
        return;
    Document d = Doc();
    PlaceCalendarAt(d, N, cal->geometry().translated(-PaperOnScreen()));
    LayOutCalendarOnPaper(d, N);
    Adjust(d);
}

void TForm1::RefreshMonthLists(TDateValue D)
{
    FillMonthLists(D);
    ScheduleFormNo = 1;
    TempScheduleDate = D;
    ShowScheduleOfDate();
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
    if (!IsStart)
        return;

    // The first showing: calendar 1 comes up where a new window is, then the
    // window is maximised and the paper and calendar 1 are laid out.
    FirstShowingDone = true;
    CreateCalendarPair(1);
    TplCalendarForm *cal = CalForm[1];
    cal->Calendar->SetCalendarDate(CalendarMonthDate(1));
    cal->show();
    ABackForm[1]->setGeometry(cal->frameGeometry());
    ABackForm[1]->show();
    ABackForm[1]->StackBehindCalendar();

    QApplication::processEvents();
    MaximizeAndSettle();
    QApplication::processEvents();

    // The same paper as every later resize layout gives this client area, so
    // that a resize round trip brings the paper back to this size exactly.
    const int cw = ClientWidth();
    PanelConfig->move(cw - PanelConfig->width() - 10, PanelConfig->y());
    const QSize paper =
        ResizePaperLayout(QSize(cw, ClientHeight()), PanelConfig->width(), PaperOrientation::Portrait).paper;

    Document d = Doc();
    d.paper.layoutSize = paper;
    // The photo over the upper half, calendar 1 across the lower half.
    if (!d.photos.isEmpty()) {
        const QRect photo = PhotoRect(d.photos[0], Panel1->size());
        d.photos[0].bounds = PlaceOf(QRect(6, photo.y(), paper.width() - 15, paper.height() / 2), paper);
        d.photos[0].scaleFrom = d.photos[0].bounds;
    }
    d.settings.backColor = ColorBoxCalendarBackColor->Selected();
    DocumentCalendar &first = d.calendars[0];
    first.month = cal->Calendar->CalendarDate();
    first.title = cal->Panel->Caption();
    first.bounds = PlaceOf(QRect(8, paper.height() / 2 + 5, paper.width() - 15, paper.height() / 2 - 20), paper);
    first.scaleFrom = first.bounds;
    // The calendars' font is calendar 1's grid font itself, in the face of
    // the interface, until a font is chosen in the dialog.
    d.settings.font.followsCalendar1 = true;
    first.gridFont.setFamily(LblFontName->text());
    first.titleFont = first.gridFont;
    first.titleColor = first.dayTextColor;
    first.backColor = d.settings.backColor;
    first.alpha = d.settings.alpha;
    LayOutCalendarOnPaper(d, 1);
    IsStart = false;
    History->Reset(d, false);

    RefreshMonthLists(first.month);
    PageControl1->setCurrentIndex(0);
    // The resize layout scales from here on, starting from this client size.
    LaidOutClientSize = QSize(ClientWidth(), ClientHeight());
    LastPaperOnScreen = PaperOnScreen();
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
    std::vector<TDateValue> months;
    for (int n = 1; n <= count; ++n)
        months.push_back(CalendarMonthDate(n));
    Document d = Doc();
    SetMonths(d, months);

    // A fresh history whose first step is this one: undoing it brings back
    // the arrangement (and the file) it replaced.
    const bool saved = !History->Modified();
    const QString file = CurrentIniFile;
    History->Reset(Doc(), saved);
    History->Push(new TMonthsCommand(this, d, file));
    RefreshMonthLists(Doc().calendars[0].month);
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
