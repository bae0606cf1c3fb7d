#pragma once
// Which calendars a per-month appearance setting goes to, from the selected
// index of its apply-to-month list: -1 none chosen, 0 all months, N month N.
#include <QString>
#include <vector>

namespace tamarie {

// Shown when a value is changed while no month is chosen.
inline const QString kChooseMonthMessage = QStringLiteral("適用月を選択してください。");

struct ApplyTargets {
    bool noMonthChosen = false;  // the list has no selection
    std::vector<int> calendars;  // in ascending order
};

// i = 0: calendars 1 to calendarCount; i = N within the set: calendar N alone;
// i below 0: no month chosen.  An index beyond the set names no calendar.
ApplyTargets ApplyToTargets(int selectedIndex, int calendarCount);

// The calendar whose current value a dialog or list starts from: calendar i,
// or calendar 1 for "all months".  0 when nothing is chosen.
int ApplyToSourceCalendar(int selectedIndex, int calendarCount);

// Title font size for a calendar font size: 1.5 times, to the nearest point,
// halves to even (11 -> 16, 12 -> 18, 13 -> 20).
int TitlePointSize(double gridPointSize);

} // namespace tamarie
