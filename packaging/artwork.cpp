// Draws the pictures shipped in data/: the sample photo fukurouoyako_fm.jpg
// (an owl and its chick on a branch at dusk) and the icon tamarie.png, and
// with a second folder the desktop icons NxN/tamarie.png in the sizes of the
// hicolor theme, each drawn at its own size rather than scaled.
// Build and run once from the source folder:
//   g++ -std=c++20 -fPIC -O2 packaging/artwork.cpp editor/about/emblem.cpp -Ieditor \
//       $(pkg-config --cflags --libs Qt6Gui) -o /tmp/artwork && /tmp/artwork data packaging/icons
#include "about/emblem.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>
#include <random>

namespace {

std::mt19937 rng(20250401);
double uniform(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); }

void sky(QPainter &p, const QRectF &r)
{
    QLinearGradient g(0, 0, 0, r.height());
    g.setColorAt(0.00, QColor(22, 30, 74));
    g.setColorAt(0.35, QColor(78, 70, 128));
    g.setColorAt(0.62, QColor(196, 118, 128));
    g.setColorAt(0.80, QColor(246, 168, 104));
    g.setColorAt(1.00, QColor(252, 208, 140));
    p.fillRect(r, g);
    // Stars in the upper sky, fainter lower down.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 140; ++i) {
        const double y = uniform(0, r.height() * 0.45);
        const int a = int(220 * (1 - y / (r.height() * 0.45)));
        p.setBrush(QColor(255, 250, 235, a));
        const double s = uniform(0.8, 2.4);
        p.drawEllipse(QPointF(uniform(0, r.width()), y), s, s);
    }
    // Moon with a glow.
    const QPointF moon(r.width() * 0.8, r.height() * 0.2);
    QRadialGradient glow(moon, 260);
    glow.setColorAt(0, QColor(255, 244, 214, 150));
    glow.setColorAt(0.3, QColor(255, 236, 200, 50));
    glow.setColorAt(1, QColor(255, 236, 200, 0));
    p.setBrush(glow);
    p.drawEllipse(moon, 260, 260);
    QRadialGradient disc(moon - QPointF(14, 14), 90);
    disc.setColorAt(0, QColor(255, 252, 236));
    disc.setColorAt(1, QColor(246, 228, 186));
    p.setBrush(disc);
    p.drawEllipse(moon, 70, 70);
    p.setBrush(QColor(226, 204, 160, 90));
    p.drawEllipse(moon + QPointF(-22, 10), 16, 13);
    p.drawEllipse(moon + QPointF(18, -20), 10, 9);
    p.drawEllipse(moon + QPointF(24, 26), 8, 7);
}

void hills(QPainter &p, const QRectF &r)
{
    const QColor layers[] = {QColor(150, 104, 140), QColor(104, 76, 118), QColor(64, 50, 86)};
    for (int layer = 0; layer < 3; ++layer) {
        QPainterPath path;
        const double base = r.height() * (0.70 + 0.07 * layer);
        path.moveTo(0, r.height());
        path.lineTo(0, base);
        double x = 0;
        const double phase = uniform(0, 6.28);
        while (x <= r.width()) {
            const double y = base - 40 * std::sin(x / (260 - 60 * layer) + phase) - 18 * std::sin(x / 77 + 2 * phase)
                             - uniform(0, 4);
            path.lineTo(x, y);
            x += 8;
        }
        path.lineTo(r.width(), r.height());
        path.closeSubpath();
        p.setBrush(layers[layer]);
        p.drawPath(path);
    }
}

void leaf(QPainter &p, QPointF at, double angle, double size)
{
    p.save();
    p.translate(at);
    p.rotate(angle);
    QPainterPath l;
    l.moveTo(0, 0);
    l.cubicTo(size * 0.3, -size * 0.35, size * 0.8, -size * 0.3, size, 0);
    l.cubicTo(size * 0.8, size * 0.3, size * 0.3, size * 0.35, 0, 0);
    p.setBrush(QColor(30, 42, 34));
    p.drawPath(l);
    p.restore();
}

