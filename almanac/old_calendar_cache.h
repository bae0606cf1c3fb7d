// Tables of recently used years, so that every further date of a year is a
// lookup.  A year's tables depend on the year alone, so a cached table is
// exactly the one a fresh build gives.  Internal.
#ifndef ALMANAC_OLD_CALENDAR_CACHE_H
#define ALMANAC_OLD_CALENDAR_CACHE_H

#include "old_calendar.h"

namespace almanac {

// The tables of a year, built on first use.  The reference stays valid until
// the next call of either function below.
const OldCalendarYear &OldCalendarYearOf(int year);

// Forgets every cached year (tests use it to compare with fresh builds).
void ClearOldCalendarCache();

}  // namespace almanac

#endif  // ALMANAC_OLD_CALENDAR_CACHE_H
