// Layout of the small text under a day number, with widths and heights
// chosen so every position can be worked out by hand.
#include "fitted_text.h"

#include <gtest/gtest.h>

namespace tamarie {
namespace {

// Every character 5 pixels wide, except "W" (40, wider than any test cell).
int FixedWidth(const QString &s)
{
    int w = 0;
    for (QChar c : s)
        w += c == QLatin1Char('W') ? 40 : 5;
    return w;
}

constexpr int kNumberHeight = 16;
constexpr int kLineHeight = 8;

CellBox Cell(int height) { return CellBox{10, 100, 40, 100 + height}; }  // 30 wide

std::vector<FittedLine> Layout(const QString &s, int height)
{
    return LayoutFittedText(s, Cell(height), kNumberHeight, kLineHeight, FixedWidth);
}

TEST(FittedTextLineCount, CountsLinesUnderTheNumber)
{
    EXPECT_EQ(FittedLineCount(30, 16, 8), 2);
    EXPECT_EQ(FittedLineCount(40, 16, 8), 4);
    EXPECT_EQ(FittedLineCount(23, 16, 8), 1);
    EXPECT_EQ(FittedLineCount(24, 16, 8), 2);
    // Less room than the number itself: truncation toward zero still leaves one line.
    EXPECT_EQ(FittedLineCount(10, 16, 8), 1);
    EXPECT_EQ(FittedLineCount(10, 16, 0), 1);  // no division by a zero height
}

TEST(FittedTextSplit, CutsBeforeTheCharacterThatOverflows)
{
    // 30 pixels hold exactly six characters of 5 pixels.
    const auto lines = SplitFittedLines("abcdefghij", 30, 4, FixedWidth);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "abcdef");
    EXPECT_EQ(lines[1], "ghij");
}

TEST(FittedTextSplit, DropsWhatDoesNotFitInTheLines)
{
    const auto lines = SplitFittedLines(QString(20, QLatin1Char('x')), 30, 2, FixedWidth);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], QString(6, QLatin1Char('x')));
    EXPECT_EQ(lines[1], QString(6, QLatin1Char('x')));
}

TEST(FittedTextSplit, TooWideFirstCharacterGivesEmptyLines)
{
    const auto lines = SplitFittedLines("Wab", 30, 3, FixedWidth);
    ASSERT_EQ(lines.size(), 3u);
    for (const QString &line : lines)
        EXPECT_TRUE(line.isEmpty());
}

TEST(FittedTextSplit, NeverSplitsASurrogatePair)
{
    // U+20BB7 is one character written as two UTF-16 units (10 pixels here).
    const QString kanji = QString::fromUcs4(U"\U00020BB7");
    const auto lines = SplitFittedLines("abcde" + kanji + "f", 30, 3, FixedWidth);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "abcde");
    EXPECT_EQ(lines[1], kanji + "f");
}

TEST(FittedTextLayout, OneLineUnderTheNumberWhenThereIsRoom)
{
    const auto placed = Layout("abcd", 40);  // 20 wide
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_EQ(placed[0].text, "abcd");
    EXPECT_EQ(placed[0].x, 10 + (30 - 20) / 2);
    EXPECT_EQ(placed[0].y, 100 + kNumberHeight);
}

TEST(FittedTextLayout, OneLineAtTheBottomWhenTheNumberLeavesTooLittleRoom)
{
    // H - th = 4 < 8: the line sits 3 pixels above the bottom, over the number.
    const auto placed = Layout("abcd", 20);
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_EQ(placed[0].y, 120 - 11);
}

TEST(FittedTextLayout, CentringTruncatesTowardZero)
{
    const auto placed = Layout("abc", 40);  // 15 wide: (30 - 15) div 2 = 7
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_EQ(placed[0].x, 17);
}

TEST(FittedTextLayout, TextThatFillsTheLinesIsBottomAligned)
{
    // Cell 30 high: n = 2, two lines needed, so they end 3 pixels above the bottom.
    const auto placed = Layout("abcdefghij", 30);
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(placed[0].y, 130 - 19);
    EXPECT_EQ(placed[1].y, 130 - 11);
    EXPECT_EQ(placed[0].x, 10);
    EXPECT_EQ(placed[1].x, 10);
}

TEST(FittedTextLayout, TextShorterThanTheLinesIsTopAligned)
{
    // Cell 40 high: n = 4 but only two lines: they start 3 pixels under the number.
    const auto placed = Layout("abcdefghij", 40);
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(placed[0].y, 100 + 19);
    EXPECT_EQ(placed[1].y, 100 + 27);
    EXPECT_EQ(placed[0].text, "abcdef");
    EXPECT_EQ(placed[1].text, "ghij");
}

TEST(FittedTextLayout, OverlongTextIsCutAtTheLastLine)
{
    const auto placed = Layout(QString(40, QLatin1Char('x')), 30);
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(placed[1].text.size(), 6);
    EXPECT_EQ(placed[1].y, 130 - 11);
}

TEST(FittedTextLayout, CellLowerThanTheNumberStillGetsOneLine)
{
    const auto placed = Layout("abcdefghij", 10);
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_EQ(placed[0].text, "abcdef");
    EXPECT_EQ(placed[0].y, 110 - 3 - 8);
}

TEST(FittedTextLayout, ZeroWidthCellDoesNotLoop)
{
    const auto placed = LayoutFittedText("abc", CellBox{0, 0, 0, 40}, 16, 8, FixedWidth);
    EXPECT_EQ(placed.size(), 4u);  // n empty lines, nothing drawn in them
    for (const FittedLine &line : placed)
        EXPECT_TRUE(line.text.isEmpty());
}

} // namespace
} // namespace tamarie
