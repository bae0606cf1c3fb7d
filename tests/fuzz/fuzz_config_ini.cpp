// Loading Config.ini from arbitrary bytes: no crash, no hang, no allocation
// beyond what the file holds, every entry read stays findable, and a store
// written to that file keeps every entry that was read.
#include "day_data.h"
#include "dialogs.h"
#include "ini_file.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

using namespace tamarie;

// Loading reports nothing; a failed store would, and must not happen here.
namespace tamarie::dialogs {
void ShowMessage(const QString &, QWidget *) { std::abort(); }
} // namespace tamarie::dialogs

namespace {
// In memory where the system has it, so the flush of every save costs nothing.
QString ScratchPath()
{
    const QString dir = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    return dir + QStringLiteral("/fuzz_config_ini.%1.ini").arg(::getpid());
}

void CheckKept(const TDayData &before, const TDayData &after)
{
    if (after.ScheduleCount() != before.ScheduleCount() + 1 ||
        after.PersonalHolidayValueCount() != before.PersonalHolidayValueCount() + 1)
        std::abort();
    for (std::size_t i = 0; i < before.Schedule().size(); ++i) {
        const TSchedule &a = before.Schedule()[i], &b = after.Schedule()[i];
        if (a.Date != b.Date || a.Str != b.Str || a.MarkNo != b.MarkNo)
            std::abort();
    }
    for (std::size_t i = 0; i < before.PersonalHoliday().size(); ++i)
        if (before.PersonalHoliday()[i].Date != after.PersonalHoliday()[i].Date ||
            before.PersonalHoliday()[i].Value != after.PersonalHoliday()[i].Value)
            std::abort();
}
} // namespace

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

    // The same bytes as the settings file: one store of each kind, read again.
    static const QString path = ScratchPath();
    static const struct Remover {
        ~Remover()
        {
            QFile::remove(path);
            QFile::remove(QFileInfo(path).dir().filePath(u'.' + QFileInfo(path).fileName() + QStringLiteral(".lock")));
        }
    } remover;
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(reinterpret_cast<const char *>(data),
                                                                           qint64(size)) != qint64(size))
            return 0;
    }
    TDayData stored;
    stored.SetConfigPath(path);
    stored.LoadConfig();
    // A date the file does not hold yet, so each store adds an entry.
    TDateValue fresh = DateToValue(QDate(2100, 1, 1));
    while (stored.ScheduleOfDate(fresh) || stored.PersonalHolidayOfDate(fresh))
        ++fresh;
    stored.StoreSchedule(fresh, QStringLiteral("fuzz"), 2);
    stored.StorePersonalHoliday(fresh, true);
    if (!stored.WriteSchedules() || !stored.WritePersonalHolidays())
        std::abort();
    TDayData back;
    back.SetConfigPath(path);
    back.LoadConfig();
    CheckKept(day, back);
    if (back.Schedule().back().Date != fresh || back.Schedule().back().Str != QStringLiteral("fuzz") ||
        back.PersonalHoliday().back().Date != fresh)
        std::abort();
    return 0;
}
