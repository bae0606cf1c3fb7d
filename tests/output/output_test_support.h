#pragma once
// Shared bits of the output tests: one application object for widget and
// printer tests, and small pictures.
#include "support/test_app.h"

#include <QApplication>
#include <QDir>
#include <QImage>

// A picture with a different colour in every pixel, easy to compare.
inline QImage PatternPicture(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb((x * 7 + y) & 255, (y * 5 + 3 * x) & 255, (x ^ y) & 255));
    return img;
}

inline QStringList FilesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}
