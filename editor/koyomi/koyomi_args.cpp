#include "koyomi_args.h"

#include <QRegularExpression>

namespace tamarie::koyomi {

namespace {

enum class Precision { Year, Month, Day };

struct Parsed {
    QDate first, last;
    QString error;
};

// yyyy, yyyy-mm or yyyy-mm-dd; the year 1 to 9999.
Parsed ParseSpec(const QString &text, bool dayRequired)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{1,9})(?:-(\\d{1,2})(?:-(\\d{1,2}))?)?$"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return {{}, {}, QStringLiteral("日付は yyyy-mm-dd の形で指定してください: %1").arg(text)};
    const int year = m.captured(1).toInt();
    if (year < 1 || year > 9999)
        return {{}, {}, QStringLiteral("年は 1 から 9999 までです: %1").arg(text)};
    if (m.captured(2).isEmpty()) {
        if (dayRequired)
            return {{}, {}, QStringLiteral("日付は yyyy-mm-dd の形で指定してください: %1").arg(text)};
        return {QDate(year, 1, 1), QDate(year, 12, 31), {}};
    }
    const int month = m.captured(2).toInt();
    if (month < 1 || month > 12)
        return {{}, {}, QStringLiteral("月は 1 から 12 までです: %1").arg(text)};
    if (m.captured(3).isEmpty()) {
        if (dayRequired)
            return {{}, {}, QStringLiteral("日付は yyyy-mm-dd の形で指定してください: %1").arg(text)};
        const QDate first(year, month, 1);
        return {first, first.addDays(first.daysInMonth() - 1), {}};
    }
    const int day = m.captured(3).toInt();
    const QDate date(year, month, day);
    if (!date.isValid())
        return {{}, {}, QStringLiteral("存在しない日付です: %1").arg(text)};
    return {date, date, {}};
}

} // namespace

QString Usage()
{
    return QStringLiteral(
        "使い方: tamarie-koyomi [--holidays] 年 | 年-月 | 年-月-日\n"
        "        tamarie-koyomi [--holidays] --from 年-月-日 --to 年-月-日\n"
        "        tamarie-koyomi --ics ファイル [年 | 年-月 | 年-月-日 | --from .. --to ..]\n"
        "一日一行、タブ区切りで 日付 曜日 祝日 旧暦月 旧暦日 六曜 節気 を出力します。\n"
        "--holidays  祝日・振替休日・国民の休日だけを「日付<TAB>名前」で出力します。\n"
        "--holiday-list ファイル  内閣府の祝日一覧(syukujitsu.csv)に従います。\n"
        "            指定しないときはデータフォルダの syukujitsu.csv があれば使います。\n"
        "--ics ファイル  iCalendar ファイルの予定を、読み込んだときの日付ごとに予定の列を\n"
        "            付けて出力します。繰り返しの予定は指定の期間(省略時は今年と来年)に展開します。\n");
}

Request ParseArguments(const QStringList &args)
{
    Request r;
    QString dateArg, from, to;
    bool haveFrom = false, haveTo = false, haveList = false, haveIcs = false;
    auto fail = [&r](const QString &message) {
        if (r.error.isEmpty())
            r.error = message;
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        auto value = [&](const QString &name, QString &out, bool &have, const QString &what = QStringLiteral("日付")) {
            if (have)
                fail(QStringLiteral("%1 が二度指定されています").arg(name));
            have = true;
            if (a.startsWith(name + u'=')) {
                out = a.mid(name.size() + 1);
            } else if (i + 1 < args.size()) {
                out = args[++i];
            } else {
                fail(QStringLiteral("%1 の後に%2がありません").arg(name, what));
            }
        };
        if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
            r.help = true;
        } else if (a == QLatin1String("--holidays")) {
            r.holidaysOnly = true;
        } else if (a == QLatin1String("--from") || a.startsWith(QLatin1String("--from="))) {
            value(QStringLiteral("--from"), from, haveFrom);
        } else if (a == QLatin1String("--to") || a.startsWith(QLatin1String("--to="))) {
            value(QStringLiteral("--to"), to, haveTo);
        } else if (a == QLatin1String("--holiday-list") || a.startsWith(QLatin1String("--holiday-list="))) {
            value(QStringLiteral("--holiday-list"), r.holidayList, haveList, QStringLiteral("ファイル名"));
        } else if (a == QLatin1String("--ics") || a.startsWith(QLatin1String("--ics="))) {
            value(QStringLiteral("--ics"), r.ics, haveIcs, QStringLiteral("ファイル名"));
        } else if (a.startsWith(u'-') && a.size() > 1 && !a[1].isDigit()) {
            fail(QStringLiteral("知らないオプションです: %1").arg(a));
        } else if (!dateArg.isEmpty()) {
            fail(QStringLiteral("日付は一つだけ指定してください: %1").arg(a));
        } else {
            dateArg = a;
        }
    }
    if (r.help || !r.error.isEmpty())
        return r;
    if ((haveList && r.holidayList.isEmpty()) || (haveIcs && r.ics.isEmpty()))
        return fail(QStringLiteral("ファイル名が空です")), r;
    if (haveIcs && r.holidaysOnly)
        return fail(QStringLiteral("--ics と --holidays は一緒に使えません")), r;
    r.rangeGiven = haveFrom || haveTo || !dateArg.isEmpty();
    if (haveIcs && !r.rangeGiven) {
        const int year = QDate::currentDate().year();
        r.from = QDate(year, 1, 1);
        r.to = QDate(year + 1, 12, 31);
        return r;
    }
    if (haveFrom || haveTo) {
        if (!dateArg.isEmpty())
            return fail(QStringLiteral("日付と --from/--to は一緒に使えません")), r;
        if (!haveFrom || !haveTo)
            return fail(QStringLiteral("--from と --to は両方指定してください")), r;
        const Parsed f = ParseSpec(from, true);
        const Parsed t = ParseSpec(to, true);
        if (!f.error.isEmpty() || !t.error.isEmpty())
            return fail(f.error.isEmpty() ? t.error : f.error), r;
        if (t.first < f.first)
            return fail(QStringLiteral("--to が --from より前です: %1 .. %2").arg(from, to)), r;
        r.from = f.first;
        r.to = t.first;
        return r;
    }
    if (dateArg.isEmpty())
        return fail(QStringLiteral("日付を指定してください")), r;
    const Parsed p = ParseSpec(dateArg, false);
    if (!p.error.isEmpty())
        return fail(p.error), r;
    r.from = p.first;
    r.to = p.last;
    return r;
}

} // namespace tamarie::koyomi
