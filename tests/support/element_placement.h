#pragma once
// Where the elements of one picture lie in another of the same size.  The
// ink (darkness, 255 - grey) of `other` is grouped into elements, strokes
// closer than `gap` pixels belonging together; each element's box is looked
// for in `reference` at every whole shift within +-radius pixels, the best
// by normalised correlation of darkness refined to a fraction of a pixel by
// a parabola through its neighbours.  Correlation ignores how heavy the
// strokes are, so a blurred and a sharp drawing of the same text agree.
#include <QImage>
#include <QPointF>
#include <QRect>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tamarie::testing {

struct ElementOffset {
    QRect box;      // in `other`
    QPointF shift;  // other's element lies at reference's + shift
    double correlation = 0;
};

inline std::vector<ElementOffset> ElementOffsets(const QImage &reference, const QImage &other, const QRect &area,
                                                 int gap = 8, int radius = 6)
{
    const QImage a = reference.convertToFormat(QImage::Format_RGB32);
    const QImage b = other.convertToFormat(QImage::Format_RGB32);
    const int W = b.width(), H = b.height();
    if (a.size() != b.size() || W == 0)
        return {};
    auto darkness = [](const QImage &im) {
        std::vector<float> d(std::size_t(im.width()) * im.height());
        for (int y = 0; y < im.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(im.constScanLine(y));
            for (int x = 0; x < im.width(); ++x)
                d[std::size_t(y) * im.width() + x] = float(255 - qGray(line[x]));
        }
        return d;
    };
    const std::vector<float> da = darkness(a), db = darkness(b);
    auto at = [W](const std::vector<float> &d, int x, int y) { return double(d[std::size_t(y) * W + x]); };

    // Ink of `other` inside the area, grown by gap so nearby strokes join.
    const QRect inner = area.intersected(QRect(radius, radius, W - 2 * radius, H - 2 * radius));
    std::vector<char> grown(std::size_t(W) * H, 0);
    for (int y = inner.top(); y <= inner.bottom(); ++y)
        for (int x = inner.left(); x <= inner.right(); ++x)
            if (at(db, x, y) > 150)
                for (int v = std::max(inner.top(), y - gap); v <= std::min(inner.bottom(), y + gap); ++v)
                    std::fill_n(grown.begin() + std::ptrdiff_t(v) * W + std::max(inner.left(), x - gap),
                                std::min(inner.right(), x + gap) - std::max(inner.left(), x - gap) + 1, char(1));

    std::vector<ElementOffset> found;
    std::vector<int> stack;
    for (int y = inner.top(); y <= inner.bottom(); ++y)
        for (int x = inner.left(); x <= inner.right(); ++x) {
            if (!grown[std::size_t(y) * W + x])
                continue;
            // One element: its bounding box, by flood fill.
            QRect box(x, y, 1, 1);
            stack.assign(1, y * W + x);
            grown[std::size_t(y) * W + x] = 0;
            while (!stack.empty()) {
                const int p = stack.back();
                stack.pop_back();
                box |= QRect(p % W, p / W, 1, 1);
                for (const int q : {p - 1, p + 1, p - W, p + W})
                    if (q >= 0 && q < W * H && grown[std::size_t(q)])
                        grown[std::size_t(q)] = 0, stack.push_back(q);
            }
            // Specks say nothing; a whole dark photo is not one element.
            if (box.width() < 10 || box.height() < 10 || qint64(box.width()) * box.height() > 250000)
                continue;
            const double n = double(box.width()) * box.height();
            auto meanOf = [&](const std::vector<float> &d, int dx, int dy) {
                double s = 0;
                for (int v = box.top(); v <= box.bottom(); ++v)
                    for (int u = box.left(); u <= box.right(); ++u)
                        s += at(d, u + dx, v + dy);
                return s / n;
            };
            const double mb = meanOf(db, 0, 0);
            const int side = 2 * radius + 1;
            std::vector<double> score(std::size_t(side) * side, -2);
            for (int dy = -radius; dy <= radius; ++dy)
                for (int dx = -radius; dx <= radius; ++dx) {
                    // Reference moved by (dx, dy) laid over other's element.
                    const double ma = meanOf(da, -dx, -dy);
                    double s = 0, va = 0, vb = 0;
                    for (int v = box.top(); v <= box.bottom(); ++v)
                        for (int u = box.left(); u <= box.right(); ++u) {
                            const double p = at(da, u - dx, v - dy) - ma, q = at(db, u, v) - mb;
                            s += p * q, va += p * p, vb += q * q;
                        }
                    if (va > 0 && vb > 0)
                        score[std::size_t(dy + radius) * side + dx + radius] = s / std::sqrt(va * vb);
                }
            const auto best = std::max_element(score.begin(), score.end());
            const int bi = int(best - score.begin());
            const int bx = bi % side - radius, by = bi / side - radius;
            auto refine = [](double before, double peak, double after) {
                const double d = before - 2 * peak + after;
                return d < 0 ? 0.5 * (before - after) / d : 0.0;
            };
            auto s = [&](int dx, int dy) { return score[std::size_t(dy + radius) * side + dx + radius]; };
            QPointF shift(bx, by);
            if (std::abs(bx) < radius)
                shift.rx() += refine(s(bx - 1, by), *best, s(bx + 1, by));
            if (std::abs(by) < radius)
                shift.ry() += refine(s(bx, by - 1), *best, s(bx, by + 1));
            found.push_back({box, shift, *best});
        }
    return found;
}

} // namespace tamarie::testing
