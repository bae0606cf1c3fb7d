// The windows and controls as views of the document: after every change of
// the document (a step, its undo or redo, an adjustment, a file opened) they
// are brought in line with it, changing only what differs from what they
// showed.  The other way round, what the window system does to a window (a
// window manager placing it, a calendar activated) comes back into the
// document without becoming a step.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QScopedValueRollback>
#include <QSet>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>

#include "back_form.h"
#include "calendar_form.h"
#include "color_box.h"
#include "document_drawing.h"
#include "document_edits.h"
#include "fonts.h"
#include "photo_decoder.h"
#include "photo_image.h"
#include "radio_group.h"
#include "tform1.h"

namespace tamarie {

namespace {

template <typename W, typename F> void Quietly(W *widget, F &&set)
{
    const QSignalBlocker block(widget);
    set(widget);
}

void SetPaletteColor(QWidget *w, QPalette::ColorRole role, TColorValue color)
{
    QPalette pal = w->palette();
    pal.setColor(role, ResolveColorValue(color));
    w->setPalette(pal);
}

QString PictureKey(const DocumentPhoto &p) { return QString::number(p.quarterTurns) + u'|' + p.fileName; }

} // namespace

void TForm1::Edit(const QString &Name, const Document &After, Merging How) { History->Apply(Name, After, How); }

void TForm1::Adjust(const Document &After) { History->Adjust(After); }

QPoint TForm1::PaperOnScreen() const { return ClientArea->mapToGlobal(Panel1->pos()); }

QSize TForm1::PaperSize() const { return Panel1->size(); }

TColorValue TForm1::HolidayTextColor(int N) const
{
    const DocumentCalendar *c = Doc().Calendar(N);
    return c ? c->holidayColor : 0;
}

QStringList TForm1::ImageFileName() const
{
    QStringList names;
    for (const DocumentPhoto &p : Doc().photos)
        names << p.fileName;
    return names;
}

QFont TForm1::CalendarFontFace() const { return FontOfPointSize(CommonFontFace(Doc()), CommonFontPoints(Doc())); }

TColorValue TForm1::CalendarFontColor() const { return CommonFontColor(Doc()); }

void TForm1::ShowDocument()
{
    // A change the showing itself causes is shown right after.
    if (ShowingDocument) {
        ShowAgain = true;
        return;
    }
    const QScopedValueRollback<bool> guard(ShowingDocument, true);
    do {
        ShowAgain = false;
        const Document was = Shown;
        Shown = Doc();
        ShowPaperAndSettings(was, Shown);
        ShowCalendars(was, Shown);
        ShowPhotos(was, Shown);
    } while (ShowAgain);
}

void TForm1::ShowPaperAndSettings(const Document &Was, const Document &Now)
{
    if (Now.paper.color != Was.paper.color) {
        SetPaletteColor(Panel1, QPalette::Window, Now.paper.color);
        Panel1->update();
        Quietly(ColorBoxPaperColor, [&](TColorBox *b) { b->SetSelected(Now.paper.color); });
    }
    if (Now.paper.orientation != Was.paper.orientation)
        Quietly(RadioGroupHoko, [&](TRadioGroup *g) { g->SetItemIndex(Now.paper.orientation); });
    if (Now.paper.layoutSize != Panel1->size()) {
        Panel1->resize(Now.paper.layoutSize);
        UpdateScrollRange();
    }

    const DocumentSettings &a = Was.settings;
    const DocumentSettings &b = Now.settings;
    if (b.backColor != a.backColor)
        Quietly(ColorBoxCalendarBackColor, [&](TColorBox *box) { box->SetSelected(b.backColor); });
    if (b.panelColor != a.panelColor) {
        Quietly(ColorBoxYearMonthBackColor, [&](TColorBox *box) { box->SetSelected(b.panelColor); });
        SetPaletteColor(LblFontName, QPalette::Window, b.panelColor);
    }
    if (b.sameBackColor != a.sameBackColor) {
        Quietly(CheckBoxSameBackColor, [&](QCheckBox *c) { c->setChecked(b.sameBackColor); });
        ColorBoxYearMonthBackColor->setEnabled(!b.sameBackColor);
    }
    if (b.alpha != a.alpha)
        Quietly(TrackBarAlphaBlend, [&](QSlider *s) { s->setValue(b.alpha); });
    if (b.holidayColor != a.holidayColor)
        Quietly(ColorBoxHolidayTextColor, [&](TColorBox *box) { box->SetSelected(b.holidayColor); });
    if (b.dayTextColor != a.dayTextColor)
        Quietly(ColorBoxDayTextColor, [&](TColorBox *box) { box->SetSelected(b.dayTextColor); });
    if (!(b.options == a.options)) {
        Quietly(RadioGroupFirstDayOfWeek, [&](TRadioGroup *g) { g->SetItemIndex(b.options.firstDayOfWeek); });
        Quietly(RadioGroupMonthMode, [&](TRadioGroup *g) { g->SetItemIndex(b.options.monthMode); });
        Quietly(RadioGroupWeekDayMode, [&](TRadioGroup *g) { g->SetItemIndex(b.options.weekDayMode); });
        Quietly(CheckBoxShowRokuyo, [&](QCheckBox *c) { c->setChecked(b.options.showAlmanac); });
        RepaintCalendarGrids();
    }
    if (b.sameSize != a.sameSize)
        Quietly(CheckBoxSameSize, [&](QCheckBox *c) { c->setChecked(b.sameSize); });
    // The label previews the chosen font: its face by the name shown for it,
    // in its colour, on the title colour.
    const QString family = CommonFontFace(Now).family();
    const TColorValue color = CommonFontColor(Now);
    if (family != CommonFontFace(Was).family() || color != CommonFontColor(Was) || !FontLabelShown) {
        FontLabelShown = true;
        QFont face = LblFontName->font();
        face.setFamily(family);
        LblFontName->setFont(face);
        LblFontName->setText(fonts::FaceShown(family));
        SetPaletteColor(LblFontName, QPalette::WindowText, color);
    }
}

void TForm1::ShowCalendars(const Document &Was, const Document &Now)
{
    // The calendar windows exist from the first showing on.
    if (!FirstShowingDone)
        return;
    for (int n = 1; n <= kMaxCalendars; ++n) {
        if (n > Now.CalendarCount()) {
            if (CalForm[n] && CalForm[n]->isVisible())
                CalForm[n]->hide();
            if (ABackForm[n] && ABackForm[n]->Shown())
                ABackForm[n]->hide();
            continue;
        }
        const bool created = !CalForm[n];
        CreateCalendarPair(n);
        ShowCalendar(n, created ? nullptr : Was.Calendar(n), Now.calendars[n - 1]);
        TplCalendarForm *cal = CalForm[n];
        TBackForm *back = ABackForm[n];
        if (!cal->isVisible()) {
            cal->show();
            back->setGeometry(cal->frameGeometry());
            back->show();
            back->StackBehindCalendar();
        }
    }
    bool monthsChanged = Now.CalendarCount() != Was.CalendarCount();
    for (int n = 1; n <= Now.CalendarCount() && !monthsChanged; ++n)
        monthsChanged = Now.calendars[n - 1].month != Was.calendars[n - 1].month;
    if (monthsChanged)
        FillMonthLists(Now.calendars[0].month);
}

void TForm1::ShowCalendar(int N, const DocumentCalendar *Was, const DocumentCalendar &Now)
{
    TplCalendarForm *cal = CalForm[N];
    TBackForm *back = ABackForm[N];
    bool changed = !Was;
    const QRect target = CalendarWindowRect(Now, PaperSize()).translated(PaperOnScreen());
    if (cal->geometry() != target) {
        cal->setGeometry(target);
        changed = true;
    }
    if (!Was || Was->backColor != Now.backColor) {
        // The window's background is keyed out, so the backing window in the
        // same colour shows through at its own opacity while the texts stay solid.
        cal->SetColor(Now.backColor);
        cal->SetTransparentColorValue(Now.backColor);
        cal->Calendar->SetColor(Now.backColor);
        back->SetColor(Now.backColor);
        changed = true;
    }
    if (!Was || Was->alpha != Now.alpha)
        back->SetAlphaBlendValue(Now.alpha);
    if (!Was || Was->panelColor != Now.panelColor) {
        cal->Panel->SetColor(Now.panelColor);
        changed = true;
    }
    if (!Was || Was->dayTextColor != Now.dayTextColor) {
        cal->Calendar->SetFontColor(Now.dayTextColor);
        changed = true;
    }
    if (!Was || Was->holidayColor != Now.holidayColor)
        changed = true;
    if (!Was || Was->gridFont != Now.gridFont || Was->gridPoints != Now.gridPoints) {
        cal->Calendar->setFont(FontOfPointSize(Now.gridFont, Now.gridPoints));
        changed = true;
    }
    if (!Was || Was->titleFont != Now.titleFont || Was->titlePoints != Now.titlePoints) {
        cal->Panel->setFont(FontOfPointSize(Now.titleFont, Now.titlePoints));
        changed = true;
    }
    if (!Was || Was->titleColor != Now.titleColor) {
        cal->Panel->SetFontColor(Now.titleColor);
        changed = true;
    }
    if (!Was || Was->title != Now.title) {
        cal->Panel->SetCaption(Now.title);
        changed = true;
    }
    // The grid's own date moves with the day clicked; only a new month resets it.
    if (!Was || Was->month != Now.month) {
        cal->Calendar->SetCalendarDate(Now.month);
        changed = true;
    }
    const CalendarInnerRects inner = CalendarInnerRectsFor(target.size(), Now.titleHeight);
    if (cal->Panel->geometry() != inner.title) {
        cal->Panel->setGeometry(inner.title);
        changed = true;
    }
    if (cal->Calendar->geometry() != inner.grid) {
        cal->Calendar->setGeometry(inner.grid);
        changed = true;
    }
    if (changed) {
        cal->update();
        cal->Calendar->update();
    }
}

void TForm1::FillMonthLists(TDateValue D)
{
    const QDate start = ValueToDate(D);
    for (QComboBox *list : TekiyoLists()) {
        const QSignalBlocker block(list);
        list->clear();
        list->addItem(QStringLiteral("すべての月"));
        for (int n = 1; n <= CalendarCount(); ++n) {
            const QDate month = start.isValid() ? start.addMonths(n - 1) : QDate();
            list->addItem(month.isValid() ? month.toString(QStringLiteral("yyyy/MM")) : QString());
        }
        list->setCurrentIndex(CalendarCount() == 1 ? 1 : -1);
    }
}

void TForm1::ShowPhotos(const Document &Was, const Document &Now)
{
    bool restack = Now.photoOrder != Was.photoOrder;
    while (ImgPicture.size() > Now.PhotoCount()) {
        TImage *photo = ImgPicture.takeLast();
        if (PressedPhoto == photo)
            PressedPhoto = nullptr;
        delete photo;
        restack = true;
    }
    while (ImgPicture.size() < Now.PhotoCount()) {
        auto *photo = new TImage(Panel1);
        if (ImgPicture.isEmpty())
            photo->setObjectName(QStringLiteral("Image1"));
        AttachPhoto(photo);
        ImgPicture.append(photo);
        photo->show();
        restack = true;
    }
    Image1 = ImgPicture.value(0);
    const QSize paper = PaperSize();
    for (int i = 0; i < Now.PhotoCount(); ++i) {
        TImage *photo = ImgPicture[i];
        const DocumentPhoto &p = Now.photos[i];
        photo->Tag = i;
        const QRect target = PhotoRect(p, paper);
        if (photo->geometry() != target)
            photo->setGeometry(target);
        if (photo->FileName() != p.fileName || photo->QuarterTurns() != p.quarterTurns)
            photo->ShowPhoto(p.fileName, p.quarterTurns);
    }
    if (restack)
        for (int i : Now.photoOrder)
            if (i >= 0 && i < ImgPicture.size())
                ImgPicture[i]->raise();

    // The thumbnail follows the selection, except for a photo just added.
    const int sel = Now.selectedPhoto;
    const auto keyOf = [](const Document &d, int i) {
        return i >= 0 && i < d.PhotoCount() ? PictureKey(d.photos[i]) : QString();
    };
    if (!KeepThumbnail && (sel != Was.selectedPhoto || keyOf(Now, sel) != keyOf(Was, sel)))
        UpdateThumbnail();
}

void TForm1::UpdateThumbnail()
{
    const int sel = Doc().selectedPhoto;
    ShowThumbnailOf(sel >= 0 && sel < ImgPicture.size() ? ImgPicture[sel]->ScreenCopy() : QImage());
}

void TForm1::CalendarWindowMoved(int N)
{
    if (ShowingDocument || IsStart || IsLoadingFile || !FirstShowingDone)
        return;
    TplCalendarForm *cal = CalendarPair(N).Cal;
    const DocumentCalendar *c = Doc().Calendar(N);
    if (!cal || !c || !cal->isVisible())
        return;
    const QRect onPaper = cal->geometry().translated(-PaperOnScreen());
    if (onPaper == CalendarWindowRect(*c, PaperSize()))
        return;
    Document d = Doc();
    PlaceCalendarAt(d, N, onPaper);
    // A title drag is one step, however many moves it takes, and the press
    // that brought the calendar to the front belongs to it.
    if (cal->Dragging())
        History->Apply(QStringLiteral("カレンダーの移動"), d,
                       {kMergeCalendarMove, (quint64(N) << 32) | quint64(cal->PressCount())}, &TitlePressDocument);
    else
        Adjust(d);
}

void TForm1::PaperMovedOnScreen()
{
    const QPoint origin = PaperOnScreen();
    if (origin == LastPaperOnScreen)
        return;
    LastPaperOnScreen = origin;
    if (IsStart || IsLoadingFile || ShowingDocument || !FirstShowingDone)
        return;
    // The calendars lie on the paper: they go where it goes.
    const QScopedValueRollback<bool> guard(ShowingDocument, true);
    for (int n = 1; n <= CalendarCount(); ++n)
        if (TplCalendarForm *cal = CalendarPair(n).Cal; cal && cal->isVisible())
            cal->setGeometry(CalendarWindowRect(Doc().calendars[n - 1], PaperSize()).translated(origin));
}

void TForm1::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    PaperMovedOnScreen();
}

void TForm1::PhotoControlMoved(TImage *Photo)
{
    if (ShowingDocument || IsLoadingFile)
        return;
    const int i = int(ImgPicture.indexOf(Photo));
    if (i < 0 || i >= Doc().PhotoCount() || Photo->geometry() == PhotoRect(Doc().photos[i], PaperSize()))
        return;
    Document d = Doc();
    PlacePhotoAt(d, i, Photo->geometry());
    Adjust(d);
}

} // namespace tamarie
