#include "fitted_text.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextBoundaryFinder>

namespace tamarie {

int FittedLineCount(int height, int numberHeight, int lineHeight)
{
    if (lineHeight <= 0)  // a font without height: nothing sensible fits
        return 1;
    return (height - numberHeight) / lineHeight + 1;
}

namespace {

// Ends of the graphemes of s, so that a cut never splits a surrogate pair or
// separates a combining mark from its base.
std::vector<int> GraphemeEnds(const QString &s)
{
    std::vector<int> ends;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s);
    finder.toStart();
    for (int pos = finder.toNextBoundary(); pos > 0; pos = finder.toNextBoundary())
        ends.push_back(pos);
    if (ends.empty() || ends.back() != s.size())
        ends.push_back(static_cast<int>(s.size()));
    return ends;
}

} // namespace

std::vector<QString> SplitFittedLines(const QString &s, int width, int maxLines, const TextWidthFn &textWidth)
{
    std::vector<QString> lines;
    QString rest = s;
    for (int c = 1; c <= maxLines; ++c) {
        int cut = -1;  // length of the line when rest has to be cut
        int previousEnd = 0;
        if (!rest.isEmpty()) {
            for (int end : GraphemeEnds(rest)) {
                if (textWidth(rest.left(end)) > width) {
                    cut = previousEnd;
                    break;
                }
                previousEnd = end;
            }
        }
        if (cut < 0) {
            lines.push_back(rest);
            break;
        }
        lines.push_back(rest.left(cut));
        rest = rest.mid(cut);
    }
    return lines;
}

std::vector<FittedLine> LayoutFittedText(const QString &s, const CellBox &cell, int numberHeight, int lineHeight,
                                         const TextWidthFn &textWidth)
{
    const int w = cell.Width();
    const int h = cell.Height();
    const int sw = textWidth(s);
    if (sw <= w) {
        const int y = h - numberHeight >= lineHeight ? cell.top + numberHeight : cell.bottom - lineHeight - 3;
        return {FittedLine{s, cell.left + (w - sw) / 2, y}};
    }
    const int n = FittedLineCount(h, numberHeight, lineHeight);
    const std::vector<QString> lines = SplitFittedLines(s, w, n, textWidth);
    const int m = static_cast<int>(lines.size());
    std::vector<FittedLine> placed;
    placed.reserve(lines.size());
    for (int j = 0; j < m; ++j) {
        const int y = m == n ? cell.bottom - 3 - lineHeight * (m - j) : cell.top + numberHeight + 3 + lineHeight * j;
        placed.push_back(FittedLine{lines[static_cast<size_t>(j)], cell.left, y});
    }
    return placed;
}

void DrawFittedLines(QPainter &painter, const CellBox &cell, int numberHeight, const QString &s)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const auto width = [&metrics](const QString &t) { return metrics.horizontalAdvance(t); };
    painter.setBackgroundMode(Qt::TransparentMode);
    for (const FittedLine &line : LayoutFittedText(s, cell, numberHeight, metrics.height(), width))
        painter.drawText(line.x, line.y + metrics.ascent(), line.text);
}

} // namespace tamarie
