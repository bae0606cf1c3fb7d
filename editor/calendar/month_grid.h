#pragma once
// The month grid: 7 columns by 7 rows, the first row naming the weekdays and
// the six others holding the day numbers of one month.  TCalendar is the
// general grid; TplCalendarFormCalendar is the one a calendar window holds.
// The grids take the input (selection, clicks, keys, focus); the calendar
// window paints them with the rest of the calendar.
#include "month_layout.h"
#include "platform/values.h"

#include <QWidget>
#include <functional>

class QPainter;

namespace tamarie {

class TplCalendarForm;
class TplCalendarFormCalendar;

using TNotifyEvent = std::function<void(QObject *Sender)>;

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

    // The dotted rectangle around the current cell while the grid has the
    // keyboard focus, onto a painter whose origin is the grid's top-left.
    void PaintFocus(QPainter &Canvas) const;

protected:
    // Whether a cell may become current.
    virtual bool SelectCell(int ACol, int ARow);
    virtual void Click();
    virtual void Change();

    // Makes a cell current through SelectCell; false when refused.
    bool FocusCell(int ACol, int ARow);

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
    void SetDateComponents(int y, int m, int d);
    // Follows the client size at once, also while the grid is hidden.
    TCellSize CellSize() const { return CellSizeFor(width(), height(), FGridLineWidth); }

    int FCol = -1;
    int FRow = -1;
    int FGridLineWidth = 1;
    TColorValue FColor = clWhite;
    TColorValue FFontColor = clWindowText;
};

class TplCalendarFormCalendar : public TCalendar {
public:
    explicit TplCalendarFormCalendar(QWidget *AOwner = nullptr);

    TplCalendarForm *FCalForm = nullptr; // the window holding the grid; not owned
    bool FCanClose = true;

protected:
    void Click() override;
    void Change() override;
};

} // namespace tamarie
