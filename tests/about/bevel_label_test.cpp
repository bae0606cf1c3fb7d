#include "about/bevel_label.h"

#include "support/test_app.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <vector>

using namespace tamarie;

namespace {

struct Call {
    int x, y;
    QColor color;
    QString text;
    bool operator==(const Call &o) const { return x == o.x && y == o.y && color == o.color && text == o.text; }
};

std::ostream &operator<<(std::ostream &os, const Call &c)
{
    return os << "(" << c.x << "," << c.y << " " << c.color.name().toStdString() << " '" << c.text.toStdString()
              << "')";
}

class Recorder : public BevelCanvas {
public:
    std::vector<Call> calls;
    void TextOut(int x, int y, const QColor &color, const QString &text) override
    {
        calls.push_back({x, y, color, text});
    }
};

BevelLook look(TBevelType type, unsigned width, const QColor &face)
{
    BevelLook l;
    l.caption = QStringLiteral("Ab");
    l.fontColor = face;
    l.grayText = QColor(120, 120, 120);
    l.highLight = QColor(255, 255, 255);
    l.shadow = QColor(0, 0, 0);
    l.type = type;
    l.width = width;
    l.colorBrend = false;
    return l;
}

const QColor kFace(10, 20, 30);
const QColor kWhite(255, 255, 255), kBlack(0, 0, 0);

std::vector<Call> record(const BevelLook &l)
{
    Recorder r;
    PaintBevel(r, l);
    return r.calls;
}

} // namespace

TEST(BevelPaint, RightBottomWidthThreeWritesFiveTimes)
{
    const QString t = QStringLiteral("Ab");
    const std::vector<Call> expected = {
        {-1, -1, kWhite, t}, {1, 1, kBlack, t}, {2, 2, kBlack, t}, {3, 3, kBlack, t}, {0, 0, kFace, t}};
    EXPECT_EQ(record(look(btRightBottom, 3, kFace)), expected);
}

TEST(BevelPaint, EachTypeHasItsOffsetsInOrder)
{
    const QString t = QStringLiteral("Ab");
    EXPECT_EQ(record(look(btLeftTop, 2, kFace)),
              (std::vector<Call>{{-2, -2, kBlack, t}, {-1, -1, kBlack, t}, {1, 1, kWhite, t}, {0, 0, kFace, t}}));
    EXPECT_EQ(record(look(btRightTop, 2, kFace)),
              (std::vector<Call>{{2, -2, kBlack, t}, {1, -1, kBlack, t}, {-1, 1, kWhite, t}, {0, 0, kFace, t}}));
    EXPECT_EQ(record(look(btLeftBottom, 2, kFace)),
              (std::vector<Call>{{1, -1, kWhite, t}, {-1, 1, kBlack, t}, {-2, 2, kBlack, t}, {0, 0, kFace, t}}));
    EXPECT_EQ(record(look(btNone, 2, kFace)), (std::vector<Call>{{0, 0, kFace, t}}));
    // The default width of 2.
    EXPECT_EQ(record(look(btRightBottom, 2, kFace)).size(), 4u);
}

TEST(BevelPaint, MixedColoursAreHalfAndHalfRoundedDown)
{
    BevelLook l = look(btRightBottom, 1, kBlack);
    l.colorBrend = true;
    const auto calls = record(l);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].color, QColor(0x7F, 0x7F, 0x7F));  // black + white light
    EXPECT_EQ(calls[1].color, kBlack);                     // black + black shadow
    EXPECT_EQ(calls[2].color, kBlack);

    EXPECT_EQ(MixColors(QColor(255, 0, 128), QColor(0, 255, 3)), QColor(127, 127, 65));
    EXPECT_EQ(MixColors(QColor(1, 1, 1), QColor(2, 4, 6)), QColor(1, 2, 3));
}

TEST(BevelPaint, OnlyTheFirstAmpersandIsRemoved)
{
    EXPECT_EQ(BevelText(QStringLiteral("A&&B")), QStringLiteral("A&B"));
    EXPECT_EQ(BevelText(QStringLiteral("&File&")), QStringLiteral("File&"));
    EXPECT_EQ(BevelText(QStringLiteral("none")), QStringLiteral("none"));
    BevelLook l = look(btRightBottom, 1, kFace);
    l.caption = QStringLiteral("A&&B");
    for (const Call &c : record(l))
        EXPECT_EQ(c.text, QStringLiteral("A&B"));
}

