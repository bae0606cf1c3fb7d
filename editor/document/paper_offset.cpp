#include "paper_offset.h"

#include "platform/ini_file.h"
#include "platform/ini_update.h"

namespace tamarie {

namespace {
const QString kSection = QStringLiteral("Desktop");
const QString kLeft = QStringLiteral("PaperOffsetLeft");
const QString kTop = QStringLiteral("PaperOffsetTop");
// Frames and menu bars are a few dozen pixels; anything beyond is not ours.
constexpr int kLimit = 1000;
} // namespace

namespace {

std::optional<QPoint> OffsetIn(const IniFile &ini)
{
    if (!ini.ValueExists(kSection, kLeft) || !ini.ValueExists(kSection, kTop))
        return std::nullopt;
    const QPoint offset(ini.ReadInteger(kSection, kLeft, 0), ini.ReadInteger(kSection, kTop, 0));
    if (std::abs(offset.x()) > kLimit || std::abs(offset.y()) > kLimit)
        return std::nullopt;
    return offset;
}

} // namespace

std::optional<QPoint> ReadPaperOffset(const QString &configPath)
{
    IniFile ini;
    if (configPath.isEmpty() || !ini.Load(configPath))
        return std::nullopt;
    return OffsetIn(ini);
}

bool WritePaperOffset(const QString &configPath, const QPoint &offset)
{
    IniFileUpdate update(configPath);
    if (!update.Ok())
        return false;
    IniFile &ini = update.File();
    if (OffsetIn(ini) != offset) {
        ini.WriteInteger(kSection, kLeft, offset.x());
        ini.WriteInteger(kSection, kTop, offset.y());
    }
    return update.Commit();
}

QPoint CalendarShiftOntoPaper(const QPoint &savedFrame, const QPoint &savedPaper, const QPoint &offset,
                              const QPoint &paperOnScreen)
{
    return paperOnScreen - (savedFrame + offset + savedPaper);
}

} // namespace tamarie
