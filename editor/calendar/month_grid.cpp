#include "month_grid.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <algorithm>

namespace tamarie {

QColor ResolveColorValue(TColorValue value)
{
    const auto v = static_cast<std::uint32_t>(value);
    if ((v & 0xFF000000u) != 0xFF000000u)
        return ValueToColor(value);
    // System colours: the few a grid uses, through the application palette.
    const QPalette pal;
    switch (v & 0xFFu) {
    case 5: return pal.color(QPalette::Base);             // clWindow
    case 13: return pal.color(QPalette::Highlight);       // clHighlight
    case 14: return pal.color(QPalette::HighlightedText); // clHighlightText
    case 15: return pal.color(QPalette::Button);          // clBtnFace
    case 18: return pal.color(QPalette::ButtonText);      // clBtnText
    default: return pal.color(QPalette::WindowText);      // clWindowText and the rest
    }
}

// ---- TCalendar ----------------------------------------------------------

TCalendar::TCalendar(QWidget *AOwner) : QWidget(AOwner)
{
    setFocusPolicy(Qt::StrongFocus);
    FUseCurrentDate = true;
    FDate = DateToValue(QDate::currentDate());
    UpdateCalendar();
}

TCalendar::~TCalendar() = default;

void TCalendar::SetCalendarDate(TDateValue Value)
{
    FDate = Value;
    UpdateCalendar();
    Change();
}

int TCalendar::Year() const
{
    const QDate d = ValueToDate(FDate);
    return d.isValid() ? d.year() : 0;
}

int TCalendar::Month() const
{
    const QDate d = ValueToDate(FDate);
    return d.isValid() ? d.month() : 0;
}

int TCalendar::Day() const
{
    const QDate d = ValueToDate(FDate);
    return d.isValid() ? d.day() : 0;
}

void TCalendar::SetDateComponents(int y, int m, int d)
{
    // A day the target month lacks (31 -> February) goes to its last day
    // rather than producing no date at all.
    d = std::min(d, DaysPerMonth(y, m));
    const QDate date(y, m, std::max(d, 1));
    if (!date.isValid())
        return;
    FDate = DateToValue(date);
    FUseCurrentDate = false;
    UpdateCalendar();
    Change();
}

void TCalendar::SetYear(int Value)
{
    // Date values end at 9999-12-31.
    if (Value < 1 || Value > 9999 || Value == Year())
        return;
    const QDate cur = ValueToDate(FDate);
    SetDateComponents(Value, cur.isValid() ? cur.month() : 1, cur.isValid() ? cur.day() : 1);
}

void TCalendar::SetMonth(int Value)
{
    if (Value < 1 || Value > 12 || Value == Month())
        return;
    const QDate cur = ValueToDate(FDate);
    if (!cur.isValid())
        return;
    SetDateComponents(cur.year(), Value, cur.day());
}

void TCalendar::SetDay(int Value)
{
    if (Value < 1 || Value > DaysThisMonth() || Value == Day())
        return;
    const QDate cur = ValueToDate(FDate);
    if (!cur.isValid())
        return;
    SetDateComponents(cur.year(), cur.month(), Value);
}

void TCalendar::SetStartOfWeek(int Value)
{
    if (Value < 0 || Value > 6 || Value == FStartOfWeek)
        return;
    FStartOfWeek = Value;
    UpdateCalendar();
}

void TCalendar::SetUseCurrentDate(bool Value)
{
    if (Value == FUseCurrentDate)
        return;
    FUseCurrentDate = Value;
    if (Value) {
        FDate = DateToValue(QDate::currentDate());
        UpdateCalendar();
    }
}

QString TCalendar::GetCellText(int ACol, int ARow) const
{
    return CellTextFor(ACol, ARow, FStartOfWeek, FMonthOffset, DaysThisMonth());
}

TDateValue TCalendar::CellDate(int ACol, int ARow) const
{
    const int day = CellDayNumber(ACol, ARow, FMonthOffset, DaysThisMonth());
    if (day == 0)
        return 0;
    return DateToValue(QDate(Year(), Month(), day));
}

void TCalendar::SetGridLineWidth(int Value)
{
    Value = std::max(Value, 0);
    if (Value == FGridLineWidth)
        return;
    FGridLineWidth = Value;
    update();
}

QRect TCalendar::CellRect(int ACol, int ARow) const
{
    if (ACol < 0 || ACol >= kGridCols || ARow < 0 || ARow >= kGridRows)
        return {};
    const TCellRect r = CellRectFor(ACol, ARow, CellSize(), FGridLineWidth);
    return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

void TCalendar::MouseToCell(int X, int Y, int &ACol, int &ARow) const
{
    const TCellPos p = CellAtPoint(X, Y, CellSize(), FGridLineWidth);
    ACol = p.Col;
    ARow = p.Row;
}

void TCalendar::SetColor(TColorValue Value)
{
    FColor = Value;
    update();
}

void TCalendar::SetFontColor(TColorValue Value)
{
    FFontColor = Value;
    update();
}

int TCalendar::DaysPerMonth(int AYear, int AMonth) const
{
    return DaysInMonthOf(AYear, AMonth);
}

int TCalendar::DaysThisMonth() const
{
    const QDate d = ValueToDate(FDate);
    return d.isValid() ? DaysPerMonth(d.year(), d.month()) : 0;
}

bool TCalendar::IsLeapYear(int AYear) const
{
    return IsLeapYearValue(AYear);
}

void TCalendar::UpdateCalendar()
{
    FUpdating = true;
    struct Reset {
        bool &flag;
        ~Reset() { flag = false; }
    } reset{FUpdating};

    const QDate d = ValueToDate(FDate);
    if (!d.isValid()) {
        // A value no calendar date stands for: an empty month, no current cell.
        FMonthOffset = 1;
        FCol = FRow = -1;
    } else {
        FMonthOffset = MonthOffsetFor(d.year(), d.month(), FStartOfWeek);
        const TCellPos p = DayCellPos(d.day(), FMonthOffset);
        if (SelectCell(p.Col, p.Row)) {
            FCol = p.Col;
            FRow = p.Row;
        }
    }
    update();
}

bool TCalendar::SelectCell(int ACol, int ARow)
{
    if (ARow < 1 || ARow >= kGridRows || ACol < 0 || ACol >= kGridCols)
        return false;
    if (FReadOnly && !FUpdating)
        return false;
    return !GetCellText(ACol, ARow).isEmpty();
}

bool TCalendar::FocusCell(int ACol, int ARow)
{
    if (!SelectCell(ACol, ARow))
        return false;
    if (ACol != FCol || ARow != FRow) {
        FCol = ACol;
        FRow = ARow;
        update();
    }
    return true;
}

void TCalendar::Click()
{
    if (OnClick)
        OnClick(this);
    bool ok = false;
    const int day = GetCellText(FCol, FRow).toInt(&ok);
    if (ok)
        SetDay(day);
}

void TCalendar::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCalendar::PaintFocus(QPainter &Canvas) const
{
    if (!hasFocus() || FCol < 0 || FRow < 0)
        return;
    const QRect r = CellRect(FCol, FRow);
    if (r.isEmpty())
        return;
    Canvas.save();
    QPen pen(ResolveColorValue(FFontColor));
    pen.setStyle(Qt::DotLine);
    pen.setWidth(1);
    Canvas.setPen(pen);
    Canvas.setBrush(Qt::NoBrush);
    Canvas.setRenderHint(QPainter::Antialiasing, false);
    Canvas.drawRect(r.adjusted(0, 0, -1, -1));
    Canvas.restore();
}

void TCalendar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    update();
}

void TCalendar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    int col = -1, row = -1;
    const QPoint pos = event->position().toPoint();
    MouseToCell(pos.x(), pos.y(), col, row);
    if (row >= 1) {
        FocusCell(col, row);
        Click();
    }
}

