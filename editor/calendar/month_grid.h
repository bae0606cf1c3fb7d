#pragma once
// The month grid: 7 columns by 7 rows, the first row naming the weekdays and
// the six others holding the day numbers of one month.  TCalendar is the
// general grid; TplCalendarFormCalendar is the one a calendar window holds,
// whose per-cell painting is supplied from outside (the day-cell painting).
#include "month_layout.h"
#include "platform/values.h"

#include <QWidget>
#include <functional>

class QPainter;

namespace tamarie {

class TplCalendarForm;
class TplCalendarFormCalendar;

using TNotifyEvent = std::function<void(QObject *Sender)>;

struct TGridDrawState {
    bool Selected = false; // the current cell
    bool Focused = false;  // the current cell while the grid has keyboard focus
    bool Fixed = false;    // a header cell
};

// System colour value of the window text (high byte 0xFF marks a system colour).
constexpr TColorValue clWindowText = static_cast<TColorValue>(0xFF000008u);
// A colour value as a QColor, system colours resolved through the palette.
QColor ResolveColorValue(TColorValue value);

class TCalendar : public QWidget {
public:
    explicit TCalendar(QWidget *AOwner = nullptr);
    ~TCalendar() override;

    // The grid's date; writing it re-lays the month out and raises OnChange.
    TDateValue CalendarDate() const { return FDate; }
    void SetCalendarDate(TDateValue Value);

    // Components of the date (0 when the date cannot be represented).
    int Year() const;
    int Month() const;
    int Day() const;
    // Values below 1, months above 12, days beyond the month and unchanged
    // values are ignored.  A day the new month or year lacks is clamped to its
    // last day; years beyond 9999 are ignored.
    void SetYear(int Value);
    void SetMonth(int Value);
    void SetDay(int Value);

    int StartOfWeek() const { return FStartOfWeek; }
    void SetStartOfWeek(int Value); // 0..6; other values are ignored
    bool UseCurrentDate() const { return FUseCurrentDate; }
    void SetUseCurrentDate(bool Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    int MonthOffset() const { return FMonthOffset; }

    QString GetCellText(int ACol, int ARow) const;
    QString CellText(int ACol, int ARow) const { return GetCellText(ACol, ARow); }
    // Date value of a day cell; 0 for header cells and cells outside the month.
    TDateValue CellDate(int ACol, int ARow) const;

    // Current cell (-1, -1 while the grid shows no valid month).
    int Col() const { return FCol; }
    int Row() const { return FRow; }

    int ColCount() const { return kGridCols; }
    int RowCount() const { return kGridRows; }
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int Value);
    int DefaultColWidth() const { return CellSize().Width; }
    int DefaultRowHeight() const { return CellSize().Height; }
    QRect CellRect(int ACol, int ARow) const;
    void MouseToCell(int X, int Y, int &ACol, int &ARow) const;

    // Background colour of the grid and colour of its font (colour values).
    TColorValue Color() const { return FColor; }
    void SetColor(TColorValue Value);
    TColorValue FontColor() const { return FFontColor; }
    void SetFontColor(TColorValue Value);

    virtual int DaysPerMonth(int AYear, int AMonth) const;
    virtual int DaysThisMonth() const;
    virtual bool IsLeapYear(int AYear) const;
    virtual void UpdateCalendar();

    TNotifyEvent OnChange;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;

    // Paints every cell of the grid onto a painter whose origin is the grid's
    // top-left corner (also used by paintEvent).
    void PaintGrid(QPainter &Canvas);
    // When its window paints everything itself, this widget paints nothing
    // (and lets the window show through).
    void SetPaintedByWindow(bool Value);
    bool PaintedByWindow() const { return FPaintedByWindow; }

protected:
    // Paints one cell; the grid has filled it and set its font and pen.
    virtual void PaintCell(QPainter &Canvas, int ACol, int ARow, const QRect &ARect, TGridDrawState AState);
    // Whether a cell may become current.
    virtual bool SelectCell(int ACol, int ARow);
    virtual void Click();
    virtual void Change();

    // Makes a cell current through SelectCell; false when refused.
    bool FocusCell(int ACol, int ARow);

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

    TDateValue FDate = 0;
    int FMonthOffset = 1;
    bool FReadOnly = false;
    int FStartOfWeek = 0;
    bool FUpdating = false;
    bool FUseCurrentDate = true;

private:
    bool FPaintedByWindow = false;
    void SetDateComponents(int y, int m, int d);
    // Follows the client size at once, also while the grid is hidden.
    TCellSize CellSize() const { return CellSizeFor(width(), height(), FGridLineWidth); }

    int FCol = -1;
    int FRow = -1;
    int FGridLineWidth = 1;
    TColorValue FColor = clWhite;
    TColorValue FFontColor = clWindowText;
};

// Paints one cell of a calendar window's grid.  The painter's origin is the
// grid's top-left and its font the grid's font; the grid has filled the cell
// with its background (the highlight colour for the current cell) and set the
// pen to the matching text colour.  The painter state is restored afterwards;
// the focus rectangle is drawn over the current cell after all cells.
using TCellPainter = std::function<void(TplCalendarFormCalendar &Grid, QPainter &Canvas, int ACol, int ARow,
                                        const QRect &ARect, TGridDrawState AState)>;

class TplCalendarFormCalendar : public TCalendar {
public:
    explicit TplCalendarFormCalendar(QWidget *AOwner = nullptr);

    TplCalendarForm *FCalForm = nullptr; // the window holding the grid; not owned
    bool FCanClose = true;

    // Painter for this grid; when empty the process-wide one is used, and
    // without either the plain day numbers and weekday names are drawn.
    TCellPainter OnPaintCell;
    static void SetDefaultCellPainter(TCellPainter painter);
    static const TCellPainter &DefaultCellPainter();

    // The plain painting: text centred in the cell (used when no painter is set).
    void PaintCellText(QPainter &Canvas, int ACol, int ARow, const QRect &ARect, TGridDrawState AState);

protected:
    void PaintCell(QPainter &Canvas, int ACol, int ARow, const QRect &ARect, TGridDrawState AState) override;
    void Click() override;
    void Change() override;
};

} // namespace tamarie
