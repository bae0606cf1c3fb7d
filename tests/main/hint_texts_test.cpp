#include "hint_texts.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace tamarie;

TEST(HintTexts, CalendarReadOut)
{
    EXPECT_EQ(CalendarHintText(2, 219, 202, 40, 30),
              QString::fromUtf8("[カレンダー2]\r横:219X 縦:202\r左上座標:(40,30)"));
}

TEST(HintTexts, LinesBrokenByLoneCR)
{
    const QString t = CalendarHintText(12, 1, 2, 3, 4);
    EXPECT_EQ(t.count(QChar(u'\r')), 2);
    EXPECT_FALSE(t.contains(QChar(u'\n')));
    EXPECT_EQ(t.split(QChar(u'\r')).first(), QString::fromUtf8("[カレンダー12]"));
}

TEST(HintTexts, NegativeNumbersWithMinusSignNoGrouping)
{
    EXPECT_EQ(CalendarHintText(1, 12345, -3, -40, -7),
              QString::fromUtf8("[カレンダー1]\r横:12345X 縦:-3\r左上座標:(-40,-7)"));
}

TEST(HintTexts, PhotoReadOut)
{
    EXPECT_EQ(PhotoHintText(385, 280, 0, 6), QString::fromUtf8("[画像]\r横:385X 縦:280\r左上座標:(0,6)"));
    EXPECT_EQ(PhotoHintText(200, 150, -12, 1000), QString::fromUtf8("[画像]\r横:200X 縦:150\r左上座標:(-12,1000)"));
}
