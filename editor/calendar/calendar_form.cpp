#include "calendar_form.h"

#include "back_form.h"
#include "day_cell_painter.h"
#include "desktop_compositing.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>
#include <cstdlib>
#include <vector>

namespace tamarie {

namespace {
// Design sizes of a new calendar window (client area, title, grid).
constexpr int kDesignWidth = 219;
constexpr int kDesignHeight = 202;
constexpr int kDesignTitleHeight = 31;
constexpr int kDesignGridHeight = 170;

// The design fonts are given in pixels; Qt keeps them as points at 96 dpi so
// that the size in points reads back as the design tool would report it.
QFont DesignFont(const char *family, int pixels, bool bold)
{
    QFont f(QString::fromUtf8(family));
    f.setPointSizeF(pixels * 72.0 / 96.0);
    f.setBold(bold);
    return f;
}
// The pixels of an RGB32 image that differ from `key`, as runs per row.
QRegion RegionWithoutColor(const QImage &img, QRgb key)
{
    std::vector<QRect> runs;
    for (int y = 0; y < img.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        int x = 0;
        while (x < img.width()) {
            while (x < img.width() && line[x] == key)
                ++x;
            const int start = x;
            while (x < img.width() && line[x] != key)
                ++x;
            if (x > start)
                runs.emplace_back(start, y, x - start, 1);
        }
    }
    QRegion region;
    if (!runs.empty())
        region.setRects(runs.data(), static_cast<int>(runs.size()));
    return region;
}
} // namespace

bool DragThresholdExceeded(const QPoint &MouseDownPos, const QPoint &Cursor)
{
    return !(std::abs(Cursor.x() - MouseDownPos.x()) < kDragThreshold &&
             std::abs(Cursor.y() - MouseDownPos.y()) < kDragThreshold);
}

QString FormatPanelDate(const QString &pattern, TDateValue date)
{
    const QDate d = ValueToDate(date);
    return d.isValid() ? d.toString(pattern) : QString();
}

TplCalendarForm::TplCalendarForm(QWidget *AOwner, bool Translucent)
    : QWidget(AOwner, Qt::Tool | Qt::FramelessWindowHint), FTranslucent(Translucent)
{
    FhActivePrevForm = QApplication::activeWindow();
    // An ARGB visual is chosen when the native window is made, so before it.
    setAttribute(FTranslucent ? Qt::WA_TranslucentBackground : Qt::WA_OpaquePaintEvent);
    resize(kDesignWidth, kDesignHeight);
    setFont(DesignFont("ＭＳ Ｐゴシック", 12, false));

    Panel = new TTitlePanel(this);
    Panel->setGeometry(0, 0, kDesignWidth, kDesignTitleHeight);
    Panel->SetColor(clMoneyGreen);
    Panel->setFont(DesignFont("MS UI Gothic", 19, true));
    Panel->SetFontColor(clBlack);
    Panel->OnMouseDown = [this](QObject *s, Qt::MouseButton b, Qt::MouseButtons sh, int x, int y) {
        PanelMouseDown(s, b, sh, x, y);
    };
    Panel->OnMouseMove = [this](QObject *s, Qt::MouseButtons sh, int x, int y) { PanelMouseMove(s, sh, x, y); };
    Panel->OnMouseUp = [this](QObject *s, Qt::MouseButton b, int x, int y) { PanelMouseUp(s, b, x, y); };

    Calendar = new TplCalendarFormCalendar(this);
    FplCalendar = Calendar;
    Calendar->setGeometry(0, kDesignTitleHeight, kDesignWidth, kDesignGridHeight);
    Calendar->SetColor(clWhite);
    Calendar->setFont(DesignFont("MS UI Gothic", 19, false));
    Calendar->SetFontColor(clWindowText);
    Calendar->SetGridLineWidth(0);
    Calendar->SetStartOfWeek(0);
    Calendar->FCalForm = this;
    Calendar->FCanClose = true;
    Calendar->move(0, Panel->height());

    FColor = Calendar->Color();
    FPanelFormatDate = QString::fromUtf8("yyyy年 M月");
    Panel->SetCaption(FormatPanelDate(FPanelFormatDate, Calendar->CalendarDate()));

    Panel->installEventFilter(this);
    Calendar->installEventFilter(this);
}

TplCalendarForm::~TplCalendarForm() = default;

TBackForm *TplCalendarForm::BackForm() const
{
    return FBackForm.data();
}

void TplCalendarForm::SetBackForm(TBackForm *Value)
{
    FBackForm = Value;
}

void TplCalendarForm::SetColor(TColorValue Value)
{
    FColor = Value;
    update();
    ScheduleKeyMask();
}

void TplCalendarForm::SetTransparentColor(bool Value)
{
    FTransparentColor = Value;
    ScheduleKeyMask();
}

void TplCalendarForm::SetTransparentColorValue(TColorValue Value)
{
    FTransparentColorValue = Value;
    ScheduleKeyMask();
}

void TplCalendarForm::PanelMouseDown(QObject *, Qt::MouseButton, Qt::MouseButtons, int, int)
{
    if (OnTitlePress)
        OnTitlePress();
    // The focused title marks this calendar as the one the wheel resizes.
    if (isVisible())
        activateWindow();
    Panel->setFocus(Qt::MouseFocusReason);
    MouseDownPos = CursorPos();
    FDragging = false;
    FPressed = true;
    ++FPressCount;
}

void TplCalendarForm::PanelMouseMove(QObject *, Qt::MouseButtons Shift, int, int)
{
    const QPoint c = CursorPos();
    if (FDragging) {
        if (Shift & Qt::LeftButton)
            move(c - FDragOffset);
        else
            FDragging = false;
        return;
    }
    if (!DragThresholdExceeded(MouseDownPos, c))
        return;
    if (!(Shift & Qt::LeftButton) || !FPressed)
        return;
    if (BeginWindowMove(c))
        return;
    // No window manager to hand the move to: follow the pointer ourselves.
    // The point pressed stays under the pointer, however late this move
    // event came on a busy machine.
    FDragging = true;
    FDragOffset = MouseDownPos - pos();
    move(c - FDragOffset);
}

void TplCalendarForm::PanelMouseUp(QObject *, Qt::MouseButton, int, int)
{
    // The drop lands where the button came up, whichever moves were merged.
    if (FDragging)
        move(CursorPos() - FDragOffset);
    FDragging = false;
    FPressed = false;
}

bool TplCalendarForm::BeginWindowMove(const QPoint &)
{
    // The window follows the pointer itself: the press's implicit grab brings
    // every move and the release here, so the drag ends on release whatever
    // the window manager does, and the backing window moves at every step.
    return false;
}

QPoint TplCalendarForm::CursorPos() const
{
    return QCursor::pos();
}

CalendarLayer TplCalendarForm::OwnLayer() const
{
    CalendarLayer c;
    c.month = Calendar->CalendarDate();
    c.bounds = QRect(QPoint(0, 0), size());
    c.backVisible = false;
    c.backBounds = c.bounds;
    c.alpha = 0;
    c.backColor = Calendar->Color();
    c.windowColor = FColor;
    c.gridColor = Calendar->Color();
    c.keyed = FTransparentColor;
    c.keyColor = FTransparentColorValue;
    c.panelColor = Panel->Color();
    c.holidayColor = clRed;
    c.dayTextColor = Calendar->FontColor();
    c.gridFont = Calendar->font();
    c.gridPoints = FontPointSize(Calendar->font(), Calendar);
    c.titleFont = Panel->font();
    c.titlePoints = FontPointSize(Panel->font(), Panel);
    c.titleColor = Panel->FontColor();
    c.title = Panel->Caption();
    c.titleRect = Panel->isVisibleTo(this) ? Panel->geometry() : QRect();
    c.gridRect = Calendar->isVisibleTo(this) ? Calendar->geometry() : QRect();
    c.gridLineWidth = Calendar->GridLineWidth();
    return c;
}

void TplCalendarForm::PaintWindow(QPainter &Painter, CalendarSurface Surface)
{
    if (OnPaintWindow) {
        OnPaintWindow(Painter, Surface);
    } else {
        CalendarDisplayOptions options;
        options.firstDayOfWeek = Calendar->StartOfWeek();
        PaintCalendar(Painter, OwnLayer(), options, {}, Calendar->logicalDpiY(), Surface);
    }
    if (Calendar->isVisibleTo(this)) {
        Painter.save();
        Painter.translate(Calendar->pos());
        Painter.setClipRect(QRect(QPoint(0, 0), Calendar->size()), Qt::IntersectClip);
        Calendar->PaintFocus(Painter);
        Painter.restore();
    }
}

QImage TplCalendarForm::RenderOpaque()
{
    // Painted directly rather than through QWidget::render, which skips the
    // children of a hidden window and would re-enter the repaint tracking.
    QImage img(size(), QImage::Format_RGB32);
    QPainter p(&img);
    PaintWindow(p, CalendarSurface::KeyedWindow);
    return img;
}

QImage TplCalendarForm::RenderImage()
{
    // Opaque RGB32 pixels are already valid premultiplied ARGB32 pixels.
    QImage out = RenderOpaque();
    out.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
    if (FTransparentColor) {
        const QRgb key = ResolveColorValue(FTransparentColorValue).rgb();
        const int w = out.width();
        for (int y = 0; y < out.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
            for (int x = 0; x < w; ++x)
                if (line[x] == key)
                    line[x] = 0;
        }
    }
    return out;
}

QImage TplCalendarForm::WindowImage()
{
    if (!FTranslucent)
        return RenderImage();
    QImage img(size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    PaintWindow(p, CalendarSurface::WithBacking);
    return img;
}

void TplCalendarForm::RenderTo(QPainter &Painter, const QPoint &TopLeft)
{
    Painter.drawImage(TopLeft, RenderImage());
}

void TplCalendarForm::UpdateKeyMask()
{
    QRegion region;
    if (FTransparentColor && !FTranslucent && width() > 0 && height() > 0) {
        const QImage img = RenderOpaque();
        region = RegionWithoutColor(img, ResolveColorValue(FTransparentColorValue).rgb());
        // An empty mask would mean "no mask" to the window system: keep one
        // pixel so a window of nothing but key colour stays see-through.
        if (region.isEmpty())
            region = QRegion(0, 0, 1, 1);
    }
    if (region == FKeyMask)
        return;
    FKeyMask = region;
    if (region.isEmpty())
        clearMask();
    else
        setMask(region);
    // Parts outside the old shape hold no pixels yet.
    update();
}

void TplCalendarForm::ScheduleKeyMask()
{
    if (FMaskPending)
        return;
    FMaskPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            FMaskPending = false;
            UpdateKeyMask();
        },
        Qt::QueuedConnection);
}