TEST(BevelPaint, DisabledShowsOnlyWhiteAndGrey)
{
    BevelLook l = look(btRightBottom, 3, kFace);
    l.enabled = false;
    const QString t = QStringLiteral("Ab");
    EXPECT_EQ(record(l), (std::vector<Call>{{0, 0, kWhite, t}, {-1, -1, QColor(120, 120, 120), t}}));
}

TEST(BevelLabel, DefaultsAndSetters)
{
    TestApp();
    TBevelLabel label(QStringLiteral("Ver"));
    EXPECT_EQ(label.size(), QSize(125, 26));
    EXPECT_TRUE(label.font().bold());
    EXPECT_EQ(label.font().pointSize(), 20);
    EXPECT_EQ(label.FontColor(), QColor(0, 128, 128));
    EXPECT_EQ(label.HighLightColor(), kWhite);
    EXPECT_EQ(label.ShadowColor(), kBlack);
    EXPECT_EQ(label.BevelType(), btRightBottom);
    EXPECT_EQ(label.BevelWidth(), 2u);
    EXPECT_TRUE(label.ColorBrend());

    label.SetBevelWidth(0);
    EXPECT_EQ(label.BevelWidth(), 1u);
    label.SetBevelWidth(5);
    EXPECT_EQ(label.BevelWidth(), 5u);
    label.SetBevelType(btLeftTop);
    label.SetShadowColor(QColor(192, 192, 192));
    label.SetHighLightColor(QColor(1, 2, 3));
    label.SetColorBrend(false);
    const BevelLook l = label.Look();
    EXPECT_EQ(l.type, btLeftTop);
    EXPECT_EQ(l.shadow, QColor(192, 192, 192));
    EXPECT_EQ(l.highLight, QColor(1, 2, 3));
    EXPECT_FALSE(l.colorBrend);
    EXPECT_EQ(l.caption, QStringLiteral("Ver"));

    label.setEnabled(false);
    EXPECT_FALSE(label.Look().enabled);
    EXPECT_NE(label.Look().grayText, label.FontColor());
}

namespace {
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};
} // namespace

TEST(BevelLabel, RepaintsOnlyWhenAValueChanges)
{
    TestApp();
    TBevelLabel label(QStringLiteral("Ab"));
    label.show();
    QApplication::processEvents();
    PaintCounter counter;
    label.installEventFilter(&counter);
    auto paintsAfter = [&](auto change) {
        counter.paints = 0;
        change();
        QApplication::processEvents();
        return counter.paints;
    };
    EXPECT_EQ(paintsAfter([&] { label.SetShadowColor(label.ShadowColor()); }), 0);
    EXPECT_EQ(paintsAfter([&] { label.SetBevelWidth(2); }), 0);
    EXPECT_EQ(paintsAfter([&] { label.SetColorBrend(true); }), 0);
    EXPECT_GE(paintsAfter([&] { label.SetShadowColor(QColor(1, 1, 1)); }), 1);
    EXPECT_GE(paintsAfter([&] { label.SetBevelType(btNone); }), 1);
    EXPECT_GE(paintsAfter([&] { label.setText(QStringLiteral("Cd")); }), 1);
}

TEST(BevelLabel, PaintsShadowBelowRightOfTheFace)
{
    TestApp();
    TBevelLabel label(QStringLiteral("█"));
    label.resize(60, 60);
    QFont f = label.font();
    f.setPixelSize(30);
    label.setFont(f);
    label.SetFontColor(QColor(255, 0, 0));
    label.SetShadowColor(QColor(0, 0, 255));
    label.SetHighLightColor(QColor(0, 255, 0));
    label.SetColorBrend(false);
    label.SetBevelWidth(4);
    QImage img(label.size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    label.render(&img, QPoint(), QRegion(), QWidget::RenderFlags());
    // Find the face's red box and look just beyond its right-bottom corner.
    int right = -1, bottom = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == qRgb(255, 0, 0)) {
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, 0) << "no face drawn";
    ASSERT_LT(right + 3, img.width());
    ASSERT_LT(bottom + 3, img.height());
    EXPECT_EQ(img.pixel(right + 3, bottom + 3), qRgb(0, 0, 255));
}
