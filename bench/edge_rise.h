#pragma once
// How sharp the strokes of a picture are: along each row of an area, every
// monotone run of grey between a light background and a dark stroke (either
// direction) is an edge; its rise is the distance between the points where
// it passes 10 % and 90 % of its own step, found by linear interpolation
// between pixels.  A perfect one-pixel step measures 0.8.
#include <QImage>
#include <QRect>

#include <algorithm>
#include <cmath>
#include <vector>

namespace bench {

struct EdgeRise {
    double median = 0;  // pixels
    int edges = 0;
};

inline EdgeRise MeasureEdgeRise(const QImage &image, const QRect &area, int minStep = 96, int minLight = 150)
{
    const QRect r = area.intersected(image.rect());
    std::vector<double> rises;
    std::vector<int> g(std::size_t(std::max(0, r.width())));
    // Position along [a, b] (values g[a..b] monotone) where the grey passes level.
    auto crossing = [&](int a, int b, double level) {
        for (int k = a; k < b; ++k) {
            const double v0 = g[k], v1 = g[k + 1];
            if ((v0 - level) * (v1 - level) <= 0 && v0 != v1)
                return k + (level - v0) / (v1 - v0);
        }
        return double(a);
    };
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = 0; x < r.width(); ++x)
            g[std::size_t(x)] = qGray(image.pixel(r.left() + x, y));
        const int last = r.width() - 1;
        int x = 0;
        while (x < last) {
            if (g[x + 1] == g[x]) {
                ++x;
                continue;
            }
            const int dir = g[x + 1] > g[x] ? 1 : -1;
            const int start = x;
            int end = x + 1;
            while (end < last && (g[end + 1] - g[end]) * dir >= 0)
                ++end;
            while (end > start + 1 && g[end - 1] == g[end])
                --end;
            const int hi = std::max(g[start], g[end]), lo = std::min(g[start], g[end]);
            const int step = hi - lo;
            if (step >= minStep && hi >= minLight) {
                const double p10 = crossing(start, end, lo + 0.1 * step);
                const double p90 = crossing(start, end, lo + 0.9 * step);
                rises.push_back(std::abs(p90 - p10));
            }
            x = end;
        }
    }
    EdgeRise out;
    out.edges = int(rises.size());
    if (!rises.empty()) {
        auto mid = rises.begin() + std::ptrdiff_t(rises.size() / 2);
        std::nth_element(rises.begin(), mid, rises.end());
        out.median = *mid;
    }
    return out;
}

} // namespace bench