bool TplCalendarForm::event(QEvent *event)
{
    // Every repaint of the window or its children passes through here first:
    // the shape is made to fit the new content before that content is
    // painted, since the window system keeps no pixels outside the shape.
    if (event->type() == QEvent::UpdateRequest)
        UpdateKeyMask();
    return QWidget::event(event);
}

void TplCalendarForm::CheckServerPosition(int Generation)
{
    // A window manager putting the window into its frame can leave Qt with
    // the position inside the frame; the layout, the output and the backing
    // window all need the place the user sees.  A move asked for since then
    // is still on its way to the server: that one is not second-guessed.
    if (Generation != FMoveGeneration || FDragging || !isVisible())
        return;
    const std::optional<QPoint> server = ServerPosition(this);
    if (server && *server != pos())
        move(*server);
}

void TplCalendarForm::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    ++FMoveGeneration;
    if (event->spontaneous() && !FDragging) {
        const int generation = FMoveGeneration;
        QTimer::singleShot(150, this, [this, generation] { CheckServerPosition(generation); });
    }
    if (FBackForm && !(IsStarting && IsStarting()))
        FBackForm->move(pos());
    if (OnBoundsChanged)
        OnBoundsChanged();
}

void TplCalendarForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (FBackForm && FBackForm->Shown() && !(IsStarting && IsStarting()))
        FBackForm->resize(size());
    ScheduleKeyMask();
    if (OnBoundsChanged)
        OnBoundsChanged();
}

void TplCalendarForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    FhActivePrevForm = QApplication::activeWindow();
    if (Calendar->isEnabled())
        Calendar->setFocus(Qt::OtherFocusReason);
    ScheduleKeyMask();
}

void TplCalendarForm::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!FTranslucent) {
        PaintWindow(p, CalendarSurface::KeyedWindow);
        return;
    }
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(rect(), Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    PaintWindow(p, CalendarSurface::WithBacking);
}

bool TplCalendarForm::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        ScheduleKeyMask();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tamarie
