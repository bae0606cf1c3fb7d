// ファイル → 予定の読み込み/書き出し (iCalendar) on the main window: imports go
// through the day data into Config.ini, bad files change nothing, and the
// export reads back as the stored schedules.
#include "calendar_form.h"
#include "dialogs.h"
#include "ical_schedules.h"
#include "labeled_edit.h"
#include "month_grid.h"
#include "regular_file.h"
#include "tform1.h"

#include "support/hostile_ics.h"
#include "support/temporary_home.h"
#include "support/test_files.h"

#include <QAction>
#include <QDir>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <libical/ical.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>

namespace tamarie {
namespace {

const char kIcs[] = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//test//EN\r\n"
                    "BEGIN:VEVENT\r\nUID:a\r\nDTSTAMP:20261201T000000Z\r\nDTSTART:20270105T200000Z\r\n"
                    "SUMMARY:会議\r\nEND:VEVENT\r\n"
                    "BEGIN:VEVENT\r\nUID:b\r\nDTSTAMP:20261201T000000Z\r\nDTSTART;VALUE=DATE:20270106\r\n"
                    "SUMMARY:同じ日\r\nEND:VEVENT\r\n"
                    "BEGIN:VEVENT\r\nUID:c\r\nDTSTAMP:20261201T000000Z\r\nDTSTART;VALUE=DATE:20270104\r\n"
                    "RRULE:FREQ=MONTHLY\r\nSUMMARY:月初め\r\nEND:VEVENT\r\n"
                    "END:VCALENDAR\r\n";

TEST(ScheduleExchange, ImportWritesConfigBadFilesChangeNothingExportReadsBack)
{
    TemporaryHome home;
    dialogs::BeginScript();
    auto form = std::make_unique<TForm1>();
    form->IsStart = false;
    form->CreateCalendarPair(1);
    form->CalForm[1]->Calendar->SetCalendarDate(DateToValue(QDate(2027, 1, 1)));
    const QString config = form->DayData.ConfigPath();
    form->DayData.StoreSchedule(DateToValue(QDate(2027, 2, 4)), QStringLiteral("私の予定"), 1);
    form->TempScheduleDate = DateToValue(QDate(2027, 3, 4));
    form->ScheduleFormNo = 1;
    form->ShowScheduleOfDate();

    const QString good = home.filePath("good.ics");
    QFile f(good);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(kIcs);
    f.close();
    dialogs::AnswerFile(good);
    form->MenuImportICalendar->trigger();
    // 5 January (Japan time 6 January) and the 4th of every month of 2027 but
    // February's; 4 February and the second event of 6 January are left out.
    // The file dialogs record their titles too.
    ASSERT_EQ(dialogs::Shown().filter("件"), QStringList({"12 件の予定を追加しました。すでに予定のある日の 2 件は追加しませんでした。"}));
    EXPECT_EQ(form->DayData.ScheduleCount(), 13);
    EXPECT_EQ(form->DayData.ScheduleOfDate(DateToValue(QDate(2027, 1, 6)))->Str, "会議");
    // The panel shows the imported text of its date.
    EXPECT_EQ(form->LESchedule->text(), "月初め");
    const QByteArray written = ReadAll(config);
    EXPECT_TRUE(written.contains("Count=13"));

    const QByteArray bad[] = {QByteArray(kIcs).left(200), QByteArray(5000, '\x9c'),
                              "BEGIN:VCALENDAR\r\n" + QByteArray(10 * 1024 * 1024, 'x') + "\r\nEND:VCALENDAR\r\n",
                              testing::NestedIcs(270000)};
    for (const QByteArray &bytes : bad) {
        QFile b(home.filePath("bad.ics"));
        ASSERT_TRUE(b.open(QIODevice::WriteOnly));
        b.write(bytes);
        b.close();
        dialogs::ClearShown();
        dialogs::AnswerFile(b.fileName());
        form->MenuImportICalendar->trigger();
        EXPECT_EQ(dialogs::Shown().filter("読み込めません").size(), 1);
        EXPECT_EQ(dialogs::Shown().filter("件").size(), 0);
        EXPECT_EQ(form->DayData.ScheduleCount(), 13);
        EXPECT_EQ(ReadAll(config), written);
    }

    // A date after libical's last year is left out and said so.
    form->DayData.StoreSchedule(DateToValue(QDate(3001, 1, 1)), QStringLiteral("遠い先"), 0);
    const QString out = home.filePath("out.ics");
    dialogs::ClearShown();
    dialogs::AnswerFile(out);
    form->MenuExportICalendar->trigger();
    EXPECT_EQ(dialogs::Shown().filter("件"),
              QStringList({"13 件の予定を書き出しました。3001/01/01 など 1 件の予定は、iCalendar で書けない日付のため書き出しません。"}));
    EXPECT_FALSE(ReadAll(out).contains("00000000"));
    const TIcsRead back = ReadIcsFile(out, QDate(2027, 1, 1), QDate(2027, 12, 31));
    ASSERT_TRUE(back.error.isEmpty()) << back.error.toStdString();
    ASSERT_EQ(back.days.size(), 13u);
    for (const TIcsDay &d : back.days)
        EXPECT_EQ(form->DayData.ScheduleOfDate(DateToValue(d.date))->Str, d.text);
    EXPECT_TRUE(ReadAll(out).contains("CATEGORIES:○"));
    // libical's own reading finds every event and no error.
    icalcomponent *cal = icalparser_parse_string(ReadAll(out).constData());
    ASSERT_NE(cal, nullptr);
    EXPECT_EQ(icalcomponent_count_components(cal, ICAL_VEVENT_COMPONENT), 13);
    EXPECT_EQ(icalcomponent_count_errors(cal), 0);
    EXPECT_TRUE(icaltime_is_date(icalcomponent_get_dtstart(icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT))));
    icalcomponent_free(cal);

    // A place that cannot be written: the path, then the system's reason.
    const QString nowhere = home.filePath("none/out.ics");
    dialogs::ClearShown();
    dialogs::AnswerFile(nowhere);
    form->MenuExportICalendar->trigger();
    ASSERT_FALSE(dialogs::Shown().isEmpty());
    EXPECT_EQ(dialogs::Shown().last().toStdString(),
              (QDir::toNativeSeparators(nowhere) + " に書き込めません\n" + SystemErrorText(ENOENT)).toStdString());

    form.reset();
    dialogs::EndScript();
}

} // namespace
} // namespace tamarie
