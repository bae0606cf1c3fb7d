#pragma once
// A label drawn in raised lettering: the caption is written several times,
// offset by a pixel or more, in a light and a shadow colour, then once more
// in the font colour on top.
#include <QColor>
#include <QLabel>
#include <QString>

#include <cstdint>

namespace tamarie {

enum TBevelType { btLeftTop, btRightBottom, btRightTop, btLeftBottom, btNone };

// Where the layers are written; the label writes on its painter, tests
// record the calls.
class BevelCanvas {
public:
    virtual ~BevelCanvas() = default;
    // Writes text as one line with its top-left corner at (x, y).
    virtual void TextOut(int x, int y, const QColor &color, const QString &text) = 0;
};

struct BevelLook {
    QString caption;
    bool enabled = true;
    QColor fontColor;
    QColor grayText;  // the grey of disabled text
    QColor highLight = Qt::white;
    QColor shadow = Qt::black;
    TBevelType type = btRightBottom;
    std::uint32_t width = 2;
    bool colorBrend = true;
};

// Each of red, green and blue: (a + b) / 2 rounded down.
QColor MixColors(const QColor &a, const QColor &b);
// The caption with its first "&" removed.
QString BevelText(const QString &caption);
// Writes the light and shadow layers and the face in their order.
void PaintBevel(BevelCanvas &canvas, const BevelLook &look);

class TBevelLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QColor HighLightColor READ HighLightColor WRITE SetHighLightColor)
    Q_PROPERTY(QColor ShadowColor READ ShadowColor WRITE SetShadowColor)
    Q_PROPERTY(int BevelType READ BevelTypeValue WRITE SetBevelTypeValue)
    Q_PROPERTY(uint BevelWidth READ BevelWidth WRITE SetBevelWidth)
    Q_PROPERTY(bool ColorBrend READ ColorBrend WRITE SetColorBrend)
public:
    explicit TBevelLabel(QWidget *parent = nullptr);
    explicit TBevelLabel(const QString &caption, QWidget *parent = nullptr);

    QColor HighLightColor() const { return FHighLight; }
    QColor ShadowColor() const { return FShadow; }
    TBevelType BevelType() const { return FBevelType; }
    std::uint32_t BevelWidth() const { return FBevelWidth; }
    bool ColorBrend() const { return FColorBrend; }

    void SetHighLightColor(const QColor &color);
    void SetShadowColor(const QColor &color);
    void SetBevelType(TBevelType type);
    void SetBevelWidth(std::uint32_t width);  // 0 stores 1
    void SetColorBrend(bool on);

    // The font colour (the palette's window text).
    QColor FontColor() const;
    void SetFontColor(const QColor &color);
    // What PaintBevel is given for the label as it stands.
    BevelLook Look() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int BevelTypeValue() const { return FBevelType; }
    void SetBevelTypeValue(int type) { SetBevelType(TBevelType(type)); }

    QColor FHighLight = Qt::white;
    QColor FShadow = Qt::black;
    TBevelType FBevelType = btRightBottom;
    std::uint32_t FBevelWidth = 2;
    bool FColorBrend = true;
};

} // namespace tamarie
