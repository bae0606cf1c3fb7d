#pragma once
// The small text under a day number (schedule text, holiday name): one
// centred line when it fits the cell's width, otherwise wrapped character by
// character into as many lines as fit under the number, left-aligned.
#include <QString>

#include <functional>
#include <vector>

class QPainter;

namespace tamarie {

// Cell edges as the grid gives them: right and bottom are one past the last
// pixel, so width = right - left and height = bottom - top.
struct CellBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

struct FittedLine {
    QString text;
    int x = 0;  // top-left corner of the line
    int y = 0;
};

using TextWidthFn = std::function<int(const QString &)>;

// Lines that fit under a number numberHeight high in a cell height high:
// (height - numberHeight) div lineHeight + 1, division truncating toward zero.
int FittedLineCount(int height, int numberHeight, int lineHeight);

// Cuts s into at most maxLines lines no wider than width; a line ends before
// the first character (grapheme) that would make it too wide.  Text left over
// after maxLines cut lines is dropped.  A first character wider than the cell
// gives an empty line and keeps the rest.
std::vector<QString> SplitFittedLines(const QString &s, int width, int maxLines, const TextWidthFn &textWidth);

// Where each line of s goes in the cell, for a font lineHeight high.
std::vector<FittedLine> LayoutFittedText(const QString &s, const CellBox &cell, int numberHeight, int lineHeight,
                                         const TextWidthFn &textWidth);

// Draws the layout of s with the painter's current font and pen (which the
// caller has set), with the text background left unfilled.
void DrawFittedLines(QPainter &painter, const CellBox &cell, int numberHeight, const QString &s);

} // namespace tamarie
