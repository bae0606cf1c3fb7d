// Loading Config.ini from arbitrary bytes: no crash, no hang, no allocation
// beyond what the file holds, and every entry read stays findable.
#include "day_data.h"
#include "dialogs.h"
#include "ini_file.h"

#include <cstdint>
#include <cstdlib>

using namespace tamarie;

// Loading never reports anything; writing is not fuzzed here.
namespace tamarie::dialogs {
void ShowMessage(const QString &, QWidget *) {}
} // namespace tamarie::dialogs

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    IniFile ini;
    ini.Parse(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    TDayData day;
    day.LoadConfigFrom(ini);
    // An entry needs at least one line of its own.
    if (static_cast<std::size_t>(day.ScheduleCount() + day.PersonalHolidayValueCount()) > size)
        std::abort();
    for (const TSchedule &s : day.Schedule()) {
        const TSchedule *first = day.ScheduleOfDate(s.Date);
        if (!first || first->Date != s.Date)
            std::abort();
        day.LookupDay(s.Date);
    }
    for (const TPersonalHoliday &p : day.PersonalHoliday())
        if (!day.PersonalHolidayOfDate(p.Date))
            std::abort();
    return 0;
}
