#include "apply_to.h"

#include "values.h"

namespace tamarie {

ApplyTargets ApplyToTargets(int selectedIndex, int calendarCount)
{
    ApplyTargets targets;
    if (selectedIndex < 0) {
        targets.noMonthChosen = true;
        return targets;
    }
    if (selectedIndex == 0) {
        for (int n = 1; n <= calendarCount; ++n)
            targets.calendars.push_back(n);
    } else if (selectedIndex <= calendarCount) {
        targets.calendars.push_back(selectedIndex);
    }
    return targets;
}

int ApplyToSourceCalendar(int selectedIndex, int calendarCount)
{
    if (selectedIndex < 0 || calendarCount < 1 || selectedIndex > calendarCount)
        return 0;
    return selectedIndex == 0 ? 1 : selectedIndex;
}

int TitlePointSize(double gridPointSize) { return RoundHalfEven(gridPointSize * 1.5); }

} // namespace tamarie
