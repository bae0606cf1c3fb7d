#include "output_choice.h"

#include "platform/ini_file.h"
#include "platform/ini_update.h"

namespace tamarie {

namespace {
const QString kSection = QStringLiteral("Output");
const QString kKey = QStringLiteral("Mode");
} // namespace

OutputChoice ReadOutputChoice(const QString &configPath)
{
    IniFile ini;
    if (configPath.isEmpty() || !ini.Load(configPath))
        return OutputChoice::Fresh;
    return ini.ReadInteger(kSection, kKey, 0) == 1 ? OutputChoice::AsScreen : OutputChoice::Fresh;
}

bool WriteOutputChoice(const QString &configPath, OutputChoice choice)
{
    IniFileUpdate update(configPath);
    if (!update.Ok())
        return false;
    update.File().WriteInteger(kSection, kKey, static_cast<int>(choice));
    return update.Commit();
}

} // namespace tamarie