void branch(QPainter &p)
{
    p.setPen(Qt::NoPen);
    QPainterPath b;
    b.moveTo(-20, 930);
    b.cubicTo(400, 880, 900, 860, 1420, 800);
    b.lineTo(1430, 816);
    b.cubicTo(900, 890, 400, 930, -20, 990);
    b.closeSubpath();
    QLinearGradient g(0, 820, 0, 990);
    g.setColorAt(0, QColor(70, 50, 44));
    g.setColorAt(1, QColor(30, 22, 22));
    p.setBrush(g);
    p.drawPath(b);
    // Twigs and leaves.
    p.setPen(QPen(QColor(38, 28, 26), 9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(1180, 838), QPointF(1330, 700));
    p.drawLine(QPointF(300, 912), QPointF(190, 800));
    p.setPen(QPen(QColor(38, 28, 26), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(1290, 738), QPointF(1380, 730));
    p.setPen(Qt::NoPen);
    leaf(p, QPointF(1330, 700), -70, 70);
    leaf(p, QPointF(1330, 700), -20, 64);
    leaf(p, QPointF(1380, 730), 10, 58);
    leaf(p, QPointF(190, 800), -120, 66);
    leaf(p, QPointF(190, 800), -160, 60);
    leaf(p, QPointF(1420, 806), 20, 60);
}

void eye(QPainter &p, QPointF c, double r)
{
    p.setBrush(QColor(20, 14, 12));
    p.drawEllipse(c, r * 1.25, r * 1.25);
    QRadialGradient g(c, r);
    g.setColorAt(0, QColor(255, 214, 90));
    g.setColorAt(1, QColor(226, 140, 30));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    p.setBrush(QColor(12, 8, 8));
    p.drawEllipse(c, r * 0.48, r * 0.48);
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawEllipse(c + QPointF(-r * 0.25, -r * 0.3), r * 0.16, r * 0.16);
}

void feathers(QPainter &p, const QPainterPath &body, QRectF area, QColor colour, double step)
{
    p.save();
    p.setClipPath(body);
    p.setPen(QPen(colour, step * 0.18, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (double y = area.top(); y < area.bottom(); y += step * 0.8)
        for (double x = area.left() + (int(y / step) % 2) * step / 2; x < area.right(); x += step) {
            QPainterPath arc;
            arc.moveTo(x - step * 0.35, y);
            arc.quadTo(x, y + step * 0.35, x + step * 0.35, y);
            p.drawPath(arc);
        }
    p.restore();
}

void parentOwl(QPainter &p)
{
    const QPointF c(900, 620);
    QPainterPath body;
    body.addEllipse(c + QPointF(0, 60), 118, 170);
    QPainterPath head;
    head.addEllipse(c + QPointF(0, -110), 112, 98);
    QPainterPath tufts;
    tufts.moveTo(c + QPointF(-96, -150));
    tufts.lineTo(c + QPointF(-104, -232));
    tufts.lineTo(c + QPointF(-40, -186));
    tufts.closeSubpath();
    tufts.moveTo(c + QPointF(96, -150));
    tufts.lineTo(c + QPointF(104, -232));
    tufts.lineTo(c + QPointF(40, -186));
    tufts.closeSubpath();
    const QPainterPath owl = body.united(head).united(tufts);
    QLinearGradient g(c.x() - 120, 0, c.x() + 120, 0);
    g.setColorAt(0, QColor(58, 42, 36));
    g.setColorAt(0.55, QColor(96, 72, 58));
    g.setColorAt(1, QColor(150, 110, 92));  // lit by the sunset on the right
    p.setBrush(g);
    p.drawPath(owl);
    // Pale belly and facial disc.
    QPainterPath belly;
    belly.addEllipse(c + QPointF(6, 90), 74, 118);
    p.setBrush(QColor(156, 130, 108));
    p.drawPath(belly.intersected(owl));
    feathers(p, belly, QRectF(c.x() - 80, c.y() - 30, 170, 240), QColor(96, 74, 60), 26);
    feathers(p, owl, QRectF(c.x() - 120, c.y() + 20, 50, 200), QColor(40, 30, 26), 22);
    p.setBrush(QColor(176, 146, 120));
    p.drawEllipse(c + QPointF(-46, -104), 54, 50);
    p.drawEllipse(c + QPointF(46, -104), 54, 50);
    eye(p, c + QPointF(-44, -104), 26);
    eye(p, c + QPointF(44, -104), 26);
    QPainterPath beak;
    beak.moveTo(c + QPointF(-12, -80));
    beak.lineTo(c + QPointF(12, -80));
    beak.lineTo(c + QPointF(0, -50));
    beak.closeSubpath();
    p.setBrush(QColor(70, 56, 44));
    p.drawPath(beak);
    // Talons on the branch.
    p.setBrush(QColor(60, 48, 40));
    for (double dx : {-50.0, -30.0, 30.0, 50.0})
        p.drawEllipse(c + QPointF(dx, 226), 12, 9);
}

void chickOwl(QPainter &p)
{
    const QPointF c(1140, 668);
    QPainterPath body;
    body.addEllipse(c + QPointF(0, 50), 88, 108);
    QPainterPath head;
    head.addEllipse(c + QPointF(0, -52), 80, 72);
    const QPainterPath chick = body.united(head);
    QRadialGradient g(c + QPointF(30, -30), 200);
    g.setColorAt(0, QColor(222, 208, 192));
    g.setColorAt(1, QColor(150, 132, 124));
    p.setBrush(g);
    p.drawPath(chick);
    // Fluff.
    p.save();
    p.setClipPath(chick);
    for (int i = 0; i < 900; ++i) {
        const QPointF at(c.x() + uniform(-95, 95), c.y() + uniform(-125, 160));
        p.setBrush(QColor(255, 246, 236, int(uniform(20, 70))));
        p.drawEllipse(at, uniform(2, 6), uniform(2, 6));
        p.setBrush(QColor(110, 94, 90, int(uniform(10, 40))));
        p.drawEllipse(at + QPointF(3, 4), uniform(1, 4), uniform(1, 4));
    }
    p.restore();
    p.setBrush(QColor(236, 226, 214));
    p.drawEllipse(c + QPointF(-32, -50), 38, 36);
    p.drawEllipse(c + QPointF(32, -50), 38, 36);
    eye(p, c + QPointF(-30, -50), 19);
    eye(p, c + QPointF(30, -50), 19);
    QPainterPath beak;
    beak.moveTo(c + QPointF(-9, -30));
    beak.lineTo(c + QPointF(9, -30));
    beak.lineTo(c + QPointF(0, -10));
    beak.closeSubpath();
    p.setBrush(QColor(90, 74, 60));
    p.drawPath(beak);
    p.setBrush(QColor(80, 66, 56));
    for (double dx : {-30.0, -14.0, 14.0, 30.0})
        p.drawEllipse(c + QPointF(dx, 156), 9, 7);
}

QImage samplePhoto()
{
    QImage big(1600, 1200, QImage::Format_RGB32);
    {
        QPainter p(&big);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        sky(p, big.rect());
        hills(p, big.rect());
        branch(p);
        parentOwl(p);
        chickOwl(p);
        // Vignette, as a lens gives.
        QRadialGradient v(QPointF(800, 600), 1000);
        v.setColorAt(0.55, QColor(0, 0, 0, 0));
        v.setColorAt(1, QColor(0, 0, 0, 120));
        p.fillRect(big.rect(), v);
    }
    QImage photo = big.scaled(800, 600, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // Film grain.
    std::normal_distribution<double> grain(0, 2.2);
    for (int y = 0; y < photo.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) {
            const int n = int(std::lround(grain(rng)));
            const QRgb c = line[x];
            line[x] = qRgb(qBound(0, qRed(c) + n, 255), qBound(0, qGreen(c) + n, 255), qBound(0, qBlue(c) + n, 255));
        }
    }
    return photo;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("data");
    const bool photoOk = samplePhoto().save(dir + QStringLiteral("/fukurouoyako_fm.jpg"), "JPEG", 86);
    const bool iconOk = tamarie::TamarieEmblem(256).save(dir + QStringLiteral("/tamarie.png"), "PNG");
    bool iconsOk = true;
    if (argc > 2) {
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
            const QString folder = QString::fromLocal8Bit(argv[2]) + QStringLiteral("/%1x%1").arg(size);
            iconsOk = QDir().mkpath(folder) && tamarie::TamarieEmblem(size).save(folder + QStringLiteral("/tamarie.png"), "PNG") && iconsOk;
        }
    }
    std::printf("photo %s, icon %s, icons %s\n", photoOk ? "written" : "FAILED", iconOk ? "written" : "FAILED",
                iconsOk ? "written" : "FAILED");
    return photoOk && iconOk && iconsOk ? 0 : 1;
}
