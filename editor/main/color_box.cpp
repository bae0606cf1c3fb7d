#include "color_box.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

#include "dialogs.h"

namespace tamarie {

namespace {

struct NamedColor {
    const char *name;
    TColorValue value;
};

// Standard colours, then the extended ones (0x00BBGGRR).
constexpr NamedColor kColors[] = {
    {"黒", 0x000000},           {"栗色", 0x000080},         {"緑", 0x008000},
    {"オリーブ", 0x008080},     {"紺", 0x800000},           {"紫", 0x800080},
    {"青緑", 0x808000},         {"灰色", 0x808080},         {"銀色", 0xC0C0C0},
    {"赤", 0x0000FF},           {"ライム", 0x00FF00},       {"黄", 0x00FFFF},
    {"青", 0xFF0000},           {"赤紫", 0xFF00FF},         {"水色", 0xFFFF00},
    {"白", 0xFFFFFF},           {"マネーグリーン", clMoneyGreen}, {"スカイブルー", clSkyBlue},
    {"クリーム", 0xF0FBFF},     {"ミディアムグレー", 0xA4A0A0},
};

QIcon Swatch(TColorValue value)
{
    QPixmap pm(16, 12);
    pm.fill(ValueToColor(value));
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 15, 11);
    return QIcon(pm);
}

} // namespace

TColorBox::TColorBox(TColorValue selected, TColorValue defaultColor, QWidget *parent) : QComboBox(parent)
{
    addItem(QStringLiteral("カスタム..."));
    SetEntryColor(CustomIndex, clBlack);
    if (defaultColor >= 0) {
        addItem(QStringLiteral("既定"));
        SetEntryColor(1, defaultColor);
    }
    for (const auto &c : kColors) {
        addItem(QString::fromUtf8(c.name));
        SetEntryColor(count() - 1, c.value);
    }
    SetSelected(selected);
    connect(this, &QComboBox::activated, this, &TColorBox::OnActivated);
}

TColorValue TColorBox::ColorOf(int index) const
{
    return index >= 0 && index < count() ? itemData(index).toInt() : clBlack;
}

TColorValue TColorBox::Selected() const { return ColorOf(currentIndex()); }

void TColorBox::Select(int index, TColorValue customValue)
{
    const TColorValue before = LastIndex >= 0 ? ColorOf(LastIndex) : -1;
    if (index == CustomIndex)
        SetEntryColor(CustomIndex, customValue);
    {
        const QSignalBlocker block(this);
        setCurrentIndex(index);
    }
    LastIndex = index;
    if (ColorOf(index) != before)
        emit Change();
}

void TColorBox::SetSelected(TColorValue value)
{
    // A named entry wins over the custom one when both hold the colour.
    for (int i = 0; i < count(); ++i) {
        if (i != CustomIndex && ColorOf(i) == value) {
            Select(i, value);
            return;
        }
    }
    Select(CustomIndex, value);
}

void TColorBox::SetEntryColor(int index, TColorValue value)
{
    setItemData(index, QVariant::fromValue<int>(value));
    setItemIcon(index, Swatch(value));
}

void TColorBox::OnActivated(int index)
{
    if (index != CustomIndex) {
        Select(index, 0);
        return;
    }
    // The custom entry asks for a colour; cancelling returns to the previous entry.
    const QColor start = ValueToColor(ColorOf(LastIndex >= 0 ? LastIndex : CustomIndex));
    QColor chosen;
    if (dialogs::Scripted()) {
        dialogs::Record(QStringLiteral("色の設定"));
        chosen = dialogs::TakeAnswer().value<QColor>();
    } else {
        chosen = QColorDialog::getColor(start, this);
    }
    if (chosen.isValid()) {
        Select(CustomIndex, ColorToValue(chosen));
    } else {
        const QSignalBlocker block(this);
        setCurrentIndex(LastIndex);
    }
}

} // namespace tamarie
