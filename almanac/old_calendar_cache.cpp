#include "old_calendar_cache.h"

namespace almanac {

namespace {

// A repaint spans at most two years; a few more keep paging back and forth
// through a calendar cheap.
constexpr int kCachedYears = 8;

struct CacheSlot {
    bool used;
    unsigned long long lastUse;
    OldCalendarYear table;
};

CacheSlot g_slots[kCachedYears];
unsigned long long g_useClock = 0;
int g_lastHit = 0;

}  // namespace

const OldCalendarYear &OldCalendarYearOf(int year) {
    CacheSlot &recent = g_slots[g_lastHit];
    if (recent.used && recent.table.year == year) {
        recent.lastUse = ++g_useClock;
        return recent.table;
    }
    int victim = 0;
    for (int i = 0; i < kCachedYears; ++i) {
        CacheSlot &slot = g_slots[i];
        if (slot.used && slot.table.year == year) {
            slot.lastUse = ++g_useClock;
            g_lastHit = i;
            return slot.table;
        }
        if (!slot.used || (g_slots[victim].used && slot.lastUse < g_slots[victim].lastUse)) {
            victim = i;
        }
    }
    CacheSlot &slot = g_slots[victim];
    BuildOldCalendarYear(year, slot.table);
    slot.used = true;
    slot.lastUse = ++g_useClock;
    g_lastHit = victim;
    return slot.table;
}

void ClearOldCalendarCache() {
    for (CacheSlot &slot : g_slots) {
        slot.used = false;
    }
    g_lastHit = 0;
}

}  // namespace almanac
