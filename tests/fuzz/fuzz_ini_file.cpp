// The INI reader, the value parsers and the writer on arbitrary bytes: no
// crash, no value longer than a read may give, and whatever is written reads
// back the same after the file is written out and parsed again.
#include "ini_file.h"

#include <cstdint>
#include <cstdlib>

using namespace tamarie;

namespace {
void Check(bool ok)
{
    if (!ok)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    IniFile ini;
    ini.Parse(bytes);

    const QStringList sections = ini.Sections();
    for (const QString &section : sections) {
        Check(ini.SectionExists(section));
        for (const QString &key : ini.Keys(section)) {
            Check(ini.ValueExists(section, key));
            const QString value = ini.ReadString(section, key);
            Check(value.size() <= kIniMaxValueLength);
            ini.ReadInteger(section, key, 0);
            ini.ReadDate(section, key, 0);
            if (const auto n = ParseIniInteger(value))
                Check(ParseIniInteger(QString::number(*n)) == n);
            if (const auto d = ParseIniDate(value))
                Check(ParseIniDate(FormatIniDate(*d)) == d);
        }
    }

    // Written out unchanged and parsed again, the file says the same.
    IniFile again;
    again.Parse(ini.Serialize());
    // Whatever encoding the writer chose (the file's own, or UTF-16 when that
    // could not give the text back), every section and key reads the same.
    Check(again.Sections() == sections);
    for (const QString &section : sections) {
        Check(again.Keys(section) == ini.Keys(section));
        for (const QString &key : ini.Keys(section))
            Check(again.ReadString(section, key) == ini.ReadString(section, key));
    }

    // A value made of the input survives writing, whatever it holds.
    const QString text = QString::fromUtf8(bytes.left(3000));
    ini.WriteString(QStringLiteral("Fuzz"), QStringLiteral("Value"), text);
    ini.WriteInteger(QStringLiteral("Fuzz"), QStringLiteral("Int"), static_cast<std::int32_t>(size * 2654435761u));
    const QString expected = ini.ReadString(QStringLiteral("Fuzz"), QStringLiteral("Value"));
    IniFile written;
    written.Parse(ini.Serialize());
    Check(written.ReadString(QStringLiteral("fuzz"), QStringLiteral("value")) == expected);
    Check(written.ReadInteger(QStringLiteral("Fuzz"), QStringLiteral("Int"), 0) ==
          static_cast<std::int32_t>(size * 2654435761u));
    ini.EraseKey(QStringLiteral("Fuzz"), QStringLiteral("Value"));
    Check(!ini.ValueExists(QStringLiteral("Fuzz"), QStringLiteral("Value")));
    if (!sections.isEmpty()) {
        ini.EraseSection(sections.front());
        Check(!ini.SectionExists(sections.front()));
    }
    return 0;
}
