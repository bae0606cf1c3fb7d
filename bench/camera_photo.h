#pragma once
// A photograph-like picture for benchmarks: a gradient, soft shapes and
// grain, written as a JPEG.
#include <QImage>
#include <QPainter>
#include <QString>

#include <random>

inline void WriteCameraPhoto(const QString &path, QSize size, unsigned seed)
{
    QImage img(size, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, size.width(), size.height());
    g.setColorAt(0, QColor(30, 70, 140));
    g.setColorAt(1, QColor(230, 190, 120));
    p.fillRect(img.rect(), g);
    std::mt19937 rng(seed);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 200; ++i) {
        p.setBrush(QColor(int(rng() % 256), int(rng() % 256), int(rng() % 256), 160));
        p.setPen(Qt::NoPen);
        const int r = int(rng() % unsigned(size.width() / 10 + 1)) + 4;
        p.drawEllipse(QPoint(int(rng() % unsigned(size.width())), int(rng() % unsigned(size.height()))), r, r);
    }
    p.end();
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int n = int(rng() % 13) - 6;
            const QRgb c = line[x];
            line[x] = qRgb(qBound(0, qRed(c) + n, 255), qBound(0, qGreen(c) + n, 255), qBound(0, qBlue(c) + n, 255));
        }
    }
    img.save(path, "JPEG", 90);
}
