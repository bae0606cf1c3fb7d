// The published holiday list: it decides the years it covers, agrees with the
// rules where the law did not change, and a damaged one is never used.
#include "holiday_list.h"
#include "holidays.h"
#include "text_codec.h"

#include <QDate>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tamarie {
namespace {

const QString kHeader = QStringLiteral("国民の祝日・休日月日,国民の祝日・休日名称\r\n");

// 2027 as the rules have it, except that 海の日 moves from 19 to 26 July and
// a holiday the rules cannot know is added on 15 June.
const QString k2027 = QStringLiteral(
    "2027/1/1,元日\r\n2027/1/11,成人の日\r\n2027/2/11,建国記念の日\r\n2027/2/23,天皇誕生日\r\n"
    "2027/3/21,春分の日\r\n2027/3/22,休日\r\n2027/4/29,昭和の日\r\n2027/5/3,憲法記念日\r\n"
    "2027/5/4,みどりの日\r\n2027/5/5,こどもの日\r\n2027/6/15,新しい祝日\r\n2027/7/26,海の日\r\n"
    "2027/8/11,山の日\r\n2027/9/20,敬老の日\r\n2027/9/23,秋分の日\r\n2027/10/11,スポーツの日\r\n"
    "2027/11/3,文化の日\r\n2027/11/23,勤労感謝の日\r\n");

// The Cabinet Office's published dates of 2019 to 2026.
const QString kPublished = QStringLiteral(
    "2019/1/1,元日\n2019/1/14,成人の日\n2019/2/11,建国記念の日\n2019/3/21,春分の日\n2019/4/29,昭和の日\n"
    "2019/4/30,休日\n2019/5/1,休日（祝日扱い）\n2019/5/2,休日\n2019/5/3,憲法記念日\n2019/5/4,みどりの日\n"
    "2019/5/5,こどもの日\n2019/5/6,休日\n2019/7/15,海の日\n2019/8/11,山の日\n2019/8/12,休日\n"
    "2019/9/16,敬老の日\n2019/9/23,秋分の日\n2019/10/14,体育の日\n2019/10/22,休日（祝日扱い）\n"
    "2019/11/3,文化の日\n2019/11/4,休日\n2019/11/23,勤労感謝の日\n"
    "2020/1/1,元日\n2020/1/13,成人の日\n2020/2/11,建国記念の日\n2020/2/23,天皇誕生日\n2020/2/24,休日\n"
    "2020/3/20,春分の日\n2020/4/29,昭和の日\n2020/5/3,憲法記念日\n2020/5/4,みどりの日\n2020/5/5,こどもの日\n"
    "2020/5/6,休日\n2020/7/23,海の日\n2020/7/24,スポーツの日\n2020/8/10,山の日\n2020/9/21,敬老の日\n"
    "2020/9/22,秋分の日\n2020/11/3,文化の日\n2020/11/23,勤労感謝の日\n"
    "2021/1/1,元日\n2021/1/11,成人の日\n2021/2/11,建国記念の日\n2021/2/23,天皇誕生日\n2021/3/20,春分の日\n"
    "2021/4/29,昭和の日\n2021/5/3,憲法記念日\n2021/5/4,みどりの日\n2021/5/5,こどもの日\n2021/7/22,海の日\n"
    "2021/7/23,スポーツの日\n2021/8/8,山の日\n2021/8/9,休日\n2021/9/20,敬老の日\n2021/9/23,秋分の日\n"
    "2021/11/3,文化の日\n2021/11/23,勤労感謝の日\n"
    "2022/1/1,元日\n2022/1/10,成人の日\n2022/2/11,建国記念の日\n2022/2/23,天皇誕生日\n2022/3/21,春分の日\n"
    "2022/4/29,昭和の日\n2022/5/3,憲法記念日\n2022/5/4,みどりの日\n2022/5/5,こどもの日\n2022/7/18,海の日\n"
    "2022/8/11,山の日\n2022/9/19,敬老の日\n2022/9/23,秋分の日\n2022/10/10,スポーツの日\n2022/11/3,文化の日\n"
    "2022/11/23,勤労感謝の日\n"
    "2023/1/1,元日\n2023/1/2,休日\n2023/1/9,成人の日\n2023/2/11,建国記念の日\n2023/2/23,天皇誕生日\n"
    "2023/3/21,春分の日\n2023/4/29,昭和の日\n2023/5/3,憲法記念日\n2023/5/4,みどりの日\n2023/5/5,こどもの日\n"
    "2023/7/17,海の日\n2023/8/11,山の日\n2023/9/18,敬老の日\n2023/9/23,秋分の日\n2023/10/9,スポーツの日\n"
    "2023/11/3,文化の日\n2023/11/23,勤労感謝の日\n"
    "2024/1/1,元日\n2024/1/8,成人の日\n2024/2/11,建国記念の日\n2024/2/12,休日\n2024/2/23,天皇誕生日\n"
    "2024/3/20,春分の日\n2024/4/29,昭和の日\n2024/5/3,憲法記念日\n2024/5/4,みどりの日\n2024/5/5,こどもの日\n"
    "2024/5/6,休日\n2024/7/15,海の日\n2024/8/11,山の日\n2024/8/12,休日\n2024/9/16,敬老の日\n"
    "2024/9/22,秋分の日\n2024/9/23,休日\n2024/10/14,スポーツの日\n2024/11/3,文化の日\n2024/11/4,休日\n"
    "2024/11/23,勤労感謝の日\n"
    "2025/1/1,元日\n2025/1/13,成人の日\n2025/2/11,建国記念の日\n2025/2/23,天皇誕生日\n2025/2/24,休日\n"
    "2025/3/20,春分の日\n2025/4/29,昭和の日\n2025/5/3,憲法記念日\n2025/5/4,みどりの日\n2025/5/5,こどもの日\n"
    "2025/5/6,休日\n2025/7/21,海の日\n2025/8/11,山の日\n2025/9/15,敬老の日\n2025/9/23,秋分の日\n"
    "2025/10/13,スポーツの日\n2025/11/3,文化の日\n2025/11/23,勤労感謝の日\n2025/11/24,休日\n"
    "2026/1/1,元日\n2026/1/12,成人の日\n2026/2/11,建国記念の日\n2026/2/23,天皇誕生日\n2026/3/20,春分の日\n"
    "2026/4/29,昭和の日\n2026/5/3,憲法記念日\n2026/5/4,みどりの日\n2026/5/5,こどもの日\n2026/5/6,休日\n"
    "2026/7/20,海の日\n2026/8/11,山の日\n2026/9/21,敬老の日\n2026/9/22,休日\n2026/9/23,秋分の日\n"
    "2026/10/12,スポーツの日\n2026/11/3,文化の日\n2026/11/23,勤労感謝の日\n");

QByteArray Cp932(const QString &text) { return EncodeCp932(text).value(); }

TDateValue D(int y, int m, int d) { return DateToValue(QDate(y, m, d)); }

THolidayList Parsed(const QString &text)
{
    THolidayListRead r = ParseHolidayList(Cp932(text));
    EXPECT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    return r.list.value_or(THolidayList());
}

// Every day of the years, with and without the list, as "date name" lines
// of the days whose answer differs.
QStringList Differences(const THolidayList &list, int firstYear, int lastYear)
{
    QStringList out;
    for (QDate d(firstYear, 1, 1); d.year() <= lastYear; d = d.addDays(1)) {
        QString withList, rules;
        const bool a = IsHoliday(list, DateToValue(d), withList);
        const bool b = IsHoliday(THolidayList(), DateToValue(d), rules);
        if (a != b || withList != rules || a != IsHoliday(list, DateToValue(d)))
            out << d.toString(Qt::ISODate) + u' ' + withList + u'/' + rules;
    }
    return out;
}

TEST(HolidayList, DecidesTheYearsItCoversAndTheRulesTheOthers)
{
    const THolidayList list = Parsed(kHeader + k2027);
    EXPECT_EQ(Differences(list, 2027, 2027),
              QStringList({"2027-06-15 新しい祝日/", "2027-07-19 /海の日", "2027-07-26 海の日/"}));
    EXPECT_TRUE(Differences(list, 2026, 2026).isEmpty());
    EXPECT_TRUE(Differences(list, 2028, 2028).isEmpty());
    // The generic "休日" keeps the rules' name where they agree.
    QString name;
    EXPECT_TRUE(IsHoliday(list, D(2027, 3, 22), name));
    EXPECT_EQ(name, "振替休日");
    EXPECT_FALSE(IsNationalHoliday(list, D(2027, 3, 22)));
    EXPECT_TRUE(IsNationalHoliday(list, D(2027, 6, 15), name));
}

TEST(HolidayList, PublishedDatesOf2019To2026AgreeWithTheRules)
{
    const THolidayList list = Parsed(kHeader + kPublished);
    EXPECT_EQ(list.Size(), 148);
    EXPECT_EQ(Differences(list, 2019, 2026), QStringList());
}

TEST(HolidayList, ADamagedListIsRefusedWhole)
{
    const QByteArray good = Cp932(kHeader + k2027);
    const QByteArray damaged[] = {
        Cp932(k2027),                                            // no header
        Cp932(kHeader + k2027 + "2027/13/1,月がない\r\n"),       // no such date
        Cp932(kHeader + k2027 + "2027/5/3,憲法記念日\r\n"),      // a date twice
        Cp932(kHeader + "2027-07-26,海の日\r\n"),                // another date form
        Cp932(kHeader + k2027 + "2027/12/1,\r\n"),               // no name
        good.left(good.size() - 11),                             // cut inside a character
        QByteArray(kHolidayListMaxBytes + 1, 'a'),
        Cp932(kHeader),
    };
    for (const QByteArray &bytes : damaged) {
        const THolidayListRead r = ParseHolidayList(bytes);
        EXPECT_FALSE(r.list.has_value());
        EXPECT_FALSE(r.error.isEmpty());
    }
    QTemporaryDir dir;
    EXPECT_FALSE(ReadHolidayListFile(dir.filePath("none.csv")).list);
    EXPECT_TRUE(ReadHolidayListFile(dir.filePath("none.csv")).error.isEmpty());
    EXPECT_FALSE(ReadHolidayListFile(dir.path()).error.isEmpty());
}

#ifdef TAMARIE_KOYOMI_PATH
QString Koyomi(const QStringList &args, QString *err = nullptr)
{
    QProcess p;
    p.start(TAMARIE_KOYOMI_PATH, args);
    p.waitForFinished(60000);
    if (err)
        *err = QString::fromUtf8(p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(HolidayList, KoyomiFollowsTheGivenList)
{
    QTemporaryDir dir;
    const QString good = dir.filePath("syukujitsu.csv"), bad = dir.filePath("bad.csv");
    QFile f(good), g(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && g.open(QIODevice::WriteOnly));
    f.write(Cp932(kHeader + k2027));
    g.write(Cp932(kHeader + k2027 + "2027/2/30,ない日\r\n"));
    f.close();
    g.close();
    const QString rules2027 = Koyomi({"--holidays", "2027"});
    const QString listed2027 = Koyomi({"--holidays", "--holiday-list", good, "2027"});
    EXPECT_TRUE(listed2027.contains("2027-06-15\t新しい祝日\n"));
    EXPECT_TRUE(listed2027.contains("2027-07-26\t海の日\n"));
    EXPECT_FALSE(listed2027.contains("2027-07-19"));
    EXPECT_TRUE(rules2027.contains("2027-07-19\t海の日\n"));
    EXPECT_EQ(Koyomi({"--holidays", "--holiday-list", good, "2028"}), Koyomi({"--holidays", "2028"}));
    // The day lines ask the same decision.
    EXPECT_TRUE(Koyomi({"--holiday-list", good, "2027-06-15"}).contains("2027-06-15\t火\t新しい祝日\t"));

    QString err;
    EXPECT_EQ(Koyomi({"--holidays", "--holiday-list", bad, "2027"}, &err), rules2027);
    EXPECT_TRUE(err.contains("bad.csv")) << err.toStdString();
}
#endif

} // namespace
} // namespace tamarie
