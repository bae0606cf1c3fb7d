// The published holiday list in the data folder reaches the day cells and the
// schedule panel; a damaged one is reported once and the rules stay.
#include "data_folder.h"
#include "day_cell_painter.h"
#include "dialogs.h"
#include "holidays.h"
#include "text_codec.h"
#include "tform1.h"

#include "support/temporary_home.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace tamarie {
namespace {

TDateValue D(int y, int m, int d) { return DateToValue(QDate(y, m, d)); }

const QString kList = QStringLiteral("国民の祝日・休日月日,国民の祝日・休日名称\r\n"
                                     "2027/1/1,元日\r\n2027/6/15,新しい祝日\r\n2027/7/26,海の日\r\n");

class HolidayListReading : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(EnsureFolder(DataFolder()));
        dialogs::BeginScript();
    }
    void TearDown() override
    {
        form.reset();
        UseHolidayList({});
        dialogs::EndScript();
    }
    void Start(const QByteArray &list)
    {
        QFile f(DataFolder() + QStringLiteral("/syukujitsu.csv"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(list);
        f.close();
        form = std::make_unique<TForm1>();
        form->IsStart = false;
    }
    std::optional<QString> Cell(TDateValue d) const { return DayDataCells(form->DayData).NationalHoliday(d); }
    bool HolidayBox(TDateValue d)
    {
        form->TempScheduleDate = d;
        form->ScheduleFormNo = 1;
        form->ShowScheduleOfDate();
        return form->CheckBoxIsHoliday->isChecked();
    }

    TemporaryHome home;
    std::unique_ptr<TForm1> form;
};

TEST_F(HolidayListReading, DayCellsFollowTheListForItsYears)
{
    Start(EncodeCp932(kList).value());
    EXPECT_TRUE(dialogs::Shown().isEmpty());
    EXPECT_EQ(Cell(D(2027, 6, 15)), QString("新しい祝日"));
    EXPECT_EQ(Cell(D(2027, 7, 19)), std::nullopt);
    EXPECT_TRUE(HolidayBox(D(2027, 6, 15)));
    EXPECT_FALSE(HolidayBox(D(2027, 7, 19)));
    // Other years: the rules.
    EXPECT_EQ(Cell(D(2028, 7, 17)), QString("海の日"));
    EXPECT_EQ(Cell(D(2028, 6, 15)), std::nullopt);
}

TEST_F(HolidayListReading, ADamagedListIsReportedOnceAndTheRulesStay)
{
    Start(EncodeCp932(kList + QStringLiteral("2027/2/30,ない日\r\n")).value());
    ASSERT_EQ(dialogs::Shown().size(), 1);
    EXPECT_TRUE(dialogs::Shown()[0].contains("syukujitsu.csv")) << dialogs::Shown()[0].toStdString();
    EXPECT_EQ(Cell(D(2027, 6, 15)), std::nullopt);
    EXPECT_EQ(Cell(D(2027, 7, 19)), QString("海の日"));
    EXPECT_TRUE(HolidayBox(D(2027, 7, 19)));
}

} // namespace
} // namespace tamarie