void TCalendar::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
    if (event->button() == Qt::LeftButton && OnDblClick)
        OnDblClick(this);
}

void TCalendar::keyPressEvent(QKeyEvent *event)
{
    int dc = 0, dr = 0;
    switch (event->key()) {
    case Qt::Key_Left: dc = -1; break;
    case Qt::Key_Right: dc = 1; break;
    case Qt::Key_Up: dr = -1; break;
    case Qt::Key_Down: dr = 1; break;
    default: QWidget::keyPressEvent(event); return;
    }
    if (FCol < 0 || FRow < 0)
        return;
    const int col = FCol + dc, row = FRow + dr;
    if (col >= 0 && col < kGridCols && row >= 1 && row < kGridRows && FocusCell(col, row))
        Click();
}

void TCalendar::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void TCalendar::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

// ---- TplCalendarFormCalendar -------------------------------------------

TplCalendarFormCalendar::TplCalendarFormCalendar(QWidget *AOwner) : TCalendar(AOwner) {}

void TplCalendarFormCalendar::Click()
{
    if (FCanClose) {
        bool ok = false;
        const int day = GetCellText(Col(), Row()).toInt(&ok);
        if (ok)
            SetDay(day);
    }
    TCalendar::Click();
}

void TplCalendarFormCalendar::Change()
{
    FCanClose = true;
    TCalendar::Change();
}

} // namespace tamarie
